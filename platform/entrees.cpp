// SPDX-License-Identifier: GPL-3.0-or-later
#include "entrees.h"

#include "fenetre.h"

namespace sys {

void Entrees::recevoir(const SDL_Event& e, std::deque<SDL_Event>& sortie) {
    if (m_manettes.recevoir(e, sortie)) return;
    if (e.type == SDL_WINDOWEVENT) {
        evenementFenetre(e);
    } else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        const SDL_Keycode k = e.key.keysym.sym;
        const bool appui = e.type == SDL_KEYDOWN;
        if (k == SDLK_F11) {
            if (appui && !e.key.repeat) basculerPleinEcran();
            return;
        }
        if (k == SDLK_RETURN && appui && (e.key.keysym.mod & KMOD_ALT)) {
            if (!e.key.repeat) basculerPleinEcran();
            m_retourAvale = true;
            return;
        }
        if (k == SDLK_RETURN && m_retourAvale) {
            if (!appui) m_retourAvale = false;
            return;
        }
    }
    sortie.push_back(e);
}

}  // namespace sys
