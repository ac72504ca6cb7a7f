// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ANNONCE_H
#define VORNA_ANNONCE_H

#include <string>

// A short line for the player about what just went wrong in an activity the
// menu launched: a level that cannot be played, a ghost that cannot be
// replayed or kept. Standard error has the details; the activity leaves the
// line here and the main menu, rebuilt when the activity returns, shows it
// for a few seconds. Written for the game's font: no accents, no slashes.
void annoncer(const std::string& ligne);

// The line left by the last activity, emptied; empty when all went well.
std::string prendreAnnonce();

// The last part of a path ("map9.qzm" for "maps/niveau/map9.qzm"), for an
// announcement.
std::string nomDeFichier(const std::string& chemin);

#endif
