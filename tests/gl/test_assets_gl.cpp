// The generated accelerator texture as the game draws it: its chevrons, on a
// real tiled floor block, point toward −x on screen. (The generated font is
// printed in test_texte.)
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "generateur.h"
#include "image.h"
#include "objet.h"
#include "texture.h"
#include "textures.h"

namespace {

struct AtelierGL : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        atelier::preparerEncodeurs();
    }
    unsigned int charger(const std::string& nom) {
        ecrireFichier(nom, atelier::fabriquer(nom));
        return loadTexture(nom.c_str(), true);
    }
};

// Looking straight down at the floor: world x to the right, world y up, a
// window of 6 × 4.5 world units.
int colonne(double x) { return int((x + 3) / 6 * 640); }
int ligne(double y) { return int((2.25 - y) / 4.5 * 480); }

TEST_F(AtelierGL, AcceleratorChevronsPointTowardMinusXOnATiledFloorBlock) {
    for (const char* nom : {"speed.jpg", "speed2.jpg"}) {
        reinitialiserGL();
        unsigned int texture = charger(nom);
        ASSERT_NE(texture, 0u);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-3, 3, -2.25, 2.25, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        // A "turbo" block of 4 × 4 units: its top face shows the texture once.
        Cube bloc(0, 0, 0, 1, 2, 2, 0.5, 0, 0, 0, texture, "turbo", true);
        bloc.dessiner();
        glDisable(GL_TEXTURE_2D);
        std::vector<Pixel> e = lireEcran();
        auto px = [&](int x, int y) { return e[size_t(y) * 640 + x]; };

        for (const atelier::Chevron& c : atelier::chevronsVitesse()) {
            // Image column → s → world y; image row → t = 1 − row/256 → world x.
            double yMilieu = 2 - 4 * (c.x / 256);
            double xPointe = -2 + 4 * (1 - c.yPointe / 256);
            double xAiles = -2 + 4 * (1 - (c.yAiles + c.epaisseur) / 256);
            ASSERT_LT(xPointe, xAiles);
            Pixel encre = px(colonne(xPointe) + 6, ligne(yMilieu));
            Pixel fond = px(colonne(xPointe) - 8, ligne(yMilieu));
            auto distance = [](Pixel a, Pixel b) {
                return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            };
            ASSERT_GT(distance(encre, fond), 150) << nom << ": no chevron point where −x should have it";
            // The ink's height on screen shrinks from the wings to the point,
            // that is toward the left, toward −x.
            auto hauteurEncre = [&](double x) {
                int haut = -1, bas = -1;
                double portee = 4 * (c.demiLargeur + 8) / 256;  // the chevron, not the side rails
                for (int y = ligne(yMilieu + portee); y <= ligne(yMilieu - portee); ++y) {
                    Pixel p = px(colonne(x), y);
                    if (distance(p, encre) < distance(p, fond)) {
                        if (haut < 0) haut = y;
                        bas = y;
                    }
                }
                return haut < 0 ? 0 : bas - haut;
            };
            double pas = (xAiles - xPointe) / 4;
            for (int k = 0; k < 4; ++k)
                EXPECT_LT(hauteurEncre(xPointe + (k + 0.2) * pas), hauteurEncre(xPointe + (k + 1.2) * pas))
                    << nom << ": the chevron must narrow toward −x";
        }
    }
}

}  // namespace
