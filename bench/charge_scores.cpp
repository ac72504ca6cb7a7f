// SPDX-License-Identifier: GPL-3.0-or-later
// Load bench of vorna-scores (not a test): the real program, on SQLite and
// then on PostgreSQL, under concurrent clients that each loop over a whole
// submission (the game's link, the name, the leaderboard it leads to) and a
// read of the home page or a level's JSON, for a fixed time. Prints the
// requests a second, the latency percentiles, and checks that nothing was
// lost: every accepted name is on the page it leads to and in the store.
//   charge_scores VORNA_SCORES [POSTGRESQL_URL] [--clients N] [--seconds S]
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "depot.h"
#include "scenarios.h"

namespace {

using Horloge = std::chrono::steady_clock;

struct Bilan {
    std::mutex mutex;
    std::vector<double> latences;  // milliseconds
    std::atomic<long> erreurs{0}, acceptes{0}, trouves{0};
};

std::string lire(const std::string& chemin) {
    std::ifstream f(chemin);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The server, its standard error in `journal`; its port once it listens, or -1.
pid_t lancer(const std::vector<std::string>& args, const std::string& journal, int& port) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(journal.c_str(), "w", stderr)) _exit(127);
        std::vector<char*> a;
        for (const std::string& s : args) a.push_back(const_cast<char*>(s.c_str()));
        a.push_back(nullptr);
        execv(a[0], a.data());
        _exit(127);
    }
    port = -1;
    for (int i = 0; i < 200 && port < 0; ++i, usleep(50000)) {
        const std::string log = lire(journal);
        const size_t p = log.find("127.0.0.1:");
        if (p != std::string::npos) port = std::stoi(log.substr(p + 10));
    }
    return pid;
}

// Counts a failed request; the first few are told.
void erreur(Bilan& bilan, const char* quoi, const httplib::Result& r) {
    if (++bilan.erreurs <= 5)
        std::fprintf(stderr, "%s: %s\n", quoi, r ? ("status " + std::to_string(r->status)).c_str() : httplib::to_string(r.error()).c_str());
}

// One client: whole submissions and reads until `fin`.
void client(int numero, int port, Horloge::time_point fin, Bilan& bilan) {
    httplib::Client c("127.0.0.1", port);
    c.set_read_timeout(30);
    c.set_keep_alive(true);  // as a browser does
    c.set_tcp_nodelay(true);
    std::mt19937 hasard(static_cast<unsigned>(numero));
    std::vector<double> latences;
    const auto mesurer = [&](auto&& requete) {
        const auto debut = Horloge::now();
        auto r = requete();
        latences.push_back(std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
        return r;
    };
    for (int i = 0; Horloge::now() < fin; ++i) {
        const int niveau = 1 + (numero + i) % 14, points = niveauScenario(niveau)->points - int(hasard() % 3000);
        const std::string lien = "/writescorevorna.php?act=2&score=" + std::to_string(points) + "&map=" +
                                 std::to_string(niveau) + "&v=14&a=" + std::to_string(niveau * points);
        auto page = mesurer([&] { return c.Get(lien.c_str()); });
        const size_t j = page && page->status == 200 ? page->body.find("name=\"jeton\" value=\"") : std::string::npos;
        if (j == std::string::npos) {
            erreur(bilan, "link", page);
            continue;
        }
        const std::string nom = "banc-" + std::to_string(numero) + "-" + std::to_string(i);
        const std::string corps = "jeton=" + page->body.substr(j + 20, 32) + "&nom=" + nom;
        auto nomme = mesurer([&] { return c.Post("/nommer", corps, "application/x-www-form-urlencoded"); });
        if (!nomme || nomme->status != 303) {
            erreur(bilan, "name", nomme);
            continue;
        }
        ++bilan.acceptes;
        const std::string cible = nomme->get_header_value("Location");
        auto classement = mesurer([&] { return c.Get(cible.substr(0, cible.find('#')).c_str()); });
        if (classement && classement->status == 200 && classement->body.find(">" + nom + "<") != std::string::npos)
            ++bilan.trouves;
        auto lecture = mesurer([&] { return c.Get(i % 2 ? "/" : ("/niveau/" + std::to_string(niveau) + ".json").c_str()); });
        if (!lecture || lecture->status != 200) erreur(bilan, "read", lecture);
    }
    std::lock_guard<std::mutex> verrou(bilan.mutex);
    bilan.latences.insert(bilan.latences.end(), latences.begin(), latences.end());
}

long stockes(const std::string& base) {
    std::string faute;
    auto depot = ouvrirDepot(base, faute);
    long n = 0;
    for (int niveau = 1; depot && niveau <= 14; ++niveau) n += long(depot->classement(niveau, 100000000).size());
    return depot ? n : -1;
}

bool banc(const std::string& programme, const std::string& nom, const std::vector<std::string>& stockage,
          const std::string& base, int clients, int secondes) {
    const std::string journal = "/tmp/charge-scores-" + std::to_string(getpid()) + ".log";
    // Every client comes from 127.0.0.1: no cap on the connections of an address.
    std::vector<std::string> args = {programme, "--listen", "127.0.0.1", "--port", "0", "--limit", "0",
                                     "--connections-per-address", "0"};
    args.insert(args.end(), stockage.begin(), stockage.end());
    int port = -1;
    const pid_t pid = lancer(args, journal, port);
    if (port < 0) return std::fprintf(stderr, "%s: the server did not start:\n%s", nom.c_str(), lire(journal).c_str()), false;
    Bilan bilan;
    const auto debut = Horloge::now(), fin = debut + std::chrono::seconds(secondes);
    std::vector<std::thread> fils;
    for (int i = 0; i < clients; ++i) fils.emplace_back(client, i, port, fin, std::ref(bilan));
    for (auto& f : fils) f.join();
    const double duree = std::chrono::duration<double>(Horloge::now() - debut).count();
    kill(pid, SIGTERM);
    int statut = 0;
    waitpid(pid, &statut, 0);
    if (bilan.erreurs == 0) std::remove(journal.c_str());
    else std::fprintf(stderr, "the server's log: %s\n", journal.c_str());
    std::vector<double>& l = bilan.latences;
    std::sort(l.begin(), l.end());
    const auto centile = [&](double p) { return l.empty() ? 0.0 : l[std::min(l.size() - 1, size_t(p * l.size()))]; };
    const long dansLaBase = stockes(base);
    std::printf("%-10s %3d clients %4.1f s: %7zu requests, %7.0f req/s, latency p50 %6.1f ms, p99 %6.1f ms, max %7.1f ms;"
                " %ld errors; %ld names accepted, %ld found on their page, %ld in the store\n",
                nom.c_str(), clients, duree, l.size(), double(l.size()) / duree, centile(0.5), centile(0.99),
                l.empty() ? 0.0 : l.back(), bilan.erreurs.load(), bilan.acceptes.load(), bilan.trouves.load(), dansLaBase);
    return bilan.erreurs == 0 && bilan.trouves == bilan.acceptes && dansLaBase == bilan.acceptes && WIFEXITED(statut) &&
           WEXITSTATUS(statut) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int clients = 200, secondes = 30;
    std::string programme, postgres;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--clients" && i + 1 < args.size()) clients = std::stoi(args[++i]);
        else if (args[i] == "--seconds" && i + 1 < args.size()) secondes = std::stoi(args[++i]);
        else if (programme.empty()) programme = args[i];
        else postgres = args[i];
    }
    if (programme.empty()) return std::fprintf(stderr, "usage: charge_scores VORNA_SCORES [POSTGRESQL_URL] [--clients N] [--seconds S]\n"), 2;
    char modele[] = "/tmp/charge-scores-XXXXXX";
    const std::string dossier = mkdtemp(modele);
    bool bon = banc(programme, "SQLite", {"--data", dossier}, dossier + "/scores.sqlite", clients, secondes);
    if (std::system(("rm -rf '" + dossier + "'").c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", dossier.c_str());
    if (postgres.empty())
        std::printf("PostgreSQL: no database given, not measured\n");
    else
        bon = banc(programme, "PostgreSQL", {"--database", postgres}, postgres, clients, secondes) && bon;
    return bon ? 0 : 1;
}
