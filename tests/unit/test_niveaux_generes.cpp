// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped levels are the generator's output, byte for byte, and each one
// is built so that it can work: the ball rests on the start pad, a finish
// exists, every pad and checkpoint acts before the floor it lies on, and the
// set shows every kind of object. (That the free maps survive the editor
// unchanged is checked in test_editeur.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "dossier.h"
#include "niveau.h"
#include "niveaux.h"
#include "repertoire.h"

namespace {

namespace fs = std::filesystem;

std::string source(const std::string& f) { return std::string(VORNA_SOURCE_DIR) + "/maps/" + f; }


bool recouvre(const Enregistrement& a, const Enregistrement& b) {
    return std::abs(a.x - b.x) < a.lx + b.lx - 0.01 && std::abs(a.y - b.y) < a.ly + b.ly - 0.01;
}

TEST(NiveauxGeneres, RegeneratingGivesTheCommittedFilesByteForByte) {
    DossierTemporaire d;
    creerDossiers("maps/niveau/x");
    ASSERT_TRUE(ecrireNiveauxLivres("maps"));
    for (const NiveauLivre& n : niveauxLivres())
        EXPECT_EQ(lireFichier("maps/" + n.fichier), lireFichier(source(n.fichier)))
            << n.fichier << " differs from the generator's output: run `make niveaux`";
    // No shipped level comes from anywhere else.
    std::set<std::string> attendus;
    for (const NiveauLivre& n : niveauxLivres()) attendus.insert(n.fichier);
    for (const std::string& f : listerDossier(source("niveau"), ".qzm"))
        EXPECT_EQ(attendus.count("niveau/" + f), 1u) << f;
    for (const std::string& f : listerDossier(source(""), ".txt"))
        EXPECT_EQ(attendus.count(f), 1u) << f;
    EXPECT_EQ(listerDossier(source("niveau"), ".qzm").size(), 14u);
}

TEST(NiveauxGeneres, EveryLevelStartsOnItsPadAndEveryTileActs) {
    std::set<int> types;
    for (const NiveauLivre& n : niveauxLivres()) {
        std::vector<Enregistrement> e;
        lireNiveau(source(n.fichier), e);
        ASSERT_GT(e.size(), 10u) << n.fichier;
        EXPECT_LE(e.size(), 400u) << n.fichier << ": too many records to draw";
        const Enregistrement& balle = e[0];
        const Enregistrement& depart = e[1];
        EXPECT_EQ(depart.type, 6) << n.fichier << ": the start pad comes first";
        EXPECT_TRUE(std::abs(balle.x - depart.x) < depart.lx &&
                    std::abs(balle.y - depart.y) < depart.ly &&
                    std::abs(balle.z - balle.lx - (depart.z + depart.lz)) < 1e-4)
            << n.fichier << ": the ball rests on the start pad";
        int arrivees = 0;
        for (size_t i = 1; i < e.size(); ++i) {
            types.insert(e[i].type);
            arrivees += e[i].type == 4;
            const bool tuile = e[i].type == 2 || e[i].type == 3 || e[i].type == 4 || e[i].type == 7;
            if (!tuile) continue;
            // Of two blocks under the ball only the earlier acts: no floor
            // may come before a tile at the height of its top.
            for (size_t j = 1; j < i; ++j) {
                const double haut = e[j].z + e[j].lz, hautTuile = e[i].z + e[i].lz;
                const bool blocSol = e[j].type != 0 && e[j].type != 8 && e[j].type != 9;
                EXPECT_FALSE(blocSol && e[j].type != e[i].type && recouvre(e[i], e[j]) &&
                             std::abs(haut - hautTuile) < 0.3)
                    << n.fichier << ": record " << i + 1 << " (kind " << e[i].type
                    << ") lies on record " << j + 1 << ", which comes first and acts instead";
            }
        }
        EXPECT_GE(arrivees, 1) << n.fichier;
    }
    for (int t : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(types.count(t), 1u) << "kind " << t;
}

}  // namespace
