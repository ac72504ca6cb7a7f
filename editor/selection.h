// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_SELECTION_H
#define VORNA_EDITEUR_SELECTION_H

#include <string>
#include <vector>

#include "objet_editeur.h"

namespace editeur {

// The placed objects chosen for editing, or none (the cursor is edited).
// The chosen ones, a group of one or more, are moved, resized, retyped,
// deleted, duplicated and copied in place of the cursor, as one; the last
// one chosen leads: the camera follows it and the header shows it.
class Selection {
public:
    // The leading object, −1 for none.
    int index() const { return m_index; }
    bool active() const { return m_index >= 0; }
    // Every chosen object, in the order of the map; empty for none.
    const std::vector<int>& groupe() const { return m_groupe; }
    bool contient(int i) const;
    // Tab and Shift+Tab among the `n` placed objects: the next one (the
    // first from none) and the previous one (the last from none), round,
    // alone.
    void suivante(int n);
    void precedente(int n);
    void choisir(int index) { m_index = index, m_groupe = {index}; }
    // The objects `indices` chosen (a leading one the last of them), or
    // with `ajouter` added to those already chosen.
    void choisirTous(std::vector<int> indices, bool ajouter = false);
    // Shift+click: the object added to the group, or taken out of it.
    void basculer(int index);
    void aucune() { m_index = -1, m_groupe.clear(); }
    // Those that no longer name one of the `n` placed objects are let go.
    void valider(int n);

private:
    int m_index = -1;
    std::vector<int> m_groupe;  // sorted
};

// The name of an object's kind: the palette's ("Cube[sol]"), or for a
// record kept from the file the class of its kind ("bouton") or its number
// ("type 12").
std::string nomDuType(const Heros& h);
// Its help text: the palette's, or a word on kept records.
std::string explicationDuType(const Heros& h);
// "x 2 y -3.5 z 20  taille 2 2 1": where an object stands and its half-sizes,
// numbers to two decimals at most.
std::string coordonnees(const Heros& h);
// A number the short way: "2", "-3.5", "0.25".
std::string nombreCourt(double v);

}  // namespace editeur

#endif
