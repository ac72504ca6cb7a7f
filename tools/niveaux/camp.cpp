// SPDX-License-Identifier: GPL-3.0-or-later
// 1. Camp d'entrainement: steering and the finish. A fenced lane, two fenced
// turns, then a lane without fences with a slalom of posts, a narrowing and
// the finish. Nothing can go wrong before the last third.
#include "chantier.h"
#include "niveaux.h"

std::vector<Enregistrement> campEntrainement() {
    Chantier c(0, 0, 0, carre(0, 0, 5));
    c.borne(3.5, 4.5, 0, 2);
    c.borne(3.5, -4.5, 0, 2);

    // The first lane, fenced, straight toward −x.
    const Zone voie1 = bandeX(-5, -90, 0, 12);
    c.sol(voie1, 0);
    c.barrieres(voie1, 0, 1);
    for (double x = -20; x >= -80; x -= 20) {
        c.boule(x, 7.5, 1.5, 0.8);
        c.boule(x, -7.5, 1.5, 0.8);
    }

    // First turn, to the right (+y), against a backstop.
    const Zone place1{-106, -90, -6, 10};
    c.sol(place1, 0);
    c.mur(Zone{-106, -105, -6, 10}, 0, 1.5);
    c.mur(Zone{-105, -90, -6, -5}, 0, 1);
    c.borne(-105.5, -5.5, 1.5, 1);

    const Zone voie2 = bandeY(10, 60, -98, 12);
    c.sol(voie2, 0);
    c.barrieres(voie2, 0, 1);

    // Second turn, to the left (−x again).
    const Zone place2{-106, -90, 60, 76};
    c.sol(place2, 0);
    c.mur(Zone{-106, -90, 75, 76}, 0, 1.5);
    c.mur(Zone{-91, -90, 60, 75}, 0, 1);
    c.borne(-90.5, 75.5, 1.5, 1);

    // No fences any more: a slalom between posts.
    const Zone voie3 = bandeX(-106, -200, 68, 12);
    c.sol(voie3, 0);
    const double poteaux[][2] = {{-124, 65}, {-140, 71}, {-156, 65}, {-172, 71}};
    for (const auto& p : poteaux) c.borne(p[0], p[1], 0, 2.5);
    c.vie(-188, 65, 0);

    // A narrowing, then the finish.
    c.sol(bandeX(-200, -226, 68, 6), 0);
    c.arrivee(bandeX(-226, -240, 68, 12), 0);
    c.borne(-239, 73.5, 0, 3);
    c.borne(-239, 62.5, 0, 3);
    c.boule(-233, 68, 7, 2);

    c.vide(Zone{-250, 15, -20, 90}, -8);
    return c.enregistrements();
}
