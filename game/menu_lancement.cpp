// SPDX-License-Identifier: GPL-3.0-or-later
// The activity the menu launches once its fade has run: a level, the
// scenario's or a set's levels one after the other, or a ghost's replay.

#include <GL/gl.h>

#include "fantome.h"
#include "menu_principal.h"
#include "systeme.h"

void MenuPrincipal::lancer() {
    // The activity starts as from a cleared frame (its light is placed in
    // the model-view in use).
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    s.continuer = 1;
    res.fondublanc.setF(false);
    res.fondublanc.setRGB(255, 255, 255);
    if (!ghost) {
        FSOUND_Stream_Stop(s.musique);
        jeu.setMap(futureMap);
        jeu.jouer();
        const bool serie = !jeu.getSerie().nom.empty();
        if (serie) lancerSerie();
        while (!serie && jeu.getSuivant() && !sys::arretDemande()) {
            // After the last scenario level, the end screen: there is no next one.
            if (jeu.getScenario() && jeu.getMapScenario() >= jeu.getMapsMax()) {
                s.finScenario = true;
                break;
            }
            jeu.setMapScenario(jeu.getMapScenario() + 1);
            jeu.jouer();
        }
        FSOUND_Stream_Play(FSOUND_FREE, s.musique);
    } else {
        ghost = false;
        jouerGhost(s.hauteur, s.largeur, futureMap);
    }
    if (sys::arretDemande()) s.continuer = 0;
}

// A set's levels one after the other while "Niveau suivant" is chosen; after
// its last one, its end screen.
void MenuPrincipal::lancerSerie() {
    const Serie serie = series.serie();
    while (jeu.getSuivant() && !sys::arretDemande()) {
        PlaceSerie p = jeu.getSerie();
        if (p.niveau >= p.taille) {
            s.finScenario = true;
            s.serieFinie = p.nom;
            break;
        }
        ++p.niveau;
        jeu.setSerie(p);
        jeu.setMap(MenuSeries::map(serie, p.niveau));
        jeu.jouer();
    }
    jeu.setSerie(PlaceSerie());
}
