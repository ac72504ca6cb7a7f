// A whole run of a large course, drawn for real: 1,000 blocks, 50 pick-ups,
// 1,000 frames on the virtual clock, the ball steered by scripted keys.
// Reports the work of a frame (everything but the 30 ms sleep, which the
// virtual clock skips) and the peak memory of the process.
//
//   xvfb-run -a ./bench_partie
#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "fsound.h"
#include "jeu.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

namespace {

std::string rec(int kind, double x, double y, double z, double lx, double ly, double lz,
                const char* tex) {
    char l[256];
    std::snprintf(l, sizeof l, "@%d,%f,%f,%f,0,%f,%f,%f,0,0,0,%s\n", kind, x, y, z, lx, ly, lz, tex);
    return l;
}

// A wide field of floor tiles toward −x with walls, turbos, jumps and
// checkpoints sprinkled in, and pick-ups along the way.
std::string course() {
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

}  // namespace

int main() {
    if (!ouvrirFenetreTest()) {
        std::fprintf(stderr, "bench_partie needs an OpenGL display (run it under xvfb-run)\n");
        return 1;
    }
    DossierTemporaire dossier;
    dossier.arborescenceJeu();
    // The real textures when the game folder has them.
    const std::filesystem::path donnees = std::string(VORNA_GAME_DIR) + "/data";
    if (std::filesystem::exists(donnees / "sol.jpg"))
        std::filesystem::copy(donnees, "data", std::filesystem::copy_options::recursive |
                                                   std::filesystem::copy_options::overwrite_existing);
    ecrireFichier("maps/grand.txt", course());
    MixeurEnregistreur mixeur;
    FSOUND_Init(44100, 32, 0);
    SystemeScript systeme;
    const int frames = 1000;
    systeme.appui(2, SDLK_UP);
    for (int f = 100; f < frames; f += 120) {
        systeme.tape(f, SDLK_RIGHT, 20);
        systeme.tape(f + 60, SDLK_LEFT, 20);
    }
    systeme.quitter(frames - 1);

    std::vector<double> travail;
    auto avant = std::chrono::steady_clock::now();
    systeme.surImage([&](int) {
        glFinish();  // count the drawing, not only its submission
        auto maintenant = std::chrono::steady_clock::now();
        travail.push_back(std::chrono::duration<double, std::milli>(maintenant - avant).count());
        avant = maintenant;
    });

    Jeu jeu(640, 480);
    jeu.setFantome(true);
    jeu.setScenario(false);
    jeu.setMap("grand");
    jeu.jouer();
    FSOUND_Close();

    if (travail.size() < 10) {
        std::fprintf(stderr, "the run did not start\n");
        return 1;
    }
    travail.erase(travail.begin());  // the first frame includes loading
    std::vector<double> tri = travail;
    std::sort(tri.begin(), tri.end());
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("frames: %zu, ball ended at x = %.1f\n", travail.size() + 1, jeu.getInstant().x);
    std::printf("work per frame: median %.2f ms, 90th percentile %.2f ms, max %.2f ms\n",
                tri[tri.size() / 2], tri[tri.size() * 9 / 10], tri.back());
    std::printf("peak memory: %.1f MiB\n", u.ru_maxrss / 1024.0);
    return 0;
}
