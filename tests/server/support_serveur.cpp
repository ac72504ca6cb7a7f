// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_serveur.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <pqxx/pqxx>

#include "dossier.h"

namespace {

// The URL of the cluster that the test run started, or "skip: why".
std::string urlCluster() {
    const std::string url = lireFichier(VORNA_POSTGRES_URL_FILE);
    if (url.empty()) return "skip: no PostgreSQL cluster started (run the tests through ctest)";
    return url.substr(0, url.find('\n'));
}

std::string avecBase(const std::string& url, const std::string& base) {
    const size_t debut = url.find("///") + 3;
    return url.substr(0, debut) + base + url.substr(url.find('?'));
}

}  // namespace

DepotEssai::DepotEssai(Magasin m) {
    if (m == Magasin::Sqlite) {
        url = "scores.sqlite";
    } else {
        const std::string cluster = urlCluster();
        if (cluster.rfind("skip: ", 0) == 0) {
            absent = cluster.substr(6);
            return;
        }
        static std::atomic<int> numero{0};
        m_base = "essai_" + std::to_string(getpid()) + "_" + std::to_string(numero++);
        pqxx::connection c(cluster);
        pqxx::nontransaction(c).exec("CREATE DATABASE " + m_base);
        url = avecBase(cluster, m_base);
    }
    std::string erreur;
    depot = ouvrirDepot(url, erreur);
    EXPECT_TRUE(depot) << erreur;
}

DepotEssai::~DepotEssai() {
    depot.reset();
    if (m_base.empty()) return;
    pqxx::connection c(urlCluster());
    pqxx::nontransaction(c).exec("DROP DATABASE IF EXISTS " + m_base);
}

ServeurEssai::ServeurEssai(Depot& depot, ReglagesServeur reglages) : serveur(depot, std::move(reglages)) {
    port = serveur.lier("127.0.0.1", 0);
    EXPECT_GT(port, 0);
    fil = std::thread([this] { serveur.servir(); });
    auto c = client();
    for (int i = 0; i < 100 && !c.Get("/logo.jpg"); ++i) usleep(20000);
}

ServeurEssai::~ServeurEssai() {
    serveur.arreter();
    fil.join();
}

std::string lienScore(int niveau, int score) {
    return "/writescorevorna.php?act=2&score=" + std::to_string(score) + "&map=" + std::to_string(niveau) +
           "&v=14&a=" + std::to_string(niveau * score);
}

std::string jetonDe(const std::string& page) {
    const std::string cle = "name=\"jeton\" value=\"";
    const size_t i = page.find(cle);
    return i == std::string::npos ? "" : page.substr(i + cle.size(), 32);
}
