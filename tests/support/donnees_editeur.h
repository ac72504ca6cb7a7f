// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_DONNEES_EDITEUR_H
#define VORNA_TEST_DONNEES_EDITEUR_H

#include <string>

#include "fenetre_test.h"

// Writes the images the editor loads into data/: the nine palette images, each
// 64 × 64 in four quadrants of the colours quadrant(0 … 3) (left to right, then
// top to bottom), and a font whose cells are opaque white on their left half
// only, so glyphs never overlap and a space shows as a gap.
void donneesEditeur();
Pixel quadrant(int q);

// A map of the start and `n` records on 4 × 4 tiles five wide toward −x: every
// kind, walls a level up, more starts, kinds the palette lacks, some turned.
std::string carteEditeur(int n);

// A map the game's ball finishes when the forward key (Up, toward −x) is
// held from the start: a long floor, the finish at its end at the same height.
std::string carteToutDroit();

#endif
