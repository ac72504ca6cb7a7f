// The run's texts, the score link, and the file operations that keep the
// player's files whole.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "dossier.h"
#include "fichiers.h"
#include "repertoire.h"
#include "score.h"
#include "textes_partie.h"

namespace {

TEST(TextesPartie, ChronoPadsTheSecondsAndTheEndLineDoesNot) {
    EXPECT_EQ(texteChrono(0), "0:00:0");
    EXPECT_EQ(texteChrono(65432), "1:05:4");
    EXPECT_EQ(texteChrono(65300), "1:05:3");
    EXPECT_EQ(texteChrono(75000), "1:15:0");
    EXPECT_EQ(texteChrono(9999), "0:09:9");
    EXPECT_EQ(texteChrono(3600000 + 10000), "60:10:0");
    EXPECT_EQ(texteFinNiveau(1200, 65432), "1200[1:5:4]");
    EXPECT_EQ(texteFinNiveau(-37, 1000), "-37[0:1:0]");
}

TEST(TextesPartie, LivesTakeThePluralAboveOneOnly) {
    EXPECT_EQ(texteVies(3), "3 vies");
    EXPECT_EQ(texteVies(2), "2 vies");
    EXPECT_EQ(texteVies(1), "1 vie");
    EXPECT_EQ(texteVies(0), "0 vie");
    EXPECT_EQ(texteVies(-1), "-1 vie");
    EXPECT_EQ(texteVies(1.5), "1.5 vies");
}

TEST(Score, TheUrlCarriesPointsLevelAndTheirProductInOrder) {
    EXPECT_EQ(urlScore(-12, 3),
              "http://www.vorna-game.org/writescorevorna.php?act=2&score=-12&map=3&v=14&a=-36");
    EXPECT_EQ(urlScore(1200, 14),
              "http://www.vorna-game.org/writescorevorna.php?act=2&score=1200&map=14&v=14&a=16800");
    // The check field is a 32-bit product, wrapping like one.
    EXPECT_NE(urlScore(2000000000, 3).find("&a=1705032704"), std::string::npos);
}

TEST(Fichiers, AnAtomicWriteReplacesWholeOrLeavesTheOldFile) {
    DossierTemporaire d;
    ecrireFichier("joueur/niveau.txt", "3");
    EXPECT_TRUE(ecrireFichierAtomique("joueur/niveau.txt", "4"));
    EXPECT_EQ(lireFichier("joueur/niveau.txt"), "4");
    EXPECT_FALSE(existe("joueur/niveau.txt.tmp"));

    // A target that cannot be replaced (a folder in its place) keeps what was there.
    creerDossiers("bloque/niveau.txt");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ecrireFichierAtomique("bloque/niveau.txt", "5"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("bloque/niveau.txt"), std::string::npos);
    EXPECT_FALSE(existe("bloque/niveau.txt.tmp"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ecrireFichierAtomique("absent/niveau.txt", "5"));
    testing::internal::GetCapturedStderr();
}

TEST(Fichiers, AReplacementIsWrittenAfreshNeverThroughWhatLiesAtTheTemporaryName) {
    DossierTemporaire d;
    ecrireFichier("ghost/a.qzg", "ancien");
    ecrireFichier("autre", "intact");
    ASSERT_EQ(symlink("../autre", "ghost/.tmp"), 0);
    EXPECT_TRUE(remplacerFichier("ghost/a.qzg", "nouveau", "ghost/.tmp"));
    EXPECT_EQ(lireFichier("ghost/a.qzg"), "nouveau");
    EXPECT_EQ(lireFichier("autre"), "intact");
    EXPECT_EQ(listerDossier("ghost", ""), (std::vector<std::string>{".", "..", "a.qzg"}));
}

TEST(Fichiers, RenamingNeverReplacesAnExistingFile) {
    DossierTemporaire d;
    ecrireFichier("a", "nouveau");
    ecrireFichier("b", "ancien");
    EXPECT_FALSE(renommerSansRemplacer("a", "b"));
    EXPECT_EQ(lireFichier("a"), "nouveau");
    EXPECT_EQ(lireFichier("b"), "ancien");
    EXPECT_TRUE(renommerSansRemplacer("a", "c"));
    EXPECT_FALSE(existe("a"));
    EXPECT_EQ(lireFichier("c"), "nouveau");
    EXPECT_FALSE(renommerSansRemplacer("absent", "d"));
}

TEST(Repertoire, ListsMatchingNamesInNaturalOrder) {
    DossierTemporaire d;
    for (const char* n : {"map10.qzm", "map2.qzm", "map1.qzm", "notes.txt", "map3.qzm.bak"})
        ecrireFichier(std::string("niveau/") + n, "");
    creerDossiers("niveau/dossier.qzm.d");
    auto l = listerDossier("./niveau", ".qzm");
    EXPECT_EQ(l, (std::vector<std::string>{"dossier.qzm.d", "map1.qzm", "map2.qzm", "map3.qzm.bak",
                                           "map10.qzm"}));
    EXPECT_TRUE(listerDossier("./absent", ".qzm").empty());
    EXPECT_TRUE(ordreNaturel("map9ghost2", "map10ghost1"));
    EXPECT_TRUE(ordreNaturel("a01", "a2"));
    EXPECT_FALSE(ordreNaturel("b", "a"));
    EXPECT_FALSE(ordreNaturel("x", "x"));
}

}  // namespace
