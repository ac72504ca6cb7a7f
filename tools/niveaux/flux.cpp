// SPDX-License-Identifier: GPL-3.0-or-later
// 3. Flux: turbo pads. A first pad shows the push; a longer lane throws the
// ball over a gap no ball can clear without it; a walled stream of pads and
// rocks takes it fast to a cascade of ledges and the finish. A speed pick-up
// waits in an alcove of the stream.
#include "chantier.h"
#include "niveaux.h"

std::vector<Enregistrement> flux() {
    Chantier c(0, 0, 0, carre(0, 0, 5));

    // The first pad, then room to slow down.
    c.sol(bandeX(-5, -20, 0, 10), 0);
    c.turbo(bandeX(-20, -50, 0, 10), 0);
    c.sol(bandeX(-50, -110, 0, 10), 0);
    for (double x = -25; x >= -45; x -= 10) {
        c.boule(x, 6.5, 1, 0.6, "textureSpeed");
        c.boule(x, -6.5, 1, 0.6, "textureSpeed");
    }

    // The leap: a lane of pads, a gap, a lower landing.
    c.turbo(bandeX(-110, -160, 0, 8), 0);
    c.borne(-158, 5, -1, 2.5);
    c.borne(-158, -5, -1, 2.5);
    c.sol(bandeX(-170, -215, 0, 12), -2);
    c.borne(-172, 7, -3, 2.5);
    c.borne(-172, -7, -3, 2.5);

    // The stream: pads and floor between walls, rocks to steer around.
    const Zone flot = bandeX(-215, -375, 0, 20);
    c.turbo(bandeX(-215, -245, 0, 20), -2);
    c.sol(bandeX(-245, -265, 0, 20), -2);
    c.turbo(bandeX(-265, -305, 0, 20), -2);
    c.sol(bandeX(-305, -325, 0, 20), -2);
    c.turbo(bandeX(-325, -355, 0, 20), -2);
    c.sol(bandeX(-355, -375, 0, 20), -2);
    c.mur(Zone{flot.x0, flot.x1, flot.y1 - 1, flot.y1}, -2, 1.5);
    c.mur(Zone{flot.x0, -300, flot.y0, flot.y0 + 1}, -2, 1.5);
    c.mur(Zone{-292, flot.x1, flot.y0, flot.y0 + 1}, -2, 1.5);
    const double rochers[][2] = {{-238, 4}, {-262, -5}, {-286, 5}, {-320, -3}, {-346, 4}};
    for (const auto& r : rochers) c.mur(carre(r[0], r[1], 2), -2, 2.5);
    // The alcove of the speed pick-up.
    c.sol(Zone{-302, -290, -18, -10}, -2);
    c.mur(Zone{-302, -290, -19, -18}, -2, 1.5);
    c.vitesse(-296, -14, -2);

    // The cascade: three ledges, each lower, then the finish.
    c.turbo(bandeX(-381, -399, 0, 14), -5);
    c.sol(bandeX(-399, -405, 0, 14), -5);
    c.sol(bandeX(-411, -440, 0, 14), -8);
    c.sol(bandeX(-446, -470, 0, 14), -11);
    c.arrivee(bandeX(-470, -482, 0, 14), -11);
    c.boule(-480, 7.5, -9, 1, "textureArrivee");
    c.boule(-480, -7.5, -9, 1, "textureArrivee");

    c.vide(Zone{-495, 10, -30, 30}, -20);
    return c.enregistrements();
}
