// SPDX-License-Identifier: GPL-3.0-or-later
// The screenshots of the AppStream metainfo, drawn by the programs themselves
// in a game folder: the main menu (the whole game program, past its logo), a
// run through a city level (Alpha City) and one in the mountains (Peak), the
// ball pushed forward, and the level editor on a free map. 640 × 480 PNGs
// (4:3), the same at every run.
//
//   cd build/game && xvfb-run -a ../tools/planche/vorna_ecrans ../ecrans
//
// `make ecrans` (and `make package`) runs it so.
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "application.h"
#include "capture.h"
#include "edition.h"
#include "fenetre.h"
#include "fsound.h"
#include "jeu.h"
#include "menu.h"

namespace {

using capture::touche;

// The menu as the player first sees it, once the logo and the fade are over.
capture::Image menu() {
    int depuis = -1;
    capture::Systeme s([&](int frame) {
        const InstantMenu& m = instantMenu();
        if (m.logo || m.fondu) return false;
        if (depuis < 0) depuis = frame;
        return frame >= depuis + 40;
    });
    char nom[] = "vorna";
    char* argv[] = {nom, nullptr};
    SDL_main(1, argv);
    return s.image;
}

// A scenario level, the ball pushed forward (and to a side) from the end of
// the start, taken at frame `frame` of the run.
capture::Image course(int niveau, SDL_Keycode cote, int frame) {
    capture::Systeme s([&](int f) { return f == frame; },
                       {{5, touche(SDLK_UP, true)}, {frame / 2, touche(cote, true)},
                        {frame / 2 + 12, touche(cote, false)}});
    Jeu jeu(capture::L, capture::H);
    jeu.setFantome(false);
    jeu.setScenario(true);
    jeu.setMapScenario(niveau);
    jeu.jouer();
    return s.image;
}

// The editor on a free map, the camera drawn back with the wheel.
capture::Image edition(const std::string& map) {
    std::multimap<int, SDL_Event> script;
    for (int i = 0; i < 5; ++i) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = -1;
        script.insert({2 + i, e});
    }
    capture::Systeme s([](int frame) { return frame == 30; }, script);
    editeur::jouer(map, 0);
    return s.image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorna_ecrans FOLDER   (run in a game folder, under Xvfb)\n");
        return 2;
    }
    const std::string dossier = argv[1];
    mkdir(dossier.c_str(), 0755);
    if (!affichageDisponible()) {
        std::fprintf(stderr, "vorna_ecrans: no display (run it under xvfb-run)\n");
        return 1;
    }
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    const capture::Image m = menu();  // the whole program: it opens and closes SDL itself
    if (!demarrerVideo("vorna_ecrans") || !ouvrirFenetreGL(capture::L, capture::H, 4, "vorna_ecrans")) return 1;
    FSOUND_Init(44100, 32, 0);
    glEnable(GL_TEXTURE_2D);  // as the program does once at start-up
    const struct { const char* nom; capture::Image image; } ecrans[] = {
        {"menu", m},
        {"ville", course(5, SDLK_LEFT, 90)},
        {"montagne", course(13, SDLK_LEFT, 120)},
        {"editeur", edition("Archipel.txt")},
    };
    FSOUND_Close();
    fermerFenetreGL();
    SDL_Quit();
    int statut = 0;
    for (const auto& e : ecrans) {
        const std::string chemin = dossier + "/" + e.nom + ".png";
        if (e.image.empty()) {
            std::fprintf(stderr, "vorna_ecrans: nothing drawn for %s\n", chemin.c_str());
            statut = 1;
        } else if (!capture::ecrirePng(chemin, e.image)) {
            statut = 1;
        } else {
            std::printf("%s\n", chemin.c_str());
        }
    }
    return statut;
}
