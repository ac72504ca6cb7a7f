// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_MENU_H
#define VORNA_EDITEUR_MENU_H

#include <string>
#include <vector>

#include <SDL.h>

#include "bouton_menu.h"
#include "liste_defilante.h"
#include "serie.h"

namespace editeur {

// The editor's menu: labels chosen with the mouse (or Up, Down and Return)
// to create a new map, edit one of the game's scenario levels (listed first,
// by their titles) or of the maps of maps/, quit, or make a level set or
// edit one of maps/sets (panneau_serie.h). Choosing a map
// runs the editing session in the same window; when it returns, the menu
// comes back. A list of maps longer than the screen scrolls.
class Menu {
public:
    // Loads the font "data/font1.TGA"; the window (`longueur` × `largeur`)
    // must be open.
    Menu(int longueur, int largeur);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // The names of maps/ that contain ".txt", in natural order.
    // And the scenario levels of maps/niveau/.
    void loadListeMaps();
    // Runs the menu until Escape, "Quitter", the close request or a signal
    // (SIGINT, SIGTERM: see sys::arretDemande). Rescue copies of maps found
    // in maps/ are named at the bottom left.
    void lancer();
    void draw();

    const std::vector<Bouton_menu>& getBoutons() const { return boutons; }
    const std::vector<std::string>& getNomMap() const { return nomMap; }
    // A level of maps/niveau/: its title (the label; a file not numbered as
    // the scenario's shows its name) and its file under maps/.
    struct NiveauListe {
        std::string titre, fichier;
        bool scenario;
    };
    const std::vector<NiveauListe>& getNiveaux() const { return niveaux; }

private:
    void boutonsPrincipaux();
    void listeDesMaps();
    void agir(const std::string& label);
    void reselectionner(int y);
    void evenement(const SDL_Event& e);
    void cliquer(int y);
    void defiler(int pas);
    void deplacerChoix(int pas);
    std::size_t entrees() const { return dansSeries ? series.size() : niveaux.size() + nomMap.size(); }

    int m_longueur;
    int m_largeur;
    unsigned int m_texture_texte = 0;
    std::vector<Bouton_menu> boutons;
    std::vector<std::string> nomMap;
    std::vector<NiveauListe> niveaux;
    std::vector<std::string> sauvetages;  // rescue copies in maps/, shown as a notice
    bool m_continuer = true;
    size_t choix = 0;
    // The list of maps, when shown: longer than the screen, it shows a slice
    // from `premier`, moved by the wheel and the arrow keys.
    bool dansListe = false;
    bool dansSeries = false;    // the list shown is that of the sets
    std::vector<Serie> series;  // the sets of maps/sets, while listed
    size_t premier = 0;
    FenetreListe tranche;
};

}  // namespace editeur

#endif
