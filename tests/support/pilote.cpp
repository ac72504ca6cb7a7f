// SPDX-License-Identifier: GPL-3.0-or-later
#include "pilote.h"

#include <algorithm>
#include <cmath>

void Pilote::touche(int frame, SDL_Keycode k, bool& etat, bool voulu) {
    if (etat == voulu) return;
    etat = voulu;
    sortie ? sortie(frame, k, voulu) : m_s.touche(frame, k, voulu);
}

void Pilote::image(const InstantPartie& i) {
    const int f = m_s.frame() + 1;
    m_repos = i.sz == 0 ? m_repos + 1 : 0;
    if (i.win || i.pause || i.tombe || m_points.empty()) {
        touche(f, SDLK_UP, m_haut, false);
        touche(f, SDLK_DOWN, m_bas, false);
        touche(f, SDLK_RIGHT, m_droite, false);
        touche(f, SDLK_LEFT, m_gauche, false);
        return;
    }
    while (m_prochain + 1 < m_points.size()) {
        const Point& p = m_points[m_prochain];
        if (std::hypot(p.x - i.x, p.y - i.y) >= p.rayon) break;
        if (p.maniere == Poser && m_repos < 2) break;
        ++m_prochain;
    }
    const Point& p = m_points[m_prochain];
    // The velocity wanted: straight at the waypoint, at full speed far away
    // and slowing down near it, unless it is to be taken at speed.
    const double dx = p.x - i.x, dy = p.y - i.y, d = std::hypot(dx, dy);
    const double vmax = std::min(p.vitesse, i.maxspeed);
    const double v = p.maniere == Passer ? vmax : std::min(vmax, 0.12 * d);
    const double vx = d > 1e-9 ? dx / d * v : 0, vy = d > 1e-9 ? dy / d * v : 0;
    // Taken at speed: a ball already faster than wanted is not held back.
    const bool libre = p.maniere == Passer;
    auto pousser = [&](double s, double voulu, bool versPlus) {
        if (versPlus) return s < voulu - 0.01 && !(libre && voulu < 0 && s < voulu);
        return s > voulu + 0.01 && !(libre && voulu > 0 && s > voulu);
    };
    // Up pushes toward −x, Down toward +x, Right toward +y, Left toward −y.
    touche(f, SDLK_UP, m_haut, pousser(i.sx, vx, false));
    touche(f, SDLK_DOWN, m_bas, pousser(i.sx, vx, true));
    touche(f, SDLK_RIGHT, m_droite, pousser(i.sy, vy, true));
    touche(f, SDLK_LEFT, m_gauche, pousser(i.sy, vy, false));
}
