#ifndef VORNA_TEST_DONNEES_EDITEUR_H
#define VORNA_TEST_DONNEES_EDITEUR_H

#include <string>

#include "fenetre_test.h"

// Writes the images the editor loads into data/ of the working directory:
// the nine palette images, each a 64 × 64 square cut in four quadrants of
// the colours quadrant(0 … 3) (left to right, then top to bottom), and the
// font data/font1.TGA, whose every cell is opaque white on its left half and
// transparent on its right half, so glyphs never overlap and a space shows
// as a gap.
void donneesEditeur();
Pixel quadrant(int q);

// A large map for the editor: the start, then `n` records on a field of
// 4 × 4 tiles five wide toward −x, of every kind the palette knows (the
// walls one level up), with starts, pick-ups and kinds the palette does not
// know sprinkled in, some turned (the editor does not draw rotations).
std::string carteEditeur(int n);

#endif
