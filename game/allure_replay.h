// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ALLURE_REPLAY_H
#define VORNA_ALLURE_REPLAY_H

#include <SDL.h>

#include <algorithm>
#include <string>

#include "traduction.h"

// The replay's speeds, in quarters of a recorded position per step: 1/4x,
// 1/2x, 1x, 2x, 4x; + and - step through them.
const int kQuarts[] = {1, 2, 4, 8, 16};
const char* const kTexteVitesse[] = {"x0.25", "x0.5", "", "x2", "x4"};
const int kVitesseNormale = 2;
const int kVitesseMax = 4;

// The replay's pace, set by the player: Space pauses, + and - change the
// speed. The recorded positions and the replay's own clock (chronometer and
// fall timer) go at that speed, so the chronometer shows the run's time.
struct Allure {
    bool pause = false;
    int vitesse = kVitesseNormale;
    int credit = 4;          // quarters of a position due: one is read per 4
    long long horloge = 0;   // the replay's clock, in quarters of a step

    // Back to the first position: it shows on this step, whatever the speed.
    void rembobiner() { credit = 4; }
    // A key released ('=' is + without Shift on most keyboards).
    void touche(SDL_Keycode k) {
        if (k == SDLK_SPACE)
            pause = !pause;
        else if (k == SDLK_PLUS || k == SDLK_KP_PLUS || k == SDLK_EQUALS)
            vitesse = std::min(vitesse + 1, kVitesseMax);
        else if (k == SDLK_MINUS || k == SDLK_KP_MINUS)
            vitesse = std::max(vitesse - 1, 0);
    }
    // Positions to read this step.
    int aLire() {
        if (pause) return 0;
        const int n = credit / 4;
        credit = credit % 4 + kQuarts[vitesse];
        return n;
    }
    // The replay's clock in steps, moved on by one step of play.
    long long temps() {
        if (!pause) horloge += kQuarts[vitesse];
        return horloge / 4;
    }
    std::string coin() const { return pause ? tr("Pause") : kTexteVitesse[vitesse]; }
};

#endif
