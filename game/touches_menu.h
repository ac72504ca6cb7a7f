// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TOUCHES_MENU_H
#define VORNA_TOUCHES_MENU_H

#include <SDL.h>

#include <string>

#include "reglages.h"
#include "touches.h"

// The "Touches" screen of the Options: one entry an action with its key,
// then "Par defaut" and "Retour". Return on an action waits for its new key:
// the next key pressed is given it (the settings file keeps it at once),
// Escape cancels, and a key another action has is refused, saying which.
const int kEntreeDefaut = kActions;      // "Par defaut": every key as it was
const int kEntreeRetour = kActions + 1;  // back to the Options
const int kEntreesTouches = kActions + 2;

class EcranTouches {
public:
    // Return on entry `i`: waits for a key, or restores the defaults
    // (written at once). False when the settings file could not keep them.
    bool choisir(int i, Reglages& r);
    // While a key is awaited, and until the key taken is released, every
    // key event comes here; true when `e` was taken. `ecrit` is false when
    // the file could not keep the new key.
    bool prendre(const SDL_Event& e, Reglages& r, bool& ecrit);
    bool enAttente() const { return m_action >= 0; }

    // The text of entry `i`, and the line under the entries (the prompt, a
    // refusal), empty when there is none.
    std::string texte(int i, const Reglages& r) const;
    const std::string& message() const { return m_message; }

private:
    int m_action = -1;   // the action whose key is awaited
    int m_avalee = -1;   // the key taken, swallowed until released
    std::string m_message;
};

// Writes the keys of `r` to the settings file, leaving the rest as it is
// now; false when it could not be written.
bool ecrireTouches(const Reglages& r);

#endif
