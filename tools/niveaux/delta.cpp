// SPDX-License-Identifier: GPL-3.0-or-later
// 11. Delta City: the long city. Three districts on the islands of a delta,
// each crossed from one bridge to the next on its other side; a turbo
// boulevard along the last island; then the roofs: jump pads in a square
// throw the ball onto the towers, roof after roof, to the finish on the
// highest. A checkpoint on every bridge and one on the roofs; pick-ups in the
// squares and on a roof off the way.
#include <cmath>

#include "chantier.h"
#include "niveaux.h"
#include "ville.h"

namespace {

void pont(Chantier& c, double x0, double y) {
    c.sol(bandeX(x0, x0 - 3, y, 8), 0);
    c.checkpoint(bandeX(x0 - 3, x0 - 11, y, 8), 0);
    c.sol(bandeX(x0 - 11, x0 - 14, y, 8), 0);
    for (double dx : {-1.0, -13.0}) {
        c.borne(x0 + dx, y + 4.5, -1, 3);
        c.borne(x0 + dx, y - 4.5, -1, 3);
    }
}

// A tower whose roof is at h.
void tour(Chantier& c, Zone z, double h, const char* texture = "textureSol") {
    c.mur(z, -30, h + 30, texture);
}

}  // namespace

std::vector<Enregistrement> deltaCity() {
    Chantier c(0, 0, 0, carre(0, 0, 5));
    c.sol(bandeX(-5, -10, 0, 10), 0);

    // Three districts of five blocks by six, each left by a bridge on the
    // other side from the one it was entered by; a square in each, with a
    // pick-up in two of them.
    struct District {
        double xEst;
        int graine, placeI, placeJ;
        const char* fontaine;
        int bonus;  // kind of the pick-up of the square (0: none), beside the fountain
        double yPont;
    };
    const District districts[3] = {{-10, 4, 2, 1, "textureSauvegarde", 0, -60},
                                   {-174, 5, 1, 3, "textureSpeed", 9, 60},
                                   {-338, 6, 0, 1, "textureSauvegarde", 8, -60}};
    for (const District& d : districts) {
        Quartier q(d.xEst);
        q.colonnes = 5;
        q.rangees = 6;
        q.graine = d.graine;
        q.places = {{d.placeI, d.placeJ}};
        quartier(c, q);
        const Zone place = ilot(q, d.placeI, d.placeJ);
        fontaine(c, place, d.fontaine);
        if (d.bonus == 9) c.vitesse(place.cx(), place.cy() + 6, 0);
        if (d.bonus == 8) c.vie(place.cx(), place.cy() + 6, 0);
        pont(c, d.xEst - 150, d.yPont);
    }

    // The boulevard: a turbo lane between two rows of buildings.
    const double X = -502, Y = -60;
    c.turbo(bandeX(X - 8, X - 128, Y, 10), 0.05);
    c.sol(Zone{X - 148, X, Y - 21, Y + 21}, 0, 2);
    for (double x = X - 8; x > X - 138; x -= 26) {
        c.mur(Zone{x - 20, x, Y - 21, Y - 13}, 0, 4 + std::fmod(-x, 7), "textureCaisse");
        c.mur(Zone{x - 20, x, Y + 13, Y + 21}, 0, 4 + std::fmod(-x, 5), "textureSol");
    }

    // The square of the jump pad, then the roofs.
    c.saut(carre(X - 173, Y, 3), 0.05);
    c.sol(Zone{X - 188, X - 148, Y - 25, Y + 25}, 0, 2);
    c.boule(X - 173, Y + 7, 1, 0.6, "textureJump");
    c.boule(X - 173, Y - 7, 1, 0.6, "textureJump");
    c.checkpoint(carre(X - 238, Y, 4), 6.05);
    c.saut(carre(X - 275, Y + 25, 3), 3.05);
    c.saut(carre(X - 340, Y + 25, 3), 5.05);
    c.arrivee(carre(X - 378, Y + 25, 6), 11.05);
    tour(c, Zone{X - 252, X - 194, Y - 13, Y + 19}, 6);
    tour(c, Zone{X - 284, X - 258, Y + 5, Y + 43}, 3, "textureCaisse");
    tour(c, Zone{X - 318, X - 290, Y + 9, Y + 41}, 9);
    tour(c, Zone{X - 350, X - 324, Y + 9, Y + 41}, 5, "textureCaisse");
    tour(c, Zone{X - 388, X - 356, Y + 7, Y + 43}, 11);
    // A roof off the way with a life, reached by a girder.
    c.sol(Zone{X - 310, X - 306, Y + 41, Y + 55}, 9, 0.6);
    tour(c, Zone{X - 316, X - 300, Y + 55, Y + 69}, 9, "textureCaisse");
    c.vie(X - 308, Y + 62, 9);
    c.boule(X - 372, Y + 25, 18, 2.5, "textureArrivee");

    // Skyline.
    const double fond[][5] = {{-228, -198, -55, -35, 18}, {-288, -258, 55, 85, 22},
                              {-368, -338, -35, -15, 26}, {-418, -394, 15, 45, 30},
                              {-348, -328, 75, 101, 16}};
    for (const auto& f : fond)
        tour(c, Zone{X + f[0], X + f[1], Y + f[2], Y + f[3]}, f[4], "textureCaisse");

    c.vide(Zone{X - 430, 10, -130, 130}, -14);
    return c.enregistrements();
}
