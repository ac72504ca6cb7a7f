// The ghost replay, driven through the seam: positions one per frame at the
// recorded pace, the chronometer, falls, restarts and unreadable ghosts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "annonce.h"
#include "dossier.h"
#include "fantome.h"
#include "fenetre_test.h"
#include "systeme_script.h"

namespace {

const char* const kNiveau =
    "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n"
    "@1,0,0,0,0,20,4,1,0,0,0,textureSol\n"
    "@4,-24,0,0,0,4,4,1,0,0,0,textureArrivee\n";

std::string positions(int n, double dx = -0.1, double z = 2) {
    std::string r;
    char l[80];
    for (int i = 0; i < n; ++i) {
        std::snprintf(l, sizeof l, "@%f,%f,%f\n", dx * i, 0.0, z);
        r += l;
    }
    return r;
}

struct Replay : ::testing::Test {
    DossierTemporaire dossier;
    SystemeScript systeme;
    std::vector<InstantPartie> instants;

    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        dossier.arborescenceJeu();
        ecrireFichier("maps/niveau/map1.qzm", kNiveau);
        systeme.limite(5000);
        systeme.surImage([this](int) { instants.push_back(instantReplay()); });
    }
};

TEST_F(Replay, OnePositionPerFrameThenTheReplayEndsOnTheLastPosition) {
    ecrireFichier("ghost/map1ghost0.qzg", "@maps/niveau/map1.qzm\n" + positions(40));
    jouerGhost(640, 480, "map1ghost0.qzg");
    ASSERT_EQ(instants.size(), 41u);  // the end of the file is found on one more frame
    for (int f = 0; f < 40; ++f) EXPECT_NEAR(instants[f].x, -0.1 * f, 1e-5) << f;
    EXPECT_NEAR(instants[40].x, -3.9, 1e-5);
    EXPECT_EQ(instants[40].continuer, 0);
    EXPECT_EQ(instants[0].texteTemps, "0:00:0");
    EXPECT_EQ(instants[0].nomAffiche, "map1ghost0.qzg");
    // The recorded pace: each frame ends with the run's 30 ms sleep.
    for (Uint32 d : systeme.delais()) EXPECT_EQ(d, 30u);
    EXPECT_EQ(instants[1].mortR, 178);
}

TEST_F(Replay, TheChronometerReads1053At65Point3Seconds) {
    // 235 ms a frame (205 of work and the 30 ms sleep); the chronometer shows
    // what was measured at the end of the previous frame.
    systeme.travail(205);
    ecrireFichier("ghost/g.qzg", "@maps/niveau/map1.qzm\n" + positions(300, 0));
    jouerGhost(640, 480, "g.qzg");
    ASSERT_GT(instants.size(), 280u);
    EXPECT_EQ(instants[278].chrono, 65300);
    EXPECT_EQ(instants[278].texteTemps, "1:05:3");
}

TEST_F(Replay, AFallFreezesTheCameraDarkensAndRestartsTheChronometer) {
    // The ball stands, then drops straight down far below the course.
    std::string g = "@maps/niveau/map1.qzm\n" + positions(10, 0);
    char l[80];
    for (int i = 0; i < 120; ++i) {
        std::snprintf(l, sizeof l, "@0.000000,0.000000,%f\n", 2.0 - 0.5 * i);
        g += l;
    }
    ecrireFichier("ghost/chute.qzg", g);
    systeme.travail(2);
    jouerGhost(640, 480, "chute.qzg");

    int chute = -1;
    for (size_t f = 0; f < instants.size(); ++f)
        if (instants[f].tombe) { chute = static_cast<int>(f); break; }
    ASSERT_GT(chute, 10);
    EXPECT_LT(instants[chute - 1].z, -0.5);  // the lowest bottom face: 0 - 1/2
    EXPECT_EQ(instants[chute + 3].mortR, instants[chute + 2].mortR - 5);
    EXPECT_TRUE(instants[chute + 3].mortF);
    // 1.5 s later (32 ms a frame) the fall is over and the chronometer restarts.
    int fin = -1;
    for (size_t f = chute; f < instants.size(); ++f)
        if (!instants[f].tombe) { fin = static_cast<int>(f); break; }
    ASSERT_GT(fin, chute);
    EXPECT_NEAR((fin - chute) * 32, 1500, 64);
    EXPECT_EQ(instants[fin].texteTemps, "0:00:0");
}

TEST_F(Replay, ReleasingReturnRestartsFromTheFirstPosition) {
    ecrireFichier("ghost/g.qzg", "@maps/niveau/map1.qzm\n" + positions(60));
    systeme.travail(10);
    systeme.appui(20, SDLK_RETURN);   // holding does nothing
    systeme.relache(30, SDLK_RETURN);
    systeme.relache(50, SDLK_ESCAPE);
    jouerGhost(640, 480, "g.qzg");
    EXPECT_NEAR(instants[29].x, -2.9, 1e-5);
    EXPECT_NEAR(instants[30].x, 0, 1e-5);
    EXPECT_NEAR(instants[31].x, -0.1, 1e-5);
    EXPECT_EQ(instants[31].texteTemps, "0:00:0");
    EXPECT_EQ(instants.size(), 51u);  // Escape ends it after that frame
}

TEST_F(Replay, SpacePausesAndPlusOrMinusSetHowManyPositionsEachFrameShows) {
    struct Cas {
        std::vector<SDLKey> touches;  // released at frame 2
        int quarts;                   // positions per frame, in quarters
        const char* coin;
    };
    const Cas cas[] = {
        {{}, 4, ""},
        {{SDLK_PLUS}, 8, "x2"},
        {{SDLK_KP_PLUS, SDLK_EQUALS}, 16, "x4"},
        {{SDLK_PLUS, SDLK_PLUS, SDLK_PLUS}, 16, "x4"},
        {{SDLK_MINUS}, 2, "x0.5"},
        {{SDLK_KP_MINUS, SDLK_MINUS, SDLK_MINUS}, 1, "x0.25"},
        {{SDLK_SPACE}, 0, "Pause"},
        {{SDLK_PLUS, SDLK_SPACE, SDLK_SPACE}, 8, "x2"},
    };
    ecrireFichier("ghost/g.qzg", "@maps/niveau/map1.qzm\n" + positions(400));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.coin);
        instants.clear();
        const int base = systeme.frame();
        for (SDLKey k : c.touches) systeme.relache(base + 2, k);
        systeme.relache(base + 30, SDLK_ESCAPE);
        jouerGhost(640, 480, "g.qzg");
        ASSERT_EQ(instants.size(), 31u);
        auto indice = [&](int f) { return static_cast<int>(std::lround(-instants[f].x / 0.1)); };
        // Over 16 frames: 16 x speed positions, each frame as even as can be,
        // and the chronometer at the run's pace (30 ms frames).
        EXPECT_EQ(indice(20) - indice(4), 4 * c.quarts);
        for (int f = 5; f <= 20; ++f) {
            EXPECT_GE(indice(f) - indice(f - 1), c.quarts / 4) << f;
            EXPECT_LE(indice(f) - indice(f - 1), (c.quarts + 3) / 4) << f;
        }
        EXPECT_EQ(instants[20].chrono - instants[4].chrono, 120 * c.quarts);
        EXPECT_EQ(instants[10].texteCoin, c.coin);
        EXPECT_EQ(instants[10].pause, c.quarts == 0);
    }
}

TEST_F(Replay, UnreadableGhostsReturnAtOnceAndAnEmptyOneShowsOneFrame) {
    testing::internal::CaptureStderr();
    jouerGhost(640, 480, "absent.qzg");
    ecrireFichier("ghost/vide.qzg", "");
    jouerGhost(640, 480, "vide.qzg");
    ecrireFichier("ghost/orphelin.qzg", "@maps/niveau/map7.qzm\n" + positions(5));
    jouerGhost(640, 480, "orphelin.qzg");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(systeme.frame(), 0);
    EXPECT_NE(err.find("map7.qzm"), std::string::npos);
    EXPECT_EQ(prendreAnnonce(), "Niveau du fantome illisible : map7.qzm");

    ecrireFichier("ghost/seul.qzg", "@maps/niveau/map1.qzm\n");
    jouerGhost(640, 480, "seul.qzg");
    ASSERT_EQ(instants.size(), 1u);
    EXPECT_DOUBLE_EQ(instants[0].x, 0);
    EXPECT_DOUBLE_EQ(instants[0].z, 2);
}

TEST_F(Replay, AGhostNamingADeviceOrALevelOutsideMapsReturnsAtOnceAndSaysWhy) {
    std::vector<std::string> niveaux = creerFichiersHostiles("maps/h");
    ecrireFichier("data/ailleurs.txt", kNiveau);  // a level, but not where levels live
    for (const char* autre : {"/dev/zero", "/dev/urandom", "maps/../data/ailleurs.txt", "data/ailleurs.txt"})
        niveaux.push_back(autre);
    for (const std::string& niveau : niveaux) {
        ecrireFichier("ghost/h.qzg", "@" + niveau + "\n" + positions(5));
        testing::internal::CaptureStderr();
        jouerGhost(640, 480, "h.qzg");
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(niveau), std::string::npos) << err;
        EXPECT_NE(prendreAnnonce(), "") << niveau;
    }
    EXPECT_EQ(systeme.frame(), 0);
    systeme.arret(3);  // SIGTERM at the fourth frame
    ecrireFichier("ghost/g.qzg", "@maps/niveau/map1.qzm\n" + positions(50));
    jouerGhost(640, 480, "g.qzg");
    EXPECT_EQ(systeme.frame(), 4);
}

TEST_F(Replay, MalformedPositionsGiveZeroAndTheWindowCloseEndsTheReplay) {
    ecrireFichier("ghost/g.qzg", "@maps/niveau/map1.qzm\n@1.5,oops\n@2,3,4\n@zz\n" + positions(20));
    systeme.quitter(10);
    jouerGhost(640, 480, "g.qzg");
    EXPECT_NEAR(instants[0].x, 1.5, 1e-6);
    EXPECT_DOUBLE_EQ(instants[0].y, 0);
    EXPECT_DOUBLE_EQ(instants[0].z, 0);
    EXPECT_DOUBLE_EQ(instants[1].z, 4);
    EXPECT_DOUBLE_EQ(instants[2].x, 0);
    EXPECT_EQ(instants.size(), 11u);
}

}  // namespace
