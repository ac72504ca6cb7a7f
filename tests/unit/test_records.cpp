// The records file: what a line holds, how damaged ones are skipped, that any
// map name reads back, and the best ghosts' names.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "dossier.h"
#include "records.h"

namespace {

Records lire(const std::string& texte, int& abimees) {
    std::FILE* f = fmemopen(const_cast<char*>(texte.data()), texte.size(), "r");
    Records r = lireRecords(texte.empty() ? nullptr : f, abimees);
    if (f) std::fclose(f);
    return r;
}

Parcours map(const std::string& nom) {
    Parcours p;
    p.scenario = false;
    p.map = nom;
    return p;
}

TEST(Records, EachLineIsOneRecordAndADamagedOneIsSkipped) {
    struct Cas {
        const char* ligne;
        bool lu;
    };
    const Cas cas[] = {
        {"niveau 3 1056 65432", true},      {"niveau 3 -12 65432", true},
        {"niveau 3 1056 65432\r", true},    {"map 811 40123 piste", true},
        {"map 811 40123  a b%25%0A", true}, {"niveau 3 1056", false},
        {"niveau 3 1056 65432 x", false},   {"niveau 3 1056 -5", false},
        {"niveau -3 1056 5", false},        {"niveau 3 2147483648 5", false},
        {"niveau 4294967296 1 5", false},   {"Niveau 3 1056 65432", false},
        {"niveau  3 1056 65432", false},    {"map 811 40123 ", false},
        {"map 811 40123 a%2", false},       {"map 811 40123 a%zz", false},
        {"map 811 40123 a\tb", false},      {"map 811 40123", false},
        {"record", false},
    };
    for (const Cas& c : cas) {
        int abimees = -1;
        const Records r = lire(std::string(c.ligne) + "\n", abimees);
        EXPECT_EQ(abimees, c.lu ? 0 : 1) << c.ligne;
        EXPECT_EQ(r.niveaux.size() + r.maps.size(), c.lu ? 1u : 0u) << c.ligne;
    }
    int abimees = -1;
    const Records r = lire("map 1 2 " + std::string(kNomRecordMax, 'n') + "\nmap 1 2 " +
                               std::string(kNomRecordMax + 1, 'n') + "\n\n\nniveau 1 2 3" +
                               std::string(kLigneRecordMax, ' ') + "\nniveau 2 5 6",
                           abimees);
    EXPECT_EQ(abimees, 2);
    EXPECT_EQ(r.maps.size(), 1u);
    EXPECT_EQ(r.niveaux.size(), 1u) << "the last line needs no line end";
}

TEST(Records, MorePointsWinThenTheShorterTimeAndAnyNameReadsBack) {
    Records r;
    Parcours trois;
    trois.niveau = 3;
    EXPECT_TRUE(r.proposer(trois, {1000, 60000}));
    EXPECT_FALSE(r.proposer(trois, {999, 1000}));
    EXPECT_FALSE(r.proposer(trois, {1000, 60000}));
    EXPECT_TRUE(r.proposer(trois, {1000, 59999}));
    EXPECT_TRUE(r.proposer(trois, {1001, 90000}));
    const std::string noms[] = {"piste", "ma piste ", " %41\n\r\x7f\x01", "\xe9t\xe9", "3"};
    for (const std::string& n : noms) r.proposer(map(n), {-5, 7});
    ASSERT_EQ(*r.trouver(trois), (Record{1001, 90000}));
    EXPECT_EQ(r.trouver(map("absente")), nullptr);

    const std::string texte = texteRecords(r);
    EXPECT_EQ(lignes(texte).size(), 6u) << "one line per level, whatever the names hold";
    int abimees = -1;
    EXPECT_EQ(lire(texte, abimees), r);
    EXPECT_EQ(abimees, 0);
    // Two lines for one level keep the better.
    EXPECT_EQ(*lire(texte + "niveau 3 5000 1\nniveau 3 1 1\n", abimees).trouver(trois), (Record{5000, 1}));
}

TEST(Records, AMissingFileHoldsNoRecordAndADamagedOneIsSaidOnce) {
    DossierTemporaire d;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(lireRecords("absent.txt").niveaux.empty());
    ecrireFichier("records.txt", "niveau 1 2 3\nx\ny\n");
    EXPECT_EQ(lireRecords("records.txt").niveaux.size(), 1u);
    creerDossiers("dossier.txt/x");
    lireRecords("dossier.txt");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lignes(err).size(), 2u) << err;
    EXPECT_NE(err.find("2 damaged lines"), std::string::npos) << err;
}

TEST(Records, BestGhostsNeverTakeANumberedGhostsNameNorEachOthers) {
    std::vector<Parcours> parcours;
    for (unsigned int n : {1u, 3u, 14u}) {
        Parcours p;
        p.niveau = n;
        parcours.push_back(p);
    }
    for (const char* nom : {"map3", "map3-record", "perso-3", "3", "ghost3", "piste ghost2", "a.qzg"})
        parcours.push_back(map(nom));
    std::set<std::string> noms;
    const std::regex numerote("ghost/.*ghost[0-9]+\\.qzg");
    for (const Parcours& p : parcours) {
        const std::string n = nomFantomeRecord(p);
        EXPECT_TRUE(noms.insert(n).second) << n;
        EXPECT_FALSE(std::regex_match(n, numerote)) << n;
        EXPECT_EQ(n.substr(n.size() - 11), "-record.qzg");
    }
    EXPECT_EQ(nomFantomeRecord(parcours[1]), "ghost/map3-record.qzg");
    EXPECT_EQ(nomFantomeRecord(map("map3")), "ghost/perso-map3-record.qzg");
    EXPECT_EQ(nomFantomeRecord(map("../map3")), "");
}

}  // namespace
