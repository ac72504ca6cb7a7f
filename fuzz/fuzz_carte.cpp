// SPDX-License-Identifier: GPL-3.0-or-later
// A map sent for publication is read strictly: whatever the bytes, no crash;
// an envelope read is written back to the very same bytes; its parts never
// pass their bounds; the overview's check and the title's never crash.
#include <string>

#include "controle_carte.h"
#include "enveloppe_carte.h"
#include "memoire.h"
#include "nom_joueur.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string corps(reinterpret_cast<const char*>(donnees), taille);
    EnveloppeCarte e;
    std::string pourquoi;
    const LectureEnveloppe lue = lireEnveloppe(corps, e, pourquoi);
    if (lue == LectureEnveloppe::Lue) {
        exiger(ecrireEnveloppe(e) == corps, "written back to the same bytes");
        exiger(e.carte.size() <= kOctetsCarteMax && e.apercu.size() <= kOctetsApercuMax, "within bounds");
        exiger(e.titre.find('\n') == std::string::npos && e.auteur.find('\n') == std::string::npos, "one line");
        std::string faute;
        const std::string titre = nettoyerTitre(e.titre, faute);
        exiger(titre.find('\t') == std::string::npos, "no tab in a title");
        apercuValide(e.apercu);
    } else {
        exiger(!pourquoi.empty() || lue == LectureEnveloppe::TropGrosse, "a reason for a refusal");
    }
    return 0;
}
