// SPDX-License-Identifier: GPL-3.0-or-later
// The levels of a mipmapped texture, built here the way GLU builds them,
// halving the image in place: no memory beyond the image itself.
#ifndef VORNA_MIPMAPS_H
#define VORNA_MIPMAPS_H

#include <GL/gl.h>

#include <cstddef>

// Halves in place an image of `composantes` bytes a texel whose rows are
// `ligne` bytes apart, each way as GLU halves a level: each texel the mean
// of four, rounded to nearest; the mean of two, rounded down, once one side
// is a single texel. The halved rows are written tightly packed from the
// start; `largeur` and `hauteur` become the new size. 1 × 1 stays as it is.
void moitieImage(unsigned char* pixels, int& largeur, int& hauteur, int composantes, std::size_t ligne);

// Uploads `pixels` (`format`, `composantes` bytes a texel, each row padded
// to `alignement` bytes, 1 or 4, as GL unpacks them) and every smaller
// level down to 1 × 1 to the bound texture: the levels gluBuild2DMipmaps
// gives. The pixels are spent on it (halved in place). Sizes GLU would
// rescale first (not powers of two, or beyond what the driver takes) go
// through GLU.
void construireMipmaps(GLint interne, int largeur, int hauteur, GLenum format, int composantes,
                       unsigned char* pixels, int alignement);

#endif
