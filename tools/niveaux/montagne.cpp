// SPDX-License-Identifier: GPL-3.0-or-later
// 12. Mountain: over a mountain and down to its lake. From a meadow, jump
// pads at the ends of long switchback ledges lift the ball up the rock face;
// a narrow ridge leads over the pass, steps go down to a lake crossed on
// stepping stones, and two last jumps reach the hut on the far summit. A
// life on a ledge off the way; checkpoints on the pass and at the lake.
#include "chantier.h"
#include "niveaux.h"

namespace {

// A ledge of the mountain: rock from far below, a grass top at h.
void corniche(Chantier& c, Zone z, double h) {
    c.mur(z, h - 30, 29.5, "textureCaisse");
    c.sol(z, h, 0.5);
}

}  // namespace

std::vector<Enregistrement> mountain() {
    Chantier c(0, 0, 0, carre(0, 0, 5));

    // Pads first: they lie on the grass, a little raised.
    c.saut(carre(-74, 40, 3), 0.05);
    c.saut(carre(-86, -50, 3), 6.05);
    c.saut(carre(-98, 50, 3), 12.05);
    c.saut(carre(-110, -50, 3), 18.05);
    c.saut(carre(-338, 58, 3), 4.05);
    c.saut(carre(-352, 44, 3), 10.05);
    c.checkpoint(bandeX(-128, -136, 54, 6), 24.05);
    c.checkpoint(carre(-251, 54, 4), 14.05);
    c.arrivee(carre(-370, 56, 5), 16.05);

    // The meadow, with trees and boulders.
    c.sol(Zone{-80, -5, -30, 50}, 0, 4);
    c.sol(Zone{-5, 8, 5, 50}, 0, 4);
    c.sol(Zone{-5, 8, -30, -5}, 0, 4);
    c.sol(Zone{5, 8, -5, 5}, 0, 4);
    const double arbres[][2] = {{-20, 20}, {-34, -18}, {-52, 26}, {-12, -24}, {-60, -8}, {-44, 42}};
    for (const auto& a : arbres) c.arbre(a[0], a[1], 0, 1.2);
    c.mur(carre(-28, 6, 2), 0, 1.5);
    c.mur(carre(-66, 14, 1.5), 0, 1);

    // Four switchback ledges up the face.
    corniche(c, Zone{-92, -80, -60, 60}, 6);
    corniche(c, Zone{-104, -92, -60, 60}, 12);
    corniche(c, Zone{-116, -104, -60, 60}, 18);
    corniche(c, Zone{-128, -116, -60, 60}, 24);
    c.vie(-86, 56, 6);

    // The ridge over the pass, with two clefts, then steps down.
    corniche(c, bandeX(-136, -160, 54, 4), 24);
    corniche(c, bandeX(-163, -190, 54, 4), 24);
    corniche(c, bandeX(-193, -204, 54, 4), 24);
    for (int i = 0; i < 5; ++i) corniche(c, bandeX(-204 - 8 * i, -212 - 8 * i, 54, 8), 22 - 2 * i);
    corniche(c, Zone{-258, -244, 44, 64}, 14);

    // The lake: stepping stones, each a little lower.
    const double pierres[][2] = {{-264, 52}, {-273, 46}, {-282, 52},
                                 {-291, 46}, {-300, 52}, {-309, 46}};
    double h = 14;
    for (const auto& p : pierres) {
        h -= 1.5;
        corniche(c, carre(p[0], p[1], 3), h);
    }
    // The far shore and the summit.
    corniche(c, Zone{-344, -314, 30, 64}, 4);
    corniche(c, Zone{-360, -344, 36, 72}, 10);
    corniche(c, Zone{-380, -360, 30, 72}, 16);
    c.mur(Zone{-380, -378, 44, 68}, 16, 4, "textureSphere");
    c.boule(-370, 56, 22, 1.5, "textureArrivee");

    // Peaks around, out of reach.
    const double pics[][5] = {{-180, -140, -40, 0, 40}, {-240, -200, -20, 20, 34},
                              {-320, -280, 80, 120, 38}, {-420, -390, 0, 40, 44},
                              {-300, -260, -10, 20, 30}};
    for (const auto& p : pics) c.mur(Zone{p[0], p[1], p[2], p[3]}, -30, p[4] + 30, "textureCaisse");

    c.vide(Zone{-140, 10, -80, 80}, -6);
    c.vide(Zone{-400, -140, 0, 100}, 1);
    return c.enregistrements();
}
