// SPDX-License-Identifier: GPL-3.0-or-later
#include "fenetre_test.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fenetre.h"

bool ouvrirFenetreTest() {
    if (fenetreGL()) return true;
    const char* d = std::getenv("DISPLAY");
    if (!d || !*d) {
        std::fprintf(stderr, "no DISPLAY: drawing tests need an X display (run them under xvfb-run)\n");
        return false;
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) return false;
    if (!ouvrirFenetreGL(640, 480, 0, "test")) return false;
    reinitialiserGL();
    return true;
}

void tailleFenetreTest(int largeur, int hauteur) {
    if (pleinEcran()) basculerPleinEcran();
    SDL_SetWindowSize(fenetreGL(), largeur, hauteur);
    glViewport(0, 0, largeur, hauteur);
}

void reinitialiserGL() {
    glClearColor(0, 0, 0, 0);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    glNormal3f(0, 0, 1);  // blocks are lit with the normal left current
    glBlendFunc(GL_ONE, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

namespace {

// The viewport's width (0) or height (1): the window's.
GLint taille(int i) { GLint v[4]; return glGetIntegerv(GL_VIEWPORT, v), v[2 + i]; }

// The back buffer's rows from the bottom, 3 bytes a pixel (the whole of it by default).
std::vector<uint8_t> tampon(int x = 0, int y = 0, int l = taille(0), int h = taille(1)) {
    std::vector<uint8_t> brut(size_t(l) * h * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, l, h, GL_RGB, GL_UNSIGNED_BYTE, brut.data());
    return brut;
}

}  // namespace

std::vector<Pixel> lireEcran() {
    const int l = taille(0), h = taille(1);
    const std::vector<uint8_t> brut = tampon();
    std::vector<Pixel> r(size_t(l) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            const uint8_t* p = &brut[(size_t(h - 1 - y) * l + x) * 3];
            r[size_t(y) * l + x] = Pixel{p[0], p[1], p[2]};
        }
    return r;
}

Pixel lirePixel(int x, int y) {
    const std::vector<uint8_t> p = tampon(x, taille(1) - 1 - y, 1, 1);
    return Pixel{p[0], p[1], p[2]};
}

uint64_t empreinteEcran() {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (uint8_t o : tampon()) h = (h ^ o) * 1099511628211ull;
    return h;
}

double luminance(const Pixel& p) {
    double l = 0;
    const double poids[3] = {0.2126, 0.7152, 0.0722}, c[3] = {p.r / 255.0, p.g / 255.0, p.b / 255.0};
    for (int k = 0; k < 3; ++k) l += poids[k] * (c[k] <= 0.03928 ? c[k] / 12.92 : std::pow((c[k] + 0.055) / 1.055, 2.4));
    return l;
}

double contraste(double la, double lb) { return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05); }
