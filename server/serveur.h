// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_SERVEUR_H
#define VORNA_SCORES_SERVEUR_H

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "depot.h"
#include "http.h"
#include "limiteur.h"
#include "niveaux_connus.h"
#include "textes_pages.h"
#include "verificateur.h"

struct ReglagesServeur {
    int limiteParMinute = 10;    // score links and names per address and minute (0: no limit)
    bool derriereProxy = false;  // the address is the last one of X-Forwarded-For
    std::string logo;            // the JPEG served as /logo.jpg (404, and the name as a heading, when empty)
    ReglagesHttp http;           // caps and deadlines of the connections
    std::shared_ptr<NiveauxConnus> niveaux;  // the levels runs are verified on (null: none)
    int filsVerification = 2;                // threads that play runs again
    double secondesCpuCourse = 10;           // CPU time one replay may take
    int cartesParJour = 10;                  // maps published from one address a day (0: no limit)
    std::shared_ptr<const TextesPages> textes = nullptr;  // the catalogues of the pages (null: French only)
};

// The leaderboard over HTTP:
//   GET  /writescorevorna.php?act=2&score=S&map=N&v=14&a=C   the game's link: the name form
//   POST /nommer (jeton, nom)       names the pending score, then 303 to its leaderboard
//   GET  /                          the fourteen levels and their records
//   GET  /niveau/N[?page=P][&nouveau=ID]   level N's scores, 100 a page, ID highlighted
//   GET  /niveau/N.json[?page=P]    the same as JSON
//   GET  /logo.jpg                  the game's logo
//   POST /course                    a finished run (encoderCourse), played again before it is kept
//   GET  /nom?jeton=T               the name form of a verified run
//   GET  /niveau/N/record.qzg       the best verified run of level N as a ghost file
//   GET  /map/HASH/record.qzg       the same for a free map, by its SHA-256
//   GET  /records.txt               "N POINTS CHRONO NAME" for each level with a verified record
//   POST /carte                     publishes a map with its author's finishing run (enveloppe_carte.h)
//   GET  /maps[?tri=joues][&page=P] the published maps, newest (or most played) first; .json and .txt beside
//   GET  /maps/ID[.json]            a map: its overview, author, date, leaderboard and download link
//   GET  /maps/ID/carte.txt         its bytes, to download (counts one play per address a day)
//   GET  /maps/ID/apercu.png        its overview
// One line per request on standard error. Bad requests get a page that says
// what is wrong. The pages that read or write the scores do it off the
// network threads; a database that does not answer gives them a 503 while
// the others are served as usual.
class ServeurScores {
public:
    ServeurScores(Depot& depot, ReglagesServeur reglages);
    // The replays still running end first: they answer through the HTTP layer.
    ~ServeurScores() { m_verificateur.arreter(); }
    // Binds `adresse`:`port` (0: a free port); the port bound, or -1.
    int lier(const std::string& adresse, int port);
    // Serves on the bound port until arreter(); false when it could not.
    bool servir() { return m_http.servir(); }
    // From any thread: ends servir() once the requests accepted are answered
    // (a few seconds at most).
    void arreter() { m_http.arreter(); }

private:
    void traiter(const Demande& d, Repondre repondre);
    // Runs `page` off the network threads; a failing store makes it a 503 (or a 500).
    void avecDepot(Repondre repondre, std::function<void(Reponse&)> page);
    void scoreDuJeu(const Demande& d, Reponse& r);
    void nommer(const Demande& d, Reponse& r);
    void niveau(const Demande& d, Reponse& r, int n, bool enJson);
    void accueil(Reponse& r);
    // serveur_courses.cpp: the runs.
    bool traiterCourses(const Demande& d, Repondre& repondre);
    void recevoirCourse(const Demande& d, Repondre repondre);
    Reponse garderCourse(const Course& c, const NiveauConnu& niveau, const std::string& adresse);
    void formulaireCourse(const Demande& d, Reponse& r);
    void fantomeRecord(Reponse& r, int niveau, const std::string& carte);
    void records(Reponse& r);
    // serveur_cartes.cpp: the published maps.
    void chargerCartes();
    bool traiterCartes(const Demande& d, Repondre& repondre);
    void recevoirCarte(const Demande& d, Repondre repondre);
    Reponse garderCarte(const Carte& carte, const Course& c, const std::string& auteur);
    void listeCartes(const Demande& d, Reponse& r, const std::string& format);
    void carte(Reponse& r, int64_t id, const std::string& quoi, const std::string& qui);
    // An error page, its title and message already in the pages' language.
    Reponse erreur(int statut, const std::string& titre, const std::string& message) const;
    std::string adresse(const Demande& d) const;
    // Drops the pending scores older than a day, at most once a minute.
    void purgerDeTempsEnTemps(int64_t maintenant);

    Depot& m_depot;
    ReglagesServeur m_reglages;
    Limiteur m_limiteScores, m_limiteNoms;
    Limiteur m_limiteCourses, m_limiteCartes;
    std::atomic<int64_t> m_dernierePurge{0};
    std::shared_ptr<NiveauxConnus> m_niveaux;
    Verificateur m_verificateur;
    std::mutex m_mutexFantomes;
    std::map<int64_t, std::string> m_fantomes;  // the ghosts of the records served lately, by run
    std::mutex m_mutexParties;
    int64_t m_jourParties = 0;
    std::set<std::string> m_parties;  // "ID ADDRESS" of the maps downloaded today
    ServeurHttp m_http;
};

#endif
