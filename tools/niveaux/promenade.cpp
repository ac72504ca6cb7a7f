// SPDX-License-Identifier: GPL-3.0-or-later
// 2. Promenade: a long, easy walk with turns. Lamp-lit paths wind down two
// flights of steps, over a slim footbridge to a checkpoint, past a belvedere
// (a life for the detour) and down again to the finish.
#include "chantier.h"
#include "niveaux.h"

std::vector<Enregistrement> promenade() {
    Chantier c(0, 0, 0, carre(0, 0, 4));

    c.chemin({{-8, 0}, {-50, 0}, {-50, -30}, {-92, -30}}, 0, 8);
    for (double x : {-20.0, -36.0}) {
        c.borne(x, 4.5, -1, 3);
        c.borne(x, -4.5, -1, 3);
    }
    c.borne(-54.5, 4.5, -1, 3);
    c.escalier(-96, -30, 0, 3, 1, 4, 8, true);

    // Down the steps, then north over the footbridge.
    c.chemin({{-112, -30}, {-150, -30}}, -3, 8);
    c.sol(bandeY(-26, -12, -150, 8), -3);
    c.sol(bandeY(-12, 8, -150, 4), -3, 0.6);
    c.sol(bandeY(8, 18, -150, 8), -3);
    for (double y : {-10.0, 6.0}) {
        c.borne(-152.5, y, -3, 1.5);
        c.borne(-147.5, y, -3, 1.5);
    }
    c.boule(-160, -2, -8, 1.5);
    c.boule(-141, 3, -10, 1.2);
    c.checkpoint(carre(-150, 22, 4), -3);
    c.boule(-145, 26, -0.2, 0.7, "textureSauvegarde");

    // West, with the belvedere to the north.
    c.sol(bandeX(-154, -196, 22, 8), -3);
    c.sol(bandeY(26, 38, -178, 4), -3);
    const Zone belvedere = carre(-178, 44, 6);
    c.sol(belvedere, -3);
    c.mur(Zone{belvedere.x0, belvedere.x1, belvedere.y1 - 1, belvedere.y1}, -3, 1);
    c.mur(Zone{belvedere.x0, belvedere.x0 + 1, belvedere.y0, belvedere.y1 - 1}, -3, 1);
    c.mur(Zone{belvedere.x1 - 1, belvedere.x1, belvedere.y0, belvedere.y1 - 1}, -3, 1);
    c.boule(belvedere.x0 + 0.5, belvedere.y1 - 0.5, -1.3, 0.7);
    c.boule(belvedere.x1 - 0.5, belvedere.y1 - 0.5, -1.3, 0.7);
    c.vie(-178, 45, -3);

    c.chemin({{-200, 22}, {-200, -20}, {-240, -20}}, -3, 8);
    c.borne(-204.5, 26.5, -3, 3);
    c.borne(-195.5, -24.5, -3, 3);
    c.escalier(-244, -20, -3, 2, 1, 4, 8, true);

    // The last stretch and the finish.
    c.chemin({{-256, -20}, {-300, -20}}, -5, 8);
    for (double x : {-268.0, -284.0}) {
        c.borne(x, -15.5, -6, 3);
        c.borne(x, -24.5, -6, 3);
    }
    c.arrivee(bandeX(-304, -316, -20, 12), -5);
    c.boule(-314, -14.5, -2.5, 1, "textureArrivee");
    c.boule(-314, -25.5, -2.5, 1, "textureArrivee");

    c.vide(Zone{-330, 15, -45, 60}, -14);
    return c.enregistrements();
}
