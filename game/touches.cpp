// SPDX-License-Identifier: GPL-3.0-or-later
#include "touches.h"

namespace {

int Reglages::* const kChamps[kActions] = {&Reglages::toucheHaut,   &Reglages::toucheBas,
                                           &Reglages::toucheDroite, &Reglages::toucheGauche,
                                           &Reglages::toucheEntree, &Reglages::toucheEchap,
                                           &Reglages::toucheCourse};

// The menu key of each action; the racing ghost has none.
const SDL_Keycode kMenu[kActions] = {SDLK_UP,     SDLK_DOWN,   SDLK_RIGHT,  SDLK_LEFT,
                                     SDLK_RETURN, SDLK_ESCAPE, SDLK_UNKNOWN};

Reglages enUsage;

// The key's place: scripted and synthetic events may carry only the symbol.
SDL_Scancode place(const SDL_Keysym& k) {
    return k.scancode != SDL_SCANCODE_UNKNOWN ? k.scancode : SDL_GetScancodeFromKey(k.sym);
}

// The action given key `k`, or −1.
int actionDonnee(const SDL_Keysym& k) {
    const int p = place(k);
    for (int i = 0; i < kActions; ++i)
        if (p == toucheAction(enUsage, i)) return i;
    return -1;
}

}  // namespace

int& toucheAction(Reglages& r, int i) { return r.*kChamps[i]; }
int toucheAction(const Reglages& r, int i) { return r.*kChamps[i]; }

void fixerTouches(const Reglages& r) {
    for (int i = 0; i < kActions; ++i) toucheAction(enUsage, i) = toucheAction(r, i);
}

bool actionDeTouche(const SDL_Keysym& k, Touche& t) {
    const int i = actionDonnee(k);
    if (i >= 0) {
        t = kToucheAction[i];
        return true;
    }
    switch (k.sym) {
        case SDLK_UP: t = Touche::Haut; return true;
        case SDLK_DOWN: t = Touche::Bas; return true;
        case SDLK_RIGHT: t = Touche::Droite; return true;
        case SDLK_LEFT: t = Touche::Gauche; return true;
        case SDLK_RETURN: t = Touche::Entree; return true;
        case SDLK_ESCAPE:
        case SDLK_KP_0: t = Touche::Echap; return true;
        default: return false;
    }
}

SDL_Keycode toucheMenu(const SDL_Keysym& k) {
    for (SDL_Keycode m : kMenu)
        if (m != SDLK_UNKNOWN && k.sym == m) return k.sym;
    const int i = actionDonnee(k);
    return i >= 0 && kMenu[i] != SDLK_UNKNOWN ? kMenu[i] : k.sym;
}

std::string nomTouche(int scancode) {
    const SDL_Scancode s = static_cast<SDL_Scancode>(scancode);
    std::string nom = SDL_GetKeyName(SDL_GetKeyFromScancode(s));
    if (nom.empty()) nom = SDL_GetScancodeName(s);
    return nom.empty() ? "#" + std::to_string(scancode) : nom;
}
