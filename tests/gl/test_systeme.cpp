// SPDX-License-Identifier: GPL-3.0-or-later
// The seam over SDL2: the key repeat each loop asks for, made by the program
// and never by the X server (the window's fallback to 4 samples: test_menu).
#include <gtest/gtest.h>

#include <vector>

#include "fenetre_test.h"
#include "repetition.h"
#include "systeme.h"

namespace {

SDL_Event touche(Uint32 type, SDL_Keycode k, bool repetition = false) {
    SDL_Event e{};
    e.type = e.key.type = type;
    e.key.keysym.sym = k;
    e.key.repeat = repetition;
    return e;
}

TEST(Systeme, AHeldKeyRepeatsAtTheRateOfItsLoopAndNeverByTheSystemsOwnRepeats) {
    const struct {
        int delai, intervalle, pas;  // the loop's rate; ms between two polls
        Uint32 premiere, ecart;      // the first repeat and the gap to the next, key held from 1000 to 2000
    } cas[] = {{400, 200, 10, 1620, 210}, {300, 100, 10, 1420, 110}, {10, 10, 30, 1060, 30}, {0, 0, 10, 0, 0}};
    for (const auto& c : cas) {
        sys::RepetitionTouches r;
        r.regler(c.delai, c.intervalle);
        std::vector<Uint32> vues, attendu;
        for (Uint32 t = c.premiere; c.premiere && t < 2000; t += c.ecart) attendu.push_back(t);
        SDL_Event e;
        for (Uint32 t = 1000; t < 3000; t += c.pas) {
            // The X server's own repeats are dropped and change nothing; the release ends repeating.
            if (t % 40 == 0 || t == 1000) {
                EXPECT_EQ(r.recevoir(touche(SDL_KEYDOWN, SDLK_UP, t != 1000), t), t == 1000);
            }
            if (t >= 2000 && t < 2000u + c.pas) r.recevoir(touche(SDL_KEYUP, SDLK_UP), t);
            if (r.repetition(t, &e)) vues.push_back(e.key.keysym.sym == SDLK_UP && !e.key.repeat ? t : 0);
        }
        EXPECT_EQ(vues, attendu) << c.delai << "/" << c.intervalle;
    }
    // Through SDL's queue: an event flagged as a repeat never comes out.
    EXIGER_FENETRE();
    for (const bool rep : {true, false}) {
        SDL_Event e = touche(SDL_KEYDOWN, SDLK_LEFT, rep), lu;
        SDL_PushEvent(&e);
        int vus = 0;
        while (sys::pollEvent(&lu)) vus += lu.type == SDL_KEYDOWN && lu.key.keysym.sym == SDLK_LEFT;
        EXPECT_EQ(vus, rep ? 0 : 1);
    }
}

}  // namespace
