// SPDX-License-Identifier: GPL-3.0-or-later
// 13. Peak: the hard climb. No wide ledges any more: jump pads fling the ball
// from one rock pillar to the next, each higher and small enough that every
// landing must be steered. Three pillars up from the base camp, a knife-edge
// arête with two clefts, a turbo lane that throws the ball over a gap to a
// col, a zigzag ladder of pillars, a second arête, then a spiral of pillars
// round the spire to the summit.
#include "chantier.h"
#include "niveaux.h"

namespace {

// A rock pillar from far below with a grass top at h.
void pilier(Chantier& c, Zone z, double h) {
    c.mur(z, h - 40, 39.5, "textureCaisse");
    c.sol(z, h, 0.5);
}

struct Pilier {
    double x, y, demi, h;
    double padX, padY;  // its jump pad, 4 units square (padX 0: none)
};
const Pilier kPiliers[] = {
    // Up from the base camp.
    {-56, 0, 6, 6, -58, 2},
    {-74, 14, 5, 12, -76.5, 14},
    {-94, 2, 5, 18, 0, 0},
    // The ladder from the col.
    {-232, -6, 5, 20, -234.4, -4.2},
    {-250, 8, 5, 25, -252.4, 6.2},
    {-268, -6, 5, 30, -270.4, -4.2},
    {-286, 8, 5, 35, -288.4, 6.2},
    {-304, -6, 5, 40, 0, 0},
    // Round the spire.
    {-358, 0, 5, 43, -359.5, 2.6},
    {-369, 19, 5, 48, -372, 19},
    {-391, 19, 5, 53, -392.5, 16.4},
    {-402, 0, 5, 58, -400.5, -2.6},
    {-391, -19, 5, 63, -388, -19},
    {-369, -19, 5, 68, -369, -15.5},
};

}  // namespace

std::vector<Enregistrement> peak() {
    Chantier c(0, 0, 0, carre(0, 0, 5));

    // Pads, checkpoints and the finish first: they lie a little raised, in
    // course order.
    c.saut(carre(-30, 0, 3), 0.05);
    for (int i = 0; i < 3; ++i)
        if (kPiliers[i].padX != 0)
            c.saut(carre(kPiliers[i].padX, kPiliers[i].padY, 2), kPiliers[i].h + 0.05);
    c.checkpoint(carre(-96, -9, 3), 18.05);
    c.checkpoint(carre(-205, 0, 4), 15.05);
    c.saut(carre(-212, -6, 3), 15.05);
    for (int i = 3; i < static_cast<int>(sizeof kPiliers / sizeof kPiliers[0]); ++i)
        if (kPiliers[i].padX != 0)
            c.saut(carre(kPiliers[i].padX, kPiliers[i].padY, 2), kPiliers[i].h + 0.05);
    c.checkpoint(bandeX(-309, -315, -6, 4), 40.05);
    c.saut(carre(-337.5, -6, 2.5), 40.05);
    c.arrivee(carre(-380, 0, 5), 74.05);

    // The base camp.
    c.sol(Zone{-40, -5, -16, 16}, 0, 3);
    c.arbre(-12, 11, 0, 1);
    c.arbre(-20, -12, 0, 1.2);
    c.mur(Zone{-16, -8, -15, -11}, 0, 2, "textureSphere");

    for (const Pilier& p : kPiliers) pilier(c, carre(p.x, p.y, p.demi), p.h);
    // The first arête, with two clefts, from the third pillar.
    pilier(c, Zone{-100, -92, -12, -3}, 18);
    pilier(c, bandeX(-100, -124, -8, 3), 18);
    pilier(c, bandeX(-127, -146, -8, 3), 18);
    pilier(c, bandeX(-149, -160, -8, 3), 18);
    // The turbo lane, the gap, the col.
    c.turbo(bandeX(-160, -184, -8, 3.5), 18);
    pilier(c, Zone{-218, -194, -14, 10}, 15);
    c.vitesse(-200, 6, 15);
    // A side rock of the col with a life.
    pilier(c, Zone{-214, -206, 14, 22}, 15);
    c.sol(Zone{-211, -209, 10, 14}, 15, 0.4);
    c.vie(-210, 18, 15);

    // The second arête, from the top of the ladder.
    pilier(c, bandeX(-315, -335, -6, 3), 40);

    // The spire and its summit.
    pilier(c, carre(-380, 0, 7), 74);
    c.boule(-380, 0, 79, 1.5, "textureArrivee");

    // Peaks around, out of reach.
    const double pics[][5] = {{-150, -120, 30, 60, 30}, {-180, -150, -60, -30, 26},
                              {-460, -430, -40, -10, 70}, {-450, -420, 30, 60, 60},
                              {-300, -270, 40, 70, 46}};
    for (const auto& p : pics) c.mur(Zone{p[0], p[1], p[2], p[3]}, -30, p[4] + 30, "textureCaisse");

    c.vide(Zone{-110, 10, -40, 40}, -6);
    c.vide(Zone{-420, -110, -60, 60}, 6);
    return c.enregistrements();
}
