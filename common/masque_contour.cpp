// SPDX-License-Identifier: GPL-3.0-or-later
#include "masque_contour.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

constexpr int kColonnes = 10;
constexpr double kRingUnites = 4;  // two pixels, two units a pixel
constexpr unsigned char kEncre = 96;  // what counts as ink in the font's alpha

int puissanceDeDeux(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// The first texel whose centre is at or after `x`.
int premierTexel(double x) { return static_cast<int>(std::ceil(x - 0.5)); }

}  // namespace

MasqueContour::MasqueContour(const std::vector<unsigned char>& alpha, int largeur, int hauteur, int lignes,
                             double largeurGlyphe, double hauteurGlyphe)
    : m_source{largeur, hauteur}, m_lignes(std::max(1, lignes)) {
    const double cw = static_cast<double>(largeur) / kColonnes, ch = static_cast<double>(hauteur) / m_lignes;
    m_rayon[0] = std::max(1, static_cast<int>(kRingUnites * cw / largeurGlyphe));
    m_rayon[1] = std::max(1, static_cast<int>(kRingUnites * ch / hauteurGlyphe));
    m_cellule[0] = static_cast<int>(std::ceil(cw)) + 1 + 2 * (m_rayon[0] + 1);
    m_cellule[1] = static_cast<int>(std::ceil(ch)) + 1 + 2 * (m_rayon[1] + 1);
    m_largeur = puissanceDeDeux(kColonnes * m_cellule[0]);
    m_hauteur = puissanceDeDeux(m_lignes * m_cellule[1]);
    m_alpha.assign(static_cast<size_t>(m_largeur) * m_hauteur, 0);
    if (alpha.size() < static_cast<size_t>(largeur) * hauteur) return;
    for (int l = 0; l < m_lignes; ++l)
        for (int c = 0; c < kColonnes; ++c) {
            remplirCellule(alpha, c, l);
            etendre(c, l);
        }
}

// Cell (colonne, ligne) of the atlas, rows counted from the top, copied into
// its own cell of the mask, past the ring and a guard texel: opaque where
// there is any ink, clear elsewhere.
void MasqueContour::remplirCellule(const std::vector<unsigned char>& source, int colonne, int ligne) {
    const double cw = static_cast<double>(m_source[0]) / kColonnes, ch = static_cast<double>(m_source[1]) / m_lignes;
    const int x0 = premierTexel(colonne * cw), x1 = premierTexel((colonne + 1) * cw);
    const int y0 = premierTexel(m_source[1] - (ligne + 1) * ch), y1 = premierTexel(m_source[1] - ligne * ch);
    const int ox = colonne * m_cellule[0] + 1 + m_rayon[0];
    const int oy = (m_lignes - 1 - ligne) * m_cellule[1] + 1 + m_rayon[1];
    for (int y = std::max(0, y0); y < std::min(y1, m_source[1]); ++y)
        for (int x = std::max(0, x0); x < std::min(x1, m_source[0]); ++x)
            m_alpha[static_cast<size_t>(oy + y - y0) * m_largeur + ox + x - x0] =
                source[static_cast<size_t>(y) * m_source[0] + x] >= kEncre ? 255 : 0;
}

// The ink spread by the ring each way, inside the cell: the largest alpha of
// the rectangle round each texel, one direction after the other.
void MasqueContour::etendre(int colonne, int ligne) {
    const int ox = colonne * m_cellule[0], oy = (m_lignes - 1 - ligne) * m_cellule[1];
    std::vector<unsigned char> ligneLue(static_cast<size_t>(std::max(m_cellule[0], m_cellule[1])));
    for (int axe = 0; axe < 2; ++axe) {
        const int n = m_cellule[axe], autres = m_cellule[1 - axe], r = m_rayon[axe];
        for (int k = 0; k < autres; ++k) {
            auto texel = [&](int i) -> unsigned char& {
                const int x = axe == 0 ? ox + i : ox + k, y = axe == 0 ? oy + k : oy + i;
                return m_alpha[static_cast<size_t>(y) * m_largeur + x];
            };
            for (int i = 0; i < n; ++i) ligneLue[i] = texel(i);
            for (int i = 0; i < n; ++i) {
                unsigned char a = 0;
                for (int j = std::max(0, i - r); j <= std::min(n - 1, i + r); ++j) a = std::max(a, ligneLue[j]);
                texel(i) = a;
            }
        }
    }
}

QuadContour MasqueContour::quad(int cellule, double gauche, double bas, double largeur, double hauteur) const {
    const int colonne = cellule % kColonnes, ligne = cellule / kColonnes;
    const double cw = static_cast<double>(m_source[0]) / kColonnes, ch = static_cast<double>(m_source[1]) / m_lignes;
    // Source texels and mask texels keep their scale: only the origin moves.
    const double x0 = colonne * cw, y0 = m_source[1] - (ligne + 1) * ch;
    const double dx = colonne * m_cellule[0] + 1 + m_rayon[0] - premierTexel(x0);
    const double dy = (m_lignes - 1 - ligne) * m_cellule[1] + 1 + m_rayon[1] - premierTexel(y0);
    const double ux = largeur / cw, uy = hauteur / ch;  // units per texel
    return {gauche - m_rayon[0] * ux,
            bas - m_rayon[1] * uy,
            gauche + largeur + m_rayon[0] * ux,
            bas + hauteur + m_rayon[1] * uy,
            (x0 - m_rayon[0] + dx) / m_largeur,
            (y0 - m_rayon[1] + dy) / m_hauteur,
            (x0 + cw + m_rayon[0] + dx) / m_largeur,
            (y0 + ch + m_rayon[1] + dy) / m_hauteur};
}

namespace {

struct Masque {
    GLuint texture = 0;
    std::unique_ptr<MasqueContour> masque;
};

std::unordered_map<unsigned int, Masque>& masques() {
    static std::unordered_map<unsigned int, Masque> m;
    return m;
}

// The alpha of the font's level nearest a quarter of its width of 1,024
// (about a texel a design pixel for the shipped font), rows from the bottom.
std::unique_ptr<MasqueContour> lireMasque(unsigned int police, double largeurGlyphe, double hauteurGlyphe) {
    glBindTexture(GL_TEXTURE_2D, police);
    GLint w0 = 0, h0 = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w0);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h0);
    if (w0 <= 0 || h0 <= 0) return nullptr;
    int niveau = 0;
    for (GLint w = 0; (w0 >> (niveau + 1)) >= 256; ++niveau) {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, niveau + 1, GL_TEXTURE_WIDTH, &w);
        if (w <= 0) break;
    }
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, niveau, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, niveau, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> alpha(static_cast<size_t>(w) * h);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTexImage(GL_TEXTURE_2D, niveau, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
    glPopClientAttrib();
    const int lignes = std::max(1, kColonnes * h0 / w0);
    return std::make_unique<MasqueContour>(alpha, w, h, lignes, largeurGlyphe, hauteurGlyphe);
}

}  // namespace

const MasqueContour* masqueLie(unsigned int police, double largeurGlyphe, double hauteurGlyphe) {
    auto it = masques().find(police);
    if (it != masques().end() && glIsTexture(it->second.texture)) {
        glBindTexture(GL_TEXTURE_2D, it->second.texture);
        return it->second.masque.get();
    }
    std::unique_ptr<MasqueContour> m = lireMasque(police, largeurGlyphe, hauteurGlyphe);
    if (!m) return nullptr;
    Masque& e = masques()[police];
    if (!e.texture) glGenTextures(1, &e.texture);
    glBindTexture(GL_TEXTURE_2D, e.texture);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, m->largeur(), m->hauteur(), 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 m->alpha().data());
    glPopClientAttrib();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    e.masque = std::move(m);
    return e.masque.get();
}

void oublierMasqueContour(unsigned int police) {
    auto it = masques().find(police);
    if (it == masques().end()) return;
    glDeleteTextures(1, &it->second.texture);
    masques().erase(it);
}
