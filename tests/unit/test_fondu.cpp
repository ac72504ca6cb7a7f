#include <gtest/gtest.h>

#include "fondu.h"

namespace {

TEST(Fondu, StepsChangeTheColourOnlyWhileTheFadeRunsAndAreNotClamped) {
    Fondu f(255, 128, 0);
    f.fR(-10);
    f.fG(5);
    f.fB(7);
    EXPECT_TRUE(f.getR() == 255 && f.getG() == 128 && f.getB() == 0 && !f.getF());
    f.setF(true);
    for (int i = 0; i < 31; ++i) f.fR(-10);  // the callers stop at their own thresholds
    f.fG(5);
    f.fB(7);
    EXPECT_TRUE(f.getR() == -55 && f.getG() == 133 && f.getB() == 7);
    f.setRGB(10, 20, 30);
    EXPECT_TRUE(f.getF() && f.getR() == 10 && f.getG() == 20 && f.getB() == 30);
}

}  // namespace
