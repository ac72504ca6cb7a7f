// SPDX-License-Identifier: GPL-3.0-or-later
// The published maps' list as the game reads and shows it, and a map
// downloaded kept in maps/ under a name of its title that never collides
// with a map there nor leads out of the folder.
#include <gtest/gtest.h>

#include "dossier.h"
#include "empreinte.h"
#include "maps_en_ligne.h"

namespace {

TEST(MapsEnLigne, TheListKeepsTheWellFormedLinesEachShownWithItsTitleAuthorAndRecord) {
    const std::string a(64, 'a'), b(64, 'b');
    const std::string piste = "7\t" + a + "\t1234\t645\tAna\t12\tBo\tPiste du lac";
    const struct { const char* cas; std::string texte; bool lue; std::vector<std::string> lignes; } cas[] = {
        {"two maps, one without a record", "maps 2 page 1 pages 1\n" + piste + "\n8\t" + b +
             "\t-\t-\t-\t0\tCy\tUn titre bien trop long pour une ligne du menu\n",
         true, {"Piste du lac - Bo 1234 0:21:5", "Un titre bien trop long pour une lign..."}},
        {"CRLF, negative points", "maps 1 page 1 pages 1\r\n9\t" + a + "\t-40\t30\tAna\t0\tBo\tT\r\n", true,
         {"T - Bo -40 0:01:0"}},
        {"damaged lines skipped", "maps 9 page 1 pages 1\nx\t" + piste.substr(2) + "\n0\t" + piste.substr(2) +
             "\n7\tABC\t1\t1\tA\t1\tB\tT\n" + piste + "\textra\n7\t" + a + "\t12a\t1\tA\t1\tB\tT\n7\t" + a +
             "\t1\t1\tA\t-1\tB\tT\n7\t" + a + "\t1\t1\tA\t1\tB\t\n7\t" + a + "\t1\t1\tA\x01\t1\tB\tT\n" + piste,
         true, {"Piste du lac - Bo 1234 0:21:5"}},
        {"no map yet", "maps 0 page 1 pages 0\n", true, {}},
        {"a web page", "<html>\n" + piste + "\n", false, {}},
        {"a header cut short", "maps 2 page 1\n" + piste + "\n", false, {}},
        {"nothing", "", false, {}},
    };
    for (const auto& c : cas) {
        const ListeMaps l = lireListeMaps(c.texte);
        std::vector<std::string> lignes;
        for (const MapEnLigne& m : l.maps) lignes.push_back(texteMapEnLigne(m));
        EXPECT_EQ(l.lue, c.lue) << c.cas;
        EXPECT_EQ(lignes, c.lignes) << c.cas;
    }
    const ListeMaps l = lireListeMaps("maps 1 page 1 pages 1\n" + piste);
    ASSERT_EQ(l.maps.size(), 1u);
    EXPECT_TRUE(l.maps[0].id == 7 && l.maps[0].empreinte == a && l.maps[0].nomRecord == "Ana" && l.maps[0].parties == 12);
}

TEST(MapsEnLigne, AMapIsKeptUnderASafeNameOfItsTitleNeverOverAnotherAndFoundAgainByItsBytes) {
    DossierTemporaire d;
    ecrireFichier("maps/Piste du lac.txt", "@0,0,0\n");
    const struct { const char* titre; const char* nom; } cas[] = {
        {"Piste du lac", "Piste du lac-2"}, {"Piste du lac", "Piste du lac-3"},
        {"../../etc/passwd", "etcpasswd"}, {"a/b\\c\td\x01" "e\x7f:*?<>|\"", "abcde"},
        {"  ..cachee  . .", "cachee"}, {"x..y -z", "x.y -z"}, {"\xc3\x89t\xc3\xa9 \xc3\xa0 Z\xc3\xbcrich", "\xc3\x89t\xc3\xa9 \xc3\xa0 Z\xc3\xbcrich"},
        {"///", "map"}, {"/", "map-2"},
    };
    int n = 0;
    for (const auto& c : cas) {
        const std::string octets = "@0,0," + std::to_string(++n) + "\n";
        EXPECT_EQ(garderMap(c.titre, octets), c.nom) << c.titre;
        EXPECT_EQ(lireFichier(std::string("maps/") + c.nom + ".txt"), octets) << c.titre;
        EXPECT_EQ(mapDeMemeEmpreinte(empreinte(octets)), c.nom) << c.titre;
    }
    EXPECT_EQ(lireFichier("maps/Piste du lac.txt"), "@0,0,0\n");
    for (const auto& [chemin, quoi] : releve("."))
        EXPECT_TRUE(chemin == "maps" || chemin.rfind("maps/", 0) == 0) << chemin << " written out of maps/";
    EXPECT_EQ(releve(".").size(), 1 + std::size(cas) + 1);
    EXPECT_EQ(mapDeMemeEmpreinte(empreinte("@1\n")), "");
}

}  // namespace
