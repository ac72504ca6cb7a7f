// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_VERIFICATION_H
#define VORNA_VERIFICATION_H

#include <functional>
#include <memory>
#include <string>

#include "course.h"
#include "simulation.h"

// A run played again from its inputs on its level, as the score server
// does before it ranks it: the same course, the same start, step by step.
struct Verification {
    enum Verdict {
        Verifiee,           // the finish reached at the last step, with the points and chronometer sent
        ResultatDifferent,  // the replay ends elsewhere, or with another result
        TropLong,           // past the bound on steps, or stopped by `continuer`
        NiveauIllisible,    // the level's bytes hold no course
    };
    Verdict verdict = NiveauIllisible;
    std::string pourquoi;                    // what went wrong, in a few words (empty when verified)
    std::unique_ptr<Simulation> simulation;  // as the replay left it (null when the level is unreadable)
};

// How the game starts a run: a scenario level with its starting points
// (`pointsScenario` > 0), a free map with the rules' 2000 otherwise; the
// ghost recorded.
Simulation::Depart departCourse(int pointsScenario);

// Plays `course` on the level made of `octetsNiveau` (the bytes whose
// SHA-256 the run names; the caller matched them) from `depart`. No more
// than `pasMax` steps are played; `continuer`, when given, is asked every
// `intervalle` steps and stops the replay (TropLong) when it answers false.
Verification verifierCourse(const Course& course, const std::string& octetsNiveau, const Simulation::Depart& depart,
                            size_t pasMax = kPasCourseMax, const std::function<bool()>& continuer = {},
                            size_t intervalle = 4096);

// The best ghost the game writes for that run when it finishes it: the
// positions the chronometer timed and the inputs, under the level's path
// `cheminNiveau` ("maps/niveau/map3.qzm"). Empty when the run kept too many
// positions.
std::string fantomeDeCourse(const Simulation& simulation, const std::string& cheminNiveau);

#endif
