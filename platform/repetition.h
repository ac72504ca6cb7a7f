// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REPETITION_H
#define VORNA_REPETITION_H

#include <SDL.h>

namespace sys {

// The programs' own key repeat. The X server repeats a held key by itself
// and SDL passes those on flagged as repeats; they are dropped here, and the
// key pressed last is repeated instead at the rate each loop sets: the first
// repeat once the delay and one interval have passed, then one per interval,
// never more than one per call, until the key is released or the rate
// changes. A delay of 0 turns repeating off.
class RepetitionTouches {
public:
    void regler(int delai, int intervalle);
    // An event taken from the queue at `maintenant` (ms): false when it is
    // one of the system's own repeats, to be dropped.
    bool recevoir(const SDL_Event& e, Uint32 maintenant);
    // The repeat due at `maintenant`, if one is: true after filling `e`.
    bool repetition(Uint32 maintenant, SDL_Event* e);

private:
    int m_delai = 0, m_intervalle = 0;
    Uint32 m_depuis = 0;     // the press, then the last repeat; 0: no key held
    bool m_premiere = false; // still waiting for the delay
    SDL_Event m_touche{};
};

}  // namespace sys

#endif
