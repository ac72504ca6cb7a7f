// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_COURSE_AUTEUR_H
#define VORNA_EDITEUR_COURSE_AUTEUR_H

#include <optional>
#include <string>

#include "course.h"

namespace editeur {

// The author's finishing run of each map, kept in the player's folder under
// the hash of the map's bytes ("data/joueur/courses/HASH.course", the run as
// encoderCourse writes it), so that a map finished once in the play-test can
// be published later. A map saved again since has another hash: its old run
// is not offered, the map must be finished again.

// The bytes of the file `chemin` (a map, a run: at most 4 MiB); false when
// it cannot be read whole.
bool lireOctets(const std::string& chemin, std::string& octets);

// The SHA-256 of `octets` (a map file's bytes).
std::string empreinteCarte(const std::string& octets);

// Where the run of the map of hash `hash` is kept.
std::string cheminCourseAuteur(const std::string& hash);

// After the play-test: the run the game wrote to `sortie` (none when no run
// finished) is kept for the map of hash `hash` when it is a free map's run
// of those bytes. Nothing is kept otherwise; true when one is.
bool garderCourseAuteur(const std::string& sortie, const std::string& hash);

// The run kept for the map of hash `hash`, when there is one for those bytes.
std::optional<Course> courseAuteur(const std::string& hash);

}  // namespace editeur

#endif
