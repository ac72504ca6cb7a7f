// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_NOM_JOUEUR_H
#define VORNA_SCORES_NOM_JOUEUR_H

#include <string>

const int kLongueurNomMax = 24;  // characters, not bytes

// The name a player typed, as the leaderboard keeps it: spaces, tabs and
// line ends trimmed from both ends, then 1 to 24 characters of valid UTF-8
// with no control character (C0, DEL, C1) and no invisible format character
// (bidirectional overrides, zero-width ones, byte-order mark). Empty when
// refused, with the reason, in words for the player, in `erreur`.
std::string nettoyerNom(const std::string& brut, std::string& erreur);

// A published map's title, under the same rules with up to 60 characters.
const int kLongueurTitreMax = 60;
std::string nettoyerTitre(const std::string& brut, std::string& erreur);

#endif
