// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_SUPPORT_SERVEUR_H
#define VORNA_TEST_SUPPORT_SERVEUR_H

#include <httplib.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "depot.h"
#include "serveur.h"

// The two stores the leaderboard runs on.
enum class Magasin { Sqlite, Postgres };
inline void PrintTo(Magasin m, std::ostream* o) { *o << (m == Magasin::Sqlite ? "SQLite" : "PostgreSQL"); }

// A fresh empty store for one test: a SQLite file in the working folder, or
// a new database on the throwaway PostgreSQL cluster of the test run,
// dropped at the end. `depot` stays null, with the reason in `absent`, when
// PostgreSQL is not there.
struct DepotEssai {
    explicit DepotEssai(Magasin m);
    ~DepotEssai();
    std::unique_ptr<Depot> depot;
    std::string absent;
    std::string url;  // the store's path or URL

private:
    std::string m_base;
};

// The server on 127.0.0.1 (a free port) over `depot`, serving from a thread
// until destroyed; its pages in the languages of the build's catalogues
// unless `reglages` gives others.
struct ServeurEssai {
    ServeurEssai(Depot& depot, ReglagesServeur reglages = {1000, false, "JPEG", {}, nullptr, 2, 10});
    ~ServeurEssai();
    httplib::Client client() const { return httplib::Client("127.0.0.1", port); }
    std::string hote() const { return "127.0.0.1:" + std::to_string(port); }

    ServeurScores serveur;
    int port = -1;
    std::thread fil;
};

// The fourteen scenario levels of the build's game folder, and the settings
// of a test server that verifies runs on them.
std::shared_ptr<NiveauxConnus> niveauxDuJeu();
ReglagesServeur reglagesCourses();

// A TCP connection from `depuis` (any 127.x.y.z) to 127.0.0.1:`port`; -1 when refused.
int connecter(int port, const std::string& depuis = "127.0.0.1");
// Sends `octets` on a fresh connection and reads the answer until the server
// closes or 10 s pass.
std::string echanger(int port, const std::string& octets, const std::string& depuis = "127.0.0.1");
// What comes on `prise` until the server closes it or 10 s pass.
std::string lireJusquaLaFin(int prise);
// A socket listening on 127.0.0.1 that never accepts: its port in `port`.
int ecouteMuette(int& port);
// True when the server closes `prise` within `secondes` (what it sent first is read and dropped).
bool fermeeParLeServeur(int prise, double secondes);

// A relay from 127.0.0.1 to a PostgreSQL's Unix socket that can freeze like
// a stopped server: connections still open, nothing answered.
class RelaisGelable {
public:
    explicit RelaisGelable(const std::string& dossierSocket);
    ~RelaisGelable();
    int port = -1;
    std::atomic<bool> gele{false};

private:
    void relayer();
    int m_ecoute = -1;
    std::string m_cible;
    std::atomic<bool> m_fin{false};
    std::thread m_fil;
};

// A PNG of `largeur` × `hauteur` pixels of one colour, as browsers show it.
std::string pngUni(unsigned largeur, unsigned hauteur);

// A free map the autopilot finishes (the shipped "Toboggan"), made distinct
// by `variante` line ends after its last record (the same course, another
// hash), and the autopilot's run of that variant.
struct CarteEssai {
    std::string octets;
    Course course;
};
CarteEssai carteEssai(int variante = 0);

// The path and query of the game's link for a level and a score.
std::string lienScore(int niveau, int score);
// The token of a name form page ("" when there is none).
std::string jetonDe(const std::string& page);

#endif
