// SPDX-License-Identifier: GPL-3.0-or-later
// Play: the ball steered and moved through the course, falls, the camera,
// the scene and the play texts, and the timers that end every frame.

#include <GL/glu.h>

#include "partie.h"
#include "scene.h"
#include "systeme.h"

void Partie::deplacements() {
    if (!m.m_pause && !m.m_debut) ++framesCourse;
    m.deplacerBalle(balle(), tableaucube, direction, vitessespeed);
}

void Partie::chuteDebut() {
    Heros& b = balle();
    if (!b.getTombe() && b.getZ() < z_begin_tombe && !m.m_pause) {
        x_tombe = b.getX();
        y_tombe = b.getY();
        z_tombe = b.getZ();
        m.m_son.jouerPreSon("limite", -1);
        b.tombe(true);
    } else if (b.getTombe2() && !b.getTombe() && !m.m_pause) {
        x_tombe = b.getX();
        y_tombe = b.getY();
        z_tombe = b.getZ();
        b.tombe(true);
        b.tombe2(false);
    }
}

void Partie::camera() {
    Heros& b = balle();
    double rx = b.getX(), ry = b.getY(), rz = b.getZ();
    if (b.getWin()) {
        if (x_win == 0) {
            x_win = b.getX();
            y_win = b.getY();
            z_win = b.getZ();
        } else if (x_win - b.getX() < 30) {
            x_win += 0.01;
            z_win += 0.01;
        }
        rx = x_win; ry = y_win; rz = z_win;
    } else if (b.getTombe()) {
        rx = x_tombe; ry = y_tombe; rz = z_tombe;
    }
    gluLookAt(rx + 10, ry, rz + 12, b.getX(), b.getY(), b.getZ(), 0, 0, 1);
}

void Partie::dessiner() {
    Heros& b = balle();
    dessinerObjets(lot, tableaucube, &tableaubonus, tableausphere, b);

    glDisable(GL_FOG);
    if (!finpartie && !b.getTombe()) {
        glDisable(GL_LIGHTING);
        glColor3ub(255, 255, 255);
    }
    dessinerCielAutour(*skybox, b, x_tombe, y_tombe, z_tombe);
    glEnable(GL_LIGHTING);
    if (!mort.getF()) glEnable(GL_FOG);
    courseDessiner();  // seen through: after everything opaque
}

// Points bottom left, time bottom right, title top left, lives top right.
void Partie::textesJeu() {
    imprimer(textePoints, 0, 0);
    imprimer(texteTemps, 3, 0);
    imprimer(nomAffiche, 1, 0);
    imprimer(texteVies, 2, 0);
}

void Partie::minuteries() {
    Heros& b = balle();
    const Uint32 maintenant = sys::ticks();

    tempsActuel6 = maintenant;
    if (m.m_debut && !b.getWin() && tempsActuel6 - tempsPrecedent6 >= 1) {
        m.m_debut = false;
        // A pause asked while the level loaded holds: the menu is up.
        m.m_pause = m.m_menu;
        b.setPause(m.m_menu);
        tempsActuel3 = tempsPrecedent3 = maintenant;
        points = points_depart;
    }

    tempsActuel7 = maintenant;
    if (m.m_roll) {
        if (tempsActuel7 - tempsPrecedent7 > 1800) {
            m.m_son.jouerPreSon("roll", b.getSX() * 1000);
            tempsPrecedent7 = tempsActuel7;
        }
        m.m_son.setVolume("roll", b.getSX() * 1000);
        m.m_roll = false;
    } else {
        m.m_son.setVolume("roll", 0);
    }

    tempsActuel5 = maintenant;
    if (!m.m_checkpoint)
        tempsPrecedent5 = tempsActuel5;
    else if (tempsActuel5 - tempsPrecedent5 > 2000)
        m.m_checkpoint = false;

    if (m.m_pause) tempsPrecedent3 += maintenant - tempsActuel3;
    if (!ecrireEnvoyer) tempsActuel3 = maintenant;

    if (!ecrireEnvoyer && !m.m_pause && !b.getWin()) points -= 1;

    tempsActuel4 = maintenant;
    if (!b.getTombe() && !b.getTombe2()) tempsPrecedent4 = tempsActuel4;
    if (tempsActuel4 - tempsPrecedent4 > 1500 && !m.m_pause) {
        b.tombe(false);
        b.tombe2(false);
        b.deplacer(m.m_x_save - b.getX(), m.m_y_save - b.getY(), m.m_z_save - b.getZ());
        b.setSX(0);
        b.setSY(0);
        b.setSZ(0);
        if (tempsActuel3 - tempsPrecedent3 > 1000) b.perdrePV(1);
        if (b.getVie() <= 0) {
            m.m_pause = true;
            b.setPause(true);
            m.m_loose = true;
        }
    }
}
