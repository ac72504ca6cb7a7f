// SPDX-License-Identifier: GPL-3.0-or-later
// The programs in English: under LANGUAGE=en every text drawn is looked up
// in the English catalogue the build put in the game folder; the texts are
// read back as the seam saw them drawn, two of them on pixels too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "application.h"
#include "donnees_editeur.h"
#include "edition.h"
#include "langue.h"
#include "menu_editeur.h"
#include "partie_scriptee.h"

namespace {

const int M = 177;  // the first main menu frame, once the logo is over

struct Anglais : PartieScriptee {
    std::set<std::string> vus;  // every text drawn
    std::string mesure;         // a highlighted text whose width is measured on the first frame it shows
    int largeur = -1;           // its orange pixels' span, in pixels

    void SetUp() override {
        setenv("LANGUAGE", "en", 1);
        fixerDossierCatalogues(VORNA_GAME_DIR "/share/locale");
        initialiserLangue();
        PartieScriptee::SetUp();
        systeme.surImage([this](int) {
            instants.push_back(jeu.getInstant());
            vus.insert(systeme.textes().begin(), systeme.textes().end());
            for (const std::string& t : systeme.textes())
                if (t == mesure && largeur < 0) largeur = etendueOrange();
            if (surFrame) surFrame(instants.back());
        });
    }
    void TearDown() override {
        unsetenv("LANGUAGE");
        fixerDossierCatalogues("");
        choisirLangue("auto");
        PartieScriptee::TearDown();
    }
    // The columns from the first to the last holding the highlight's orange
    // (any shade: the editor blends it) in the band of the first entry of
    // both menus measured (0.1 above the centre).
    static int etendueOrange() {
        const std::vector<Pixel> e = lireEcran();
        int x0 = 640, x1 = -1;
        for (int y = 240 - 56; y < 240; ++y)
            for (int x = 0; x < 640; ++x)
                if (const Pixel p = e[y * 640 + x]; p.r > p.b + 40 && p.g > p.b) x0 = std::min(x0, x), x1 = std::max(x1, x);
        return x1 - x0 + 1;
    }
};

struct Cas {
    const char* quoi;
    std::function<void(Anglais&)> lancer;  // scripts (from the frame `debut`) and runs it
    std::vector<std::string> textes;       // all shown (each the start of a text)
    const char* mesure;                    // highlighted, its width checked on pixels (or empty)
};

const char* const kMenuFond = "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,6,6,1,0,0,0,textureSol\n";

const Cas kCas[] = {
    {"run title and pause menu",
     [](Anglais& a) {
         a.scenario(1, kCourseDroite);
         a.systeme.relache(a.debut + 3, SDLK_ESCAPE), a.systeme.quitter(a.debut + 8);
         a.jeu.jouer();
     },
     {"1.Training Camp", "Back to the game", "Restart the level", "Quit"},
     ""},
    {"end-of-level menu",
     [](Anglais& a) {
         a.scenario(1, kCourseDroite);
         a.systeme.appui(a.debut + 1, SDLK_UP);
         a.alArrivee([&a](int f) { a.systeme.quitter(f + 2); });
         a.jeu.jouer();
     },
     {"Next level", "Restart", "Send your score online", "Save the ghost", "Main menu"},
     "Next level"},
    {"game over",
     [](Anglais& a) {  // the ball hangs over the void: three falls
         a.scenario(2, "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,40,0,0,0,4,4,1,0,0,0,textureSol\n");
         a.jeu.setFantome(false);
         a.surFrame = [&a](const InstantPartie& i) {
             if (i.loose) a.systeme.quitter(a.systeme.frame() + 2);
         };
         a.jeu.jouer();
     },
     {"Lost", "0 lives"},
     ""},
    {"editor menu, kinds and help",
     [](Anglais& a) {
         donneesEditeur();
         a.systeme.quitter(a.debut + 3);
         editeur::Menu(640, 480).lancer();
         a.systeme.oublier();
         const int f = a.systeme.frame();
         for (int k = 0; k < 9; ++k) a.systeme.tape(f + 2 + 2 * k, SDLK_t);
         a.systeme.tape(f + 20, SDLK_RETURN), a.systeme.tape(f + 22, SDLK_F1), a.systeme.tape(f + 24, SDLK_a);
         a.systeme.tape(f + 26, SDLK_ESCAPE), a.systeme.tape(f + 28, SDLK_ESCAPE), a.systeme.tape(f + 30, SDLK_ESCAPE);
         editeur::jouer("nomap", 0);
     },
     {"New map", "Edit a map", "Quit", "Player", "Cube[floor]", "Cube[wall]", "Jump", "Turbo", "Finish",
      "Void[invisible]", "Start", "Checkpoint", "Not saved", "Help: every key. Any key closes this page.",
      "Save the changes?", "Escape: quit without saving"},
     "New map"},
    {"main menu and scenario list",  // last: the program closes the test window
     [](Anglais& a) {
         ecrireFichier("maps/menu/menu.txt", kMenuFond);
         for (int n = 1; n <= 2; ++n) ecrireFichier("maps/niveau/map" + std::to_string(n) + ".qzm", kCourseDroite);
         const int m = a.debut + M;
         a.systeme.relache(m + 2, SDLK_RETURN), a.systeme.relache(m + 4, SDLK_RETURN), a.systeme.quitter(m + 8);
         SDL_main(0, nullptr);
     },
     {"Play", "Multiplayer", "Options", "Quit", "Scenario", "Custom map", "Ghost", "Back", "1.Training Camp",
      "2.Promenade"},
     ""},
};

TEST_F(Anglais, EveryScreenShowsItsEnglishTexts) {
    for (const Cas& c : kCas) {
        SCOPED_TRACE(c.quoi);
        vus.clear(), mesure = c.mesure, largeur = -1;
        suivante();
        c.lancer(*this);
        for (const std::string& t : c.textes)  // (a level's title may be followed by its record)
            EXPECT_TRUE(std::any_of(vus.begin(), vus.end(), [&](const std::string& v) { return v.rfind(t, 0) == 0; })) << t;
        // A glyph every 16 pixels (a quad of 32, half of it inked by the editor's
        // font, all of it with no font): as wide as the English, not the French.
        const int n = static_cast<int>(mesure.size());
        if (n) {
            EXPECT_TRUE(largeur > 16 * (n - 2) && largeur <= 16 * (n + 1)) << largeur;
        }
        surFrame = nullptr;
    }
}

}  // namespace
