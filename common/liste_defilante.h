// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LISTE_DEFILANTE_H
#define VORNA_LISTE_DEFILANTE_H

#include <cstddef>

// The slice of a list longer than the screen that the menus of both programs
// show, with "..." above and below where more entries lie.
struct FenetreListe {
    size_t debut = 0, fin = 0;  // the entries shown: debut … fin − 1
    bool plusHaut = false;      // entries lie above the first shown
    bool plusBas = false;       // entries lie below the last shown
};

// Of `total` entries, with `visibles` fitting on the screen: the slice from
// `premier` (the first entry shown, kept from one frame to the next), moved
// just enough to show entry `choix`, and never beyond the list's end.
FenetreListe fenetreListe(size_t total, size_t visibles, size_t choix, size_t& premier);

#endif
