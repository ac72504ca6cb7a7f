// SPDX-License-Identifier: GPL-3.0-or-later
// 9. Theta City: heights and jumps between roofs. The course runs over the
// roofs of towers standing in the void: it rolls off onto lower roofs across
// the streets, and jump pads near the edges throw it up onto higher ones, up
// to the tallest tower where the finish is. A girder joins two roofs; a life
// waits on a small roof off the way; two checkpoints.
#include "chantier.h"
#include "niveaux.h"

namespace {

struct Toit {
    double x0, x1, y0, y1, h;
};

// The roofs of the course, in course order.
const Toit kToits[] = {
    {-24, 6, -10, 10, 0},     {-54, -30, -10, 10, -3},  {-88, -60, -12, 12, 3},
    {-88, -64, 18, 44, 0},    {-120, -94, 20, 44, -2},  {-154, -126, 16, 48, 5},
    {-154, -130, -16, 10, 2}, {-186, -160, -20, 8, -1}, {-220, -192, -20, 4, 6},
    {-274, -250, -18, 4, 6},  {-274, -250, 10, 34, 3},  {-306, -280, 10, 34, 0},
    {-340, -312, 8, 36, 7},   {-374, -346, 8, 36, 4},   {-408, -380, 6, 38, 11},
    {-442, -414, 8, 36, 8},   {-476, -448, 6, 38, 15},
};

// A tower whose roof is at h, standing from far below the streets.
void tour(Chantier& c, Zone z, double h, const char* texture = "textureSol") {
    c.mur(z, -40, h + 40, texture);
}

}  // namespace

std::vector<Enregistrement> thetaCity() {
    Chantier c(0, 0, 0, carre(0, 0, 5));

    // Tiles on the roofs first, a little raised: checkpoints, jump pads and
    // the finish act before the roofs under them.
    c.checkpoint(carre(-107, 32, 4), -1.95);
    c.checkpoint(carre(-290, 22, 4), 0.05);
    c.saut(Zone{-54, -48, -3, 3}, -2.95);
    c.saut(Zone{-120, -114, 29, 35}, -1.95);
    c.saut(Zone{-186, -180, -9, -3}, -0.95);
    c.saut(Zone{-306, -300, 19, 25}, 0.05);
    c.saut(Zone{-374, -368, 19, 25}, 4.05);
    c.saut(Zone{-442, -436, 19, 25}, 8.05);
    c.arrivee(Zone{-476, -466, 12, 32}, 15.05);

    // The start roof lies under the start pad.
    tour(c, Zone{-24, 6, -10, 10}, -1);
    for (size_t i = 1; i < sizeof kToits / sizeof kToits[0]; ++i) {
        const Toit& t = kToits[i];
        tour(c, Zone{t.x0, t.x1, t.y0, t.y1}, t.h, i % 3 == 1 ? "textureCaisse" : "textureSol");
    }
    // The girder between the two roofs at height 6.
    c.sol(Zone{-250, -220, -9, -6}, 6, 0.6);
    c.mur(Zone{-236, -234, -9, -6}, -40, 45.4, "textureCaisse");
    c.vitesse(-235, -7.5, 6);

    // A small roof off the way, with a life, reached by a plank.
    c.sol(Zone{-104, -100, 44, 50}, -2, 0.6);
    tour(c, Zone{-112, -96, 50, 62}, -2, "textureCaisse");
    c.vie(-104, 56, -2);

    // The city around: towers out of reach.
    const double fond[][5] = {{-60, -40, 50, 70, 14},     {-150, -126, 56, 76, 20},
                              {-230, -200, 44, 66, 12},   {-330, -300, 48, 72, 18},
                              {-90, -62, -46, -26, 10},   {-200, -168, -56, -34, 16},
                              {-300, -270, -40, -20, 12}, {-440, -410, -30, -8, 24}};
    for (const auto& f : fond) tour(c, Zone{f[0], f[1], f[2], f[3]}, f[4], "textureCaisse");
    c.boule(-462, 22, 20, 2.5, "textureArrivee");

    c.vide(Zone{-430, 20, -60, 80}, -14);
    return c.enregistrements();
}
