// The game program from start-up to shutdown, driven through the seam with a
// virtual clock: the logo pass, the menu music, the close request, the exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "application.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

namespace {

struct Demarrage : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;
    std::vector<int> gris;   // centre pixel of every frame
    int debutMusique = -1;   // frame in which the music started

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        dossier.arborescenceJeu();
        ecrireFichier("maps/menu/menu.txt",
                      "@0,0.0,0.0,3.0,5,1,1,1,0,0,0,textureSphere\n"
                      "@1,0.0,0.0,0.0,0,6,6,1,0,0,0,textureSol\n");
        systeme.surImage([this](int f) {
            gris.push_back(lirePixel(320, 240).r);
            if (debutMusique < 0 && mixeur.compte("musique") > 0) debutMusique = f;
        });
    }

    // The grey level the logo shows on each frame, counted from 0.
    static int attendu(int f) {
        if (f < 63) return 4 * (f + 1);   // rising: 4 … 252
        if (f < 114) return 252;          // holding: 51 frames
        if (f < 176) return 248 - 4 * (f - 114);  // falling: 62 frames, 248 … 4
        return 4;                         // the last logo frame starts the music
    }
};

TEST_F(Demarrage, TheLogoRisesHoldsAndFallsThenTheMusicLoopsForEver) {
    Image blanc(64, 64, 3);
    blanc.remplir(255, 255, 255);
    ecrireJpeg("data/logo.jpg", blanc);
    systeme.quitter(3);     // swallowed by the logo
    systeme.quitter(150);   // likewise
    systeme.quitter(190);   // ends the program

    ASSERT_EQ(SDL_main(0, nullptr), 0);

    ASSERT_EQ(gris.size(), 191u) << "the close request during the logo must be ignored";
    for (int f = 0; f < 177; ++f) EXPECT_NEAR(gris[f], attendu(f), 1) << "frame " << f;
    EXPECT_NEAR(gris[62], 252, 1);  // the peak is the logo, not black

    EXPECT_EQ(debutMusique, 176);
    auto musiques = mixeur.appels("musique");
    ASSERT_EQ(musiques.size(), 1u);
    EXPECT_EQ(musiques[0].fichier, "data/sound/menu.mp3");
    EXPECT_EQ(musiques[0].valeur, -1);  // for ever
    EXPECT_EQ(musiques[0].volume, 60);  // the global volume
}

TEST_F(Demarrage, ShutdownReleasesInOrderAndExitsZero) {
    systeme.quitter(180);
    ASSERT_EQ(SDL_main(0, nullptr), 0);
    std::vector<std::string> ordre;
    for (const auto& a : mixeur.appels())
        if (a.op == "libererMusique" || a.op == "liberer" || a.op == "fermer")
            ordre.push_back(a.op + ":" + a.fichier);
    std::vector<std::string> attendu = {"libererMusique:data/sound/menu.mp3",
                                        "liberer:data/sound/cursor.wav",
                                        "liberer:data/sound/bouton.wav", "fermer:"};
    EXPECT_EQ(ordre, attendu);
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_EQ(systeme.repetitionDelai(), 400);
    EXPECT_FALSE(systeme.curseurVisible());
}

TEST_F(Demarrage, MissingIconLogoFontAndSoundsLeaveTheProgramRunningAndAreEachNamed) {
    const char* const sons[] = {"data/sound/menu.mp3", "data/sound/cursor.wav", "data/sound/bouton.wav"};
    for (const char* f : sons) mixeur.manquant(f);
    systeme.quitter(185);
    testing::internal::CaptureStderr();
    ASSERT_EQ(SDL_main(0, nullptr), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    for (const char* f : {"data/iconeVorna.bmp", "data/logo.jpg", "data/font1.TGA", "data/sky/sky.jpg",
                          "data/sol.jpg", sons[0], sons[1], sons[2]})
        EXPECT_NE(err.find("\"" + std::string(f) + "\" is missing"), std::string::npos) << f << "\n" << err;
    ASSERT_EQ(gris.size(), 186u);
    EXPECT_NEAR(gris[30], 124, 1);  // an untextured quad in the fading grey
    EXPECT_EQ(mixeur.compte("musique"), 0);
}

TEST_F(Demarrage, TheMenuPacesTwoFramesPer30Milliseconds) {
    // Each frame's work takes 5 ms: one frame sleeps the 25 ms left to the
    // reference, the next finds 35 ms gone, moves the reference and goes on.
    systeme.travail(5);
    systeme.quitter(199);
    ASSERT_EQ(SDL_main(0, nullptr), 0);
    ASSERT_EQ(systeme.frame(), 200);
    EXPECT_EQ(systeme.delais().size(), 100u);
    for (Uint32 d : systeme.delais()) EXPECT_EQ(d, 25u);
    const auto& frames = systeme.framesDesDelais();
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i] - frames[i - 1], 2);
}

TEST_F(Demarrage, TheMapOptionPlaysAFreeMapAtOnceAndQuitsWhenTheRunEnds) {
    ecrireFichier("maps/piste.txt", "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,4,4,1,0,0,0,textureSol\n");
    systeme.quitter(5);
    char* args[] = {const_cast<char*>("vorna"), const_cast<char*>("--map"), const_cast<char*>("piste"), nullptr};
    ASSERT_EQ(SDL_main(3, args), 0);
    EXPECT_EQ(systeme.frame(), 6) << "no logo, no menu: the frames of a run of the map";
    auto musiques = mixeur.appels("musique");
    ASSERT_EQ(musiques.size(), 1u);
    EXPECT_EQ(musiques[0].fichier, "data/sound/ig.mp3");

    char* absente[] = {const_cast<char*>("vorna"), const_cast<char*>("--map"), const_cast<char*>("absente"), nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(SDL_main(3, absente), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no map maps/absente.txt"), std::string::npos) << err;
}

TEST(DemarrageSansDossier, StartingOutsideTheGameFolderSaysWhereItLooked) {
    DossierTemporaire vide;
    testing::internal::CaptureStderr();
    int statut = SDL_main(0, nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(statut, 0);
    EXPECT_NE(err.find("no data/ folder in " + vide.chemin()), std::string::npos) << err;
}

TEST(DemarrageSansAffichage, NoDisplayIsAClearErrorNotATextTerminal) {
    DossierTemporaire d;
    d.arborescenceJeu();
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    int statut = SDL_main(0, nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    EXPECT_NE(statut, 0);
    EXPECT_NE(err.find("no graphical display"), std::string::npos) << err;
}

TEST(DemarrageSansAffichage, ADisplayThatCannotBeOpenedIsSaidPlainlyWithoutEscapeCodes) {
    DossierTemporaire d;
    d.arborescenceJeu();
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":77", 1);
    unsetenv("SDL_VIDEODRIVER");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int statut = SDL_main(0, nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    std::string out = testing::internal::GetCapturedStdout();
    if (display.empty()) unsetenv("DISPLAY"); else setenv("DISPLAY", display.c_str(), 1);
    EXPECT_NE(statut, 0);
    EXPECT_NE(err.find("cannot open the display :77"), std::string::npos) << err;
    EXPECT_EQ((out + err).find('\x1b'), std::string::npos);
}

TEST(DemarrageSansOpenGL, AVideoDriverWithoutOpenGLIsAClearErrorAndANonZeroStatus) {
    DossierTemporaire d;
    d.arborescenceJeu();
    MixeurEnregistreur mixeur;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
    int statut = SDL_main(0, nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_NE(statut, 0);
    EXPECT_NE(err.find("cannot open a 640x480 OpenGL window"), std::string::npos) << err;
    EXPECT_EQ(mixeur.vivants(), 0);
}

}  // namespace
