// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_SELECTION_H
#define VORNA_EDITEUR_SELECTION_H

#include <string>

#include "objet_editeur.h"

namespace editeur {

// The placed object chosen for editing, or none (the cursor is edited). The
// chosen one is moved, resized, retyped, deleted and duplicated in place of
// the cursor, and the camera follows it.
class Selection {
public:
    int index() const { return m_index; }
    bool active() const { return m_index >= 0; }
    // Tab and Shift+Tab among the `n` placed objects: the next one (the
    // first from none) and the previous one (the last from none), round.
    void suivante(int n);
    void precedente(int n);
    void choisir(int index) { m_index = index; }
    void aucune() { m_index = -1; }
    // Back to none when it no longer names one of the `n` placed objects.
    void valider(int n);

private:
    int m_index = -1;
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
