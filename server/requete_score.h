// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_REQUETE_SCORE_H
#define VORNA_SCORES_REQUETE_SCORE_H

#include <map>
#include <string>

// A score as the game sends it: act=2&score=S&map=N&v=14&a=C.
struct ScoreRecu {
    int niveau = 0;
    int points = 0;
};

// The lowest score a run can leave: the points fall by one a frame and a
// frame lasts at least 30 ms, so a day of play costs 2 880 000 points.
const long long kPerteMaximale = 2880000;

// Checks the query of a score link: act = 2, v = 14, map a scenario level
// (1 to 14), score no more than the points the level starts with and no less
// than that minus kPerteMaximale, a the 32-bit product map × score. The five
// in any order, each with one value (the HTTP layer folds a pair repeated
// word for word into one), nothing else; integers written plainly (an
// optional minus sign, no leading zero). Empty when the link is good,
// otherwise what is wrong, in words for the player.
std::string lireScore(const std::multimap<std::string, std::string>& params, ScoreRecu& s);

#endif
