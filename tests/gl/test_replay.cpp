// SPDX-License-Identifier: GPL-3.0-or-later
// The ghost replay, driven through the seam: positions one per step at the
// recorded pace, the chronometer, falls, restarts, speeds and unreadable ghosts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "annonce.h"
#include "dossier.h"
#include "fantome.h"
#include "manette_virtuelle.h"
#include "partie_scriptee.h"
#include "touches_menu.h"

namespace {

const char* const kNiveau = "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,20,4,1,0,0,0,textureSol\n"
                            "@4,-24,0,0,0,4,4,1,0,0,0,textureArrivee\n";

// `n` positions from (0, 0, z), `dx` and `dz` apart; a ghost of level 1 when `entete`.
std::string fantome(int n, double dx = -0.1, double z = 2, double dz = 0, bool entete = true) {
    std::string r = entete ? "@maps/niveau/map1.qzm\n" : "";
    char l[80];
    for (int i = 0; i < n; ++i) r += (std::snprintf(l, sizeof l, "@%f,0.000000,%f\n", dx * i, z + dz * i), l);
    return r;
}

// The scripted runs' set-up, with no work in a frame: a frame is a step, 1/30 s.
struct Replay : PartieScriptee {
    void SetUp() override {
        PartieScriptee::SetUp();
        ecrireFichier("maps/niveau/map1.qzm", kNiveau);
        systeme.travail(0);
        systeme.surImage([this](int) { instants.push_back(instantReplay()); });
    }
    // Replays `contenu`; the script counts frames from the replay's first.
    void rejouer(const std::string& contenu, const std::function<void(int)>& script = nullptr) {
        suivante();
        if (script) script(debut);
        ecrireFichier("ghost/g.qzg", contenu);
        jouerGhost(640, 480, "g.qzg");
    }
};

TEST_F(Replay, OnePositionPerStepAtTheRecordedPaceTheChronometerKeepsTimeAFallDarkensAndReturnRewinds) {
    rejouer(fantome(40));
    ASSERT_EQ(instants.size(), 41u) << "the end of the file is found on one more step";
    for (int f = 0; f <= 40; ++f) EXPECT_NEAR(instants[f].x, -0.1 * std::min(f, 39), 1e-5) << f;
    EXPECT_EQ(instants[40].continuer, 0);
    EXPECT_TRUE(instants[0].texteTemps == "0:00:0" && instants[0].nomAffiche == "g.qzg" && instants[1].mortR == 178);
    Uint32 attentes = 0;
    for (Uint32 d : systeme.delais()) attentes += d;
    EXPECT_EQ(attentes, 41000u / 30 + 1) << "each frame waits for the next step";

    // A slow machine, 80 ms a frame: two or three steps a frame keep the
    // recorded pace, and the chronometer its time.
    systeme.travail(80);
    rejouer(fantome(300, 0));
    ASSERT_NEAR(instants.size(), 300 * 100 / 240, 2);
    EXPECT_NEAR(instants[100].chrono, 8000, 70);

    // A fall: the ball stands, then drops straight down far below the course.
    systeme.travail(2);
    rejouer(fantome(10, 0) + fantome(120, 0, 2, -0.5, false));
    const int tombe = premiereFrame([](const InstantPartie& i) { return i.tombe; });
    ASSERT_GT(tombe, 10);
    EXPECT_LT(instants[tombe - 1].z, -0.5) << "the lowest bottom face: 0 - 1/2";
    EXPECT_TRUE(instants[tombe + 3].mortR == instants[tombe + 2].mortR - 5 && instants[tombe + 3].mortF);
    // 1.5 s later (32 ms a frame) the fall is over and the chronometer restarts.
    const int fin = premiereFrame([&](const InstantPartie& i) { return i.frame > tombe && !i.tombe; });
    EXPECT_NEAR((fin - tombe) * 32, 1500, 64);
    EXPECT_EQ(instants[fin].texteTemps, "0:00:0");

    systeme.travail(10);
    rejouer(fantome(60), [&](int b) {
        systeme.appui(b + 20, SDLK_RETURN);  // holding does nothing
        systeme.relache(b + 30, SDLK_RETURN);
        systeme.relache(b + 50, SDLK_ESCAPE);
    });
    for (const auto& [f, x] : {std::pair{29, -2.9}, {30, 0.0}, {31, -0.1}}) EXPECT_NEAR(instants[f].x, x, 1e-5) << f;
    EXPECT_EQ(instants[31].texteTemps, "0:00:0");
    EXPECT_EQ(instants.size(), 51u) << "Escape ends it after that frame";
}

// Space, + and - unless the player gave the replay's keys elsewhere (the
// pause to P, "plus vite" to the pad's Y by pressing it on the Options'
// screen, which refuses Y for "moins vite" then).
TEST_F(Replay, SpacePausesAndPlusOrMinusSetHowManyPositionsEachStepShows) {
    ManetteVirtuelle manette;
    Reglages donnees;
    EcranTouches ecran;
    bool ecrit = true;
    const auto recevoir = [&] {
        for (SDL_Event e; sys::pollEvent(&e);) ecran.prendre(e, donnees, ecrit);
    };
    recevoir();  // the pad plugged in
    for (int action : {kActionsCourse + 1, kActionsCourse + 2}) {
        ecran.choisir(action, donnees);
        manette.bouton(SDL_CONTROLLER_BUTTON_Y, true), recevoir(), manette.bouton(SDL_CONTROLLER_BUTTON_Y, false), recevoir();
    }
    EXPECT_EQ(nomTouche(donnees.toucheRejeuPlus), "Manette y");
    EXPECT_EQ(ecran.message(), "Touche deja prise : Replay : plus vite");
    donnees.toucheRejeuPause = SDL_SCANCODE_P;
    const Reglages defaut;
    const struct {
        std::vector<SDL_Keycode> touches;  // released at frame 2; on the pad, −button, or unplugging it (0)
        int quarts;                   // positions per step, in quarters
        const char* coin;
        const Reglages* touchesDonnees = nullptr;  // the keys given, if not the defaults
    } cas[] = {
        {{SDLK_p}, 0, "Pause", &donnees}, {{SDLK_p}, 4, ""}, {{-SDL_CONTROLLER_BUTTON_Y}, 8, "x2", &donnees},
        {{-SDL_CONTROLLER_BUTTON_Y}, 4, ""},
        {{-SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}, 8, "x2"}, {{-SDL_CONTROLLER_BUTTON_LEFTSHOULDER}, 2, "x0.5"},
        {{-SDL_CONTROLLER_BUTTON_X}, 0, "Pause"}, {{SDLK_UNKNOWN}, 0, "Pause"},
        {{}, 4, ""},
        {{SDLK_PLUS}, 8, "x2"},
        {{SDLK_KP_PLUS, SDLK_EQUALS}, 16, "x4"},
        {{SDLK_PLUS, SDLK_PLUS, SDLK_PLUS}, 16, "x4"},
        {{SDLK_MINUS}, 2, "x0.5"},
        {{SDLK_KP_MINUS, SDLK_MINUS, SDLK_MINUS}, 1, "x0.25"},
        {{SDLK_SPACE}, 0, "Pause"},
        {{SDLK_PLUS, SDLK_SPACE, SDLK_SPACE}, 8, "x2"},
    };
    systeme.surImage([&](int f) { instants.push_back(instantReplay()), manette.image(f); });
    for (const auto& c : cas) {
        SCOPED_TRACE(c.coin);
        const int avant = systeme.swaps();
        fixerTouches(c.touchesDonnees ? *c.touchesDonnees : defaut);
        rejouer(fantome(400), [&](int b) {
            for (SDL_Keycode k : c.touches)
                k < 0 ? manette.tape(b + 1, SDL_GameControllerButton(-k))
                : k ? systeme.relache(b + 2, k) : manette.plan(b + 2, [&] { manette.debrancher(); });
            systeme.relache(b + 30, SDLK_ESCAPE);
        });
        ASSERT_EQ(instants.size(), 31u);
        EXPECT_EQ(systeme.swaps() - avant, c.quarts ? 31 : 3) << "paused, the picture is drawn once";
        auto indice = [&](int f) { return static_cast<int>(std::lround(-instants[f].x / 0.1)); };
        // Over 16 steps: 16 x speed positions, each step as even as can be,
        // and the chronometer at the run's pace (33⅓ ms steps).
        EXPECT_EQ(indice(20) - indice(4), 4 * c.quarts);
        for (int f = 5; f <= 20; ++f)
            EXPECT_TRUE(indice(f) - indice(f - 1) >= c.quarts / 4 && indice(f) - indice(f - 1) <= (c.quarts + 3) / 4) << f;
        EXPECT_NEAR(instants[20].chrono - instants[4].chrono, 400 * c.quarts / 3, 1);
        EXPECT_TRUE(instants[10].texteCoin == c.coin && instants[10].pause == (c.quarts == 0));
    }
    fixerTouches(defaut);
}

TEST_F(Replay, UnreadableGhostsOrThoseNamingADeviceOrALevelOutsideMapsReturnAtOnceAndMalformedPositionsGiveZero) {
    std::vector<std::string> niveaux = creerFichiersHostiles("maps/h");
    ecrireFichier("data/ailleurs.txt", kNiveau);  // a level, but not where levels live
    niveaux.insert(niveaux.end(),
                   {"/dev/zero", "/dev/urandom", "maps/../data/ailleurs.txt", "data/ailleurs.txt", "maps/niveau/map7.qzm"});
    for (const std::string& niveau : niveaux) {
        const std::string err = sortieErreur([&] { rejouer("@" + niveau + "\n@1,2,3\n"); });
        EXPECT_NE(err.find(niveau), std::string::npos) << err;
        EXPECT_NE(prendreAnnonce(), "") << niveau;
    }
    EXPECT_EQ(sortieErreur([&] { rejouer(""); }).empty(), false);
    EXPECT_EQ(prendreAnnonce(), "Fantome vide : g.qzg");
    sortieErreur([] { jouerGhost(640, 480, "absent.qzg"); });
    EXPECT_EQ(prendreAnnonce(), "Fantome illisible : absent.qzg");
    sortieErreur([&] { rejouer("@maps/niveau/map7.qzm\n"); });
    EXPECT_EQ(prendreAnnonce(), "Niveau du fantome illisible : map7.qzm");
    EXPECT_EQ(systeme.frame(), 0);

    rejouer(fantome(0));  // an empty one shows one frame, at the start
    ASSERT_EQ(instants.size(), 1u);
    EXPECT_TRUE(instants[0].x == 0 && instants[0].z == 2);
    // Malformed positions give zero; the window's close button ends the replay.
    rejouer("@maps/niveau/map1.qzm\n@1.5,oops\n@2,3,4\n@zz\n" + fantome(20).substr(22),
            [&](int b) { systeme.quitter(b + 10); });
    EXPECT_TRUE(std::abs(instants[0].x - 1.5) < 1e-6 && instants[0].y == 0 && instants[0].z == 0);
    EXPECT_TRUE(instants[1].z == 4 && instants[2].x == 0);
    EXPECT_EQ(instants.size(), 11u);
    systeme.arret(systeme.frame() + 3);  // SIGTERM at the fourth frame
    rejouer(fantome(50));
    EXPECT_EQ(instants.size(), 4u);
}

}  // namespace
