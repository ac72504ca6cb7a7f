// SPDX-License-Identifier: GPL-3.0-or-later
// Slow, idle, greedy and malformed clients, and a database that stops
// answering: the other visitors are served all the same. Every client here
// talks to 127.0.0.1 only, is bounded in number and closed at the end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "dossier.h"
#include "support_serveur.h"

namespace {

struct Clients : testing::Test {
    DossierTemporaire dossier;
    DepotEssai essai{Magasin::Sqlite};
    static ReglagesServeur reglages(int parAdresse) {
        ReglagesServeur r{1000, false, "JPEG", {}, nullptr, 2, 10};
        r.http.connexionsParAdresse = parAdresse;
        r.http.delaiRequete = std::chrono::seconds(4);
        return r;
    }
};

TEST_F(Clients, AHundredSlowAndIdleClientsLeaveAVisitorServedAndTheTrickleIsCutAtItsDeadline) {
    ServeurEssai s(*essai.depot, reglages(0));
    std::vector<int> lents, muets;
    for (int i = 0; i < 50; ++i) {
        lents.push_back(connecter(s.port));
        muets.push_back(connecter(s.port));
        send(lents.back(), "GET / HTTP/1.1\r\nX-Lent: ", 24, MSG_NOSIGNAL);
    }
    std::atomic<bool> fin{false};
    // One more header byte every 200 ms on each slow connection: never a whole request.
    std::thread goutte([&] {
        for (; !fin; usleep(200000))
            for (int p : lents) send(p, "a", 1, MSG_NOSIGNAL);
    });
    auto visiteur = s.client();
    visiteur.set_read_timeout(3);
    const auto r = visiteur.Get("/niveau/2");
    EXPECT_TRUE(r && r->status == 200) << "a visitor waits behind 100 slow clients";
    EXPECT_FALSE(fermeeParLeServeur(muets[0], 0.1)) << "the idle ones were still held";
    // The whole request is due within 4 s, however the bytes trickle.
    for (int p : {lents[0], lents[49], muets[0]}) EXPECT_TRUE(fermeeParLeServeur(p, 12));
    fin = true;
    goutte.join();
    for (int p : lents) close(p);
    for (int p : muets) close(p);
}

TEST_F(Clients, OneAddressHoldsFourConnectionsAtMostAndAnotherIsStillServed) {
    ServeurEssai s(*essai.depot, reglages(4));
    usleep(200000);  // the connection that saw it start is gone
    std::vector<int> tenues;
    for (int i = 0; i < 4; ++i) tenues.push_back(connecter(s.port));
    const int cinquieme = connecter(s.port);
    EXPECT_TRUE(fermeeParLeServeur(cinquieme, 1.5)) << "the fifth of one address is closed at once";
    EXPECT_FALSE(fermeeParLeServeur(tenues[3], 0.1));
    const std::string get = "GET /logo.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(echanger(s.port, get, "127.0.0.2").rfind("HTTP/1.1 200", 0), 0u);
    close(tenues[0]);
    usleep(200000);
    EXPECT_EQ(echanger(s.port, get).rfind("HTTP/1.1 200", 0), 0u) << "a place freed is taken again";
    for (int p : {tenues[1], tenues[2], tenues[3], cinquieme}) close(p);
}

TEST_F(Clients, HeaderFloodsLongLinesAndTwoLengthsAreRefusedWithoutReadingThemWhole) {
    ServeurEssai s(*essai.depot);
    std::string flot = "GET / HTTP/1.1\r\nHost: x\r\n";
    for (int i = 0; i < 20000; ++i) flot += "X-" + std::to_string(i) + ": " + std::string(40, 'a') + "\r\n";
    const struct { std::string requete; const char* statut; } cas[] = {
        {flot + "\r\n", "HTTP/1.1 431"},  // 1 MB of headers, each short
        {"GET /?" + std::string(9000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 431"},
        {"POST /nommer HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\nContent-Length: 30\r\n\r\nnom", "HTTP/1.1 400"},
        {"POST /nommer HTTP/1.1\r\nHost: x\r\nContent-Length: 9000\r\n\r\n" + std::string(9000, 'a'), "HTTP/1.1 413"},
        {"GET /logo.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", "HTTP/1.1 200"},
    };
    for (const auto& c : cas) {
        const std::string r = echanger(s.port, c.requete);
        EXPECT_EQ(r.rfind(c.statut, 0), 0u) << c.requete.substr(0, 60) << "\n" << r.substr(0, 200);
    }
}

TEST(BaseArretee, AStoppedPostgresqlGives503OnlyToThePagesThatNeedItAndIsUsedAgainOnceBack) {
    DossierTemporaire dossier;
    DepotEssai essai(Magasin::Postgres);
    if (!essai.absent.empty()) GTEST_SKIP() << "PostgreSQL: " << essai.absent;
    const std::string& u = essai.url;
    const size_t h = u.find("host=") + 5;
    RelaisGelable relais(u.substr(h, u.find('&', h) - h));
    std::string erreur;
    const auto depot = ouvrirDepot("postgresql://vorna@127.0.0.1:" + std::to_string(relais.port) + "/" +
                                       u.substr(u.find("///") + 3, u.find('?') - u.find("///") - 3), erreur);
    ASSERT_TRUE(depot) << erreur;
    ServeurEssai s(*depot);
    auto client = s.client();
    client.set_read_timeout(20);
    const struct { bool gele; std::string cible; int statut; const char* contient; } cas[] = {
        {false, "/niveau/2", 200, "2.Promenade"},
        {true, "/niveau/2", 503, "pas joignables pour l&#39;instant"},  // a statement on a held connection
        {true, "/logo.jpg", 200, "JPEG"},
        {true, "/nulle-part", 404, "rien à cette adresse"},
        {true, lienScore(1, 10), 503, "pas joignables"},  // a fresh connection
        {false, "/niveau/2", 200, "2.Promenade"},
    };
    for (const auto& c : cas) {
        relais.gele = c.gele;
        const auto r = client.Get(c.cible.c_str());
        ASSERT_TRUE(r) << c.cible << (c.gele ? " (database stopped)" : "");
        EXPECT_EQ(r->status, c.statut) << c.cible;
        EXPECT_NE(r->body.find(c.contient), std::string::npos) << r->body;
    }
}

}  // namespace
