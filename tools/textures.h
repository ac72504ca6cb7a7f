// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_TEXTURES_H
#define VORNA_ATELIER_TEXTURES_H

// The course textures: 256 × 256, seamless on both axes, since tiled blocks
// repeat them every 4 world units.

#include <string>
#include <vector>

#include "image.h"

namespace atelier {

constexpr int TAILLE_TEXTURE = 256;

// File names under data/ of every course texture ("bois.jpg", "sol.jpg" …).
const std::vector<std::string>& nomsTextures();

// The picture of one course texture, by its file name; an empty picture for
// an unknown name.
Toile texture(const std::string& nom);

// One chevron of the accelerator pads ("speed.jpg" and "speed2.jpg"), in
// pixels of the image: its point at (x, yPointe), its two wings ending at
// (x ± demiLargeur, yAiles). The point lies below the wings (larger row),
// which a floor block shows pointing toward −x.
struct Chevron {
    double x, yPointe, yAiles, demiLargeur, epaisseur;
};
std::vector<Chevron> chevronsVitesse();

}  // namespace atelier

#endif
