// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointage.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "fenetre.h"

namespace editeur {

VueImage lireVue() {
    VueImage v;
    glGetDoublev(GL_MODELVIEW_MATRIX, v.modele);
    glGetDoublev(GL_PROJECTION_MATRIX, v.projection);
    glGetIntegerv(GL_VIEWPORT, v.viewport);
    int l = 0, h = 0;
    if (SDL_Window* f = fenetreGL()) SDL_GL_GetDrawableSize(f, &l, &h);
    v.hauteurFenetre = h > 0 ? h : v.viewport[1] + v.viewport[3];
    return v;
}

bool rayonDuPoint(const VueImage& vue, int x, int y, Rayon& r) {
    // The centre of the pixel, in GL's window coordinates (y up).
    const double wx = x + 0.5, wy = vue.hauteurFenetre - y - 0.5;
    double proche[3], loin[3];
    if (!gluUnProject(wx, wy, 0, vue.modele, vue.projection, vue.viewport, &proche[0], &proche[1], &proche[2]) ||
        !gluUnProject(wx, wy, 1, vue.modele, vue.projection, vue.viewport, &loin[0], &loin[1], &loin[2]))
        return false;
    for (int i = 0; i < 3; ++i) r.origine[i] = proche[i], r.direction[i] = loin[i] - proche[i];
    return true;
}

double entreeBoite(const Rayon& r, const Heros& h) {
    const double centre[3] = {h.getX(), h.getY(), h.getZ()};
    const double demi[3] = {std::fabs(h.getLX()), std::fabs(h.rond() ? h.getLX() : h.getLY()),
                            std::fabs(h.rond() ? h.getLX() : h.getLZ())};
    double entree = -INFINITY, sortie = INFINITY;
    for (int i = 0; i < 3; ++i) {
        const double bas = centre[i] - demi[i] - r.origine[i], haut = centre[i] + demi[i] - r.origine[i];
        if (r.direction[i] == 0) {
            if (bas > 0 || haut < 0) return -1;
            continue;
        }
        double t1 = bas / r.direction[i], t2 = haut / r.direction[i];
        if (t1 > t2) std::swap(t1, t2);
        entree = std::fmax(entree, t1);
        sortie = std::fmin(sortie, t2);
    }
    return entree <= sortie && entree >= 0 ? entree : -1;
}

int objetVise(const std::vector<Heros>& objets, int n, const Rayon& r) {
    int meilleur = -1;
    double plusProche = INFINITY;
    for (int i = 0; i < n && i < static_cast<int>(objets.size()); ++i) {
        const double t = entreeBoite(r, objets[i]);
        if (t >= 0 && t < plusProche) plusProche = t, meilleur = i;
    }
    return meilleur;
}

std::vector<int> objetsDansRectangle(const VueImage& vue, const std::vector<Heros>& objets, int n, int x0, int y0,
                                     int x1, int y1) {
    std::vector<int> r;
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    for (int i = 0; i < n && i < static_cast<int>(objets.size()); ++i) {
        double x, y, z;
        const Heros& h = objets[i];
        if (!gluProject(h.getX(), h.getY(), h.getZ(), vue.modele, vue.projection, vue.viewport, &x, &y, &z) || z < 0 ||
            z > 1)
            continue;
        y = vue.hauteurFenetre - y;  // window points run down from the top
        if (x >= x0 && x <= x1 + 1 && y >= y0 && y <= y1 + 1) r.push_back(i);
    }
    return r;
}

}  // namespace editeur
