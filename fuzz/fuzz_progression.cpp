// The progress file: any bytes give a level of at least 1 (level 1 is always
// open), and what the game writes for a level reads back as that level.
#include <cstring>

#include "memoire.h"
#include "progression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    bool valide = true;
    const unsigned int n = lireProgression(fichierDe(donnees, taille).get(), valide);
    exiger(n >= 1, "level 1 is always open");
    exiger(valide || n == 1, "a file without a level number opens level 1");

    if (taille >= sizeof(unsigned int)) {
        unsigned int niveau;
        std::memcpy(&niveau, donnees, sizeof niveau);
        const unsigned int relu = lireProgression(fichierDe(texteProgression(niveau)).get(), valide);
        exiger(valide == (niveau >= 1), "a written level is a level number");
        exiger(relu == (niveau >= 1 ? niveau : 1), "a written level reads back");
    }
    return 0;
}
