// SPDX-License-Identifier: GPL-3.0-or-later
#include "systeme_script.h"

#include "cadence.h"
#include "fenetre.h"

SystemeScript::SystemeScript() {
    sys::oublierSignal();
    sys::installer(this);
    forcerImagesMax(30);
}
SystemeScript::~SystemeScript() {
    forcerImagesMax(-1);
    sys::installer(nullptr);
    sys::oublierSignal();
}

bool SystemeScript::arretDemande() { return (m_arret >= 0 && m_frame >= m_arret) || sys::Systeme::arretDemande(); }

void SystemeScript::evenement(int frame, const SDL_Event& e) { m_script.emplace(frame, e); }

namespace {

SDL_Event evenementTouche(SDL_Keycode k, bool enfoncee, Uint16 mod) {
    SDL_Event e{};
    e.type = e.key.type = enfoncee ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = enfoncee ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = k;
    e.key.keysym.mod = mod;
    return e;
}

}  // namespace

void SystemeScript::toucheA(Uint32 ms, SDL_Keycode k, bool enfoncee) { evenementA(ms, evenementTouche(k, enfoncee, 0)); }

void SystemeScript::touche(int frame, SDL_Keycode k, bool enfoncee, Uint16 mod) {
    evenement(frame, evenementTouche(k, enfoncee, mod));
}

void SystemeScript::tape(int frame, SDL_Keycode k, int duree, Uint16 mod) {
    touche(frame, k, true, mod);
    touche(frame + duree, k, false, mod);
}

void SystemeScript::quitter(int frame) {
    SDL_Event e{};
    e.type = SDL_QUIT;
    evenement(frame, e);
}

void SystemeScript::bouton(int frame, int b, bool enfonce, int x, int y) {
    SDL_Event e{};
    e.type = e.button.type = enfonce ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(b);
    e.button.state = enfonce ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    evenement(frame, e);
}

void SystemeScript::mouvement(int frame, int x, int y) {
    SDL_Event e{};
    e.type = e.motion.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    evenement(frame, e);
}

void SystemeScript::molette(int frame, int cran) {
    SDL_Event e{};
    e.type = e.wheel.type = SDL_MOUSEWHEEL;
    e.wheel.y = cran;
    evenement(frame, e);
}

void SystemeScript::delay(Uint32 ms) {
    m_delais.push_back(ms);
    m_framesDelais.push_back(m_frame);
    m_temps += ms;
}

int SystemeScript::pollEvent(SDL_Event* event) {
    // Real events go through the seam's own handling (window sizes, pads):
    // of what comes out, only a pad's keys and its unplugging are kept.
    SDL_Event reel;
    std::deque<SDL_Event> sortie;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        while (SDL_PollEvent(&reel)) m_entrees.recevoir(reel, sortie);
    for (SDL_Event& e : sortie) {
        e.common.timestamp = m_temps;
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP || e.type == SDL_CONTROLLERDEVICEREMOVED) m_file.push_back(e);
    }
    // F11 and Alt+Return are taken as the program takes them.
    auto recevoir = [this](const SDL_Event& e, Uint32 quand) {
        std::deque<SDL_Event> recus;
        m_entrees.recevoir(e, recus);
        for (SDL_Event& r : recus) r.common.timestamp = quand, m_file.push_back(r);
    };
    for (auto it = m_script.begin(); m_file.empty() && it != m_script.end() && it->first <= m_frame;) {
        recevoir(it->second, m_temps);
        it = m_script.erase(it);
    }
    for (auto it = m_scriptTemps.begin(); m_file.empty() && it != m_scriptTemps.end() && it->first <= m_temps;) {
        recevoir(it->second, it->first);
        it = m_scriptTemps.erase(it);
    }
    if (!m_file.empty()) {
        if (event) *event = m_file.front();
        m_file.pop_front();
        return 1;
    }
    if (m_frame < m_limite || m_dernierQuit == m_frame) return 0;
    m_dernierQuit = m_frame;  // once per frame, so a draining loop ends
    if (event) *event = SDL_Event{}, event->type = SDL_QUIT;
    return 1;
}

void SystemeScript::swapBuffers() {
    m_textes.swap(m_enCours);
    m_enCours.clear();
    if (m_surImage) m_surImage(m_frame);
    if (m_vraiSwap && fenetreGL()) SDL_GL_SwapWindow(fenetreGL());
    m_temps += m_travail;
    ++m_frame;
    ++m_swaps;
}

bool SystemeScript::attendre(Uint32 ms) {
    m_enCours.clear();  // the last frame drawn stays on screen, its texts with it
    if (m_surImage) m_surImage(m_frame);
    m_temps += ms;
    ++m_frame;
    ++m_attentes;
    return false;
}

void SystemeScript::keyRepeat(int delai, int) { m_delai = delai; }

void SystemeScript::images(int n) { forcerImagesMax(n); }
