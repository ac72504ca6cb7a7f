// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_RECORDS_H
#define VORNA_RECORDS_H

#include <cstdio>
#include <map>
#include <string>

#include "fichiers.h"

// The player's best finishes, one per scenario level and per free map, kept
// in kFichierRecords, one line each:
//   niveau <level number> <points left> <milliseconds>
//   map <points left> <milliseconds> <map name>
// The map name takes the rest of the line; '%', control bytes and DEL are
// written as %XX (two upper-case hex digits), so any name reads back as it
// was. Numbers are plain decimals, the points possibly negative.

extern const char* const kFichierRecords;  // "data/joueur/records.txt"
// What the screen says when it cannot be read.
extern const char* const kRecordsIllisibles;

// The longest map name kept (a file name holds at most 255 bytes), and the
// longest line read.
const std::string::size_type kNomRecordMax = 255;
const std::string::size_type kLigneRecordMax = 1024;

struct Record {
    int points = 0;  // left at the finish
    int temps = 0;   // the chronometer at the finish, in milliseconds
    bool operator==(const Record& o) const { return points == o.points && temps == o.temps; }
};

// More points left wins; for equal points, the shorter time.
bool meilleurQue(const Record& a, const Record& b);

// Which level a run is on: scenario level `niveau`, or the free map `map`;
// with `serie`, level `niveau` of that level set (kept in the set's own
// records file).
struct Parcours {
    bool scenario = true;
    unsigned int niveau = 0;
    std::string map;
    std::string serie;
};

struct Records {
    std::map<unsigned int, Record> niveaux;
    std::map<std::string, Record> maps;

    const Record* trouver(const Parcours& p) const;
    // Keeps `r` for `p` when there is no record yet or `r` is better; true
    // then.
    bool proposer(const Parcours& p, const Record& r);
    // Keeps, level by level, the better of its own record and that of
    // `autre`; true when anything changed.
    bool fusionner(const Records& autre);
    bool operator==(const Records& o) const { return niveaux == o.niveaux && maps == o.maps; }
};

// The file's text: scenario levels by number, then maps by name.
std::string texteRecords(const Records& r);

// Reads an open records file. A line that is not a record (a bad number, an
// unknown word, a bad escape, an empty or too long name, a line longer than
// kLigneRecordMax) is skipped and counted in `abimees`; blank lines are
// skipped silently. Two lines for one level keep the better.
Records lireRecords(std::FILE* f, int& abimees);

// The same from the file's text.
Records recordsDuTexte(const std::string& texte, int& abimees);

// The records as this program knows them: those of the records file at
// `chemin`, read again (a missing file holds none, damaged lines are said
// on standard error), with those this program made, which stay in memory
// when the file cannot be read or written. A file that exists but cannot be
// read is never written while the program runs (lireFichierGarde):
// `premiereFois` is set the first time, for the screen to say so.
Records recordsConnus(bool* premiereFois = nullptr, const std::string& chemin = kFichierRecords);

struct ResultatRecord {
    bool meilleur = false;  // the level had no record, or this one beats it
    bool ancien = false;    // the level had a record
    Maj ecriture = Maj::Inchange;
    bool premiereFois = false;  // the file was just found unreadable
};

// Proposes the record `r` for `p`: under the file's lock the file is read
// again, merged with this program's records, and written with the better
// one, so a record another program wrote meanwhile is kept. A lock held by
// another program never waits: Attente, and the update is done in the
// background once the lock is free (the record is known meanwhile).
ResultatRecord enregistrerRecord(const Parcours& p, const Record& r, const std::string& chemin = kFichierRecords);

// The best ghost of a level, in ghost/: "map<N>-record.qzg" for scenario
// level N, "perso-<name>-record.qzg" for a free map. A numbered ghost ends in
// "ghost<digits>.qzg" and these end in "-record.qzg", so neither kind can
// take the other's name; a scenario name starts with "map" and a map name
// with "perso-" (a level of a set: "serie-<set>-<n>-record.qzg"), so no
// free map, whatever its name, shares a scenario
// level's best ghost; a name too long for the file system is shortened
// (nomDeFichierBorne). "" for a map name holding a '/': its best ghost
// would lie outside ghost/, so it has none.
std::string nomFantomeRecord(const Parcours& p);

#endif
