// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_FENETRE_H
#define VORNA_TEST_FENETRE_H

#include <cstdint>
#include <cstdlib>
#include <vector>

// The 640 × 480 OpenGL window the drawing tests render into, opened once per
// test process (under Xvfb in CI, rendered by Mesa). Returns false, after a
// line on standard error, when no display is reachable.
bool ouvrirFenetreTest();
// Gives it another size, the GL viewport with it.
void tailleFenetreTest(int largeur, int hauteur);

// Back to a clean state between tests: black clear colour, no fog, lighting,
// blending or texturing, identity matrices, depth test on, the default
// normal and blend function.
void reinitialiserGL();

struct Pixel {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Pixel& o) const { return !(*this == o); }
};
// Each channel within `tolerance` of the other pixel's.
inline bool proche(Pixel a, Pixel b, int tolerance = 3) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// WCAG's relative luminance of a pixel, and the contrast ratio of two
// luminances (from 1 to 21).
double luminance(const Pixel& p);
double contraste(double la, double lb);
inline double contraste(const Pixel& a, const Pixel& b) { return contraste(luminance(a), luminance(b)); }

// Reads the back buffer; (x, y) from the window's top-left corner.
Pixel lirePixel(int x, int y);
// The whole back buffer (the viewport's size), rows from the top.
std::vector<Pixel> lireEcran();
// A 64-bit digest of the whole back buffer: two frames compare equal to the
// pixel when their digests do.
uint64_t empreinteEcran();

// GTest: skips the test when there is no display at all; fails it when a
// display is there but the window cannot be opened on it.
#define EXIGER_FENETRE()                                                        \
    do {                                                                        \
        if (!ouvrirFenetreTest()) {                                             \
            if (std::getenv("DISPLAY") && *std::getenv("DISPLAY"))              \
                FAIL() << "the test window cannot be opened on the display";    \
            GTEST_SKIP() << "no OpenGL display";                                \
        }                                                                       \
    } while (0)

#endif
