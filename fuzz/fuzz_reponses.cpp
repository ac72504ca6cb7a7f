// SPDX-License-Identifier: GPL-3.0-or-later
// What the score server answers, as the game reads it: any status and bytes
// read without a crash; a run is verified only on a 200, with a place of 1
// or more and a name form's path on the same server (a '/' first, no blank
// nor quote); a refusal is a 4xx with a sentence to show; the world records
// list gives levels from 1 on, every name on one line.
#include <string>

#include "envoi_course.h"
#include "memoire.h"
#include "mondial.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    for (const long statut : {0L, 200L, 404L, 422L, 429L, 500L}) {
        RequeteHttp::Reponse h;
        h.statut = statut, h.corps = texte, h.erreur = statut ? "" : texte;
        const ReponseCourse r = lireReponseCourse(h);
        if (r.issue == ReponseCourse::Verifiee)
            exiger(statut == 200 && r.place >= 1 && !r.nom.empty() && r.nom[0] == '/' &&
                       r.nom.find_first_of(" \"\n\r") == std::string::npos,
                   "a verified run has a place and a path on the server");
        if (r.issue == ReponseCourse::Refusee)
            exiger(statut >= 400 && statut < 500 && !r.phrase.empty() && r.phrase.find('\n') == std::string::npos,
                   "a refusal is a 4xx with one line to show");
        exiger(!texteReponseCourse(r).empty(), "the screen always has a line");
    }
    for (const auto& [niveau, record] : lireRecordsMondiaux(texte))
        exiger(niveau >= 1 && record.pas >= 0 && record.nom.find('\n') == std::string::npos,
               "a world record is a level's, on one line");
    return 0;
}
