// SPDX-License-Identifier: GPL-3.0-or-later
// The contact sheet of the shipped levels: for each level a picture of the
// whole course from above and the first frame of a real run (the player's
// camera at the start), side by side, all in one PNG.
//
//   cd build/game && xvfb-run -a ../tools/planche/vorna_planche ../planche-niveaux.png
//
// Runs in a game folder (data/ and maps/). Optional arguments after the
// output name: `--grand` keeps the pictures at full size, and level files
// (as listed under maps/, "niveau/map3.qzm") restrict the sheet to them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture.h"
#include "fenetre.h"
#include "fsound.h"
#include "jeu.h"
#include "niveau.h"
#include "niveaux.h"
#include "scene.h"
#include "texte.h"
#include "texture.h"

namespace {

using capture::H;
using capture::Image;
using capture::L;
using capture::lireImage;

// The course from above: an orthographic view from high in the south (−y),
// +x to the right, framing every visible block.
Image vueDessus(const std::string& chemin, const std::string& lieu, const std::string& legende,
                unsigned int police) {
    Texture t;
    t.loadTextures(lieu);
    ContenuNiveau c;
    Image img;
    if (!chargerNiveau(chemin, reglesPartie(t), c)) {
        t.deleteTexture();
        return Image(L * H * 3, 0);
    }
    Heros balle = balleDuNiveau(c);

    const double el = 68 * M_PI / 180;
    const double e[3] = {0, -std::cos(el), std::sin(el)};        // toward the eye
    const double d[3] = {1, 0, 0};                                 // screen right
    const double u[3] = {e[1] * d[2] - e[2] * d[1], e[2] * d[0] - e[0] * d[2],
                         e[0] * d[1] - e[1] * d[0]};               // screen up
    double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
    auto inclure = [&](double x, double y, double z, double lx, double ly, double lz) {
        for (int i = 0; i < 8; ++i) {
            const double p[3] = {x + (i & 1 ? lx : -lx), y + (i & 2 ? ly : -ly),
                                 z + (i & 4 ? lz : -lz)};
            const double sx = p[0] * d[0] + p[1] * d[1] + p[2] * d[2];
            const double sy = p[0] * u[0] + p[1] * u[1] + p[2] * u[2];
            xmin = std::min(xmin, sx); xmax = std::max(xmax, sx);
            ymin = std::min(ymin, sy); ymax = std::max(ymax, sy);
        }
    };
    for (const Cube& b : c.cubes)
        if (b.getClasse() != "limite")
            inclure(b.getX(), b.getY(), b.getZ(), b.getLX(), b.getLY(), b.getLZ());
    for (const Sphere& s : c.spheres)
        inclure(s.getX(), s.getY(), s.getZ(), s.getLX(), s.getLX(), s.getLX());
    // Room for the caption, then the window's proportions.
    const double marge = 0.04 * std::max(xmax - xmin, ymax - ymin);
    xmin -= marge; xmax += marge; ymin -= marge; ymax += marge + 0.06 * (ymax - ymin);
    const double l = xmax - xmin, h = ymax - ymin;
    if (l / h > double(L) / H) {
        const double m = (l * H / L - h) / 2;
        ymin -= m; ymax += m;
    } else {
        const double m = (h * L / H - l) / 2;
        xmin -= m; xmax += m;
    }

    glClearColor(0.16f, 0.18f, 0.22f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(xmin, xmax, ymin, ymax, -5000, 5000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(e[0], e[1], e[2], 0, 0, 0, u[0], u[1], u[2]);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    // Light from high in the south-east, so that tops are bright and walls
    // stand out by their shade.
    eclairage();
    const GLfloat ambiante[4] = {0.45f, 0.45f, 0.45f, 1}, diffuse[4] = {0.75f, 0.75f, 0.75f, 1};
    const GLfloat direction[4] = {0.35f, -0.55f, 1, 0};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambiante);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambiante);
    glColor3ub(230, 230, 230);
    for (Cube& b : c.cubes) b.dessiner();
    for (Bonus& b : c.bonus) b.dessiner();
    for (Sphere& s : c.spheres) s.dessiner();
    glColor3ub(255, 220, 120);
    balle.dessiner();

    glDisable(GL_LIGHTING);
    glColor3ub(255, 255, 255);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, double(L) / H, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Texte::mervoprint(legende.c_str(), police, 1, 0, 0, L, H);
    glEnable(GL_LIGHTING);
    img = lireImage();
    t.deleteTexture();
    return img;
}

// The first frames of a real run of the level, with the player's camera.
Image vueDepart(const NiveauLivre& n, std::string& lieu) {
    capture::Systeme s([](int frame) { return frame == 3; });
    Jeu jeu(L, H);
    jeu.setFantome(false);
    const std::string& f = n.fichier;
    if (f.rfind("niveau/map", 0) == 0) {
        jeu.setScenario(true);
        jeu.setMapScenario(std::atoi(f.c_str() + 10));
    } else {
        jeu.setScenario(false);
        jeu.setMap(f.substr(0, f.size() - 4));
    }
    jeu.jouer();
    lieu = jeu.getTypeLieu();
    return s.image.empty() ? Image(L * H * 3, 0) : s.image;
}

// Pastes `src` (L × H) at (x, y) of `dst` (largeur wide), reduced by `r`.
void coller(Image& dst, int largeur, const Image& src, int x, int y, int r) {
    for (int j = 0; j < H / r; ++j)
        for (int i = 0; i < L / r; ++i)
            for (int k = 0; k < 3; ++k) {
                int somme = 0;
                for (int b = 0; b < r; ++b)
                    for (int a = 0; a < r; ++a) somme += src[((j * r + b) * L + i * r + a) * 3 + k];
                dst[((y + j) * largeur + x + i) * 3 + k] = static_cast<unsigned char>(somme / (r * r));
            }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vorna_planche OUTPUT.png [--grand] [LEVEL_FILE...]\n");
        return 2;
    }
    const std::string sortie = argv[1];
    int reduction = 2;
    std::vector<NiveauLivre> niveaux;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--grand") {
            reduction = 1;
            continue;
        }
        for (const NiveauLivre& n : niveauxLivres())
            if (n.fichier == a) niveaux.push_back(n);
    }
    if (niveaux.empty()) niveaux = niveauxLivres();

    if (!affichageDisponible()) {
        std::fprintf(stderr, "vorna_planche: no display (run it under xvfb-run)\n");
        return 1;
    }
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !ouvrirFenetreGL(L, H, 4)) {
        std::fprintf(stderr, "vorna_planche: cannot open an OpenGL window: %s\n", SDL_GetError());
        return 1;
    }
    FSOUND_Init(44100, 32, 0);
    glEnable(GL_TEXTURE_2D);  // as the program does once at start-up
    const unsigned int police = loadTexture("data/font1.TGA", true);

    const int lc = 2 * L / reduction, hc = H / reduction, colonnes = reduction == 1 ? 1 : 2;
    const int lignes = (static_cast<int>(niveaux.size()) + colonnes - 1) / colonnes;
    const int largeur = colonnes * lc + (colonnes - 1) * 4;
    Image planche(static_cast<size_t>(largeur) * (lignes * (hc + 4)) * 3, 20);
    for (size_t k = 0; k < niveaux.size(); ++k) {
        std::string lieu;
        const Image depart = vueDepart(niveaux[k], lieu);
        int n = 0;
        lireEnregistrements("maps/" + niveaux[k].fichier, [&](const Enregistrement&, int) { ++n; });
        const std::string& f = niveaux[k].fichier;
        const std::string legende = f.substr(f.rfind('/') + 1) + "  " + std::to_string(n) + " records";
        const Image dessus = vueDessus("maps/" + niveaux[k].fichier, lieu, legende, police);
        const int x = static_cast<int>(k % colonnes) * (lc + 4);
        const int y = static_cast<int>(k / colonnes) * (hc + 4);
        coller(planche, largeur, dessus, x, y, reduction);
        coller(planche, largeur, depart, x + lc / 2, y, reduction);
        std::printf("%s\n", legende.c_str());
    }
    libererTexture(police);
    FSOUND_Close();
    fermerFenetreGL();
    SDL_Quit();
    if (!capture::ecrirePng(sortie, planche, largeur, lignes * (hc + 4))) return 1;
    std::printf("contact sheet: %s\n", sortie.c_str());
    return 0;
}
