#include "progression.h"

#include <cctype>
#include <cerrno>
#include <climits>

#include "lecture.h"

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

unsigned int lireProgression(const std::string& chemin) {
    FichierLu f = ouvrirLecture(chemin);
    if (!f) {
        const int erreur = errno;
        std::fprintf(stderr,
                     "%s: progress file \"%s\" %s; scenario level 1 is open and the file is "
                     "written again when a level is unlocked\n",
                     program_invocation_short_name, chemin.c_str(), raisonLecture(erreur).c_str());
        return 1;
    }
    bool valide;
    const unsigned int n = lireProgression(f.get(), valide);
    if (!valide)
        std::fprintf(stderr,
                     "%s: progress file \"%s\" holds no level number; scenario level 1 is open\n",
                     program_invocation_short_name, chemin.c_str());
    return n;
}
