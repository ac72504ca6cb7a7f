// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the shipped levels: vorna_niveaux MAPS_FOLDER
#include <cstdio>
#include <string>

#include "niveaux.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--dedale") {
        // The corners of the way through the maze, for the solution of the tests.
        const auto chemin = cheminDedale();
        for (size_t i = 0; i < chemin.size(); ++i) {
            const bool coin = i == 0 || i + 1 == chemin.size() ||
                              (chemin[i - 1].first != chemin[i + 1].first &&
                               chemin[i - 1].second != chemin[i + 1].second);
            if (coin) std::printf("{%g, %g}, ", chemin[i].first, chemin[i].second);
        }
        std::printf("\n%zu rooms\n", chemin.size());
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorna_niveaux MAPS_FOLDER\n");
        return 2;
    }
    return ecrireNiveauxLivres(argv[1]) ? 0 : 1;
}
