// SPDX-License-Identifier: GPL-3.0-or-later
#include "fenetre.h"

#include <GL/gl.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
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

int largeurFenetre = 640, hauteurFenetre = 480;  // the size out of full screen

// Waits until the X server has given the window the size SDL announces: a
// frame drawn before would fill only part of it. A window manager sizes a
// full-screen window; without one (a bare X server) nothing would, so after
// a moment the program does it itself.
void attendreTaille(bool plein) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(fenetre, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* d = info.info.x11.display;
    int l = 0, h = 0;
    SDL_GetWindowSize(fenetre, &l, &h);
    for (int essai = 0; essai < 50; ++essai) {
        ::Window racine;
        int x = 0, y = 0;
        unsigned int lx = 0, hy = 0, bord, profondeur;
        XSync(d, False);
        XGetGeometry(d, info.info.x11.window, &racine, &x, &y, &lx, &hy, &bord, &profondeur);
        if (static_cast<int>(lx) == l && static_cast<int>(hy) == h) return;
        if (essai == 20) XMoveResizeWindow(d, info.info.x11.window, plein ? 0 : x, plein ? 0 : y, l, h);
        SDL_Delay(5);
    }
}

// The GL viewport over the whole window, as it is now.
void couvrir() {
    int l = 0, h = 0;
    SDL_GL_GetDrawableSize(fenetre, &l, &h);
    if (l > 0 && h > 0) glViewport(0, 0, l, h);
}

}  // namespace

bool affichageDisponible() {
    const char* pilote = std::getenv("SDL_VIDEODRIVER");
    if (pilote && *pilote) return true;  // the user chose a driver on purpose
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

namespace {

// Whether the X server's screen draws OpenGL on the processor (Mesa's
// llvmpipe or softpipe), asked of GLX before the window opens: a software
// renderer pays for every sample of every pixel, and a multisampled window
// keeps costing it on each clear and swap even with multisampling turned off
// (a third of each menu frame). False where GLX cannot tell.
bool rendeurLogiciel() {
    const char* pilote = SDL_GetCurrentVideoDriver();
    if (!pilote || std::strcmp(pilote, "x11") != 0) return false;
    SDL_Window* sonde = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    if (!sonde) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    unsigned int accelere = 1;
    if (SDL_GetWindowWMInfo(sonde, &info) && info.subsystem == SDL_SYSWM_X11 && SDL_GL_LoadLibrary(nullptr) == 0) {
        using Requete = int (*)(Display*, int, int, int, unsigned int*);
        const int kAccelere = 0x8186;  // GLX_RENDERER_ACCELERATED_MESA
        const auto requete = reinterpret_cast<Requete>(SDL_GL_GetProcAddress("glXQueryRendererIntegerMESA"));
        Display* d = info.info.x11.display;
        if (requete && !requete(d, DefaultScreen(d), 0, kAccelere, &accelere)) accelere = 1;
        SDL_GL_UnloadLibrary();
    }
    SDL_DestroyWindow(sonde);
    return accelere == 0;
}

// Where GLX could not tell (another video driver), a software renderer that
// granted samples at least draws each edge with one.
void multiechantillonnage() {
    const char* rendu = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!rendu) return;
    for (const char* logiciel : {"llvmpipe", "softpipe", "Software Rasterizer"})
        if (std::strstr(rendu, logiciel)) glDisable(GL_MULTISAMPLE);
}

}  // namespace

SDL_Window* ouvrirFenetreGL(int largeur, int hauteur, int echantillons, const char* programme,
                            const char* titre, bool plein) {
    if (fenetre) return fenetre;
    // Never smaller than 320 × 240, never larger than the desktop.
    SDL_DisplayMode bureau{};
    const bool borne = SDL_GetDesktopDisplayMode(0, &bureau) == 0 && bureau.w >= 320 && bureau.h >= 240;
    largeur = largeurFenetre = std::clamp(largeur, 320, borne ? bureau.w : std::max(largeur, 320));
    hauteur = hauteurFenetre = std::clamp(hauteur, 240, borne ? bureau.h : std::max(hauteur, 240));
    const Uint32 drapeaux = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | (plein ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (echantillons > 0 && rendeurLogiciel()) echantillons = 0;
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
                                   largeur, hauteur, drapeaux);
        if (fenetre) {
            contexte = SDL_GL_CreateContext(fenetre);
            if (contexte) {
                SDL_SetWindowMinimumSize(fenetre, 320, 240);
                if (plein) attendreTaille(true);
                couvrir();
                if (n > 0) multiechantillonnage();
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

bool synchroVerticale(bool oui) {
    if (!oui) {
        SDL_GL_SetSwapInterval(0);
        return false;
    }
    return SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
}

SDL_Window* fenetreGL() { return fenetre; }

void surPerteAffichage(void (*f)(void*), void* donnee) {
    rappelPerte = f;
    donneePerte = donnee;
    XSetIOErrorHandler(f ? perteAffichage : nullptr);
}

bool pleinEcran() { return fenetre && (SDL_GetWindowFlags(fenetre) & SDL_WINDOW_FULLSCREEN); }

void basculerPleinEcran() {
    if (!fenetre) return;
    if (pleinEcran()) {
        SDL_SetWindowFullscreen(fenetre, 0);
        // Without a window manager nothing else gives the window its size back.
        SDL_SetWindowSize(fenetre, largeurFenetre, hauteurFenetre);
    } else {
        SDL_GetWindowSize(fenetre, &largeurFenetre, &hauteurFenetre);
        SDL_SetWindowFullscreen(fenetre, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    attendreTaille(pleinEcran());
    couvrir();  // and again when the new size is announced
}

void tailleFenetre(int& largeur, int& hauteur) {
    if (fenetre && !pleinEcran()) SDL_GetWindowSize(fenetre, &largeurFenetre, &hauteurFenetre);
    largeur = largeurFenetre;
    hauteur = hauteurFenetre;
}

void evenementFenetre(const SDL_Event& e) {
    if (fenetre && e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED &&
        e.window.windowID == SDL_GetWindowID(fenetre))
        glViewport(0, 0, e.window.data1, e.window.data2);
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

void saisieTexte(bool active) {
    if (active == (SDL_IsTextInputActive() == SDL_TRUE)) return;
    if (active)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}
