// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_editeur.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "dossier_joueur.h"
#include "fenetre.h"
#include "langue.h"
#include "menu_editeur.h"
#include "options.h"
#include "reglages.h"
#include "sauvetage.h"
#include "score.h"
#include "systeme.h"
#include "texte.h"
#include "traduction.h"
#include "version.h"

namespace editeur {

namespace {

// The usage line (standard error says it after a wrong option, in English
// as every line there), then the help, in the language of the environment.
const char* const kSynopsis = "usage: bramelt [--help] [--version]\n";
const char* const kAide = aTraduireContexte(
    "terminal",
    "Bramelt, the level editor of Vorna. Start it in the game folder (beside vorna,\n"
    "with data/ and maps/); it saves the maps it makes into maps/. Installed, it\n"
    "works in the player's folder $XDG_DATA_HOME/vorna (~/.local/share/vorna).\n"
    "  --help       show this help\n"
    "  --version    show the version\n"
    "Keys in a map (F1 shows them too); the edited object is the chosen one, else the cursor:\n"
    "  w s / a d / q e      move along -x +x / -y +y / down up while held\n"
    "  Up Down / Right Left / j n   half-size along x / y / z, +1 -1\n"
    "  t r                  next / previous kind\n"
    "  Return               place a copy of the cursor where it stands\n"
    "  Backspace            the last placed object becomes the cursor again\n"
    "  p                    delete every placed object but the start\n"
    "  Space                save (once two objects are placed)\n"
    "  F5                   save, then play the map in vorna\n"
    "  z x                  the start sphere filled / as wire frame\n"
    "  mouse wheel          camera nearer / farther\n"
    "  Tab, Shift+Tab       choose the next / previous placed object\n"
    "  left click           choose the object under the pointer (on nothing: the cursor)\n"
    "  Escape               back to the cursor; with nothing chosen, back to the menu\n"
    "                       (with changes not saved it asks: Space saves, Escape drops them)\n"
    "  Delete               delete the chosen object\n"
    "  Ctrl+D               duplicate the chosen object beside itself\n"
    "  Ctrl+Z, Ctrl+Y       undo, redo (Ctrl+Shift+Z redoes too)\n"
    "  G, Shift+G           the ground grid; snapping to it (whole units, half-sizes by halves)\n"
    "  O                    the overview of the whole map (clicks still choose)\n"
    "  F1                   the help screen\n");
// The keys that came later, and the game's own levels.
const char* const kAideSuite = aTraduireContexte(
    "terminal",
    "  left drag            move the chosen objects on the ground (Shift: up, down)\n"
    "  Shift+click          add the object under the pointer to the chosen ones, or\n"
    "                       take it out\n"
    "  right drag           choose every object whose centre shows in the rectangle\n"
    "  Ctrl+A               choose every placed object\n"
    "  Ctrl+C, Ctrl+X       copy, cut the chosen objects to the clipboard (as level\n"
    "                       records)\n"
    "  Ctrl+V               paste them at the cursor, keeping their places\n"
    "  F11, Alt+Return      full screen, or back to a window\n"
    "The chosen objects move, resize, change kind, and are deleted and duplicated as\n"
    "one. \"Edit a map\" lists the game's levels by title, then maps/*.txt.\n"
    "In a game folder a scenario level is saved in place; where the game is\n"
    "installed, as a copy among the player's maps (maps/map4.txt for the fourth),\n"
    "which the editor says.\n");
// Publishing.
const char* const kAidePublier = aTraduireContexte(
    "terminal",
    "  F9                   publish the map on the score server, once saved and\n"
    "                       finished in the play-test (F5): the author's name and a\n"
    "                       title are asked, the overview goes with it, the run\n"
    "                       becomes its first record. The server is the game's:\n"
    "                       serveur_scores in data/joueur/reglages.txt, else\n"
    "                       $VORNA_SCORE_SERVER, else www.vorna-game.org.\n");

// Level sets.
const char* const kAideSeries = aTraduireContexte(
    "terminal",
    "\"New set\" and \"Edit a set\", in the menu, make a level set: a title and maps\n"
    "of maps/ the game plays in order (Tab: the other column, Return: add the map,\n"
    "Delete: take it out, Page Up, Page Down: move it, Ctrl+S: save it into\n"
    "maps/sets/). The game keeps each set's progress in data/joueur/series/.\n");

}  // namespace

int lancerBramelt(int argc, char** argv) {
    initialiserLangue();
    const std::string usage = kSynopsis + std::string(trContexte("terminal", kAide)) +
                              trContexte("terminal", kAideSuite) + trContexte("terminal", kAidePublier) +
                              trContexte("terminal", kAideSeries);
    const int statut = appliquerOptions(lireOptions(argc, argv, false), "bramelt", "Bramelt " VORNA_VERSION, usage.c_str());
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
    // The window as it was left last time; the caption in UTF-8, as window
    // managers read it.
    const Reglages r = lireReglages();
    choisirLangue(r.langue);
    contourTexte(r.contourTexte);  // the game's dark outline round every text, by the same setting
    // The score server maps are published on: the game's.
    if (!r.serveurScores.empty() && !setServeurScore(r.serveurScores))
        std::fprintf(stderr, "bramelt: serveur_scores '%s' of %s is not HOST[:PORT]; ignored\n",
                     r.serveurScores.c_str(), kFichierReglages);
    choisirServeurScore("");
    if (!ouvrirFenetreGL(r.largeurEditeur, r.hauteurEditeur, 0, "bramelt",
                         trContexte("fenetre", "Bramelt adapt\xc3\xa9 pour Vorna by Mervo"), r.pleinEcranEditeur)) {
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
    int l, h;
    tailleFenetre(l, h);
    const bool plein = pleinEcran();
    if (l != r.largeurEditeur || h != r.hauteurEditeur || plein != r.pleinEcranEditeur)
        modifierReglages([&](Reglages& f) {
            f.largeurEditeur = l;
            f.hauteurEditeur = h;
            f.pleinEcranEditeur = plein;
        });
    fermerFenetreGL();
    sys::retirerSignaux();
    SDL_Quit();
    // Ended by a signal: the shell's status for it.
    if (const int signal = sys::signalRecu()) return 128 + signal;
    return 0;
}

}  // namespace editeur
