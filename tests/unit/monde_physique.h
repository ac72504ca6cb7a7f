// SPDX-License-Identifier: GPL-3.0-or-later
// A course, a ball and the rules of a run for the physics tests: the blocks
// are laid out by hand, the sounds the rules play reach a recording mixer
// through the game's sound manager, and `image` runs the moves of one step in
// the order a step makes them.
#ifndef VORNA_TEST_MONDE_PHYSIQUE_H
#define VORNA_TEST_MONDE_PHYSIQUE_H

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fsound.h"
#include "simulation.h"
#include "son.h"
#include "mixeur_enregistreur.h"

namespace monde {

const char* const kArrivee = "arriv\xe9" "e";
const char* const kDepart = "d\xe9" "part";
const std::string kBois = "data/sound/bois.wav";

// A block by centre and half-extents.
inline Cube bloc(double x, double y, double z, double lx, double ly, double lz,
                 const std::string& classe = "cube") {
    return Cube(x, y, z, 1, lx, ly, lz, 0, 0, 0, 0, classe, false);
}
// A wide floor whose top face is at height `haut`.
inline Cube sol(double haut, const std::string& classe = "cube") { return bloc(0, 0, haut - 1, 50, 50, 1, classe); }
// A block far from everything, to stand first in a course (the first block
// never stops a ball moving toward −x).
inline Cube lointain() { return bloc(1000, 1000, 1000, 1, 1, 1); }
inline Heros balle(double x, double y, double z, double r = 1) { return Heros(x, y, z, 3, r, r, r, 0, 0, 0, 0); }

struct Touches {
    bool haut = false, bas = false, droite = false, gauche = false;
};

// One step of a run: the run's moves, then friction.
inline void image(Simulation& jeu, Heros& b, const std::vector<Cube>& blocs, Touches t = {}) {
    const bool direction[4] = {t.haut, t.bas, t.droite, t.gauche};
    jeu.deplacerBalle(b, blocs, direction, 0.02);
    b.verifSpeed();
}

using Sons = std::vector<std::pair<std::string, int>>;

// Rules out of their start phase, their sounds played by the game's sound
// manager over a mixer that records every play.
struct Monde : ::testing::Test {
    MixeurEnregistreur mixeur;
    Simulation jeu;
    Son son{255};
    std::vector<Cube> blocs;

    void SetUp() override {
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
        FSOUND_SetVolume(FSOUND_ALL, 255);
        son.loadSon();
        mixeur.effacer();
    }
    void TearDown() override {
        son.deleteSon();
        FSOUND_Close();
    }
    // The samples played since the last look, as (file, volume), and forget them.
    Sons sons() {
        for (const Sorties::Son& s : jeu.sorties().sons) son.jouerPreSon(s.nom, s.volume);
        jeu.sorties().sons.clear();
        Sons r;
        for (const auto& a : mixeur.appels("jouer")) r.emplace_back(a.fichier, a.volume);
        mixeur.effacer();
        return r;
    }
    // A vertical query on `blocs` for a ball of radius 1 at (x, y, z) moving at vz.
    bool vertical(Heros& b, double z, double vz) {
        b.setZ(z);
        b.setSZ(vz);
        return jeu.collisionDetect(0, 0, 1, &b, blocs);
    }
};

}  // namespace monde

#endif
