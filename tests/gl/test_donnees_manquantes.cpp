// The game folder with one of its generated data files missing, each in turn:
// the program still starts, shows its menu, plays a run and quits cleanly,
// and names the missing file when it looks for it.
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
#include "menu.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

namespace {

namespace fs = std::filesystem;

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

struct DonneeManquante : ::testing::TestWithParam<std::string> {};

TEST_P(DonneeManquante, TheMenuAndARunGoOnWithoutIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    DossierTemporaire dossier;
    fs::copy(fs::path(VORNA_GAME_DIR) / "data", "data", fs::copy_options::recursive);
    // Small levels keep the drawing quick: the data are what this is about.
    const char* const course = "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n"
                               "@1,-8,0,0,0,12,4,1,0,0,0,textureSol\n";
    ecrireFichier("maps/menu/menu.txt", course);
    ecrireFichier("maps/niveau/map1.qzm", course);
    creerDossiers("ghost");
    ASSERT_TRUE(fs::remove(GetParam()));
    // Sounds and music through a mixer that plays nothing and loads every
    // file but the missing one.
    MixeurEnregistreur mixeur;
    mixeur.manquant(GetParam());

    // Logo, then "Jouer", "Scenario", level 1; the window's close button ends
    // the run 20 frames in, then the program from the rebuilt menu.
    const int M = 177, depart = M + 6 + 51;
    SystemeScript systeme;
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

    testing::internal::CaptureStderr();
    EXPECT_EQ(SDL_main(0, nullptr), 0);
    const std::string err = testing::internal::GetCapturedStderr();
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

}  // namespace
