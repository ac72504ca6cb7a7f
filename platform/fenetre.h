#ifndef VORNA_FENETRE_H
#define VORNA_FENETRE_H

#include <SDL.h>

// True when a graphical display is reachable. Without one SDL 1.2 quietly
// falls back to a text-terminal driver; the programs refuse that instead.
bool affichageDisponible();

// Initialises SDL with its video subsystem on the X display. Unless the user
// chose a driver (SDL_VIDEODRIVER), the X11 driver is asked for: when the
// display cannot be opened SDL would otherwise fall back to a text-terminal
// driver that writes escape codes before failing. Returns false, after one
// line on standard error ("cannot open the display :77"), when it cannot.
bool demarrerVideo();

// Opens the fixed OpenGL window (never full screen, never resized). Asks for
// `echantillons` multisamples first; a driver that cannot give them gets a
// retry with 4 and then without multisampling. Returns nullptr, with a line
// on standard error (opened by `programme`), when no OpenGL window can be
// opened at all.
SDL_Surface* ouvrirFenetreGL(int largeur, int hauteur, int echantillons,
                             const char* programme = "vorna");

#endif
