// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped levels can be finished: for each one a stored solution (the
// waypoints of the autopilot) is played through the real run loop, as a
// player would, and must reach the finish without a fall, with a fair share
// of the starting points left, the ball seldom hidden from the camera by the
// course. Finishing scenario level n unlocks n + 1. VORNA_TRACE=1 prints the
// ball every 20 frames, to mend a solution.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "fsound.h"
#include "jeu.h"
#include "manette_virtuelle.h"
#include "mixeur_enregistreur.h"
#include "niveau.h"
#include "course_pilotee.h"
#include "pilote.h"
#include "solutions.h"
#include "repertoire.h"
#include "systeme_script.h"

namespace {

namespace fs = std::filesystem;


// Whether a block stands between the run's camera (10 toward +x and 12 above
// the ball) and the ball.
bool cachee(const std::vector<Cube>& blocs, double x, double y, double z) {
    const double o[3] = {x + 10, y, z + 12}, d[3] = {-10, 0, -12};
    const double fin = 1 - 1.2 / std::hypot(10.0, 12.0);  // up to the ball's surface
    for (const Cube& b : blocs) {
        if (b.getClasse() == "limite") continue;
        const double c[3] = {b.getX(), b.getY(), b.getZ()}, l[3] = {b.getLX(), b.getLY(), b.getLZ()};
        double t0 = 0, t1 = fin;
        for (int k = 0; k < 3 && t0 <= t1; ++k) {
            if (d[k] == 0) {
                if (std::abs(o[k] - c[k]) > l[k]) t0 = 2;
                continue;
            }
            double a = (c[k] - l[k] - o[k]) / d[k], e = (c[k] + l[k] - o[k]) / d[k];
            if (a > e) std::swap(a, e);
            t0 = std::max(t0, a);
            t1 = std::min(t1, e);
        }
        if (t0 <= t1) return true;
    }
    return false;
}

class NiveauxLivres : public ::testing::TestWithParam<Solution> {
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
        // The run draws every frame for real; only a corner of the window is
        // filled, which keeps long runs quick (the pixels are not checked here).
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, 8, 8);
    }
    void TearDown() override {
        glDisable(GL_SCISSOR_TEST);
        FSOUND_Close();
    }
};

TEST_P(NiveauxLivres, TheStoredSolutionFinishesWithoutAFall) {
    const Solution& s = GetParam();
    const bool scenario = s.nom.rfind("map", 0) == 0;
    const int niveau = scenario ? std::stoi(s.nom.substr(3)) : 0;
    const int nombre = static_cast<int>(listerDossier("maps/niveau", ".qzm").size());
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(scenario);
    jeu.setMapScenario(niveau);
    jeu.setMap(s.nom);
    jeu.setNiveauMax(niveau);
    jeu.setMapsMax(nombre);

    ContenuNiveau contenu;
    ASSERT_TRUE(chargerNiveau(scenario ? cheminScenario(niveau) : cheminMapPerso(s.nom), ReglesNiveau(),
                              contenu));
    int cache = 0, vues = 0;

    const std::vector<Pilote::Point> chemin = points(s.points);
    Pilote pilote(systeme, chemin);
    // Level 1 is played on a gamepad: the same moves on its stick and d-pad, A at the finish.
    std::optional<ManetteVirtuelle> manette;
    if (s.nom == "map1") manette.emplace(), pilote.sortie = [&](int, SDL_Keycode k, bool v) { manette->fleche(k, v); };
    int depart = -1, arrivee = -1, points = 0;
    double vieDepart = 0, vieMin = 1e9;
    std::ostringstream chutes;
    bool tombait = false;
    systeme.surImage([&](int f) {
        const InstantPartie& i = jeu.getInstant();
        if (depart < 0) {
            depart = i.points;
            vieDepart = i.vie;
            systeme.limite(f + depart + 60);  // out of points: failed anyway
        }
        pilote.image(i);
        if (std::getenv("VORNA_TRACE") && f % 20 == 0)
            std::printf("  %5d (%7.2f, %7.2f, %6.2f) v (%5.2f, %5.2f, %5.2f) -> %zu\n", f, i.x, i.y,
                        i.z, i.sx, i.sy, i.sz, pilote.atteints());
        if (i.tombe && !tombait) chutes << " (" << i.x << ", " << i.y << ", " << i.z << ")";
        tombait = i.tombe;
        vieMin = std::min(vieMin, i.vie);
        if (!i.win && !i.tombe) {
            ++vues;
            cache += cachee(contenu.cubes, i.x, i.y, i.z);
        }
        if (i.win && arrivee < 0) {
            arrivee = f;
            points = i.points;
            // "Niveau suivant" (a scenario level), or leave at once.
            if (manette)
                manette->bouton(SDL_CONTROLLER_BUTTON_A, true);
            else if (scenario)
                systeme.tape(f + 2, SDLK_RETURN);
            else
                systeme.quitter(f + 2);
        }
    });
    jeu.jouer();

    const InstantPartie& fin = jeu.getInstant();
    const Pilote::Point& vise = chemin[std::min(pilote.atteints(), chemin.size() - 1)];
    ASSERT_GE(arrivee, 0) << s.nom << ": the ball ended at (" << fin.x << ", " << fin.y << ", "
                          << fin.z << ") after " << systeme.frame() << " frames, heading for waypoint "
                          << pilote.atteints() << " (" << vise.x << ", " << vise.y << ")"
                          << "; falls:" << chutes.str();
    EXPECT_EQ(chutes.str(), "") << s.nom << ": the ball fell at";
    EXPECT_GE(vieMin, vieDepart) << s.nom << ": no life may be lost";
    const double part = static_cast<double>(points) / depart;
    std::printf("%s: %d of %d points left (%.1f %%) after %d frames, ball hidden %.1f %%\n",
                s.nom.c_str(), points, depart, 100 * part, arrivee, 100.0 * cache / vues);
    EXPECT_LE(cache, vues / 50) << s.nom << ": the course hides the ball from the camera too often";
    EXPECT_GE(part, 0.15) << s.nom << ": " << points << " of " << depart << " points left: too long";
    EXPECT_LE(part, 0.60) << s.nom << ": " << points << " of " << depart << " points left: too short";
    if (scenario) {
        EXPECT_TRUE(jeu.getSuivant()) << s.nom;
        const int debloque = std::min(niveau + 1, nombre);
        EXPECT_EQ(jeu.getNiveauMax(), debloque) << s.nom;
        if (niveau < nombre) {
            EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), std::to_string(debloque)) << s.nom;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tous, NiveauxLivres, ::testing::ValuesIn(kSolutions),
                         [](const auto& info) { return info.param.nom; });

}  // namespace
