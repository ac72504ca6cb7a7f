// SPDX-License-Identifier: GPL-3.0-or-later
#include "serveur_hostile.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

ServeurHostile::ServeurHostile(Maniere m, std::map<std::string, std::string> reponses)
    : m_maniere(m), m_reponses(std::move(reponses)) {
    m_ecoute = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t l = sizeof a;
    if (m_ecoute < 0 || bind(m_ecoute, reinterpret_cast<sockaddr*>(&a), l) != 0 ||
        getsockname(m_ecoute, reinterpret_cast<sockaddr*>(&a), &l) != 0)
        std::abort();
    m_port = ntohs(a.sin_port);
    if (m == Refuse) return;  // bound, never listening: connections are refused
    if (listen(m_ecoute, 8) != 0 || pipe(m_arret) != 0) std::abort();
    m_fil = std::thread([this] { servir(); });
}

ServeurHostile::~ServeurHostile() {
    if (m_fil.joinable()) {
        if (write(m_arret[1], "x", 1) != 1) std::abort();
        m_fil.join();
        close(m_arret[0]), close(m_arret[1]);
    }
    close(m_ecoute);
}

std::string ServeurHostile::requete() const {
    std::lock_guard<std::mutex> g(m_garde);
    return m_requete;
}

std::string ServeurHostile::http(int statut, const std::string& corps) {
    return "HTTP/1.1 " + std::to_string(statut) + " X\r\nContent-Type: text/plain\r\nContent-Length: " +
           std::to_string(corps.size()) + "\r\nConnection: close\r\n\r\n" + corps;
}

void ServeurHostile::servir() {
    for (;;) {
        pollfd p[2] = {{m_ecoute, POLLIN, 0}, {m_arret[0], POLLIN, 0}};
        if (poll(p, 2, -1) < 0 || p[1].revents) return;
        const int client = accept(m_ecoute, nullptr, nullptr);
        if (client < 0) continue;
        repondre(client);
        close(client);
    }
}

// Reads the request whole (its headers, then Content-Length bytes), then
// answers as the server is broken.
void ServeurHostile::repondre(int client) {
    std::string r;
    char tampon[65536];
    size_t attendu = std::string::npos;
    while (r.size() < attendu) {
        pollfd p[2] = {{client, POLLIN, 0}, {m_arret[0], POLLIN, 0}};
        if (poll(p, 2, 5000) <= 0 || p[1].revents) return;
        const ssize_t n = read(client, tampon, sizeof tampon);
        if (n <= 0) return;
        r.append(tampon, static_cast<size_t>(n));
        const size_t fin = r.find("\r\n\r\n");
        const size_t longueur = r.find("Content-Length: ");
        if (fin != std::string::npos)
            attendu = fin + 4 + (longueur < fin ? std::strtoul(r.c_str() + longueur + 16, nullptr, 10) : 0);
    }
    {
        std::lock_guard<std::mutex> g(m_garde);
        m_requete = r;
    }
    ++m_nombre;
    std::string reponse;
    if (m_maniere == Muet) {  // until the client gives up or the test ends
        pollfd p[2] = {{client, POLLIN, 0}, {m_arret[0], POLLIN, 0}};
        poll(p, 2, -1);
        return;
    }
    if (m_maniere == Erreur500) reponse = http(500, "oops\n");
    if (m_maniere == Charabia) reponse = "\x01\x02 no HTTP here\r\n\r\n\xff";
    if (m_maniere == Fixe) {
        const std::string chemin = r.substr(r.find(' ') + 1, r.find(' ', r.find(' ') + 1) - r.find(' ') - 1);
        const auto i = m_reponses.find(chemin);
        reponse = i == m_reponses.end() ? http(404, "not here\n") : i->second;
    }
    if (write(client, reponse.data(), reponse.size()) < 0) return;
}
