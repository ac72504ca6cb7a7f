// SPDX-License-Identifier: GPL-3.0-or-later
// The real vorna program, started as a player starts it, watched by a probe
// loaded into it (sonde_jeu.c): the time from the start to its first frame
// (the first frame of the logo), and its resident memory from the start
// through the menu into a run of level 1 and back, ten times in a row,
// beside a bare SDL OpenGL window opened the same way in the same bench.
//
//   xvfb-run -a ./bench_demarrage
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "banc.h"
#include "dossier.h"

namespace {

namespace fs = std::filesystem;

// Runs `programme` with the probe in `mode` and returns what the probe noted,
// line by line.
std::vector<std::string> sonder(const std::string& programme, const char* mode) {
    const std::string sortie = fs::absolute("sonde.txt").string();
    fs::remove(sortie);
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    const std::string t0 = std::to_string(static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("LD_PRELOAD", VORNA_SONDE, 1);
        setenv("VORNA_SONDE_T0", t0.c_str(), 1);
        setenv("VORNA_SONDE_SORTIE", sortie.c_str(), 1);
        setenv("VORNA_SONDE_MODE", mode, 1);
        if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(programme.c_str(), programme.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    std::vector<std::string> r;
    std::ifstream f(sortie);
    for (std::string l; std::getline(f, l);) r.push_back(l);
    return r;
}

// The numbers noted under a name ("logo_ms 212.4" → {212.4}).
std::vector<double> valeurs(const std::vector<std::string>& lignes, const std::string& nom) {
    std::vector<double> v;
    for (const std::string& l : lignes) {
        std::istringstream in(l);
        std::string n;
        in >> n;
        if (n != nom) continue;
        double x, y;
        if (in >> x) v.push_back((in >> y) ? y : x);
    }
    return v;
}

double mediane(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    const fs::path jeu = VORNA_GAME_DIR;
    if (!fs::exists(jeu / "vorna") || !fs::exists(jeu / "data")) {
        std::fprintf(stderr, "bench_demarrage needs the built game folder %s\n", jeu.c_str());
        return 1;
    }
    // A copy of the game folder, so the runs leave no ghost nor progress behind.
    DossierTemporaire dossier;
    for (const char* d : {"data", "maps", "ghost"})
        fs::copy(jeu / d, d, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(jeu / "vorna", "vorna");
    ecrireFichier("data/joueur/niveau.txt", "1\n");

    std::vector<double> logo, nueDemarrage;
    for (int i = 0; i < 7; ++i) {
        const auto v = valeurs(sonder("./vorna", "logo"), "logo_ms");
        if (!v.empty()) logo.push_back(v[0]);
        const auto n = valeurs(sonder(VORNA_FENETRE_NUE, "logo"), "logo_ms");
        if (!n.empty()) nueDemarrage.push_back(n[0]);
    }
    const std::vector<std::string> nue = sonder(VORNA_FENETRE_NUE, "fin");
    const std::vector<std::string> p = sonder("./vorna", "parcours");

    const double msLogo = mediane(logo), msNue = mediane(nueDemarrage);
    std::printf("start-up to the first logo frame: median %.0f ms of %zu starts; a bare window's first "
                "frame: %.0f ms\n",
                msLogo, logo.size(), msNue);
    const auto hwmNue = valeurs(nue, "hwm_kB"), hwm = valeurs(p, "hwm_kB");
    const auto menus = valeurs(p, "menu_kB"), parties = valeurs(p, "partie_kB");
    if (hwmNue.empty() || hwm.empty() || menus.size() < 2) {
        std::fprintf(stderr, "the probe noted too little (%zu lines from the game)\n", p.size());
        return 1;
    }
    const double dessus = (hwm.back() - hwmNue.back()) / 1024;
    std::printf("peak resident memory: game %.1f MB, bare SDL OpenGL window %.1f MB: %.1f MB above\n",
                hwm.back() / 1024, hwmNue.back() / 1024, dessus);
    if (msLogo >= 0 && msNue >= 0)
        ligneCible("start-up to the first logo frame, minus a bare window's", msLogo - msNue, "ms", 60);
    ligneCible("peak memory above the bare window opened the game's way", dessus, "MB", 30);
    std::printf("resident memory at each return to the menu (MB):");
    for (double m : menus) std::printf(" %.1f", m / 1024);
    std::printf("\nresident memory in each run (MB):");
    for (double m : parties) std::printf(" %.1f", m / 1024);
    // Growth: the first runs still compile shader variants and fill the
    // allocator's pools; a leak would go on growing, so the last five runs
    // must stay flat.
    const size_t n = parties.size();
    const size_t debut = n > 5 ? n - 5 : 0;
    const double croissance = n >= 2 ? (parties.back() - parties[debut]) / 1024 : 0;
    std::printf("\ngrowth over the last runs (%zu to %zu): %.1f MB (target: none, under 1 MB): %s; "
                "from run 1: %.1f MB\n",
                debut + 1, n, croissance, croissance < 1 ? "met" : "NOT met",
                n >= 1 ? (parties.back() - parties[0]) / 1024 : 0.0);
    return 0;
}
