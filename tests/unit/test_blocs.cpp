// SPDX-License-Identifier: GPL-3.0-or-later
// What the special blocks do to a ball that lands on them, and the pick-ups.
#include <gtest/gtest.h>

#include "monde_physique.h"

namespace {

using namespace monde;
using Blocs = Monde;

const std::string kTriangle = "data/sound/triangle.wav", kSpring = "data/sound/spring.wav";
const std::string kArriveeWav = "data/sound/arrivee.wav", kFall = "data/sound/fall.wav";

// A floor block of class `classe` whose top face is at 0, under x = cx.
Cube dalle(double cx, const std::string& classe) { return bloc(cx, 0, -1, 2, 2, 1, classe); }
// A ball of radius 1 resting on the block under x = cx, falling at vz.
Heros surDalle(double cx, double vz = 0) {
    Heros b = balle(cx, 0, 1.001);
    b.setSZ(vz);
    return b;
}

TEST_F(Blocs, TurboPushesTowardMinusXOnEveryLandingWhateverItsTurnOrTheHeading) {
    blocs = {Cube(0, 0, -1, 1, 5, 5, 1, 0, 0, 90, 0, "turbo", false)};  // turned a quarter
    Heros b = balle(0, 0, 1);
    b.setSY(0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(b.getSX() == -0.02 && b.getSY() == 0.2 && b.getSZ() == 0 && jeu.getRoll());
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    b.setSZ(-0.2);  // bouncing on it pushes too
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_DOUBLE_EQ(b.getSX(), -0.06);
    EXPECT_EQ(b.getSZ(), 0.05);
    jeu.collisionDetect(1, 0, 0, &b, blocs);  // sideways queries never push
    jeu.collisionDetect(0, 1, 0, &b, blocs);
    EXPECT_DOUBLE_EQ(b.getSX(), -0.06);
}

TEST_F(Blocs, ABallRollingAcrossATurboOutrunsTheLimitThenSlowsBackUnderIt) {
    // A turbo over x −20 … 0, then a long plain floor.
    blocs = {bloc(-10, 0, -1, 10, 50, 1, "turbo"), bloc(-510, 0, -1, 490, 50, 1)};
    Heros b = balle(0, 0, 0.5, 0.5);
    double pire = 0;
    for (int i = 0; i < 150; ++i) {
        const double avant = b.getSX();
        image(jeu, b, blocs);
        ASSERT_EQ(b.getZ(), 0.5) << "frame " << i;
        if (b.getX() < -21 && avant < 0) {
            EXPECT_GT(b.getSX(), avant) << "off the turbo, frame " << i;
        } else if (b.getX() > -19 && avant > -0.38) {
            EXPECT_NEAR(b.getSX(), avant - 0.015, 1e-9) << "on it, frame " << i;
        }
        pire = std::min(pire, b.getSX());
    }
    EXPECT_LT(pire, -0.45);
    EXPECT_GT(b.getSX(), -0.4);
}

TEST_F(Blocs, CheckpointsStoreAPointAboveThemselvesOnceAndOnlyInIncreasingCourseOrder) {
    blocs = {dalle(0, "sauvegarde"), dalle(10, "cube"), dalle(20, "sauvegarde"),
             bloc(30, 4, -1.5, 2, 2, 1.5, "sauvegarde")};
    Heros b = surDalle(0);  // the first block of the course can never be taken
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_FALSE(jeu.getCheckpoint());
    b = balle(30, 4, 1.001);
    b.setSZ(-0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 3u);
    EXPECT_TRUE(jeu.getXSave() == 30 && jeu.getYSave() == 4);
    EXPECT_DOUBLE_EQ(jeu.getZSave(), 2.1);  // 2.1 above the top face
    EXPECT_EQ(b.getSZ(), 0.05);             // a solid floor: it bounces
    EXPECT_EQ(sons(), (Sons{{kBois, 50}, {kTriangle, 255}}));

    // Landing on it again, or on an earlier one, once the message is gone, does nothing.
    jeu.setCheckpoint(false);
    for (Heros c : {surDalle(20), balle(30, 4, 1.001)}) jeu.collisionDetect(0, 0, 1, &c, blocs);
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getXSave(), 30);
    EXPECT_TRUE(sons().empty());
    // A new run starts over.
    jeu.resetDonnees();
    jeu.setDebut(false);
    b = surDalle(20);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(jeu.getLastCheckpoint(), 2u);
    EXPECT_EQ(jeu.getXSave(), 20);
}

TEST_F(Blocs, ALaunchPadSendsTheBallUpAtHalfAUnitWhateverItsFall) {
    blocs = {dalle(0, "jump")};
    for (double vz : {0.0, -0.005, -0.2, -0.9}) {
        Heros b = balle(0, 0, 1.001 - vz);
        b.setSZ(vz);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << vz;
        EXPECT_EQ(b.getSZ(), 0.5) << vz;  // no gravity on top
        EXPECT_EQ(sons(), (Sons{{kSpring, 255}})) << vz;
    }
    EXPECT_FALSE(jeu.getRoll());
}

TEST_F(Blocs, TheFinishWinsAndSoundsOnlyOnce) {
    blocs = {dalle(0, kArrivee)};
    Heros b = balle(0, 0, 2);
    b.setSZ(-0.1);
    for (int frames = 0; !b.getWin() && frames < 50; ++frames) image(jeu, b, blocs);
    ASSERT_TRUE(b.getWin());
    const double x = b.getX(), z = b.getZ(), vz = b.getSZ();
    EXPECT_LT(vz, -0.01) << "no bounce: the finish keeps the fall speed";
    // The ball stays where it finished, neither bouncing nor gaining gravity.
    for (int i = 0; i < 5; ++i) image(jeu, b, blocs, Touches{true, false, false, false});
    EXPECT_TRUE(b.getZ() == z && b.getX() == x && b.getSZ() == vz && b.getWin());
    EXPECT_EQ(sons(), (Sons{{kArriveeWav, 255}}));
}

TEST_F(Blocs, AFallZoneRequestsAFallSoundsOncePerFallAndTheBallFallsThroughAtItsSpeed) {
    blocs = {dalle(0, "limite")};
    Heros b = surDalle(0, -0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(b.getTombe2());
    EXPECT_EQ(b.getSZ(), -0.2) << "kept: no bounce, no gravity";
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(sons(), (Sons{{kFall, 255}}));
    b.tombe2(false);  // once the run has started the fall, a further landing is silent too
    b.tombe(true);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_TRUE(b.getTombe2());
    EXPECT_TRUE(sons().empty());
    b.tombe(false);  // put back, the next fall sounds again
    b.tombe2(false);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(sons(), (Sons{{kFall, 255}}));
    EXPECT_FALSE(jeu.getRoll());

    Heros c = balle(0, 0, 1.5);
    c.setSZ(-0.1);
    for (int i = 0; i < 30; ++i) image(jeu, c, blocs);
    EXPECT_LT(c.getZ() + 1, -2.0) << "carried through the zone, then falling freely below it";
    EXPECT_LT(c.getSZ(), -0.1);
}

TEST_F(Blocs, ButtonsAndDoorsCarryTheBallWithoutEffect) {
    for (const std::string classe : {"bouton", "porte"}) {
        blocs = {dalle(0, classe)};
        Heros b = surDalle(0, -0.2);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << classe;
        EXPECT_TRUE(b.getSZ() == -0.2 && b.getSX() == 0 && !b.getWin() && !b.getTombe2()) << classe;
    }
    EXPECT_FALSE(jeu.getRoll() || jeu.getCheckpoint());
    EXPECT_TRUE(sons().empty());
}

Bonus bonus(double x, double y, double z, double rayon, const std::string& classe = "vie") {
    return Bonus(x, y, z, 1, rayon, rayon, rayon, 0, 0, 0, 0, classe);
}

TEST_F(Blocs, APickUpIsTakenWithinTheBallsRadiusPlusHalfItsOwnMeasuredInThreeDimensions) {
    const struct { double r; Bonus p; bool pris; } cas[] = {
        {1, bonus(2, 0, 0, 2), true},                // 1 + 2 / 2
        {1, bonus(2 + 1.0 / 1024, 0, 0, 2), false},
        {1, bonus(2.5, 0, 0, 2), false},             // within 1 + 2, not 1 + 1
        {3, bonus(3, 0, 4, 4), true},                // 5 apart, 3 + 4 / 2
        {3, bonus(1.5, 0, 4.5, 1), false},           // 1.5 apart along x only
    };
    for (auto c : cas) {
        Heros b = balle(0, 0, 0, c.r);
        jeu.verifieBonus(&b, &c.p);
        EXPECT_EQ(c.p.getExiste(), !c.pris) << c.p.getX() << " " << c.p.getZ();
    }
}

TEST_F(Blocs, ALifePickUpAddsOneLifeOnceASpeedPickUpRaisesTheLimitAndBothAreSilent) {
    Heros b = balle(0, 0, 0);
    std::vector<Bonus> p = {bonus(0.5, 0, 0, 1), bonus(-0.5, 0, 0, 1), bonus(9, 0, 0, 1),
                            bonus(0, 0.5, 0, 1, "speed"), bonus(0, 0, 0.5, 1, "cube")};
    for (int fois = 0; fois < 2; ++fois)  // taken: not again
        for (Bonus& q : p) jeu.verifieBonus(&b, &q);
    EXPECT_EQ(b.getVie(), 5) << "two lives, touched in one frame";
    EXPECT_TRUE(p[2].getExiste());
    EXPECT_DOUBLE_EQ(b.getSM(), 0.5);
    EXPECT_FALSE(p[4].getExiste()) << "any other kind is taken with no effect";
    EXPECT_TRUE(sons().empty()) << "the \"bonus\" sound has no sample";
}

}  // namespace
