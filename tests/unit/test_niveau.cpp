// SPDX-License-Identifier: GPL-3.0-or-later
// Level files: the reading rules every reader shares, the objects each
// reader builds, and the writer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "dossier.h"
#include "niveau.h"
#include "scene.h"
#include "texture.h"

namespace {

// A record as "kind|ten reals|word|fields scanned".
std::string texte(const Enregistrement& e) {
    char l[320];
    std::snprintf(l, sizeof l, "%d|%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g|%s|%d", e.type, e.x, e.y, e.z, e.vie, e.lx, e.ly,
                  e.lz, e.rx, e.ry, e.rz, e.texture.c_str(), e.champsLus);
    return l;
}

// The records of a file holding `contenu`, each as texte() gives it.
std::vector<std::string> textes(const std::string& contenu) {
    ecrireFichier("niveau.txt", contenu);
    std::vector<Enregistrement> lus;
    sortieErreur([&] { lireNiveau("niveau.txt", lus); });
    std::vector<std::string> r;
    for (const Enregistrement& e : lus) r.push_back(texte(e));
    return r;
}

struct Niveau : ::testing::Test { DossierTemporaire dossier; };

TEST_F(Niveau, RecordsAreReadByTheFormatsRulesToTheLetter) {
    const std::string z = "0,0,0,0,0,0,0,0,0,0", dix = "1,2,3,4,5,6,7,8,9,10";
    const std::string fin = "@1,0,0,0,0,0,0,0,0,0,0,a\n@2," + dix + ",fin";
    struct Cas { std::string contenu; std::vector<std::string> lus; };
    const Cas cas[] = {
        {"@0,1.000000,2.000000,3.500000,5.000000,0.500000,0.500000,0.500000,0.000000,0.000000,0.000000,"
         "textureSphere\n@4,-10.25,20,-3,0,2,4,6,15,30,45,textureArrivee\r\n@1,0,0,0,0,1,1,1,0,0,0,textureSol\n",
         {"0|1,2,3.5,5,0.5,0.5,0.5,0,0,0|textureSphere|12", "4|-10.25,20,-3,0,2,4,6,15,30,45|textureArrivee|12",
          "1|0,0,0,0,1,1,1,0,0,0|textureSol|12"}},
        // The first character is consumed whatever it is: '1' where '@' should be, or a newline
        // (the first scan then meets the '@' and reads nothing).
        {"17," + dix + ",mot\n@2," + z + ",autre\n", {"7|" + dix + "|mot|12", "2|" + z + "|autre|12"}},
        {"\n@3," + dix + ",mot\n", {"1|" + z + "||0", "3|" + dix + "|mot|12"}},
        // Fields that fail to scan keep the previous record's values (at first kind 1, zeros, no word).
        {"@5,1\n@2," + dix + ",a\n@3,9,x,7,7,7,7,7,7,7,7,b\n@,8,8,8,8,8,8,8,8,8,8,c\n",
         {"5|1,0,0,0,0,0,0,0,0,0||2", "2|" + dix + "|a|12", "3|9,2,3,4,5,6,7,8,9,10|a|2",
          "3|9,2,3,4,5,6,7,8,9,10|a|0"}},
        // Blanks after commas are skipped, a blank before a comma stops the scan.
        {"@ 2, 1.5,\t2,\n3,4,5,6,7,8,9,10,  mot\n@6,1,2 ,9,9,9,9,9,9,9,9,autre\n@7," + z + ",fin\n",
         {"2|1.5,2,3,4,5,6,7,8,9,10|mot|12", "6|1,2,3,4,5,6,7,8,9,10|mot|3", "7|" + z + "|fin|12"}},
        // The word ends at the first blank only; an '@' after it opens a record of its own.
        {"@1," + z + ",textureSol suite ignoree @ pas un record\n@1," + z + ",textureSol,1\n@1," + z +
             ",texture\tSol\n",
         {"1|" + z + "|textureSol|12", "1|" + z + "|textureSol|0", "1|" + z + "|textureSol,1|12",
          "1|" + z + "|texture|12"}},
        // A record whose scan stops just before an '@' does not swallow the next one.
        {"@2,1,2@3,4,5,6,7,8,9,10,11,12,mot\n", {"2|1,2,0,0,0,0,0,0,0,0||3", "3|4,5,6,7,8,9,10,11,12,0||10"}},
        // The last record needs no newline; a stray '@' repeats it.
        {fin, {"1|" + z + "|a|12", "2|" + dix + "|fin|12"}},
        {fin + "\n@", {"1|" + z + "|a|12", "2|" + dix + "|fin|12", "2|" + dix + "|fin|0"}},
        // A long word is cut at 99 characters and the next record is intact.
        {"@1," + z + "," + std::string(250, 'k') + "\n@4," + dix + ",court\n",
         {"1|" + z + "|" + std::string(99, 'k') + "|12", "4|" + dix + "|court|12"}},
        // Reals have single precision.
        {"@1,0.1,16777217,0,0,0,0,0,0,0,0,w\n", {"1|0.100000001,16777216,0,0,0,0,0,0,0,0|w|12"}},
        {"", {}},
        // A damaged ball's record leaves the level without a ball: the next record never takes its place.
        {"@1,nan,0,0,0,0,0,0,0,0,0,a\n@2," + dix + ",b\n", {}},
        // A number that is not finite makes a damaged record: skipped, its values not carried over.
        {"@2," + dix + ",b\n@1,nan,0,0,0,0,0,0,0,0,0,a\n@3,inf\n@4,1e39,1,1,1,1,1,1,1,1,1,c\n@",
         {"2|" + dix + "|b|12", "2|" + dix + "|b|0"}},
    };
    for (const Cas& c : cas) EXPECT_EQ(textes(c.contenu), c.lus) << c.contenu.substr(0, 60);
    EXPECT_NE(sortieErreur([] { lireEnregistrements("niveau.txt", nullptr); }).find("3 damaged records"), std::string::npos);
    // A ball starts with the lives the game can show.
    for (const auto& [vie, vies] : {std::pair{-3.f, 1.0}, {0.f, 1.0}, {2.5f, 2.5}, {1e9f, 99.0}}) {
        ContenuNiveau c;
        c.balle.vie = vie;
        EXPECT_EQ(balleDuNiveau(c).getVie(), vies) << vie;
    }
}

TEST_F(Niveau, AMissingUnreadableOrEmptyFileHoldsNoLevel) {
    // No scan assigned a single field: no ball can be made. One field is enough. (A missing or
    // unreadable file takes the same way: the tests of hostile files.)
    for (const char* contenu : {"", "\n", "   \n\n", "@", "@\n", "rien ici\n", "@1\n"}) {
        ecrireFichier("vide.txt", contenu);
        ContenuNiveau c;
        c.cubes.emplace_back(0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, "cube", true);
        const bool lu = chargerNiveau("vide.txt", reglesPartie(Texture()), c);
        EXPECT_EQ(lu, std::string(contenu) == "@1\n") << '"' << contenu << '"';
        EXPECT_TRUE(c.aBalle == lu && c.cubes.empty());
        EXPECT_EQ(chargerNiveauOctets(contenu, ReglesNiveau(), c), lu) << "the same from the bytes in memory";
    }
}

// A texture set with made-up names: no GL context needed.
Texture faussesTextures() {
    Texture t;
    unsigned int* noms[] = {&t.m_textureSphere, &t.m_textureSol,    &t.m_textureCaisse,
                            &t.m_textureJump,   &t.m_textureSpeed,  &t.m_textureArrivee,
                            &t.m_textureDepart, &t.m_textureSauvegarde, &t.m_textureFont};
    for (unsigned int i = 0; i < 9; ++i) *noms[i] = 11 + i;
    return t;
}

const char* const kToutesLesSortes =
    "@0,1,2,3,3,0.5,0.5,0.5,0,0,0,textureSphere\n@1,10,0,0,0,2,2,2,0,0,0,textureSol\n"
    "@2,11,0,0,0,2,2,2,0,0,0,textureJump\n@3,12,0,0,0,2,2,2,0,0,0,textureSpeed\n"
    "@4,13,0,0,0,2,2,2,0,0,0,textureArrivee\n@5,14,0,0,0,2,2,2,0,0,0,textureVide\n"
    "@6,15,0,0,0,2,2,2,0,0,0,textureDepart\n@7,16,0,0,0,2,2,2,0,0,0,textureSauvegarde\n"
    "@8,17,0,0,0,1,1,1,0,0,0,textureSphere\n@9,18,0,0,0,1,1,1,0,0,0,textureSpeed\n"
    "@10,19,0,0,0,2,2,2,0,0,0,textureCaisse\n@11,20,0,0,0,2,2,2,0,0,0,textureCaisse\n"
    "@0,21,5,6,0,3,0,0,10,20,30,textureSphere\n@12,22,0,0,0,2,2,2,0,0,0,textureSol\n"
    "@-1,23,0,0,0,2,2,2,0,0,0,textureSol\n@1,24,0,0,0,2,2,2,0,0,0,inconnu\n";

// The blocks as "class x texture tiled" lines.
std::vector<std::string> blocs(const ContenuNiveau& c) {
    std::vector<std::string> r;
    for (const Cube& b : c.cubes)
        r.push_back(b.getClasse() + " " + std::to_string(int(b.getX())) + " " + std::to_string(b.getTexture()) +
                    (b.getEtale() ? " tiled" : " stretched"));
    return r;
}

TEST_F(Niveau, TheSessionBuildsEveryKindFromZeroToElevenAndTheMenuZeroToFourWithTurboStretched) {
    ecrireFichier("maps/niveau/map1.qzm", kToutesLesSortes);
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau(cheminScenario(1), reglesPartie(faussesTextures()), c));
    EXPECT_TRUE(c.aBalle && c.balle.type == 0 && c.balle.vie == 3 && c.textureBalle == 11);
    EXPECT_EQ(blocs(c), (std::vector<std::string>{
                            "cube 10 12 tiled", "jump 11 14 tiled", "turbo 12 15 tiled", "arriv\xe9" "e 13 16 tiled",
                            "limite 14 0 tiled", "d\xe9" "part 15 17 tiled", "sauvegarde 16 18 tiled",
                            "bouton 19 13 tiled", "porte 20 13 tiled", "cube 24 0 tiled"}));
    for (const Cube& b : c.cubes) EXPECT_TRUE(b.getCollision() && b.getLZ() == 2);
    ContenuNiveau octets;  // the same level from its bytes in memory, as the score server reads it
    ASSERT_TRUE(chargerNiveauOctets(kToutesLesSortes, reglesPartie(faussesTextures()), octets));
    EXPECT_TRUE(blocs(octets) == blocs(c) && octets.bonus.size() == 2 && octets.spheres.size() == 1);
    ASSERT_TRUE(c.bonus.size() == 2 && c.spheres.size() == 1);
    EXPECT_TRUE(c.bonus[0].getClasse() == "vie" && c.bonus[1].getClasse() == "speed" && c.bonus[1].getTexture() == 15);
    EXPECT_TRUE(c.bonus[0].getExiste() && c.bonus[0].getCollision());
    const Sphere& s = c.spheres[0];
    EXPECT_TRUE(s.getX() == 21 && s.getLX() == 3 && s.getRZ() == 30 && s.getTexture() == 11 && !s.getCollision());

    ecrireFichier("maps/menu/menu.txt", kToutesLesSortes);
    ASSERT_TRUE(chargerNiveau("maps/menu/menu.txt", reglesMenu(faussesTextures()), c));
    EXPECT_EQ(blocs(c), (std::vector<std::string>{"cube 10 12 tiled", "jump 11 14 tiled", "turbo 12 15 stretched",
                                                  "arriv\xe9" "e 13 16 tiled", "cube 24 0 tiled"}));
    EXPECT_TRUE(c.bonus.empty());
    EXPECT_EQ(c.spheres.size(), 1u);

    EXPECT_EQ(classeDuType(0) + classeDuType(12) + classeDuType(-1), "");
}

TEST_F(Niveau, ATextureRuleSeesEveryWordInOrderAndCanCarryThePreviousTextureOver) {
    // The ghost replay's rule: unknown words keep the previous record's
    // texture, starting from the wall texture.
    Texture t = faussesTextures();
    ReglesNiveau regles;
    regles.typeMax = 7;
    regles.textureInitiale = t.m_textureCaisse;
    regles.texture = [&](const std::string& mot, unsigned int precedente) {
        unsigned int n = t.stringToTexture(mot);
        return n ? n : precedente;
    };
    ecrireFichier("g.txt",
                  "@0,0,0,0,3,1,1,1,0,0,0,textureBalle\n@1,1,0,0,0,2,2,2,0,0,0,textureVide\n"
                  "@9,2,0,0,0,2,2,2,0,0,0,textureJump\n"  // makes nothing, but is seen: the next carries it
                  "@1,3,0,0,0,2,2,2,0,0,0,textureVide\n@1,4,0,0,0,2,2,2,0,0,0,textureSol\n");
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau("g.txt", regles, c));
    EXPECT_EQ(c.textureBalle, 13u);
    EXPECT_EQ(blocs(c), (std::vector<std::string>{"cube 1 13 tiled", "cube 3 14 tiled", "cube 4 12 tiled"}));
}

TEST_F(Niveau, TheWriterWritesLinesTheReaderReadsBackWhole) {
    // Words written as the reader will read them back: cut at the first blank and at 99, never empty.
    const std::pair<std::string, std::string> mots[] = {{"textureArrivee", "textureArrivee"}, {"", "textureVide"},
                                                        {"texture Sol", "texture"}, {std::string(150, 'q'), std::string(99, 'q')}};
    std::vector<Enregistrement> ecrits(4);
    for (int i = 0; i < 4; ++i) {
        ecrits[i].texture = mots[i].first;
        ecrits[i].x = i * 0.1f;  // reals a float cannot hold exactly come back the same
        ecrits[i].ry = -i * 1000.001f;
    }
    Enregistrement& e = ecrits[0];
    e.type = 4, e.y = -1.5f, e.z = -123.375f, e.vie = 3, e.lx = 0.125f, e.ly = 999.875f, e.rz = 90;
    ASSERT_TRUE(ecrireNiveau("aller.txt", ecrits));
    EXPECT_EQ(lireFichier("aller.txt").substr(0, 118), "@4,0.000000,-1.500000,-123.375000,3.000000,0.125000,999.875000,"
                                                      "0.000000,0.000000,0.000000,90.000000,textureArrivee\n@1,");
    std::vector<Enregistrement> lus;
    ASSERT_TRUE(lireNiveau("aller.txt", lus));
    ASSERT_EQ(lus.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        ecrits[i].texture = mots[i].second;
        ecrits[i].champsLus = 12;
        EXPECT_EQ(texte(lus[i]), texte(ecrits[i])) << i;
    }
}

TEST_F(Niveau, SavingReplacesTheFileWholeKeepsItsPermissionsOrKeepsTheOldFileWhenItFails) {
    Enregistrement e;
    e.texture = "textureSol";
    ecrireFichier("maps/mapperso1.txt", "ancien contenu\n");
    chmod("maps/mapperso1.txt", 0640);
    ASSERT_TRUE(ecrireNiveau("maps/mapperso1.txt", {e, e}));
    EXPECT_EQ(lireFichier("maps/mapperso1.txt").substr(0, 3), "@1,");
    struct stat st;
    ASSERT_EQ(stat("maps/mapperso1.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // A new file gets the usual permissions of a created file.
    const mode_t masque = umask(022);
    ASSERT_TRUE(ecrireNiveau("maps/mapperso2.txt", {e}));
    umask(masque);
    ASSERT_EQ(stat("maps/mapperso2.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    // Told not to replace: an existing file is left alone, silently, for the caller picks another name.
    errno = 0;
    EXPECT_EQ(sortieErreur([&] { EXPECT_FALSE(ecrireNiveau("maps/mapperso1.txt", {e}, false)); }), "");
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(lireFichier("maps/mapperso1.txt").size(), 2 * lireFichier("maps/mapperso2.txt").size());
    EXPECT_TRUE(ecrireNiveau("maps/mapperso3.txt", {e}, false));

    ecrireFichier("maps/dossier.txt/dedans", "x");  // a folder: nothing can replace it
    const std::string err = sortieErreur([&] { EXPECT_FALSE(ecrireNiveau("maps/dossier.txt", {e})); });
    EXPECT_NE(err.find("maps/dossier.txt"), std::string::npos) << err;
    EXPECT_EQ(lireFichier("maps/dossier.txt/dedans"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("maps"), std::filesystem::directory_iterator()), 4)
        << "no temporary file is left behind";
    EXPECT_FALSE(ecrireNiveau("absent/m.txt", {e}));
}

}  // namespace
