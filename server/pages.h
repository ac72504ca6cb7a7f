// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_PAGES_H
#define VORNA_SCORES_PAGES_H

#include <string>
#include <vector>

#include "depot.h"

// The pages of the leaderboard server, whole HTML documents.

// The fourteen levels with their best entry (`meilleurs[n - 1]`, empty
// name when the level has none yet).
std::string pageAccueil(const std::vector<Entree>& meilleurs);

// The leaderboard of `niveau`; the entry `nouveau` (0: none) is highlighted,
// and told apart with its `rang` when it lies beyond the list.
std::string pageNiveau(int niveau, const std::vector<Entree>& liste, const Entree& nouveau, int rang);

// The form that names the pending score `jeton`.
std::string pageFormulaire(int niveau, int points, const std::string& jeton);

// What went wrong, in words for the player (plain text).
std::string pageErreur(const std::string& titre, const std::string& message);

// The same leaderboard as JSON: {"niveau":N,"titre":"...","scores":[{"rang":1,
// "nom":"...","points":P,"date":"2026-12-07T14:03:00Z"},...]}.
std::string jsonNiveau(int niveau, const std::vector<Entree>& liste);

#endif
