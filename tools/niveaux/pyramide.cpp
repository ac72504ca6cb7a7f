// SPDX-License-Identifier: GPL-3.0-or-later
// 10. Pyramid: a climb by jump pads. Seven tiers, each six units higher and
// narrower than the one below; the pad of each terrace lies further round, so
// the ball spirals up, rolling along a terrace to its pad and jumping inward
// onto the next. No pad lies on the west side of a narrow terrace, where the
// tier above would hide the ball from the camera. A fall from a terrace only drops it onto the
// one below; only the base is over the void. The finish crowns the top.
#include <cmath>

#include "chantier.h"
#include "niveaux.h"

namespace {

const double CX = -100;  // centre of the pyramid
struct Gradin {
    double demi, h;       // half side and height of its top
    double padX, padY;    // its jump pad (none on the top)
};
const Gradin kGradins[] = {
    {72, 0, -150, 66.5},  {61, 6, -156, -40},    {51, 12, -65, -46.5}, {42, 18, -62, 28},
    {34, 24, -120, 30.5}, {27, 30, -76.5, 10},   {20, 36, 0, 0},
};
const int N = sizeof kGradins / sizeof kGradins[0];

}  // namespace

std::vector<Enregistrement> pyramid() {
    Chantier c(0, 0, 0, carre(0, 0, 5));
    c.sol(bandeX(-5, -28, 0, 10), 0);
    c.barrieres(bandeX(-5, -28, 0, 10), 0, 0.8);

    // The pads and the finish first: they lie on the tiers, a little raised.
    for (const Gradin& g : kGradins)
        if (g.padX != 0) c.saut(carre(g.padX, g.padY, 3), g.h + 0.05);
    c.arrivee(carre(CX, 0, 6), kGradins[N - 1].h + 0.05);

    for (int i = 0; i < N; ++i) {
        const Gradin& g = kGradins[i];
        const double bas = i == 0 ? -20 : kGradins[i - 1].h;
        c.mur(carre(CX, 0, g.demi), bas, g.h - bas, i % 2 ? "textureCaisse" : "textureSol");
        if (g.padX != 0) {
            // Torches beside each pad, along its side of the tier.
            const bool estOuest = std::abs(g.padX - CX) > std::abs(g.padY);
            const double ex = estOuest ? 0 : 4.5, ey = estOuest ? 4.5 : 0;
            c.boule(g.padX + ex, g.padY + ey, g.h + 1, 0.6, "textureJump");
            c.boule(g.padX - ex, g.padY - ey, g.h + 1, 0.6, "textureJump");
        }
    }
    // A life on the second terrace, in its north-east corner, off the way.
    c.vie(CX + 55, 55, 6);

    // Obelisks off the corners of the base, a golden ball over the top.
    for (double dx : {-78.0, 78.0})
        for (double dy : {-78.0, 78.0}) {
            c.mur(carre(CX + dx, dy, 1.5), -20, 34, "textureSol");
            c.boule(CX + dx, dy, 15.5, 1.5, "textureArrivee");
        }
    c.boule(CX, 0, 48, 3, "textureArrivee");

    c.vide(Zone{-190, 10, -90, 90}, -26);
    return c.enregistrements();
}
