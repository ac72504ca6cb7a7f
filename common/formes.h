// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FORMES_H
#define VORNA_FORMES_H

#include <cstddef>
#include <vector>

// The round shapes of the game (rings, balls, the sky) kept ready to draw.
// A shape holds exactly the vertices, normals and texture coordinates the
// GLU quadric routines send for it (smooth normals, facing outward, texture
// coordinates on), strip by strip, so drawing it from these arrays gives the
// same pixels as calling the quadric routine, without computing the shape
// again each frame.
class Forme {
public:
    // Draws the strips in the current modelview matrix with the current
    // texture, colour and state, then leaves the current normal and texture
    // coordinate where the quadric routine leaves them.
    void dessiner() const;
    std::size_t sommets() const { return m_sommets.size() / 3; }

private:
    friend Forme formeCylindre(double base, double haut, double hauteur, int tranches, int piles);
    friend Forme formeSphere(double rayon, int tranches, int piles);
    void sommet(float nx, float ny, float nz, float s, float t, float x, float y, float z);
    void bande();   // starts a quad strip
    void finir();   // after the last strip

    std::vector<float> m_sommets, m_normales, m_texture;
    std::vector<int> m_debuts;   // first vertex of each quad strip
    std::vector<int> m_tailles;  // and its number of vertices
};

// What gluCylinder and gluSphere draw with a quadric that has texture
// coordinates on and every other setting at its default.
Forme formeCylindre(double base, double haut, double hauteur, int tranches, int piles);
Forme formeSphere(double rayon, int tranches, int piles);

// The shapes of the game, built on first use and kept for the life of the
// process: the centre ball of the pick-ups, the balls, the decorative spheres
// and the sky use 20 slices and 20 stacks. The pick-ups' rings use 20 slices
// and a single stack: their walls are straight from bottom to top, so one
// stack describes the same surface, with the same normals and texture, as
// the twenty hair-thin stacks the plain way draws, in 40 triangles instead
// of 800 (only which edge pixels are covered may differ).
const Forme& anneau20(double base, double haut, double hauteur);
const Forme& sphere20(double rayon);

#endif
