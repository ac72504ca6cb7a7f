// SPDX-License-Identifier: GPL-3.0-or-later
#include "reglages_menu.h"

#include <algorithm>

#include "fenetre.h"
#include "fsound.h"

std::string texteReglage(int i, const Reglages& r, const Jeu& jeu) {
    switch (i) {
    case 0: return "-Volume musique " + std::to_string(r.volumeMusique);
    case 1: return "-Volume effets " + std::to_string(r.volumeEffets);
    case 2: return pleinEcran() ? "-Plein ecran oui" : "-Plein ecran non";
    default: return jeu.getCourse() ? "-Fantome de course oui" : "-Fantome de course non";
    }
}

void changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu) {
    auto volume = [&](int& v) {
        v = boucler && v + pas > 10 ? 0 : std::clamp(v + pas, 0, 10);
        volumesJoueur(r.volumeMusique, r.volumeEffets);
    };
    if (i == 0) volume(r.volumeMusique);
    if (i == 1) volume(r.volumeEffets);
    if (i == 2) basculerPleinEcran(), r.pleinEcranJeu = pleinEcran();
    if (i == 3) jeu.setCourse(!jeu.getCourse()), r.fantomeCourse = jeu.getCourse();
    // Only what changed is written: the rest of the file stays as it is now.
    const Reglages c = r;
    modifierReglages([i, &c](Reglages& f) {
        if (i == 0) f.volumeMusique = c.volumeMusique;
        if (i == 1) f.volumeEffets = c.volumeEffets;
        if (i == 2) f.pleinEcranJeu = c.pleinEcranJeu;
        if (i == 3) f.fantomeCourse = c.fantomeCourse;
    });
}
