// SPDX-License-Identifier: GPL-3.0-or-later
#include "systeme.h"

#include <signal.h>

#include "entrees.h"
#include "fenetre.h"
#include "repetition.h"

namespace sys {
namespace {

volatile sig_atomic_t recu = 0;
struct sigaction avantInt, avantTerm, avantHup;
bool installes = false;

void noter(int signal) {
    if (recu) {
        // Asked twice: nobody is listening, end now the default way.
        ::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    recu = signal;
}

class SystemeSDL : public Systeme {
public:
    Uint32 ticks() override { return SDL_GetTicks(); }
    void delay(Uint32 ms) override { SDL_Delay(ms); }
    int pollEvent(SDL_Event* event) override {
        SDL_Event e;
        for (;;) {
            while (m_file.empty() && SDL_PollEvent(&e)) m_entrees.recevoir(e, m_file);
            if (m_file.empty()) break;
            e = m_file.front();
            m_file.pop_front();
            if (m_repetition.recevoir(e, SDL_GetTicks())) {
                if (event) *event = e;
                return 1;
            }
        }
        return m_repetition.repetition(SDL_GetTicks(), event) ? 1 : 0;
    }
    void swapBuffers() override {
        if (SDL_Window* f = fenetreGL()) SDL_GL_SwapWindow(f);
    }
    bool attendre(Uint32 ms) override {
        if (!m_file.empty()) return true;
        return SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)) == 1;
    }
    void keyRepeat(int d, int i) override { m_repetition.regler(d, i); }
    void showCursor(bool v) override { SDL_ShowCursor(v ? SDL_ENABLE : SDL_DISABLE); }

private:
    Entrees m_entrees;
    std::deque<SDL_Event> m_file;  // what the last SDL event gave, not taken yet
    RepetitionTouches m_repetition;
};

SystemeSDL sdl;
Systeme* actuel = &sdl;

}  // namespace

bool Systeme::arretDemande() { return recu != 0; }

Systeme& courant() { return *actuel; }
void installer(Systeme* s) { actuel = s ? s : &sdl; }

void installerSignaux() {
    struct sigaction a = {};
    a.sa_handler = noter;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    recu = 0;
    sigaction(SIGINT, &a, installes ? nullptr : &avantInt);
    sigaction(SIGTERM, &a, installes ? nullptr : &avantTerm);
    sigaction(SIGHUP, &a, installes ? nullptr : &avantHup);  // the terminal closed
    installes = true;
}

void retirerSignaux() {
    if (!installes) return;
    sigaction(SIGINT, &avantInt, nullptr);
    sigaction(SIGTERM, &avantTerm, nullptr);
    sigaction(SIGHUP, &avantHup, nullptr);
    installes = false;
}

int signalRecu() { return recu; }
void oublierSignal() { recu = 0; }

}  // namespace sys
