// SPDX-License-Identifier: GPL-3.0-or-later
// Blocks, pick-ups, spheres, the ball and the sky drawn into the real window
// and read back; the generated accelerator texture on a block.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "generateur.h"
#include "heros.h"
#include "objet.h"
#include "simulation.h"
#include "skybox.h"
#include "texture.h"
#include "textures.h"

namespace {

const Pixel kNoir{0, 0, 0}, kBlanc{255, 255, 255}, kRouge{255, 0, 0}, kVert{0, 255, 0}, kBleu{0, 0, 255};

struct V3 {
    double x = 0, y = 0, z = 0;
};

// An orthographic camera looking at the origin from the side `n` points to,
// a window of 16 × 12 units.
void regarderDepuis(V3 n) {
    reinitialiserGL();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-8, 8, -6, 6, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(n.x * 20, n.y * 20, n.z * 20, 0, 0, 0, 0, n.z != 0, n.z == 0);
}

// Where a point shows on the screen: x from the left, y from the top.
std::pair<int, int> projeter(V3 p) {
    GLdouble mv[16], pr[16], wx, wy, wz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(p.x, p.y, p.z, mv, pr, vp, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)), 479 - static_cast<int>(std::floor(wy))};
}
Pixel pixelDe(V3 p) {
    const auto [x, y] = projeter(p);
    return lirePixel(x, y);
}
int allumes() {
    int n = 0;
    for (const Pixel& p : lireEcran()) n += p.r || p.g || p.b;
    return n;
}

// A modelview matrix a drawing must give back as it found it.
struct MemeMatrice {
    GLdouble avant[16];
    MemeMatrice() { glGetDoublev(GL_MODELVIEW_MATRIX, avant); }
    ~MemeMatrice() {
        GLdouble apres[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, apres);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(avant[i], apres[i]) << "the matrix is left changed";
    }
};

struct Objets : ::testing::Test {
    DossierTemporaire dossier;
    unsigned int quadrants = 0;
    void SetUp() override {
        EXIGER_FENETRE();
        // 16 × 16 in four quadrants: red top-left, green top-right, blue bottom-left, white
        // bottom-right ("top" is the first row of the file, which ends at t = 1).
        Image i(16, 16, 4);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const Pixel p = y < 8 ? (x < 8 ? kRouge : kVert) : (x < 8 ? kBleu : kBlanc);
                i.mettre(x, y, p.r, p.g, p.b);
            }
        ecrireTga("quadrants.tga", i);
        quadrants = loadTexture("quadrants.tga", false);
    }
    // The colour the texture shows at (s, t), or black near a quadrant's edge.
    static Pixel couleur(double s, double t) {
        const double fs = s - std::floor(s), ft = t - std::floor(t);
        auto bord = [](double f) { return f < 0.08 || std::fabs(f - 0.5) < 0.08 || f > 0.92; };
        if (bord(fs) || bord(ft)) return kNoir;
        return ft > 0.5 ? (fs < 0.5 ? kRouge : kVert) : (fs < 0.5 ? kBleu : kBlanc);
    }
};

TEST_F(Objets, ATiledBlockShowsItsTextureOnceEveryFourUnitsOnEachFaceTheRightWayRound) {
    // Each face: its outward axis and side, then the texture's s and t as
    // (axis, side): s = (side × coordinate + half-extent) / 4, likewise t.
    const struct { int n, sn, s, ss, t, st; } faces[] = {
        {1, 1, 0, 1, 2, -1}, {0, 1, 1, -1, 2, -1}, {1, -1, 0, 1, 2, 1},
        {0, -1, 1, -1, 2, 1}, {2, 1, 1, -1, 0, 1}, {2, -1, 1, -1, 0, 1}};
    for (const V3 l : {V3{2, 2, 2}, V3{4, 4, 4}, V3{2, 4, 6}}) {
        const double h[3] = {l.x, l.y, l.z};
        for (const auto& f : faces) {
            double n[3] = {0, 0, 0};
            n[f.n] = f.sn;
            regarderDepuis({n[0], n[1], n[2]});
            glEnable(GL_TEXTURE_2D);
            Cube(0, 0, 0, 0, l.x, l.y, l.z, 0, 0, 0, quadrants, "cube", true).dessiner();
            const std::vector<Pixel> ecran = lireEcran();
            int verifies = 0, fautes = 0;
            for (double a = -0.95; a < 1; a += 0.05)
                for (double b = -0.95; b < 1; b += 0.05) {
                    double p[3];
                    p[f.n] = f.sn * h[f.n];
                    p[f.s] = a * h[f.s];
                    p[f.t] = b * h[f.t];
                    const Pixel attendu = couleur((f.ss * p[f.s] + h[f.s]) / 4, (f.st * p[f.t] + h[f.t]) / 4);
                    const auto [x, y] = projeter({p[0], p[1], p[2]});
                    if (attendu == kNoir || x < 1 || x > 638 || y < 1 || y > 478) continue;
                    ++verifies;
                    fautes += !proche(ecran[y * 640 + x], attendu);
                }
            EXPECT_GT(verifies, 400);
            EXPECT_EQ(fautes, 0) << "face " << f.n << (f.sn > 0 ? "+" : "-") << " of " << l.x << "," << l.y << "," << l.z;
        }
    }
}

TEST_F(Objets, AStretchedBlockShowsItsTextureOnceAcrossAFace) {
    regarderDepuis({0, 0, 1});
    glEnable(GL_TEXTURE_2D);
    Cube(0, 0, 0, 0, 4, 4, 4, 0, 0, 0, quadrants, "cube", false).dessiner();
    // Each quarter of the top face shows another quadrant (tiled, these points lie on its edges).
    const Pixel couleurs[4] = {kRouge, kVert, kBleu, kBlanc};
    int vus = 0;
    for (const V3 p : {V3{-2, -2, 4}, V3{2, -2, 4}, V3{-2, 2, 4}, V3{2, 2, 4}})
        for (int q = 0; q < 4; ++q) vus |= proche(pixelDe(p), couleurs[q]) << q;
    EXPECT_EQ(vus, 15);
}

TEST_F(Objets, TheGeneratedAcceleratorsChevronsPointTowardMinusXOnATiledFloorBlock) {
    atelier::preparerEncodeurs();
    auto distance = [](Pixel a, Pixel b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); };
    // Looking straight down: world x to the right, world y up, 6 × 4.5 world units.
    auto colonne = [](double x) { return int((x + 3) / 6 * 640); };
    auto ligne = [](double y) { return int((2.25 - y) / 4.5 * 480); };
    for (const char* nom : {"speed.jpg", "speed2.jpg"}) {
        ecrireFichier(nom, atelier::fabriquer(nom));
        reinitialiserGL();
        glMatrixMode(GL_PROJECTION);
        glOrtho(-3, 3, -2.25, 2.25, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_TEXTURE_2D);
        // A "turbo" block of 4 × 4 units: its top face shows the texture once.
        Cube(0, 0, 0, 1, 2, 2, 0.5, 0, 0, 0, loadTexture(nom, true), "turbo", true).dessiner();
        const std::vector<Pixel> e = lireEcran();
        for (const atelier::Chevron& c : atelier::chevronsVitesse()) {
            // Image column → s → world y; image row → t = 1 − row/256 → world x.
            const double y = 2 - 4 * (c.x / 256), pointe = -2 + 4 * (1 - c.yPointe / 256);
            const double ailes = -2 + 4 * (1 - (c.yAiles + c.epaisseur) / 256);
            ASSERT_LT(pointe, ailes);
            const Pixel encre = e[ligne(y) * 640 + colonne(pointe) + 6], fond = e[ligne(y) * 640 + colonne(pointe) - 8];
            ASSERT_GT(distance(encre, fond), 150) << nom << ": no chevron point where −x should have it";
            // The ink's height on screen shrinks from the wings to the point, toward −x.
            auto hauteurEncre = [&](double x) {
                int haut = -1, bas = -1;
                const double portee = 4 * (c.demiLargeur + 8) / 256;  // the chevron, not the side rails
                for (int l = ligne(y + portee); l <= ligne(y - portee); ++l) {
                    const Pixel p = e[l * 640 + colonne(x)];
                    if (distance(p, encre) < distance(p, fond)) bas = l, haut = haut < 0 ? l : haut;
                }
                return haut < 0 ? 0 : bas - haut;
            };
            const double pas = (ailes - pointe) / 4;
            for (int k = 0; k < 4; ++k)
                EXPECT_LT(hauteurEncre(pointe + (k + 0.2) * pas), hauteurEncre(pointe + (k + 1.2) * pas))
                    << nom << ": the chevron must narrow toward −x";
        }
    }
}

TEST_F(Objets, ABlockIsTurnedAboutXThenYThenZAroundItsCentreAndAFallZoneDrawsNothing) {
    // A bar along x, turned 90° about x and then 90° about y, lies along y;
    // the other order would leave it along z.
    regarderDepuis({0, 0, 1});
    Cube(0, 0, 0, 0, 4, 0.5, 0.5, 90, 90, 0, 0, "cube", true).dessiner();
    EXPECT_TRUE(pixelDe({0, 3, 0}) == kBlanc && pixelDe({0, 0, 0}) == kBlanc && pixelDe({3, 0, 0}) == kNoir);
    regarderDepuis({0, 0, 1});
    {
        MemeMatrice m;
        Cube(5, -3, 0, 0, 1, 1, 1, 0, 0, 30, 0, "cube", true).dessiner();
    }
    EXPECT_TRUE(pixelDe({5, -3, 0}) == kBlanc && pixelDe({0, 0, 0}) == kNoir);
    regarderDepuis({0, 0, 1});
    Cube(0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, "limite", true).dessiner();
    EXPECT_EQ(allumes(), 0);
}

TEST_F(Objets, APickUpSpinsOneDegreeAStepAndIsDrawnAtItsAnglesUntilItIsTaken) {
    regarderDepuis({0, 0, 1});
    Simulation course(Heros(100, 100, 100, 3, 1, 1, 1, 0, 0, 0, 0), {}, {Bonus(1, 1, 0, 0, 2, 0, 0, 10, 20, 30, 0, "vie")},
                      Simulation::Depart());
    for (int i = 0; i < 10; ++i) course.pas({});
    Bonus b = course.bonus()[0];
    {
        MemeMatrice m;
        for (int i = 0; i < 3; ++i) b.dessiner();
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(b.getRX() == 20 && b.getRY() == 30 && b.getRZ() == 40) << "ten steps, drawn three times";
    EXPECT_EQ(pixelDe({1, 1, 0}), kBlanc) << "the small ball at its centre is opaque";
    // Rings of radius 2 reach beyond the ball of radius 1.
    const auto [cx, cy] = projeter({1, 1, 0});
    const double rayon = (projeter({3.5, 1, 0}).first - cx) * 0.5;
    const std::vector<Pixel> e = lireEcran();
    int horsBalle = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) horsBalle += e[y * 640 + x] != kNoir && std::hypot(x - cx, y - cy) > rayon;
    EXPECT_GT(horsBalle, 50);
    b.detruire();
    regarderDepuis({0, 0, 1});
    b.dessiner();
    EXPECT_EQ(allumes(), 0) << "a pick-up taken is not drawn";
}

TEST_F(Objets, ASphereIsTurnedByItsSwappedAnglesAndCoversADiscOfItsRadius) {
    auto vue = [&](double a1, double a2, double a3, bool reference) {
        regarderDepuis({0, 0, 1});
        glBlendFunc(GL_ONE, GL_ZERO);  // the sphere blends with the current function
        glEnable(GL_TEXTURE_2D);
        if (!reference) {
            Sphere(1, -1, 0, 0, 4, 0, 0, 30, 50, 10, quadrants).dessiner();
            EXPECT_FALSE(glIsEnabled(GL_BLEND));
            return lireEcran();
        }
        glBindTexture(GL_TEXTURE_2D, quadrants);
        GLUquadric* q = gluNewQuadric();
        gluQuadricTexture(q, GL_TRUE);
        glTranslated(1, -1, 0);
        glRotated(a1, 1, 0, 0);
        glRotated(a2, 0, 1, 0);
        glRotated(a3, 0, 0, 1);
        gluSphere(q, 4, 20, 20);
        gluDeleteQuadric(q);
        return lireEcran();
    };
    const std::vector<Pixel> s = vue(0, 0, 0, false);
    EXPECT_TRUE(s == vue(-50, 30, 10, true));
    EXPECT_FALSE(s == vue(30, 50, 10, true));
    for (const auto& [p, dedans] : {std::pair{V3{1, -1, 0}, true}, {V3{4.5, -1, 0}, true}, {V3{5.5, -1, 0}, false}}) {
        const auto [x, y] = projeter(p);
        EXPECT_EQ(s[y * 640 + x] != kNoir, dedans) << p.x;
    }
}

TEST_F(Objets, TheBallIsATexturedSphereWhoseRollingLookFollowsFromWhereItIsAlone) {
    // Blue for the lower half of the ball's texture (toward its −z pole), red for the upper half.
    GLuint texture = 0;
    const unsigned char texels[] = {0, 0, 255, 255, 0, 0};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // The ball of radius 1 at (x, y), seen from straight above with the view on it; the
    // colours at points around its centre, 80 pixels a unit. 100 degrees of roll per unit.
    const struct { double x, y; std::vector<std::pair<V3, Pixel>> vu; } cas[] = {
        {0, 0, {{{0, 0}, kRouge}, {{0.85, 0}, kRouge}, {{0, -0.6}, kRouge}, {{1.15, 0}, kNoir}, {{-0.8, -0.8}, kNoir}}},
        {1.8, 0, {{{0, 0}, kBleu}, {{0.5, 0.3}, kBleu}}},  // upside down
        {0.9, 0, {{{0.5, 0}, kRouge}, {{-0.5, 0}, kBleu}}},  // the top pole faces +x
        {0, 0.9, {{{0, 0.5}, kRouge}, {{0, -0.5}, kBleu}}},  // the other way about x
        {0.9 + 3.6, 3.6, {{{0.5, 0}, kRouge}, {{-0.5, 0}, kBleu}}},  // a full turn every 3.6 units
    };
    for (const auto& c : cas) {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glOrtho(-4, 4, -3, 3, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glTranslated(-c.x, -c.y, 0);
        {
            MemeMatrice m;
            Heros(c.x, c.y, 0, 3, 1, 1, 1, 0, 0, 0, texture).dessiner();
        }
        for (const auto& [d, p] : c.vu)
            EXPECT_EQ(lirePixel(320 + int(d.x * 80), 240 - int(d.y * 80)), p) << c.x << "," << c.y << " at " << d.x
                                                                           << "," << d.y;
    }
    glDeleteTextures(1, &texture);
}

TEST_F(Objets, TheSkyFillsTheViewFromItsCentreAroundTheCurrentOriginAndIsWhiteWithoutItsImage) {
    Image i(32, 32, 3);
    i.remplir(230, 120, 40);
    ecrireJpeg("sky.jpg", i);
    Skybox ciel("sky.jpg");
    auto scene = [] {
        reinitialiserGL();
        glMatrixMode(GL_PROJECTION);
        gluPerspective(70, 640 / 480., 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_TEXTURE_2D);
    };
    for (const V3 d : {V3{0, 0, -1}, V3{0, 0, 1}, V3{1, 0, 0}, V3{0, 1, 0}, V3{0, -1, 0}}) {
        scene();
        gluLookAt(0, 0, 0, d.x, d.y, d.z, d.z != 0, 0, d.z == 0);
        ciel.dessiner();
        int couverts = 0;
        for (int y = 0; y < 480; y += 16)
            for (int x = 0; x < 640; x += 16) couverts += proche(lirePixel(x, y), {230, 120, 40}, 4);
        EXPECT_EQ(couverts, 40 * 30) << d.x << "," << d.y << "," << d.z;
    }
    // Moved 800 units away, the sphere of radius 500 is seen from outside: a disc in the middle.
    scene();
    glTranslated(0, 0, -800);
    ciel.dessiner();
    EXPECT_TRUE(proche(lirePixel(320, 240), {230, 120, 40}, 4) && lirePixel(5, 5) == kNoir);
    Skybox absent("absent.jpg");
    EXPECT_EQ(absent.getTexture(), 0u);
    scene();
    absent.dessiner();
    EXPECT_EQ(lirePixel(320, 240), kBlanc);
}

}  // namespace
