// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_HISTORIQUE_H
#define VORNA_EDITEUR_HISTORIQUE_H

#include <cstddef>
#include <optional>
#include <vector>

#include "objet_editeur.h"

namespace editeur {

// The undo and redo history of an editing session. Every change to the map
// is kept as what it replaced and what it put there, never as a picture of
// the whole map: a step of a map of 10,000 objects costs the few objects it
// touched, and undoing puts back the very objects that were there (a record
// kept from the file comes back with its own kind, word and values).
//
// The objects are those of the session: the placed objects in their order,
// the cursor last.

// In the placed objects, the `avant.size()` ones from `index` on replaced by
// `apres`: an object placed (nothing before), deleted (nothing after) or
// changed (one and one).
struct Remplacement {
    int index = 0;
    std::vector<Heros> avant, apres;
};

// One step of the history: its replacements, in the order they were made,
// and the cursor before and after it when the step changed the cursor too
// (Backspace makes the last placed object the cursor; p gives a fresh one).
struct Pas {
    std::vector<Remplacement> remplacements;
    std::optional<Heros> curseurAvant, curseurApres;
    int id = 0;  // given by the history
    // Whether it changed the number of placed objects (or the cursor).
    bool structurel() const;
};

// Every field of the two objects is the same (the kept record included).
bool identiques(const Heros& a, const Heros& b);

class Historique {
public:
    // Applies `pas` to `objets` and keeps it as the last step; the steps
    // undone before it are forgotten.
    void faire(std::vector<Heros>& objets, Pas pas);
    // Keeps `pas`, already made on the objects.
    void noter(Pas pas);
    // Undoes the last step kept or redoes the next one undone; the step, or
    // nullptr when there is none.
    const Pas* annuler(std::vector<Heros>& objets);
    const Pas* refaire(std::vector<Heros>& objets);

    // The map as it stands now is the one saved; whether it differs from it
    // (undoing back to the saved state makes it the same again).
    void marquerSauve() { m_sauve = etat(); }
    bool modifie() const { return etat() != m_sauve; }
    std::size_t aAnnuler() const { return m_position; }
    std::size_t aRefaire() const { return m_pas.size() - m_position; }

private:
    int etat() const { return m_position ? m_pas[m_position - 1].id : 0; }
    std::vector<Pas> m_pas;
    std::size_t m_position = 0;  // the steps before it are made, those after undone
    int m_prochain = 1;
    int m_sauve = 0;  // 0: the map as opened
};

}  // namespace editeur

#endif
