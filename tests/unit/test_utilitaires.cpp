// The course textures by their level-file words, and the fade's steps.
// (myRand, myIntRand and stringtochar, which no program calls, are not tested.)
#include <gtest/gtest.h>

#include "fondu.h"
#include "texture.h"

namespace {

TEST(Chaines, StringToTextureKnowsTheEightWordsAndNothingElse) {
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
