// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_HTTP_H
#define VORNA_SCORES_HTTP_H

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "demande.h"

// Hands the answer back; called once, from any thread.
using Repondre = std::function<void(Reponse)>;

struct ReglagesHttp {
    size_t corpsMax = 4096;              // 413 beyond
    std::vector<std::pair<std::string, size_t>> corpsMaxParChemin;  // other bounds for some paths
    size_t entetesMax = 8192;            // the request line and every header: 431 beyond
    int connexionsParAdresse = 32;       // open connections of one address (0: no cap)
    int connexionsMax = 4000;            // open connections in all
    std::chrono::seconds delaiRequete{10};   // a request arrives whole (headers and body) within this
    std::chrono::seconds delaiEcriture{10};  // an answer leaves within this
    std::chrono::seconds delaiArret{5};      // stopping waits this long at most for the requests in hand
    int filsReseau = 2;    // threads that carry every connection
    int filsTravail = 16;  // threads for the slow work (enFond)
};

// An HTTP/1.1 server over Boost.Beast and Asio. Every connection lives on
// the network threads without holding one: a slow or idle client costs a
// socket and a timer, and is closed when its request is not whole within
// `delaiRequete`. Each request goes to `traiter` on a network thread; what
// may block (the database) goes through enFond() and answers when done.
class ServeurHttp {
public:
    using Traiter = std::function<void(const Demande&, Repondre)>;
    // The page of a request refused before it reached `traiter` (400, 413, 431).
    using PageErreur = std::function<Reponse(int statut)>;
    // Sees every answer as it leaves (the log).
    using Journal = std::function<void(const Demande&, const Reponse&)>;

    ServeurHttp(ReglagesHttp reglages, Traiter traiter, PageErreur erreur, Journal journal,
                std::vector<std::pair<std::string, std::string>> entetesCommuns);
    ~ServeurHttp();
    ServeurHttp(const ServeurHttp&) = delete;
    ServeurHttp& operator=(const ServeurHttp&) = delete;

    // Binds `adresse`:`port` (0: a free port; "::" takes IPv4 too); the port, or -1 with errno set.
    int lier(const std::string& adresse, int port);
    // Serves until arreter() and the requests accepted are answered (or
    // `delaiArret` has passed); false when it could not serve.
    bool servir();
    // From any thread: accepts no more, answers what was accepted, then servir() returns.
    void arreter();
    // Runs `travail` on a working thread, off the network ones.
    void enFond(std::function<void()> travail);

    struct Etat;  // what the connections share (http.cpp)

private:
    std::shared_ptr<Etat> m_etat;
};

#endif
