#include "fenetre.h"

#include <GL/gl.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lecture.h"

namespace {

SDL_Window* fenetre = nullptr;
SDL_GLContext contexte = nullptr;
void (*rappelPerte)(void*) = nullptr;
void* donneePerte = nullptr;

int perteAffichage(Display*) {
    std::fprintf(stderr, "%s: the connection to the X display is lost\n", program_invocation_short_name);
    if (rappelPerte) rappelPerte(donneePerte);
    std::fflush(nullptr);
    _exit(1);  // nothing of SDL or X may run any more
}

}  // namespace

bool affichageDisponible() {
    const char* pilote = std::getenv("SDL_VIDEODRIVER");
    if (pilote && *pilote) return true;  // the user chose a driver on purpose
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

SDL_Window* ouvrirFenetreGL(int largeur, int hauteur, int echantillons, const char* programme,
                            const char* titre) {
    if (fenetre) return fenetre;
    const int essais[] = {echantillons, 4, 0};
    int precedent = -1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    for (int n : essais) {
        if (n > echantillons || n == precedent) continue;
        precedent = n;
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, n > 0 ? 1 : 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, n);
        // Where the window manager puts it (centred on a screen without one).
        fenetre = SDL_CreateWindow(titre, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                   largeur, hauteur, SDL_WINDOW_OPENGL);
        if (fenetre) {
            contexte = SDL_GL_CreateContext(fenetre);
            if (contexte) {
                // Shown black at once, before the program's first frame.
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                SDL_GL_SwapWindow(fenetre);
                SDL_StopTextInput();  // no text is typed: no input method either
                return fenetre;
            }
            SDL_DestroyWindow(fenetre);
            fenetre = nullptr;
        }
        if (n > 0)
            std::fprintf(stderr, "%s: %d multisamples refused (%s); retrying\n", programme, n,
                         SDL_GetError());
    }
    std::fprintf(stderr, "%s: cannot open a %dx%d OpenGL window: %s\n", programme, largeur,
                 hauteur, SDL_GetError());
    return nullptr;
}

SDL_Window* fenetreGL() { return fenetre; }

void surPerteAffichage(void (*f)(void*), void* donnee) {
    rappelPerte = f;
    donneePerte = donnee;
    XSetIOErrorHandler(f ? perteAffichage : nullptr);
}

void poserIcone(const char* fichier) {
    if (!fenetre || !verifierLecture(fichier, "image")) return;
    if (SDL_Surface* icone = SDL_LoadBMP(fichier)) {
        SDL_SetWindowIcon(fenetre, icone);
        SDL_FreeSurface(icone);
    }
}

void fermerFenetreGL() {
    if (contexte) SDL_GL_DeleteContext(contexte);
    if (fenetre) SDL_DestroyWindow(fenetre);
    contexte = nullptr;
    fenetre = nullptr;
}

bool demarrerVideo(const char* classe) {
    const char* pilote = std::getenv("SDL_VIDEODRIVER");
    const bool choisi = pilote && *pilote;
    // Only for SDL_Init, which reads them, and only where the user set
    // nothing: the environment is left as it was, for the programs started
    // from here too (the editor's play-test names its own class). SDL takes
    // the X11 class for Wayland when no Wayland one is set.
    const char* x11 = std::getenv("SDL_VIDEO_X11_WMCLASS");
    struct { const char* nom; const char* valeur; bool posee; } variables[] = {
        {"SDL_VIDEODRIVER", "x11", false},
        {"SDL_VIDEO_X11_WMCLASS", classe, false},
        {"SDL_VIDEO_WAYLAND_WMCLASS", x11 && *x11 ? nullptr : classe, false}};
    for (auto& v : variables) {
        const char* deja = std::getenv(v.nom);
        v.posee = v.valeur && !(deja && *deja) && setenv(v.nom, v.valeur, 1) == 0;
    }
    const bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
    for (const auto& v : variables)
        if (v.posee) unsetenv(v.nom);
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
