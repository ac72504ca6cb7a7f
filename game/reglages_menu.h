// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REGLAGES_MENU_H
#define VORNA_REGLAGES_MENU_H

#include <string>

#include "jeu.h"
#include "reglages.h"

// The settings of the "Options" screen, shown above ghost saving, from the
// top: the language, the music volume, the effects volume, full screen,
// the racing ghost and whose it is, vertical sync, the most frames a second, the keys. Ghost saving,
// the entry below them, is kept in the settings too.
enum ReglageMenu {
    kReglageLangue,
    kReglageMusique,
    kReglageEffets,
    kReglagePleinEcran,
    kReglageCourse,
    kReglageCourseMondiale,
    kReglageSynchro,
    kReglageImages,
    kReglageTouches,  // opens the screen of the run's keys (touches_menu.h)
    kReglageSauverFantome
};
const int kReglagesMenu = 9;

// The entry of setting `i`, as the screen shows it.
std::string texteReglage(int i, const Reglages& r, const Jeu& jeu);

// Changes setting `i` at once and writes it to the settings file: a volume
// moves by `pas` (+1 or −1) within 0 … 10, or from 10 back to 0 when
// `boucler`; the language goes round automatic and each language proposed
// (langue.h; the texts change from the next frame); the frame cap goes round
// 30, 60, 120, 144 and no limit; the others switch. `r` holds the settings in
// use. False when the file could not be written (the change holds until the
// program ends). Another program's lock on the file is not waited for: the
// file is written once it is free, and `enAttente` set.
bool changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu, bool* enAttente);

#endif
