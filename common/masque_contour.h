// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MASQUE_CONTOUR_H
#define VORNA_MASQUE_CONTOUR_H

#include <vector>

// The outline of a font atlas, drawn in one quad a glyph: each cell's ink
// spread two design pixels each way, in a cell of its own grown by that ring,
// at about one texel per design pixel. Drawing it in black under the glyph
// costs two quads a glyph where shifted copies of the glyph cost twenty-five.

// Where one glyph's outline goes: its quad grown by the ring (in the
// printer's units) and the mask's texture coordinates at its corners.
struct QuadContour {
    double gauche, bas, droite, haut;
    double s0, t0, s1, t1;
};

class MasqueContour {
public:
    // From the alpha of a font atlas (`largeur` × `hauteur`, rows from the
    // bottom as GL keeps them, `lignes` rows of 10 cells), whose cells are
    // drawn `largeurGlyphe` × `hauteurGlyphe` units, two units a pixel.
    MasqueContour(const std::vector<unsigned char>& alpha, int largeur, int hauteur, int lignes,
                  double largeurGlyphe, double hauteurGlyphe);

    // The mask's alpha, rows from the bottom.
    const std::vector<unsigned char>& alpha() const { return m_alpha; }
    int largeur() const { return m_largeur; }
    int hauteur() const { return m_hauteur; }

    // The outline of cell `cellule` for a glyph quad at (gauche, bas), of
    // `largeur` × `hauteur` units.
    QuadContour quad(int cellule, double gauche, double bas, double largeur, double hauteur) const;

private:
    void remplirCellule(const std::vector<unsigned char>& source, int colonne, int ligne);
    void etendre(int colonne, int ligne);

    int m_source[2];   // the atlas's size in texels
    int m_lignes;
    int m_rayon[2];    // the ring, in texels each way
    int m_cellule[2];  // a mask cell, ring and a guard texel included
    int m_largeur = 0, m_hauteur = 0;
    std::vector<unsigned char> m_alpha;
};

// The mask of the font texture `police` whose glyphs are drawn
// `largeurGlyphe` × `hauteurGlyphe` units (built from it on first use, kept
// until oublierMasqueContour), its texture bound on return; the caller binds
// the font again. Null when the font has no texels to read.
const MasqueContour* masqueLie(unsigned int police, double largeurGlyphe, double hauteurGlyphe);

// Drops the mask of a font texture being deleted.
void oublierMasqueContour(unsigned int police);

#endif
