// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_COURSE_H
#define VORNA_COURSE_H

#include <string>

#include "entrees_pas.h"

// A finished run as the game sends it to the score server, which plays it
// again before ranking it: the level (a scenario number, 0 for a free map)
// and the SHA-256 of its file's bytes, the inputs of every step from the
// level's loading to the step that reached the finish (that one included),
// and what the game saw at that step.
struct Course {
    int niveau = 0;          // 1 to 14: a scenario level; 0: a free map
    std::string empreinte;   // 64 lower-case hexadecimal digits
    int points = 0;          // the score at the finish (below zero after a long run)
    long long chrono = 0;    // the chronometer at the finish, in steps
    Journal entrees;         // entrees.pas() is the finish step
    bool operator==(const Course& o) const {
        return niveau == o.niveau && empreinte == o.empreinte && points == o.points && chrono == o.chrono &&
               entrees.pas() == o.entrees.pas() && entrees.texte() == o.entrees.texte();
    }
};

// The longest run sent or accepted: two hours of steps.
const size_t kPasCourseMax = 2 * 3600 * 30;

// The run as text, seven lines each ended by '\n':
//   vorna-course 1
//   niveau N
//   empreinte HEX
//   points P
//   chrono C
//   arrivee A          (the number of steps, entrees.pas())
//   entrees TEXT       (Journal::texte())
std::string encoderCourse(const Course& c);

// Reads such a text. Only the exact form encoderCourse writes is accepted
// (integers written plainly, the inputs in their shortest form, nothing
// before, between or after), so a run read back is written back to the same
// bytes. False, with `pourquoi` telling what is wrong in a few words, when
// the text is not one, or the run is longer than kPasCourseMax steps.
bool decoderCourse(const std::string& texte, Course& c, std::string& pourquoi);

#endif
