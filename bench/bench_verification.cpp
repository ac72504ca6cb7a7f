// SPDX-License-Identifier: GPL-3.0-or-later
// What checking a run costs the score server: the replay of a finished run
// of level 1 (the autopilot's) through the rules core, in milliseconds per
// 1,000 steps; then runs posted to a real server (SQLite) and verified, a
// second, beside the old link's submissions (link, then name) a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "course_pilotee.h"
#include "depot.h"
#include "dossier.h"
#include "serveur.h"

#include <httplib.h>

#include <thread>

namespace {

const CoursePilotee& pilotee() {
    static const CoursePilotee c = piloterCourse(1);
    return c;
}

void Verification1000Pas(benchmark::State& etat) {
    const Course& c = pilotee().course;
    const auto depart = departCourse(1400);
    for (auto _ : etat) {
        const Verification v = verifierCourse(c, pilotee().octetsNiveau, depart);
        if (v.verdict != Verification::Verifiee) etat.SkipWithError("the run does not verify");
    }
    // CPU seconds per 1,000 steps (shown with an SI prefix: "m" for milliseconds).
    etat.counters["s_par_1000_pas"] = benchmark::Counter(c.entrees.pas() / 1000.0,
                                                          benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
    etat.counters["pas"] = static_cast<double>(c.entrees.pas());
}
BENCHMARK(Verification1000Pas)->Unit(benchmark::kMillisecond);

// One server for the benches over HTTP, on a scratch SQLite file.
struct Serveur {
    DossierTemporaire dossier;
    std::unique_ptr<Depot> depot;
    std::unique_ptr<ServeurScores> serveur;
    std::thread fil;
    int port = -1;
    Serveur() {
        std::string faute;
        depot = ouvrirDepot("scores.sqlite", faute);
        auto niveaux = std::make_shared<NiveauxConnus>();
        niveaux->chargerScenarios(std::string(VORNA_GAME_DIR) + "/maps/niveau");
        serveur = std::make_unique<ServeurScores>(*depot, ReglagesServeur{0, false, "", {}, niveaux, 2, 10});
        port = serveur->lier("127.0.0.1", 0);
        fil = std::thread([this] { serveur->servir(); });
    }
    ~Serveur() {
        serveur->arreter();
        fil.join();
    }
};
Serveur& serveur() {
    static Serveur s;
    return s;
}

// Verified runs a second: every client posts the same finished run, which
// is played again each time (and found kept already).
void CoursesVerifieesParSeconde(benchmark::State& etat) {
    httplib::Client c("127.0.0.1", serveur().port);
    c.set_read_timeout(60);
    const std::string corps = encoderCourse(pilotee().course);
    for (auto _ : etat) {
        const auto r = c.Post("/course", corps, "text/plain");
        if (!r || r->status != 200) etat.SkipWithError("a run was refused");
    }
    etat.counters["courses_par_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(CoursesVerifieesParSeconde)->Threads(4)->UseRealTime()->Unit(benchmark::kMillisecond);

// The old link's submissions a second: the link's form, then the name.
void LienAncienParSeconde(benchmark::State& etat) {
    httplib::Client c("127.0.0.1", serveur().port);
    int i = 0;
    for (auto _ : etat) {
        const auto page = c.Get("/writescorevorna.php?act=2&score=1000&map=1&v=14&a=1000");
        const size_t j = page && page->status == 200 ? page->body.find("name=\"jeton\" value=\"") : std::string::npos;
        if (j == std::string::npos) {
            etat.SkipWithError("the link was refused");
            break;
        }
        const auto n = c.Post("/nommer", "jeton=" + page->body.substr(j + 20, 32) + "&nom=banc" + std::to_string(++i),
                              "application/x-www-form-urlencoded");
        if (!n || n->status != 303) etat.SkipWithError("the name was refused");
    }
    etat.counters["scores_par_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(LienAncienParSeconde)->Threads(4)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
