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
#include "pilote.h"
#include "repertoire.h"
#include "systeme_script.h"

namespace {

namespace fs = std::filesystem;

// The waypoints of each solution, "x y" with an optional manner and radius:
// P3 is taken at speed within 3, S is reached once resting on a floor (see Pilote).
struct Solution {
    std::string nom;  // "map1" for maps/niveau/map1.qzm, or a free map's name
    std::string points;
};

const std::vector<Solution> kSolutions = {
    {"map1", "-97 1, -98 67, -124 70 P3, -140 66 P3, -156 70 P3, -172 66 P3, -188 66 P3, -205 68 P3,"
     "-234 68"},
    {"map2", "-50 0, -50 -30, -150 -30, -150 22, -178 22, -178 45, -178 24, -200 22, -200 -20, -310 -20"},
    {"map3", "-105 0 P3, -160 0 P3, -200 0 P3, -238 -3 P3, -262 2 P3, -284 -3 P3, -296 -14, -320 3 P3,"
     "-346 -3 P3, -378 0 P3, -476 0"},
    {"map4", "-70 0, -94 48, -106 48, -130 -48, -142 -48, -166 48, -178 48, -190 0, -203 0 P2, -249 0"},
    {"map5", "-40 15, -40 45, -144 45, -144 6, -129 6, -144 0, -144 -45, -248 -45, -263 -58, -248 -42,"
     "-248 45, -330 45 P3, -372 10"},
    {"map6", "-45 0, -45 105, -125 105, -125 0, -205 0, -205 105, -276 105"},
    {"map7", "-95 0 P4, -112 4 P3, -345 4 P3, -360 2, -360 -27, -360 -4, -565 -4 P3, -575 2 P3,"
     "-585 4 P3, -655 4 P3, -665 -2 P3, -675 -4 P3, -826 -4"},
    {"map8", "-16 5, -36 5, -36 15, -26 15, -26 25, -46 25, -46 5, -56 5, -56 15, -66 15, -66 5, -76 5,"
     "-76 -5, -66 -5, -66 -35, -76 -35, -76 -15, -86 -15, -86 -35, -116 -35, -116 -25, -106 -25,"
     "-106 -15, -116 -15, -116 -5, -96 -5, -96 5, -116 5, -116 25, -126 25, -126 -5, -148 -5"},
    {"map9", "-40 0 P3, -51 0 P2, -76 0 S3, -76 31, -100 32 P3, -117 32 P2, -140 32 S3, -142 -3,"
     "-166 -3 P3, -183 -6 P2, -206 -8 S3, -222 -7.5 P2, -248 -7.5 P2, -262 -7, -262 22, -286 22 P3,"
     "-303 22 P2, -326 22 S3, -352 22 P3, -371 22 P2, -390 22 S3, -420 22 P3, -439 22 P2, -458 22 S3,"
     "-472 22"},
    {"map10", "-33.5 0, -33.5 66.5, -150 66.5 P2, -158 56 S, -156 56, -156 -40 P2, -146.5 -44 S,"
     "-146.5 -46.5, -65 -46.5 P2, -60 -38 S, -62 -38, -62 28 P2, -69.5 32 S, -69.5 30.5, -120 30.5 P2,"
     "-124 23.5 S, -76.5 23.5, -76.5 10 P2, -90 4 S, -100 0"},
    {"map11", "-40 0, -40 -60, -167 -60, -204 -60, -204 21, -219 21, -204 25, -204 60, -331 60, -368 60,"
     "-368 -39, -353 -39, -368 -35, -368 -60, -495 -60 P3, -650 -60 P3, -675 -60 P2, -720 -60 S,"
     "-740 -60, -750 -45, -770 -35, -777 -35 P2, -806 -35 S, -830 -35 P3, -842 -35 P2, -872 -35 S,"
     "-880 -35"},
    {"map12", "-74 0, -74 40 P2, -86 50 S, -86 56, -86 -50 P2, -98 -54 S, -98 50 P2, -110 54 S,"
     "-110 -50 P2, -122 -54 S, -122 54, -204 54 P3, -251 54, -264 52 P3, -273 46 P3, -282 52 P3,"
     "-291 46 P3, -300 52 P3, -309 46 P3, -322 46, -338 46, -338 58 P2, -352 64 S, -352 44 P2, -370 40 S,"
     "-370 56"},
    {"map13", "-30 0 P2, -52.5 -3 S, -58 2 P2, -71.5 14 S, -76.5 14 P2, -94 2 S, -96 -8, -124 -8 P2,"
     "-160 -8 P2, -184 -8 P2, -200 -8 P3, -205 0, -212 -6 P2, -229 -6 S, -234.4 -4.2 P2, -247.6 6.2 S,"
     "-252.4 6.2 P2, -265.6 -4.2 S, -270.4 -4.2 P2, -283.6 6.2 S, -288.4 6.2 P2, -301.6 -4.2 S, -305 -6,"
     "-312 -6 P2, -337.5 -6 P2, -355 0 S, -359.5 2.6 P2, -367.5 16.4 S, -372 19 P2, -388 19 S,"
     "-392.5 16.4 P2, -400.5 2.6 S, -400.5 -2.6 P2, -392.5 -16.4 S, -388 -19 P2, -373 -20.5 S,"
     "-369 -15.5 P2, -380 0"},
    {"map14", "-24 0, -30 0, -30 -12, -42 -12, -42 -36, -66 -36, -66 -12, -90 -12, -102 -12, -102 37,"
     "-110 37 P3, -150 37, -160 29 P2, -186 30 S, -172 14, -172 9, -176 -7, -176 -14, -190 -34, -204 -34,"
     "-252 -34 P2, -270 -34, -255 -26, -255 -18, -289 -12, -289 -4, -255 2, -255 10, -289 16, -289 24,"
     "-289 37, -296 37 P3, -336 37, -346 29 P2, -372 32 S, -358 14, -358 9, -376 -16, -376 -34"},
    {"Belvedere", "-40 0, -40 30, -40 38 P2, -58 48 S, -74 64, -78 36, -150 36, -150 -30, -200 -30,"
     "-200 0, -246 0"},
    {"Toboggan", "-44 0 P3, -71 -6 P3, -111 -6 P3, -138 0 P3, -178 0 P3, -205 -6 P3, -245 -6 P3,"
     "-272 0 P3, -312 0 P3, -339 -6 P3, -379 -6 P3, -406 0 P3, -446 0 P3, -473 -6 P3, -499 -6"},
    {"Archipel", "-8 3.5, -32 3.5, -36 10, -44 10 P2, -84 10 S, -96 0, -117 0, -117 -12, -120 -20,"
     "-128 -20 P2, -168 -20 S, -180 -10, -180 14, -184 24, -192 24 P2, -236 24"},
};

std::vector<Pilote::Point> points(const std::string& texte) {
    std::vector<Pilote::Point> r;
    std::istringstream in(texte);
    for (std::string morceau; std::getline(in, morceau, ',');) {
        std::istringstream m(morceau);
        Pilote::Point p{0, 0};
        std::string maniere;
        m >> p.x >> p.y >> maniere;
        if (!maniere.empty()) p.maniere = maniere[0] == 'P' ? Pilote::Passer : Pilote::Poser;
        if (maniere.size() > 1) p.rayon = std::stod(maniere.substr(1));
        r.push_back(p);
    }
    return r;
}

void PrintTo(const Solution& s, std::ostream* os) { *os << s.nom; }

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
