// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's keys and wheel: the highlight moved, from screen to screen,
// and the entry chosen with Return.

#include "menu_principal.h"
#include "systeme.h"
#include "touches.h"

void MenuPrincipal::evenements() {
    SDL_Event e;
    if (sys::arretDemande()) s.continuer = 0;  // from any screen, the logo too
    while (sys::pollEvent(&e)) {
        if (s.logo.logo) continue;  // the logo swallows every event, the close request too
        bool ecrit = true;
        if (choix2 == 4 && touches.prendre(e, res.reglages, ecrit)) {  // a key being given
            if (!ecrit) nonEnregistre();
            continue;
        }
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) e.key.keysym.sym = toucheMenu(e.key.keysym);
        if (e.type == SDL_QUIT) {
            s.continuer = 0;
        } else if (s.finScenario) {  // the end screen: Return or Escape goes back to the menu
            if (e.type == SDL_KEYUP && (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_ESCAPE)) {
                jouerSon(res.bouton);
                s.finScenario = false;
                s.serieFinie.clear();
            }
        } else if (sys::molette(e) && choix2 == 0 && choix3 >= 0 && choixMax > 0) {
            // In a list the wheel moves the choice as Up and Down do.
            jouerSon(res.cursor);
            choix = sys::molette(e) > 0 ? (choix == 0 ? choixMax - 1 : choix - 1) : (choix + 1) % choixMax;
            passerVerrouilles(-sys::molette(e));
        } else if (e.type == SDL_KEYDOWN) {
            if (e.key.keysym.sym == SDLK_UP) {
                jouerSon(res.cursor);
                if (choixMax > 0) choix = choix == 0 ? choixMax - 1 : choix - 1;
                passerVerrouilles(-1);
            } else if (e.key.keysym.sym == SDLK_DOWN) {
                jouerSon(res.cursor);
                if (choixMax > 0) choix = choix >= choixMax - 1 ? 0 : choix + 1;
                passerVerrouilles(1);
            } else if ((e.key.keysym.sym == SDLK_LEFT || e.key.keysym.sym == SDLK_RIGHT) && surEnLigne()) {
                jouerSon(res.cursor);  // the other list: the newest maps or the most played
                enLigne.changerTri();
                choix = 0, premier = 0;
            } else if ((e.key.keysym.sym == SDLK_LEFT || e.key.keysym.sym == SDLK_RIGHT) && reglage() >= 0) {
                regler(reglage(), e.key.keysym.sym == SDLK_RIGHT ? 1 : -1, false);
                jouerSon(res.cursor);
            }
        } else if (e.type == SDL_KEYUP) {
            toucheRelachee(e.key.keysym.sym);
        }
    }
}

void MenuPrincipal::toucheRelachee(SDL_Keycode k) {
    if (k == SDLK_UP || k == SDLK_DOWN) {
        jouerSon(res.cursor);
    } else if (k == SDLK_ESCAPE) {
        if (choix1 == 1)
            s.continuer = 0;
        else if (choix2 == 4)
            ecranTouches(false);
        else if (choix2 == 1 || choix2 == 2 || choix2 == 3)
            ecranHaut();
        else if (choix3 == 3) {  // a set's levels: back to the scenario list, on the set
            const size_t k = series.ouverte();
            ouvrirScenario();
            choix = static_cast<unsigned int>(nomSce.size() + k);
        } else if (choix3 == 0 || choix3 == 1 || choix3 == 2 || choix3 == 4) {
            if (choix3 == 4) enLigne.abandonner();  // a download on its way is forgotten
            ecranJouer();
        }
    } else if (k == SDLK_RETURN) {
        jouerSon(res.bouton);
        // Once a choice is made its fade runs to the launch; a second Return
        // cannot change what is launched.
        if (!res.fondublanc.getF()) entree();
    }
}

void MenuPrincipal::entree() {
    if (entreeOptions() || entreeListe()) return;

    // The entry rule, by the highlighted position.
    switch (choix) {
        case 0:
            if (choix2 == 1) {  // Play: "Scenario"
                // The highlight only reaches unlocked levels that exist, and the sets.
                ouvrirScenario();
            } else if (choix1 == 1) {  // Top: "Jouer"
                ecranJouer();
            }
            if (choix2 == 3) regler(kReglageSauverFantome, 1, false);  // Options: ghost saving
            break;
        case 1:
            if (choix2 == 1) ouvrirListe(1, static_cast<unsigned>(tailleNomMap + 1));  // Play: "Map perso"
            if (choix2 == 3) ecranHaut();  // Options: "Retour"
            break;                          // Top: "Multijoueur" does nothing
        case 2:
            if (choix2 == 1) {  // Play: "Maps en ligne"
                ouvrirListe(4, static_cast<unsigned>(enLigne.maps().size()));
                enLigne.ouvrir();
            } else if (choix1 == 1) {  // Top: "Options"
                ecranOptions();
            }
            break;
        case 3:
            if (choix1 == 1) s.continuer = 0;  // Top: "Quitter"
            if (choix2 == 1) ouvrirListe(2, static_cast<unsigned>(tailleNomGhost + 1));  // Play: "Fantome"
            break;
        case 4:
            if (choix2 == 1) {  // Play: "Retour"
                choix = 0;
                choix1 = 1;
                choix2 = 0;
                choixMax = 4;
            }
            break;
        default:
            break;
    }
}
