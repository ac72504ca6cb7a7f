// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_CONTROLE_CARTE_H
#define VORNA_SCORES_CONTROLE_CARTE_H

#include <string>

// What a published map's bytes and overview must be.

const unsigned kCoteApercuMax = 512;

// A PNG as browsers show it begins: its signature, then its IHDR chunk of
// 13 bytes saying a width and a height from 1 to kCoteApercuMax.
bool apercuValide(const std::string& png);

// The map as the game reads it: a ball to start from, at least one record
// read, and no record damaged by a number that is not finite. False, with
// the reason in French for the author in `pourquoi`, otherwise.
bool carteJouable(const std::string& octets, std::string& pourquoi);

#endif
