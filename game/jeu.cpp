// SPDX-License-Identifier: GPL-3.0-or-later
#include "jeu.h"

Jeu::Jeu(int hauteur, int largeur)
    : m_hauteur(hauteur),
      m_largeur(largeur),
      m_fantome(true),
      m_menu(false),
      m_pause(false),
      m_loose(false),
      m_checkpoint(false),
      m_last_checkpoint(0),
      m_son(255),
      m_debut(true),
      m_roll(false),
      m_nbre_game(0),
      m_suivant(false),
      m_typeLieu("normal") {}

void Jeu::resetDonnees() {
    m_menu = false;
    m_pause = false;
    m_loose = false;
    m_checkpoint = false;
    m_debut = true;
    m_last_checkpoint = 0;
}

void Jeu::loadDonnees() {
    m_son.loadSon();
    m_texture.loadTextures(m_typeLieu);
}
