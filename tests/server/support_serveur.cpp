// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_serveur.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <pqxx/pqxx>
#include <zlib.h>

#include "course_pilotee.h"
#include "dossier.h"
#include "empreinte.h"
#include "solutions.h"

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

namespace {

// The build's catalogues, the game's, unless the test gives its own.
ReglagesServeur avecTextes(ReglagesServeur r) {
    static const auto textes = [] {
        auto t = std::make_shared<TextesPages>();
        t->charger(VORNA_GAME_DIR "/share/locale", {"vorna"});
        return t;
    }();
    if (!r.textes) r.textes = textes;
    return r;
}

}  // namespace

ServeurEssai::ServeurEssai(Depot& depot, ReglagesServeur reglages) : serveur(depot, avecTextes(std::move(reglages))) {
    port = serveur.lier("127.0.0.1", 0);
    EXPECT_GT(port, 0);
    fil = std::thread([this] { serveur.servir(); });
    auto c = client();
    for (int i = 0; i < 100 && !c.Get("/logo.jpg"); ++i) usleep(20000);
}

std::shared_ptr<NiveauxConnus> niveauxDuJeu() {
    auto n = std::make_shared<NiveauxConnus>();
    EXPECT_EQ(n->chargerScenarios(std::string(VORNA_GAME_DIR) + "/maps/niveau"), 14);
    return n;
}

ReglagesServeur reglagesCourses() {
    return {1000, false, "JPEG", {}, niveauxDuJeu(), 2, 10};
}

ServeurEssai::~ServeurEssai() {
    serveur.arreter();
    fil.join();
}

std::string pngUni(unsigned largeur, unsigned hauteur) {
    const auto grand = [](uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const auto morceau = [&](const std::string& type, const std::string& donnees) {
        const std::string t = type + donnees;
        return grand(static_cast<uint32_t>(donnees.size())) + t +
               grand(static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(t.data()), static_cast<uInt>(t.size()))));
    };
    std::string lignes;
    for (unsigned y = 0; y < hauteur; ++y) lignes += '\0' + std::string(largeur * 3, '\x60');  // no filter, RGB
    uLongf taille = compressBound(static_cast<uLong>(lignes.size()));
    std::string z(taille, '\0');
    compress(reinterpret_cast<Bytef*>(&z[0]), &taille, reinterpret_cast<const Bytef*>(lignes.data()),
             static_cast<uLong>(lignes.size()));
    z.resize(taille);
    return std::string("\x89PNG\r\n\x1a\n", 8) + morceau("IHDR", grand(largeur) + grand(hauteur) + std::string("\x08\x02\0\0\0", 5)) +
           morceau("IDAT", z) + morceau("IEND", "");
}

CarteEssai carteEssai(int variante) {
    static const CoursePilotee pilotee = piloterCarte(lireFichier(std::string(VORNA_SOURCE_DIR) + "/maps/Toboggan.txt"),
                                                      kSolutions[15].points);
    CarteEssai c{pilotee.octetsNiveau + std::string(static_cast<size_t>(variante), '\n'), pilotee.course};
    c.course.empreinte = empreinte(c.octets);
    return c;
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

int connecter(int port, const std::string& depuis) {
    const int prise = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, depuis.c_str(), &a.sin_addr);
    sockaddr_in b = a;
    b.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &b.sin_addr);
    if (bind(prise, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        connect(prise, reinterpret_cast<sockaddr*>(&b), sizeof b) == 0)
        return prise;
    close(prise);
    return -1;
}

std::string echanger(int port, const std::string& octets, const std::string& depuis) {
    const int prise = connecter(port, depuis);
    if (prise < 0) return "";
    for (size_t envoye = 0; envoye < octets.size();) {
        const ssize_t n = send(prise, octets.data() + envoye, octets.size() - envoye, MSG_NOSIGNAL);
        if (n <= 0) break;
        envoye += static_cast<size_t>(n);
    }
    const std::string reponse = lireJusquaLaFin(prise);
    close(prise);
    return reponse;
}

std::string lireJusquaLaFin(int prise) {
    std::string reponse;
    char tampon[4096];
    pollfd p{prise, POLLIN, 0};
    for (ssize_t n = 1; n > 0 && poll(&p, 1, 10000) == 1;) {
        n = recv(prise, tampon, sizeof tampon, 0);
        if (n > 0) reponse.append(tampon, static_cast<size_t>(n));
    }
    return reponse;
}

int ecouteMuette(int& port) {
    const int prise = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
    socklen_t l = sizeof a;
    bind(prise, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(prise, 64);
    getsockname(prise, reinterpret_cast<sockaddr*>(&a), &l);
    port = ntohs(a.sin_port);
    return prise;
}

bool fermeeParLeServeur(int prise, double secondes) {
    char tampon[4096];
    pollfd p{prise, POLLIN, 0};
    for (auto fin = secondes * 1000; fin > 0; fin -= 100)
        if (poll(&p, 1, 100) == 1 && recv(prise, tampon, sizeof tampon, MSG_DONTWAIT) <= 0) return true;
    return false;
}

RelaisGelable::RelaisGelable(const std::string& dossierSocket) : m_cible(dossierSocket + "/.s.PGSQL.5432") {
    m_ecoute = ecouteMuette(port);
    m_fil = std::thread([this] { relayer(); });
}

RelaisGelable::~RelaisGelable() {
    m_fin = true;
    m_fil.join();
    close(m_ecoute);
}

void RelaisGelable::relayer() {
    std::vector<pollfd> p{{m_ecoute, POLLIN, 0}};  // then pairs: client, server
    char tampon[65536];
    while (!m_fin) {
        if (gele || poll(p.data(), p.size(), 50) <= 0) {
            if (gele) usleep(50000);
            continue;
        }
        if (p[0].revents & POLLIN) {
            const int client = accept4(m_ecoute, nullptr, nullptr, SOCK_CLOEXEC);
            const int serveur = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un u{};
            u.sun_family = AF_UNIX;
            m_cible.copy(u.sun_path, sizeof u.sun_path - 1);
            connect(serveur, reinterpret_cast<sockaddr*>(&u), sizeof u);
            p.push_back({client, POLLIN, 0});
            p.push_back({serveur, POLLIN, 0});
        }
        for (size_t i = 1; i < p.size(); ++i) {
            if (!p[i].revents) continue;
            const size_t autre = i % 2 ? i + 1 : i - 1;
            const ssize_t n = read(p[i].fd, tampon, sizeof tampon);
            if (n > 0 && send(p[autre].fd, tampon, static_cast<size_t>(n), MSG_NOSIGNAL) == n) continue;
            const size_t premier = i % 2 ? i : i - 1;  // one side gone: both are closed
            close(p[premier].fd);
            close(p[premier + 1].fd);
            p.erase(p.begin() + static_cast<long>(premier), p.begin() + static_cast<long>(premier) + 2);
            break;
        }
    }
    for (size_t i = 1; i < p.size(); ++i) close(p[i].fd);
}
