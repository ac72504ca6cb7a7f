// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_APPLICATION_H
#define VORNA_APPLICATION_H

#include <SDL.h>  // declares SDL_main, with C linkage

#include <string>

// The whole game program: start-up, the logo and the main menu loop, and
// shutdown. Reads everything relative to the working directory, which must be
// the game folder (with data/ and maps/). Returns the exit status:
// 128 + the signal when SIGINT or SIGTERM ended it (from any screen, after
// releasing everything as a normal exit does).
int SDL_main(int argc, char** argv);

// A free map maps/NAME.txt played on its own (the editor's play-test), again
// for as long as the player picks "Niveau suivant", as from the menu. Each
// run that reaches the finish is written to the file `sortie` when one is
// named (encoderCourse, whole or not at all): the author's run the editor
// publishes the map with.
class Jeu;
void jouerMapSeule(Jeu& jeu, const std::string& nom, const std::string& sortie = "");

#endif
