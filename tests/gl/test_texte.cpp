// The bitmap text printer, drawn into the real window and read back. The
// test font's cells are solid blocks, each of its own colour, with a top
// half and a bottom half that differ, so every glyph can be told from its
// pixels. One unit of the printer's view is half a pixel.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "texte.h"
#include "texture.h"

namespace {

const int kCelluleTransparente = 'T' - 48;

Pixel couleurCellule(int c, bool haut) {
    return Pixel{static_cast<uint8_t>(20 + 2 * c), static_cast<uint8_t>(250 - 2 * c),
                 static_cast<uint8_t>(haut ? 200 : 40)};
}

unsigned int policeDeTest() {
    Image i(160, 160, 4);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) {
            const int c = (y / 16) * 10 + x / 16;
            const Pixel p = couleurCellule(c, y % 16 < 8);
            i.mettre(x, y, p.r, p.g, p.b, c == kCelluleTransparente ? 0 : 255);
        }
    ecrireTga("police.tga", i);
    return loadTexture("police.tga", true);
}

struct Boite {
    int x0 = 640, y0 = 480, x1 = -1, y1 = -1;
    bool vide() const { return x1 < 0; }
};

Boite encre() {
    Boite b;
    std::vector<Pixel> e = lireEcran();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Pixel& p = e[y * 640 + x];
            if (!p.r && !p.g && !p.b) continue;
            if (x < b.x0) b.x0 = x;
            if (x > b.x1) b.x1 = x;
            if (y < b.y0) b.y0 = y;
            if (y > b.y1) b.y1 = y;
        }
    return b;
}

// The cell whose colour the pixel shows (its top half or bottom half), or −1.
int celluleVue(int x, int y, bool haut) {
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
        police = policeDeTest();
        ASSERT_NE(police, 0u);
        effacer();
    }
    void effacer() {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
    }
    Boite imprimer(const char* t, int pos, double px = 0, double py = 0) {
        effacer();
        Texte::mervoprint(t, police, pos, px, py, 640, 480);
        return encre();
    }
};

void attendreBoite(const Boite& b, int x0, int y0, int x1, int y1, const char* quoi) {
    EXPECT_EQ(b.x0, x0) << quoi;
    EXPECT_EQ(b.y0, y0) << quoi;
    EXPECT_EQ(b.x1, x1) << quoi;
    EXPECT_EQ(b.y1, y1) << quoi;
}

TEST_F(Texte_, EachPositionCodePlacesTheTextWhereItBelongs) {
    // Three glyphs of 64 × 48 units, 32 units apart: 128 × 48 units, 64 × 24 pixels.
    attendreBoite(imprimer("ABC", 0), 0, 456, 63, 479, "bottom-left");
    attendreBoite(imprimer("ABC", 1), 0, 0, 63, 23, "top-left");
    // Left edge 640 − 96 − 12 units: pixel 586; the last glyph runs off the right edge.
    attendreBoite(imprimer("ABC", 2), 586, 0, 639, 23, "top-right");
    attendreBoite(imprimer("ABC", 3), 586, 456, 639, 479, "bottom-right");
    attendreBoite(imprimer("ABCDEFGHIJ", 2), 474, 0, 639, 23, "top-right, ten glyphs");
    // Centre: an odd length is offset by 32 × (n − 1) / 2 units.
    attendreBoite(imprimer("ABC", 4), 304, 216, 367, 239, "centre, odd length");
    attendreBoite(imprimer("ABCD", 4), 288, 216, 367, 239, "centre, even length");
    // Free: centred on x = 0.5 × 640 units, baseline at −0.25 × 480 units.
    attendreBoite(imprimer("ABC", 7, 0.5, -0.25), 456, 276, 519, 299, "free");
    attendreBoite(imprimer("ABCD", -1, -1, 0.5), 0, 96, 47, 119, "free, left edge");
}

TEST_F(Texte_, EachCharacterDrawsItsOwnCellTheRightWayUp) {
    // Glyph i shows alone in pixels 16 i … 16 i + 15 (the next one covers the rest).
    auto cellules = [&](const char* t) {
        imprimer(t, 0);
        std::vector<int> r;
        for (int i = 0; t[i]; ++i) {
            const int haut = celluleVue(16 * i + 8, 460, true);
            EXPECT_EQ(celluleVue(16 * i + 8, 475, false), haut) << t << " glyph " << i;
            r.push_back(haut);
        }
        return r;
    };
    EXPECT_EQ(cellules("3:05"), (std::vector<int>{3, 10, 0, 5}));
    EXPECT_EQ(cellules("Aaz0"), (std::vector<int>{17, 49, 74, 0}));
    // Punctuation lives in the cells of '<', '>', '@' and ';'.
    EXPECT_EQ(cellules(".'-,"), (std::vector<int>{12, 14, 16, 11}));
    EXPECT_EQ(cellules("<>@;"), (std::vector<int>{12, 14, 16, 11}));
    // The last glyph shows whole.
    imprimer("z", 0);
    EXPECT_EQ(celluleVue(24, 460, true), 74);
}

TEST_F(Texte_, SpacesAndCharactersWithoutAGlyphLeaveGaps) {
    imprimer("A  B", 0);
    EXPECT_EQ(celluleVue(24, 460, true), 17);  // nothing drawn over the right half of A
    EXPECT_EQ(lirePixel(40, 460), (Pixel{0, 0, 0}));
    EXPECT_EQ(celluleVue(56, 460, true), 18);
    attendreBoite(encre(), 0, 456, 79, 479, "A  B");

    imprimer("A\xe9" "B", 0);
    EXPECT_EQ(celluleVue(24, 460, true), 17);
    EXPECT_EQ(celluleVue(40, 460, true), 18);

    EXPECT_TRUE(imprimer("! /{~\x80\xe9\xff", 0).vide());
    EXPECT_TRUE(imprimer("! /{~\x80\xe9\xff", 4).vide());
}

TEST_F(Texte_, GlyphsAreBlendedThroughTheFontAlphaAndDrawOverTheScene) {
    effacer();
    glClearColor(0, 0, 1, 0);
    // A depth buffer nearer than anything: the text ignores it.
    glClearDepth(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1);
    Texte::mervoprint("TA", police, 0, 0, 0, 640, 480);
    EXPECT_EQ(lirePixel(8, 460), (Pixel{0, 0, 255}));  // the transparent cell
    EXPECT_EQ(celluleVue(24, 460, true), 17);
}

void attendreSceneRendue() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    GLdouble vue[16], reference[16], modele[16];
    glGetDoublev(GL_PROJECTION_MATRIX, vue);
    glGetDoublev(GL_MODELVIEW_MATRIX, modele);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(70, 640 / 480., 1, 1000);
    glGetDoublev(GL_PROJECTION_MATRIX, reference);
    glPopMatrix();
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(vue[i], reference[i], 1e-6) << i;
        EXPECT_DOUBLE_EQ(modele[i], i % 5 == 0 ? 1.0 : 0.0) << i;
    }
}

TEST_F(Texte_, TheScenePerspectiveAndDepthTestAreRestored) {
    imprimer("Vies 3", 1);
    attendreSceneRendue();

    EXPECT_TRUE(imprimer("", 4).vide());
    attendreSceneRendue();

    EXPECT_TRUE(imprimer(nullptr, 0).vide());
    attendreSceneRendue();
}

}  // namespace
