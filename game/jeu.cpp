// SPDX-License-Identifier: GPL-3.0-or-later
#include "jeu.h"

Jeu::Jeu(int hauteur, int largeur)
    : m_hauteur(hauteur),
      m_largeur(largeur),
      m_fantome(true),
      m_son(255),
      m_nbre_game(0),
      m_suivant(false),
      m_typeLieu("normal") {}

void Jeu::loadDonnees() {
    m_son.loadSon();
    m_texture.loadTextures(m_typeLieu);
}
