// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEXTE_FANTOME_H
#define VORNA_TEXTE_FANTOME_H

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "entrees_pas.h"

// The ghost file, apart from any drawing: a header line "@<level path>", then
// one line "@x,y,z" (six decimals) per recorded step, then (in ghosts made
// since runs go by steps) one line "#pas <inputs>": the inputs of every step
// since the level was loaded (see Journal), from which the run can be played
// again. A reader of positions skips that line: it holds no '@'.

// Writing, as the recording does. False when the write fails (errno tells why).
bool ecrireEnteteFantome(std::FILE* f, const std::string& niveau);
bool ecrirePositionFantome(std::FILE* f, double x, double y, double z);
bool ecrireEntreesFantome(std::FILE* f, const Journal& journal);

// The whole text of a ghost of `niveau` holding `positions` from index
// `debut` on, as the recording writes it, and the inputs when given.
std::string texteFantome(const std::string& niveau, const std::vector<std::array<double, 3>>& positions,
                         size_t debut, const Journal* journal = nullptr);

// The inputs line of a ghost: its text after "#pas ", or empty when the
// ghost has none (made before runs went by steps).
std::string entreesFantome(const std::string& texteGhost);

#endif
