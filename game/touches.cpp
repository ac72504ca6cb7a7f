// SPDX-License-Identifier: GPL-3.0-or-later
#include "touches.h"

#include "manettes.h"
#include "traduction.h"

namespace {

int Reglages::* const kChamps[kActions] = {&Reglages::toucheHaut,   &Reglages::toucheBas,
                                           &Reglages::toucheDroite, &Reglages::toucheGauche,
                                           &Reglages::toucheEntree, &Reglages::toucheEchap,
                                           &Reglages::toucheCourse, &Reglages::toucheRejeuPause,
                                           &Reglages::toucheRejeuPlus, &Reglages::toucheRejeuMoins};

// The menu key of each action; the racing ghost and the replay's have none.
const SDL_Keycode kMenu[kActions] = {SDLK_UP,     SDLK_DOWN,   SDLK_RIGHT,   SDLK_LEFT,    SDLK_RETURN,
                                     SDLK_ESCAPE, SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_UNKNOWN};
// The replay's key of each of its actions.
const SDL_Keycode kRejeu[kActions - kActionsCourse] = {SDLK_SPACE, SDLK_PLUS, SDLK_MINUS};

Reglages enUsage;

// The key's place: scripted and synthetic events may carry only the symbol.
SDL_Scancode place(const SDL_Keysym& k) {
    return k.scancode != SDL_SCANCODE_UNKNOWN ? k.scancode : SDL_GetScancodeFromKey(k.sym);
}

int actionDePlace(int p) {
    for (int i = 0; i < kActions; ++i)
        if (p == toucheAction(enUsage, i)) return i;
    return -1;
}

// The action given key `k`, or −1; a pad's input given none is the key it
// stands for.
int actionDonnee(const SDL_Keysym& k) {
    const int p = place(k), i = actionDePlace(p);
    return i < 0 && p >= sys::kPlaceManette ? actionDePlace(SDL_GetScancodeFromKey(k.sym)) : i;
}

}  // namespace

int& toucheAction(Reglages& r, int i) { return r.*kChamps[i]; }
int toucheAction(const Reglages& r, int i) { return r.*kChamps[i]; }

void fixerTouches(const Reglages& r) {
    for (int i = 0; i < kActions; ++i) toucheAction(enUsage, i) = toucheAction(r, i);
}

bool actionDeTouche(const SDL_Keysym& k, Touche& t) {
    const int i = actionDonnee(k);
    if (i >= kActionsCourse) return false;
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

SDL_Keycode toucheRejeu(const SDL_Keysym& k) {
    const int i = actionDonnee(k);
    if (i >= kActionsCourse) return kRejeu[i - kActionsCourse];
    if (i >= 0 && (k.sym == SDLK_SPACE || k.sym == SDLK_EQUALS || k.sym == SDLK_MINUS)) return SDLK_UNKNOWN;
    return k.sym;
}

std::string nomTouche(int scancode) {
    if (scancode >= sys::kPlaceManette) return formater(tr("Manette %s"), sys::nomEntreeManette(scancode));
    const SDL_Scancode s = static_cast<SDL_Scancode>(scancode);
    std::string nom = SDL_GetKeyName(SDL_GetKeyFromScancode(s));
    if (nom.empty()) nom = SDL_GetScancodeName(s);
    return nom.empty() ? "#" + std::to_string(scancode) : nom;
}
