// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run of a large course, drawn for real: 1,000 blocks, 50 pick-ups,
// 1,000 frames on the virtual clock, the ball steered by scripted keys.
// Reports the work of a frame (everything but the 30 ms sleep, which the
// virtual clock skips), drawn the fast way and then, in the same process,
// the plain way (every object's own immediate-mode dessiner), and the peak
// memory of the process; then, the fast way, in 1280 x 960 and 1920 x 1080
// windows, with the largest shipped level.
//
//   xvfb-run -a ./bench_partie
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "banc.h"
#include "dessin_rapide.h"
#include "dossier.h"
#include "fsound.h"
#include "jeu.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

namespace {

// One run of a level, steered by the same script each time: forward, with a
// swerve every 120 frames.
Mesure jouerCourse(const std::string& map, bool scenario, int frames) {
    SystemeScript systeme;
    systeme.appui(2, SDLK_UP);
    for (int f = 100; f < frames; f += 120) {
        systeme.tape(f, SDLK_RIGHT, 20);
        systeme.tape(f + 60, SDLK_LEFT, 20);
    }
    systeme.quitter(frames - 1);

    Mesure m;
    systeme.surImage(mesureur(m));

    Jeu jeu(640, 480);
    jeu.setFantome(true);
    jeu.setScenario(scenario);
    if (scenario)
        jeu.setMapScenario(std::stoi(map.substr(3)));
    else
        jeu.setMap(map);
    jeu.jouer();
    m.x = jeu.getInstant().x;
    oterChargement(m);
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    // "rapide" or "simple" plays the course one way only (to profile it).
    const std::string seul = argc > 1 ? argv[1] : "";
    DossierTemporaire dossier;
    if (!preparerBanc("bench_partie", dossier)) return 1;
    std::filesystem::copy(std::string(VORNA_GAME_DIR) + "/maps", "maps",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    ecrireFichier("maps/grand.txt", grandeCourse());
    MixeurEnregistreur mixeur;
    FSOUND_Init(44100, 32, 0);

    // The same course, the same run, drawn both ways in turn.
    Mesure rapide, simple;
    if (seul != "simple") {
        choisirDessinSimple(false);
        rapide = jouerCourse("grand", false, 1000);
    }
    if (seul != "rapide") {
        choisirDessinSimple(true);
        simple = jouerCourse("grand", false, 1000);
    }
    choisirDessinSimple(false);
    if (!seul.empty()) {
        afficherUneFacon(seul, seul == "simple" ? simple : rapide);
        return 0;
    }
    FSOUND_Close();

    if (rapide.travail.size() < 10 || simple.travail.size() < 10) {
        std::fprintf(stderr, "the run did not start\n");
        return 1;
    }
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("1,000 blocks + 50 pick-ups, %zu frames a run, ball ended at x = %.1f (plain way: %.1f)\n",
                rapide.travail.size() + 1, rapide.x, simple.x);
    afficherMesure("fast way", rapide);
    afficherMesure("plain way", simple);
    const double med = rang(rapide.travail, 0.5);
    ligneCible("1,000 blocks + 50 pick-ups, 640 x 480, median frame work", med, "ms", 4);
    ligneCible("same, plain / fast, median frame work", rang(simple.travail, 0.5) / med, "x", 5, false);
    std::printf("plain / fast, CPU of all threads: %.1fx\n", rang(simple.cpu, 0.5) / rang(rapide.cpu, 0.5));
    std::printf("peak memory of the bench process: %.1f MiB\n", u.ru_maxrss / 1024.0);

    // Every shipped level, 300 frames each way; the largest one (most
    // records) is held to 2 ms.
    struct Niveau { std::string nom; bool scenario; size_t taille; };
    std::vector<Niveau> niveaux;
    auto ajouter = [&](const std::filesystem::path& p, bool scenario) {
        niveaux.push_back({p.stem().string(), scenario, lireFichier(p.string()).size()});
    };
    for (const auto& e : std::filesystem::directory_iterator("maps/niveau"))
        if (e.path().extension() == ".qzm") ajouter(e.path(), true);
    for (const auto& e : std::filesystem::directory_iterator("maps"))
        if (e.path().extension() == ".txt" && e.path().stem() != "grand") ajouter(e.path(), false);
    std::sort(niveaux.begin(), niveaux.end(), [](const Niveau& a, const Niveau& b) {
        return a.scenario != b.scenario ? a.scenario : a.nom < b.nom;
    });
    const Niveau* plusGrand = nullptr;
    double medPlusGrand = 0;
    for (const Niveau& n : niveaux) {
        choisirDessinSimple(false);
        const Mesure r = jouerCourse(n.nom, n.scenario, 300);
        choisirDessinSimple(true);
        const Mesure p = jouerCourse(n.nom, n.scenario, 300);
        choisirDessinSimple(false);
        if (r.travail.size() < 10 || p.travail.size() < 10) {
            std::printf("level %-12s did not start\n", n.nom.c_str());
            continue;
        }
        std::printf("level %-12s (%6zu bytes) fast: median %5.2f ms, 90th percentile %5.2f ms; "
                    "plain: median %5.2f ms\n",
                    n.nom.c_str(), n.taille, rang(r.travail, 0.5), rang(r.travail, 0.9),
                    rang(p.travail, 0.5));
        if (!plusGrand || n.taille > plusGrand->taille) {
            plusGrand = &n;
            medPlusGrand = rang(r.travail, 0.5);
        }
    }
    if (plusGrand) {
        std::printf("largest shipped level: %s\n", plusGrand->nom.c_str());
        ligneCible("largest shipped level, 640 x 480, median frame work", medPlusGrand, "ms", 2);
    }

    // Larger windows, the fast way: the scene fills them, the flat layer is scaled.
    choisirDessinSimple(false);
    for (const auto& [l, h] : {std::pair{1280, 960}, {1920, 1080}}) {
        tailleFenetreTest(l, h);
        const Mesure g = jouerCourse("grand", false, 1000);
        std::printf("%dx%d, fast way: 1,000 blocks median %.2f ms, 90th percentile %.2f ms", l, h,
                    rang(g.travail, 0.5), rang(g.travail, 0.9));
        Mesure n;
        if (plusGrand) {
            n = jouerCourse(plusGrand->nom, plusGrand->scenario, 300);
            std::printf("; largest level %s median %.2f ms, 90th percentile %.2f ms", plusGrand->nom.c_str(),
                        rang(n.travail, 0.5), rang(n.travail, 0.9));
        }
        std::printf("\n");
        if (l != 1920) continue;
        if (plusGrand) ligneCible("largest shipped level, 1920 x 1080, median frame work", rang(n.travail, 0.5), "ms", 16);
        ligneCible("1,000 blocks + 50 pick-ups, 1920 x 1080, median frame work", rang(g.travail, 0.5), "ms", 25);
    }
    tailleFenetreTest(640, 480);
    return 0;
}
