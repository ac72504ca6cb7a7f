// SPDX-License-Identifier: GPL-3.0-or-later
#include "reglages_menu.h"

#include <algorithm>

#include "fenetre.h"
#include "fsound.h"
#include "langue.h"
#include "traduction.h"

namespace {

// The language choices in their order: "auto" (0), then each language
// proposed (k + 1).
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
    default: return jeu.getCourse() ? tr("-Fantome de course oui") : tr("-Fantome de course non");
    }
}

void changerReglage(int i, int pas, bool boucler, Reglages& r, Jeu& jeu) {
    auto volume = [&](int& v) {
        v = boucler && v + pas > 10 ? 0 : std::clamp(v + pas, 0, 10);
        volumesJoueur(r.volumeMusique, r.volumeEffets);
    };
    if (i == kReglageLangue) {
        const int n = static_cast<int>(languesProposees().size()) + 1;
        const int i = (indexLangue(r.langue) + n + pas) % n;
        r.langue = i == 0 ? "auto" : languesProposees()[static_cast<size_t>(i) - 1].code;
        choisirLangue(r.langue);
    }
    if (i == kReglageMusique) volume(r.volumeMusique);
    if (i == kReglageEffets) volume(r.volumeEffets);
    if (i == kReglagePleinEcran) basculerPleinEcran(), r.pleinEcranJeu = pleinEcran();
    if (i == kReglageCourse) jeu.setCourse(!jeu.getCourse()), r.fantomeCourse = jeu.getCourse();
    // Only what changed is written: the rest of the file stays as it is now.
    const Reglages c = r;
    modifierReglages([i, &c](Reglages& f) {
        if (i == kReglageLangue) f.langue = c.langue;
        if (i == kReglageMusique) f.volumeMusique = c.volumeMusique;
        if (i == kReglageEffets) f.volumeEffets = c.volumeEffets;
        if (i == kReglagePleinEcran) f.pleinEcranJeu = c.pleinEcranJeu;
        if (i == kReglageCourse) f.fantomeCourse = c.fantomeCourse;
    });
}
