// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_DEPOT_H
#define VORNA_SCORES_DEPOT_H

#include <cstdint>
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
};

// What naming a pending score did.
struct Nommage {
    enum Etat { Nomme, DejaNomme, Inconnu };
    Etat etat = Inconnu;
    int niveau = 0;   // the level of the score (Nomme, DejaNomme)
    int64_t id = 0;   // the entry that holds it (Nomme, DejaNomme)
};

// An entry and where it stands: `rang` 1 for the best of its level, 0 (and
// everything empty) when there is no such entry.
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
    // Drops the pending scores received at or before `perime`; their count.
    virtual int purger(int64_t perime) = 0;
    // The best `nombre` entries of `niveau` after the first `debut`: most
    // points first, then the earliest, then the first stored.
    virtual std::vector<Entree> classement(int niveau, int nombre, int debut = 0) = 0;
    // Entry `id` and its place on its leaderboard.
    virtual Place place(int64_t id) = 0;
};

// "postgresql://..." or "postgres://..." opens that database, anything else
// is the path of a SQLite file (created if missing; refused when it cannot be
// written). The tables are created when missing. Null, with the reason in
// `erreur`, when it cannot be opened.
std::unique_ptr<Depot> ouvrirDepot(const std::string& base, std::string& erreur);

#endif
