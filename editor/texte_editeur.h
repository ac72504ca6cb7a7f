// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_TEXTE_H
#define VORNA_EDITEUR_TEXTE_H

#include "texte.h"

namespace editeur {

// The editor's text printer: the game's, with the font and the window size
// kept in the object.
class Texte {
public:
    Texte(unsigned int texture, int hauteur, int largeur)
        : m_texture(texture), m_hauteur(hauteur), m_largeur(largeur) {}

    // Placement codes as for the game's printer: 0 bottom-left, 1 top-left,
    // 2 top-right, 3 bottom-right, 4 centre, other: centred on (posx, posy).
    void mervoprint(const char* texte, int pos, double posx, double posy) const {
        ::Texte::mervoprint(texte, m_texture, pos, posx, posy, m_hauteur, m_largeur);
    }

private:
    unsigned int m_texture;
    int m_hauteur;
    int m_largeur;
};

}  // namespace editeur

#endif
