// SPDX-License-Identifier: GPL-3.0-or-later
// 14. Cage: the final test, everything at once inside a long cage of bars.
// A narrow beam to the gate; a floor of tiles with holes to thread; a lane
// crossed by turbo belts over a pit; a turbo leap down to a ledge and a jump
// up to a gallery whose walls leave narrow gates; a beam over the pit to a
// hall of staggered gates; a second leap and jump; the finish in a small
// cage of its own. Walls all round keep the ball in, never out of the
// holes.
#include <cmath>

#include "chantier.h"
#include "niveaux.h"

namespace {

const double XE = -22, XO = -392;  // east and west ends of the cage
const double Y = 44;               // it spans y −44 … 44

// The side walls rise with the floors inside: 1.5 above the highest floor
// of each stretch.
struct Cote {
    double x0, x1, haut;
};
const Cote kCotes[] = {{-140, XE - 2, 1.5}, {-292, -140, 7.5}, {XO, -292, 13.5}};

// The walls all round, the bars on them, rails on top.
void barreaux(Chantier& c) {
    const double haut = 24;
    for (const Cote& k : kCotes) {
        c.mur(Zone{k.x0, k.x1, Y - 2, Y}, -4, k.haut + 4);
        c.mur(Zone{k.x0, k.x1, -Y, -Y + 2}, -4, k.haut + 4);
        for (double x = k.x1 - 8; x > k.x0; x -= 16) {
            c.mur(Zone{x - 1, x, Y - 1.5, Y - 0.5}, k.haut, haut - k.haut, "textureSol");
            c.mur(Zone{x - 1, x, -Y + 0.5, -Y + 1.5}, k.haut, haut - k.haut, "textureSol");
        }
    }
    for (double y = -Y + 11; y < Y; y += 11) {
        if (std::abs(y) < 3) continue;  // the gate
        c.mur(Zone{XE - 1.5, XE - 0.5, y - 0.5, y + 0.5}, 1.5, haut - 1.5, "textureSol");
        c.mur(Zone{XO + 0.5, XO + 1.5, y - 0.5, y + 0.5}, 13, haut - 13, "textureSol");
    }
    c.mur(Zone{XO, XE, Y - 2, Y}, haut, 1, "textureCaisse");
    c.mur(Zone{XO, XE, -Y, -Y + 2}, haut, 1, "textureCaisse");
    c.mur(Zone{XE - 2, XE, -Y, Y}, haut, 1, "textureCaisse");
    c.mur(Zone{XO, XO + 2, -Y, Y}, haut, 1, "textureCaisse");
}

// The floor of tiles, 6 by 7, each 12 square, from x = −24 toward −x and
// from y = 42 down; '.' is a hole. The gate tile is cut around the first
// checkpoint.
void dallage(Chantier& c) {
    const char* const dalles[7] = {
        "##...#", "#.#..#", "#.###.", "#..#.#", "##.###", "##.#.#", "####.#",
    };
    for (int r = 0; r < 7; ++r) {
        const double y = 36 - 12 * r;
        for (int k = 0; k < 6;) {
            int fin = k;
            while (fin < 6 && dalles[r][fin] == '#') ++fin;
            if (fin > k) {
                const Zone z = bandeX(XE - 2 - 12 * k, XE - 2 - 12 * fin, y, 12);
                if (r == 3 && k == 0) {
                    c.sol(Zone{z.x0, -34, z.y0, z.y1}, 0);
                    c.sol(Zone{-26, z.x1, z.y0, z.y1}, 0);
                    c.sol(Zone{-34, -26, z.y0, -4}, 0);
                    c.sol(Zone{-34, -26, 4, z.y1}, 0);
                } else {
                    c.sol(z, 0);
                }
            }
            k = fin == k ? k + 1 : fin;
        }
    }
}

}  // namespace

std::vector<Enregistrement> cage() {
    Chantier c(0, 0, 0, carre(0, 0, 4));

    // Tiles that act before the floors under them, in course order.
    c.checkpoint(carre(-30, 0, 4), 0);
    c.saut(carre(-160, 29, 2.5), -2.95);
    c.checkpoint(carre(-186, 30, 4), 5.05);
    c.checkpoint(carre(-270, -34, 4), 5.05);
    c.saut(carre(-346, 29, 2.5), 2.05);
    c.arrivee(carre(-376, -34, 4), 11.05);

    // The beam to the gate; low walls all round, the gate in the east one.
    c.sol(bandeX(-4, -24, 0, 2.5), 0, 0.6);
    c.mur(Zone{XE - 2, XE, -Y, -2}, -1, 2.5);
    c.mur(Zone{XE - 2, XE, 2, Y}, -1, 2.5);
    c.mur(Zone{XO, XO + 2, -Y + 2, Y - 2}, -4, 17);
    barreaux(c);

    dallage(c);
    c.vitesse(-42, 36, 0);

    // The lane north over the pit, crossed by belts.
    double y0 = -42;
    for (double t : {-22.0, 0.0, 22.0}) {
        c.sol(bandeY(y0, t - 3, -102, 10), 0);
        c.turbo(Zone{-136, -96, t - 3, t + 3}, 0);
        y0 = t + 3;
    }
    c.sol(bandeY(y0, 42, -102, 10), 0);

    // The turbo leap down to a ledge, the jump up to the first gallery.
    c.turbo(bandeX(-107, -134, 37, 8), 0);
    c.sol(Zone{-170, -142, 22, 42}, -3);
    c.sol(Zone{-204, -170, -42, 42}, 5, 9);
    c.vie(-197, 38, 5);
    c.mur(Zone{-204, -174, 8, 10}, 5, 2.5);
    c.mur(Zone{-204, -178, -12, -10}, 5, 2.5);
    c.mur(Zone{-174, -170, -12, -10}, 5, 2.5);

    // A beam over the pit to the hall of staggered gates.
    c.sol(bandeX(-204, -252, -34, 3), 5, 0.6);
    c.sol(Zone{-292, -252, -42, 42}, 5, 9);
    for (int i = 0; i < 4; ++i) {
        const double y = -22 + 14 * i;
        if (i % 2 == 0)
            c.mur(Zone{-292, -258, y - 1, y + 1}, 5, 2.5);
        else
            c.mur(Zone{-286, -252, y - 1, y + 1}, 5, 2.5);
    }

    // The second leap and jump, to the last gallery and the cage of the finish.
    c.turbo(bandeX(-292, -318, 37, 8), 5);
    c.sol(Zone{-356, -326, 22, 42}, 2);
    c.sol(Zone{-390, -356, -42, 42}, 11, 15);
    c.mur(Zone{-390, -360, 8, 10}, 11, 2.5);
    c.mur(Zone{-390, -378, -24, -22}, 11, 2.5);
    c.mur(Zone{-374, -356, -24, -22}, 11, 2.5);
    // Its bars, open to the sky so the camera sees the ball inside.
    for (double x : {-369.0, -383.0}) {
        c.mur(Zone{x - 0.5, x + 0.5, -42, -24}, 11, 1.5);
        for (double y = -39; y < -24; y += 4)
            c.mur(Zone{x - 0.5, x + 0.5, y - 0.5, y + 0.5}, 12.5, 3.5, "textureSol");
        c.mur(Zone{x - 0.5, x + 0.5, -42, -24}, 16, 0.5, "textureSol");
    }
    c.boule(-376, -34, 22, 1.5, "textureArrivee");

    c.vide(Zone{XO - 10, XE + 10, -Y - 10, Y + 10}, -10);
    return c.enregistrements();
}
