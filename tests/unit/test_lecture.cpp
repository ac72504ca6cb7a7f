// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and damaged files: every reader opens only regular files of at most
// 64 MB without blocking, a ghost names only a level of maps/, and a lost or
// damaged progress file still opens level 1.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "dossier.h"
#include "fichier_fantome.h"
#include "lecture.h"
#include "manettes.h"
#include "niveau.h"
#include "progression.h"

namespace {

struct Lecture : ::testing::Test { DossierTemporaire dossier; };

TEST_F(Lecture, OnlyRegularFilesUpTo64MegabytesAreOpenedEachRefusalIsOneLineAndNoRecordIsRead) {
    ecrireFichier("vrai.txt", "@1");
    ASSERT_EQ(symlink("vrai.txt", "lien.txt"), 0);
    EXPECT_TRUE(ouvrirLecture("vrai.txt") && ouvrirLecture("lien.txt")) << "a link to a regular file is followed";
    const std::vector<std::string> h = creerFichiersHostiles("h");
    const struct { std::string chemin; int erreur; const char* mots; } cas[] = {
        {h[0], EINVAL, "is not a regular file"}, {h[1], EINVAL, "is not a regular file"},
        {h[2], EINVAL, "is not a regular file"}, {h[3], EISDIR, "is not a regular file"},
        {h[4], EFBIG, "is larger than 64 MB"},   {"absent.txt", ENOENT, "is missing"}};
    for (const auto& c : cas) {
        errno = 0;
        const std::string err = sortieErreur([&] { EXPECT_EQ(ouvrirLecture(c.chemin, "level file"), nullptr); });
        EXPECT_EQ(errno, c.erreur) << c.chemin;
        EXPECT_EQ(lignes(err).size(), 1u) << err;
        EXPECT_NE(err.find("level file \"" + c.chemin + "\" " + c.mots), std::string::npos) << err;
        EXPECT_NE(sortieErreur([&] { EXPECT_EQ(lireEnregistrements(c.chemin, nullptr), -1); }).find(c.chemin),
                  std::string::npos);
    }
    // A file of nothing but '@' would make a block per byte.
    ecrireFichier("arobases.txt", std::string(kEnregistrementsMax + 1, '@'));
    EXPECT_NE(sortieErreur([] { EXPECT_EQ(lireEnregistrements("arobases.txt", nullptr), -1); }).find("more than"),
              std::string::npos);
    ecrireFichier("arobases.txt", std::string(kEnregistrementsMax, '@'));
    EXPECT_EQ(lireEnregistrements("arobases.txt", nullptr), kEnregistrementsMax);
}

// SDL reads the pads' mapping file itself: only a regular one is left to it.
TEST_F(Lecture, APadMappingFileIsLeftToSDLOnlyWhenItIsARegularFile) {
    ecrireFichier("manettes.txt", "");
    mkfifo("fifo", 0600);
    for (const auto& [fichier, garde] : {std::pair{"fifo", false}, {"manettes.txt", true}, {".", false}}) {
        setenv("SDL_GAMECONTROLLERCONFIG_FILE", fichier, 1);
        const std::string err = sortieErreur([] { sys::demarrerManettes(); });
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        EXPECT_EQ(std::getenv("SDL_GAMECONTROLLERCONFIG_FILE") != nullptr, garde) << fichier;
        EXPECT_EQ(err.find(std::string(fichier) + " is not a regular file; it is not read") != std::string::npos, !garde)
            << err;
    }
    unsetenv("SDL_GAMECONTROLLERCONFIG_FILE");
}

TEST_F(Lecture, AGhostNamesOnlyALevelInsideMapsOnItsWholeFirstLineOfBoundedLengthAndItsPositionsFollow) {
    for (const auto& [chemin, admis] :
         {std::pair{"maps/niveau/map1.qzm", true}, {"maps/piste.txt", true}, {"maps/a..b.txt", true},
          {"/dev/zero", false}, {"/tmp/maps/x.txt", false}, {"maps/../data/x", false}, {"maps/niveau/../../x", false},
          {"maps/..", false}, {"../maps/x.txt", false}, {"map/x.txt", false}, {"", false}})
        EXPECT_EQ(cheminNiveauAdmis(chemin), admis) << chemin;
    EXPECT_FALSE(cheminNiveauAdmis(std::string("maps/x\0/../../y", 15)));

    const std::string long_(kLongueurCheminMax, 'm');
    for (const auto& [contenu, niveau] : {std::pair<std::string, std::string>{"@maps/piste.txt\n@1,2,3\n", "maps/piste.txt"},
                                          {"x maps/ma piste.txt \r\n@1,2,3\n", "maps/ma piste.txt"}, {"", ""}, {"@\n", ""},
                                          {"@" + long_ + "  \n", long_}, {"@" + long_ + "m\n", ""}}) {
        ecrireFichier("g.qzg", contenu);
        LecteurFantome l(ouvrirLecture("g.qzg"));
        std::string lu;
        EXPECT_EQ(l.lireEntete(lu), !niveau.empty()) << contenu.substr(0, 40);
        EXPECT_EQ(niveau.empty() ? "" : lu, niveau);
    }
    // What the recording writes reads back, twice over with a rewind.
    FILE* f = std::fopen("g.qzg", "w");
    ASSERT_TRUE(ecrireEnteteFantome(f, "maps/niveau/map2.qzm") && ecrirePositionFantome(f, 12.5, -3.25, 4) &&
                ecrirePositionFantome(f, 1e-7, 0, -0.5));
    std::fclose(f);
    EXPECT_EQ(lireFichier("g.qzg"), "@maps/niveau/map2.qzm\n@12.500000,-3.250000,4.000000\n@0.000000,0.000000,-0.500000\n");
    LecteurFantome l(ouvrirLecture("g.qzg"));
    std::string niveau;
    float x, y, z;
    ASSERT_TRUE(l.lireEntete(niveau) && l.suivante(x, y, z) && l.suivante(x, y, z) && !l.suivante(x, y, z));
    l.rembobiner();
    EXPECT_TRUE(l.suivante(x, y, z) && x == 12.5f && y == -3.25f);
    EXPECT_TRUE(l.suivante(x, y, z) && z == -0.5f);
    EXPECT_FALSE(l.suivante(x, y, z));
}

TEST_F(Lecture, ALostOrDamagedProgressFileOpensLevelOneAndSaysSoOnce) {
    const struct { const char* contenu; unsigned int niveau; } cas[] = {  // nullptr: no file
        {nullptr, 1}, {"", 1},    {"abc", 1},   {"-3", 1},     {"0", 1},    {"\n7", 1},
        {"7", 7},     {" +12\n", 12}, {"3abc", 3}, {"14", 14}, {"99999999999", UINT_MAX}};
    for (const auto& c : cas) {
        std::remove("niveau.txt");
        if (c.contenu) ecrireFichier("niveau.txt", c.contenu);
        const std::string err = sortieErreur([&] { EXPECT_EQ(lireProgression("niveau.txt"), c.niveau); });
        const bool dit = !c.contenu || c.niveau == 1;
        EXPECT_EQ(lignes(err).size(), dit ? 1u : 0u) << (c.contenu ? c.contenu : "no file") << ": " << err;
        EXPECT_EQ(err.find("level 1 is open") != std::string::npos, dit) << err;
    }
}

}  // namespace
