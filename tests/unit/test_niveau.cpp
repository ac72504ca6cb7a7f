// Level files: the reading rules every reader shares, the objects each
// reader builds, and the writer.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dossier.h"
#include "niveau.h"
#include "texture.h"

namespace {

std::vector<Enregistrement> lire(const std::string& contenu, int* n = nullptr) {
    ecrireFichier("niveau.txt", contenu);
    std::vector<Enregistrement> r;
    int compte = lireEnregistrements("niveau.txt", [&](const Enregistrement& e, int rang) {
        EXPECT_EQ(rang, static_cast<int>(r.size()));
        r.push_back(e);
    });
    if (n) *n = compte;
    EXPECT_EQ(compte, static_cast<int>(r.size()));
    return r;
}

void attendreChamps(const Enregistrement& e, int type, std::vector<float> reels,
                    const std::string& mot) {
    ASSERT_EQ(reels.size(), 10u);
    EXPECT_EQ(e.type, type);
    const float lus[10] = {e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz};
    for (int i = 0; i < 10; ++i) EXPECT_FLOAT_EQ(lus[i], reels[i]) << "field " << i + 2;
    EXPECT_EQ(e.texture, mot);
}

struct Niveau : ::testing::Test {
    DossierTemporaire dossier;
};

TEST_F(Niveau, ReadsWellFormedRecordsInOrder) {
    auto r = lire(
        "@0,1.000000,2.000000,3.500000,5.000000,0.500000,0.500000,0.500000,0.000000,0.000000,"
        "0.000000,textureSphere\n"
        "@4,-10.25,20,-3,0,2,4,6,15,30,45,textureArrivee\r\n"
        "@1,0,0,0,0,1,1,1,0,0,0,textureSol\n");
    ASSERT_EQ(r.size(), 3u);
    attendreChamps(r[0], 0, {1, 2, 3.5f, 5, 0.5f, 0.5f, 0.5f, 0, 0, 0}, "textureSphere");
    // A carriage return before the newline is only skipped.
    attendreChamps(r[1], 4, {-10.25f, 20, -3, 0, 2, 4, 6, 15, 30, 45}, "textureArrivee");
    attendreChamps(r[2], 1, {0, 0, 0, 0, 1, 1, 1, 0, 0, 0}, "textureSol");
    EXPECT_EQ(r[2].champsLus, 12);
}

TEST_F(Niveau, RealsHaveSinglePrecision) {
    auto r = lire("@1,0.1,16777217,0,0,0,0,0,0,0,0,w\n");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].x, 0.1f);
    EXPECT_EQ(static_cast<double>(r[0].y), 16777216.0);
}

TEST_F(Niveau, TheFirstCharacterIsConsumedWhateverItIs) {
    // '1' stands where '@' should: the kind is read from "7".
    auto r = lire("17,1,2,3,4,5,6,7,8,9,10,mot\n@2,0,0,0,0,0,0,0,0,0,0,autre\n");
    ASSERT_EQ(r.size(), 2u);
    attendreChamps(r[0], 7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "mot");
    EXPECT_EQ(r[1].type, 2);

    // A leading newline: the first scan meets the '@' and reads nothing, so
    // the ball is a record of initial values and the real first record follows.
    r = lire("\n@3,1,2,3,4,5,6,7,8,9,10,mot\n");
    ASSERT_EQ(r.size(), 2u);
    attendreChamps(r[0], 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "");
    EXPECT_EQ(r[0].champsLus, 0);
    attendreChamps(r[1], 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "mot");
}

TEST_F(Niveau, FieldsThatFailToScanKeepThePreviousValues) {
    auto r = lire(
        "@5,1\n"                                   // from the initial values
        "@2,1,2,3,4,5,6,7,8,9,10,a\n"
        "@3,9,x,7,7,7,7,7,7,7,7,b\n"               // stops at "x"
        "@,8,8,8,8,8,8,8,8,8,8,c\n");              // the kind itself fails: nothing read
    ASSERT_EQ(r.size(), 4u);
    attendreChamps(r[0], 5, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "");
    EXPECT_EQ(r[0].champsLus, 2);
    attendreChamps(r[1], 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "a");
    attendreChamps(r[2], 3, {9, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "a");
    EXPECT_EQ(r[2].champsLus, 2);
    attendreChamps(r[3], 3, {9, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "a");
    EXPECT_EQ(r[3].champsLus, 0);
}

TEST_F(Niveau, BlanksAfterCommasAreSkippedButABlankBeforeACommaStopsTheScan) {
    auto r = lire(
        "@ 2, 1.5,\t2,\n3,4,5,6,7,8,9,10,  mot\n"
        "@6,1,2 ,9,9,9,9,9,9,9,9,autre\n"
        "@7,0,0,0,0,0,0,0,0,0,0,fin\n");
    ASSERT_EQ(r.size(), 3u);
    attendreChamps(r[0], 2, {1.5f, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "mot");
    // Only kind, x and y are read; the rest of the line is skipped.
    attendreChamps(r[1], 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "mot");
    attendreChamps(r[2], 7, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "fin");
}

TEST_F(Niveau, TheTextureWordEndsAtTheFirstBlankOnly) {
    auto r = lire(
        "@1,0,0,0,0,0,0,0,0,0,0,textureSol suite ignoree @ pas un record\n"
        "@1,0,0,0,0,0,0,0,0,0,0,textureSol,1\n"
        "@1,0,0,0,0,0,0,0,0,0,0,texture\tSol\n");
    // The '@' after the word on the first line opens a record of its own.
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].texture, "textureSol");
    EXPECT_EQ(r[1].champsLus, 0);
    EXPECT_EQ(r[2].texture, "textureSol,1");
    EXPECT_EQ(r[3].texture, "texture");
}

TEST_F(Niveau, ARecordThatStopsJustBeforeAnAtSignDoesNotSwallowTheNextOne) {
    auto r = lire("@2,1,2@3,4,5,6,7,8,9,10,11,12,mot\n");
    ASSERT_EQ(r.size(), 2u);
    attendreChamps(r[0], 2, {1, 2, 0, 0, 0, 0, 0, 0, 0, 0}, "");
    attendreChamps(r[1], 3, {4, 5, 6, 7, 8, 9, 10, 11, 12, 0}, "");
    EXPECT_EQ(r[1].champsLus, 10);  // "12,mot" does not fit the eleventh real
}

TEST_F(Niveau, TheLastRecordNeedsNoNewlineAndAStrayAtSignRepeatsIt) {
    auto r = lire("@1,0,0,0,0,0,0,0,0,0,0,a\n@2,1,2,3,4,5,6,7,8,9,10,fin");
    ASSERT_EQ(r.size(), 2u);
    attendreChamps(r[1], 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "fin");

    for (const char* queue : {"\n@", "\n@\n", "\n@  \n\n"}) {
        r = lire(std::string("@1,0,0,0,0,0,0,0,0,0,0,a\n@2,1,2,3,4,5,6,7,8,9,10,fin") + queue);
        ASSERT_EQ(r.size(), 3u) << queue;
        attendreChamps(r[2], 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "fin");
    }
}

TEST_F(Niveau, ALongTextureWordIsCutAt99CharactersAndTheNextRecordIsIntact) {
    const std::string long_(250, 'k');
    auto r = lire("@1,0,0,0,0,0,0,0,0,0,0," + long_ + "\n@4,1,1,1,1,1,1,1,1,1,1,court\n");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].texture, std::string(99, 'k'));
    attendreChamps(r[1], 4, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "court");
}

TEST_F(Niveau, AMissingOrUnreadableFileReportsFailure) {
    int appels = 0;
    auto compter = [&](const Enregistrement&, int) { ++appels; };
    EXPECT_EQ(lireEnregistrements("absent.txt", compter), -1);
    creerDossiers("unDossier");
    EXPECT_EQ(lireEnregistrements("unDossier", compter), -1);
    EXPECT_EQ(appels, 0);

    ContenuNiveau c;
    c.cubes.emplace_back(0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, "cube", true);
    EXPECT_FALSE(chargerNiveau("absent.txt", reglesPartie(Texture()), c));
    EXPECT_FALSE(c.aBalle);
    EXPECT_TRUE(c.cubes.empty());
}

TEST_F(Niveau, AFileWithoutAnyRecordReportsFailure) {
    int n = -2;
    EXPECT_TRUE(lire("", &n).empty());
    EXPECT_EQ(n, 0);
    for (const char* contenu : {"", "\n", "   \n\n", "@", "@\n", "rien ici\n"}) {
        ecrireFichier("vide.txt", contenu);
        ContenuNiveau c;
        EXPECT_FALSE(chargerNiveau("vide.txt", reglesPartie(Texture()), c)) << '"' << contenu << '"';
        EXPECT_FALSE(c.aBalle);
    }
    // One scanned field is enough to make a ball.
    ecrireFichier("un.txt", "@1\n");
    ContenuNiveau c;
    EXPECT_TRUE(chargerNiveau("un.txt", reglesPartie(Texture()), c));
    EXPECT_TRUE(c.aBalle);
}

TEST_F(Niveau, ReadsFromAnOpenStreamToo) {
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("@0,1,2,3,4,5,6,7,8,9,10,boule\n@1,0,0,0,0,2,2,2,0,0,0,textureSol\n", f);
    std::rewind(f);
    std::vector<Enregistrement> r;
    EXPECT_EQ(lireEnregistrements(f, [&](const Enregistrement& e, int) { r.push_back(e); }), 2);
    std::fclose(f);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].texture, "boule");
}

// A texture set with made-up names: no GL context needed.
Texture faussesTextures() {
    Texture t;
    t.m_textureSphere = 11;
    t.m_textureSol = 12;
    t.m_textureCaisse = 13;
    t.m_textureJump = 14;
    t.m_textureSpeed = 15;
    t.m_textureArrivee = 16;
    t.m_textureDepart = 17;
    t.m_textureSauvegarde = 18;
    t.m_textureFont = 19;
    return t;
}

const char* kToutesLesSortes =
    "@0,1,2,3,3,0.5,0.5,0.5,0,0,0,textureSphere\n"
    "@1,10,0,0,0,2,2,2,0,0,0,textureSol\n"
    "@2,11,0,0,0,2,2,2,0,0,0,textureJump\n"
    "@3,12,0,0,0,2,2,2,0,0,0,textureSpeed\n"
    "@4,13,0,0,0,2,2,2,0,0,0,textureArrivee\n"
    "@5,14,0,0,0,2,2,2,0,0,0,textureVide\n"
    "@6,15,0,0,0,2,2,2,0,0,0,textureDepart\n"
    "@7,16,0,0,0,2,2,2,0,0,0,textureSauvegarde\n"
    "@8,17,0,0,0,1,1,1,0,0,0,textureSphere\n"
    "@9,18,0,0,0,1,1,1,0,0,0,textureSpeed\n"
    "@10,19,0,0,0,2,2,2,0,0,0,textureCaisse\n"
    "@11,20,0,0,0,2,2,2,0,0,0,textureCaisse\n"
    "@0,21,5,6,0,3,0,0,10,20,30,textureSphere\n"
    "@12,22,0,0,0,2,2,2,0,0,0,textureSol\n"
    "@-1,23,0,0,0,2,2,2,0,0,0,textureSol\n"
    "@1,24,0,0,0,2,2,2,0,0,0,inconnu\n";

TEST_F(Niveau, TheSessionBuildsEveryKindFromZeroToEleven) {
    ecrireFichier("maps/niveau/map1.qzm", kToutesLesSortes);
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau(cheminScenario(1), reglesPartie(faussesTextures()), c));

    ASSERT_TRUE(c.aBalle);
    EXPECT_EQ(c.balle.type, 0);
    EXPECT_FLOAT_EQ(c.balle.vie, 3);
    EXPECT_EQ(c.textureBalle, 11u);

    const std::vector<std::string> classes = {"cube", "jump", "turbo", "arriv\xe9" "e", "limite",
                                              "d\xe9" "part", "sauvegarde", "bouton", "porte",
                                              "cube"};
    const std::vector<double> xs = {10, 11, 12, 13, 14, 15, 16, 19, 20, 24};
    const std::vector<unsigned> textures = {12, 14, 15, 16, 0, 17, 18, 13, 13, 0};
    ASSERT_EQ(c.cubes.size(), classes.size());
    for (size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(c.cubes[i].getClasse(), classes[i]) << i;
        EXPECT_DOUBLE_EQ(c.cubes[i].getX(), xs[i]) << i;
        EXPECT_EQ(c.cubes[i].getTexture(), textures[i]) << i;
        EXPECT_TRUE(c.cubes[i].getEtale()) << i;
        EXPECT_TRUE(c.cubes[i].getCollision()) << i;
        EXPECT_DOUBLE_EQ(c.cubes[i].getLZ(), 2);
    }

    ASSERT_EQ(c.bonus.size(), 2u);
    EXPECT_EQ(c.bonus[0].getClasse(), "vie");
    EXPECT_EQ(c.bonus[1].getClasse(), "speed");
    EXPECT_EQ(c.bonus[1].getTexture(), 15u);
    EXPECT_TRUE(c.bonus[0].getExiste());
    EXPECT_TRUE(c.bonus[0].getCollision());

    ASSERT_EQ(c.spheres.size(), 1u);
    const Sphere& s = c.spheres[0];
    EXPECT_DOUBLE_EQ(s.getX(), 21);
    EXPECT_DOUBLE_EQ(s.getLX(), 3);
    EXPECT_DOUBLE_EQ(s.getRZ(), 30);
    EXPECT_EQ(s.getTexture(), 11u);
    EXPECT_FALSE(s.getCollision());
}

TEST_F(Niveau, TheMenuBackgroundBuildsKindsZeroToFourWithTurboStretched) {
    ecrireFichier("maps/menu/menu.txt", kToutesLesSortes);
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau("maps/menu/menu.txt", reglesMenu(faussesTextures()), c));
    ASSERT_TRUE(c.aBalle);
    ASSERT_EQ(c.cubes.size(), 5u);
    const std::vector<std::string> classes = {"cube", "jump", "turbo", "arriv\xe9" "e", "cube"};
    for (size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(c.cubes[i].getClasse(), classes[i]);
        EXPECT_EQ(c.cubes[i].getEtale(), classes[i] != "turbo") << i;
    }
    EXPECT_TRUE(c.bonus.empty());
    EXPECT_EQ(c.spheres.size(), 1u);
}

TEST_F(Niveau, ATextureRuleCanCarryThePreviousTextureOver) {
    // The ghost replay's rule: unknown words keep the previous record's
    // texture, starting from the wall texture.
    Texture t = faussesTextures();
    ReglesNiveau regles;
    regles.typeMax = 7;
    regles.textureInitiale = t.m_textureCaisse;
    std::vector<std::string> vus;
    regles.texture = [&](const std::string& mot, unsigned int precedente) {
        vus.push_back(mot);
        unsigned int n = t.stringToTexture(mot);
        return n ? n : precedente;
    };
    ecrireFichier("g.txt",
                  "@0,0,0,0,3,1,1,1,0,0,0,textureBalle\n"
                  "@1,1,0,0,0,2,2,2,0,0,0,textureVide\n"
                  "@9,2,0,0,0,2,2,2,0,0,0,textureJump\n"   // makes nothing, but is seen
                  "@1,3,0,0,0,2,2,2,0,0,0,textureVide\n"
                  "@1,4,0,0,0,2,2,2,0,0,0,textureSol\n");
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau("g.txt", regles, c));
    EXPECT_EQ(c.textureBalle, 13u);
    ASSERT_EQ(c.cubes.size(), 3u);
    EXPECT_EQ(c.cubes[0].getTexture(), 13u);
    EXPECT_EQ(c.cubes[1].getTexture(), 14u);
    EXPECT_EQ(c.cubes[2].getTexture(), 12u);
    EXPECT_EQ(vus.size(), 5u);
    EXPECT_TRUE(c.bonus.empty());
}

TEST_F(Niveau, ClassKeywordsAndFileNames) {
    EXPECT_EQ(classeDuType(4), std::string("arriv\xe9" "e"));
    EXPECT_EQ(classeDuType(6).size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(classeDuType(6)[1]), 0xE9);
    EXPECT_EQ(classeDuType(0), "");
    EXPECT_EQ(classeDuType(12), "");
    EXPECT_EQ(classeDuType(-1), "");
    EXPECT_EQ(cheminScenario(3), "maps/niveau/map3.qzm");
    EXPECT_EQ(cheminScenario(14), "maps/niveau/map14.qzm");
    EXPECT_EQ(cheminMapPerso("mapperso2"), "maps/mapperso2.txt");
}

TEST_F(Niveau, TheWriterWritesOneLinePerRecordWithSixDecimals) {
    Enregistrement e;
    e.type = 4;
    e.x = 2;
    e.y = -1.5f;
    e.lx = 0.25f;
    e.rz = 90;
    e.texture = "textureArrivee";
    creerDossiers("maps");
    ASSERT_TRUE(ecrireNiveau("maps/m.txt", {e}));
    EXPECT_EQ(lireFichier("maps/m.txt"),
              "@4,2.000000,-1.500000,0.000000,0.000000,0.250000,0.000000,0.000000,0.000000,"
              "0.000000,90.000000,textureArrivee\n");
}

TEST_F(Niveau, WrittenRecordsReadBackEqualAtFloatPrecision) {
    std::srand(1234);
    std::vector<Enregistrement> ecrits;
    for (int i = 0; i < 300; ++i) {
        Enregistrement e;
        e.type = i % 13;
        float* champs[10] = {&e.x, &e.y, &e.z, &e.vie, &e.lx, &e.ly, &e.lz, &e.rx, &e.ry, &e.rz};
        // Values of the kind a course holds, kept to six decimals.
        for (float* f : champs) *f = static_cast<float>((std::rand() % 2000001 - 1000000) / 1000.0);
        e.texture = i % 3 ? "textureSol" : "textureCaisse";
        ecrits.push_back(e);
    }
    ASSERT_TRUE(ecrireNiveau("aller.txt", ecrits));
    std::vector<Enregistrement> lus;
    ASSERT_EQ(lireEnregistrements("aller.txt", [&](const Enregistrement& e, int) { lus.push_back(e); }),
              300);
    for (int i = 0; i < 300; ++i) {
        const Enregistrement &a = ecrits[i], &b = lus[i];
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.z, b.z);
        EXPECT_EQ(a.vie, b.vie);
        EXPECT_EQ(a.lx, b.lx);
        EXPECT_EQ(a.ly, b.ly);
        EXPECT_EQ(a.lz, b.lz);
        EXPECT_EQ(a.rx, b.rx);
        EXPECT_EQ(a.ry, b.ry);
        EXPECT_EQ(a.rz, b.rz);
        EXPECT_EQ(a.texture, b.texture);
    }
}

TEST_F(Niveau, TheWriterNeverWritesAWordThatWouldSwallowTheNextRecord) {
    Enregistrement vide, blanc, long_, suivant;
    vide.texture = "";
    blanc.texture = "texture Sol";
    long_.texture = std::string(150, 'q');
    suivant.type = 7;
    suivant.texture = "textureSauvegarde";
    ASSERT_TRUE(ecrireNiveau("mots.txt", {vide, blanc, long_, suivant}));
    std::vector<Enregistrement> lus;
    lireEnregistrements("mots.txt", [&](const Enregistrement& e, int) { lus.push_back(e); });
    ASSERT_EQ(lus.size(), 4u);
    EXPECT_EQ(lus[0].texture, "textureVide");
    EXPECT_EQ(lus[1].texture, "texture");
    EXPECT_EQ(lus[2].texture, std::string(99, 'q'));
    EXPECT_EQ(lus[3].type, 7);
    EXPECT_EQ(lus[3].texture, "textureSauvegarde");
}

std::vector<std::string> entrees(const std::string& dossier) {
    std::vector<std::string> r;
    for (auto& p : std::filesystem::directory_iterator(dossier)) r.push_back(p.path().filename());
    return r;
}

TEST_F(Niveau, SavingReplacesTheFileWholeAndKeepsItsPermissions) {
    creerDossiers("maps");
    ecrireFichier("maps/mapperso1.txt", "ancien contenu\n");
    chmod("maps/mapperso1.txt", 0640);
    Enregistrement e;
    e.texture = "textureSol";
    ASSERT_TRUE(ecrireNiveau("maps/mapperso1.txt", {e, e}));
    EXPECT_EQ(lireFichier("maps/mapperso1.txt").substr(0, 3), "@1,");
    struct stat st;
    ASSERT_EQ(stat("maps/mapperso1.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(entrees("maps"), std::vector<std::string>{"mapperso1.txt"});

    // A new file gets the usual permissions of a created file.
    const mode_t masque = umask(022);
    ASSERT_TRUE(ecrireNiveau("maps/mapperso2.txt", {e}));
    umask(masque);
    ASSERT_EQ(stat("maps/mapperso2.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(Niveau, ASaveThatMustNotReplaceLeavesAnExistingFileAlone) {
    Enregistrement e;
    e.texture = "textureSol";
    ecrireFichier("maps/mapperso1.txt", "a player's map\n");
    testing::internal::CaptureStderr();
    errno = 0;
    EXPECT_FALSE(ecrireNiveau("maps/mapperso1.txt", {e}, false));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the caller picks another name";
    EXPECT_EQ(lireFichier("maps/mapperso1.txt"), "a player's map\n");
    EXPECT_EQ(entrees("maps"), std::vector<std::string>{"mapperso1.txt"});
    EXPECT_TRUE(ecrireNiveau("maps/mapperso2.txt", {e}, false));
    EXPECT_EQ(lireFichier("maps/mapperso2.txt").substr(0, 3), "@1,");
}

TEST_F(Niveau, AFailedSaveKeepsTheOldFileAndReportsIt) {
    Enregistrement e;
    e.texture = "textureSol";

    // The target is a folder: nothing can replace it.
    creerDossiers("maps/dossier.txt");
    ecrireFichier("maps/dossier.txt/dedans", "x");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ecrireNiveau("maps/dossier.txt", {e}));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("maps/dossier.txt"), std::string::npos) << err;
    EXPECT_EQ(lireFichier("maps/dossier.txt/dedans"), "x");
    auto vus = entrees("maps");
    EXPECT_EQ(vus, std::vector<std::string>{"dossier.txt"});

    // A folder that does not exist.
    EXPECT_FALSE(ecrireNiveau("absent/m.txt", {e}));

    // A read-only folder (root writes anyway, so that case is not tested there).
    if (geteuid() != 0) {
        creerDossiers("ro");
        ecrireFichier("ro/m.txt", "ancien\n");
        chmod("ro", 0555);
        EXPECT_FALSE(ecrireNiveau("ro/m.txt", {e}));
        chmod("ro", 0755);
        EXPECT_EQ(lireFichier("ro/m.txt"), "ancien\n");
        EXPECT_EQ(entrees("ro"), std::vector<std::string>{"m.txt"});
    }
}

}  // namespace
