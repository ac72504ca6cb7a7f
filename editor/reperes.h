// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_REPERES_H
#define VORNA_EDITEUR_REPERES_H

#include <vector>

#include "objet_editeur.h"

namespace editeur {

// What helps the designer see where an object stands, drawn in the scene:
// the ground grid, the drop line and the outline of the chosen object; and
// snapping to the grid.

// Where the drop line of `h` ends: the top of the first of objets[0 … n − 1]
// (but `exclu`) straight below the bottom of `h`, or `h`'s bottom − 100 when
// none is; `touche` receives whether one is.
double hauteurDessous(const std::vector<Heros>& objets, int n, int exclu, const Heros& h, bool* touche = nullptr);

// Faint 1-unit squares at the height of the bottom of `h`, around it,
// fading with the distance from it. Leaves depth writing on, blending and
// texturing as the text printer wants them (blending off, texturing on).
void dessinerGrille(const Heros& h);
// A line from the bottom of `h` straight down to `bas`, with a small square
// where it lands when `touche`.
void dessinerLigneChute(const Heros& h, double bas, bool touche);
// The edges of the box of `h`, thick and bright, over everything drawn.
void dessinerContour(const Heros& h);

// The outline of the rectangle of window points (x0, y0) to (x1, y1) being
// drawn to choose objects, over everything, in a window `hauteur` pixels high.
void dessinerRectangle(int x0, int y0, int x1, int y1, int hauteur);

// The colours the drop line and the outline are drawn in.
extern const unsigned char kCouleurChute[3];
extern const unsigned char kCouleurContour[3];

// Snapping: the position to whole units, the half-sizes to halves.
void aimanter(Heros& h);

}  // namespace editeur

#endif
