// What the editor draws, read back from the window: the menu's labels, the
// boxes with their texture once per face, the player's start filled and as
// wire frame, and the records the palette does not know.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "donnees_editeur.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "menu_editeur.h"
#include "objet_editeur.h"
#include "palette.h"
#include "systeme_script.h"

namespace {

using editeur::Heros;

struct EditeurDessin : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        dossier.arborescenceJeu();
        donneesEditeur();
    }
};

bool proche(Pixel p, Pixel q, int tolerance) {
    return std::abs(p.r - q.r) <= tolerance && std::abs(p.g - q.g) <= tolerance &&
           std::abs(p.b - q.b) <= tolerance;
}

// Each glyph of a label inks one 16-pixel slot with the test font; the
// label is centred, its bottom edge at Y of the half-height above the centre.
struct Label {
    int frame;
    const char* texte;
    double y;
    bool choisi;
};

TEST_F(EditeurDessin, MenuLabelsHighlightTheChosenOneAndLeaveGapsForSpaces) {
    ecrireFichier("maps/map 1.txt", "@0,0,0,0,0,1,1,1,0,0,0,textureSphere\n");
    ecrireFichier("maps/x.txt", "@0,0,0,0,0,1,1,1,0,0,0,textureSphere\n");
    SystemeScript systeme;
    systeme.mouvement(1, 320, 230);  // "Editer une map"
    systeme.bouton(3, 1, false, 320, 230);
    systeme.mouvement(5, 320, 200);  // the first map
    systeme.touche(8, SDLK_ESCAPE, true);
    const Label labels[] = {
        {0, "Nouvelle map", 0.1, true},   {0, "Editer une map", 0, false}, {0, "Quitter", -0.1, false},
        {2, "Editer une map", 0, true},   {4, "Retour", -0.1, false},
        {6, "map 1.txt", 0.1, true},      {6, "x.txt", 0, false},
    };
    systeme.surImage([&](int f) {
        for (const Label& l : labels) {
            if (l.frame != f) continue;
            const int n = static_cast<int>(std::string(l.texte).size());
            const int ligne = 240 - static_cast<int>(l.y * 240) - 12;
            for (int k = 0; k < n; ++k) {
                const Pixel p = lirePixel(320 - 8 * n + 16 * k + 8, ligne);
                const Pixel attendu = l.texte[k] == ' ' ? Pixel{0, 0, 0}
                                      : l.choisi        ? Pixel{221, 137, 107}
                                                        : Pixel{255, 255, 255};
                EXPECT_TRUE(proche(p, attendu, 2))
                    << "frame " << f << " '" << l.texte << "' glyph " << k << ": " << int(p.r) << ","
                    << int(p.g) << "," << int(p.b);
            }
        }
    });
    editeur::Menu(640, 480).lancer();
    EXPECT_EQ(systeme.frame(), 9);
}

// The colour runs along a line of pixels, by nearest quadrant colour;
// background and the blur between colours do not count.
std::vector<int> bandes(bool ligne, int position) {
    std::vector<int> r;
    for (int i = 0; i < (ligne ? 640 : 480); ++i) {
        const Pixel p = ligne ? lirePixel(i, position) : lirePixel(position, i);
        for (int q = 0; q < 4; ++q)
            if (proche(p, quadrant(q), 30) && (r.empty() || r.back() != q)) r.push_back(q);
    }
    return r;
}

void camera(double ex, double ey, double ez, double hx, double hy, double hz) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, 4.0 / 3.0, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ex, ey, ez, 0, 0, 0, hx, hy, hz);
}

TEST_F(EditeurDessin, ABoxOfHalfSizeTwoShowsItsTextureOncePerFace) {
    editeur::GestionTexture palette;
    palette.initialiserTextures();
    glEnable(GL_TEXTURE_2D);
    const Heros boite(0, 0, 0, 5, 2, 2, 2, 0, 0, 0, palette.intToTexture(1), 1);
    struct Vue { double ex, ey, ez, hx, hy, hz; };
    const Vue vues[] = {{6, 0, 0, 0, 0, 1}, {-6, 0, 0, 0, 0, 1}, {0, 6, 0, 0, 0, 1},
                        {0, -6, 0, 0, 0, 1}, {0, 0, 6, 1, 0, 0}, {0, 0, -6, 1, 0, 0}};
    for (const Vue& v : vues) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera(v.ex, v.ey, v.ez, v.hx, v.hy, v.hz);
        boite.dessiner(0);
        // Lines through one half of the face cross two quadrants, once.
        for (int position : {160, 320}) EXPECT_EQ(bandes(true, position).size(), 2u) << v.ex << v.ey << v.ez;
        for (int position : {240, 400}) EXPECT_EQ(bandes(false, position).size(), 2u) << v.ex << v.ey << v.ez;
    }
}

int allumes() {
    int n = 0;
    for (const Pixel& p : lireEcran()) n += p.r + p.g + p.b > 60;
    return n;
}

TEST_F(EditeurDessin, TheStartIsASphereFilledOrWireFrameAndKeptRecordsAreShown) {
    editeur::GestionTexture palette;
    palette.initialiserTextures();
    glEnable(GL_TEXTURE_2D);
    const Heros depart(0, 0, 0, 5, 2, 2, 2, 0, 0, 0, palette.intToTexture(0), 0);
    Enregistrement vie;
    vie.type = 8;
    vie.lx = vie.ly = vie.lz = 2;
    Enregistrement porte = vie;
    porte.type = 11;
    struct Cas {
        Heros objet;
        int vue;
        int min, max;  // lit pixels
    };
    // A disc of radius 2 seen from 8 units: about 170 pixels across.
    const Cas cas[] = {{depart, 0, 20000, 25000},
                       {depart, 1, 1000, 8000},
                       {Heros::garde(vie, palette.intToTexture(0)), 0, 20000, 25000},
                       {Heros::garde(porte, 0), 0, 40000, 80000}};
    for (const Cas& c : cas) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera(8, 0, 0, 0, 0, 1);
        c.objet.dessiner(c.vue);
        const int n = allumes();
        EXPECT_GE(n, c.min) << "kind " << c.objet.getObj() << " view " << c.vue;
        EXPECT_LE(n, c.max) << "kind " << c.objet.getObj() << " view " << c.vue;
    }
}

}  // namespace
