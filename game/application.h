// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_APPLICATION_H
#define VORNA_APPLICATION_H

#include <SDL.h>  // declares SDL_main, with C linkage

// The whole game program: start-up, the logo and the main menu loop, and
// shutdown. Reads everything relative to the working directory, which must be
// the game folder (with data/ and maps/). Returns the exit status:
// 128 + the signal when SIGINT or SIGTERM ended it (from any screen, after
// releasing everything as a normal exit does).
int SDL_main(int argc, char** argv);

#endif
