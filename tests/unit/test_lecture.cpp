// Hostile and damaged files: every reader opens only regular files of at most
// 64 MB without blocking, a ghost names only a level of maps/, and a lost or
// damaged progress file still opens level 1.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "dossier.h"
#include "fichier_fantome.h"
#include "lecture.h"
#include "niveau.h"
#include "progression.h"

namespace {

struct Lecture : ::testing::Test {
    DossierTemporaire dossier;
};

TEST_F(Lecture, OnlyRegularFilesUpTo64MegabytesAreOpenedAndEachRefusalIsOneLine) {
    ecrireFichier("vrai.txt", "@1");
    ASSERT_EQ(symlink("vrai.txt", "lien.txt"), 0);
    EXPECT_NE(ouvrirLecture("vrai.txt"), nullptr);
    EXPECT_NE(ouvrirLecture("lien.txt"), nullptr) << "a link to a regular file is followed";

    struct Cas { std::string chemin; int erreur; const char* mots; };
    const std::vector<std::string> h = creerFichiersHostiles("h");
    const Cas cas[] = {{h[0], EINVAL, "is not a regular file"}, {h[1], EINVAL, "is not a regular file"},
                       {h[2], EINVAL, "is not a regular file"}, {h[3], EISDIR, "is not a regular file"},
                       {h[4], EFBIG, "is larger than 64 MB"},   {"absent.txt", ENOENT, "is missing"}};
    for (const Cas& c : cas) {
        testing::internal::CaptureStderr();
        errno = 0;
        EXPECT_EQ(ouvrirLecture(c.chemin, "level file"), nullptr) << c.chemin;
        EXPECT_EQ(errno, c.erreur) << c.chemin;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(lignes(err).size(), 1u) << err;
        EXPECT_NE(err.find("level file \"" + c.chemin + "\" " + c.mots), std::string::npos) << err;
    }
}

TEST_F(Lecture, TheLevelReaderRefusesDevicesFifosAndEndlessRecordsAtOnce) {
    int appels = 0;
    auto compter = [&](const Enregistrement&, int) { ++appels; };
    for (const std::string& chemin : creerFichiersHostiles("h")) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(lireEnregistrements(chemin, compter), -1) << chemin;
        EXPECT_NE(testing::internal::GetCapturedStderr().find(chemin), std::string::npos);
    }
    EXPECT_EQ(appels, 0);
    // A file of nothing but '@' would make a block per byte.
    ecrireFichier("arobases.txt", std::string(kEnregistrementsMax + 1, '@'));
    testing::internal::CaptureStderr();
    EXPECT_EQ(lireEnregistrements("arobases.txt", compter), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("more than"), std::string::npos);
    ecrireFichier("arobases.txt", std::string(kEnregistrementsMax, '@'));
    EXPECT_EQ(lireEnregistrements("arobases.txt", nullptr), kEnregistrementsMax);
}

TEST_F(Lecture, AGhostNamesOnlyALevelInsideMaps) {
    struct Cas { const char* chemin; bool admis; };
    const Cas cas[] = {{"maps/niveau/map1.qzm", true}, {"maps/piste.txt", true},
                       {"maps/a..b.txt", true},        {"/dev/zero", false},
                       {"/tmp/maps/x.txt", false},     {"maps/../data/x", false},
                       {"maps/niveau/../../x", false}, {"maps/..", false},
                       {"../maps/x.txt", false},       {"map/x.txt", false},
                       {"", false}};
    for (const Cas& c : cas) EXPECT_EQ(cheminNiveauAdmis(c.chemin), c.admis) << c.chemin;
    EXPECT_FALSE(cheminNiveauAdmis(std::string("maps/x\0/../../y", 15)));
}

TEST_F(Lecture, TheGhostHeaderIsOneWordOfBoundedLengthAndPositionsFollowIt) {
    struct Cas { std::string contenu; bool lu; std::string niveau; };
    const Cas cas[] = {{"@maps/piste.txt\n@1,2,3\n", true, "maps/piste.txt"},
                       {"x  maps/a.txt junk\n", true, "maps/a.txt"},
                       {"", false, ""},
                       {"@\n", false, ""},
                       {"@" + std::string(kLongueurCheminMax, 'm') + "\n", true,
                        std::string(kLongueurCheminMax, 'm')},
                       {"@" + std::string(kLongueurCheminMax + 1, 'm') + "\n", false, ""}};
    for (const Cas& c : cas) {
        ecrireFichier("g.qzg", c.contenu);
        LecteurFantome l(ouvrirLecture("g.qzg"));
        std::string niveau;
        EXPECT_EQ(l.lireEntete(niveau), c.lu) << c.contenu.substr(0, 40);
        if (c.lu) {
            EXPECT_EQ(niveau, c.niveau);
        }
    }
    // What the recording writes reads back, twice over with a rewind.
    FILE* f = std::fopen("g.qzg", "w");
    ASSERT_TRUE(ecrireEnteteFantome(f, "maps/niveau/map2.qzm"));
    ASSERT_TRUE(ecrirePositionFantome(f, 12.5, -3.25, 4));
    ASSERT_TRUE(ecrirePositionFantome(f, 1e-7, 0, -0.5));
    std::fclose(f);
    EXPECT_EQ(lireFichier("g.qzg"), "@maps/niveau/map2.qzm\n@12.500000,-3.250000,4.000000\n"
                                    "@0.000000,0.000000,-0.500000\n");
    LecteurFantome l(ouvrirLecture("g.qzg"));
    std::string niveau;
    ASSERT_TRUE(l.lireEntete(niveau));
    for (int tour = 0; tour < 2; ++tour) {
        l.rembobiner();
        float x, y, z;
        ASSERT_TRUE(l.suivante(x, y, z));
        EXPECT_FLOAT_EQ(x, 12.5);
        EXPECT_FLOAT_EQ(y, -3.25);
        ASSERT_TRUE(l.suivante(x, y, z));
        EXPECT_FLOAT_EQ(z, -0.5);
        EXPECT_FALSE(l.suivante(x, y, z));
    }
}

TEST_F(Lecture, ALostOrDamagedProgressFileOpensLevelOneAndSaysSoOnce) {
    struct Cas { const char* contenu; unsigned int niveau; };  // nullptr: no file
    const Cas cas[] = {{nullptr, 1},     {"", 1},      {"abc", 1},       {"-3", 1},
                       {"0", 1},         {"\n7", 1},   {"7", 7},         {" +12\n", 12},
                       {"3abc", 3},      {"14", 14},   {"99999999999", UINT_MAX}};
    for (const Cas& c : cas) {
        std::remove("niveau.txt");
        if (c.contenu) ecrireFichier("niveau.txt", c.contenu);
        testing::internal::CaptureStderr();
        EXPECT_EQ(lireProgression("niveau.txt"), c.niveau) << (c.contenu ? c.contenu : "no file");
        const std::string err = testing::internal::GetCapturedStderr();
        const bool dit = !c.contenu || c.niveau == 1;
        EXPECT_EQ(lignes(err).size(), dit ? 1u : 0u) << err;
        if (dit) {
            EXPECT_NE(err.find("level 1 is open"), std::string::npos) << err;
        }
    }
    // What the game writes reads back.
    for (unsigned int n : {1u, 2u, 14u, UINT_MAX}) {
        ecrireFichier("niveau.txt", texteProgression(n));
        EXPECT_EQ(lireProgression("niveau.txt"), n);
    }
}

}  // namespace
