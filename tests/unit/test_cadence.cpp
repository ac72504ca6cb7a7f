// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of the loops (steps of 1/30 s, frames at the display's rate) and
// the inputs of a run kept as text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "cadence.h"
#include "entrees_pas.h"

namespace {

TEST(Cadence, StepsKeepTheirPaceAtEveryFrameRateAndASlowMachineSlowsTheGameRatherThanSpiral) {
    const struct {
        int images;     // the frame cap
        uint32_t travail;  // ms of work a frame
        long long pas;  // steps run after 3 s
        int images3s;   // frames drawn in 3 s, about
    } cas[] = {
        {30, 2, 90, 90}, {60, 2, 90, 180}, {144, 1, 90, 432}, {0, 4, 90, 750},
        {30, 80, 90, 38},    // 80 ms a frame: two or three steps a frame
        {30, 200, 57, 15},   // 200 ms a frame: four steps at most a frame, the game slows
    };
    for (const auto& c : cas) {
        Cadence cadence(1000, c.images);
        uint32_t t = 1000;
        int images = 0;
        double alphaMin = 1, alphaMax = 0;
        while (t < 4000 - 1) {
            EXPECT_LE(cadence.pasDus(t), Cadence::kPasParImageMax);
            const double a = cadence.alpha(t);
            alphaMin = std::min(alphaMin, a), alphaMax = std::max(alphaMax, a);
            ++images;
            t += c.travail;
            t += cadence.attente(t);
        }
        EXPECT_NEAR(cadence.pasFaits(), c.pas, 1) << c.images << " " << c.travail;
        EXPECT_NEAR(images, c.images3s, c.images3s / 20 + 1) << c.images << " " << c.travail;
        // Above 30 frames a second, frames fall between steps; at 30 and below each shows its step.
        EXPECT_EQ(alphaMin < 0.1 && alphaMax > 0.4, c.images == 0 || c.images > 30) << c.images;
    }
    Cadence cadence(0, 60);
    EXPECT_EQ(cadence.echeance(0), 0u);
    EXPECT_EQ(cadence.echeance(1), 34u);  // 33⅓ ms, rounded up
    EXPECT_EQ(cadence.echeance(3), 100u);
}

TEST(Journal, InputsReadBackAsWrittenQuietStepsAsCountsAndDamagedTextsAreRefused) {
    Journal j;
    j.ajouter({});
    j.ajouter({{Touche::Haut, true}});
    for (int i = 0; i < 30; ++i) j.ajouter({});
    j.ajouter({{Touche::Haut, false}, {Touche::Entree, true}, {Touche::Quitter, true}});
    j.ajouter({});
    EXPECT_EQ(j.texte(), ".H.30.hEQ..");
    EXPECT_EQ(j.pas(), 34u);
    Journal lu;
    ASSERT_TRUE(lu.lire(j.texte(), 1000));
    EXPECT_EQ(lu.texte(), j.texte());
    Journal::Lecteur l(lu);
    EntreesPas pas;
    std::vector<size_t> tailles;
    while (l.suivant(pas)) tailles.push_back(pas.size());
    EXPECT_EQ(tailles.size(), 34u);
    EXPECT_EQ(tailles[1] + tailles[32], 4u);
    ASSERT_TRUE(lu.lire("1.2.3.", 10));
    EXPECT_EQ(lu.texte(), "6.") << "quiet steps written in their shortest form";
    for (const char* abime : {"H", "H3.", "x", "q.", "0.", "3", ".@.", "99999999999999999999.", "11."})
        EXPECT_FALSE(lu.lire(abime, 10)) << abime;
    EXPECT_EQ(lu.pas(), 0u);
}

}  // namespace
