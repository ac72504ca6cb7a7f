// SPDX-License-Identifier: GPL-3.0-or-later
#include "police.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace atelier {

std::string cheminPolice(const std::string& fichier) {
    return "/usr/share/fonts/truetype/dejavu/" + fichier;
}

Police::Police(const std::string& fichier) {
    FT_Library bibliotheque = nullptr;
    if (FT_Init_FreeType(&bibliotheque) != 0) throw std::runtime_error("FreeType cannot start");
    FT_Face face = nullptr;
    if (FT_New_Face(bibliotheque, fichier.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(bibliotheque);
        throw std::runtime_error("cannot read the font " + fichier);
    }
    m_bibliotheque = bibliotheque;
    m_face = face;
}

Police::~Police() {
    FT_Done_Face(static_cast<FT_Face>(m_face));
    FT_Done_FreeType(static_cast<FT_Library>(m_bibliotheque));
}

void Police::taille(double emX, double emY) {
    FT_Face face = static_cast<FT_Face>(m_face);
    FT_Set_Char_Size(face, FT_F26Dot6(std::lround(emX * 64)), FT_F26Dot6(std::lround(emY * 64)), 72, 72);
}

double Police::avance(unsigned long c, double emX, double emY) {
    FT_Face face = static_cast<FT_Face>(m_face);
    taille(emX, emY);
    FT_Set_Transform(face, nullptr, nullptr);
    if (FT_Load_Char(face, c, FT_LOAD_NO_HINTING) != 0) return 0.0;
    return face->glyph->advance.x / 64.0;
}

void Police::dessiner(Plan& plan, unsigned long c, double emX, double emY, double x, double y) {
    FT_Face face = static_cast<FT_Face>(m_face);
    taille(emX, emY);
    // Whole pixels go to the bitmap's position, the fractions to FreeType.
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    FT_Vector decalage;
    decalage.x = FT_Pos(std::lround((x - ix) * 64));
    decalage.y = FT_Pos(-std::lround((y - iy) * 64));  // FreeType's y grows upward
    FT_Set_Transform(face, nullptr, &decalage);
    if (FT_Load_Char(face, c, FT_LOAD_NO_HINTING | FT_LOAD_RENDER) != 0) return;
    const FT_Bitmap& b = face->glyph->bitmap;
    int gauche = ix + face->glyph->bitmap_left, haut = iy - face->glyph->bitmap_top;
    for (unsigned r = 0; r < b.rows; ++r)
        for (unsigned k = 0; k < b.width; ++k) {
            int px = gauche + int(k), py = haut + int(r);
            if (px < 0 || py < 0 || px >= plan.largeur || py >= plan.hauteur) continue;
            double v = b.buffer[size_t(r) * size_t(b.pitch) + k] / 255.0;
            plan.at(px, py) = std::min(1.0, plan.at(px, py) + v);
        }
    FT_Set_Transform(face, nullptr, nullptr);
}

// ---- the bitmap font ---------------------------------------------------------------

namespace {

// The placeholder: an empty box as tall as a capital and as wide as a
// letter, its sides about two screen pixels thick.
void dessinerManquant(Plan& plan, double gauche, double droite, double haut, double bas, double texelX,
                      double texelY) {
    const double epaisseurX = 2 * texelX, epaisseurY = 2 * texelY;
    for (int y = int(std::ceil(haut)); y < int(bas); ++y)
        for (int x = int(std::ceil(gauche)); x < int(droite); ++x) {
            const bool bord = x < gauche + epaisseurX || x >= droite - epaisseurX || y < haut + epaisseurY ||
                              y >= bas - epaisseurY;
            if (bord) plan.at(x, y) = 1.0;
        }
}

// Calls f(x, y) for every pixel of the cell at (x0, y0), `cote` pixels square.
template <typename F>
void pourLaCellule(double x0, double y0, double cote, int largeur, int hauteur, F f) {
    for (int y = int(std::ceil(y0)); y < std::min(hauteur, int(y0 + cote)); ++y)
        for (int x = int(std::ceil(x0)); x < std::min(largeur, int(x0 + cote)); ++x) f(x, y);
}
// The columns of the leftmost and rightmost ink of the cell, from its left edge.
std::pair<double, double> etendueEncre(const Plan& plan, double x0, double y0, double cote) {
    int gauche = plan.largeur, droite = 0;
    pourLaCellule(x0, y0, cote, plan.largeur, plan.hauteur, [&](int x, int y) {
        if (plan.at(x, y) > 0) gauche = std::min(gauche, x), droite = std::max(droite, x);
    });
    return {gauche - x0, droite - x0};
}
void effacerCellule(Plan& plan, double x0, double y0, double cote) {
    pourLaCellule(x0, y0, cote, plan.largeur, plan.hauteur, [&](int x, int y) { plan.at(x, y) = 0; });
}

}  // namespace

Toile atlasPolice() {
    // A cell is shown as 32 × 24 screen pixels and the pen moves 16 pixels, so
    // a glyph has 16 × 24 pixels of screen, that is 51.2 × 102.4 texels: one
    // screen pixel is 3.2 texels across and 4.27 texels down. The em square is
    // sized in screen pixels and converted, which pre-stretches the letters
    // vertically so they come out with their true proportions.
    const double cellule = TAILLE_ATLAS / 10.0;
    const double texelX = cellule / 32.0, texelY = cellule / 24.0;
    const double emEcranX = 19.0, emEcranY = 15.5;  // a bold face filling the 16-pixel pitch, outline included
    const double emX = emEcranX * texelX, emY = emEcranY * texelY;
    Police police(cheminPolice("DejaVuSansMono-Bold.ttf"));
    Plan plan(TAILLE_ATLAS, HAUTEUR_ATLAS);
    // Baseline: the ink of the whole set (ascenders to descenders) centred
    // in the cell's height.
    const double haut = 0.822 * emY, bas = 0.249 * emY;  // dot of the i, foot of the underscore
    const double ligneDeBase = (cellule + haut - bas) / 2.0;
    const double capitale = 0.729 * emY;  // the height of a capital
    for (int c = 0; c < kColonnesAtlas * kLignesAtlas; ++c) {
        const char32_t g = caractereDeCellule(c);
        if (!g) continue;
        double x0 = (c % kColonnesAtlas) * cellule, y0 = (c / kColonnesAtlas) * cellule;
        double avance = police.avance(g, emX, emY);
        double x = x0 + cellule / 4.0 - avance / 2.0;  // centred in the left half
        if (g == kCaractereManquant) {
            dessinerManquant(plan, x + 2 * texelX, x + avance - 2 * texelX, y0 + ligneDeBase - capitale,
                             y0 + ligneDeBase, texelX, texelY);
            continue;
        }
        police.dessiner(plan, g, emX, emY, x, y0 + ligneDeBase);
        // A letter whose accent juts out to the right (ď, ľ, ť) is centred
        // where its rim stays in the left half (the first cells are as they
        // always were).
        const auto [g0, d0] = etendueEncre(plan, x0, y0, cellule);
        const double bord = 2 * texelX;  // the rim's width, about
        if (c >= kPremiereCelluleAjoutee && d0 > cellule / 2 - bord - 2) {
            effacerCellule(plan, x0, y0, cellule);
            police.dessiner(plan, g, emX, emY, x + cellule / 4 - (g0 + d0) / 2, y0 + ligneDeBase);
        }
    }
    return avecContour(plan, texelX, texelY);
}

Toile avecContour(const Plan& encre, double texelX, double texelY) {
    // A dark rim about one screen pixel wide around white letters keeps the
    // text readable over any scene: the game tints the white, the rim stays dark.
    const double rayon = 1.1;  // screen pixels
    const int rx = int(std::ceil(rayon * texelX)) + 1, ry = int(std::ceil(rayon * texelY)) + 1;
    const int l = encre.largeur, h = encre.hauteur;
    // Separable soft dilation: along x, then along y.
    auto profil = [rayon](double d) { return std::clamp(rayon + 0.5 - d, 0.0, 1.0); };
    Plan horizontal(l, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            double m = 0;
            for (int dx = -rx; dx <= rx; ++dx) {
                int xx = x + dx;
                if (xx < 0 || xx >= l) continue;
                m = std::max(m, encre.at(xx, y) * profil(std::abs(dx) / texelX));
            }
            horizontal.at(x, y) = m;
        }
    Toile t(l, h, Couleur(1, 1, 1), 0.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            double m = 0;
            for (int dy = -ry; dy <= ry; ++dy) {
                int yy = y + dy;
                if (yy < 0 || yy >= h) continue;
                m = std::max(m, horizontal.at(x, yy) * profil(std::abs(dy) / texelY));
            }
            const double v = encre.at(x, y);
            const double a = std::max(v, 0.8 * m);
            t.a(x, y) = a;
            const double blanc = a > 0 ? v / a : 1.0;  // white in the letter, dark in the rim
            t.at(x, y) = Couleur(blanc, blanc, blanc);
        }
    return t;
}

}  // namespace atelier
