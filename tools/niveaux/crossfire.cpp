// SPDX-License-Identifier: GPL-3.0-or-later
// 6. Crossfire: crossing paths and choices. Three lanes run north and south;
// across each one run turbo belts that sweep toward −x, so every crossing
// takes a counter-steer. Between the second and the third lane a narrow
// plank and a jump pad save a long way round for those who dare; the
// way round holds a life, and a belt carries a speed pick-up at its far end.
#include "chantier.h"
#include "niveaux.h"

namespace {

// A lane along y at x from ya to yb, 10 wide, crossed by belts 6 wide at the
// given y (the lane is cut around them). The belts reach 12 beyond the lane
// upstream and 40 downstream (toward −x).
void voie(Chantier& c, double x, double ya, double yb, std::vector<double> tapis) {
    const double sens = yb > ya ? 1 : -1;
    double y = ya;
    for (double t : tapis) {
        c.sol(bandeY(y, t - 3 * sens, x, 10), 0);
        c.turbo(Zone{x - 45, x + 17, t - 3, t + 3}, 0);
        c.boule(x + 18, t, 0.8, 0.8, "textureSpeed");
        y = t + 3 * sens;
    }
    c.sol(bandeY(y, yb, x, 10), 0);
}

}  // namespace

std::vector<Enregistrement> crossfire() {
    Chantier c(0, 0, 0, carre(0, 0, 5));
    c.sol(bandeX(-5, -40, 0, 10), 0);
    c.sol(carre(-45, 0, 5), 0);

    // The first lane, north.
    voie(c, -45, 5, 100, {25, 50, 75});
    c.sol(carre(-45, 105, 5), 0);
    c.borne(-39.5, 110.5, -1, 3);
    c.sol(bandeX(-50, -120, 105, 10), 0);
    c.sol(carre(-125, 105, 5), 0);
    c.borne(-130.5, 110.5, -1, 3);

    // The second lane, south; the speed pick-up waits at the end of its
    // middle belt.
    voie(c, -125, 100, 5, {75, 50, 25});
    c.vitesse(-168, 50, 0);

    // The dare: a narrow plank west from the second lane, a jump over a wide
    // gap to the third.
    c.sol(bandeX(-130, -150, 60, 3), 0);
    c.saut(bandeX(-150, -154, 60, 3), 0);
    c.sol(bandeX(-186, -200, 60, 3), 0);

    // The way round, with a life.
    c.sol(carre(-125, 0, 5), 0);
    c.borne(-119.5, -5.5, -1, 3);
    c.sol(bandeX(-130, -200, 0, 10), 0);
    c.vie(-165, 0, 0);
    c.sol(carre(-205, 0, 5), 0);
    c.borne(-210.5, -5.5, -1, 3);

    // The third lane, north, and the last stretch.
    voie(c, -205, 5, 100, {25, 50, 75});
    c.sol(carre(-205, 105, 5), 0);
    c.borne(-199.5, 110.5, -1, 3);
    c.sol(bandeX(-210, -270, 105, 10), 0);
    c.arrivee(bandeX(-270, -282, 105, 12), 0);
    c.boule(-280, 111, 1.5, 1, "textureArrivee");
    c.boule(-280, 99, 1.5, 1, "textureArrivee");

    c.vide(Zone{-300, 10, -20, 125}, -12);
    return c.enregistrements();
}
