// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MANETTES_H
#define VORNA_MANETTES_H

#include <SDL.h>

#include <deque>
#include <map>
#include <vector>

namespace sys {

// Gamepads (SDL's game controllers: its mapping database, and
// SDL_GAMECONTROLLERCONFIG for pads it does not know) given to the loops as
// the keys they already understand: the d-pad and the left stick beyond a
// third of its travel are the arrow keys, A and Start Return, B and Back
// Escape, X Space, Y the key G, the left and right shoulders - and +. A pad
// is opened when it is plugged in (SDL announces the ones present at
// start-up too); a joystick SDL has no mapping for is named on standard
// error.
// Unplugged, it releases every key it held, then its
// SDL_CONTROLLERDEVICEREMOVED goes on to the loops (a run pauses on it).
class Manettes {
public:
    Manettes() = default;
    ~Manettes();
    Manettes(const Manettes&) = delete;
    Manettes& operator=(const Manettes&) = delete;

    // False when `e` is no game controller event. Otherwise appends to
    // `sortie` the events the loops are to see instead of it.
    bool recevoir(const SDL_Event& e, std::deque<SDL_Event>& sortie);

private:
    struct Manette {
        SDL_JoystickID id;
        unsigned int tenues = 0;  // one bit per input held (see manettes.cpp)
    };
    Manette* trouver(SDL_JoystickID id);
    void tenir(Manette& m, int entree, bool tenue, std::deque<SDL_Event>& sortie);

    std::vector<Manette> m_manettes;
    std::map<SDL_Keycode, int> m_tenues;  // how many inputs hold each key down
    std::map<SDL_Keycode, int> m_places;  // the place each key held went down with
};

// Each input of a pad has a place of its own past the keyboard's scancodes,
// kPlaceManette + its number, which the key events it stands for carry (with
// the symbol of the key), so that a player may give it an action of the run.
const int kPlaceManette = 400;
// The name of a pad input's place, short as SDL's mappings write them ("a",
// "start", "dpup", "lefty-", "lb"), "?" for none.
const char* nomEntreeManette(int place);

// Starts SDL's game controllers. The file SDL_GAMECONTROLLERCONFIG_FILE
// names is read by SDL only when it is a regular file (a FIFO would hang the
// start): anything else is named on standard error and left unread. False,
// after a line on standard error, when SDL cannot start them.
bool demarrerManettes();

}  // namespace sys

#endif
