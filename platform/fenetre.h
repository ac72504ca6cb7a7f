// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FENETRE_H
#define VORNA_FENETRE_H

#include <SDL.h>

// True when a graphical display is reachable. Without one SDL would try
// drivers that cannot show anything; the programs refuse that instead.
bool affichageDisponible();

// Initialises SDL with its video subsystem on the X display. Unless the user
// chose a driver (SDL_VIDEODRIVER), the X11 driver is asked for, so that a
// display that cannot be opened is said plainly. The window's class (X11's
// WM_CLASS, Wayland's app id) is `classe`, the program's desktop entry id
// that its StartupWMClass names, unless the user set SDL_VIDEO_X11_WMCLASS.
// Returns false, after one line on standard error ("cannot open the display
// :77"), when it cannot.
bool demarrerVideo(const char* classe);

// Opens the program's one OpenGL window with its context, `largeur` ×
// `hauteur` (at least 320 × 240, at most the desktop's size) or full screen
// at the desktop's size, resizable by the window manager, titled `titre`
// (UTF-8). Asks for `echantillons` multisamples first (none where OpenGL is
// drawn on the processor); a driver that cannot give them gets a retry with 4
// and then without multisampling. Returns
// nullptr, with a line on standard error (opened by `programme`), when no
// OpenGL window can be opened at all. The window is shown black (one buffer
// swap), the GL viewport covers it, and it stays open until
// fermerFenetreGL(). When a window is open already, it is returned as it is.
SDL_Window* ouvrirFenetreGL(int largeur, int hauteur, int echantillons,
                            const char* programme = "vorna", const char* titre = "",
                            bool pleinEcran = false);

// Full screen at the desktop's size, or back to the window's last size.
void basculerPleinEcran();
// Typed text (SDL_TEXTINPUT, through the input method) wanted while a field
// is being typed, and not otherwise: the window starts without it.
void saisieTexte(bool active);
bool pleinEcran();
// The window's size when not full screen (the last one it had, when it is).
void tailleFenetre(int& largeur, int& hauteur);
// A window event of SDL: a new size becomes the GL viewport, so the picture
// fills the window (cadre.h).
void evenementFenetre(const SDL_Event& e);

// Vertical sync of the window's buffer swaps: adaptive where the driver has
// it, else plain; off when `oui` is false. True when the driver took it (many
// drivers, Xvfb's among them, have none: then frames are paced by the
// program's own cap).
bool synchroVerticale(bool oui);

// The window opened by ouvrirFenetreGL, or nullptr.
SDL_Window* fenetreGL();

// Sets the window's icon from a BMP file (nothing when it cannot be read).
void poserIcone(const char* fichier);

// Closes the window and its context (nothing when none is open).
void fermerFenetreGL();

// What to do, if anything, when the connection to the X server breaks (the
// server ended, the session closed): Xlib then ends the program with status
// 1 and no way back into its loops, so `f` runs first, from within the X
// call that found the connection gone. nullptr forgets it.
void surPerteAffichage(void (*f)(void*), void* donnee);

#endif
