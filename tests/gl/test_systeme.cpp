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
        int delai, intervalle, pas;   // the loop's rate; ms between two polls
        std::vector<Uint32> attendu;  // the repeats' times, key held from 1000 to 2000
    } cas[] = {
        {400, 200, 10, {1620, 1830}},                  // the menus
        {300, 100, 10, {1420, 1530, 1640, 1750, 1860, 1970}},  // the editor's start-up
        {10, 10, 30, {}},                              // a run: one a frame (filled below)
        {0, 0, 10, {}},                                // none
    };
    for (const auto& c : cas) {
        sys::RepetitionTouches r;
        r.regler(c.delai, c.intervalle);
        std::vector<Uint32> vues;
        for (Uint32 t = 1000; t < 2000; t += c.pas) {
            if (t == 1000) {
                EXPECT_TRUE(r.recevoir(touche(SDL_KEYDOWN, SDLK_UP), t));
            } else if (t % 40 == 0) {  // the X server's own repeats: dropped, and change nothing
                EXPECT_FALSE(r.recevoir(touche(SDL_KEYDOWN, SDLK_UP, true), t));
            }
            SDL_Event e;
            if (r.repetition(t, &e)) {
                vues.push_back(t);
                EXPECT_TRUE(e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_UP && !e.key.repeat);
            }
        }
        std::vector<Uint32> attendu = c.attendu;
        if (c.delai == 10)
            for (Uint32 t = 1060; t < 2000; t += 30) attendu.push_back(t);
        EXPECT_EQ(vues, attendu) << c.delai << "/" << c.intervalle;
        // Released: no more repeats.
        r.recevoir(touche(SDL_KEYUP, SDLK_UP), 2000);
        bool encore = false;
        for (Uint32 t = 2000; t < 3000; t += 10) encore = encore || r.repetition(t, nullptr);
        EXPECT_FALSE(encore);
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
