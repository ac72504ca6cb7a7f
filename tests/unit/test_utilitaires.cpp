// The fade's steps. (The texture words are checked with the texture sets, in
// test_texture; myRand, myIntRand and stringtochar, which no program calls,
// are not tested.)
#include <gtest/gtest.h>

#include "fondu.h"

namespace {

TEST(Fondu, StepsChangeTheColourOnlyWhileTheFadeRunsAndAreNotClamped) {
    Fondu f(255, 128, 0);
    f.fR(-10);
    EXPECT_EQ(f.getR(), 255) << "no step before the fade starts";
    f.setF(true);
    for (int i = 0; i < 31; ++i) f.fR(-10);  // the callers stop at their own thresholds
    f.fG(5);
    f.fB(7);
    EXPECT_TRUE(f.getR() == -55 && f.getG() == 133 && f.getB() == 7);
}

}  // namespace
