// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SERIES_H
#define VORNA_SERIES_H

#include <string>

#include "records.h"
#include "serie.h"

// What the game keeps of a level set of one's own (serie.h), beside the
// scenario's progress and records and in their formats, one file each per
// set, never touching the scenario's own files:
//   data/joueur/series/<name>.txt          the highest unlocked level of the set
//   data/joueur/series/records/<name>.txt  its records, as "niveau <n> ..." lines

std::string cheminProgressionSerie(const std::string& nom);
std::string cheminRecordsSerie(const std::string& nom);

// The highest unlocked level of the set `nom`: 1 while it was never played
// (silently), otherwise as the scenario's progress file reads.
unsigned int progressionSerie(const std::string& nom);

// Makes the folders of a set's files.
void preparerDossiersSeries();

// The records file a run's record goes to: the set's (its folders made),
// or the player's.
std::string fichierRecords(const Parcours& p);

#endif
