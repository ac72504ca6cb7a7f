// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a run in its fixed order: the timers of the step before, the
// inputs, the moves, a fall beginning, the pick-ups, the camera's anchor, the
// fall's fade, the finish or the ghost's position.

#include "simulation.h"

#include <cstdlib>

namespace {

// The timers of a run, in steps of 1/30 s: a fall puts the ball back after
// 1.5 s, the checkpoint message shows for 2 s, the rolling sound starts again
// at most every 1.8 s, and a fall only costs a life once the chronometer is
// past 1 s.
const long long kPasChute = 45;
const long long kPasCheckpoint = 60;
const long long kPasRoll = 54;
const long long kPasChronoVie = 30;

// The camera backs away after the finish by this much a step, until it is
// 30 units from the ball.
const double kReculArrivee = 0.01;

std::array<double, 3> position(const Heros& b) { return {b.getX(), b.getY(), b.getZ()}; }

}  // namespace

double hauteurDeChute(const std::vector<Cube>& blocs) {
    double z = 0;
    for (const Cube& c : blocs)
        if (c.getZ() - c.getLZ() / 2 < z) z = c.getZ() - c.getLZ() / 2;
    return z;
}

Simulation::Simulation() : m_balle(0, 0, 0, 3, 1, 1, 1, 0, 0, 0, 0) { m_debut = false; }

Simulation::Simulation(const Heros& balle, std::vector<Cube> cubes, std::vector<Bonus> bonus, const Depart& depart)
    : m_depart(depart), m_balle(balle), m_cubes(std::move(cubes)), m_bonus(std::move(bonus)) {
    resetDonnees();
    m_pointsDepart = m_points = m_score = depart.pointsDepart;
    m_x_depart = m_x_save = m_balle.getX();
    m_y_depart = m_y_save = m_balle.getY();
    m_z_depart = m_z_save = m_balle.getZ();
    m_z_begin_tombe = hauteurDeChute(m_cubes);
    m_ballePrecedente = m_vise = m_visePrecedent = position(m_balle);
    m_tempsPrecedent7 = -kPasRoll - 1;  // the first roll sounds at once
}

void Simulation::resetDonnees() {
    m_menu = false;
    m_pause = false;
    m_loose = false;
    m_checkpoint = false;
    m_debut = true;
    m_last_checkpoint = 0;
}

void Simulation::pas(const EntreesPas& entrees) {
    m_sorties = Sorties();
    if (m_numero > 0) minuteries();
    ++m_numero;
    m_journal.ajouter(entrees);
    m_ballePrecedente = position(m_balle);
    m_visePrecedent = m_vise;

    if (!m_balle.getWin()) {
        m_chronoAffiche = chrono();
        m_score = m_points;
    }
    evenements(entrees);
    if (!m_pause && !m_debut) ++m_pasCourse;
    deplacerBalle(m_balle, m_cubes, m_direction, m_vitessespeed);
    m_balle.verifSpeed();
    chuteDebut();
    for (Bonus& b : m_bonus) verifieBonus(&m_balle, &b);
    suivreCamera();
    if (m_saut) m_visePrecedent = m_vise;
    m_saut = false;

    m_teinte = m_mort;
    if (m_balle.getTombe() && !m_pause) m_mort.assombrir();
    if (m_balle.getWin())
        finDeNiveau();
    else
        echantillon();
    if (!m_balle.getWin() && !m_balle.getTombe()) {
        m_mort.setF(false);
        m_mort.setRGB(178, 178, 178);
    }
    // The pick-ups' emblems turn a degree a step on every axis, and stand
    // still with the rest of the run in the pause.
    for (Bonus& b : m_bonus)
        if (b.getExiste() && !m_pause) b.tourner();
}

void Simulation::evenements(const EntreesPas& entrees) {
    for (const Appui& a : entrees) {
        if (a.touche == Touche::Quitter) {
            m_continuer = 0;
        } else if (a.touche == Touche::Manette) {
            // A pad unplugged (its keys already released): the run waits in
            // the pause menu, where Escape would have put it.
            if (!m_ecrireEnvoyer && !m_loose && !m_pause) basculerPause();
        } else if (a.enfoncee) {
            appui(a.touche);
        } else {
            relache(a.touche);
        }
    }
}

void Simulation::appui(Touche t) {
    switch (t) {
        case Touche::Haut:
        case Touche::Bas: {
            const int sens = t == Touche::Haut ? -1 : 1;
            if (m_ecrireEnvoyer) {
                son("cursor", -1);
                m_choixSend = (m_choixSend + sens + 5) % 5;
            } else if (m_menu) {
                son("cursor", -1);
                m_choixMenu = (m_choixMenu + sens + 3) % 3;
            }
            m_direction[t == Touche::Haut ? 0 : 1] = true;
            break;
        }
        case Touche::Droite: m_direction[2] = true; break;
        case Touche::Gauche: m_direction[3] = true; break;
        case Touche::Entree:
            if (m_balle.getWin())
                appuiEntree();
            else if (m_loose)
                recommencerPerdu();
            break;
        default: break;
    }
}

void Simulation::relache(Touche t) {
    switch (t) {
        case Touche::Haut: m_direction[0] = false; break;
        case Touche::Bas: m_direction[1] = false; break;
        case Touche::Droite: m_direction[2] = false; break;
        case Touche::Gauche: m_direction[3] = false; break;
        case Touche::Entree: relacheEntree(); break;
        case Touche::Course: m_sorties.basculerCourse = true; break;
        case Touche::Echap:
            // Not from the end-of-level menu, nor from game over: only Return
            // leaves "Perdu !".
            if (!m_ecrireEnvoyer && !m_loose) basculerPause();
            break;
        default: break;
    }
}

void Simulation::chuteDebut() {
    Heros& b = m_balle;
    if (m_pause || b.getTombe()) return;
    if (b.getZ() < m_z_begin_tombe) {
        m_chute = position(b);
        son("limite", -1);
        b.tombe(true);
    } else if (b.getTombe2()) {
        m_chute = position(b);
        b.tombe(true);
        b.tombe2(false);
    }
}

// The camera stands back from the ball; during a fall from where the fall
// began; after the finish from a point that backs away and rises slowly, from
// where the ball first finished (kept through a restart, as the first finish
// left it).
void Simulation::suivreCamera() {
    const Heros& b = m_balle;
    m_vise = position(b);
    if (b.getWin()) {
        if (m_win[0] == 0) {
            m_win = position(b);
        } else if (m_win[0] - b.getX() < 30) {
            m_win[0] += kReculArrivee;
            m_win[2] += kReculArrivee;
        }
        m_vise = m_win;
    } else if (b.getTombe()) {
        m_vise = m_chute;
    }
}

// A position of the ghost, while the ball plays, falls or starts (not paused,
// not won, not once left through the end-of-level menu).
void Simulation::echantillon() {
    if (m_niveau > 98 || !m_depart.fantome || m_pause) return;
    if (m_echantillons.size() < kEchantillonsMax) {
        if (m_debut) m_debutChrono = m_echantillons.size();
        m_echantillons.push_back(position(m_balle));
    } else {
        m_complets = false;
    }
    m_sorties.echantillon = true;
}

// The ball put back somewhere at once: the picture does not slide it there.
void Simulation::sauter(double x, double y, double z) {
    m_balle.deplacer(x - m_balle.getX(), y - m_balle.getY(), z - m_balle.getZ());
    m_ballePrecedente = position(m_balle);
    m_saut = true;
}

void Simulation::minuteries() {
    Heros& b = m_balle;
    const long long maintenant = m_numero;

    if (m_debut && !b.getWin() && maintenant - m_tempsPrecedent6 >= 1) {
        m_debut = false;
        // A pause asked while the level loaded holds: the menu is up.
        m_pause = m_menu;
        b.setPause(m_menu);
        m_tempsActuel3 = m_tempsPrecedent3 = maintenant;
        m_points = m_pointsDepart;
    }

    m_tempsActuel7 = maintenant;
    m_sorties.roll = true;
    if (m_roll) {
        if (m_tempsActuel7 - m_tempsPrecedent7 > kPasRoll) {
            son("roll", b.getSX() * 1000);
            m_tempsPrecedent7 = m_tempsActuel7;
        }
        m_sorties.volumeRoll = b.getSX() * 1000;
        m_roll = false;
    }

    m_tempsActuel5 = maintenant;
    if (!m_checkpoint)
        m_tempsPrecedent5 = m_tempsActuel5;
    else if (m_tempsActuel5 - m_tempsPrecedent5 > kPasCheckpoint)
        m_checkpoint = false;

    if (m_pause) m_tempsPrecedent3 += maintenant - m_tempsActuel3;
    if (!m_ecrireEnvoyer) m_tempsActuel3 = maintenant;

    if (!m_ecrireEnvoyer && !m_pause && !b.getWin()) m_points -= 1;

    m_tempsActuel4 = maintenant;
    if (!b.getTombe() && !b.getTombe2()) m_tempsPrecedent4 = m_tempsActuel4;
    if (m_tempsActuel4 - m_tempsPrecedent4 > kPasChute && !m_pause) {
        b.tombe(false);
        b.tombe2(false);
        sauter(m_x_save, m_y_save, m_z_save);
        arreter();
        if (m_tempsActuel3 - m_tempsPrecedent3 > kPasChronoVie) b.perdrePV(1);
        if (b.getVie() <= 0) {
            m_pause = true;
            b.setPause(true);
            m_loose = true;
        }
    }
}

void rejouer(Simulation& simulation, const Journal& journal) {
    Journal::Lecteur lecteur(journal);
    EntreesPas pas;
    while (simulation.continuer() == 2 && lecteur.suivant(pas)) simulation.pas(pas);
}
