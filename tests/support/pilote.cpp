#include "pilote.h"

#include <algorithm>
#include <cmath>

void Pilote::touche(int frame, SDLKey k, bool& etat, bool voulu) {
    if (etat == voulu) return;
    etat = voulu;
    m_s.touche(frame, k, voulu);
}

void Pilote::image(const InstantPartie& i) {
    const int f = m_s.frame() + 1;
    if (i.win || i.pause) {
        touche(f, SDLK_UP, m_haut, false);
        touche(f, SDLK_DOWN, m_bas, false);
        touche(f, SDLK_RIGHT, m_droite, false);
        touche(f, SDLK_LEFT, m_gauche, false);
        return;
    }
    while (m_prochain + 1 < m_points.size() &&
           std::hypot(m_points[m_prochain].x - i.x, m_points[m_prochain].y - i.y) <
               m_points[m_prochain].rayon)
        ++m_prochain;
    if (m_points.empty()) return;
    const Point& p = m_points[m_prochain];
    // The speed wanted on each axis: full speed far away, slowing down near the
    // waypoint so that corners are taken without flying off.
    auto voulue = [](double ecart) { return std::clamp(0.12 * ecart, -0.4, 0.4); };
    const double vx = voulue(p.x - i.x), vy = voulue(p.y - i.y);
    // Up pushes toward −x, Down toward +x, Right toward +y, Left toward −y.
    touche(f, SDLK_UP, m_haut, i.sx > vx + 0.01);
    touche(f, SDLK_DOWN, m_bas, i.sx < vx - 0.01);
    touche(f, SDLK_RIGHT, m_droite, i.sy < vy - 0.01);
    touche(f, SDLK_LEFT, m_gauche, i.sy > vy + 0.01);
}
