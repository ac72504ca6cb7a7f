// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: any bytes give settings within their bounds, and what
// the programs write reads back as the same settings and the same text (the
// lines skipped kept as they were).
#include <string>

#include "memoire.h"
#include "reglages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const Reglages r = lireTexteReglages(std::string(reinterpret_cast<const char*>(donnees), taille));
    exiger(r.volumeMusique >= 0 && r.volumeMusique <= 10 && r.volumeEffets >= 0 && r.volumeEffets <= 10,
           "volumes within 0 ... 10");
    exiger(r.largeurJeu >= kLargeurFenetreMin && r.hauteurJeu >= kHauteurFenetreMin &&
               r.largeurEditeur >= kLargeurFenetreMin && r.hauteurEditeur >= kHauteurFenetreMin,
           "windows of at least the smallest size");
    const std::string ecrit = texteReglages(r);
    const Reglages relu = lireTexteReglages(ecrit);
    exiger(texteReglages(relu) == ecrit, "written settings read back the same");
    exiger(relu.autres == r.autres, "the lines skipped are kept");
    return 0;
}
