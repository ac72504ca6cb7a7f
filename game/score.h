// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORE_H
#define VORNA_SCORE_H

#include <string>

// The score server the finished runs are sent to, by default.
extern const char* const kServeurScore;

// The score server in use, as written: HOST or HOST:PORT (spoken to over
// HTTP), or the same after "http://" or "https://". Starts as kServeurScore.
const std::string& serveurScore();
// The server's root URL: its address with its scheme, "http://" unless
// written otherwise (no slash at the end).
std::string racineServeur();
// True for [http://|https://]HOST[:PORT]: a host name or IPv4 address (labels of 1 to 63
// letters, digits and hyphens joined by dots, no label starting or ending
// with a hyphen, 253 bytes at most) or a bracketed IPv6 address, then an
// optional port 1 to 65535.
bool adresseServeurValide(const std::string& adresse);
// Sets the score server for the rest of the program run (the player's
// settings feed it); false, and nothing changed, when the address is invalid.
bool setServeurScore(const std::string& adresse);
// At start-up, after the settings (serveur_scores): `option` (--score-server)
// when not empty, else $VORNA_SCORE_SERVER when set, else the server stays as
// the settings left it. A bad
// value of the variable is said on standard error and ignored.
void choisirServeurScore(const std::string& option);

// The player's progress: the highest unlocked scenario level.
extern const char* const kFichierProgression;  // "data/joueur/niveau.txt"

#endif
