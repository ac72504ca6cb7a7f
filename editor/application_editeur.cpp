#include "application_editeur.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "dossier_joueur.h"
#include "fenetre.h"
#include "menu_editeur.h"
#include "options.h"
#include "sauvetage.h"
#include "systeme.h"
#include "version.h"

namespace editeur {

namespace {

const char* const kUsage =
    "usage: bramelt [--help] [--version]\n"
    "Bramelt, the level editor of Vorna. Start it in the game folder (beside vorna,\n"
    "with data/ and maps/); it saves the maps it makes into maps/. Installed, it\n"
    "works in the player's folder $XDG_DATA_HOME/vorna (~/.local/share/vorna).\n"
    "  --help       show this help\n"
    "  --version    show the version\n";

}  // namespace

int lancerBramelt(int argc, char** argv) {
    const int statut = appliquerOptions(lireOptions(argc, argv, false), "bramelt", "Bramelt " VORNA_VERSION, kUsage);
    if (statut >= 0) return statut;
    if (!entrerDossierJoueur("bramelt")) return 1;  // installed: the player's folder
    if (!affichageDisponible()) {
        std::fprintf(stderr, "bramelt: no graphical display (DISPLAY is not set); "
                             "bramelt needs an X display with OpenGL\n");
        return 1;
    }
    if (!demarrerVideo("org.vorna_game.bramelt")) return 1;
    // SIGINT and SIGTERM end the program from the menu or a map, as a normal
    // exit does (a map not saved goes to a rescue copy).
    sys::installerSignaux();
    // The caption in UTF-8, as window managers read it.
    if (!ouvrirFenetreGL(640, 480, 0, "bramelt", "Bramelt adapt\xc3\xa9 pour Vorna by Mervo")) {
        sys::retirerSignaux();
        SDL_Quit();
        return 1;
    }
    annoncerSauvetages(listerSauvetages());
    sys::keyRepeat(300, 100);

    {
        auto menu = std::make_unique<Menu>(640, 480);
        menu->lancer();
    }
    fermerFenetreGL();
    sys::retirerSignaux();
    SDL_Quit();
    // Ended by a signal: the shell's status for it.
    if (const int signal = sys::signalRecu()) return 128 + signal;
    return 0;
}

}  // namespace editeur
