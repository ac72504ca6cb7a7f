// SPDX-License-Identifier: GPL-3.0-or-later
// The pause menu (Escape or keypad 0) and the game-over restart.

#include "partie.h"
#include "systeme.h"
#include "texte.h"
#include "traduction.h"

void Partie::basculerPause() {
    Heros& b = balle();
    if (!m.m_pause) {
        m.m_pause = true;
        m.m_menu = true;
        b.setPause(true);
        sys::keyRepeat(400, 200);
        choixMenu = 0;
    } else {
        m.m_pause = false;
        m.m_menu = false;
        b.setPause(false);
        sys::keyRepeat(10, 10);
    }
}

// The pause menu acts when Return is released.
void Partie::relacheEntree() {
    if (!m.m_pause) return;
    Heros& b = balle();
    switch (choixMenu) {
        case 0:  // "Retour au jeu"
            m.m_son.jouerPreSon("bouton", -1);
            m.m_pause = false;
            m.m_menu = false;
            b.setPause(false);
            sys::keyRepeat(10, 10);
            break;
        case 1:  // "Recommencer le niveau"
            recommencerPause();
            break;
        case 2:  // "Quitter"
            m.m_son.jouerPreSon("bouton", -1);
            b.setPause(false);
            sys::keyRepeat(10, 10);
            continuer = 0;
            m.resetDonnees();
            break;
    }
}

void Partie::recommencerPause() {
    Heros& b = balle();
    b.setSX(0); b.setSY(0); b.setSZ(0);
    m.m_son.jouerPreSon("bouton", -1);
    // The ball is unfrozen before it is moved, or the move would be refused.
    b.setPause(false);
    sys::keyRepeat(10, 10);
    b.deplacer(m.m_x_depart - b.getX(), m.m_y_depart - b.getY(), m.m_z_depart - b.getZ());
    recommencerCommun();
    points = points_depart;
    if (m.m_fantome) fantomeRecommencer();
    FSOUND_SetPaused(FSOUND_ALL, 0);
}

// Return pressed on "Perdu !": five more lives, back at the start; the ghost
// goes on recording through the respawn.
void Partie::recommencerPerdu() {
    Heros& b = balle();
    m.m_son.jouerPreSon("bouton", -1);
    b.setPause(false);
    sys::keyRepeat(10, 10);
    b.setSX(0); b.setSY(0); b.setSZ(0);
    b.deplacer(m.m_x_depart - b.getX(), m.m_y_depart - b.getY(), m.m_z_depart - b.getZ());
    b.perdrePV(-5);
    recommencerCommun();
}

void Partie::textesPause() {
    static const char* const kItems[3] = {aTraduire("Retour au jeu"), aTraduire("Recommencer le niveau"),
                                          aTraduire("Quitter")};
    for (int i = 0; i < 3; ++i) {
        if (choixMenu == i) glColor3ubv(kSelection);
        imprimer(tr(kItems[i]), -1, -0.1 * i);
        glColor3ub(255, 255, 255);
    }
}
