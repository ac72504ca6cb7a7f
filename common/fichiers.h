#ifndef VORNA_FICHIERS_H
#define VORNA_FICHIERS_H

#include <string>

// Small file operations the game needs to be safe: no user file is ever lost
// or left half-written.

// Writes `contenu` to a temporary file beside `chemin`, then renames it over
// `chemin`. Returns false (the old file untouched, a line on standard error)
// when it cannot.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu);

// The same through the temporary file `temporaire` (in the folder of
// `chemin`): whatever lies at that name is removed first, the file is
// created afresh (never written through a link), and it is gone afterwards
// whatever happens. Only `chemin` is ever replaced.
bool remplacerFichier(const std::string& chemin, const std::string& contenu,
                      const std::string& temporaire);

// Renames `source` to `cible` only if no file named `cible` exists. Returns
// false, leaving both files as they were, otherwise or on error.
bool renommerSansRemplacer(const std::string& source, const std::string& cible);

#endif
