// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MENU_H
#define VORNA_MENU_H

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fondu.h"
#include "fsound.h"
#include "jeu.h"
#include "logo.h"
#include "reglages.h"
#include "skybox.h"
#include "texture.h"

// What the main menu keeps for the whole program.
struct RessourcesMenu {
    std::unique_ptr<Jeu> jeu;
    FSOUND_SAMPLE* cursor = nullptr;
    FSOUND_SAMPLE* bouton = nullptr;
    std::unique_ptr<Skybox> skybox;
    Texture textureGestion;
    Fondu fondublanc{255, 255, 255};
    Reglages reglages;  // the player's settings in use (the Options screen)
    // What is left to load while the logo shows, one piece between two of
    // its frames: its first frame waits for the logo's own image alone.
    std::deque<std::function<void()>> aCharger;
    // Loads the next piece; false when all is loaded.
    bool chargerSuivant() {
        if (aCharger.empty()) return false;
        const std::function<void()> piece = std::move(aCharger.front());
        aCharger.pop_front();
        piece();
        return true;
    }
};

// Reads the player's progress ("data/joueur/niveau.txt") into the session:
// a missing file, or one without a level number, opens level 1.
void lireProgression(Jeu& jeu);

// The shell's values the menu loop works with.
struct Shell {
    int hauteur = 640;
    int largeur = 480;
    int continuer = 1;  // 1: build the menu, 2: menu running, 0 (or above 2): quit
    bool echec = false; // the menu could not be built: the program ends with an error status
    bool finScenario = false;  // the last scenario level was finished: the end screen shows
    std::string serieFinie;    // with finScenario: the level set finished ("" for the scenario)
    unsigned int textureFont = 0;
    FSOUND_STREAM* musique = nullptr;
    Logo logo;
};

// What the menu showed and held at its last frame, for tests and debugging.
struct TexteMenu {
    std::string texte;
    int pos;
    double y;
    int r, g, b;  // the colour it was printed in
};
struct InstantMenu {
    int frame = 0;           // menu frames drawn so far, this one included
    bool swap = false;       // true only while the menu itself swaps its buffers
    bool logo = false;
    unsigned int choix = 0, choixMax = 0;
    int choix1 = 0, choix2 = 0, choix3 = 0;
    bool fondu = false;
    int fonduR = 0;
    int continuer = 0;
    bool ghost = false;
    std::string futureMap;
    std::vector<TexteMenu> textes;
};
const InstantMenu& instantMenu();

// Runs the main menu (building it whenever `continuer` is 1, with the logo
// pass on the first frames) until `continuer` is 0 or above 2.
void boucleMenu(Shell& shell, RessourcesMenu& ressources);

#endif
