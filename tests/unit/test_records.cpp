// The records file: what a line holds, how damaged ones are skipped, that any
// map name reads back, and the best ghosts' names.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "dossier.h"
#include "records.h"

namespace {

Records lire(const std::string& texte, int& abimees) {
    std::FILE* f = fmemopen(const_cast<char*>(texte.data()), texte.size(), "r");
    Records r = lireRecords(texte.empty() ? nullptr : f, abimees);
    if (f) std::fclose(f);
    return r;
}

Parcours niveau(unsigned int n) { return {true, n, ""}; }
Parcours map(const std::string& nom) { return {false, 0, nom}; }

TEST(Records, EachLineIsOneRecordAndADamagedOneIsSkipped) {
    for (const auto& [ligne, lu] :
         {std::pair{"niveau 3 1056 65432", true}, {"niveau 3 -12 65432", true}, {"niveau 3 1056 65432\r", true},
          {"map 811 40123 piste", true}, {"map 811 40123  a b%25%0A", true}, {"niveau 3 1056", false},
          {"niveau 3 1056 65432 x", false}, {"niveau 3 1056 -5", false}, {"niveau -3 1056 5", false},
          {"niveau 3 2147483648 5", false}, {"niveau 4294967296 1 5", false}, {"Niveau 3 1056 65432", false},
          {"niveau  3 1056 65432", false}, {"map 811 40123 ", false}, {"map 811 40123 a%2", false},
          {"map 811 40123 a%zz", false}, {"map 811 40123 a\tb", false}, {"map 811 40123", false}, {"record", false}}) {
        int abimees = -1;
        const Records r = lire(std::string(ligne) + "\n", abimees);
        EXPECT_EQ(std::to_string(abimees) + "/" + std::to_string(r.niveaux.size() + r.maps.size()), lu ? "0/1" : "1/0") << ligne;
    }
    int abimees = -1;
    const Records r = lire("map 1 2 " + std::string(kNomRecordMax, 'n') + "\nmap 1 2 " + std::string(kNomRecordMax + 1, 'n') +
                               "\n\n\nniveau 1 2 3" + std::string(kLigneRecordMax, ' ') + "\nniveau 2 5 6",
                           abimees);
    EXPECT_TRUE(abimees == 2 && r.maps.size() == 1 && r.niveaux.size() == 1) << "the last line needs no line end";

    DossierTemporaire d;  // a missing file holds no record; a damaged one is said once
    ecrireFichier("records.txt", "niveau 1 2 3\nx\ny\n");
    creerDossiers("dossier.txt/x");
    const std::string err = sortieErreur([] {
        EXPECT_TRUE(lireRecords("absent.txt").niveaux.empty());
        EXPECT_EQ(lireRecords("records.txt").niveaux.size(), 1u);
        lireRecords("dossier.txt");
    });
    EXPECT_EQ(lignes(err).size(), 2u) << err;
    EXPECT_NE(err.find("2 damaged lines"), std::string::npos) << err;
}

TEST(Records, MorePointsWinThenTheShorterTimeAndAnyNameReadsBack) {
    Records r;
    for (const auto& [points, temps, meilleur] :
         {std::tuple{1000, 60000, true}, {999, 1000, false}, {1000, 60000, false}, {1000, 59999, true}, {1001, 90000, true}})
        EXPECT_EQ(r.proposer(niveau(3), {points, temps}), meilleur) << points << " " << temps;
    for (const std::string n : {"piste", "ma piste ", " %41\n\r\x7f\x01", "\xe9t\xe9", "3"}) r.proposer(map(n), {-5, 7});
    EXPECT_EQ(*r.trouver(niveau(3)), (Record{1001, 90000}));
    EXPECT_EQ(r.trouver(map("absente")), nullptr);
    const std::string texte = texteRecords(r);
    EXPECT_EQ(lignes(texte).size(), 6u) << "one line per level, whatever the names hold";
    int abimees = -1;
    EXPECT_EQ(lire(texte, abimees), r);
    EXPECT_EQ(abimees, 0);
    // Two lines for one level keep the better.
    EXPECT_EQ(*lire(texte + "niveau 3 5000 1\nniveau 3 1 1\n", abimees).trouver(niveau(3)), (Record{5000, 1}));
}

TEST(Records, BestGhostsNeverTakeANumberedGhostsNameNorEachOthers) {
    std::vector<Parcours> parcours = {niveau(1), niveau(3), niveau(14)};
    for (const char* nom : {"map3", "map3-record", "perso-3", "3", "ghost3", "piste ghost2", "a.qzg"})
        parcours.push_back(map(nom));
    std::set<std::string> noms;
    for (const Parcours& p : parcours) {
        const std::string n = nomFantomeRecord(p);
        EXPECT_TRUE(noms.insert(n).second) << n;
        EXPECT_FALSE(std::regex_match(n, std::regex("ghost/.*ghost[0-9]+\\.qzg"))) << n;
    }
    EXPECT_EQ(nomFantomeRecord(niveau(3)), "ghost/map3-record.qzg");
    EXPECT_EQ(nomFantomeRecord(map("map3")), "ghost/perso-map3-record.qzg");
    EXPECT_EQ(nomFantomeRecord(map("../map3")), "");
}

}  // namespace
