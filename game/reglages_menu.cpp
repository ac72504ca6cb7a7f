// SPDX-License-Identifier: GPL-3.0-or-later
#include "reglages_menu.h"

#include <algorithm>

#include "cadence.h"
#include "fenetre.h"
#include "fsound.h"
#include "langue.h"
#include "traduction.h"

namespace {

// The language choices in their order: "auto" (0), then each language
// proposed (k + 1).

// The frame caps offered, 0 for none.
const int kImages[] = {30, 60, 120, 144, 0};
const int kNombreImages = 5;

int indexImages(int n) {
    for (int k = 0; k < kNombreImages; ++k)
        if (n == kImages[k]) return k;
    return 1;
}

int indexLangue(const std::string& l) {
    const auto& p = languesProposees();
    for (size_t k = 0; k < p.size(); ++k)
        if (l == p[k].code) return static_cast<int>(k) + 1;
    return 0;
}

// How the entry names a choice: a language by its own name.
const char* nomLangue(int i) { return i == 0 ? tr("auto") : languesProposees()[static_cast<size_t>(i) - 1].nom; }

}  // namespace

std::string texteReglage(int i, const Reglages& r, const Jeu& jeu) {
    switch (i) {
    case kReglageLangue: return formater(tr("-Langue %s"), nomLangue(indexLangue(r.langue)));
    case kReglageMusique: return formater(tr("-Volume musique %d"), r.volumeMusique);
    case kReglageEffets: return formater(tr("-Volume effets %d"), r.volumeEffets);
    case kReglagePleinEcran: return pleinEcran() ? tr("-Plein ecran oui") : tr("-Plein ecran non");
    case kReglageCourse: return jeu.getCourse() ? tr("-Fantome de course oui") : tr("-Fantome de course non");
    case kReglageCourseMondiale:
        return jeu.getCourseMondiale() ? tr("-Fantome de course : record mondial")
                                       : tr("-Fantome de course : mon record");
    case kReglageSynchro:
        return r.synchroVerticale ? tr("-Synchronisation verticale oui") : tr("-Synchronisation verticale non");
    case kReglageTouches: return tr("Touches");
    default:
        return r.imagesMax ? formater(tr("-Images par seconde max %d"), r.imagesMax)
                           : std::string(tr("-Images par seconde max illimite"));
    }
}

bool changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu, bool* enAttente) {
    if (i == kReglageTouches) return true;  // a screen of its own, nothing to change here
    auto volume = [&](int& v) {
        v = boucler && v + pas > 10 ? 0 : std::clamp(v + pas, 0, 10);
        volumesJoueur(r.volumeMusique, r.volumeEffets);
    };
    if (i == kReglageLangue) {
        const int n = static_cast<int>(languesProposees().size()) + 1;
        const int k = (indexLangue(r.langue) + n + pas) % n;
        r.langue = k == 0 ? "auto" : languesProposees()[static_cast<size_t>(k) - 1].code;
        choisirLangue(r.langue);
    }
    if (i == kReglageMusique) volume(r.volumeMusique);
    if (i == kReglageEffets) volume(r.volumeEffets);
    if (i == kReglagePleinEcran) basculerPleinEcran(), r.pleinEcranJeu = pleinEcran();
    if (i == kReglageCourse) jeu.setCourse(!jeu.getCourse()), r.fantomeCourse = jeu.getCourse();
    if (i == kReglageCourseMondiale)
        jeu.setCourseMondiale(!jeu.getCourseMondiale()), r.courseMondiale = jeu.getCourseMondiale();
    if (i == kReglageSynchro) r.synchroVerticale = !r.synchroVerticale;
    if (i == kReglageImages) r.imagesMax = kImages[(indexImages(r.imagesMax) + kNombreImages + pas) % kNombreImages];
    if (i == kReglageSynchro || i == kReglageImages) appliquerCadence(r.synchroVerticale, r.imagesMax);
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
        if (i == kReglageCourseMondiale) f.courseMondiale = c.courseMondiale;
        if (i == kReglageSynchro) f.synchroVerticale = c.synchroVerticale;
        if (i == kReglageImages) f.imagesMax = c.imagesMax;
        if (i == kReglageSauverFantome) f.sauverFantome = c.sauverFantome;
    };
    return modifierReglages(changer, kFichierReglages, enAttente);
}
