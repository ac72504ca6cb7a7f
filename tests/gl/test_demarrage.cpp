// SPDX-License-Identifier: GPL-3.0-or-later
// The game program from start-up to shutdown through the seam with a virtual
// clock: the logo, the menu music, the close request, the exit, the same with
// each data file missing in turn; and the starts that cannot go on, said plainly.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "application.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "menu.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

namespace {

namespace fs = std::filesystem;

struct Demarrage : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        dossier.arborescenceJeu();
        ecrireFichier("maps/menu/menu.txt",
                      "@0,0.0,0.0,3.0,5,1,1,1,0,0,0,textureSphere\n@1,0.0,0.0,0.0,0,6,6,1,0,0,0,textureSol\n");
    }
    std::vector<std::string> musiques() {
        std::vector<std::string> r;
        for (const auto& a : mixeur.appels("musique"))
            r.push_back(a.fichier + " " + std::to_string(a.valeur) + " " + std::to_string(a.volume));
        return r;
    }
};

TEST_F(Demarrage, TheLogoRisesHoldsAndFallsThenTheMusicLoopsForEverAStepAFrameAndShutdownReleasesInOrder) {
    // Each frame's work takes 5 ms: at 30 frames a second each sleeps what
    // is left of its step of 33⅓ ms.
    systeme.travail(5);
    Image blanc(64, 64, 3);
    blanc.remplir(255, 255, 255);
    ecrireJpeg("data/logo.jpg", blanc);
    std::vector<int> gris;  // centre pixel of every frame
    int debutMusique = -1;
    systeme.surImage([&](int f) {
        gris.push_back(lirePixel(320, 240).r);
        if (debutMusique < 0 && mixeur.compte("musique") > 0) debutMusique = f;
    });
    for (int f : {3, 150, 190}) systeme.quitter(f);  // the logo swallows the first two
    ASSERT_EQ(SDL_main(0, nullptr), 0);
    ASSERT_EQ(gris.size(), 191u) << "the close request during the logo must be ignored";
    // Rising 4 … 252, holding 51 frames, falling 62 frames 248 … 4; the last logo frame starts the music.
    for (int f = 0; f < 177; ++f) {
        const int attendu = f < 63 ? 4 * (f + 1) : f < 114 ? 252 : f < 176 ? 248 - 4 * (f - 114) : 4;
        EXPECT_NEAR(gris[f], attendu, 1) << "frame " << f;
    }
    EXPECT_EQ(debutMusique, 176);
    EXPECT_EQ(musiques(), std::vector<std::string>{"data/sound/menu.mp3 -1 60"}) << "for ever, at the global volume";
    EXPECT_EQ(systeme.delais().size(), 191u);
    for (Uint32 d : systeme.delais()) EXPECT_TRUE(d == 28 || d == 29) << d;
    EXPECT_NEAR(systeme.maintenant() - 1000, 191 * 100 / 3.0, 34);

    std::string ordre;  // what shutdown releases, in order
    for (const auto& a : mixeur.appels())
        if (a.op == "libererMusique" || a.op == "liberer" || a.op == "fermer") ordre += a.op + ":" + a.fichier + " ";
    EXPECT_EQ(ordre, "libererMusique:data/sound/menu.mp3 liberer:data/sound/cursor.wav liberer:data/sound/bouton.wav fermer: ");
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_TRUE(systeme.repetitionDelai() == 400 && !systeme.curseurVisible());
}

TEST_F(Demarrage, TheMapOptionPlaysAFreeMapAtOnceAndQuitsWhenTheRunEnds) {
    ecrireFichier("maps/piste.txt", "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,4,4,1,0,0,0,textureSol\n");
    systeme.quitter(5);
    char vorna[] = "vorna", map[] = "--map", piste[] = "piste", absente[] = "absente";
    char* args[] = {vorna, map, piste, nullptr};
    ASSERT_EQ(SDL_main(3, args), 0);
    EXPECT_EQ(systeme.frame(), 6) << "no logo, no menu: the frames of a run of the map";
    EXPECT_EQ(musiques(), std::vector<std::string>{"data/sound/ig.mp3 -1 60"});
    args[2] = absente;
    const std::string err = sortieErreur([&] { EXPECT_EQ(SDL_main(3, args), 1); });
    EXPECT_NE(err.find("no map maps/absente.txt"), std::string::npos) << err;
}

// Every file of the game folder's data/, as "data/…", in order.
std::vector<std::string> donnees() {
    std::vector<std::string> r;
    const fs::path jeu = VORNA_GAME_DIR;
    for (const auto& e : fs::recursive_directory_iterator(jeu / "data"))
        if (e.is_regular_file()) r.push_back(fs::relative(e.path(), jeu).string());
    std::sort(r.begin(), r.end());
    return r;
}

// Files the menu and a run of level 1 never load: the mountain set and the
// editor's texture of invisible blocks.
bool inutilise(const std::string& f) {
    static const std::set<std::string> n = {"herbe.jpg", "rock.jpg", "jump2.jpg", "speed2.jpg", "sky2.jpg", "vide.jpg"};
    return n.count(fs::path(f).filename().string()) > 0;
}

// The game folder with one of its data files missing: the program still
// starts, shows its menu, plays a run, quits cleanly, and names the file.
struct DonneeManquante : Demarrage, ::testing::WithParamInterface<std::string> {};

TEST_P(DonneeManquante, TheMenuAndARunGoOnWithoutIt) {
    fs::copy(fs::path(VORNA_GAME_DIR) / "data", "data", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // Small levels keep the drawing quick: the data are what this is about.
    for (const char* niveau : {"maps/menu/menu.txt", "maps/niveau/map1.qzm"})
        ecrireFichier(niveau, "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,-8,0,0,0,12,4,1,0,0,0,textureSol\n");
    ASSERT_TRUE(fs::remove(GetParam()));
    // Sounds and music through a mixer that plays nothing and loads every
    // file but the missing one.
    mixeur.manquant(GetParam());

    // Logo, then "Jouer", "Scenario", level 1; the window's close button ends
    // the run 20 frames in, then the program from the rebuilt menu.
    const int M = 177, depart = M + 6 + 51;
    systeme.travail(3);
    systeme.limite(1500);
    systeme.vraiSwap(false);
    for (int f : {M + 2, M + 4, M + 6}) systeme.relache(f, SDLK_RETURN);
    systeme.appui(depart + 5, SDLK_UP);
    for (int f : {depart + 20, depart + 25}) systeme.quitter(f);
    // Nothing here reads the screen: from the first frame on, the drawing
    // goes on in full but fills an 8 × 8 corner, which keeps the test quick.
    int frames = 0;
    systeme.surImage([&](int f) {
        frames += !instantMenu().swap;
        if (f > 0) return;
        glViewport(0, 0, 8, 8);
        glScissor(0, 0, 8, 8);
        glEnable(GL_SCISSOR_TEST);
    });

    const std::string err = sortieErreur([] { EXPECT_EQ(SDL_main(0, nullptr), 0); });
    EXPECT_EQ(frames, 21) << "the run must have played";
    EXPECT_LT(systeme.frame(), 1500) << "the program must have ended by itself";
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_TRUE(inutilise(GetParam()) || err.find("\"" + GetParam() + "\" is missing") != std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Jeu, DonneeManquante, ::testing::ValuesIn(donnees()),
                         [](const testing::TestParamInfo<std::string>& i) {
                             std::string n = i.param;
                             std::replace_if(n.begin(), n.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
                             return n;
                         });

TEST(DemarrageImpossible, WithoutAGameFolderADisplayOrOpenGLTheProgramSaysWhyAndEndsWithAnError) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    const struct {
        bool jeu;             // a game folder to start in
        const char* display;  // nullptr: none
        const char* pilote;   // SDL_VIDEODRIVER, nullptr: none
        std::string message;
    } cas[] = {
        {false, display.c_str(), nullptr, "no data/ folder in "},
        {true, nullptr, nullptr, "no graphical display"},
        {true, ":77", nullptr, "cannot open the display :77"},
        {true, display.c_str(), "dummy", "cannot open a 640x480 OpenGL window"},
    };
    for (const auto& c : cas) {
        DossierTemporaire d;
        if (c.jeu) d.arborescenceJeu();
        MixeurEnregistreur mixeur;
        c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
        c.pilote ? setenv("SDL_VIDEODRIVER", c.pilote, 1) : unsetenv("SDL_VIDEODRIVER");
        testing::internal::CaptureStdout();
        const std::string err = sortieErreur([&] { EXPECT_NE(SDL_main(0, nullptr), 0) << c.message; });
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(err.find(c.message + (c.jeu ? "" : d.chemin())), std::string::npos) << err;
        EXPECT_EQ((out + err).find('\x1b'), std::string::npos) << "no escape codes of a text terminal";
        EXPECT_EQ(mixeur.vivants(), 0);
    }
    display.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
