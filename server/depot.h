// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_DEPOT_H
#define VORNA_SCORES_DEPOT_H

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// One named score of a leaderboard. Dates are seconds since the epoch (UTC).
struct Entree {
    int64_t id = 0;
    std::string nom;
    int points = 0;
    int64_t date = 0;
    bool verifie = false;  // a run the server played again (else a score of the old link)
    int64_t chrono = 0;    // a verified run's chronometer, in steps
};

// A verified run to keep: its level (1 to 14, 0 for a free map), the level's
// SHA-256, its result, its inputs (Journal text, kept compressed), who sent
// it and when.
struct CourseRecue {
    int niveau = 0;
    std::string empreinte;
    int points = 0;
    int64_t chrono = 0;
    int64_t arrivee = 0;
    std::string entrees;
    std::string adresse;
    int64_t date = 0;
};

// A run as kept: `verifie` false once a replay refused it.
struct CourseStockee {
    int64_t id = 0;
    int niveau = 0;
    std::string empreinte;
    int points = 0;
    int64_t chrono = 0;
    std::string entrees;
    bool verifie = false;
    std::string nom;  // empty while not named
};

// A published map: its bytes (the map file as saved), their SHA-256, its
// title and author (checked text), its overview (a PNG, empty when none),
// when and from where it came, and how often it was downloaded. Lists leave
// `octets` and `apercu` empty and say `aApercu`.
struct Carte {
    int64_t id = 0;
    std::string empreinte;
    std::string octets;
    std::string titre;
    std::string auteur;
    std::string apercu;
    bool aApercu = false;
    int64_t date = 0;
    std::string adresse;
    int64_t parties = 0;
};

// What keeping a run did: its id, the token its name form goes by, and
// whether it was new (false: the very same run was kept before).
struct CourseGardee {
    int64_t id = 0;
    std::string jeton;
    bool nouvelle = false;
};

// What naming a pending score did.
struct Nommage {
    enum Etat { Nomme, DejaNomme, Inconnu };
    Etat etat = Inconnu;
    int niveau = 0;   // the level of the score (Nomme, DejaNomme)
    int64_t id = 0;   // the entry that holds it (Nomme, DejaNomme)
};

// An entry and where it stands: `rang` 1 for the best of its level, 0 (and
// everything empty) when there is no such entry. A run not named yet has an
// empty name and the rank it would take if named now.
struct Place {
    Entree entree;
    int niveau = 0;
    int rang = 0;
};

// The database does not answer in time (or cannot be reached): worth another try later.
struct DepotIndisponible : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where the scores live: SQLite or PostgreSQL behind the same operations.
// Every operation is one transaction and may be called from any thread;
// a failure of the database throws std::runtime_error (DepotIndisponible
// when it does not answer within a few seconds) and leaves it as it was.
class Depot {
public:
    virtual ~Depot() = default;
    // Keeps a checked score, received at `date`, as pending under `jeton`.
    virtual void garderEnAttente(const std::string& jeton, int niveau, int points, int64_t date) = 0;
    // Gives the pending score `jeton` its name and puts it on its leaderboard,
    // dated when it was received. Only once: later calls answer DejaNomme with
    // the same entry and change nothing. A score received at or before
    // `perime` counts as dropped (Inconnu), named or not.
    virtual Nommage nommer(const std::string& jeton, const std::string& nom, int64_t perime) = 0;
    // The level and points of the score pending under `jeton`, not yet named
    // and received after `perime`; false when there is none.
    virtual bool attente(const std::string& jeton, int64_t perime, int& niveau, int& points) = 0;
    // Drops the pending scores received at or before `perime`; their count.
    virtual int purger(int64_t perime) = 0;
    // The best `nombre` named entries of scenario level `niveau` after the
    // first `debut` (of the free map whose SHA-256 is `carte`, when given,
    // with `niveau` 0): verified runs before the old link's scores, then most
    // points, then the shortest chronometer, then the earliest, then the
    // first stored.
    virtual std::vector<Entree> classement(int niveau, int nombre, int debut = 0, const std::string& carte = "") = 0;
    // Entry `id` and its place on its leaderboard.
    virtual Place place(int64_t id) = 0;

    // Keeps a verified run with a pending name under `jeton`, unless the
    // same inputs on the same level were kept before (then that run's id and
    // token, and nothing changes).
    virtual CourseGardee garderCourse(const CourseRecue& c, const std::string& jeton) = 0;
    // The best named verified run of scenario level `niveau` (`carte` empty)
    // or of the free map whose SHA-256 is `carte`; false when there is none.
    virtual bool meilleureCourse(int niveau, const std::string& carte, CourseStockee& c) = 0;
    // Every kept run, in the order they came.
    virtual void parcourirCourses(const std::function<void(const CourseStockee&)>& visiteur) = 0;
    // A replay's verdict on run `id`: ranked among the verified or not.
    virtual void marquerCourse(int64_t id, bool verifie) = 0;
    // Removes entry `id` (a run, or a score of the old link) and what it
    // holds; the entries removed (0 or 1).
    virtual int retirer(int64_t id) = 0;
    // Removes every entry named `nom`; their count.
    virtual int retirerNom(const std::string& nom) = 0;

    // Keeps map `c` (its id ignored) unless the same bytes are kept: the id
    // of the map holding them, `nouvelle` telling which.
    virtual int64_t publierCarte(const Carte& c, bool& nouvelle) = 0;
    // The id of the map of those bytes (their SHA-256); 0 when none.
    virtual int64_t idCarte(const std::string& empreinte) = 0;
    // Map `id`, bytes and overview included; false when there is none.
    virtual bool carte(int64_t id, Carte& c) = 0;
    // `nombre` maps after the first `debut`, the newest first (or the most
    // downloaded first, then the newest), without their bytes.
    virtual std::vector<Carte> cartes(bool parParties, int nombre, int debut) = 0;
    virtual int64_t nombreCartes() = 0;
    // The maps published from `adresse` after `depuis`.
    virtual int cartesDepuis(const std::string& adresse, int64_t depuis) = 0;
    // Every map's bytes, in the order they came.
    virtual void parcourirCartes(const std::function<void(const std::string& octets)>& visiteur) = 0;
    // One more download of map `id`.
    virtual void jouerCarte(int64_t id) = 0;
    // Removes map `id`, its overview and every entry of its leaderboard; 0 when there was none.
    virtual int retirerCarte(int64_t id) = 0;
};

// The key that makes one run of the same inputs on the same level one
// entry, and the inputs' text compressed with zlib and back (empty when
// the bytes are not such a text).
std::string cleCourse(const std::string& empreinte, const std::string& entrees);
std::string compresser(const std::string& texte);
std::string decompresser(const std::string& octets);

// "postgresql://..." or "postgres://..." opens that database, anything else
// is the path of a SQLite file (created if missing; refused when it cannot be
// written). The tables are created when missing. Null, with the reason in
// `erreur`, when it cannot be opened.
std::unique_ptr<Depot> ouvrirDepot(const std::string& base, std::string& erreur);

#endif
