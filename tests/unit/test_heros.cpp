// The ball's own motion rules: thrust, moves, friction and the soft limit.
#include <gtest/gtest.h>

#include "heros.h"

namespace {

Heros balle(double x = 0, double y = 0, double z = 0) {
    return Heros(x, y, z, 3, 0.5, 0.5, 0.5, 0, 0, 0, 7);
}

// One friction pass on the x axis alone from `vitesse`.
double apresX(double vitesse, double limite = 0.4) {
    Heros h = balle();
    h.winMaxSpeed(limite - 0.4);
    h.setSX(vitesse);
    h.verifSpeed();
    EXPECT_EQ(h.getSY(), 0.0);
    return h.getSX();
}

double apresY(double vitesse) {
    Heros h = balle();
    h.setSY(vitesse);
    h.verifSpeed();
    EXPECT_EQ(h.getSX(), 0.0);
    return h.getSY();
}

TEST(Heros, StartsStillUnflaggedWithTheLevelRecordsValues) {
    Heros h(1.5, -2, 3.25, 4, 0.75, 0.6, 0.7, 10, 20, 30, 42);
    EXPECT_EQ(h.getX(), 1.5);
    EXPECT_EQ(h.getY(), -2);
    EXPECT_EQ(h.getZ(), 3.25);
    EXPECT_EQ(h.getVie(), 4);
    EXPECT_EQ(h.getLX(), 0.75);
    EXPECT_EQ(h.getLY(), 0.6);
    EXPECT_EQ(h.getLZ(), 0.7);
    EXPECT_EQ(h.getRZ(), 30);
    EXPECT_TRUE(h.getCollision());
    EXPECT_EQ(h.getTexture(), 42u);
    EXPECT_EQ(h.getSX(), 0);
    EXPECT_EQ(h.getSY(), 0);
    EXPECT_EQ(h.getSZ(), 0);
    EXPECT_EQ(h.getSM(), 0.4);
    EXPECT_EQ(h.getMaxSpeed(), 0.4);
    EXPECT_FALSE(h.getWin());
    EXPECT_FALSE(h.getTombe());
    EXPECT_FALSE(h.getTombe2());
    EXPECT_FALSE(h.getPause());
}

TEST(Heros, FrictionTakesAFixedStepAndSnapsSlowSpeedsToRest) {
    EXPECT_EQ(apresX(0.005), 0.0);
    EXPECT_EQ(apresX(-0.005), 0.0);
    EXPECT_EQ(apresX(0.004), 0.0);
    EXPECT_EQ(apresX(-0.004), 0.0);
    EXPECT_EQ(apresX(0.0), 0.0);
    EXPECT_DOUBLE_EQ(apresX(0.1), 0.095);
    EXPECT_DOUBLE_EQ(apresX(-0.1), -0.095);
    EXPECT_EQ(apresY(0.005), 0.0);
    EXPECT_EQ(apresY(-0.004), 0.0);
    EXPECT_DOUBLE_EQ(apresY(-0.1), -0.095);

    // 0.006 leaves a sliver that the next pass clears.
    Heros h = balle();
    h.setSX(0.006);
    h.setSY(-0.006);
    h.verifSpeed();
    EXPECT_NEAR(h.getSX(), 0.001, 1e-12);
    EXPECT_NEAR(h.getSY(), -0.001, 1e-12);
    h.verifSpeed();
    EXPECT_EQ(h.getSX(), 0.0);
    EXPECT_EQ(h.getSY(), 0.0);
}

TEST(Heros, TheLimitIsTestedAfterFrictionAndIncludesItsOwnValue) {
    // 0.4 is below the limit once friction has acted.
    EXPECT_DOUBLE_EQ(apresX(0.4), 0.395);
    EXPECT_DOUBLE_EQ(apresX(-0.4), -0.395);
    // 0.405 reaches the limit exactly after friction and is slowed further.
    EXPECT_DOUBLE_EQ(apresX(0.405), 0.39);
    EXPECT_DOUBLE_EQ(apresX(-0.405), -0.39);
    EXPECT_DOUBLE_EQ(apresX(0.5), 0.485);
    EXPECT_DOUBLE_EQ(apresX(-0.5), -0.485);
    // The y axis is held back less toward −y.
    EXPECT_DOUBLE_EQ(apresY(0.5), 0.485);
    EXPECT_DOUBLE_EQ(apresY(-0.5), -0.49);
    EXPECT_DOUBLE_EQ(apresY(0.405), 0.39);
    EXPECT_DOUBLE_EQ(apresY(-0.405), -0.395);
}

TEST(Heros, TheLimitIsSoftAndFollowsTheBallsTopSpeed) {
    // A ball well over the limit comes back a step per frame, never cut.
    Heros h = balle();
    h.setSX(0.6);
    h.setSY(-0.6);
    for (int i = 1; i <= 10; ++i) {
        h.verifSpeed();
        EXPECT_NEAR(h.getSX(), 0.6 - 0.015 * i, 1e-9);
        EXPECT_NEAR(h.getSY(), -0.6 + 0.01 * i, 1e-9);
    }

    // A higher top speed lets a faster ball keep its pace longer.
    EXPECT_DOUBLE_EQ(apresX(0.5, 0.5), 0.485 + 0.01);
    // Nothing keeps the limit positive: a negative one slows everything.
    Heros n = balle();
    n.winMaxSpeed(-0.5);
    EXPECT_DOUBLE_EQ(n.getMaxSpeed(), -0.1);
    n.verifSpeed();  // 0 ≥ −0.1
    EXPECT_DOUBLE_EQ(n.getSX(), -0.01);
    EXPECT_DOUBLE_EQ(n.getSY(), -0.01);
}

TEST(Heros, VerticalSpeedIsLeftAloneByFriction) {
    Heros h = balle();
    h.setSZ(-0.7);
    h.verifSpeed();
    EXPECT_EQ(h.getSZ(), -0.7);
    h.setSZ(0.003);
    h.verifSpeed();
    EXPECT_EQ(h.getSZ(), 0.003);
}

TEST(Heros, APausedBallIgnoresThrustMovesAndFrictionButNotSetters) {
    Heros h = balle(1, 2, 3);
    h.setSX(0.3);
    h.setSY(-0.3);
    h.setPause(true);
    EXPECT_TRUE(h.getPause());
    h.accelerer(0.1, 0.1, 0.1);
    h.deplacer(1, 1, 1);
    h.verifSpeed();
    EXPECT_EQ(h.getX(), 1);
    EXPECT_EQ(h.getY(), 2);
    EXPECT_EQ(h.getZ(), 3);
    EXPECT_EQ(h.getSX(), 0.3);
    EXPECT_EQ(h.getSY(), -0.3);
    EXPECT_EQ(h.getSZ(), 0);
    h.setSX(0);
    h.setSY(0);
    h.setSZ(0.25);
    EXPECT_EQ(h.getSX(), 0);
    EXPECT_EQ(h.getSY(), 0);
    EXPECT_EQ(h.getSZ(), 0.25);

    h.setPause(false);
    h.accelerer(0.1, 0.2, -0.05);
    h.deplacer(0.5, -1, 2);
    EXPECT_DOUBLE_EQ(h.getSX(), 0.1);
    EXPECT_DOUBLE_EQ(h.getSY(), 0.2);
    EXPECT_DOUBLE_EQ(h.getSZ(), 0.2);
    EXPECT_EQ(h.getX(), 1.5);
    EXPECT_EQ(h.getY(), 1);
    EXPECT_EQ(h.getZ(), 5);
}

TEST(Heros, AWinningBallStaysPutWhileItsSpeedStillChanges) {
    Heros h = balle(4, 5, 6);
    h.win(true);
    EXPECT_TRUE(h.getWin());
    h.deplacer(1, 1, 1);
    h.accelerer(0.1, 0, -0.01);
    EXPECT_EQ(h.getX(), 4);
    EXPECT_EQ(h.getY(), 5);
    EXPECT_EQ(h.getZ(), 6);
    EXPECT_DOUBLE_EQ(h.getSX(), 0.1);
    EXPECT_DOUBLE_EQ(h.getSZ(), -0.01);
    h.win(false);
    h.deplacer(1, 0, 0);
    EXPECT_EQ(h.getX(), 5);
}

TEST(Heros, FallFlagsAndLivesAreKeptAsTold) {
    Heros h = balle();
    h.tombe(true);
    h.tombe2(true);
    EXPECT_TRUE(h.getTombe());
    EXPECT_TRUE(h.getTombe2());
    h.tombe(false);
    EXPECT_FALSE(h.getTombe());
    EXPECT_TRUE(h.getTombe2());
    h.perdrePV(1);
    EXPECT_EQ(h.getVie(), 2);
    h.perdrePV(-1);
    EXPECT_EQ(h.getLife(), 3);
}

}  // namespace
