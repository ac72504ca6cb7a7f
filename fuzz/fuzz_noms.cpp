// SPDX-License-Identifier: GPL-3.0-or-later
// The names the menu reads from its folders (maps, scenario levels, ghosts)
// are sorted in natural order: that order must be a strict weak ordering on
// any names, or sorting them is undefined.
#include <algorithm>
#include <string>
#include <vector>

#include "memoire.h"
#include "repertoire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    // One name per line.
    std::vector<std::string> noms(1);
    for (size_t i = 0; i < taille; ++i) {
        if (donnees[i] == '\n')
            noms.emplace_back();
        else
            noms.back() += static_cast<char>(donnees[i]);
    }
    if (noms.size() > 16) noms.resize(16);

    auto avant = [](const std::string& a, const std::string& b) { return ordreNaturel(a, b); };
    auto egaux = [&](const std::string& a, const std::string& b) { return !avant(a, b) && !avant(b, a); };
    for (const std::string& a : noms) {
        exiger(!avant(a, a), "irreflexive");
        for (const std::string& b : noms) {
            exiger(!(avant(a, b) && avant(b, a)), "asymmetric");
            for (const std::string& c : noms) {
                if (avant(a, b) && avant(b, c)) exiger(avant(a, c), "transitive");
                if (egaux(a, b) && egaux(b, c)) exiger(egaux(a, c), "equivalence is transitive");
            }
        }
    }
    std::sort(noms.begin(), noms.end(), avant);
    exiger(std::is_sorted(noms.begin(), noms.end(), avant), "sorted");
    return 0;
}
