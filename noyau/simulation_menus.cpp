// SPDX-License-Identifier: GPL-3.0-or-later
// The pause menu (Escape), game over, the finish and the end-of-level menu,
// and the three ways a run starts again.

#include "simulation.h"

void Simulation::basculerPause() {
    m_pause = m_menu = !m_pause;
    m_balle.setPause(m_pause);
    if (m_pause) {
        repetition(Sorties::Repetition::Menu);
        m_choixMenu = 0;
    } else {
        repetition(Sorties::Repetition::Jeu);
    }
}

// The pause menu acts when Return is released.
void Simulation::relacheEntree() {
    if (!m_pause) return;
    switch (m_choixMenu) {
        case 0:  // "Retour au jeu"
            son("bouton", -1);
            m_pause = m_menu = false;
            m_balle.setPause(false);
            repetition(Sorties::Repetition::Jeu);
            break;
        case 1:  // "Recommencer le niveau"
            recommencerPause();
            break;
        case 2:  // "Quitter"
            son("bouton", -1);
            m_balle.setPause(false);
            repetition(Sorties::Repetition::Jeu);
            m_continuer = 0;
            resetDonnees();
            break;
    }
}

// What every restart shares once the ball is back at the start.
void Simulation::recommencerCommun() {
    m_x_save = m_x_depart;
    m_y_save = m_y_depart;
    m_z_save = m_z_depart;
    m_tempsActuel3 = m_tempsPrecedent3 = m_numero;
    resetDonnees();
    m_pasCourse = 0;
    m_sorties.recommence = true;
}

void Simulation::recommencerPause() {
    arreter();
    son("bouton", -1);
    // The ball is unfrozen before it is moved, or the move would be refused.
    m_balle.setPause(false);
    repetition(Sorties::Repetition::Jeu);
    sauter(m_x_depart, m_y_depart, m_z_depart);
    recommencerCommun();
    m_points = m_pointsDepart;
    if (m_depart.fantome) fantomeRecommencer();
    m_sorties.musique = Sorties::Musique::RepriseTout;
}

// Return pressed on "Perdu !": five more lives, back at the start; the ghost
// goes on recording through the respawn.
void Simulation::recommencerPerdu() {
    son("bouton", -1);
    m_balle.setPause(false);
    repetition(Sorties::Repetition::Jeu);
    arreter();
    sauter(m_x_depart, m_y_depart, m_z_depart);
    m_balle.perdrePV(-5);
    recommencerCommun();
}

// The end-of-level menu acts when Return is pressed.
void Simulation::appuiEntree() {
    son("bouton", -1);
    switch (m_choixSend) {
        case 0:  // "Niveau suivant"
            quitterFinDeNiveau(true);
            break;
        case 1:  // "Recommencer"
            recommencerFinDeNiveau();
            break;
        case 2:  // "Envoyer son score en ligne"
            m_sorties.envoyerScore = true;
            break;
        case 3:  // "Enregistrer le fantome"
            m_renameghost = true;
            m_sorties.fantomeGarde = true;
            break;
        case 4:  // "Menu principal"
            if (m_ecrireEnvoyer) quitterFinDeNiveau(false);
            break;
    }
}

// Leaving through the end-of-level menu: the scene fades out, then the run ends.
void Simulation::quitterFinDeNiveau(bool suivant) {
    arreter();
    repetition(Sorties::Repetition::Jeu);
    m_finpartie = true;
    m_ecrireEnvoyer = false;
    m_niveau = 99;
    m_sorties.suivant = suivant;
}

void Simulation::recommencerFinDeNiveau() {
    arreter();
    m_balle.setX(m_x_depart);
    m_balle.setY(m_y_depart);
    m_balle.setZ(m_z_depart);
    m_ballePrecedente = {m_x_depart, m_y_depart, m_z_depart};
    m_saut = true;
    m_balle.setPause(false);
    repetition(Sorties::Repetition::Jeu);
    recommencerCommun();
    m_points = m_pointsDepart;
    if (m_depart.fantome) fantomeRecommencer();
    m_balle.win(false);
    m_ecrireEnvoyer = false;
    m_finpartie = false;
    m_sorties.musique = Sorties::Musique::Reprise;
}

// The recording starts again with the run: a scenario run until it is left
// through the end-of-level menu, a free map's only while it is played.
void Simulation::fantomeRecommencer() {
    const bool actif = m_depart.scenario ? m_niveau <= 98 : m_niveau == 1;
    if (!actif) return;
    m_echantillons.clear();
    m_debutChrono = 0;
    m_complets = true;
    m_sorties.fantomeRecommence = true;
}

// Each step after the finish: the menu opens on the first one; once the
// player has left it, the scene fades out and the run ends.
void Simulation::finDeNiveau() {
    if (!m_finpartie) {
        if (!m_ecrireEnvoyer) m_sorties.arrivee = true;
        m_sorties.musique = Sorties::Musique::Pause;
        repetition(Sorties::Repetition::Menu);
        m_ecrireEnvoyer = true;
        return;
    }
    if (!m_mort.assombrir()) {
        m_continuer = 0;
        m_balle.win(false);
    }
}
