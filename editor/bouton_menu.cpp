// SPDX-License-Identifier: GPL-3.0-or-later
#include "bouton_menu.h"

#include <GL/gl.h>

#include "systeme.h"
#include "texte.h"

namespace editeur {

void Bouton_menu::dessiner(int longueur, int largeur) const {
    sys::texteDessine(m_texte);
    debutTexte(longueur, largeur);
    if (m_choisi)
        glColor3ubv(kSelection);
    else
        glColor3ub(255, 255, 255);

    const int w = longueur / 10;
    const int h = largeur / 10;
    const std::u32string texte = enCaracteres(m_texte);
    const double n = static_cast<double>(texte.size());
    const double gauche = longueur * m_position.X - n * w * 0.5 / 2;
    double bas = m_position.Y * largeur;

    ImpressionTexte i{m_texte, {}, textureLiee(), longueur, largeur, static_cast<double>(w), static_cast<double>(h)};
    for (size_t k = 0; k < texte.size(); ++k) {
        if (texte[k] == '\n') {
            bas -= longueur / 10;  // the width's tenth, and the pen goes on
            continue;
        }
        if (const int cellule = celluleGlyphe(texte[k])) i.glyphes.push_back({cellule, gauche + k * 0.5 * w, bas});
    }
    imprimerGlyphes(i);

    finTexte(longueur, largeur);
}

}  // namespace editeur
