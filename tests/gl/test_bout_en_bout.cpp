// SPDX-License-Identifier: GPL-3.0-or-later
// The real programs in a copy of the game folder, driven by real X key and mouse
// events (xdotool) and watched through screenshots: vorna from its logo through
// level 1 and back; bramelt making a map, and ended by SIGTERM.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bout_en_bout.h"
#include "dossier.h"
#include "niveau.h"
#include "repertoire.h"
#include "version.h"

namespace {

namespace fs = std::filesystem;

struct BoutEnBout : ::testing::Test {
    std::unique_ptr<DossierTemporaire> dossier;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        if (!xdotoolPresent()) FAIL() << "xdotool is needed (scripts/deps.sh installs it)";
        dossier = std::make_unique<DossierTemporaire>();
        ASSERT_TRUE(copierJeu()) << "build the game and its data first";
    }

    void touche(const char* nom) { xdotool({"key", "--delay", "80", nom}); }
};

TEST_F(BoutEnBout, LogoMenuLevelOneBackToTheMenuAndQuit) {
    Programme vorna({"./vorna"});
    ASSERT_EQ(chercherFenetre("^Vorna "), 0);

    // The logo first: bright, no menu text yet.
    Capture c;
    ASSERT_TRUE(attendre([&] { return couleurs(c = capturerEcran()) > 40; }, 20)) << "nothing was drawn";
    EXPECT_FALSE(menuHaut(c));
    ASSERT_TRUE(attendre([&] { return menuHaut(c = capturerEcran()); }, 30)) << "the menu never showed";
    EXPECT_GT(couleurs(c), 100) << "the menu background is drawn";

    for (const char* k : {"Return", "Return", "Return"}) touche(k);  // "Jouer", "Scenario", level 1
    // In the run: the level title at the top left, the lives at the top
    // right, the chronometer at the bottom right (the menu has none there).
    ASSERT_TRUE(attendre([&] {
        c = capturerEcran();
        return compter(c, 0, 0, 300, 26, blanc) > 40 && compter(c, 480, 0, 640, 26, blanc) > 20 &&
               compter(c, 520, 454, 640, 480, blanc) > 20;
    }, 30)) << "level 1 never started";
    EXPECT_GT(couleurs(c), 100);
    touche("Escape");  // pause
    // "Retour au jeu" highlighted across the centre (its left part, clear of the ball).
    ASSERT_TRUE(attendre([&] { return compter(c = capturerEcran(), 216, 216, 290, 242, orange) > 15; }, 10))
        << "the pause menu never showed";
    for (const char* k : {"Down", "Down", "Return"}) touche(k);  // "Quitter"

    ASSERT_TRUE(attendre([&] { return menuHaut(c = capturerEcran()); }, 30)) << "the menu did not come back";
    touche("Escape");
    EXPECT_EQ(vorna.attendreFin(20), 0);
}


// bramelt started, "Nouvelle map" clicked, and in the session a start and a floor block placed.
void deuxObjetsDansUneNouvelleMap() {
    ASSERT_EQ(chercherFenetre("Bramelt"), 0);
    Capture c;
    xdotool({}, 320, 204);
    ASSERT_TRUE(attendre([&] { return menuEditeur(c = capturerEcran(), 192); }, 20)) << "the menu never showed";
    EXPECT_EQ(nomFenetre(), "Bramelt adapt\xc3\xa9 pour Vorna by Mervo");
    xdotool({"click", "1"}, 320, 204);
    ASSERT_TRUE(attendre([&] { return edition(c = capturerEcran()); }, 20)) << "the editing session never showed";
    for (const char* k : {"Return", "t", "Return"}) xdotool({"key", "--delay", "80", k});
}

TEST_F(BoutEnBout, TheEditorMakesAMapSavesItAndQuitsOrEndedBySigtermKeepsItsUnsavedObjects) {
    // The new map takes the number after the maps shipped.
    const std::string nouvelle = "maps/mapperso" + std::to_string(listerDossier("maps", ".txt").size() + 1);
    std::vector<Enregistrement> lus;
    {
        Programme bramelt({"./bramelt"});
        deuxObjetsDansUneNouvelleMap();
        xdotool({"key", "space"});
        ASSERT_TRUE(attendre([&] { return existe(nouvelle + ".txt"); }, 10)) << nouvelle << " was not saved";
        ASSERT_TRUE(lireNiveau(nouvelle + ".txt", lus));
        EXPECT_EQ(lus.size(), 2u);
        xdotool({"key", "Escape"});
        Capture c;
        ASSERT_TRUE(attendre([&] { return !edition(c = capturerEcran()); }, 10)) << "the menu did not come back";
        xdotool({}, 320, 252);  // "Quitter"
        ASSERT_TRUE(attendre([&] { return menuEditeur(c = capturerEcran(), 240); }, 10));
        xdotool({"click", "1"}, 320, 252);
        EXPECT_EQ(bramelt.attendreFin(20), 0);
    }
    // SIGTERM with objects placed and not saved: the program ends by the signal,
    // with a rescue copy (what it holds is checked through the seam).
    Programme bramelt({"./bramelt"});
    deuxObjetsDansUneNouvelleMap();
    bramelt.signaler(SIGTERM);
    EXPECT_EQ(bramelt.attendreFin(10), -1) << "ended by the signal";
    EXPECT_EQ(listerDossier("maps", ".sauvetage-").size(), 1u);
}

TEST_F(BoutEnBout, TheEditorWhoseXServerGoesAwayKeepsItsUnsavedObjects) {
    // An X server of its own, ended under the editor.
    int n = 150;
    while (fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) ++n;
    const std::string display = ":" + std::to_string(n), avant = std::getenv("DISPLAY");
    auto xvfb = std::make_unique<Programme>(std::vector<std::string>{"/usr/bin/Xvfb", display, "-screen", "0", "1280x1024x24"});
    ASSERT_TRUE(attendre([&] { return fs::exists("/tmp/.X11-unix/X" + std::to_string(n)); }, 10));
    setenv("DISPLAY", display.c_str(), 1);
    Programme bramelt({"./bramelt"});
    deuxObjetsDansUneNouvelleMap();
    setenv("DISPLAY", avant.c_str(), 1);
    xvfb.reset();
    EXPECT_EQ(bramelt.attendreFin(10), 1);
    EXPECT_EQ(listerDossier("maps", ".sauvetage-").size(), 1u) << "the rescue copy is written";
}

bool nonSauvegardee(const Capture& c) { return compter(c, 400, 0, 640, 24, blanc) > 30; }

TEST_F(BoutEnBout, TheEditorUndoesADeletionAndAsksBeforeLeavingChangesNotSaved) {
    for (const std::string& m : listerDossier("maps", ".txt")) fs::remove("maps/" + m);
    fs::copy_file("maps/niveau/map4.qzm", "maps/a.txt");
    fs::remove_all("maps/niveau");
    const std::string avant = lireFichier("maps/a.txt");
    Programme bramelt({"./bramelt"});
    ASSERT_EQ(chercherFenetre("Bramelt"), 0);
    ouvrirA();
    xdotool({"click", "1"}, 320, 240);  // the start, where the cursor stands, which Delete keeps
    Capture c;
    for (const char* k : {"Delete", "Tab", "Delete"}) touche(k);  // the next one deleted
    EXPECT_TRUE(attendre([&] { return nonSauvegardee(c = capturerEcran()); }, 5)) << "nothing deleted";
    touche("ctrl+z");
    EXPECT_TRUE(attendre([&] { return !nonSauvegardee(c = capturerEcran()); }, 5)) << "not undone";
    for (const char* k : {"space", "Escape"}) touche(k);
    ASSERT_TRUE(attendre([&] { return !edition(c = capturerEcran()); }, 10)) << "the menu did not come back";
    EXPECT_EQ(lireFichier("maps/a.txt"), avant);
    // A change not saved: Escape asks; Escape again leaves without saving, Space saves.
    for (const char* reponse : {"Escape", "space"}) {
        ouvrirA();
        for (const char* k : {"Return", "Escape"}) touche(k);
        EXPECT_TRUE(attendre([&] { return compter(c = capturerEcran(), 100, 170, 540, 210, orange) > 30; }, 5))
            << "no question";
        touche(reponse);
        ASSERT_TRUE(attendre([&] { return !edition(c = capturerEcran()); }, 10)) << reponse;
        std::vector<Enregistrement> lus;
        ASSERT_TRUE(lireNiveau("maps/a.txt", lus));
        EXPECT_EQ(lus.size(), std::string(reponse) == "space" ? 56u : 55u) << reponse;
    }
    quitterEditeur(bramelt);
}

TEST_F(BoutEnBout, TheEditorDragsABlockCopiesItAndPastesItIntoAnotherMap) {
    for (const std::string& m : listerDossier("maps", ".txt")) fs::remove("maps/" + m);
    fs::remove_all("maps/niveau");  // listed: a.txt, b.txt, "Retour"
    ecrireFichier("maps/a.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n");
    ecrireFichier("maps/b.txt", "@0,50,20,9,5,1,1,1,0,0,0,textureSphere\n@1,50,20,5,5,4,4,1,0,0,0,textureSol\n");
    Programme bramelt({"./bramelt"});
    ASSERT_EQ(chercherFenetre("Bramelt"), 0);
    ouvrir(200, 192);
    // The block below the start, grabbed on its top and taken away from the camera (toward −x).
    xdotool({"mousedown", "1"}, 320, 340);
    xdotool({}, 320, 320);
    xdotool({"mouseup", "1"}, 320, 300);
    for (const char* k : {"ctrl+c", "space", "Escape", "Escape"}) touche(k);
    std::vector<Enregistrement> a, b;
    ASSERT_TRUE(attendre([&] { return lireNiveau("maps/a.txt", a) && a.size() == 2 && a[1].x < -1; }, 10)) << "not dragged";
    EXPECT_TRUE(std::fabs(a[1].y) < 0.2 && a[1].z == 0) << "along the ground: " << a[1].y << " " << a[1].z;
    ouvrir(225, 216);
    for (const char* k : {"ctrl+v", "space", "Escape", "Escape"}) touche(k);
    ASSERT_TRUE(attendre([&] { return lireNiveau("maps/b.txt", b) && b.size() == 3; }, 10)) << "not pasted";
    EXPECT_TRUE(b[2].type == 1 && b[2].x == 50 && b[2].y == 20 && b[2].z == 9 && b[2].lx == 4 && b[2].lz == 1 &&
                b[2].texture == "textureSol") << "at the cursor, on the start";
    quitterEditeur(bramelt);
}

}  // namespace
