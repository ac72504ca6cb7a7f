// Blocks, pick-ups and spheres drawn into the real window and read back.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "objet.h"
#include "texture.h"

namespace {

struct V3 { double x, y, z; };
struct V2 { double s, t; };

// 16 × 16 texture in four 8 × 8 quadrants: red top-left, green top-right,
// blue bottom-left, white bottom-right ("top" is the first row of the file,
// which ends at t = 1).
unsigned int textureQuadrants() {
    Image i(16, 16, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool haut = y < 8, gauche = x < 8;
            if (haut && gauche) i.mettre(x, y, 255, 0, 0);
            else if (haut) i.mettre(x, y, 0, 255, 0);
            else if (gauche) i.mettre(x, y, 0, 0, 255);
            else i.mettre(x, y, 255, 255, 255);
        }
    ecrireTga("quadrants.tga", i);
    return loadTexture("quadrants.tga", false);
}

double frac(double v) { return v - std::floor(v); }

bool presDUneFrontiere(double v) {
    const double f = frac(v);
    return f < 0.08 || std::fabs(f - 0.5) < 0.08 || f > 0.92;
}

Pixel couleurAttendue(V2 c) {
    const bool gauche = frac(c.s) < 0.5, haut = frac(c.t) > 0.5;
    if (haut && gauche) return {255, 0, 0};
    if (haut) return {0, 255, 0};
    if (gauche) return {0, 0, 255};
    return {255, 255, 255};
}

bool proche(Pixel a, Pixel b) {
    return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 && std::abs(a.b - b.b) <= 3;
}

// One face of a box: its corners in drawing order and the texture coordinate
// each corner must get.
struct Face {
    const char* nom;
    V3 normale;
    V3 coins[4];
    V2 tex[4];
};

std::vector<Face> faces(double lx, double ly, double lz, bool etale) {
    std::vector<Face> f = {
        {"y+", {0, 1, 0}, {{lx, ly, lz}, {lx, ly, -lz}, {-lx, ly, -lz}, {-lx, ly, lz}},
         {{lx / 2, 0}, {lx / 2, lz / 2}, {0, lz / 2}, {0, 0}}},
        {"x+", {1, 0, 0}, {{lx, -ly, lz}, {lx, -ly, -lz}, {lx, ly, -lz}, {lx, ly, lz}},
         {{ly / 2, 0}, {ly / 2, lz / 2}, {0, lz / 2}, {0, 0}}},
        {"y-", {0, -1, 0}, {{-lx, -ly, lz}, {-lx, -ly, -lz}, {lx, -ly, -lz}, {lx, -ly, lz}},
         {{0, lz / 2}, {0, 0}, {lx / 2, 0}, {lx / 2, lz / 2}}},
        {"x-", {-1, 0, 0}, {{-lx, ly, lz}, {-lx, ly, -lz}, {-lx, -ly, -lz}, {-lx, -ly, lz}},
         {{0, lz / 2}, {0, 0}, {ly / 2, 0}, {ly / 2, lz / 2}}},
        {"z+", {0, 0, 1}, {{lx, ly, lz}, {-lx, ly, lz}, {-lx, -ly, lz}, {lx, -ly, lz}},
         {{0, lx / 2}, {0, 0}, {ly / 2, 0}, {ly / 2, lx / 2}}},
        {"z-", {0, 0, -1}, {{lx, ly, -lz}, {-lx, ly, -lz}, {-lx, -ly, -lz}, {lx, -ly, -lz}},
         {{0, lx / 2}, {0, 0}, {ly / 2, 0}, {ly / 2, lx / 2}}},
    };
    if (!etale)
        for (Face& x : f) {
            x.tex[0] = {0, 1};
            x.tex[1] = {0, 0};
            x.tex[2] = {1, 0};
            x.tex[3] = {1, 1};
        }
    return f;
}

// An orthographic camera looking straight at the face with normal n, from
// outside the box.
void regarderDepuis(V3 n) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-8, 8, -6, 6, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const bool vertical = n.z != 0;
    gluLookAt(n.x * 20, n.y * 20, n.z * 20, 0, 0, 0, 0, vertical ? 1 : 0, vertical ? 0 : 1);
}

struct Projete { int x, y; };

Projete projeter(V3 p) {
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    GLdouble wx, wy, wz;
    gluProject(p.x, p.y, p.z, mv, pr, vp, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)), 479 - static_cast<int>(std::floor(wy))};
}

// Draws the block from each face's side and checks, over a grid of points
// of the face, that the pixel there shows the quadrant its texture
// coordinate falls in. Returns the number of points checked.
int verifierFaces(double lx, double ly, double lz, bool etale) {
    unsigned int tex = textureQuadrants();
    EXPECT_NE(tex, 0u);
    int verifies = 0;
    for (const Face& f : faces(lx, ly, lz, etale)) {
        reinitialiserGL();
        glEnable(GL_TEXTURE_2D);
        regarderDepuis(f.normale);
        Cube c(0, 0, 0, 0, lx, ly, lz, 0, 0, 0, tex, "cube", etale);
        c.dessiner();
        std::vector<Pixel> ecran = lireEcran();
        int fautes = 0;
        for (int i = 1; i < 40; ++i)
            for (int j = 1; j < 40; ++j) {
                const double a = i / 40.0, b = j / 40.0;
                // The faces are rectangles: corner 1 + a (corner 2 − corner 1) + b (corner 4 − corner 1).
                const V3* k = f.coins;
                V3 p = {k[0].x + a * (k[1].x - k[0].x) + b * (k[3].x - k[0].x),
                        k[0].y + a * (k[1].y - k[0].y) + b * (k[3].y - k[0].y),
                        k[0].z + a * (k[1].z - k[0].z) + b * (k[3].z - k[0].z)};
                const V2* t = f.tex;
                V2 st = {t[0].s + a * (t[1].s - t[0].s) + b * (t[3].s - t[0].s),
                         t[0].t + a * (t[1].t - t[0].t) + b * (t[3].t - t[0].t)};
                if (presDUneFrontiere(st.s) || presDUneFrontiere(st.t)) continue;
                Projete q = projeter(p);
                if (q.x < 1 || q.x > 638 || q.y < 1 || q.y > 478) continue;
                ++verifies;
                Pixel vu = ecran[q.y * 640 + q.x];
                Pixel attendu = couleurAttendue(st);
                if (!proche(vu, attendu) && ++fautes <= 3)
                    ADD_FAILURE() << "face " << f.nom << " at (" << a << ", " << b << ") tex ("
                                  << st.s << ", " << st.t << "): pixel " << int(vu.r) << ","
                                  << int(vu.g) << "," << int(vu.b) << " expected "
                                  << int(attendu.r) << "," << int(attendu.g) << ","
                                  << int(attendu.b);
            }
        if (fautes) capturer((std::string("face-") + f.nom + ".png").c_str());
    }
    return verifies;
}

// How many times the colour changes from one quadrant to another along the
// middle row of the z+ face (pixels blended across a boundary are skipped).
int bandesVisibles(double l, bool etale) {
    reinitialiserGL();
    glEnable(GL_TEXTURE_2D);
    regarderDepuis({0, 0, 1});
    Cube c(0, 0, 0, 0, l, l, l, 0, 0, 0, textureQuadrants(), "cube", etale);
    c.dessiner();
    const Pixel quadrants[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    const int y = projeter({0, 0.3, l}).y;
    const int debut = projeter({-l, 0.3, l}).x + 1, fin = projeter({l, 0.3, l}).x - 1;
    int changements = 0, precedent = -1;
    for (int x = debut; x <= fin; ++x) {
        const Pixel p = lirePixel(x, y);
        for (int q = 0; q < 4; ++q)
            if (proche(p, quadrants[q])) {
                if (precedent >= 0 && q != precedent) ++changements;
                precedent = q;
            }
    }
    return changements;
}

struct Objets : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
    }
};

TEST_F(Objets, ATiledBlockOfHalfExtentTwoShowsItsTextureOncePerFace) {
    EXPECT_GT(verifierFaces(2, 2, 2, true), 6 * 500);
}

TEST_F(Objets, ATiledBlockOfHalfExtentFourShowsItTwice) {
    EXPECT_GT(verifierFaces(4, 4, 4, true), 6 * 500);
    // Along x the top face crosses the quadrant boundary twice per repeat:
    // three changes of colour for two repeats, one for a single one.
    EXPECT_EQ(bandesVisibles(4, true), 3);
    EXPECT_EQ(bandesVisibles(2, true), 1);
}

TEST_F(Objets, TilingFollowsEachAxisOfAnUnevenBlock) {
    EXPECT_GT(verifierFaces(2, 4, 6, true), 6 * 400);
}

TEST_F(Objets, WithoutTilingTheTextureIsStretchedOnceOverEachFace) {
    EXPECT_GT(verifierFaces(4, 2, 6, false), 6 * 400);
    EXPECT_EQ(bandesVisibles(4, false), 1);
}

TEST_F(Objets, TheBlockIsTurnedAboutXThenYThenZ) {
    // A bar along x, turned 90° about x and then 90° about y, lies along y;
    // the other order would leave it along z.
    reinitialiserGL();
    regarderDepuis({0, 0, 1});
    Cube c(0, 0, 0, 0, 4, 0.5, 0.5, 90, 90, 0, 0, "cube", true);
    c.dessiner();
    Projete haut = projeter({0, 3, 0}), droite = projeter({3, 0, 0}), centre = projeter({0, 0, 0});
    EXPECT_EQ(lirePixel(haut.x, haut.y), (Pixel{255, 255, 255}));
    EXPECT_EQ(lirePixel(centre.x, centre.y), (Pixel{255, 255, 255}));
    EXPECT_EQ(lirePixel(droite.x, droite.y), (Pixel{0, 0, 0}));

    // The block is drawn around its own centre and the matrix is given back.
    reinitialiserGL();
    regarderDepuis({0, 0, 1});
    GLdouble avant[16], apres[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, avant);
    Cube d(5, -3, 0, 0, 1, 1, 1, 0, 0, 30, 0, "cube", true);
    d.dessiner();
    glGetDoublev(GL_MODELVIEW_MATRIX, apres);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(avant[i], apres[i]);
    Projete p = projeter({5, -3, 0}), loin = projeter({0, 0, 0});
    EXPECT_EQ(lirePixel(p.x, p.y), (Pixel{255, 255, 255}));
    EXPECT_EQ(lirePixel(loin.x, loin.y), (Pixel{0, 0, 0}));
}

int pixelsAllumes() {
    int n = 0;
    for (const Pixel& p : lireEcran())
        if (p.r || p.g || p.b) ++n;
    return n;
}

TEST_F(Objets, AFallZoneDrawsNothing) {
    regarderDepuis({0, 0, 1});
    Cube limite(0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, "limite", true);
    limite.dessiner();
    EXPECT_EQ(pixelsAllumes(), 0);
    Cube cube(0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, "cube", true);
    cube.dessiner();
    EXPECT_GT(pixelsAllumes(), 10000);
}

TEST_F(Objets, APickUpSpinsOneDegreePerDrawUntilItIsTaken) {
    regarderDepuis({0, 0, 1});
    Bonus b(1, 1, 0, 0, 2, 0, 0, 10, 20, 30, 0, "vie");
    GLdouble avant[16], apres[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, avant);
    b.dessiner();
    glGetDoublev(GL_MODELVIEW_MATRIX, apres);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(avant[i], apres[i]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_DOUBLE_EQ(b.getRX(), 11);
    EXPECT_DOUBLE_EQ(b.getRY(), 21);
    EXPECT_DOUBLE_EQ(b.getRZ(), 31);
    // The small ball at its centre is opaque.
    Projete c = projeter({1, 1, 0});
    EXPECT_EQ(lirePixel(c.x, c.y), (Pixel{255, 255, 255}));
    const int dessines = pixelsAllumes();
    // A ring of radius 2 reaches beyond the ball of radius 1.
    Projete bord = projeter({3.5, 1, 0});
    int horsBalle = 0;
    std::vector<Pixel> e = lireEcran();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Pixel& p = e[y * 640 + x];
            const double dx = x - c.x, dy = y - c.y;
            if ((p.r || p.g || p.b) && std::sqrt(dx * dx + dy * dy) > (bord.x - c.x) * 0.5)
                ++horsBalle;
        }
    EXPECT_GT(horsBalle, 50);
    EXPECT_GT(dessines, 500);

    for (int i = 0; i < 9; ++i) b.dessiner();
    EXPECT_DOUBLE_EQ(b.getRX(), 20);
    EXPECT_DOUBLE_EQ(b.getRZ(), 40);

    b.detruire();
    EXPECT_FALSE(b.getExiste());
    reinitialiserGL();
    regarderDepuis({0, 0, 1});
    b.dessiner();
    EXPECT_EQ(pixelsAllumes(), 0);
    EXPECT_DOUBLE_EQ(b.getRX(), 20);
}

void sphereDeReference(double x, double y, double z, double r, double a1, double a2, double a3,
                       unsigned int tex) {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, tex);
    GLUquadric* q = gluNewQuadric();
    gluQuadricTexture(q, GL_TRUE);
    glTranslated(x, y, z);
    glRotated(a1, 1, 0, 0);
    glRotated(a2, 0, 1, 0);
    glRotated(a3, 0, 0, 1);
    gluSphere(q, r, 20, 20);
    gluDeleteQuadric(q);
    glPopMatrix();
}

TEST_F(Objets, ASphereIsTurnedByItsSwappedAngles) {
    unsigned int tex = textureQuadrants();
    auto dessinerVue = [&](auto dessin) {
        reinitialiserGL();
        // The sphere blends with the current function: make it plain replacement.
        glBlendFunc(GL_ONE, GL_ZERO);
        glEnable(GL_TEXTURE_2D);
        regarderDepuis({0, 0, 1});
        dessin();
        return lireEcran();
    };
    Sphere s(1, -1, 0, 0, 4, 0, 0, 30, 50, 10, tex);
    auto vue = dessinerVue([&] { s.dessiner(); });
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    auto attendue = dessinerVue([&] { sphereDeReference(1, -1, 0, 4, -50, 30, 10, tex); });
    auto autreOrdre = dessinerVue([&] { sphereDeReference(1, -1, 0, 4, 30, 50, 10, tex); });
    EXPECT_TRUE(vue == attendue);
    EXPECT_FALSE(vue == autreOrdre);
    // It covers a disc of its radius around its centre.
    reinitialiserGL();
    regarderDepuis({0, 0, 1});
    Projete c = projeter({1, -1, 0}), dedans = projeter({4.5, -1, 0}), dehors = projeter({5.5, -1, 0});
    EXPECT_FALSE(vue[c.y * 640 + c.x] == (Pixel{0, 0, 0}));
    EXPECT_FALSE(vue[dedans.y * 640 + dedans.x] == (Pixel{0, 0, 0}));
    EXPECT_EQ(vue[dehors.y * 640 + dehors.x], (Pixel{0, 0, 0}));
    EXPECT_FALSE(s.getCollision());
}

}  // namespace
