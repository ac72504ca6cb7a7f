// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FANTOME_H
#define VORNA_FANTOME_H

#include <string>

#include "instant_partie.h"

// Replays the ghost "ghost/<mapALoad>" on the level its header names, one
// recorded position per frame at the recorded pace, until the file ends,
// Escape is released, the window's close button is used or the program is
// asked to end. Returns at once, without a frame, when the ghost or its level
// cannot be read or the level lies outside maps/, leaving the reason for the
// menu (annonce.h).
void jouerGhost(int hauteur, int largeur, std::string mapALoad);

// The replay's state at the end of its last frame (ball, falling state,
// chronometer, texts), for tests and debugging.
const InstantPartie& instantReplay();

#endif
