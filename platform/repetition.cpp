// SPDX-License-Identifier: GPL-3.0-or-later
#include "repetition.h"

namespace sys {

void RepetitionTouches::regler(int delai, int intervalle) {
    m_delai = delai > 0 ? delai : 0;
    m_intervalle = intervalle > 0 ? intervalle : 0;
    m_depuis = 0;  // a key held now is not repeated until pressed again
}

bool RepetitionTouches::recevoir(const SDL_Event& e, Uint32 maintenant) {
    if (e.type == SDL_KEYDOWN) {
        if (e.key.repeat) return false;
        if (m_delai) {
            m_touche = e;
            m_depuis = maintenant ? maintenant : 1;
            m_premiere = true;
        }
    } else if (e.type == SDL_KEYUP && m_depuis && e.key.keysym.sym == m_touche.key.keysym.sym) {
        m_depuis = 0;
    }
    return true;
}

bool RepetitionTouches::repetition(Uint32 maintenant, SDL_Event* e) {
    if (!m_depuis || !m_delai) return false;
    const Uint32 ecoule = maintenant - m_depuis;
    if (m_premiere) {
        if (ecoule > static_cast<Uint32>(m_delai)) {
            m_depuis = maintenant ? maintenant : 1;
            m_premiere = false;
        }
        return false;
    }
    if (ecoule <= static_cast<Uint32>(m_intervalle)) return false;
    m_depuis = maintenant ? maintenant : 1;
    if (e) {
        *e = m_touche;
        e->key.timestamp = maintenant;
    }
    return true;
}

}  // namespace sys
