// SPDX-License-Identifier: GPL-3.0-or-later
#include "ville.h"

Zone emprise(const Quartier& q) {
    const double demi = 15.0 * q.rangees;
    return Zone{q.xEst - 30.0 * q.colonnes, q.xEst, q.yCentre - demi, q.yCentre + demi};
}

Zone ilot(const Quartier& q, int i, int j) {
    const double x = q.xEst - 15 - 30.0 * i;
    const double y = q.yCentre + 30.0 * (j - (q.rangees - 1) / 2.0);
    return carre(x, y, 10);
}

void fontaine(Chantier& c, Zone z, const char* texture) {
    c.mur(carre(z.cx(), z.cy(), 3), 0, 0.6, "textureSol");
    c.boule(z.cx(), z.cy(), 2.2, 1.6, texture);
}

void quartier(Chantier& c, const Quartier& q) {
    c.sol(emprise(q), q.h, 2);
    for (int i = 0; i < q.colonnes; ++i)
        for (int j = 0; j < q.rangees; ++j) {
            bool place = false;
            for (const auto& p : q.places) place = place || (p.first == i && p.second == j);
            if (place) continue;
            const Zone z = ilot(q, i, j);
            const int n = (i * 7 + j * 13 + q.graine * 5) % 9;
            const double haut = q.hauteurMin + (q.hauteurMax - q.hauteurMin) * n / 8.0;
            if (n % 3 == 0) {
                // Two buildings side by side, one taller.
                c.mur(Zone{z.x0, z.x1, z.y0, z.cy() - 0.5}, q.h, haut, "textureSol");
                c.mur(Zone{z.x0 + 2, z.x1 - 2, z.cy() + 0.5, z.y1}, q.h, haut * 0.6 + 1,
                      "textureCaisse");
            } else {
                c.mur(z, q.h, haut, n % 2 ? "textureSol" : "textureCaisse");
            }
        }
}
