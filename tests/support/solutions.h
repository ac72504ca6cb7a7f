// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_SOLUTIONS_H
#define VORNA_TEST_SOLUTIONS_H

#include <ostream>
#include <string>
#include <vector>

#include "pilote.h"

// The waypoints of each solution, "x y" with an optional manner and radius:
// P3 is taken at speed within 3, S is reached once resting on a floor (see Pilote).
struct Solution {
    std::string nom;  // "map1" for maps/niveau/map1.qzm, or a free map's name
    std::string points;
};
inline void PrintTo(const Solution& s, std::ostream* os) { *os << s.nom; }

// Every shipped level, in that order: map1 to map14, then the free maps.
extern const std::vector<Solution> kSolutions;

// The waypoints of a solution's text.
std::vector<Pilote::Point> points(const std::string& texte);

#endif
