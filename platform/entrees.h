// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ENTREES_H
#define VORNA_ENTREES_H

#include <SDL.h>

#include <deque>

#include "manettes.h"

namespace sys {

// What the seam makes of SDL's events before any loop sees them, so that
// every loop works at any window size and with a pad, unchanged:
// - a new window size becomes the GL viewport (fenetre.h);
// - F11 and Alt+Return switch full screen; no loop sees these keys (nor
//   the release of that Return), nor the system's repeats of them;
// - gamepads become keys (Manettes).
// Everything else goes on as it came.
class Entrees {
public:
    // Appends to `sortie` what the loops are to see of `e`, in order.
    void recevoir(const SDL_Event& e, std::deque<SDL_Event>& sortie);

private:
    Manettes m_manettes;
    bool m_retourAvale = false;  // the Return of an Alt+Return, until released
};

}  // namespace sys

#endif
