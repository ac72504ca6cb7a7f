// SPDX-License-Identifier: GPL-3.0-or-later
#include "touches_menu.h"

#include "traduction.h"

namespace {

// The actions as the screen names them.
const char* nomAction(int i) {
    static const char* const kNoms[kActions] = {
        aTraduire("Avancer"), aTraduire("Reculer"),           aTraduire("Droite"),
        aTraduire("Gauche"),  aTraduire("Valider"),           aTraduire("Pause"),
        aTraduire("Fantome de course"), aTraduire("Replay : pause"), aTraduire("Replay : plus vite"),
        aTraduire("Replay : moins vite")};
    return tr(kNoms[i]);
}

}  // namespace

bool ecrireTouches(const Reglages& r) {
    const Reglages c = r;
    return modifierReglages([c](Reglages& f) {
        for (int i = 0; i < kActions; ++i) toucheAction(f, i) = toucheAction(c, i);
    });
}

bool EcranTouches::choisir(int i, Reglages& r) {
    m_message.clear();
    if (i < kActions) {
        m_action = i;
        m_message = tr("Nouvelle touche ? (Echap : annuler)");
        return true;
    }
    if (i != kEntreeDefaut) return true;
    const Reglages defaut;
    for (int k = 0; k < kActions; ++k) toucheAction(r, k) = toucheAction(defaut, k);
    fixerTouches(r);
    return ecrireTouches(r);
}

bool EcranTouches::prendre(const SDL_Event& e, Reglages& r, bool& ecrit) {
    ecrit = true;
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
    const int place = e.key.keysym.scancode != SDL_SCANCODE_UNKNOWN ? e.key.keysym.scancode
                                                                    : SDL_GetScancodeFromKey(e.key.keysym.sym);
    if (m_avalee >= 0 && place == m_avalee) {
        if (e.type == SDL_KEYUP) m_avalee = -1;
        return true;
    }
    if (m_action < 0) return false;
    const bool echap = e.key.keysym.sym == SDLK_ESCAPE;  // cancels, pressed or released
    if ((e.type != SDL_KEYDOWN && !echap) || place == SDL_SCANCODE_UNKNOWN) return true;
    if (e.type == SDL_KEYDOWN) m_avalee = place;
    const int action = m_action;
    m_action = -1;
    m_message.clear();
    if (echap) return true;
    for (int k = 0; k < kActions; ++k)
        if (k != action && toucheAction(r, k) == place) {
            m_message = formater(tr("Touche deja prise : %s"), nomAction(k));
            return true;
        }
    toucheAction(r, action) = place;
    fixerTouches(r);
    ecrit = ecrireTouches(r);
    return true;
}

std::string EcranTouches::texte(int i, const Reglages& r) const {
    if (i == kEntreeDefaut) return tr("Par defaut");
    if (i == kEntreeRetour) return tr("Retour");
    return formater(tr("-%s : %s"), nomAction(i), i == m_action ? "..." : nomTouche(toucheAction(r, i)).c_str());
}
