#ifndef VORNA_PROGRESSION_H
#define VORNA_PROGRESSION_H

#include <cstdio>
#include <string>

// The progress file (kFichierProgression, score.h): the highest unlocked
// scenario level as decimal digits, nothing else.

// What the file holds for the level `niveau`.
std::string texteProgression(unsigned int niveau);

// The level the first line of an open progress file gives: its leading
// decimal digits, after blanks and a '+' (as atoi reads them), beyond
// 4294967295 taken as that. `valide` is false, and the result 1, when the
// line holds no such number or a negative one or 0: scenario level 1 is open
// whatever the file holds.
unsigned int lireProgression(std::FILE* f, bool& valide);

// Reads the progress file at `chemin`. A missing file, or one that holds no
// level number, reads as 1, with one line on standard error; the next
// unlocked level creates the file again.
unsigned int lireProgression(const std::string& chemin);

#endif
