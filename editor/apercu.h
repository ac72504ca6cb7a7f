// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_APERCU_H
#define VORNA_EDITEUR_APERCU_H

#include <string>
#include <vector>

namespace editeur {

// The small picture a published map is shown with: the overview drawn by
// the editor, read back from the frame, scaled down and written as a PNG.

// An RGB picture, 3 bytes a pixel, rows from the top.
struct ImageRgb {
    int largeur = 0, hauteur = 0;
    std::vector<unsigned char> pixels;
};

// What the current viewport of the back buffer holds now.
ImageRgb lireImage();

// `image` scaled down (each pixel the mean of those it covers) to fit in
// `largeur` × `hauteur`, its proportions kept; never scaled up.
ImageRgb reduire(const ImageRgb& image, int largeur, int hauteur);

// `image` as a PNG at most 256 × 192 and `octetsMax` bytes, halved again
// while it is larger; "" when it cannot be made.
std::string apercuPng(const ImageRgb& image, std::size_t octetsMax);

}  // namespace editeur

#endif
