// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_PANNEAU_SERIE_H
#define VORNA_EDITEUR_PANNEAU_SERIE_H

#include <string>
#include <vector>

#include <SDL.h>

#include "serie.h"

namespace editeur {

// The panel where a level set is made (serie.h): its title typed at the
// top, its maps in order on the left, the maps of maps/ on the right.
//   typing, Backspace   the title
//   Tab                 from one column to the other
//   Up, Down            the chosen map of the column
//   Return              adds the chosen map of maps/ at the end of the set
//   Delete              takes the chosen map out of the set
//   Page Up, Page Down  moves the chosen map of the set up or down
//   Ctrl+S              saves the set (maps/sets/<name>.txt, whole)
//   Escape              back to the menu; with changes not saved, a second
//                       Escape drops them
class PanneauSerie {
public:
    // `serie`: the set opened (a new one has no name yet); `police` the
    // font's texture.
    PanneauSerie(Serie serie, unsigned int police);
    // Runs until Escape, the close request or a signal.
    void lancer();

    // What the panel holds, for tests.
    const Serie& serie() const { return m_serie; }
    const std::string& message() const { return m_message; }

private:
    void evenement(const SDL_Event& e);
    void touche(const SDL_Keysym& k);
    void enregistrer();
    void changer() { m_modifiee = true, m_message.clear(); }
    void dessiner() const;
    void colonne(const std::vector<std::string>& noms, std::size_t choisi, bool active, double x) const;
    void ligne(const std::string& texte, double x, double y) const;

    Serie m_serie;
    unsigned int m_police;
    std::vector<std::string> m_maps;  // the maps of maps/
    std::size_t m_choixSerie = 0, m_choixMaps = 0;
    bool m_colonneMaps = true;  // the column Up and Down move in
    bool m_modifiee = false;
    bool m_quitter = false;
    bool m_avertie = false;  // Escape pressed once with changes not saved
    std::string m_message;
};

// The sets of maps/sets, every one that reads, for the menu's list.
std::vector<Serie> seriesAEditer();

}  // namespace editeur

#endif
