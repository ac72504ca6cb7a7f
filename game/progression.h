// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_PROGRESSION_H
#define VORNA_PROGRESSION_H

#include <cstdio>
#include <optional>
#include <string>

#include "fichiers.h"
#include "score.h"

// The progress file (kFichierProgression, score.h): the highest unlocked
// scenario level as decimal digits, nothing else.

// What the file holds for the level `niveau`.
std::string texteProgression(unsigned int niveau);

// What the screen says when the progress file cannot be read (to translate, traduction.h).
extern const char* const kProgressionIllisible;

// The level the first line of an open progress file gives: its leading
// decimal digits, after blanks and a '+' (as atoi reads them), beyond
// 4294967295 taken as that. `valide` is false, and the result 1, when the
// line holds no such number or a negative one or 0: scenario level 1 is open
// whatever the file holds.
unsigned int lireProgression(std::FILE* f, bool& valide);

// The same from the file's text.
unsigned int progressionDuTexte(const std::string& texte, bool& valide);

// Reads the progress file at `chemin`. A missing file, or one that holds no
// level number, reads as 1, with one line on standard error; the next
// unlocked level creates the file again. One that cannot be read reads as 1
// too and is never written while the program runs (lireFichierGarde):
// `premiereFois` is then set the first time, for the screen to say so.
unsigned int lireProgression(const std::string& chemin, bool* premiereFois = nullptr);

// What the progress file holding `actuel` (null: no file) becomes when level
// `niveau` is unlocked: progress never goes down, so the larger of the two,
// which `resultat` receives. Nothing when the file already says it.
std::optional<std::string> fusionProgression(const std::string* actuel, unsigned int niveau,
                                             unsigned int& resultat);

// Unlocks level `niveau` in the progress file: under its lock the file is
// read again and the larger level written (mettreAJourFichier), so a level
// another program unlocked meanwhile stays open. `resultat` receives the
// level now open: the larger of the two, or `niveau` when the file cannot
// be read or written. A lock held by another program never waits: Attente,
// and the update is done in the background once the lock is free.
Maj debloquerNiveau(unsigned int niveau, unsigned int& resultat, Lecture* lu = nullptr,
                    const std::string& chemin = kFichierProgression);

#endif
