// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEXTES_PARTIE_H
#define VORNA_TEXTES_PARTIE_H

#include <string>

#include "traduction.h"

// The texts a run and a replay show.

// A chronometer value: minutes, seconds padded to two digits, tenths
// (65 432 ms is "1:05:4").
std::string texteChrono(int millisecondes);
// The lives: "3 vies", but "1 vie" and "0 vie" (in English "0 lives").
std::string texteVies(double vies);
// The end-of-level line: points, then the time with unpadded seconds
// (1200 points in 65 432 ms is "1200[1:5:4]").
std::string texteFinNiveau(int points, int millisecondes);

#endif
