// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_ENVELOPPE_CARTE_H
#define VORNA_SCORES_ENVELOPPE_CARTE_H

#include <string>

// A map sent for publication: sections in a fixed order, each a header line
// then exactly the bytes it announces, nothing after the last:
//   vorna-carte 1\n
//   titre TITLE\n
//   auteur NAME\n
//   carte N\n<N bytes: the map file>
//   apercu M\n<M bytes: a PNG, or none>
//   course K\n<K bytes: the author's run>
struct EnveloppeCarte {
    std::string titre, auteur, carte, apercu, course;
};

const size_t kCorpsCarteMax = 512 * 1024;
const size_t kOctetsCarteMax = 256 * 1024;
const size_t kOctetsApercuMax = 64 * 1024;

enum class LectureEnveloppe { Lue, Illisible, TropGrosse };

// Reads `corps` strictly: sizes written plainly in decimal (no sign, no
// leading zero), every section where it belongs. TropGrosse when a section
// announces more than its bound (the map, the overview) or the body passes
// kCorpsCarteMax; Illisible, with what is wrong in a few words in
// `pourquoi`, for anything else.
LectureEnveloppe lireEnveloppe(const std::string& corps, EnveloppeCarte& e, std::string& pourquoi);

// The same envelope written (what the editor sends).
std::string ecrireEnveloppe(const EnveloppeCarte& e);

#endif
