// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_PAGES_CARTES_H
#define VORNA_SCORES_PAGES_CARTES_H

#include <string>
#include <vector>

#include "depot.h"

// The pages of the published maps, whole documents as pages.h's.

// A map of a list with the best entry of its leaderboard (an empty name when none).
struct CarteListee {
    Carte carte;
    Entree record;
};

// One page of the list: the newest first, or the most played (`parParties`).
struct PageCartes {
    bool parParties = false;
    int page = 1;
    int pages = 1;
    int64_t total = 0;
    std::vector<CarteListee> cartes;
};

std::string pageCartes(const PageCartes& p, bool logo);
// {"tri":"recent","page":1,"pages":1,"total":N,"cartes":[{"id":ID,"empreinte":"HEX","titre":"...",
// "auteur":"...","date":"...","parties":N,"apercu":"/maps/ID/apercu.png"|null,"record":{...}|null},...]}
std::string jsonCartes(const PageCartes& p);
// For the game: "maps TOTAL page P pages COUNT", then one line a map,
// "ID HASH POINTS CHRONO NAME PLAYS AUTHOR TITLE" separated by tabs ("-" for
// the record's fields when the map has no verified run).
std::string texteCartes(const PageCartes& p);

// A map: its overview, title, author, date, download link and leaderboard.
std::string pageCarte(const Carte& c, const std::vector<Entree>& classement, bool logo);
std::string jsonCarte(const Carte& c, const std::vector<Entree>& classement);

#endif
