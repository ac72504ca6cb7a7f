// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_VILLE_H
#define VORNA_VILLE_H

#include <utility>
#include <vector>

#include "chantier.h"

// A district of a city: a grid of buildings 20 units square with streets 10
// wide between them (5 wide along the district's rims), on one floor slab.
// Column i (from 0, toward −x) of block centres lies at xEst − 15 − 30 i, row
// j (from 0, toward +y) at yCentre + 30 (j − (rangees − 1) / 2): the streets
// along y run at xEst − 30 k, the streets along x halfway between rows.
struct Quartier {
    explicit Quartier(double x) : xEst(x) {}
    double xEst;
    int colonnes = 3;
    int rangees = 5;
    double yCentre = 0;
    double h = 0;
    int graine = 0;                          // varies the heights of the buildings
    std::vector<std::pair<int, int>> places; // blocks left open, as (column, row)
    // Low enough for the camera to see over them into the street behind.
    double hauteurMin = 3, hauteurMax = 6;
};

Zone emprise(const Quartier& q);
// The ground of the block (i, j).
Zone ilot(const Quartier& q, int i, int j);
void quartier(Chantier& c, const Quartier& q);
// A fountain in the middle of an open square: a low basin and a ball.
void fontaine(Chantier& c, Zone z, const char* texture = "textureSauvegarde");

#endif
