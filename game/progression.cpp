// SPDX-License-Identifier: GPL-3.0-or-later
#include "progression.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>

#include "lecture.h"
#include "traduction.h"

const char* const kProgressionIllisible = aTraduire("Progression illisible : laissee intacte");

std::string texteProgression(unsigned int niveau) { return std::to_string(niveau); }

unsigned int lireProgression(std::FILE* f, bool& valide) {
    valide = false;
    char ligne[100] = {0};
    if (!f || !std::fgets(ligne, sizeof ligne, f)) return 1;
    const char* p = ligne;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (*p == '+') ++p;
    unsigned long long n = 0;
    bool chiffre = false;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        chiffre = true;
        n = n * 10 + static_cast<unsigned>(*p - '0');
        if (n > UINT_MAX) n = UINT_MAX + 1ULL;  // stays above the limit without overflowing
    }
    if (!chiffre || n == 0) return 1;
    valide = true;
    return n > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(n);
}

unsigned int progressionDuTexte(const std::string& texte, bool& valide) {
    valide = false;
    if (texte.empty()) return 1;
    FichierLu f(fmemopen(const_cast<char*>(texte.data()), texte.size(), "r"));
    return lireProgression(f.get(), valide);
}

unsigned int lireProgression(const std::string& chemin, bool* premiereFois) {
    const Lecture l = lireFichierGarde(chemin, "progress file");
    if (premiereFois) *premiereFois = l.premiereFois;
    if (l.etat == Lecture::Illisible) return 1;
    if (l.etat == Lecture::Absent) {
        std::fprintf(stderr,
                     "%s: progress file \"%s\" is missing; scenario level 1 is open and the file is "
                     "written again when a level is unlocked\n",
                     program_invocation_short_name, chemin.c_str());
        return 1;
    }
    bool valide;
    const unsigned int n = progressionDuTexte(l.texte, valide);
    if (!valide)
        std::fprintf(stderr,
                     "%s: progress file \"%s\" holds no level number; scenario level 1 is open\n",
                     program_invocation_short_name, chemin.c_str());
    return n;
}

std::optional<std::string> fusionProgression(const std::string* actuel, unsigned int niveau,
                                             unsigned int& resultat) {
    bool valide = false;
    const unsigned int lu = actuel ? progressionDuTexte(*actuel, valide) : 1;
    resultat = valide && lu > niveau ? lu : niveau;
    if (valide && lu == resultat) return std::nullopt;
    return texteProgression(resultat);
}

Maj debloquerNiveau(unsigned int niveau, unsigned int& resultat, Lecture* lu, const std::string& chemin) {
    resultat = niveau;
    return mettreAJourFichier(
        chemin, "progress file",
        [&](const std::string* actuel) { return fusionProgression(actuel, niveau, resultat); }, lu,
        [niveau](const std::string* actuel) {  // another program holds the lock: later
            unsigned int r = 0;
            return fusionProgression(actuel, niveau, r);
        });
}
