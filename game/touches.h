// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TOUCHES_H
#define VORNA_TOUCHES_H

#include <SDL.h>

#include <string>

#include "entrees_pas.h"
#include "reglages.h"

// The keys the player gives the run's actions (Options, "Touches"), kept in
// the settings as scancodes: the same place on any keyboard layout.
//
// A key is the action it was given. The arrows, Return, Escape and keypad 0,
// when no action took them, keep what they always did, so the menus work
// with them whatever the run's keys are.

// The actions a key can be given, in the order the screen shows them: the
// run's, each a Touche, then the replay's pause, faster and slower.
const int kActionsCourse = 7;
const int kActions = kActionsCourse + 3;
const Touche kToucheAction[kActionsCourse] = {Touche::Haut,   Touche::Bas,  Touche::Droite, Touche::Gauche,
                                              Touche::Entree, Touche::Echap, Touche::Course};

// The scancode field of the settings that holds action `i`'s key.
int& toucheAction(Reglages& r, int i);
int toucheAction(const Reglages& r, int i);

// The keys the run and the menus use from now on (the program's start, a change).
void fixerTouches(const Reglages& r);

// The action of a key, with the keys fixed; false for a key that has none.
bool actionDeTouche(const SDL_Keysym& k, Touche& t);
// For the menus: an arrow, Return or Escape as it is; any other key given
// an action becomes the arrow, Return or Escape of that action.
SDL_Keycode toucheMenu(const SDL_Keysym& k);

// For the replay: the key given its pause, faster or slower becomes Space,
// + or -; any other key stays as it is (Space, = and - keep their meaning
// while no action has them), but Space, = and - given an action of the run,
// which mean nothing then.
SDL_Keycode toucheRejeu(const SDL_Keysym& k);

// A key's name as the keyboard's layout writes it ("W", "Z" on AZERTY), or
// a gamepad's input's ("Manette A").
std::string nomTouche(int scancode);

#endif
