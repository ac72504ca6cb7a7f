// SPDX-License-Identifier: GPL-3.0-or-later
// The ball's own motion rules: thrust, moves, friction and the soft limit.
#include <gtest/gtest.h>

#include "heros.h"

namespace {

Heros balle(double x = 0, double y = 0, double z = 0) { return Heros(x, y, z, 3, 0.5, 0.5, 0.5, 0, 0, 0, 7); }

TEST(Heros, FrictionTakesAFixedStepThenTheSoftLimitOneMoreAndLessTowardMinusY) {
    struct Cas {
        double vitesse, x, y;  // the speed on both axes before one pass, and after it on x and on y
        double limite = 0.4;   // the ball's top speed
    };
    const Cas cas[] = {
        {0.005, 0, 0}, {-0.005, 0, 0}, {0.004, 0, 0}, {-0.004, 0, 0}, {0, 0, 0},  // snapped to rest
        {0.006, 0.001, 0.001}, {0.1, 0.095, 0.095}, {-0.1, -0.095, -0.095},
        {0.4, 0.395, 0.395}, {-0.4, -0.395, -0.395},  // under the limit once friction has acted
        {0.405, 0.39, 0.39}, {-0.405, -0.39, -0.395},  // reaching it exactly; held back less toward −y
        {0.5, 0.485, 0.485}, {-0.5, -0.485, -0.49},
        {0.6, 0.585, 0.585}, {-0.6, -0.585, -0.59},   // soft: a step a frame, never cut
        {0.5, 0.495, 0.495, 0.5},                       // a higher top speed
        {0, -0.01, -0.01, -0.1},                        // nothing keeps the limit positive
    };
    for (const Cas& c : cas) {
        Heros h = balle();
        h.winMaxSpeed(c.limite - 0.4);
        h.setSX(c.vitesse);
        h.setSY(c.vitesse);
        h.setSZ(-0.7);
        h.verifSpeed();
        EXPECT_NEAR(h.getSX(), c.x, 1e-12) << c.vitesse << " limit " << c.limite;
        EXPECT_NEAR(h.getSY(), c.y, 1e-12) << c.vitesse << " limit " << c.limite;
        EXPECT_EQ(h.getSZ(), -0.7) << "the vertical speed is left alone";
    }
}

TEST(Heros, APausedBallIgnoresThrustMovesAndFrictionAndAWinningOneStaysPut) {
    Heros h = balle(1, 2, 3);
    h.setSX(0.3);
    h.setPause(true);
    h.accelerer(0.1, 0.1, 0.1);
    h.deplacer(1, 1, 1);
    h.verifSpeed();
    EXPECT_TRUE(h.getX() == 1 && h.getY() == 2 && h.getZ() == 3);
    EXPECT_TRUE(h.getSX() == 0.3 && h.getSY() == 0 && h.getSZ() == 0);

    h.setPause(false);
    h.win(true);
    h.accelerer(0.1, 0.2, -0.05);
    h.deplacer(1, 1, 1);
    EXPECT_TRUE(h.getX() == 1 && h.getY() == 2 && h.getZ() == 3);
    EXPECT_DOUBLE_EQ(h.getSX(), 0.4);
    EXPECT_DOUBLE_EQ(h.getSY(), 0.2);
    EXPECT_DOUBLE_EQ(h.getSZ(), -0.05);
    h.win(false);
    h.deplacer(0.5, -1, 2);
    EXPECT_TRUE(h.getX() == 1.5 && h.getY() == 1 && h.getZ() == 5);
}

}  // namespace
