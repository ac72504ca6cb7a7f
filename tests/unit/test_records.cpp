// SPDX-License-Identifier: GPL-3.0-or-later
// The records file: what a line holds, how damaged ones are skipped, that any
// map name reads back, and the best ghosts' names.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "dossier.h"
#include "progression.h"
#include "records.h"

namespace {

Records lire(const std::string& texte, int& abimees) {
    std::FILE* f = fmemopen(const_cast<char*>(texte.data()), texte.size(), "r");
    Records r = lireRecords(texte.empty() ? nullptr : f, abimees);
    if (f) std::fclose(f);
    return r;
}

Parcours niveau(unsigned int n) { return {true, n, "", ""}; }
Parcours map(const std::string& nom) { return {false, 0, nom, ""}; }

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
    const std::string err = sortieErreur([] {
        EXPECT_TRUE(recordsConnus(nullptr, "absent.txt").niveaux.empty());
        EXPECT_EQ(recordsConnus(nullptr, "records.txt").niveaux.size(), 1u);
    });
    EXPECT_EQ(lignes(err).size(), 1u) << err;
    EXPECT_NE(err.find("2 damaged lines"), std::string::npos) << err;
}

// The files a finish updates (records, progress): read again under their
// lock, written through a link, and when they cannot be read, left alone
// while what the program made stays in memory.
TEST(Records, AnUpdateMergesWithTheFileReadAgainWritesThroughItsLinkAndLeavesAnUnreadableFileAlone) {
    DossierTemporaire d;
    unsigned int ouvert = 0;
    const auto progression = [&](const std::string& c) { return debloquerNiveau(2, ouvert, nullptr, c); };
    const struct { const char *nom, *avant, *apres, *seul; std::function<Maj(const std::string&)> maj; } fichiers[] = {
        {"records.txt", "niveau 2 5 6\n", "niveau 1 100 200\nniveau 2 5 6\n", "niveau 1 100 200\n",
         [](const std::string& c) { return enregistrerRecord(niveau(1), {100, 200}, c).ecriture; }},
        {"niveau.txt", "1", "2", "2", progression}, {"haut.txt", "5", "5", "2", progression}};
    // How the file is found: the folder of the path given, that of the text afterwards ("": left as it was).
    const struct { const char *etat, *dossier, *texte; std::function<void(const std::string&, const char*)> preparer; } etats[] = {
        {"file", ".", ".", [](const std::string& n, const char* t) { ecrireFichier(n, t); }},
        {"link", "l", "a", [](const std::string& n, const char* t) { ecrireFichier("a/" + n, t), std::filesystem::create_symlink("../a/" + n, "l/" + n); }},
        {"dangling", "d", "b", [](const std::string& n, const char*) { std::filesystem::create_symlink("../b/" + n, "d/" + n); }},
        {"loop", "o", "", [](const std::string& n, const char*) { std::filesystem::create_symlink(n, "o/" + n); }},
        {"folder", "f", "", [](const std::string& n, const char*) { creerDossiers("f/" + n + "/x"); }},
    };
    for (const char* dossier : {"a", "b", "l", "d", "o", "f"}) creerDossiers(dossier);
    for (const auto& e : etats)
        for (const auto& f : fichiers) {
            const std::string chemin = std::string(e.dossier) + "/" + f.nom;
            SCOPED_TRACE(std::string(e.etat) + " " + f.nom);
            e.preparer(f.nom, f.avant);
            const auto avant = releve(".");
            const std::string err = sortieErreur([&] { f.maj(chemin), f.maj(chemin); });
            if (*e.texte) {
                EXPECT_EQ(lireFichier(std::string(e.texte) + "/" + f.nom), *e.texte == 'b' ? f.seul : f.apres);
                EXPECT_EQ(std::filesystem::is_symlink(chemin), *e.texte != '.');
                EXPECT_EQ(err, "");
            } else {
                EXPECT_EQ(releve("."), avant) << "nothing written";
                EXPECT_EQ(lignes(err).size(), 1u) << "said once: " << err;
                EXPECT_EQ(f.nom[0] == 'r' ? recordsConnus(nullptr, chemin).niveaux.size() : ouvert, f.nom[0] == 'r' ? 1u : 2u)
                    << "kept in memory";
            }
        }
}

// Two programs finishing at once: the second never waits for the first's
// lock (its frames go on), never writes without it, and its record is
// written, merged, once the lock is free.
TEST(Records, TwoProgramsAtOnceKeepBothRecordsAndNoneWaitsForTheLock) {
    DossierTemporaire d;
    int tube[2], retour[2];
    ASSERT_TRUE(pipe(tube) == 0 && pipe(retour) == 0);
    const pid_t autre = fork();  // finishes level 1 once told to
    if (autre == 0) {
        char c;
        const bool attend = read(tube[0], &c, 1) == 1 &&
                            enregistrerRecord(niveau(1), {100, 200}, "records.txt").ecriture == Maj::Attente;
        _exit(write(retour[1], "x", 1) == 1 && attend && misesAJourEnAttente() == 1 && attendreMisesAJour(20000) ? 0
                                                                                                             : 1);
    }
    {
        Verrou verrou("records.txt");  // this program updates the file meanwhile
        ASSERT_EQ(write(tube[1], "x", 1), 1);
        char c;
        ASSERT_EQ(read(retour[0], &c, 1), 1) << "the other returned while the lock is held";
        EXPECT_FALSE(std::filesystem::exists("records.txt")) << "nothing written without the lock";
        ecrireFichier("records.txt", "niveau 2 5 6\n");
    }
    int statut = -1;
    EXPECT_TRUE(waitpid(autre, &statut, 0) == autre && statut == 0);
    EXPECT_EQ(lireFichier("records.txt"), "niveau 1 100 200\nniveau 2 5 6\n");
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
    EXPECT_LE(nomFantomeRecord(map(std::string(251, 'n'))).size(), 6u + 255) << "a file name fits";
}

}  // namespace
