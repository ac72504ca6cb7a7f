// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REGLAGES_MENU_H
#define VORNA_REGLAGES_MENU_H

#include <string>

#include "jeu.h"
#include "reglages.h"

// The settings of the "Options" screen, shown above ghost saving, from the
// top: the language, the music volume, the effects volume, full screen,
// the racing ghost.
enum ReglageMenu { kReglageLangue, kReglageMusique, kReglageEffets, kReglagePleinEcran, kReglageCourse };
const int kReglagesMenu = 5;

// The entry of setting `i`, as the screen shows it.
std::string texteReglage(int i, const Reglages& r, const Jeu& jeu);

// Changes setting `i` at once and writes it to the settings file: a volume
// moves by `pas` (+1 or −1) within 0 … 10, or from 10 back to 0 when
// `boucler`; the language goes round automatic and each language
// proposed (langue.h; the texts change from the next frame); the others switch. `r` holds the settings in
// use.
void changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu);

#endif
