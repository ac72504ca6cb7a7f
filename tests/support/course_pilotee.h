// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_COURSE_PILOTEE_H
#define VORNA_TEST_COURSE_PILOTEE_H

#include <string>

#include "course.h"

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

#endif
