// SPDX-License-Identifier: GPL-3.0-or-later
// The fade's steps and the layout of any text on the window. (The texture words are checked with the texture sets, in
// test_texture; myRand, myIntRand and stringtochar, which no program calls,
// are not tested.)
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "fondu.h"
#include "texte.h"

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

// Every text the programs show, whatever it says (a message naming a map of
// any name, say), stays inside the window, each of its glyphs once.
TEST(Texte, AnyTextFitsTheWindowOnAsManyLinesAsItNeedsAndAShortOneStaysWhereItWas) {
    std::mt19937 hasard(7);
    for (int essai = 0; essai < 4000; ++essai) {
        std::string t(hasard() % 320, 'x');
        for (char& c : t) c = "abcdefgh.' "[hasard() % 11];
        if (essai % 4 == 0 && !t.empty()) t[hasard() % t.size()] = '\n';
        const int pos = static_cast<int>(hasard() % 6) - 1;
        const double y = (static_cast<int>(hasard() % 20) - 10) / 10.0;
        const auto encre = static_cast<size_t>(std::count_if(t.begin(), t.end(), celluleGlyphe));
        const std::vector<GlypheTexte> g = disposerTexte(t, pos, 0, y, 640, 480);
        ASSERT_EQ(g.size(), encre) << t;
        for (const GlypheTexte& x : g)
            ASSERT_TRUE(x.gauche >= -640 && x.gauche + 32 <= 640 && x.bas >= -480 && x.bas + 48 <= 480)
                << pos << " " << y << " " << t;
    }
    EXPECT_EQ(lignesTexte("Record non enregistre : ecriture impossible", glyphesParLigne(640)),
              (std::vector<std::string>{"Record non enregistre : ecriture", "impossible"}));
    EXPECT_EQ(lignesTexte(std::string(40, 'a'), glyphesParLigne(640)).size(), 1u);
    const GlypheTexte g = disposerTexte("Jouer", -1, 0, 0.1, 640, 480)[0];
    EXPECT_TRUE(g.gauche == -80 && g.bas == 48);
    // Characters, not bytes: forty accented letters hold on a line and centre as their plain twins.
    std::string e;
    for (int i = 0; i < 40; ++i) e += "\xc3\xa9";
    EXPECT_EQ(lignesTexte(e, glyphesParLigne(640)).size(), 1u);
    EXPECT_EQ(disposerTexte("Sc\xc3\xa9nario", -1, 0, 0, 640, 480)[0].gauche, disposerTexte("Scenario", -1, 0, 0, 640, 480)[0].gauche);
}

}  // namespace
