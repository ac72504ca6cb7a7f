// SPDX-License-Identifier: GPL-3.0-or-later
#include "mipmaps.h"

#include <GL/glu.h>

namespace {

bool puissanceDeDeux(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

// Each texel written lies at or before the first of those it is made of, all
// read already: halving in place reads nothing it wrote.
void moitieImage(unsigned char* pixels, int& largeur, int& hauteur, int composantes, std::size_t ligne) {
    if (largeur <= 1 && hauteur <= 1) return;
    const int l = largeur > 1 ? largeur / 2 : 1, h = hauteur > 1 ? hauteur / 2 : 1;
    const std::size_t c = static_cast<std::size_t>(composantes);
    unsigned char* d = pixels;
    if (largeur > 1 && hauteur > 1) {
        for (int y = 0; y < h; ++y) {
            const unsigned char* s = pixels + 2 * y * ligne;
            for (int x = 0; x < l; ++x, s += c)
                for (std::size_t k = 0; k < c; ++k, ++s)
                    *d++ = static_cast<unsigned char>((s[0] + s[c] + s[ligne] + s[ligne + c] + 2) / 4);
        }
    } else {
        // One row or one column: its texels two by two.
        const std::size_t pas = largeur > 1 ? c : ligne;
        for (int i = 0; i < l * h; ++i) {
            const unsigned char* s = pixels + 2 * i * pas;
            for (std::size_t k = 0; k < c; ++k, ++s) *d++ = static_cast<unsigned char>((s[0] + s[pas]) / 2);
        }
    }
    largeur = l, hauteur = h;
}

void construireMipmaps(GLint interne, int largeur, int hauteur, GLenum format, int composantes,
                       unsigned char* pixels, int alignement) {
    GLint max = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignement);
    if (!puissanceDeDeux(largeur) || !puissanceDeDeux(hauteur) || largeur > max || hauteur > max) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, interne, largeur, hauteur, format, GL_UNSIGNED_BYTE, pixels);
        return;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, interne, largeur, hauteur, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // the halved rows are tightly packed
    const std::size_t a = static_cast<std::size_t>(alignement);
    std::size_t ligne = (static_cast<std::size_t>(largeur) * composantes + a - 1) / a * a;
    for (int n = 1; largeur > 1 || hauteur > 1; ++n) {
        moitieImage(pixels, largeur, hauteur, composantes, ligne);
        ligne = static_cast<std::size_t>(largeur) * composantes;
        glTexImage2D(GL_TEXTURE_2D, n, interne, largeur, hauteur, 0, format, GL_UNSIGNED_BYTE, pixels);
    }
}
