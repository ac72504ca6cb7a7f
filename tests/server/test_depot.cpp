// SPDX-License-Identifier: GPL-3.0-or-later
// The store's operations, the same table on SQLite and on a real PostgreSQL.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <tuple>
#include <vector>

#include "dossier.h"
#include "support_serveur.h"

namespace {

struct Stockage : testing::TestWithParam<Magasin> {
    DossierTemporaire dossier;
    DepotEssai essai{GetParam()};
    void SetUp() override {
        if (!essai.absent.empty()) GTEST_SKIP() << "PostgreSQL: " << essai.absent;
        ASSERT_TRUE(essai.depot);
    }
    Depot& depot() { return *essai.depot; }
    std::vector<std::string> noms(int niveau, int nombre = 100) {
        std::vector<std::string> n;
        for (const Entree& e : depot().classement(niveau, nombre)) n.push_back(e.nom);
        return n;
    }
};

TEST_P(Stockage, PendingNamedOnceExpiredAfterADayAndRankedByPointsThenDate) {
    const auto N = Nommage::Nomme, D = Nommage::DejaNomme, I = Nommage::Inconnu;
    // 'a' keeps a pending score (token, level, points, date); 'n' names it
    // (token, name, expiry) -> state; 'p' purges (expiry) -> count.
    const struct { char op; const char* jeton; int niveau, points; int64_t date; const char* nom; int attendu; } cas[] = {
        {'a', "t1", 3, 1000, 100, "", 0},    {'n', "t1", 0, 0, 0, "Ana", N},
        {'n', "t1", 0, 0, 0, "Bob", D},      {'n', "zz", 0, 0, 0, "Bob", I},  // twice; unknown
        {'a', "t2", 3, 1200, 200, "", 0},    {'a', "t3", 3, 1000, 50, "", 0},
        {'a', "t4", 3, 1000, 100, "", 0},    {'a', "t5", 4, 5000, 10, "", 0},
        {'n', "t2", 0, 0, 0, "Cid", N},      {'n', "t3", 0, 0, 0, "Dan", N},
        {'n', "t4", 0, 0, 0, "Eve", N},      {'n', "t5", 0, 0, 10, "Fay", I},  // received at the expiry: gone
        {'a', "t6", 3, -12, 1000, "", 0},    {'p', "", 0, 0, 999, "", 5},
        {'n', "t6", 0, 0, 999, "G'; DROP TABLE scores; --", N},
        {'n', "t2", 0, 0, 0, "Cid", I},      {'p', "", 0, 0, 999, "", 0},  // purged with its name given
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(1, c.op) + c.jeton);
        if (c.op == 'a') depot().garderEnAttente(c.jeton, c.niveau, c.points, c.date);
        if (c.op == 'n') { EXPECT_EQ(depot().nommer(c.jeton, c.nom, c.date).etat, c.attendu); }
        if (c.op == 'p') { EXPECT_EQ(depot().purger(c.date), c.attendu); }
    }
    // Ties on points go to the earlier, then to the first stored.
    EXPECT_EQ(noms(3), (std::vector<std::string>{"Cid", "Dan", "Ana", "Eve", "G'; DROP TABLE scores; --"}));
    EXPECT_EQ(noms(3, 2).size(), 2u);
    EXPECT_TRUE(noms(4).empty());
    const Entree eve = depot().classement(3, 4)[3];
    const Place p = depot().place(eve.id);
    EXPECT_TRUE(p.rang == 4 && p.niveau == 3 && p.entree.nom == "Eve" && p.entree.points == 1000 && p.entree.date == 100);
    EXPECT_EQ(depot().place(eve.id + 1000).rang, 0);
}

TEST_P(Stockage, ConcurrentSubmitsNameOnceAndTenThousandScoresKeepTheirOrder) {
    depot().garderEnAttente("double", 5, 3000, 1);
    std::vector<Nommage> resultats(8);
    std::vector<std::thread> fils;
    for (int i = 0; i < 8; ++i)
        fils.emplace_back([&, i] { resultats[i] = depot().nommer("double", "n" + std::to_string(i), 0); });
    for (auto& f : fils) f.join();
    EXPECT_EQ(std::count_if(resultats.begin(), resultats.end(), [](auto& n) { return n.etat == Nommage::Nomme; }), 1);
    for (const Nommage& n : resultats) EXPECT_TRUE(n.etat != Nommage::Inconnu && n.id == resultats[0].id && n.niveau == 5);
    EXPECT_EQ(depot().classement(5, 100).size(), 1u);

    // 10 000 scores from 4 threads: points and dates repeat, so ties are many.
    fils.clear();
    for (int t = 0; t < 4; ++t)
        fils.emplace_back([&, t] {
            for (int i = t; i < 10000; i += 4) {
                const std::string j = "j" + std::to_string(i);
                depot().garderEnAttente(j, 7, 2900 - (i * 7919) % 3000, 1000 + (i * 104729) % 500);
                depot().nommer(j, std::to_string(i), 0);
            }
        });
    for (auto& f : fils) f.join();
    const std::vector<Entree> tous = depot().classement(7, 20000), top = depot().classement(7, 100);
    ASSERT_EQ(tous.size(), 10000u);
    ASSERT_EQ(top.size(), 100u);
    for (size_t i = 1; i < tous.size(); ++i)
        ASSERT_LT(std::make_tuple(-tous[i - 1].points, tous[i - 1].date, tous[i - 1].id),
                  std::make_tuple(-tous[i].points, tous[i].date, tous[i].id)) << i;
    EXPECT_TRUE(std::equal(top.begin(), top.end(), tous.begin(), [](auto& a, auto& b) { return a.id == b.id; }));
    EXPECT_EQ(depot().place(tous[4321].id).rang, 4322);
    EXPECT_EQ(depot().classement(7, 3, 4321)[0].id, tous[4321].id);
}

TEST_P(Stockage, MapsKeptOncePerHashListedNewestOrMostPlayedCountedPerAddressAndRemovedWithTheirScores) {
    const std::string png("\x89PNG\0\x01", 6), octets("@1,0,0,5\0\xe9", 10);
    // (hash, title, date, address) -> the id expected (a hash kept before gives its id back).
    const struct { const char* empreinte; const char* titre; int64_t date; const char* adresse; int64_t id; } cas[] = {
        {"aa", "Un", 100, "1.2.3.4", 1}, {"bb", "Deux", 200, "1.2.3.4", 2}, {"aa", "Encore", 300, "5.6.7.8", 1},
        {"cc", "Trois <b>", 400, "5.6.7.8", 3},
    };
    for (const auto& c : cas) {
        bool nouvelle = false;
        const Carte carte{0, c.empreinte, octets, c.titre, "Ana", c.id == 2 ? "" : png, false, c.date, c.adresse, 0};
        EXPECT_EQ(depot().publierCarte(carte, nouvelle), c.id) << c.titre;
        EXPECT_EQ(nouvelle, std::string(c.titre) != "Encore");
    }
    depot().jouerCarte(2), depot().jouerCarte(2), depot().jouerCarte(1);
    const auto ids = [&](bool parParties, int nombre, int debut) {
        std::vector<int64_t> v;
        for (const Carte& c : depot().cartes(parParties, nombre, debut)) v.push_back(c.id);
        return v;
    };
    EXPECT_EQ(ids(false, 10, 0), (std::vector<int64_t>{3, 2, 1}));
    EXPECT_EQ(ids(true, 10, 0), (std::vector<int64_t>{2, 1, 3}));
    EXPECT_EQ(ids(false, 1, 1), (std::vector<int64_t>{2}));
    EXPECT_TRUE(depot().nombreCartes() == 3 && depot().idCarte("cc") == 3 && depot().idCarte("dd") == 0);
    EXPECT_TRUE(depot().cartesDepuis("1.2.3.4", 100) == 1 && depot().cartesDepuis("5.6.7.8", 0) == 1);
    Carte c;
    ASSERT_TRUE(depot().carte(1, c));
    EXPECT_TRUE(c.octets == octets && c.apercu == png && c.aApercu && c.titre == "Un" && c.parties == 1 && c.date == 100);
    EXPECT_FALSE(depot().cartes(false, 10, 0)[1].aApercu);
    std::vector<std::string> lus;
    depot().parcourirCartes([&](const std::string& o) { lus.push_back(o); });
    EXPECT_EQ(lus, std::vector<std::string>(3, octets));

    // A map's leaderboard is its own; removing the map removes it.
    for (const char* carte : {"aa", "aa", "bb"}) {
        const std::string jeton = "j" + std::to_string(lus.size());
        lus.push_back(jeton);
        depot().garderCourse({0, carte, 10 * static_cast<int>(lus.size()), 90, 90, jeton, "1.2.3.4", 1}, jeton);
        ASSERT_EQ(depot().nommer(jeton, jeton, 0).etat, Nommage::Nomme);
    }
    EXPECT_EQ(noms(0).size(), 0u) << "free maps' runs are on no scenario leaderboard";
    ASSERT_EQ(depot().classement(0, 10, 0, "aa").size(), 2u);
    EXPECT_EQ(depot().classement(0, 10, 0, "aa")[0].nom, "j4");
    EXPECT_EQ(depot().retirerCarte(1), 1);
    EXPECT_EQ(depot().retirerCarte(1), 0);
    EXPECT_TRUE(depot().classement(0, 10, 0, "aa").empty() && !depot().carte(1, c));
    EXPECT_EQ(depot().classement(0, 10, 0, "bb").size(), 1u);
}

TEST(StockageSqlite, AReadGoesOnWhileAWriteWaitsForTheLockAnotherProgramHolds) {
    DossierTemporaire dossier;
    DepotEssai essai(Magasin::Sqlite);
    sqlite3* autre = nullptr;
    sqlite3_open("scores.sqlite", &autre);
    ASSERT_EQ(sqlite3_exec(autre, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::atomic<bool> ecrit{false};
    std::thread ecrivain([&] {
        try {
            essai.depot->garderEnAttente("t", 1, 10, 1);
        } catch (const DepotIndisponible&) {  // the lock outlived the wait
        }
        ecrit = true;
    });
    usleep(300000);  // the write waits for the lock
    EXPECT_TRUE(essai.depot->classement(1, 10).empty());
    EXPECT_FALSE(ecrit) << "the read waited for the write";
    sqlite3_exec(autre, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(autre);
    ecrivain.join();
}

INSTANTIATE_TEST_SUITE_P(Magasins, Stockage, testing::Values(Magasin::Sqlite, Magasin::Postgres),
                         [](const auto& i) { return i.param == Magasin::Sqlite ? "Sqlite" : "Postgres"; });

}  // namespace
