#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "texture.h"

namespace {

TEST(Hasard, MyRandScalesRandToTheRangeAndOneMore) {
    for (unsigned graine : {1u, 7u, 42u}) {
        std::srand(graine);
        int r = std::rand();
        std::srand(graine);
        EXPECT_DOUBLE_EQ(myRand(-3, 5), r / 32767.0 * 9 - 3);
    }
    std::srand(3);
    for (int i = 0; i < 2000; ++i) {
        double v = myRand(0, 1);
        EXPECT_GE(v, 0.0);
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
