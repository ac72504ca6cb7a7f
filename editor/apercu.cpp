// SPDX-License-Identifier: GPL-3.0-or-later
#include "apercu.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <memory>

namespace editeur {

namespace {

// `image` as PNG bytes ("" on failure).
std::string png(const ImageRgb& image) {
    if (image.largeur <= 0 || image.hauteur <= 0) return "";
    std::vector<unsigned char> pixels = image.pixels;
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> s(
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), image.largeur, image.hauteur, 24, 3 * image.largeur,
                                           SDL_PIXELFORMAT_RGB24),
        SDL_FreeSurface);
    // Room for the picture stored uncompressed, with its headers.
    std::string tampon(pixels.size() + image.hauteur * 8 + 4096, '\0');
    SDL_RWops* rw = SDL_RWFromMem(tampon.data(), static_cast<int>(tampon.size()));
    if (!s || !rw || IMG_SavePNG_RW(s.get(), rw, 0) != 0) {
        if (rw) SDL_RWclose(rw);
        return "";
    }
    tampon.resize(static_cast<std::size_t>(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    return tampon;
}

}  // namespace

ImageRgb lireImage() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    ImageRgb r;
    r.largeur = v[2], r.hauteur = v[3];
    std::vector<unsigned char> lu(static_cast<std::size_t>(3 * r.largeur * r.hauteur));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(v[0], v[1], r.largeur, r.hauteur, GL_RGB, GL_UNSIGNED_BYTE, lu.data());
    r.pixels.resize(lu.size());
    const std::size_t ligne = 3 * static_cast<std::size_t>(r.largeur);
    for (int y = 0; y < r.hauteur; ++y)  // GL's rows go up
        std::copy_n(lu.begin() + ligne * (r.hauteur - 1 - y), ligne, r.pixels.begin() + ligne * y);
    return r;
}

ImageRgb reduire(const ImageRgb& image, int largeur, int hauteur) {
    const double echelle = std::min({1.0, double(largeur) / image.largeur, double(hauteur) / image.hauteur});
    ImageRgb r;
    r.largeur = std::max(1, static_cast<int>(image.largeur * echelle));
    r.hauteur = std::max(1, static_cast<int>(image.hauteur * echelle));
    r.pixels.resize(static_cast<std::size_t>(3 * r.largeur * r.hauteur));
    for (int y = 0; y < r.hauteur; ++y)
        for (int x = 0; x < r.largeur; ++x) {
            // The source pixels [x0, x1) × [y0, y1) this one covers.
            const int x0 = x * image.largeur / r.largeur, x1 = std::max(x0 + 1, (x + 1) * image.largeur / r.largeur);
            const int y0 = y * image.hauteur / r.hauteur, y1 = std::max(y0 + 1, (y + 1) * image.hauteur / r.hauteur);
            for (int c = 0; c < 3; ++c) {
                long somme = 0;
                for (int j = y0; j < y1; ++j)
                    for (int i = x0; i < x1; ++i) somme += image.pixels[3 * (j * image.largeur + i) + c];
                r.pixels[3 * (y * r.largeur + x) + c] =
                    static_cast<unsigned char>(somme / ((x1 - x0) * (y1 - y0)));
            }
        }
    return r;
}

std::string apercuPng(const ImageRgb& image, std::size_t octetsMax) {
    for (int l = 256, h = 192; l >= 16; l /= 2, h /= 2) {
        const std::string p = png(reduire(image, l, h));
        if (p.empty()) return "";
        if (p.size() <= octetsMax) return p;
    }
    return "";
}

}  // namespace editeur
