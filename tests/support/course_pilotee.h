// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_COURSE_PILOTEE_H
#define VORNA_TEST_COURSE_PILOTEE_H

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "course.h"
#include "pilote.h"
#include "systeme_script.h"

// A stored solution of a shipped level: the waypoints of the autopilot.
struct Solution {
    std::string nom;  // "map1" for maps/niveau/map1.qzm, or a free map's name
    std::string points;
};
void PrintTo(const Solution& s, std::ostream* os);

// Every shipped level's solution.
extern const std::vector<Solution> kSolutions;

// The waypoints of a solution's text, "x y" with an optional manner and
// radius: P3 is taken at speed within 3, S is reached once resting on a
// floor (see Pilote).
std::vector<Pilote::Point> pointsSolution(const std::string& texte);

// Plays shipped scenario level `niveau` (from a game folder holding the
// shipped maps/, with a test window open) through the real run loop, its
// stored solution steered by the autopilot, and leaves by "Niveau suivant":
// the run as the score server receives it, or nothing when the ball did not
// reach the finish.
std::optional<Course> coursePilotee(SystemeScript& systeme, int niveau);

#endif
