// SPDX-License-Identifier: GPL-3.0-or-later
// 5. Alpha City: a city of blocks with streets. Three districts on islands,
// each reached by one bridge on the other side from the last, so the ball
// crosses every district through its streets; a checkpoint on two bridges, a
// life in a square, a speed pick-up in another, a turbo avenue, and the
// finish on a plaza among towers.
#include "chantier.h"
#include "niveaux.h"
#include "ville.h"

namespace {

// A bridge over the canal from x0 toward −x, at y, with a checkpoint in the
// middle when asked.
void pont(Chantier& c, double x0, double y, bool sauvegarde) {
    c.sol(bandeX(x0, x0 - 4, y, 8), 0);
    if (sauvegarde)
        c.checkpoint(bandeX(x0 - 4, x0 - 10, y, 8), 0);
    else
        c.sol(bandeX(x0 - 4, x0 - 10, y, 8), 0);
    c.sol(bandeX(x0 - 10, x0 - 14, y, 8), 0);
    c.borne(x0 - 1, y + 4.5, -1, 3);
    c.borne(x0 - 1, y - 4.5, -1, 3);
    c.borne(x0 - 13, y + 4.5, -1, 3);
    c.borne(x0 - 13, y - 4.5, -1, 3);
}

}  // namespace

std::vector<Enregistrement> alphaCity() {
    Chantier c(0, 15, 0, carre(0, 15, 5));
    c.sol(bandeX(-5, -10, 15, 10), 0);

    Quartier q1{-10};
    q1.graine = 1;
    q1.places = {{1, 1}};
    quartier(c, q1);
    fontaine(c, ilot(q1, 1, 1));
    pont(c, -100, 45, true);

    Quartier q2{-114};
    q2.graine = 2;
    q2.places = {{0, 2}};
    quartier(c, q2);
    fontaine(c, ilot(q2, 0, 2));
    c.vie(-129, 6, 0);
    pont(c, -204, -45, true);

    // The third district: its northern street is a turbo avenue.
    Quartier q3{-218};
    q3.graine = 3;
    q3.places = {{1, 0}};
    c.turbo(bandeX(-250, -300, 45, 8), 0.05);
    quartier(c, q3);
    c.vitesse(-263, -60, 0);
    c.boule(-263, -66, 1.5, 1.2, "textureSpeed");
    pont(c, -308, 45, false);

    // The plaza of the finish, among towers.
    const Zone place{-392, -322, -30, 75};
    c.arrivee(carre(-372, 10, 8), 0.05);
    c.sol(place, 0, 2);
    for (double y : {-22.0, 28.0, 67.0}) c.mur(carre(-384, y, 6), 0, 16, "textureSol");
    c.mur(carre(-340, -22, 6), 0, 5, "textureCaisse");
    for (double x : {-360.0, -384.0}) c.boule(x, 10, 1.5, 1, "textureArrivee");
    c.boule(-372, 10, 7, 2, "textureArrivee");

    c.vide(Zone{-400, 10, -90, 90}, -12);
    return c.enregistrements();
}
