// SPDX-License-Identifier: GPL-3.0-or-later
// SIGINT, SIGTERM and SIGHUP end bramelt from its menu or a map within two frames,
// as a normal exit does; placed objects not saved yet go to a rescue copy
// that no list shows and the next start names.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <functional>
#include <string>
#include <vector>

#include "application_editeur.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "niveau.h"
#include "repertoire.h"
#include "sauvetage.h"
#include "systeme_script.h"
#include "texte.h"

namespace {

const char* const kCarte = "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n";
const char* const kAncienSecours = "@0,9,9,9,5,1,1,1,0,0,0,textureSphere\n";

int lancerBramelt() {
    char nom[] = "bramelt";
    char* argv[] = {nom, nullptr};
    return editeur::lancerBramelt(1, argv);
}

struct EditeurSignal : ::testing::Test {
    DossierTemporaire dossier;
    SystemeScript systeme;
    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        donneesEditeur();
        ecrireFichier("maps/a.txt", kCarte);
        ecrireFichier("maps/.sauvetage-a", kAncienSecours);  // left by an earlier session
        creerDossiers("maps/.sauvetage-dossier");            // a folder is no rescue copy
        systeme.limite(400);
    }
    void TearDown() override { contourTexte(false); }  // the editor's start turned it on
};

// The way to a.txt, the one map listed, returning the first frame free in
// the script; keys tapped two frames apart.
int ouvrirA(SystemeScript& s) {
    s.mouvement(1, 320, 230);
    s.bouton(3, 1, false, 320, 230);
    s.mouvement(5, 320, 210);
    s.bouton(7, 1, false, 320, 210);
    return 10;
}
int taper(SystemeScript& s, int f, std::initializer_list<SDL_Keycode> touches) {
    for (SDL_Keycode k : touches) s.tape(f, k), f += 2;
    return f + 2;
}

struct CasSignal {
    const char* ecran;
    int signal;
    bool reel;  // a real signal raised in the process, else the seam's request
    std::function<int(SystemeScript&)> chemin;  // the way there; returns the frame of the signal
    const char* secours;  // the rescue copy expected, or nullptr
    int enregistrements;  // in it, or in a.txt when it was saved
};

const CasSignal kCas[] = {
    {"menu", SIGINT, true, [](SystemeScript&) { return 4; }, nullptr, 2},
    {"mapList", SIGTERM, false, [](SystemeScript& s) { return s.mouvement(1, 320, 230), s.bouton(3, 1, false, 320, 230), 6; },
     nullptr, 2},
    {"newMapUnsaved", SIGTERM, true,
     [](SystemeScript& s) { return s.mouvement(1, 320, 200), s.bouton(3, 1, false, 320, 200), taper(s, 6, {SDLK_RETURN, SDLK_t, SDLK_RETURN}); },
     "maps/.sauvetage-mapperso2", 2},
    {"newMapNothingPlaced", SIGINT, false,
     [](SystemeScript& s) { return s.mouvement(1, 320, 200), s.bouton(3, 1, false, 320, 200), taper(s, 6, {SDLK_t}); },
     nullptr, 2},
    {"openedMapSaved", SIGINT, true, [](SystemeScript& s) { return taper(s, ouvrirA(s), {SDLK_RETURN, SDLK_SPACE}); },
     nullptr, 3},
    {"openedMapUnsaved", SIGINT, false,
     [](SystemeScript& s) { return taper(s, ouvrirA(s), {SDLK_RETURN, SDLK_RETURN, SDLK_RETURN}); },
     "maps/.sauvetage-a-2", 5},
    {"openedMapUnsavedHangup", SIGHUP, true, [](SystemeScript& s) { return taper(s, ouvrirA(s), {SDLK_RETURN}); },
     "maps/.sauvetage-a-2", 3},
    {"openedMapDeleted", SIGTERM, true, [](SystemeScript& s) { return taper(s, ouvrirA(s), {SDLK_BACKSPACE}); },
     "maps/.sauvetage-a-2", 1},
    // The game of a play-test signals the editor: it is ended too (it never writes fini.txt).
    {"playTest", SIGTERM, true,
     [](SystemeScript& s) {
         ecrireFichier("vorna", "#!/bin/sh\nkill -TERM $PPID\nsleep 3\necho > fini.txt\n");
         chmod("vorna", 0755);
         return taper(s, ouvrirA(s), {SDLK_RETURN, SDLK_F5}) + 1000;
     },
     nullptr, 3},
};

void PrintTo(const CasSignal& c, std::ostream* os) { *os << c.ecran; }

struct EditeurSignalEcrans : EditeurSignal, ::testing::WithParamInterface<CasSignal> {};

TEST_P(EditeurSignalEcrans, EndsTheProgramWithinTwoFramesKeepingUnsavedObjects) {
    const CasSignal& c = GetParam();
    const int f = c.chemin(systeme);
    int dernier = -1;
    long encre = 0;  // the menu names the earlier copy at the bottom left
    systeme.surImage([&](int n) {
        if ((dernier = n) == f && c.reel) std::raise(c.signal);
        if (n == 1) {
            const std::vector<Pixel> e = lireEcran();
            // The highlight's orange, lightened over the text's dark outline.
            encre = std::count_if(e.begin() + 456 * 640, e.end(),
                                  [](Pixel p) { return p.r > p.g && p.g > p.b && p.r - p.b > 60; });
        }
    });
    if (!c.reel) systeme.arret(f);
    int statut = -1;
    const std::string erreurs = sortieErreur([&] { statut = lancerBramelt(); });
    EXPECT_EQ(statut, c.reel ? 128 + c.signal : 0) << "a real signal gives the shell's status for it";
    EXPECT_LE(dernier - f, 2);
    EXPECT_FALSE(existe("fini.txt")) << "the play-test's game ended with the editor";
    EXPECT_GT(encre, 100);
    EXPECT_NE(erreurs.find("a rescue copy of a map not saved is kept in maps/.sauvetage-a;"), std::string::npos)
        << "named at start-up: " << erreurs;
    EXPECT_EQ(erreurs.find(".sauvetage-dossier"), std::string::npos) << erreurs;
    std::vector<Enregistrement> lus;
    if (c.secours) {
        EXPECT_EQ(editeur::listerSauvetages().size(), 2u);
        ASSERT_TRUE(lireNiveau(c.secours, lus)) << c.secours;
        EXPECT_NE(erreurs.find(std::string("a rescue copy of the map is in ") + c.secours), std::string::npos) << erreurs;
        EXPECT_EQ(lireFichier("maps/a.txt"), kCarte) << "never written over";
    } else {
        EXPECT_EQ(editeur::listerSauvetages(), std::vector<std::string>{"maps/.sauvetage-a"});
        ASSERT_TRUE(lireNiveau("maps/a.txt", lus));
    }
    EXPECT_EQ(static_cast<int>(lus.size()), c.enregistrements) << "in the copy, or a.txt as it was or as saved";
    EXPECT_EQ(lireFichier("maps/.sauvetage-a"), kAncienSecours) << "an earlier copy is never replaced";
}

INSTANTIATE_TEST_SUITE_P(Ecrans, EditeurSignalEcrans, ::testing::ValuesIn(kCas),
                         [](const testing::TestParamInfo<CasSignal>& i) { return std::string(i.param.ecran); });

}  // namespace
