// The shipped levels can be finished: an autopilot plays each one through
// the real run loop, as a player would, and must reach the finish.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "fsound.h"
#include "jeu.h"
#include "mixeur_enregistreur.h"
#include "niveau.h"
#include "pilote.h"
#include "systeme_script.h"

namespace {

namespace fs = std::filesystem;

struct Parcours {
    std::string nom;     // "map1" for maps/niveau/map1.qzm, or a free map's name
    bool scenario;
    std::vector<Pilote::Point> points;
    int framesMax;
};

const std::vector<Parcours> kParcours = {
    {"map1", true, {{-144, 0}}, 1200},
    {"map2", true, {{-38, 0}, {-38, 48}, {-84, 48}}, 1800},
    {"map3", true, {{-124, 0}}, 1500},
    {"Belvedere", false, {{-40, 0}, {-40, 32}, {50, 32}}, 2000},
};

void PrintTo(const Parcours& p, std::ostream* os) { *os << p.nom; }

class NiveauxLivres : public ::testing::TestWithParam<Parcours> {
protected:
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;

    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        dossier.arborescenceJeu();
        fs::copy(std::string(VORNA_SOURCE_DIR) + "/maps", "maps",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        FSOUND_Init(44100, 32, 0);
    }
    void TearDown() override { FSOUND_Close(); }
};

TEST_P(NiveauxLivres, AnAutopilotFinishesTheLevel) {
    const Parcours& p = GetParam();
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(p.scenario);
    if (p.scenario)
        jeu.setMapScenario(std::stoi(p.nom.substr(3)));
    else
        jeu.setMap(p.nom);
    Pilote pilote(systeme, p.points);
    bool gagne = false;
    int chutes = 0;
    bool tombait = false;
    systeme.surImage([&](int f) {
        const InstantPartie& i = jeu.getInstant();
        pilote.image(i);
        if (i.tombe && !tombait) ++chutes;
        tombait = i.tombe;
        if (i.win && !gagne) {
            gagne = true;
            systeme.quitter(f + 2);
        }
    });
    systeme.limite(p.framesMax);
    jeu.jouer();
    EXPECT_TRUE(gagne) << p.nom << ": the ball ended at (" << jeu.getInstant().x << ", "
                       << jeu.getInstant().y << ", " << jeu.getInstant().z << ") after "
                       << systeme.frame() << " frames, waypoint " << pilote.atteints();
    EXPECT_EQ(chutes, 0) << p.nom << ": a careful player should not fall";
    EXPECT_GT(jeu.getInstant().points, 0) << p.nom << ": finished with points to spare";
}

INSTANTIATE_TEST_SUITE_P(Tous, NiveauxLivres, ::testing::ValuesIn(kParcours),
                         [](const auto& info) { return info.param.nom; });

TEST(NiveauxLivres, EveryShippedLevelReadsAndStartsOnABlock) {
    std::vector<std::string> fichiers = {"maps/menu/menu.txt", "maps/Belvedere.txt"};
    for (int n = 1; n <= 3; ++n) fichiers.push_back("maps/niveau/map" + std::to_string(n) + ".qzm");
    for (const std::string& f : fichiers) {
        ContenuNiveau c;
        ReglesNiveau r;
        ASSERT_TRUE(chargerNiveau(std::string(VORNA_SOURCE_DIR) + "/" + f, r, c)) << f;
        EXPECT_GT(c.cubes.size(), 1u) << f;
        bool dessous = false;
        for (const Cube& b : c.cubes)
            if (std::abs(b.getX() - c.balle.x) < b.getLX() && std::abs(b.getY() - c.balle.y) < b.getLY() &&
                b.getZ() < c.balle.z)
                dessous = true;
        EXPECT_TRUE(dessous) << f << ": the ball must start above a block";
    }
}

}  // namespace
