// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_MODERATION_H
#define VORNA_SCORES_MODERATION_H

#include <cstdint>
#include <string>

#include "depot.h"
#include "niveaux_connus.h"

// What the server's keeper does from the command line, each act logged in
// one line on standard error. The exit status: 0 done, 1 nothing to do or
// the store failed.

// Removes entry `id` (a verified run or an old link's score).
int retirerEntree(Depot& depot, int64_t id);
// Removes every entry of the name `nom`.
int retirerNom(Depot& depot, const std::string& nom);
// Removes published map `id`, its overview and its leaderboard.
int retirerCarte(Depot& depot, int64_t id);

// Plays every kept run again on the levels known now, ranks the ones that
// still reach their result and unranks the others; one line of counts.
struct BilanReverification {
    int verifiees = 0, refusees = 0, niveauInconnu = 0;
};
BilanReverification reverifier(Depot& depot, const NiveauxConnus& niveaux, double secondesCpu);
int reverifierEtDire(Depot& depot, const NiveauxConnus& niveaux, double secondesCpu);

#endif
