// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor draws, read back from the window: the menu, the objects,
// and editing sessions drawn the fast way matching the plain way to the pixel.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "deux_facons.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "edition.h"
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

TEST_F(EditeurDessin, MenuLabelsHighlightTheChosenOneAndLeaveGapsForSpaces) {
    ecrireFichier("maps/map 1.txt", "@0,0,0,0,0,1,1,1,0,0,0,textureSphere\n");
    ecrireFichier("maps/x.txt", "@0,0,0,0,0,1,1,1,0,0,0,textureSphere\n");
    SystemeScript systeme;
    systeme.mouvement(1, 320, 230);  // "Editer une map"
    systeme.bouton(3, 1, false, 320, 230);
    systeme.mouvement(5, 320, 200);  // the first map
    systeme.touche(8, SDLK_ESCAPE, true);
    // Each glyph of a label inks one 16-pixel slot with the test font; the label is
    // centred, its bottom edge at y (a fraction of the half-height) above the centre.
    const struct { int frame; std::string texte; double y; bool choisi; } labels[] = {
        {0, "Nouvelle map", 0.1, true}, {0, "Editer une map", 0, false}, {0, "Quitter", -0.1, false},
        {2, "Editer une map", 0, true}, {4, "Retour", -0.1, false},     {6, "map 1.txt", 0.1, true},
        {6, "x.txt", 0, false},
    };
    systeme.surImage([&](int f) {
        if (f == 0) {
            const std::vector<Pixel> e = lireEcran();
            EXPECT_EQ(std::count(e.begin() + 456 * 640, e.end(), Pixel{221, 137, 107}), 0) << "no rescue copy named";
        }
        for (const auto& l : labels) {
            if (l.frame != f) continue;
            const int n = static_cast<int>(l.texte.size()), ligne = 240 - static_cast<int>(l.y * 240) - 12;
            for (int k = 0; k < n; ++k) {
                const Pixel p = lirePixel(320 - 8 * n + 16 * k + 8, ligne);
                const Pixel attendu = l.texte[k] == ' ' ? Pixel{} : l.choisi ? Pixel{221, 137, 107} : Pixel{255, 255, 255};
                EXPECT_TRUE(proche(p, attendu, 2)) << "frame " << f << " '" << l.texte << "' glyph " << k;
            }
        }
    });
    editeur::Menu(640, 480).lancer();
    EXPECT_EQ(systeme.frame(), 9);
}

void camera(double ex, double ey, double ez, double hx, double hz) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, 4.0 / 3.0, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ex, ey, ez, 0, 0, 0, hx, 0, hz);
}

TEST_F(EditeurDessin, ABoxShowsItsTextureOncePerFaceTheStartASphereFilledOrWireFrameAndKeptRecordsTinted) {
    editeur::GestionTexture palette;
    palette.initialiserTextures();
    glEnable(GL_TEXTURE_2D);
    const Heros boite(0, 0, 0, 5, 2, 2, 2, 0, 0, 0, palette.intToTexture(1), 1);
    for (const auto& v : {std::vector<double>{6, 0, 0, 0, 1}, {-6, 0, 0, 0, 1}, {0, 6, 0, 0, 1}, {0, -6, 0, 0, 1},
                          {0, 0, 6, 1, 0}, {0, 0, -6, 1, 0}}) {
        camera(v[0], v[1], v[2], v[3], v[4]);
        boite.dessiner(0);
        // Lines through one half of the face cross two quadrants, once.
        for (const auto& [ligne, position] : {std::pair{true, 160}, {true, 320}, {false, 240}, {false, 400}}) {
            std::vector<int> bandes;
            for (int i = 0; i < (ligne ? 640 : 480); ++i) {
                const Pixel p = ligne ? lirePixel(i, position) : lirePixel(position, i);
                for (int q = 0; q < 4; ++q)
                    if (proche(p, quadrant(q), 30) && (bandes.empty() || bandes.back() != q)) bandes.push_back(q);
            }
            EXPECT_EQ(bandes.size(), 2u) << v[0] << v[1] << v[2] << (ligne ? " row " : " column ") << position;
        }
    }
    Enregistrement porte;
    porte.type = 11;
    porte.lx = porte.ly = porte.lz = 2;
    const Heros vie(0, 0, 0, 5, 2, 2, 2, 0, 0, 0, palette.intToTexture(editeur::kTypeVie), editeur::kTypeVie);
    const Heros depart(0, 0, 0, 5, 2, 2, 2, 0, 0, 0, palette.intToTexture(0), 0);
    // A disc of radius 2 seen from 8 units: about 170 pixels across.
    const struct { Heros objet; int vue, min, max; } cas[] = {
        {depart, 0, 20000, 25000}, {depart, 1, 1000, 8000},
        {vie, 0, 4000, 12000}, {Heros::garde(porte, 0), 0, 40000, 80000}};  // a pick-up: a ball half its size in rings
    for (const auto& c : cas) {
        camera(8, 0, 0, 0, 1);
        c.objet.dessiner(c.vue);
        int n = 0;
        for (const Pixel& p : lireEcran()) n += p.r + p.g + p.b > 60;
        EXPECT_TRUE(n >= c.min && n <= c.max) << n << " lit for kind " << c.objet.getObj() << " view " << c.vue;
    }
    EXPECT_EQ(Heros::garde(porte, 0).getCouleur(), (editeur::Couleur{200, 120, 255}));
}

// Input given one step after another from frame 2: keys tapped, a key held, turns of the wheel.
struct Saisie {
    SystemeScript& s;
    int f = 2;
    void taper(std::initializer_list<SDL_Keycode> touches) {
        for (SDL_Keycode k : touches) s.tape(f, k), f += 2;
    }
    void tenir(SDL_Keycode k, int n) { s.tape(f, k, n), f += n + 2; }
    void molette(std::initializer_list<int> boutons) {
        for (int b : boutons) s.bouton(f, b, true, 320, 240), s.bouton(f + 1, b, false, 320, 240), f += 2;
    }
};

// An editing session of `map` drawn both ways, its input given from frame 2 (a last
// Escape answers the question asked when leaving with changes not saved).
void session(const char* map, const std::function<void(Saisie&)>& saisie, std::size_t framesMin) {
    memesImages({[&](SystemeScript& s) { Saisie e{s}; saisie(e); e.taper({SDLK_ESCAPE}); }, nullptr},
                [map] { editeur::jouer(map, 0); }, map, framesMin);
}

TEST_F(EditeurDessin, EditingSessionsLookAlikeDrawnTheFastWayOrThePlainWay) {
    ecrireFichier("maps/tout.txt", carteEditeur(300));  // every kind, unknown ones too
    ecrireFichier("maps/grande.txt", carteEditeur(1000));
    // Copies placed where the cursor stands (equal faces, a box in a sphere), every kind,
    // resized, deleted one by one and all at once, the start retyped, wire frame, the camera.
    session("tout.txt", [](Saisie& e) {
        e.tenir(SDLK_w, 3);
        e.taper({SDLK_RETURN, SDLK_t, SDLK_UP, SDLK_UP, SDLK_RETURN, SDLK_t, SDLK_t, SDLK_j, SDLK_RETURN});
        e.tenir(SDLK_d, 4);
        e.taper({SDLK_r, SDLK_LEFT, SDLK_n, SDLK_RETURN, SDLK_x, SDLK_r, SDLK_r, SDLK_RETURN});
        e.tenir(SDLK_a, 2);
        e.taper({SDLK_RETURN});
        e.molette({4, 4, 4, 5, 5});
        e.taper({SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_z, SDLK_DOWN, SDLK_RIGHT});
        e.tenir(SDLK_e, 3);
        e.taper({SDLK_t, SDLK_t, SDLK_t, SDLK_RETURN, SDLK_p, SDLK_t, SDLK_UP, SDLK_RETURN, SDLK_RETURN, SDLK_x,
                 SDLK_BACKSPACE, SDLK_ESCAPE});
    }, 80);
    // A new map: the start alone is the cursor, then placed.
    session("nomap", [](Saisie& e) {
        e.taper({SDLK_x, SDLK_RETURN, SDLK_z, SDLK_t, SDLK_RETURN, SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_ESCAPE});
    }, 15);
    // Kept records of unknown kinds become the cursor: a "bouton" box and a
    // "vie" pick-up, tinted, filled and as wire frame, then retyped.
    ecrireFichier("maps/garde.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n"
                                    "@10,-4,0,2,5,2,2,1,0,0,0,textureCaisse\n@8,-4,3,3,5,1.5,1,1,0,0,0,textureSol\n");
    session("garde.txt", [](Saisie& e) {
        e.taper({SDLK_BACKSPACE, SDLK_x, SDLK_BACKSPACE, SDLK_z, SDLK_BACKSPACE, SDLK_x, SDLK_RETURN, SDLK_BACKSPACE,
                 SDLK_t, SDLK_ESCAPE});
    }, 15);
    // 1,000 objects, the camera travelling over them.
    session("grande.txt", [](Saisie& e) {
        e.tenir(SDLK_w, 25);
        e.molette({5, 5, 5});
        e.tenir(SDLK_a, 6);
        e.taper({SDLK_t, SDLK_RETURN, SDLK_x, SDLK_RETURN, SDLK_BACKSPACE});
        e.tenir(SDLK_s, 10);
        e.taper({SDLK_TAB, SDLK_TAB, SDLK_UP, SDLK_g});  // an object chosen and changed, drawn on its own
        e.tenir(SDLK_w, 3);
        e.taper({SDLK_ESCAPE, SDLK_ESCAPE});
    }, 60);
}

TEST_F(EditeurDessin, TheChosenObjectTheGridTheDropLineAndTheHelpScreenShowOverTheView) {
    ecrireFichier("maps/p.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n");
    SystemeScript s;
    s.tape(3, SDLK_TAB);  // the start, over the block
    s.tape(7, SDLK_g);
    s.tape(11, SDLK_F1);
    s.tape(15, SDLK_x);  // closes the help, and is no wire frame
    s.tape(19, SDLK_ESCAPE), s.tape(21, SDLK_ESCAPE);
    auto compte = [](const std::function<bool(Pixel)>& p) {
        const std::vector<Pixel> e = lireEcran();
        return std::count_if(e.begin(), e.end(), p);
    };
    const auto chute = [](Pixel p) { return p == Pixel{0, 255, 255}; };
    const auto contour = [](Pixel p) { return p == Pixel{255, 0, 255}; };
    const auto grille = [](Pixel p) { return p.b > p.r + 8 && p.b < 150; };  // faint blue lines
    const auto lettre = [](Pixel p) { return p == Pixel{255, 255, 255}; };
    // Frame, then at least and at most this many pixels of the drop line, the outline, the grid, letters.
    const struct { int frame, min[4], max[4]; } cas[] = {
        {2, {20, 0, 0, 5000}, {400, 0, 500, 11000}},          // the drop line, under the cursor's place
        {6, {20, 500, 0, 11000}, {400, 5000, 500, 14000}},     // the start chosen: outlined, the cursor's place shown
        {10, {20, 500, 5000, 11000}, {400, 5000, 40000, 14000}},  // the grid
        {14, {0, 0, 0, 40000}, {0, 0, 5000, 99999}},           // the help over a dark veil
        {18, {20, 500, 5000, 11000}, {400, 5000, 40000, 14000}}};
    s.surImage([&](int f) {
        for (const auto& c : cas) {
            if (c.frame != f) continue;
            const long n[4] = {compte(chute), compte(contour), compte(grille), compte(lettre)};
            for (int k = 0; k < 4; ++k) EXPECT_TRUE(n[k] >= c.min[k] && n[k] <= c.max[k]) << "frame " << f << ": " << k << " " << n[k];
        }
    });
    editeur::jouer("p.txt", 0);
    EXPECT_TRUE(!editeur::instantEdition().aide && editeur::instantEdition().vue == 0);
}

}  // namespace

namespace {

// The contrast of white text to a pixel, as WCAG measures it.
double contrasteBlanc(Pixel p) {
    auto lin = [](uint8_t c) { const double v = c / 255.0; return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 1.05 / (0.2126 * lin(p.r) + 0.7152 * lin(p.g) + 0.0722 * lin(p.b) + 0.05);
}

TEST_F(EditeurDessin, TheHeaderLinesHaveADarkBandBehindThemOverAnyTexture) {
    ecrireFichier("maps/h.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,60,60,60,0,0,0,textureCaisse\n");
    SystemeScript s;  // inside a big box: its faces behind every line
    s.tape(3, SDLK_TAB), s.tape(5, SDLK_UP);  // the start chosen and changed: four lines and the unsaved mark
    s.tape(9, SDLK_ESCAPE), s.tape(11, SDLK_ESCAPE), s.tape(13, SDLK_ESCAPE);
    long faibles = 0, fond = 0;
    s.surImage([&](int f) {
        if (f != 8) return;
        const std::vector<Pixel> e = lireEcran();
        for (const auto& [x0, y0, x1, y1] : {std::array{0, 0, 150, 60}, {0, 458, 150, 480}, {560, 0, 640, 24}})
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    // The texture's colours (the text is white, its edges grey): the background.
                    if (const Pixel p = e[y * 640 + x]; std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 12)
                        ++fond, faibles += contrasteBlanc(p) < 4.5;
    });
    editeur::jouer("h.txt", 0);
    EXPECT_GT(fond, 3000);
    EXPECT_LT(faibles * 100, fond) << "but for a few edges of glyphs";
}

}  // namespace
