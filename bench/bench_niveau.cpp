// SPDX-License-Identifier: GPL-3.0-or-later
// The level reader on a large generated course: the raw record loop, and the
// single-player session's reader building blocks, pick-ups and spheres.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "niveau.h"
#include "texture.h"

namespace {

const char* const kMots[] = {"textureSol", "textureCaisse", "textureJump", "textureSpeed",
                             "textureArrivee", "textureVide", "textureDepart",
                             "textureSauvegarde"};

// A course of `n` records as the editor writes them, every kind present.
std::vector<Enregistrement> parcours(int n) {
    std::srand(7);
    std::vector<Enregistrement> r;
    for (int i = 0; i < n; ++i) {
        Enregistrement e;
        e.type = i == 0 ? 0 : i % 12;
        e.x = static_cast<float>(i % 100) * 4;
        e.y = static_cast<float>(i / 100) * 4;
        e.z = static_cast<float>(std::rand() % 200) / 10.0f - 10;
        e.vie = 3;
        e.lx = 2;
        e.ly = 2;
        e.lz = static_cast<float>(std::rand() % 40) / 10.0f + 0.5f;
        e.rz = static_cast<float>(std::rand() % 360);
        e.texture = kMots[i % 8];
        r.push_back(e);
    }
    return r;
}

// A scratch folder, removed afterwards.
struct Dossier {
    std::string chemin;
    Dossier() {
        std::string modele =
            (std::filesystem::temp_directory_path() / "vorna-bench-XXXXXX").string();
        if (!mkdtemp(modele.data())) std::abort();
        chemin = modele;
    }
    ~Dossier() {
        std::error_code ec;
        std::filesystem::remove_all(chemin, ec);
    }
};

struct Fichier {
    Dossier dossier;
    std::string chemin = dossier.chemin + "/grand.txt";
    explicit Fichier(int n) {
        if (!ecrireNiveau(chemin, parcours(n))) std::abort();
    }
};

void BM_LireEnregistrements(benchmark::State& state) {
    Fichier f(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double somme = 0;
        int n = lireEnregistrements(f.chemin, [&](const Enregistrement& e, int) { somme += e.x; });
        benchmark::DoNotOptimize(somme);
        if (n != state.range(0)) state.SkipWithError("wrong record count");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LireEnregistrements)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ChargerNiveauPartie(benchmark::State& state) {
    Fichier f(static_cast<int>(state.range(0)));
    const Texture textures;  // all names 0: no GL context needed
    const ReglesNiveau regles = reglesPartie(textures);
    for (auto _ : state) {
        ContenuNiveau c;
        if (!chargerNiveau(f.chemin, regles, c)) state.SkipWithError("level not read");
        benchmark::DoNotOptimize(c.cubes.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChargerNiveauPartie)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_EcrireNiveau(benchmark::State& state) {
    Dossier dossier;
    const std::string chemin = dossier.chemin + "/ecrit.txt";
    const std::vector<Enregistrement> r = parcours(static_cast<int>(state.range(0)));
    for (auto _ : state)
        if (!ecrireNiveau(chemin, r)) state.SkipWithError("level not written");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EcrireNiveau)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
