// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_BIBLIOTHEQUES_H
#define VORNA_BIBLIOTHEQUES_H

// Libraries the programs need only once they run, not to show their first
// frame: the sound mixer and the HTTP client. Linked, they and the fifty
// libraries they bring in would be mapped and relocated before main. The
// mixer opens on a thread of their own while the window opens, so the first
// frame no longer waits for it; the HTTP client opens with the first request
// (on that request's thread), so a player who never goes online never pays
// for its 6 MB. SDL_image and its ten libraries open with the first image
// that is no JPEG file (the game's own images all are).
namespace bibliotheques {

enum Bibliotheque { Son, Http, Image, kNombre };

// Starts opening the sound mixer in the background (once; later calls do
// nothing).
void precharger();

// The function `nom` of a library, once the library is open (waited for if
// it is still opening; opened here if precharger was never called). Null,
// said once on standard error, when the library or the function is missing.
void* fonction(Bibliotheque b, const char* nom);

// Typed: `auto f = bibliotheques::fonction<decltype(curl_easy_init)>(Http, "curl_easy_init");`
template <typename F>
F* fonction(Bibliotheque b, const char* nom) {
    return reinterpret_cast<F*>(fonction(b, nom));
}

// A table of one library's functions, each found by name as the table is
// made; usable when none is missing.
template <Bibliotheque B>
struct Fonctions {
    int manquantes = 0;
    template <typename F>
    F* trouver(const char* nom) {
        F* f = fonction<F>(B, nom);
        manquantes += f ? 0 : 1;
        return f;
    }
    bool completes() const { return manquantes == 0; }
};

}  // namespace bibliotheques

#endif
