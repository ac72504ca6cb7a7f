#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "texture.h"

namespace {

TEST(Hasard, MyRandStaysWithinMinAndMaxPlusOne) {
    struct { double min, max; } plages[] = {{0, 1}, {-3, 5}, {10, 10}, {-1, -0.5}};
    std::srand(3);
    for (const auto& p : plages) {
        double bas = p.max + 1, haut = p.min;
        for (int i = 0; i < 5000; ++i) {
            const double v = myRand(p.min, p.max);
            ASSERT_GE(v, p.min);
            ASSERT_LE(v, p.max + 1);
            bas = std::min(bas, v);
            haut = std::max(haut, v);
        }
        // The whole range is used, not a sliver of it.
        const double etendue = p.max - p.min + 1;
        EXPECT_LT(bas, p.min + etendue / 10) << p.min;
        EXPECT_GT(haut, p.max + 1 - etendue / 10) << p.max;
    }
}

TEST(Hasard, MyIntRandStaysWithinItsBounds) {
    std::srand(11);
    bool vu[4] = {false, false, false, false};
    for (int i = 0; i < 2000; ++i) {
        int v = myIntRand(0, 3);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 3);
        vu[v] = true;
    }
    EXPECT_TRUE(vu[0] && vu[1] && vu[2] && vu[3]);
    EXPECT_EQ(myIntRand(5, 5), 5);
    EXPECT_EQ(myIntRand(5, 2), 5);  // an empty range does not divide by zero
}

TEST(Chaines, StringtocharCopiesWithItsTerminatingZero) {
    std::unique_ptr<char[]> c(stringtochar("arriv\xe9" "e"));
    EXPECT_STREQ(c.get(), "arriv\xe9" "e");
    std::unique_ptr<char[]> vide(stringtochar(""));
    EXPECT_EQ(vide[0], '\0');
}

TEST(Chaines, StringToTextureKnowsTheEightWordsAndNothingElse) {
    Texture t;
    t.m_textureSphere = 1; t.m_textureSol = 2; t.m_textureCaisse = 3; t.m_textureJump = 4;
    t.m_textureSpeed = 5; t.m_textureArrivee = 6; t.m_textureDepart = 7;
    t.m_textureSauvegarde = 8; t.m_textureFont = 9;
    EXPECT_EQ(t.stringToTexture("textureSphere"), 1u);
    EXPECT_EQ(t.stringToTexture("textureSol"), 2u);
    EXPECT_EQ(t.stringToTexture("textureCaisse"), 3u);
    EXPECT_EQ(t.stringToTexture("textureJump"), 4u);
    EXPECT_EQ(t.stringToTexture("textureSpeed"), 5u);
    EXPECT_EQ(t.stringToTexture("textureArrivee"), 6u);
    EXPECT_EQ(t.stringToTexture("textureDepart"), 7u);
    EXPECT_EQ(t.stringToTexture("textureSauvegarde"), 8u);
    for (const char* autre : {"textureVide", "", "texturesol", "textureSol,1", "textureFont"})
        EXPECT_EQ(t.stringToTexture(autre), 0u) << autre;
}

}  // namespace
