// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_POINTAGE_H
#define VORNA_EDITEUR_POINTAGE_H

#include <vector>

#include "objet_editeur.h"

namespace editeur {

// Picking: the object under the pointer, found by a ray from the camera
// through the pointer, cast in the very view of the frame the user sees (its
// matrices and viewport, whatever the window's size or the projection).

// The matrices and viewport a frame was drawn with.
struct VueImage {
    double modele[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    int viewport[4] = {0, 0, 640, 480};
    int hauteurFenetre = 480;  // pixels; window y runs down from its top
};
// The current GL matrices and viewport, and the height of the program's window.
VueImage lireVue();

struct Rayon {
    double origine[3], direction[3];  // the direction is not normalised
};
// The ray through the window point (x, y), in pixels from the window's
// top-left corner; false when the view cannot be inverted.
bool rayonDuPoint(const VueImage& vue, int x, int y, Rayon& r);

// Where the ray enters the box of `h` (its centre ± its half-sizes, a round
// object's box of its radius), as the ray's parameter; −1 when it misses it
// or starts inside it.
double entreeBoite(const Rayon& r, const Heros& h);

// The index of the object of objets[0 … n − 1] the ray enters first, or −1.
int objetVise(const std::vector<Heros>& objets, int n, const Rayon& r);

// The indices of the objects of objets[0 … n − 1] whose centres show in
// front of the camera within the rectangle of window points (x0, y0) to
// (x1, y1), corners in either order, borders included.
std::vector<int> objetsDansRectangle(const VueImage& vue, const std::vector<Heros>& objets, int n, int x0, int y0,
                                     int x1, int y1);

}  // namespace editeur

#endif
