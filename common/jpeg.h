// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG files, the game's textures and skies, decoded by libjpeg straight
// into the rows GL takes: the game needs no other image library to start.
#ifndef VORNA_JPEG_H
#define VORNA_JPEG_H

#include <memory>
#include <string>

struct ImageJpeg {
    int largeur = 0, hauteur = 0;
    // R, G, B; each row padded to 4 bytes; the file's last row first (its
    // first row ends at t = 1).
    std::unique_ptr<unsigned char[]> pixels;
};

enum class LectureJpeg { PasJpeg, Illisible, Lue };

// Reads `fichier` when it is a JPEG file (by its first bytes). PasJpeg for
// any other file, left to other readers; Illisible, with libjpeg's reason in
// `pourquoi`, for a JPEG file it cannot decode or one larger than 16384
// texels a side.
LectureJpeg lireJpeg(const char* fichier, ImageJpeg& image, std::string& pourquoi);

#endif
