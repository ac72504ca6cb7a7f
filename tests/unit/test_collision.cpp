// SPDX-License-Identifier: GPL-3.0-or-later
// The ball against the course: walls, floors, ceilings, gravity, and how a
// frame's moves play out over several frames.
#include <gtest/gtest.h>

#include "monde_physique.h"

namespace {

using namespace monde;
using Collision = Monde;

TEST_F(Collision, TheWorkedWallExampleBlocksBouncesAtHalfSpeedAndKnocks) {
    // A ball of radius 1 at x = 10 moving at −0.3 toward a block over x 5 … 9.
    blocs = {lointain(), bloc(7, 0, 0, 2, 5, 5)};
    Heros b = balle(10, 0, 0);
    b.setSX(-0.3);
    EXPECT_FALSE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    EXPECT_TRUE(b.getSX() == -0.3 && b.getSZ() == 0) << "the query changes nothing, nor adds gravity";
    image(jeu, b, blocs);
    EXPECT_DOUBLE_EQ(b.getX(), 10.15);
    EXPECT_DOUBLE_EQ(b.getSX(), 0.15 - 0.005);  // friction after the move
    EXPECT_EQ(sons(), (Sons{{kBois, 150}}));
}

TEST_F(Collision, TheFirstBlockNeverStopsABallMovingTowardMinusXButStopsItEveryOtherWay) {
    blocs = {bloc(7, 0, 0, 2, 5, 5)};
    const struct { double x, y, sx, sy; bool libre; } cas[] = {
        {10, 0, -0.3, 0, true}, {4, 0, 0.3, 0, false}, {7, 6.1, 0, -0.3, false}, {7, -6.1, 0, 0.3, false}};
    for (const auto& c : cas) {
        Heros b = balle(c.x, c.y, 0);
        b.setSX(c.sx);
        b.setSY(c.sy);
        EXPECT_EQ(jeu.collisionDetect(c.sx != 0, c.sy != 0, 0, &b, blocs), c.libre) << c.sx << " " << c.sy;
    }
}

// A wall along one axis (0: x, 1: y) on one side (+1 or −1) of a ball of
// radius 1 at the origin.
struct Sens {
    int axe, signe;
};
struct Murs : Monde, ::testing::WithParamInterface<Sens> {};

TEST_P(Murs, AWallWithinOneFramesReachAndOverlappingThePathByMoreThanTheMarginStopsTheBall) {
    struct Cas {
        double ecart, vitesse;  // between the ball's side and the wall; the speed toward it
        bool libre;
        std::string classe = "cube";
        double decalage = 0;    // the wall moved across the ball's path
    };
    const Cas cas[] = {
        {0.25, 0.25, false}, {0.25 + 1.0 / 1024, 0.25, true}, {0, 0.25, false}, {0.125, 0.25, false},
        {0.5, 0.25, true}, {0, 0, true}, {0, -0.25, true},  // still, or moving away: never stopped
        // The ball spans −1 … 1 across its path: a wall of half-width 5 moved by 5.75 overlaps it
        // by 0.25, by 5.8125 only by 0.1875.
        {0.125, 0.25, false, "cube", 5.75}, {0.125, 0.25, false, "cube", -5.75},
        {0.125, 0.25, true, "cube", 5.8125}, {0.125, 0.25, true, "cube", -5.8125},
        // Every class but the fall zone is a wall.
        {0.125, 0.25, false, kDepart}, {0.125, 0.25, false, "turbo"}, {0.125, 0.25, false, "sauvegarde"},
        {0.125, 0.25, false, "jump"}, {0.125, 0.25, false, kArrivee}, {0.125, 0.25, false, "bouton"},
        {0.125, 0.25, false, "porte"}, {0.125, 0.25, true, "limite"},
    };
    const Sens s = GetParam();
    for (const Cas& c : cas) {
        double centre[3] = {0, 0, 0}, l[3] = {5, 5, 5};
        centre[s.axe] = s.signe * (1 + c.ecart + 2);
        l[s.axe] = 2;
        centre[1 - s.axe] = c.decalage;
        blocs = {lointain(), bloc(centre[0], centre[1], centre[2], l[0], l[1], l[2], c.classe)};
        Heros b = balle(0, 0, 0);
        (s.axe == 0 ? b.setSX(s.signe * c.vitesse) : b.setSY(s.signe * c.vitesse));
        EXPECT_EQ(jeu.collisionDetect(s.axe == 0, s.axe == 1, 0, &b, blocs), c.libre)
            << c.classe << " " << c.ecart << " at " << c.vitesse << " moved " << c.decalage;
        EXPECT_EQ(b.getSZ(), 0.0);
    }
    EXPECT_TRUE(sons().empty()) << "walls knock only through the run's bounce";
}

INSTANTIATE_TEST_SUITE_P(QuatreSens, Murs, ::testing::Values(Sens{0, 1}, Sens{0, -1}, Sens{1, 1}, Sens{1, -1}),
                         [](const auto& i) {
                             return std::string(i.param.axe ? "y" : "x") + (i.param.signe > 0 ? "Plus" : "Moins");
                         });

TEST_F(Collision, AFloorUnderTheBallsSideIsNotAWall) {
    // Resting on a floor, only blocks reaching more than 0.2 above the ball's bottom stop it.
    blocs = {lointain(), sol(0), bloc(2.125, 0, -0.8125, 1, 5, 1)};  // a step 0.1875 high
    Heros b = balle(0, 0, 1);
    b.setSX(0.25);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    blocs[2] = bloc(2.125, 0, -0.75, 1, 5, 1);  // 0.25 high
    EXPECT_FALSE(jeu.collisionDetect(1, 0, 0, &b, blocs));
}

TEST_F(Collision, FloorsAndCeilingsCatchBounceOrStopTheBallAndGravityActsOtherwise) {
    struct Cas {
        std::string classe;
        double cx, cy, cz;  // the block, of half-extents 5 (or 50 when cx = cy = 0) × 1 high
        double z, vz;       // the ball of radius 1 at (0, 0, z)
        bool libre;
        double sz;
        bool roule;
        int volume;  // of the knock, −1 for none
    };
    const double F = -1, C = 4;  // a floor with its top at 0, a ceiling from 3 up
    const Cas cas[] = {
        // Landing: a quarter back up with a knock, or at rest and rolling.
        {"cube", 0, 0, F, 1.1, -0.2, false, 0.05, false, 50},
        {"cube", 0, 0, F, 1.02, -0.02, false, 0.005, false, 5},
        {"cube", 0, 0, F, 1.001, -0.005, false, 0, true, -1},
        {"cube", 0, 0, F, 1.001, -0.01, false, 0, true, -1},
        {"cube", 0, 0, F, 1, 0, false, 0, true, -1},
        {kDepart, 0, 0, F, 1, -0.2, false, 0.05, false, 50},
        {kDepart, 0, 0, F, 1, 0, false, 0, true, -1},
        {"turbo", 0, 0, F, 1, -0.2, false, 0.05, false, 50},
        {"turbo", 0, 0, F, 1, 0, false, 0, true, -1},
        {"sauvegarde", 0, 0, F, 1, -0.2, false, 0.05, false, 50},
        {"sauvegarde", 0, 0, F, 1, 0, false, 0, true, -1},
        // Caught with the bottom within the floor (z −2 … 0) widened by the fall speed and 0.01.
        {"cube", 0, 0, F, 1.2599, -0.25, false, 0.0625, false, 62},
        {"cube", 0, 0, F, 1.2601, -0.25, true, -0.26, false, -1},
        {"cube", 0, 0, F, -1.2599, -0.25, false, 0.0625, false, 62},
        {"cube", 0, 0, F, -1.2601, -0.25, true, -0.26, false, -1},
        {"cube", 0, 0, F, 0, -0.25, false, 0.0625, false, 62},
        {"cube", 0, 0, F, 1.0099, 0, false, 0, true, -1},
        {"cube", 0, 0, F, 1.0101, 0, true, -0.01, false, -1},
        {"cube", 0, 0, F, -1.0099, 0, false, 0, true, -1},
        {"cube", 0, 0, F, -1.0101, 0, true, -0.01, false, -1},
        // The ball spans −1 … 1: a floor ending at −0.75 overlaps it by 0.25, at −0.8125 by less.
        {"cube", -5.75, 0, F, 1, 0, false, 0, true, -1},
        {"cube", -5.8125, 0, F, 1, 0, true, -0.01, false, -1},
        {"cube", 0, -5.75, F, 1, 0, false, 0, true, -1},
        {"cube", 0, -5.8125, F, 1, 0, true, -0.01, false, -1},
        // Ceilings stop the climb; solid ones send the ball back down at a quarter.
        {"cube", 0, 0, C, 1.9, 0.2, false, -0.05, false, 50},
        {"cube", 0, 0, C, 1.99, 0.02, false, -0.005, false, 5},
        {"cube", 0, 0, C, 1.995, 0.01, false, 0, false, -1},
        {"cube", 0, 0, C, 1.7, 0.2, true, 0.19, false, -1},
        {"jump", 0, 0, C, 1.9, 0.2, false, 0.2, false, -1},
        {"limite", 0, 0, C, 1.9, 0.2, false, 0.2, false, -1},
        {kArrivee, 0, 0, C, 1.9, 0.2, false, 0.2, false, -1},
        {"bouton", 0, 0, C, 1.9, 0.2, false, 0.2, false, -1},
        {"porte", 0, 0, C, 1.9, 0.2, false, 0.2, false, -1},
        // In the air.
        {"cube", 0, 0, F, 10, 0, true, -0.01, false, -1},
        {"cube", 0, 0, F, 10, -0.01, true, -0.02, false, -1},
    };
    for (const Cas& c : cas) {
        const double l = c.cx == 0 && c.cy == 0 ? 50 : 5;
        blocs = {bloc(c.cx, c.cy, c.cz, l, l, 1, c.classe)};
        jeu.setRoll(false);
        Heros b = balle(0, 0, c.z);
        b.setSZ(c.vz);
        const std::string quoi = c.classe + " z " + std::to_string(c.z) + " vz " + std::to_string(c.vz);
        EXPECT_EQ(jeu.collisionDetect(0, 0, 1, &b, blocs), c.libre) << quoi;
        EXPECT_NEAR(b.getSZ(), c.sz, 1e-12) << quoi;
        EXPECT_EQ(jeu.getRoll(), c.roule) << quoi;
        EXPECT_EQ(sons(), (c.volume < 0 ? Sons{} : Sons{{kBois, c.volume}})) << quoi;
        EXPECT_FALSE(b.getWin() || b.getTombe2()) << quoi << ": a ceiling does not act";
    }
    // Nor do the sideways queries add gravity; with no course at all the ball just falls.
    Heros b = balle(0, 0, 10);
    std::vector<Cube> vide;
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs) && jeu.collisionDetect(0, 1, 0, &b, blocs));
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, vide));
    b.setSX(-0.3);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, vide));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.01);
    b.setPause(true);  // a frozen ball gets no gravity
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, vide));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.01);
}

TEST_F(Collision, DuringTheStartPhaseEveryQueryIsFreeAndNothingHappens) {
    jeu.setDebut(true);
    blocs = {lointain(), bloc(7, 0, 0, 2, 5, 5), sol(0, kArrivee), bloc(0, 0, 4, 50, 50, 1)};
    Heros b = balle(10, 0, 1), haut = balle(0, 0, 10);
    b.setSX(-0.3);
    b.setSZ(-0.2);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs) && jeu.collisionDetect(0, 1, 0, &b, blocs) &&
                jeu.collisionDetect(0, 0, 1, &b, blocs) && jeu.collisionDetect(0, 0, 1, &haut, blocs));
    EXPECT_TRUE(haut.getSZ() == 0 && b.getSZ() == -0.2 && b.getSX() == -0.3);
    EXPECT_FALSE(b.getWin() || jeu.getRoll());
    EXPECT_TRUE(sons().empty());
    // The ball hangs in place through a whole frame.
    image(jeu, haut, blocs, Touches{true, false, true, false});
    EXPECT_TRUE(haut.getZ() == 10 && haut.getX() == 0 && haut.getSX() == 0);
}

TEST_F(Collision, OnTwoBlocksOnlyTheEarlierOneActs) {
    // The ball straddles two floors at the same height.
    Heros b = balle(0, 0, 1);
    b.setSZ(-0.005);
    blocs = {lointain(), bloc(-2, 0, -1, 2.5, 5, 1, "cube"), bloc(2, 0, -1, 2.5, 5, 1, "sauvegarde")};
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_FALSE(jeu.getCheckpoint());
    std::swap(blocs[1], blocs[2]);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(jeu.getLastCheckpoint(), 1u);
    // A launch pad listed before a floor launches; listed after, it does not.
    b.setSZ(-0.2);
    blocs = {lointain(), bloc(-2, 0, -1, 2.5, 5, 1, "jump"), bloc(2, 0, -1, 2.5, 5, 1)};
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(b.getSZ(), 0.5);
    b.setSZ(-0.2);
    std::swap(blocs[1], blocs[2]);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(b.getSZ(), 0.05);
}

// Several frames of play.

TEST_F(Collision, ABallDroppedOntoAFloorBouncesLessAndLessThenRests) {
    blocs = {sol(0)};
    Heros b = balle(0, 0, 3, 0.5);
    for (int i = 0; i < 400; ++i) image(jeu, b, blocs);
    ASSERT_EQ(b.getSZ(), 0.0);
    EXPECT_NEAR(b.getZ() - 0.5, 0.0, 0.02);  // on the top face, within the tolerance
    const double repos = b.getZ();
    for (int i = 0; i < 20; ++i) {
        jeu.setRoll(false);
        image(jeu, b, blocs);
        EXPECT_TRUE(b.getZ() == repos && b.getSZ() == 0 && jeu.getRoll());
    }
    const Sons s = sons();
    ASSERT_GE(s.size(), 2u);
    for (const auto& son : s) EXPECT_TRUE(son.first == kBois && son.second <= s[0].second);
}

}  // namespace
