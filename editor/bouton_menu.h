// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_BOUTON_MENU_H
#define VORNA_EDITEUR_BOUTON_MENU_H

#include <string>

#include "vector3d.h"

namespace editeur {

// A label of the editor's menu, chosen with the mouse. The label is also the
// button's identity: the menu acts by comparing it.
class Bouton_menu {
public:
    // `position`: X the label's horizontal centre and Y its bottom edge, as
    // fractions of the half-window; Z plays no part.
    Bouton_menu(Vector3D position, std::string texte) : m_position(position), m_texte(std::move(texte)) {}

    void setChoisi(bool c) { m_choisi = c; }
    bool getChoisi() const { return m_choisi; }
    const std::string& getTexte() const { return m_texte; }
    const Vector3D& getPos() const { return m_position; }

    // Draws the label with the bound font atlas over a `longueur` ×
    // `largeur` window, in the highlight colour (kSelection) when chosen,
    // else in white. Glyphs are a tenth of the window wide and high and
    // overlap by half; a space leaves a gap, a line break moves down.
    void dessiner(int longueur, int largeur) const;

private:
    Vector3D m_position;
    std::string m_texte;
    bool m_choisi = false;
};

}  // namespace editeur

#endif
