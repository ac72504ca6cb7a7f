// SPDX-License-Identifier: GPL-3.0-or-later
#include "reglages_menu.h"

#include <algorithm>

#include "fenetre.h"
#include "fsound.h"
#include "langue.h"
#include "traduction.h"

namespace {

// The language choices in their order, and how the entry names them: each
// language by its own name, so a player lost in another finds it again.
const char* const kLangues[] = {"auto", "en", "fr"};
const char* const kNomsLangues[] = {aTraduire("auto"), "English", "Francais"};

int indexLangue(const std::string& l) {
    for (int k = 0; k < 3; ++k)
        if (l == kLangues[k]) return k;
    return 0;
}

}  // namespace

std::string texteReglage(int i, const Reglages& r, const Jeu& jeu) {
    switch (i) {
    case kReglageLangue: return formater(tr("-Langue %s"), tr(kNomsLangues[indexLangue(r.langue)]));
    case kReglageMusique: return formater(tr("-Volume musique %d"), r.volumeMusique);
    case kReglageEffets: return formater(tr("-Volume effets %d"), r.volumeEffets);
    case kReglagePleinEcran: return pleinEcran() ? tr("-Plein ecran oui") : tr("-Plein ecran non");
    default: return jeu.getCourse() ? tr("-Fantome de course oui") : tr("-Fantome de course non");
    }
}

bool changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu, bool* enAttente) {
    auto volume = [&](int& v) {
        v = boucler && v + pas > 10 ? 0 : std::clamp(v + pas, 0, 10);
        volumesJoueur(r.volumeMusique, r.volumeEffets);
    };
    if (i == kReglageLangue) {
        r.langue = kLangues[(indexLangue(r.langue) + 3 + pas) % 3];
        choisirLangue(r.langue);
    }
    if (i == kReglageMusique) volume(r.volumeMusique);
    if (i == kReglageEffets) volume(r.volumeEffets);
    if (i == kReglagePleinEcran) basculerPleinEcran(), r.pleinEcranJeu = pleinEcran();
    if (i == kReglageCourse) jeu.setCourse(!jeu.getCourse()), r.fantomeCourse = jeu.getCourse();
    if (i == kReglageSauverFantome) jeu.setFantome(!jeu.getFantome()), r.sauverFantome = jeu.getFantome();
    // Only what changed is written: the rest of the file stays as it is now.
    // The change holds copies: it may be written later, once a lock is free.
    const Reglages c = r;
    const auto changer = [i, c](Reglages& f) {
        if (i == kReglageLangue) f.langue = c.langue;
        if (i == kReglageMusique) f.volumeMusique = c.volumeMusique;
        if (i == kReglageEffets) f.volumeEffets = c.volumeEffets;
        if (i == kReglagePleinEcran) f.pleinEcranJeu = c.pleinEcranJeu;
        if (i == kReglageCourse) f.fantomeCourse = c.fantomeCourse;
        if (i == kReglageSauverFantome) f.sauverFantome = c.sauverFantome;
    };
    return modifierReglages(changer, kFichierReglages, enAttente);
}
