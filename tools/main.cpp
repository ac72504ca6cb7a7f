// SPDX-License-Identifier: GPL-3.0-or-later
// vorna_assets <data folder>: writes every data file of the game.
// vorna_assets --icons <folder>: writes the desktop's icons (hicolor theme).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "generateur.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return atelier::genererIcones(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorna_assets <output data folder>\n"
                             "       vorna_assets --icons <output icon theme folder>\n");
        return 2;
    }
    auto debut = std::chrono::steady_clock::now();
    if (!atelier::genererDonnees(argv[1], 2)) return 1;
    double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    std::uintmax_t total = 0;
    for (const std::string& f : atelier::fichiersDonnees()) {
        std::error_code ec;
        total += std::filesystem::file_size(std::filesystem::path(argv[1]) / f, ec);
    }
    std::printf("vorna_assets: %zu files, %.2f MB, in %.1f s\n", atelier::fichiersDonnees().size(),
                double(total) / 1e6, secondes);
    return 0;
}
