#include <gtest/gtest.h>

#include "fondu.h"

namespace {

TEST(Fondu, StepsChangeTheColourOnlyWhileTheFadeRuns) {
    Fondu f(255, 128, 0);
    EXPECT_FALSE(f.getF());
    f.fR(-10);
    f.fG(5);
    f.fB(7);
    EXPECT_EQ(f.getR(), 255);
    EXPECT_EQ(f.getG(), 128);
    EXPECT_EQ(f.getB(), 0);

    f.setF(true);
    EXPECT_TRUE(f.getF());
    f.fR(-10);
    f.fG(5);
    f.fB(7);
    EXPECT_EQ(f.getR(), 245);
    EXPECT_EQ(f.getG(), 133);
    EXPECT_EQ(f.getB(), 7);

    // Components are not clamped: the callers stop at their own thresholds.
    for (int i = 0; i < 30; ++i) f.fR(-10);
    EXPECT_EQ(f.getR(), -55);

    f.setF(false);
    f.fB(100);
    EXPECT_EQ(f.getB(), 7);
}

TEST(Fondu, SetRGBWorksWithTheFadeOnOrOff) {
    Fondu f(0, 0, 0);
    f.setRGB(10, 20, 30);
    EXPECT_EQ(f.getR(), 10);
    EXPECT_EQ(f.getG(), 20);
    EXPECT_EQ(f.getB(), 30);
    f.setF(true);
    f.setRGB(255, 255, 255);
    EXPECT_EQ(f.getR(), 255);
    EXPECT_EQ(f.getG(), 255);
    EXPECT_EQ(f.getB(), 255);
    EXPECT_TRUE(f.getF());
}

}  // namespace
