// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmap text printer, drawn into the real window and read back. The
// test font's cells are solid blocks, each of its own colour, with a top
// half and a bottom half that differ, so every glyph can be told from its
// pixels. One unit of the printer's view is half a pixel. Last, the
// generated font as the game prints it, accented letters included.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "generateur.h"
#include "texte.h"
#include "texture.h"
#include "textures.h"

namespace {

const int kCelluleTransparente = 'T' - 48;

Pixel couleurCellule(int c, bool haut) {
    return Pixel{uint8_t(20 + 2 * c), uint8_t(250 - 2 * c), uint8_t(haut ? 200 : 40)};
}

// The inked box of the screen: x0, y0, x1, y1 (x1 < 0 when nothing is drawn).
std::vector<int> encre() {
    std::vector<int> b = {640, 480, -1, -1};
    const std::vector<Pixel> e = lireEcran();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (e[y * 640 + x] != Pixel{})
                b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
    return b;
}

// The cell whose colour the pixel shows (its top half or bottom half), or −1.
int celluleVue(int x, int y, bool haut = true) {
    const Pixel p = lirePixel(x, y);
    for (int c = 0; c < 100; ++c)
        if (p == couleurCellule(c, haut)) return c;
    return -1;
}

struct Texte_ : ::testing::Test {
    DossierTemporaire dossier;
    unsigned int police = 0;
    void SetUp() override {
        EXIGER_FENETRE();
        contourTexte(false);  // as the printer starts; a program's start may have turned it on
        Image i(160, 160, 4);
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x) {
                const int c = (y / 16) * 10 + x / 16;
                const Pixel p = couleurCellule(c, y % 16 < 8);
                i.mettre(x, y, p.r, p.g, p.b, c == kCelluleTransparente ? 0 : 255);
            }
        ecrireTga("police.tga", i);
        police = loadTexture("police.tga", true);
        ASSERT_NE(police, 0u);
    }
    std::vector<int> imprimer(const char* t, int pos, double px = 0, double py = 0) {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
        Texte::mervoprint(t, police, pos, px, py, 640, 480);
        return encre();
    }
};

TEST_F(Texte_, EachPositionCodePlacesTheTextWhereItBelongs) {
    using B = std::vector<int>;
    // Three glyphs of 64 × 48 units, 32 units apart: 128 × 48 units, 64 × 24 pixels.
    EXPECT_EQ(imprimer("ABC", 0), (B{0, 456, 63, 479})) << "bottom-left";
    EXPECT_EQ(imprimer("ABC", 1), (B{0, 0, 63, 23})) << "top-left";
    // Left edge 640 − 96 − 12 units: pixel 586; the last glyph runs off the right edge.
    EXPECT_EQ(imprimer("ABC", 2), (B{586, 0, 639, 23})) << "top-right";
    EXPECT_EQ(imprimer("ABC", 3), (B{586, 456, 639, 479})) << "bottom-right";
    EXPECT_EQ(imprimer("ABCDEFGHIJ", 2), (B{474, 0, 639, 23})) << "top-right, ten glyphs";
    // Centre: an odd length is offset by 32 × (n − 1) / 2 units.
    EXPECT_EQ(imprimer("ABC", 4), (B{304, 216, 367, 239})) << "centre, odd length";
    EXPECT_EQ(imprimer("ABCD", 4), (B{288, 216, 367, 239})) << "centre, even length";
    // Free: centred on x = 0.5 × 640 units, baseline at −0.25 × 480 units.
    EXPECT_EQ(imprimer("ABC", 7, 0.5, -0.25), (B{456, 276, 519, 299})) << "free";
    EXPECT_EQ(imprimer("ABCD", -1, -1, 0.5), (B{0, 96, 47, 119})) << "free, left edge";
    // Spaces and characters without a glyph leave gaps.
    EXPECT_EQ(imprimer("A  B", 0), (B{0, 456, 79, 479}));
    EXPECT_EQ(imprimer("! /{~\x80\xe9\xff", 0)[2], -1);
}

TEST_F(Texte_, EachCharacterDrawsItsOwnCellTheRightWayUpOverTheSceneThroughTheFontsAlpha) {
    // Glyph i shows alone in pixels 16 i … 16 i + 15 (the next one covers the rest).
    auto cellules = [&](const char* t) {
        imprimer(t, 0);
        std::vector<int> r;
        for (int i = 0; t[i]; ++i) {
            r.push_back(celluleVue(16 * i + 8, 460));
            EXPECT_EQ(celluleVue(16 * i + 8, 475, false), r.back()) << t << " glyph " << i;
        }
        return r;
    };
    EXPECT_EQ(cellules("3:05"), (std::vector<int>{3, 10, 0, 5}));
    EXPECT_EQ(cellules("Aaz0"), (std::vector<int>{17, 49, 74, 0}));
    // Punctuation lives in the cells of '<', '>', '@' and ';'.
    EXPECT_EQ(cellules(".'-,<>@;"), (std::vector<int>{12, 14, 16, 11, 12, 14, 16, 11}));
    EXPECT_EQ(cellules("A\xe9" "B"), (std::vector<int>{17, 17, 18}));  // nothing drawn for é

    // Over a scene: a depth buffer nearer than anything is ignored, a transparent cell lets it show.
    reinitialiserGL();
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 1, 0);
    glClearDepth(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1);
    Texte::mervoprint("TA", police, 0, 0, 0, 640, 480);
    EXPECT_EQ(lirePixel(8, 460), (Pixel{0, 0, 255}));
    EXPECT_EQ(celluleVue(24, 460), 17);
}

TEST_F(Texte_, TheScenePerspectiveAndDepthTestAreRestored) {
    // What the scene expects back: its perspective, an identity modelview.
    reinitialiserGL();
    std::vector<GLdouble> projection(16), identite(16), vue(16), modele(16);
    glGetDoublev(GL_MODELVIEW_MATRIX, identite.data());
    glMatrixMode(GL_PROJECTION);
    gluPerspective(70, 640 / 480., 1, 1000);
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    for (const char* t : {"Vies 3", "", static_cast<const char*>(nullptr)}) {
        imprimer(t, t && *t ? 1 : 4);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glGetDoublev(GL_PROJECTION_MATRIX, vue.data());
        glGetDoublev(GL_MODELVIEW_MATRIX, modele.data());
        EXPECT_TRUE(mode == GL_PROJECTION && glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_BLEND));
        EXPECT_TRUE(vue == projection && modele == identite) << (t ? t : "null");
    }
}

TEST_F(Texte_, TheGeneratedFontPrintsCrispWithNoBleedFromNeighbouringCellsAccentsAndPlaceholderIncluded) {
    atelier::preparerEncodeurs();
    ecrireFichier("font1.TGA", atelier::fabriquer("font1.TGA"));
    const unsigned int generee = loadTexture("font1.TGA", true);
    // The second: E, É, e, é, ç, ñ, Ł, !, ¿, «, », ’ and a character the font lacks (its placeholder).
    for (const std::string texte : {"Ag3:05,p'-y.", "E\xc3\x89" "e\xc3\xa9\xc3\xa7\xc3\xb1\xc5\x81!\xc2\xbf\xc2\xab\xc2\xbb\xe2\x80\x99\xe4\xb8\xad"}) {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
        // Centred: the baseline on the middle row, glyph quads 32 × 24 pixels starting 16 pixels apart.
        const int n = static_cast<int>(nombreCaracteres(texte));
        Texte::mervoprint(texte.c_str(), generee, 4, 0, 0, 640, 480);
        const std::vector<Pixel> e = lireEcran();
        auto lum = [&](int x, int y) { return (e[y * 640 + x].r + e[y * 640 + x].g + e[y * 640 + x].b) / 3; };
        const int gauche = 320 - 16 * (n / 2), haut = 240 - 24, droite = gauche + 16 * n;
        std::vector<int> sommets;  // the first row of light ink of each glyph
        for (int i = 0; i < n; ++i) {
            int maxi = 0, sommet = haut + 24;
            for (int y = haut; y < haut + 24; ++y)
                for (int x = gauche + 16 * i; x < gauche + 16 * i + 16; ++x) {
                    maxi = std::max(maxi, lum(x, y));
                    if (lum(x, y) > 90) sommet = std::min(sommet, y);
                }
            EXPECT_GT(maxi, 180) << texte << ": glyph " << i << " is faint or missing";
            sommets.push_back(sommet);
        }
        // The first and last rows of every quad, and the empty right half of the last one,
        // stay clean: the cells above and below never show through.
        for (int x = gauche; x < droite + 16; ++x)
            for (int y : {haut - 1, haut, haut + 23, haut + 24}) EXPECT_LT(lum(x, y), 12) << x << "," << y;
        for (int y = haut; y < haut + 24; ++y)
            for (int x = droite + 2; x < droite + 16; ++x) EXPECT_LT(lum(x, y), 12) << x << "," << y;
        if (n > 12) {
            EXPECT_TRUE(sommets[1] < sommets[0] - 1 && sommets[3] < sommets[2] - 1) << "accents above E, e: " << sommets[0] << " " << sommets[1] << " " << sommets[2] << " " << sommets[3];
        }
    }
}

// With the outline, the white, highlighted and grey texts read over any
// scene: every pixel touching their ink is at least 4.5 : 1 against it.
TEST_F(Texte_, TheOutlineGivesEveryTextAContrastOfAtLeastFourAndAHalfOverAnyBackground) {
    Image i(160, 160, 4);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) i.mettre(x, y, 255, 255, 255, 255);
    ecrireTga("blanche.tga", i);
    const unsigned int blanche = loadTexture("blanche.tga", true);
    const Pixel couleurs[] = {{255, 255, 255}, {221, 137, 107}, {125, 125, 125}};
    const Pixel fonds[] = {{255, 255, 255}, {221, 137, 107}, {125, 125, 125}, {150, 200, 240}, {0, 0, 0}};
    for (bool avec : {false, true}) {
        contourTexte(avec);
        double pire = 21;
        for (const Pixel& f : fonds)
            for (const Pixel& c : couleurs) {
                reinitialiserGL();
                glClearColor(f.r / 255.0f, f.g / 255.0f, f.b / 255.0f, 1);
                glClear(GL_COLOR_BUFFER_BIT);
                glEnable(GL_TEXTURE_2D);
                glColor3ub(c.r, c.g, c.b);
                Texte::mervoprint("AB", blanche, 4, 0, 0, 640, 480);
                const std::vector<Pixel> e = lireEcran();
                for (int y = 1; y < 479; ++y)
                    for (int x = 1; x < 639; ++x)
                        for (int v = 0; v < 9 && e[y * 640 + x] == c; ++v) {
                            const Pixel& n = e[(y + v / 3 - 1) * 640 + x + v % 3 - 1];
                            if (n != c) pire = std::min(pire, contraste(c, n));
                        }
            }
        EXPECT_EQ(pire >= 4.5, avec) << pire;
    }
    contourTexte(false);
}

}  // namespace
