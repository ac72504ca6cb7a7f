// SPDX-License-Identifier: GPL-3.0-or-later
#include "texte_fantome.h"

#include <cstdlib>

namespace {

const char* const kLigneEntrees = "#pas ";

}  // namespace

bool ecrireEnteteFantome(std::FILE* f, const std::string& niveau) {
    return std::fprintf(f, "@%s\n", niveau.c_str()) >= 0;
}

bool ecrirePositionFantome(std::FILE* f, double x, double y, double z) {
    return std::fprintf(f, "@%f,%f,%f\n", x, y, z) >= 0;
}

bool ecrireEntreesFantome(std::FILE* f, const Journal& journal) {
    return std::fprintf(f, "%s%s\n", kLigneEntrees, journal.texte().c_str()) >= 0;
}

std::string entreesFantome(const std::string& texteGhost) {
    const std::string debut = std::string("\n") + kLigneEntrees;
    const size_t i = texteGhost.find(debut);
    if (i == std::string::npos) return std::string();
    const size_t d = i + debut.size();
    const size_t fin = texteGhost.find('\n', d);
    return texteGhost.substr(d, fin == std::string::npos ? std::string::npos : fin - d);
}

std::string texteFantome(const std::string& niveau, const std::vector<std::array<double, 3>>& positions,
                         size_t debut, const Journal* journal) {
    char* tampon = nullptr;
    size_t taille = 0;
    std::FILE* f = open_memstream(&tampon, &taille);
    if (!f) return std::string();
    ecrireEnteteFantome(f, niveau);
    for (size_t i = debut; i < positions.size(); ++i)
        ecrirePositionFantome(f, positions[i][0], positions[i][1], positions[i][2]);
    if (journal) ecrireEntreesFantome(f, *journal);
    std::fclose(f);
    std::string r(tampon, taille);
    std::free(tampon);
    return r;
}

