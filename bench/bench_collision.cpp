// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the collision queries against courses of growing size. Every query
// scans the whole block list; a frame makes up to seven of them.
#include <benchmark/benchmark.h>

#include <vector>

#include "heros.h"
#include "simulation.h"
#include "objet.h"

namespace {

// A course like the shipped ones: rows of 4 × 4 floor slabs laid end to end
// along x, 50 to a row, rows 12 apart in y and a little higher each time; a
// turbo every 7th slab, a launch pad every 13th, a checkpoint every 40th, and
// a low rail along one side of every 5th slab.
std::vector<Cube> parcours(int n) {
    std::vector<Cube> blocs;
    blocs.reserve(n);
    int dalle = 0;
    while (static_cast<int>(blocs.size()) < n) {
        const int rang = dalle / 50, pos = dalle % 50;
        const double x = -pos * 4.0, y = rang * 12.0, z = rang * 0.5 - 0.5;
        const char* classe = "cube";
        if (dalle % 40 == 39)
            classe = "sauvegarde";
        else if (dalle % 13 == 12)
            classe = "jump";
        else if (dalle % 7 == 6)
            classe = "turbo";
        blocs.emplace_back(x, y, z, 1, 2, 2, 0.5, 0, 0, 0, 0, classe, true);
        if (dalle % 5 == 4 && static_cast<int>(blocs.size()) < n)
            blocs.emplace_back(x, y + 2.25, z + 1, 1, 2, 0.25, 0.5, 0, 0, 0, 0, "cube", false);
        ++dalle;
    }
    return blocs;
}

// The ball rests on the middle slab of the course, rolling toward −x and +y
// so that both wall sweeps run over every block.
Heros balleAuMilieu(const std::vector<Cube>& blocs) {
    size_t i = blocs.size() / 2;
    while (blocs[i].getLY() != 2) --i;  // a slab, not a rail
    const Cube& c = blocs[i];
    Heros b(c.getX(), c.getY() - 1, c.getZ() + c.getLZ() + 0.5, 3, 0.5, 0.5, 0.5, 0, 0, 0, 0);
    b.setSX(-0.2);
    b.setSY(0.1);
    return b;
}

void BM_RequeteX(benchmark::State& state) {
    const std::vector<Cube> blocs = parcours(static_cast<int>(state.range(0)));
    Simulation jeu;
    jeu.setDebut(false);
    Heros b = balleAuMilieu(blocs);
    if (!jeu.collisionDetect(1, 0, 0, &b, blocs)) state.SkipWithError("the ball is blocked");
    for (auto _ : state) benchmark::DoNotOptimize(jeu.collisionDetect(1, 0, 0, &b, blocs));
    state.SetItemsProcessed(state.iterations() * blocs.size());
}

void BM_RequeteZ(benchmark::State& state) {
    const std::vector<Cube> blocs = parcours(static_cast<int>(state.range(0)));
    Simulation jeu;
    jeu.setDebut(false);
    Heros b = balleAuMilieu(blocs);
    if (jeu.collisionDetect(0, 0, 1, &b, blocs)) state.SkipWithError("the ball is not carried");
    for (auto _ : state) {
        benchmark::DoNotOptimize(jeu.collisionDetect(0, 0, 1, &b, blocs));
        b.setSZ(0);
    }
    state.SetItemsProcessed(state.iterations() * blocs.size());
}

// A frame's worth: four thrust probes (two along x, two along y), then the
// x, y and z moves.
void BM_Image(benchmark::State& state) {
    const std::vector<Cube> blocs = parcours(static_cast<int>(state.range(0)));
    Simulation jeu;
    jeu.setDebut(false);
    Heros b = balleAuMilieu(blocs);
    for (auto _ : state) {
        bool r = jeu.collisionDetect(1, 0, 0, &b, blocs);
        r ^= jeu.collisionDetect(1, 0, 0, &b, blocs);
        r ^= jeu.collisionDetect(0, 1, 0, &b, blocs);
        r ^= jeu.collisionDetect(0, 1, 0, &b, blocs);
        r ^= jeu.collisionDetect(1, 0, 0, &b, blocs);
        r ^= jeu.collisionDetect(0, 1, 0, &b, blocs);
        r ^= jeu.collisionDetect(0, 0, 1, &b, blocs);
        benchmark::DoNotOptimize(r);
        b.setSZ(0);
    }
    state.SetItemsProcessed(state.iterations() * blocs.size() * 7);
}

// What passing the course by value to each query would add: one copy.
void BM_CopieParcours(benchmark::State& state) {
    const std::vector<Cube> blocs = parcours(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<Cube> copie = blocs;
        benchmark::DoNotOptimize(copie.data());
    }
}

}  // namespace

BENCHMARK(BM_RequeteX)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(BM_RequeteZ)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(BM_Image)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(BM_CopieParcours)->RangeMultiplier(10)->Range(10, 10000);

BENCHMARK_MAIN();
