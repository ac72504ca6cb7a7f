// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_BENCH_BANC_H
#define VORNA_BENCH_BANC_H

// What the drawing benches share: their scratch game folder, and the work of
// each frame of a loop run through the seam (SystemeScript): the wall time
// and the CPU time of every thread between two buffer swaps, the drawing
// finished (glFinish). The pauses a loop asks for do not count: the virtual
// clock skips them.

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"

// Opens the window and makes `dossier` a game folder with the real data
// files when the build has them. False, after a line on standard error,
// without a display.
inline bool preparerBanc(const char* programme, DossierTemporaire& dossier) {
    if (!ouvrirFenetreTest()) {
        std::fprintf(stderr, "%s needs an OpenGL display (run it under xvfb-run)\n", programme);
        return false;
    }
    dossier.arborescenceJeu();
    const std::filesystem::path donnees = std::string(VORNA_GAME_DIR) + "/data";
    if (std::filesystem::exists(donnees / "sol.jpg"))
        std::filesystem::copy(donnees, "data", std::filesystem::copy_options::recursive |
                                                   std::filesystem::copy_options::overwrite_existing);
    return true;
}

inline std::string rec(int kind, double x, double y, double z, double lx, double ly, double lz,
                const char* tex) {
    char l[256];
    std::snprintf(l, sizeof l, "@%d,%f,%f,%f,0,%f,%f,%f,0,0,0,%s\n", kind, x, y, z, lx, ly, lz, tex);
    return l;
}

// A wide field of floor tiles toward −x with walls, turbos, jumps and
// checkpoints sprinkled in, and pick-ups along the way.
inline std::string grandeCourse() {
    std::string s = "@0,0,0,2,5,1,1,1,0,0,0,textureSphere\n";
    int n = 0;
    for (int i = 0; n < 1000; ++i)
        for (int j = -2; j <= 2 && n < 1000; ++j, ++n) {
            const int k = (i * 5 + j) % 37;
            const int kind = k == 3 ? 3 : k == 11 ? 7 : k == 19 ? 10 : 1;
            s += rec(kind, -4.0 * i, 4.0 * j, 0, 2, 2, 1, kind == 3 ? "textureSpeed" : "textureSol");
            if (j == 2 && i % 4 == 0) s += rec(1, -4.0 * i, 11, 2, 2, 1, 1, "textureCaisse"), ++n;
        }
    for (int b = 0; b < 50; ++b)
        s += rec(b % 2 ? 8 : 9, -6.0 * b - 10, (b % 3 - 1) * 4.0, 2.5, 1, 1, 1, "textureSphere");
    return s;
}

struct Mesure {
    std::vector<double> travail, cpu;  // per frame, ms
    std::vector<double> principal;     // CPU of the program's own thread (the rest: the rasterizer's)
    double x = 0;                      // where the activity ended, to check it ran the same
};

inline double cpuMs(clockid_t horloge = CLOCK_PROCESS_CPUTIME_ID) {
    timespec t{};
    clock_gettime(horloge, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// To give SystemeScript::surImage: fills `m` frame by frame.
inline std::function<void(int)> mesureur(Mesure& m) {
    auto avant = std::chrono::steady_clock::now();
    double cpuAvant = cpuMs(), filAvant = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    return [&m, avant, cpuAvant, filAvant](int) mutable {
        glFinish();  // count the drawing, not only its submission
        const auto maintenant = std::chrono::steady_clock::now();
        const double cpu = cpuMs(), fil = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        m.travail.push_back(std::chrono::duration<double, std::milli>(maintenant - avant).count());
        m.cpu.push_back(cpu - cpuAvant);
        m.principal.push_back(fil - filAvant);
        avant = maintenant;
        cpuAvant = cpu;
        filAvant = fil;
    };
}

// Drops the first frame, which includes loading.
inline void oterChargement(Mesure& m) {
    if (m.travail.empty()) return;
    m.travail.erase(m.travail.begin());
    m.cpu.erase(m.cpu.begin());
    m.principal.erase(m.principal.begin());
}

// The value at quantile q (0.5 the median, 1 the largest).
inline double rang(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * (v.size() - 1) + 0.5)];
}

// One line: the frame work of `m` (median, 90th percentile, largest) and the
// CPU of every thread and of the program's own, drawn the way `nom` says.
inline void afficherMesure(const char* nom, const Mesure& m) {
    std::printf("%-10s frame work: median %6.2f ms, 90th percentile %6.2f ms, max %6.2f ms; "
                "CPU of all threads: median %6.2f ms (main thread %5.2f ms)\n",
                nom, rang(m.travail, 0.5), rang(m.travail, 0.9), rang(m.travail, 1), rang(m.cpu, 0.5),
                rang(m.principal, 0.5));
}

// One row of the targets table that scripts/bench.sh gathers at the end of
// `make bench`: the figure, its value beside its target, met or not. `auPlus`:
// the target is a ceiling (else a floor).
inline void ligneCible(const char* figure, double valeur, const char* unite, double cible, bool auPlus = true) {
    const bool atteinte = valeur >= 0 && (auPlus ? valeur <= cible : valeur >= cible);
    std::printf("| %-58s | %7.2f %-2s | %s %5.1f %-2s | %s |\n", figure, valeur, unite, auPlus ? "<=" : ">=", cible,
                unite, atteinte ? "met" : "NOT met");
    std::fflush(stdout);
}

// When profiling one way only ("rapide" or "simple").
inline void afficherUneFacon(const std::string& seul, const Mesure& m) {
    std::printf("%s way only: median frame work %.2f ms, CPU %.2f ms\n", seul.c_str(), rang(m.travail, 0.5),
                rang(m.cpu, 0.5));
}

#endif
