// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_JETON_H
#define VORNA_SCORES_JETON_H

#include <string>

// A one-time token for a pending score: 128 bits from the kernel's random
// source, as 32 lowercase hexadecimal digits. Throws when none can be had.
std::string nouveauJeton();

// True for a string of that form (what a form may send back).
bool formeDeJeton(const std::string& s);

#endif
