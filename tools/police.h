// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_POLICE_H
#define VORNA_ATELIER_POLICE_H

// Text rendered from the system's DejaVu TrueType fonts with FreeType: the
// game's bitmap font atlas and the lettering of the logo.

#include <string>
#include <vector>

#include "caracteres.h"
#include "image.h"

namespace atelier {

// Where the DejaVu fonts live.
std::string cheminPolice(const std::string& fichier);

// A coverage plane (0 … 1 per pixel), rows from the top.
struct Plan {
    int largeur = 0, hauteur = 0;
    std::vector<double> v;
    Plan(int l, int h) : largeur(l), hauteur(h), v(size_t(l) * h, 0.0) {}
    double& at(int x, int y) { return v[size_t(y) * largeur + x]; }
    double at(int x, int y) const { return v[size_t(y) * largeur + x]; }
};

// One TrueType face. Throws std::runtime_error when the file cannot be read.
class Police {
public:
    explicit Police(const std::string& fichier);
    ~Police();
    Police(const Police&) = delete;
    Police& operator=(const Police&) = delete;

    // Ink of character `c` into `plan`: the em square is `emX` pixels wide and
    // `emY` pixels high (they may differ, to pre-squash lettering that is
    // drawn stretched), the pen at (x, y) on the baseline, in pixels with
    // fractions. Coverage adds up to at most 1.
    void dessiner(Plan& plan, unsigned long c, double emX, double emY, double x, double y);
    // The pen advance of `c` at that horizontal size, in pixels.
    double avance(unsigned long c, double emX, double emY);

private:
    void* m_bibliotheque = nullptr;  // FT_Library
    void* m_face = nullptr;          // FT_Face
    void taille(double emX, double emY);
};

// ---- the bitmap font "data/font1.TGA" -------------------------------------------

// Cells of 102.4 pixels, 10 to a row and 40 rows, laid out as caracteres.h
// says: the first 100 cells as the font of old had them, pixel for pixel.
constexpr int TAILLE_ATLAS = 1024;
constexpr int HAUTEUR_ATLAS = TAILLE_ATLAS * kLignesAtlas / kColonnesAtlas;
// White glyphs with a dark rim on a transparent ground (and an empty box, the
// placeholder, in its cell): the game tints the
// white and the rim keeps the text readable over any scene. Each glyph sits
// in the left half of its cell, the part the text printer shows before the
// next character's quad, with a margin on every side so that neighbouring
// cells never bleed into each other, down to small mipmaps.
Toile atlasPolice();
// The white `encre` with a soft dark rim about one screen pixel wide, for a
// texture where one screen pixel spans texelX × texelY texels.
Toile avecContour(const Plan& encre, double texelX, double texelY);

}  // namespace atelier

#endif
