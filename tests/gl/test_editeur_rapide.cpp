// The editor's fast drawing (the placed objects from kept arrays and shapes,
// what the camera cannot see skipped) gives the same picture as every
// object's own dessiner: editing sessions scripted through the seam, drawn
// both ways, every frame compared to the pixel.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "deux_facons.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "edition.h"
#include "fenetre_test.h"
#include "systeme_script.h"

namespace {

// Input given one step after another from frame 2: a key tapped (pressed,
// released on the next frame), a key held, a turn of the wheel.
struct Saisie {
    SystemeScript& s;
    int f = 2;
    void taper(std::initializer_list<SDLKey> touches) {
        for (SDLKey k : touches) s.tape(f, k), f += 2;
    }
    void tenir(SDLKey k, int n) { s.tape(f, k, n), f += n + 2; }
    void molette(std::initializer_list<int> boutons) {
        for (int b : boutons) {
            s.bouton(f, b, true, 320, 240);
            s.bouton(f + 1, b, false, 320, 240);
            f += 2;
        }
    }
};

struct EditeurRapide : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        donneesEditeur();
    }
};

TEST_F(EditeurRapide, EditingSessionsLookTheSameToThePixel) {
    ecrireFichier("maps/tout.txt", carteEditeur(300));  // every kind, unknown ones too
    ecrireFichier("maps/grande.txt", carteEditeur(1000));
    // Copies placed where the cursor stands (equal faces, a box in a
    // sphere), every kind, resized, deleted one by one and all at once,
    // the start retyped, wire frame, the camera in and out.
    memesImages({[](SystemeScript& s) {
                     Saisie e{s};
                     e.tenir(SDLK_w, 3);
                     e.taper({SDLK_RETURN, SDLK_t, SDLK_UP, SDLK_UP, SDLK_RETURN, SDLK_t, SDLK_t, SDLK_j,
                              SDLK_RETURN});
                     e.tenir(SDLK_d, 4);
                     e.taper({SDLK_r, SDLK_LEFT, SDLK_n, SDLK_RETURN, SDLK_x, SDLK_r, SDLK_r, SDLK_RETURN});
                     e.tenir(SDLK_a, 2);
                     e.taper({SDLK_RETURN});
                     e.molette({4, 4, 4, 5, 5});
                     e.taper({SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_z, SDLK_DOWN, SDLK_RIGHT});
                     e.tenir(SDLK_e, 3);
                     e.taper({SDLK_t, SDLK_t, SDLK_t, SDLK_RETURN, SDLK_p, SDLK_t, SDLK_UP, SDLK_RETURN,
                              SDLK_RETURN, SDLK_x, SDLK_BACKSPACE, SDLK_ESCAPE});
                 },
                 nullptr},
                [] { editeur::jouer("tout.txt", 0); }, "an opened map", 80);
    // A new map: the start alone is the cursor, then placed.
    memesImages({[](SystemeScript& s) {
                     Saisie e{s};
                     e.taper({SDLK_x, SDLK_RETURN, SDLK_z, SDLK_t, SDLK_RETURN, SDLK_BACKSPACE, SDLK_BACKSPACE,
                              SDLK_ESCAPE});
                 },
                 nullptr},
                [] { editeur::jouer("nomap", 0); }, "a new map", 15);
    // Kept records of unknown kinds become the cursor: a "bouton" box and a
    // "vie" pick-up, tinted, filled and as wire frame, then retyped.
    ecrireFichier("maps/garde.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n"
                                    "@10,-4,0,2,5,2,2,1,0,0,0,textureCaisse\n@8,-4,3,3,5,1.5,1,1,0,0,0,textureSol\n");
    memesImages({[](SystemeScript& s) {
                     Saisie e{s};
                     e.taper({SDLK_BACKSPACE, SDLK_x, SDLK_BACKSPACE, SDLK_z, SDLK_BACKSPACE, SDLK_x,
                              SDLK_RETURN, SDLK_BACKSPACE, SDLK_t, SDLK_ESCAPE});
                 },
                 nullptr},
                [] { editeur::jouer("garde.txt", 0); }, "kept records", 15);
    // 1,000 objects, the camera travelling over them.
    memesImages({[](SystemeScript& s) {
                     Saisie e{s};
                     e.tenir(SDLK_w, 25);
                     e.molette({5, 5, 5});
                     e.tenir(SDLK_a, 6);
                     e.taper({SDLK_t, SDLK_RETURN, SDLK_x, SDLK_RETURN, SDLK_BACKSPACE});
                     e.tenir(SDLK_s, 10);
                     e.taper({SDLK_ESCAPE});
                 },
                 nullptr},
                [] { editeur::jouer("grande.txt", 0); }, "1,000 objects", 60);
}

}  // namespace
