// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SYSTEME_H
#define VORNA_SYSTEME_H

#include <SDL.h>

#include <string>

// Every loop of the game and of the editor (logo, main menu, run, ghost
// replay, editor menu and editing loop) reaches the clock, the event queue,
// the buffer swap and the input settings through this one seam. Its events
// are SDL's as the loops know them: the window's own keys (F11, Alt+Return)
// and sizes are dealt with before, and gamepads come as keys (entrees.h). The program
// runs on SDL; a test installs its own implementation (a virtual clock whose
// delays advance time without sleeping, and a script of input events by
// frame) and drives whole loops at full speed through the same code.
namespace sys {

class Systeme {
public:
    virtual ~Systeme() = default;
    virtual Uint32 ticks() = 0;                 // milliseconds, like SDL_GetTicks
    virtual void delay(Uint32 ms) = 0;          // like SDL_Delay
    virtual int pollEvent(SDL_Event* event) = 0;// like SDL_PollEvent, through Entrees
    virtual void swapBuffers() = 0;             // like SDL_GL_SwapWindow
    // A frame with nothing new to show: waits up to `ms` for an event
    // instead of drawing (SDL_WaitEventTimeout). True when one came: the
    // window may need drawing again (uncovered, resized). By default, a
    // plain delay.
    virtual bool attendre(Uint32 ms) { delay(ms); return false; }
    // Key repeat for the keys pressed from now on, as SDL 1.2's
    // SDL_EnableKeyRepeat set it (see repetition.h).
    virtual void keyRepeat(int delay, int interval) = 0;
    virtual void showCursor(bool visible) = 0;  // SDL_ShowCursor
    // True once the program has been asked to end (SIGINT, SIGTERM,
    // SIGHUP): every loop then leaves at once, the menu and the program
    // too. The window's close button is an SDL_QUIT event, never this. By default, whether
    // such a signal was received (see installerSignaux).
    virtual bool arretDemande();
    // Every text drawn with the font passes here as it is drawn, in the
    // language in use; a test keeps them (the program draws, nothing more).
    virtual void texteDessine(const std::string&) {}
};

// The implementation in use: SDL's, unless a test installed another one.
Systeme& courant();
// Installs `s` (not owned); nullptr goes back to SDL.
void installer(Systeme* s);

inline Uint32 ticks() { return courant().ticks(); }
inline void delay(Uint32 ms) { courant().delay(ms); }
inline int pollEvent(SDL_Event* e) { return courant().pollEvent(e); }
inline void swapBuffers() { courant().swapBuffers(); }
inline bool attendre(Uint32 ms) { return courant().attendre(ms); }
inline void keyRepeat(int d, int i) { courant().keyRepeat(d, i); }
inline void showCursor(bool v) { courant().showCursor(v); }
inline bool arretDemande() { return courant().arretDemande(); }
inline void texteDessine(const std::string& t) { courant().texteDessine(t); }

// A turn of the mouse wheel: +1 away from the user, −1 towards, 0 for any
// other event (SDL 1.2 gave these as buttons 4 and 5).
inline int molette(const SDL_Event& e) {
    if (e.type != SDL_MOUSEWHEEL || e.wheel.y == 0) return 0;
    const int y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
    return y > 0 ? 1 : -1;
}

// SIGINT, SIGTERM and SIGHUP (the terminal closed). SDL_Init installs
// handlers that turn the first two into a window close request, which a
// loop may rightly ignore or read as "end this run";
// installerSignaux(), called after SDL_Init, puts handlers in their place that
// only note the signal, which arretDemande() then reports (a second signal
// ends the program at once, should a loop not be listening).
// retirerSignaux() puts the previous handlers back (before SDL_Quit).
void installerSignaux();
void retirerSignaux();
// The signal received (SIGINT, SIGTERM or SIGHUP), or 0.
int signalRecu();
// Forgets a received signal (the next program run in the same process, tests).
void oublierSignal();

}  // namespace sys

#endif
