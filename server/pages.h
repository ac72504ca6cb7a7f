// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_PAGES_H
#define VORNA_SCORES_PAGES_H

#include <string>
#include <vector>

#include "depot.h"

// The pages of the leaderboard server, whole HTML documents. With `logo`
// false (no logo to serve) they show the game's name as a heading instead.

// One page of a level's leaderboard: `premierRang` is the rank of its first
// entry; `suite` says whether a next page holds more.
struct Tranche {
    int niveau = 0;
    int page = 1;
    int premierRang = 1;
    bool suite = false;
};

// The fourteen levels with their best entry (`meilleurs[n - 1]`, empty
// name when the level has none yet).
std::string pageAccueil(const std::vector<Entree>& meilleurs, bool logo);

// A page of a leaderboard; the entry `nouveau` (0: none) is highlighted,
// and told apart with its `rang` when it lies on another page.
std::string pageNiveau(const Tranche& t, const std::vector<Entree>& liste, const Entree& nouveau, int rang, bool logo);

// The form that names the pending score `jeton`.
std::string pageFormulaire(int niveau, int points, const std::string& jeton, bool logo);

// What went wrong, in words for the player (plain text).
std::string pageErreur(const std::string& titre, const std::string& message, bool logo);

// The same page as JSON: {"niveau":N,"titre":"...","page":1,"suite":false,
// "scores":[{"rang":1,"nom":"...","points":P,"verifie":true,"chrono":STEPS,"id":ID,
// "date":"2026-12-07T14:03:00Z"},...]}; "chrono" only for verified runs.
std::string jsonNiveau(const Tranche& t, const std::vector<Entree>& liste);

// The pieces of a leaderboard the maps' pages share: a verified run's
// chronometer, "1:02.33" (minutes, seconds, hundredths; "–" for a score of
// the old link), an entry's row of the table, the headings of that table
// with the line above it, a text as a JSON string, an entry as JSON.
std::string chronoLisible(const Entree& e);
std::string ligneClassement(int rang, const Entree& e, bool nouveau);
std::string enteteClassement();
std::string jsonTexte(const std::string& texte);
std::string jsonEntree(int rang, const Entree& e);

#endif
