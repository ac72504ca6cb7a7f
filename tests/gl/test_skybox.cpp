// The sky: a textured sphere around the current origin, seen from inside.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "dossier.h"
#include "fenetre_test.h"
#include "skybox.h"

namespace {

bool proche(Pixel p, int r, int g, int b) {
    return std::abs(p.r - r) <= 4 && std::abs(p.g - g) <= 4 && std::abs(p.b - b) <= 4;
}

struct Ciel : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        dossier.arborescenceJeu();
        Image i(32, 32, 3);
        i.remplir(230, 120, 40);
        ecrireJpeg("data/sky/sky.jpg", i);
    }
    void scene() {
        reinitialiserGL();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(70, 640 / 480., 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
    }
};

TEST_F(Ciel, TheSkyFillsTheViewFromItsCentreInEveryDirection) {
    Skybox ciel("data/sky/sky.jpg");
    ASSERT_NE(ciel.getTexture(), 0u);
    const double directions[][3] = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (const auto& d : directions) {
        scene();
        gluLookAt(0, 0, 0, d[0], d[1], d[2], d[2] == 0 ? 0 : 1, 0, d[2] == 0 ? 1 : 0);
        ciel.dessiner();
        int couverts = 0;
        for (int y = 0; y < 480; y += 16)
            for (int x = 0; x < 640; x += 16)
                if (proche(lirePixel(x, y), 230, 120, 40)) ++couverts;
        EXPECT_EQ(couverts, 40 * 30) << d[0] << "," << d[1] << "," << d[2];
    }
}

TEST_F(Ciel, TheSkyIsDrawnAroundTheCurrentOrigin) {
    // Moved 800 units away, the sphere of radius 500 is seen from outside:
    // a disc in the middle, black around it.
    Skybox ciel("data/sky/sky.jpg");
    scene();
    glTranslated(0, 0, -800);
    ciel.dessiner();
    EXPECT_TRUE(proche(lirePixel(320, 240), 230, 120, 40));
    EXPECT_EQ(lirePixel(5, 5), (Pixel{0, 0, 0}));
}

TEST_F(Ciel, AMissingSkyImageDrawsAnUntexturedSphere) {
    Skybox ciel("data/sky/absent.jpg");
    EXPECT_EQ(ciel.getTexture(), 0u);
    scene();
    ciel.dessiner();
    EXPECT_EQ(lirePixel(320, 240), (Pixel{255, 255, 255}));
}

}  // namespace
