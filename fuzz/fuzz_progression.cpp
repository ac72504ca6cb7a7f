// SPDX-License-Identifier: GPL-3.0-or-later
// The progress file: any bytes give a level of at least 1 (level 1 is always
// open), what the game writes for a level reads back as that level, and
// unlocking a level over any file never lowers the progress.
#include <cstring>
#include <optional>
#include <string>

#include "memoire.h"
#include "progression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    bool valide = true;
    const unsigned int n = lireProgression(fichierDe(donnees, taille).get(), valide);
    exiger(n >= 1, "level 1 is always open");
    exiger(valide || n == 1, "a file without a level number opens level 1");

    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const unsigned int debloque = taille ? 1 + donnees[0] % 16 : 2;
    unsigned int resultat = 0;
    const std::optional<std::string> ecrit = fusionProgression(&texte, debloque, resultat);
    exiger(resultat >= debloque && (!valide || resultat >= n), "progress never goes down");
    exiger(resultat == debloque || resultat == n, "the file's level or the one unlocked");
    bool relu = false;
    if (ecrit)
        exiger(progressionDuTexte(*ecrit, relu) == resultat && relu, "what is written reads back");
    else
        exiger(valide && n == resultat, "left as it is only when it says so already");

    if (taille >= sizeof(unsigned int)) {
        unsigned int niveau;
        std::memcpy(&niveau, donnees, sizeof niveau);
        const unsigned int relu = lireProgression(fichierDe(texteProgression(niveau)).get(), valide);
        exiger(valide == (niveau >= 1), "a written level is a level number");
        exiger(relu == (niveau >= 1 ? niveau : 1), "a written level reads back");
    }
    return 0;
}
