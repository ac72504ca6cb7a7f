// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MENU_PRINCIPAL_H
#define VORNA_MENU_PRINCIPAL_H

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "cadence.h"
#include "fondu.h"
#include "heros.h"
#include "lot_blocs.h"
#include "maps_en_ligne.h"
#include "menu.h"
#include "menu_series.h"
#include "mondial.h"
#include "objet.h"
#include "records.h"
#include "reglages_menu.h"
#include "touches_menu.h"

const GLubyte kBlanc[3] = {255, 255, 255};
const GLubyte kGris[3] = {125, 125, 125};

// The entries a list shows at once: more would run off the screen.
const size_t kVisibles = 15;

// The menu between two activities: built from disk, then run frame by frame
// until the player quits or an activity has been launched and has returned.
// The screen in use is (choix1, choix2, choix3), its highlighted entry
// `choix` of `choixMax`. By concept: menu.cpp (building, the loop and its
// steps), menu_choix.cpp (the keys and the wheel: from screen to screen, the
// entry chosen), menu_lancement.cpp (the activity launched: a level, the
// scenario's or a set's levels one after the other, a ghost's replay),
// menu_listes.cpp (the lists: the scenario with its level sets, a set's
// levels, the free maps, the ghosts, the online maps), menu_options.cpp (the
// Options and keys screens), menu_dessin.cpp (the picture: background, title
// lines, entries, the end screen, the notice).
class MenuPrincipal {
public:
    MenuPrincipal(Shell& shell, RessourcesMenu& r) : s(shell), res(r), jeu(*r.jeu) {}
    void construire();
    void frame(Cadence& cadence);

private:
    // menu.cpp
    // The background's level, with the textures it names (those loaded).
    bool chargerDecor();
    // A piece of what the logo leaves to load, or all of it.
    void charger(bool tout);
    void pas();
    void instantane();

    // menu_choix.cpp
    void evenements();
    void toucheRelachee(SDL_Keycode k);
    void entree();
    void ecranHaut() { choix1 = 1; choix2 = -1; choix = 0; choixMax = 4; }
    void ecranJouer() { choix1 = 0; choix2 = 1; choix3 = -1; choix = 0; choixMax = 5; }
    void jouerSon(FSOUND_SAMPLE* e) { FSOUND_PlaySound(FSOUND_FREE, e); }

    // menu_lancement.cpp
    void lancement() {
        res.fondublanc.setF(true);
        choix = 0; choix1 = 0; choix2 = 0; choix3 = 0; choixMax = 4;
    }
    // A free map chosen: the launch fade starts.
    void lancerMap(const std::string& nom) {
        jeu.setScenario(false);
        futureMap = nom;
        lancement();
    }
    void lancer();
    void lancerSerie();

    // menu_listes.cpp
    // Scenario (0), map (1), ghost (2), a set's levels (3) or online maps (4) list, with `entrees` reachable entries.
    void ouvrirListe(int liste, unsigned int entrees) {
        choix = 0; choix2 = 0; choix3 = liste; choixMax = entrees; premier = 0;
    }
    // The scenario list: its unlocked levels, then the level sets (over the
    // locked levels, which the highlight passes over).
    void ouvrirScenario() {
        const unsigned int n = static_cast<unsigned int>(nomSce.size());
        ouvrirListe(0, series.series().empty() ? std::min(jeu.getNiveauMax(), n)
                                               : n + static_cast<unsigned int>(series.series().size()));
    }
    bool verrouille(size_t i) const { return choix3 == 0 && i < nomSce.size() && i >= jeu.getNiveauMax(); }
    void passerVerrouilles(int sens) {
        for (unsigned int k = 0; k < choixMax && verrouille(choix); ++k)
            choix = sens < 0 ? (choix == 0 ? choixMax - 1 : choix - 1) : (choix + 1) % choixMax;
    }
    bool entreeListe();
    bool entreeSerie();
    bool surEnLigne() const { return choix2 == 0 && choix3 == 4 && !res.fondublanc.getF(); }
    void suivreEnLigne();
    void dessinerListe();
    void dessinerEnLigne();
    void liste(const std::vector<std::string>& noms, bool scenario, size_t visibles = kVisibles);

    // menu_options.cpp
    // Changes a setting; a change the file could not keep, or not yet, is said on screen.
    void regler(int i, int pas, bool boucler);
    // The setting highlighted on the Options screen (reglages_menu.h), or −1.
    int reglage() const { return choix2 == 3 && choix >= 2 ? static_cast<int>(choix) - 2 : -1; }
    void ecranOptions();
    // The screen of the run's keys (choix2 4), opened from the Options.
    void ecranTouches(bool ouvrir);
    void nonEnregistre();
    bool entreeOptions();
    void dessinerOptions();
    void dessinerTouches();

    // menu_dessin.cpp
    void dessiner(double alpha);
    void dessinerEntrees();
    void dessinerFin();
    void entree(const char* texte, unsigned int index, double y);
    void imprimer(const char* texte, int pos, double y);
    // Centred at `y` in `couleur`, white after it.
    void imprimerEn(const GLubyte* couleur, const char* texte, double y);

    // What the menu showed at its last frame (instantMenu()).
    static InstantMenu instant;
    friend const InstantMenu& instantMenu();

    Shell& s;
    RessourcesMenu& res;
    Jeu& jeu;

    unsigned int choix = 0;
    unsigned int choixMax = 4;
    size_t premier = 0;  // the first entry shown of a list longer than the screen
    int choix1 = 1, choix2 = -1, choix3 = -1;
    bool ghost = false;
    std::string futureMap = "aucune";
    std::vector<std::string> nomMap, nomSce, nomGhost;
    int tailleNomMap = -1, tailleNomSce = -1, tailleNomGhost = -1;
    double rot = 0;
    // As the last step found them: the picture goes from there to now.
    double rotAvant = 0;
    bool logoVu = false;  // the logo showed: the step's picture is the logo's
    Fondu teinte{255, 255, 255};
    std::vector<Cube> tableaucube;
    std::vector<Sphere> tableausphere;
    std::vector<Heros> joueur;
    LotBlocs lot;
    Records records;      // the best points shown after the unlocked scenario levels
    RecordsMondiaux mondiaux;  // and the world's, when known
    std::string annonce;  // what went wrong in the last activity, shown for a while
    Uint32 debutAnnonce = 0;
    EcranTouches touches;
    MenuSeries series;       // the level sets listed after the scenario's levels
    long long totalSerie = 0;  // the records of the set whose end screen shows
    MapsEnLigne enLigne;  // the maps published on the score server
};

#endif
