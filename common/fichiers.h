#ifndef VORNA_FICHIERS_H
#define VORNA_FICHIERS_H

#include <string>

// Small file operations the game needs to be safe: no user file is ever lost
// or left half-written.

// Writes `contenu` to a temporary file beside `chemin`, then renames it over
// `chemin`. Returns false (the old file untouched, a line on standard error)
// when it cannot.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu);

// Renames `source` to `cible` only if no file named `cible` exists. Returns
// false, leaving both files as they were, otherwise or on error.
bool renommerSansRemplacer(const std::string& source, const std::string& cible);

#endif
