// SPDX-License-Identifier: GPL-3.0-or-later
#include "sauvetage.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "fichiers.h"
#include "repertoire.h"

namespace editeur {

namespace {

const char* const kPrefixe = ".sauvetage-";

// "maps/NAME.txt" → "maps/.sauvetage-NAME": without ".txt" anywhere and
// without folders, so that no list shows it, and short enough for the file
// system with a number after it.
std::string cheminDeBase(const std::string& mapALoad) {
    std::string nom = mapALoad.rfind("maps/", 0) == 0 ? mapALoad.substr(5) : mapALoad;
    for (size_t p; (p = nom.find(".txt")) != std::string::npos;) nom.erase(p, 4);
    for (char& c : nom)
        if (c == '/') c = '-';
    return "maps/" + nomDeFichierBorne(kPrefixe, nom, "", std::string("-1000").size());
}

}  // namespace

std::string ecrireSauvetage(const std::string& mapALoad,
                            const std::vector<Enregistrement>& enregistrements) {
    const std::string base = cheminDeBase(mapALoad);
    // An earlier copy is never replaced: the next number is taken.
    for (int n = 1; n <= 1000; ++n) {
        const std::string chemin = n == 1 ? base : base + "-" + std::to_string(n);
        if (ecrireNiveau(chemin, enregistrements, false)) {
            std::fprintf(stderr,
                         "bramelt: ended with changes to %s not saved: a rescue copy of the map is "
                         "in %s (rename it to a name ending in .txt to open it)\n",
                         mapALoad.c_str(), chemin.c_str());
            return chemin;
        }
        if (errno != EEXIST) break;
    }
    std::fprintf(stderr, "bramelt: ended with changes to %s not saved, and no rescue copy could be "
                         "written in maps/\n",
                 mapALoad.c_str());
    return "";
}

std::vector<std::string> listerSauvetages() {
    std::vector<std::string> r;
    struct stat s;
    for (const std::string& nom : listerDossier("./maps", kPrefixe))
        if (nom.rfind(kPrefixe, 0) == 0 && lstat(("./maps/" + nom).c_str(), &s) == 0 && S_ISREG(s.st_mode))
            r.push_back("maps/" + nom);  // a folder or anything else of that name is no copy
    return r;
}

void annoncerSauvetages(const std::vector<std::string>& sauvetages) {
    for (const std::string& s : sauvetages)
        std::fprintf(stderr,
                     "bramelt: a rescue copy of a map not saved is kept in %s; rename it to a name "
                     "ending in .txt to open it\n",
                     s.c_str());
}

}  // namespace editeur
