// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SERIE_H
#define VORNA_SERIE_H

#include <string>
#include <vector>

// A level set of one's own: maps of maps/ played in order like the
// scenario, kept as a small text file maps/sets/<name>.txt:
//   # a comment (any line starting with '#', after blanks)
//   The set's title, in UTF-8
//   first.txt
//   second.txt
// The first line that is neither blank nor a comment is the title, each
// following one a map file name of maps/ (blanks around it are dropped).

extern const char* const kDossierSeries;  // "maps/sets"

// The longest title kept, in characters: a longer one is cut, so that it
// fits the menu's line in every language.
const std::size_t kTitreSerieMax = 30;

struct Serie {
    std::string nom;    // the file's name without ".txt": "my-set" for maps/sets/my-set.txt
    std::string titre;  // as shown in the menus
    std::vector<std::string> maps;  // map file names of maps/, in order ("piste.txt")
};

// Reads the set `nom` (maps/sets/<nom>.txt). Every problem is one line on
// standard error naming the file and the line: a map that is not in maps/
// or a line that names no map there (a folder, a path, not ".txt") is left
// out, a title longer than kTitreSerieMax is cut. `jouables` is false when
// the set holds no map that can be played (no title, no map, every map
// missing, an unreadable file): such a set is not offered at all.
Serie lireSerie(const std::string& nom, bool& jouable);

// Every set of maps/sets/ that can be played, in natural order of their
// file names.
std::vector<Serie> seriesJouables();

// The file's text for `s` (its title, then its maps), as lireSerie reads it.
std::string texteSerie(const Serie& s);

// A file name for a set titled `titre`: its ASCII letters and digits
// lower-cased, any other run of characters one '-'; "serie" when nothing is
// left.
std::string nomDeSerie(const std::string& titre);

// Writes `s` to maps/sets/<nom>.txt at once and whole (the folder is made
// if needed); false after a line on standard error when it cannot.
bool ecrireSerie(const Serie& s);

#endif
