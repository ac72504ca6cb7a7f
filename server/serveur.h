// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_SERVEUR_H
#define VORNA_SCORES_SERVEUR_H

#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "depot.h"
#include "limiteur.h"

struct ReglagesServeur {
    int limiteParMinute = 10;    // score links and names per address and minute (0: no limit)
    bool derriereProxy = false;  // the address is the last one of X-Forwarded-For
    std::string logo;            // the JPEG served as /logo.jpg (404 when empty)
};

// The leaderboard over HTTP:
//   GET  /writescorevorna.php?act=2&score=S&map=N&v=14&a=C   the game's link: the name form
//   POST /nommer (jeton, nom)       names the pending score, then 303 to its leaderboard
//   GET  /                          the fourteen levels and their records
//   GET  /niveau/N[?nouveau=ID]     the top 100 of level N, ID highlighted
//   GET  /niveau/N.json             the same as JSON
//   GET  /logo.jpg                  the game's logo
// One line per request on standard error. Bad requests get a page that says
// what is wrong; only a failing database gives a 500.
class ServeurScores {
public:
    ServeurScores(Depot& depot, ReglagesServeur reglages);
    // Binds `adresse`:`port` (0: a free port); the port bound, or -1.
    int lier(const std::string& adresse, int port);
    // Serves on the bound port until arreter(); false when it could not.
    bool servir();
    // From any thread: ends servir() once the requests in hand are answered.
    void arreter() { m_http.stop(); }

private:
    void scoreDuJeu(const httplib::Request& req, httplib::Response& res);
    void nommer(const httplib::Request& req, httplib::Response& res);
    void niveau(const httplib::Request& req, httplib::Response& res, bool enJson);
    void accueil(httplib::Response& res);
    std::string adresse(const httplib::Request& req) const;
    // Drops the pending scores older than a day, at most once a minute.
    void purgerDeTempsEnTemps(int64_t maintenant);

    Depot& m_depot;
    ReglagesServeur m_reglages;
    Limiteur m_limiteScores, m_limiteNoms;
    std::atomic<int64_t> m_dernierePurge{0};
    int m_prise = -1;  // the listening socket
    httplib::Server m_http;
};

#endif
