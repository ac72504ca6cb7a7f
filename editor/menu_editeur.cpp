// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_editeur.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "cadre.h"
#include "edition.h"
#include "panneau_serie.h"
#include "repertoire.h"
#include "scenarios.h"
#include "sauvetage.h"
#include "systeme.h"
#include "texte.h"
#include "texture.h"
#include "traduction.h"

namespace editeur {

namespace {

// The menu redraws at most once per this many ms: it shows the same labels,
// without keeping a whole core busy.
const Uint32 kImageMenu = 30;
// The labels a list of maps shows at once: more would run off the screen.
const size_t kVisibles = 16;

}  // namespace

Menu::Menu(int longueur, int largeur) : m_longueur(longueur), m_largeur(largeur) {
    m_texture_texte = loadTexture("data/font1.TGA", true);
    if (!m_texture_texte)
        std::fprintf(stderr, "bramelt: cannot load data/font1.TGA; the menu's labels cannot be shown\n");
}

Menu::~Menu() {
    libererTexture(m_texture_texte);
}

void Menu::loadListeMaps() {
    nomMap = listerFichiers("./maps", ".txt");
    niveaux.clear();
    for (const std::string& f : listerFichiers("./maps/niveau", ".qzm")) {
        unsigned int n = 0;
        char fin = 0;
        const bool numero = std::sscanf(f.c_str(), "map%u.qz%c", &n, &fin) == 2 && fin == 'm';
        const NiveauScenario* s = numero ? niveauScenario(n) : nullptr;
        niveaux.push_back({s ? tr(s->titre) : f, "niveau/" + f, s != nullptr});
    }
    // The scenario's own levels first, in their order.
    std::stable_partition(niveaux.begin(), niveaux.end(), [](const NiveauListe& n) { return n.scenario; });
}

void Menu::boutonsPrincipaux() {
    dansListe = false;
    dansSeries = false;
    premier = 0;
    tranche = FenetreListe();
    boutons.clear();
    boutons.emplace_back(Vector3D(0, 0.1, 0), tr("Nouvelle map"));
    boutons.emplace_back(Vector3D(0, 0, 0), tr("Editer une map"));
    boutons.emplace_back(Vector3D(0, -0.1, 0), tr("Quitter"));
    // The level sets below, where the labels of old stay put.
    boutons.emplace_back(Vector3D(0, -0.2, 0), tr("Nouvelle serie"));
    boutons.emplace_back(Vector3D(0, -0.3, 0), tr("Editer une serie"));
}

// The scenario levels, the maps (or the sets) then "Retour", centred as a column; of a list longer than the
// screen, the kVisibles labels from `premier`.
void Menu::listeDesMaps() {
    dansListe = true;
    std::vector<std::string> labels;
    if (dansSeries) {  // or the sets, by their titles
        for (const Serie& s : series) labels.push_back(s.titre);
    } else {
        for (const NiveauListe& n : niveaux) labels.push_back(n.titre);
        labels.insert(labels.end(), nomMap.begin(), nomMap.end());
    }
    labels.push_back(tr("Retour"));
    tranche = fenetreListe(labels.size(), kVisibles, premier, premier);
    const double n = static_cast<double>(tranche.fin - premier - 1);
    boutons.clear();
    for (size_t i = premier; i < tranche.fin; ++i)
        boutons.emplace_back(Vector3D(0, (static_cast<double>(i - premier) - n / 2) / -10, 0), labels[i]);
    choix = std::min(choix, boutons.size() - 1);
}

void Menu::defiler(int pas) {
    if (!dansListe || entrees() + 1 <= kVisibles) return;
    premier = pas < 0 && premier == 0 ? 0 : premier + pas;
    listeDesMaps();
}

// Up and Down: the next label, the list scrolling to keep it in view.
void Menu::deplacerChoix(int pas) {
    if (pas < 0 && choix == 0)
        defiler(-1);
    else if (pas > 0 && choix + 1 == boutons.size())
        defiler(1);
    else
        choix += pas;
}

// The labels in the language in use; a map's always holds ".txt", no other's
// does but a scenario level's title may.
void Menu::agir(const std::string& label) {
    if (dansSeries && premier + choix < series.size()) {  // a set of the list, by its place
        PanneauSerie(series[premier + choix], m_texture_texte).lancer();
        return boutonsPrincipaux();
    }
    const auto niveau = std::find_if(niveaux.begin(), niveaux.end(), [&](const NiveauListe& n) { return n.titre == label; });
    if (dansListe && niveau != niveaux.end()) {
        jouer(niveau->fichier, 0);
        boutonsPrincipaux();
    } else if (label.find(".txt") != std::string::npos) {
        jouer(label, 0);
        boutonsPrincipaux();
    } else if (label == tr("Editer une map")) {
        choix = 0;
        listeDesMaps();
    } else if (label == tr("Nouvelle map")) {
        jouer("nomap", static_cast<int>(nomMap.size()));
        loadListeMaps();
        boutonsPrincipaux();
    } else if (label == tr("Nouvelle serie")) {
        PanneauSerie(Serie(), m_texture_texte).lancer();
        boutonsPrincipaux();
    } else if (label == tr("Editer une serie")) {
        series = seriesAEditer();
        dansSeries = true;
        choix = 0;
        listeDesMaps();
    } else if (label == tr("Retour")) {
        boutonsPrincipaux();
    } else if (label == tr("Quitter")) {
        m_continuer = false;
    }
}

// The pointer selects the lowest button whose top edge lies above it; above
// every button, the first one.
void Menu::reselectionner(int y) {
    choix = 0;
    for (size_t i = 0; i < boutons.size(); ++i)
        if (m_largeur - 2 * y < m_largeur * boutons[i].getPos().Y + m_largeur / 10) choix = i;
}

void Menu::lancer() {
    loadListeMaps();
    sauvetages = listerSauvetages();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    choix = 0;
    sys::keyRepeat(10, 10);
    boutonsPrincipaux();

    // A signal ends the menu, and the program, at the next frame, whether it
    // came here or ended an editing session.
    while (m_continuer && !sys::arretDemande()) {
        const Uint32 debut = sys::ticks();
        SDL_Event e;
        while (sys::pollEvent(&e)) evenement(e);
        for (size_t i = 0; i < boutons.size(); ++i) boutons[i].setChoisi(i == choix);
        draw();

        const Uint32 ecoule = sys::ticks() - debut;
        if (ecoule < kImageMenu) sys::delay(kImageMenu - ecoule);
    }
    boutons.clear();
}

// A click acts on the button under it, wherever the pointer was before.
void Menu::cliquer(int y) {
    reselectionner(yDesign(y, m_longueur, m_largeur));
    agir(boutons[choix].getTexte());
    reselectionner(yDesign(y, m_longueur, m_largeur));
}

void Menu::evenement(const SDL_Event& e) {
    switch (e.type) {
    case SDL_MOUSEMOTION: reselectionner(yDesign(e.motion.y, m_longueur, m_largeur)); break;
    case SDL_KEYDOWN:
        if (e.key.keysym.sym == SDLK_UP || e.key.keysym.sym == SDLK_DOWN)
            deplacerChoix(e.key.keysym.sym == SDLK_UP ? -1 : 1);
        else if (e.key.keysym.sym == SDLK_ESCAPE)
            m_continuer = false;
        break;
    case SDL_KEYUP:
        if (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) agir(boutons[choix].getTexte());
        break;
    case SDL_MOUSEBUTTONUP: cliquer(e.button.y); break;  // any button
    case SDL_MOUSEWHEEL:
        if (!sys::molette(e)) break;  // sideways only
        // The wheel scrolls a list longer than the screen; elsewhere a turn
        // of it counts as a click.
        if (dansListe && entrees() + 1 > kVisibles) {
            defiler(-sys::molette(e));
            reselectionner(yDesign(e.wheel.mouseY, m_longueur, m_largeur));
        } else {
            cliquer(e.wheel.mouseY);
        }
        break;
    case SDL_QUIT: m_continuer = false; break;
    default: break;
    }
}

void Menu::draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    glBindTexture(GL_TEXTURE_2D, m_texture_texte);
    for (const Bouton_menu& b : boutons) b.dessiner(m_longueur, m_largeur);
    if (dansListe && tranche.plusHaut)  // more labels above, or below
        Bouton_menu(Vector3D(0, boutons.front().getPos().Y + 0.1, 0), "...").dessiner(m_longueur, m_largeur);
    if (dansListe && tranche.plusBas)
        Bouton_menu(Vector3D(0, boutons.back().getPos().Y - 0.1, 0), "...").dessiner(m_longueur, m_largeur);
    if (!sauvetages.empty()) {
        // Rescue copies left by an editor ended by a signal, at the bottom left.
        const std::string avis = sauvetages.size() == 1
                                     ? formater(tr("Copie de secours: %s"), sauvetages[0].substr(5).c_str())
                                     : formater(tr("%zu copies de secours dans maps"), sauvetages.size());
        glColor3ubv(kSelection);
        ::Texte::mervoprint(avis.c_str(), m_texture_texte, 0, 0, 0, m_longueur, m_largeur);
        glColor3ub(255, 255, 255);
    }
    glFlush();
    sys::swapBuffers();
}

}  // namespace editeur
