// The ball is a textured sphere whose rolling look follows from where it is.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "fenetre_test.h"
#include "heros.h"

namespace {

const Pixel kRouge{255, 0, 0};
const Pixel kBleu{0, 0, 255};
const Pixel kNoir{0, 0, 0};

// Pixels per world unit of the camera below.
const int kEchelle = 80;

struct DessinHeros : ::testing::Test {
    unsigned int texture = 0;

    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        // Two texels: blue for the lower half of the sphere's texture (t < 0.5,
        // toward its −z pole), red for the upper half (toward its +z pole).
        const unsigned char texels[] = {0, 0, 255, 255, 0, 0};
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    void TearDown() override {
        if (texture) glDeleteTextures(1, &texture);
    }

    // Draws a ball of radius 1 at (x, y, 0) seen from straight above (+x to
    // the right, +y up), the view centred on the ball.
    void dessiner(double x, double y) {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4, 4, -3, 3, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(-x, -y, 0);
        GLdouble avant[16], apres[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, avant);
        Heros h(x, y, 0, 3, 1, 1, 1, 0, 0, 0, texture);
        h.dessiner();
        glGetDoublev(GL_MODELVIEW_MATRIX, apres);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(avant[i], apres[i]) << "matrix left changed";
    }
    // The pixel at (dx, dy) world units from the ball's centre on the screen.
    Pixel a(double dx, double dy) {
        return lirePixel(320 + static_cast<int>(dx * kEchelle), 240 - static_cast<int>(dy * kEchelle));
    }
};

TEST_F(DessinHeros, ASphereOfTheBallsRadiusWithItsTexture) {
    dessiner(0, 0);
    // Unrolled, the ball shows its +z pole (red) from above.
    EXPECT_EQ(a(0, 0), kRouge);
    EXPECT_EQ(a(0.6, 0), kRouge);
    EXPECT_EQ(a(0, -0.6), kRouge);
    EXPECT_EQ(a(0.85, 0), kRouge);  // inside the radius
    EXPECT_EQ(a(1.15, 0), kNoir);   // outside it
    EXPECT_EQ(a(0, 1.15), kNoir);
    EXPECT_EQ(a(-0.8, -0.8), kNoir);
}

TEST_F(DessinHeros, MovingAlongXRollsItAboutY) {
    // 100 degrees per unit: at x = 1.8 the ball is upside down.
    dessiner(1.8, 0);
    EXPECT_EQ(a(0, 0), kBleu);
    EXPECT_EQ(a(0.5, 0.3), kBleu);
    // At x = 0.9 its top pole faces +x.
    dessiner(0.9, 0);
    EXPECT_EQ(a(0.5, 0), kRouge);
    EXPECT_EQ(a(-0.5, 0), kBleu);
    dessiner(-0.9, 0);
    EXPECT_EQ(a(0.5, 0), kBleu);
    EXPECT_EQ(a(-0.5, 0), kRouge);
}

TEST_F(DessinHeros, MovingAlongYRollsItTheOtherWayAboutX) {
    dessiner(0, 0.9);
    EXPECT_EQ(a(0, 0.5), kRouge);
    EXPECT_EQ(a(0, -0.5), kBleu);
    dessiner(0, -0.9);
    EXPECT_EQ(a(0, 0.5), kBleu);
    EXPECT_EQ(a(0, -0.5), kRouge);
    dessiner(0, 1.8);
    EXPECT_EQ(a(0, 0), kBleu);
}

TEST_F(DessinHeros, TheLookDependsOnThePositionAlone) {
    // A full turn every 3.6 units: a ball put back anywhere shows the look of
    // that place, whatever it went through before.
    dessiner(0.9, 0);
    std::vector<Pixel> ici = lireEcran();
    dessiner(5.7, -7.2);
    dessiner(0.9 + 3.6, 3.6);
    EXPECT_EQ(a(0.5, 0), kRouge);
    EXPECT_EQ(a(-0.5, 0), kBleu);
    dessiner(0.9, 0);
    EXPECT_TRUE(lireEcran() == ici);
}

}  // namespace
