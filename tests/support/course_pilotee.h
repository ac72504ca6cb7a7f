// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_COURSE_PILOTEE_H
#define VORNA_TEST_COURSE_PILOTEE_H

#include <functional>
#include <optional>
#include <string>

#include "course.h"
#include "instant_partie.h"
#include "systeme_script.h"

// A shipped scenario level finished by the autopilot through the rules core
// alone, step by step as the game plays it: the run the game sends at the
// finish, and the best ghost it writes then (empty `course.empreinte` when
// the autopilot did not finish).
struct CoursePilotee {
    Course course;
    std::string fantome;
    std::string octetsNiveau;
};
CoursePilotee piloterCourse(int niveau);
// The same on a free map made of `octets` (`niveau` 0, no ghost) steered by
// the waypoints `solution` (solutions.h's form).
CoursePilotee piloterCarte(const std::string& octets, const std::string& solution, int niveau = 0);

// Plays shipped scenario level `niveau` (from a game folder holding the
// shipped maps/, with a test window open) through the real run loop, its
// stored solution steered by the autopilot: the run as the score server
// receives it, or nothing when the ball did not reach the finish. `regler`
// sets the game up before the run; `apres` is called at every frame from
// the finish on (`premiere` at the first), to choose in the end-of-level
// menu; without it the run leaves by "Niveau suivant".
class Jeu;
std::optional<Course> coursePilotee(SystemeScript& systeme, int niveau, const std::function<void(Jeu&)>& regler = {},
                                    const std::function<void(int f, const InstantPartie&, bool premiere)>& apres = {});

#endif
