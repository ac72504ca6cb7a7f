#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "fondu.h"
#include "texture.h"

namespace {

TEST(Hasard, MyRandSpansMinToMaxPlusOneAndMyIntRandItsBounds) {
    std::srand(3);
    for (const auto& [min, max] : {std::pair{0.0, 1.0}, {-3.0, 5.0}, {10.0, 10.0}, {-1.0, -0.5}}) {
        double bas = max + 1, haut = min;
        for (int i = 0; i < 5000; ++i) {
            const double v = myRand(min, max);
            ASSERT_TRUE(v >= min && v <= max + 1) << v;
            bas = std::min(bas, v), haut = std::max(haut, v);
        }
        const double etendue = max - min + 1;  // the whole range is used, not a sliver of it
        EXPECT_TRUE(bas < min + etendue / 10 && haut > max + 1 - etendue / 10) << min << " " << max;
    }
    bool vu[4] = {false, false, false, false};
    for (int i = 0; i < 2000; ++i) {
        const int v = myIntRand(0, 3);
        ASSERT_TRUE(v >= 0 && v <= 3);
        vu[v] = true;
    }
    EXPECT_TRUE(vu[0] && vu[1] && vu[2] && vu[3]);
    EXPECT_EQ(myIntRand(5, 5), 5);
    EXPECT_EQ(myIntRand(5, 2), 5) << "an empty range does not divide by zero";
}

TEST(Chaines, StringtocharCopiesWithItsZeroAndStringToTextureKnowsTheEightWordsOnly) {
    std::unique_ptr<char[]> c(stringtochar("arriv\xe9" "e")), vide(stringtochar(""));
    EXPECT_STREQ(c.get(), "arriv\xe9" "e");
    EXPECT_EQ(vide[0], '\0');
    Texture t;
    const char* const mots[] = {"textureSphere", "textureSol",    "textureCaisse",  "textureJump",
                                "textureSpeed",  "textureArrivee", "textureDepart", "textureSauvegarde"};
    unsigned int* noms[] = {&t.m_textureSphere, &t.m_textureSol,    &t.m_textureCaisse, &t.m_textureJump,
                            &t.m_textureSpeed,  &t.m_textureArrivee, &t.m_textureDepart, &t.m_textureSauvegarde};
    for (unsigned int i = 0; i < 8; ++i) *noms[i] = i + 1;
    t.m_textureFont = 9;
    for (unsigned int i = 0; i < 8; ++i) EXPECT_EQ(t.stringToTexture(mots[i]), i + 1) << mots[i];
    for (const char* autre : {"textureVide", "", "texturesol", "textureSol,1", "textureFont"})
        EXPECT_EQ(t.stringToTexture(autre), 0u) << autre;
}

TEST(Fondu, StepsChangeTheColourOnlyWhileTheFadeRunsAndAreNotClamped) {
    Fondu f(255, 128, 0);
    f.fR(-10);
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
