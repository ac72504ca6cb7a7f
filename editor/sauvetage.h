// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_SAUVETAGE_H
#define VORNA_EDITEUR_SAUVETAGE_H

#include <string>
#include <vector>

#include "niveau.h"

namespace editeur {

// Rescue copies: when the editor is ended by a signal (SIGINT, SIGTERM,
// SIGHUP) with placed objects not saved, the map is written beside the maps
// under a hidden name that neither program lists ("maps/.sauvetage-NAME", no
// ".txt" in it, a long NAME shortened), never over the map itself nor over
// an earlier copy. The designer
// renames it to a name ending in ".txt" to open it again.

// Writes `enregistrements`, the map saved to `mapALoad` ("maps/NAME.txt"),
// as a rescue copy, and says where on standard error. Returns its path, or
// an empty text (after a line on standard error) when it cannot be written.
std::string ecrireSauvetage(const std::string& mapALoad,
                            const std::vector<Enregistrement>& enregistrements);

// The rescue copies in maps/ (regular files only), in natural order.
std::vector<std::string> listerSauvetages();

// One line on standard error per rescue copy found in maps/ (at start-up).
void annoncerSauvetages(const std::vector<std::string>& sauvetages);

}  // namespace editeur

#endif
