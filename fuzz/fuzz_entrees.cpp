// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of a run, as a ghost keeps them: any text is either refused or
// read into steps that write back in the shortest form, which reads again
// into the same steps; a run played from them never reads past their end.
#include <string>

#include "memoire.h"
#include "simulation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    Journal j;
    if (!j.lire(texte, 100000)) {
        exiger(j.pas() == 0 && j.texte().empty(), "a refused text leaves nothing");
        return 0;
    }
    Journal encore;
    exiger(encore.lire(j.texte(), 100000), "written back, it reads again");
    exiger(encore.texte() == j.texte() && encore.pas() == j.pas(), "the same steps");
    Journal copie;
    Journal::Lecteur l(j);
    EntreesPas pas;
    size_t n = 0;
    while (l.suivant(pas)) copie.ajouter(pas), ++n;
    exiger(n == j.pas() && copie.texte() == j.texte(), "step by step, the same inputs");
    // A short course played from them: the rules take any inputs.
    Simulation s(Heros(0, 0, 2, 3, 1, 1, 1, 0, 0, 0, 0),
                 {Cube(0, 0, 0, 0, 4, 4, 1, 0, 0, 0, 0, "cube", true), Cube(-12, 0, 0, 0, 4, 4, 1, 0, 0, 0, 0, "arriv\xe9" "e", true)},
                 {}, Simulation::Depart());
    if (j.pas() < 5000) rejouer(s, j);
    return 0;
}
