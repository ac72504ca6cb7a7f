// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TGA_GRIS_H
#define VORNA_TGA_GRIS_H

#include <SDL.h>

#include <vector>

// A true-colour 32-bit Targa file (raw or run-length encoded) whose pixels
// are all grey (red = green = blue), as the font is: its luminance and alpha,
// two bytes a pixel, rows in the order OpenGL takes them (the picture's
// bottom row first), decoded straight from the file with no other copy.
// False, `la` left empty, for any other file: SDL_image reads those.
bool lireTgaGris(const char* chemin, int& largeur, int& hauteur, std::vector<Uint8>& la);

#endif
