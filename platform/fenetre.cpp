#include "fenetre.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool affichageDisponible() {
    const char* pilote = std::getenv("SDL_VIDEODRIVER");
    if (pilote && *pilote) return true;  // the user chose a driver on purpose
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

SDL_Surface* ouvrirFenetreGL(int largeur, int hauteur, int echantillons, const char* programme) {
    const int essais[] = {echantillons, 4, 0};
    int precedent = -1;
    for (int n : essais) {
        if (n > echantillons || n == precedent) continue;
        precedent = n;
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, n > 0 ? 1 : 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, n);
        if (SDL_Surface* ecran = SDL_SetVideoMode(largeur, hauteur, 32, SDL_OPENGL))
            return ecran;
        if (n > 0)
            std::fprintf(stderr, "%s: %d multisamples refused (%s); retrying\n", programme, n,
                         SDL_GetError());
    }
    std::fprintf(stderr, "%s: cannot open a %dx%d OpenGL window: %s\n", programme, largeur,
                 hauteur, SDL_GetError());
    return nullptr;
}

bool demarrerVideo() {
    const char* pilote = std::getenv("SDL_VIDEODRIVER");
    const bool choisi = pilote && *pilote;
    // Only for SDL_Init, which reads it: the environment is left as it was.
    if (!choisi) setenv("SDL_VIDEODRIVER", "x11", 1);
    const bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
    if (!choisi) unsetenv("SDL_VIDEODRIVER");
    if (ok) return true;
    const char* display = std::getenv("DISPLAY");
    if (choisi)
        std::fprintf(stderr, "%s: cannot start the video driver %s: %s\n",
                     program_invocation_short_name, pilote, SDL_GetError());
    else
        std::fprintf(stderr, "%s: cannot open the display %s (%s); check DISPLAY\n",
                     program_invocation_short_name, display ? display : "(unset)", SDL_GetError());
    return false;
}
