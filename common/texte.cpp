// SPDX-License-Identifier: GPL-3.0-or-later
#include "texte.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include <SDL.h>

#include "cadre.h"
#include "masque_contour.h"
#include "systeme.h"

const unsigned char kSelection[3] = {221, 137, 107};

namespace {

// Glyph quads are 64 × 48 units (one unit is half a pixel) and the pen moves
// half a glyph per character, so neighbouring quads overlap by half.
const double kLargeurGlyphe = 64;
const double kHauteurGlyphe = 48;
const int kAvance = 32;  // kLargeurGlyphe × 0.5

bool contour = false;
std::function<void(const ImpressionTexte&)> observateur;

// The outline: the glyph's ink spread two pixels each way, in black, under
// the glyph (one quad of the font's outline mask). Its edge is where the
// mask, smoothed between texels, is half covered: sharp at any size, never a
// faint fringe. Its opacity is the text's.
void dessinerContour(const ImpressionTexte& i) {
    const int cellules = kColonnesAtlas * lignesAtlas();  // of the font, bound
    const MasqueContour* masque = masqueLie(i.texture, kLargeurGlyphe, kHauteurGlyphe);
    if (!masque) return;
    GLfloat couleur[4];
    glGetFloatv(GL_CURRENT_COLOR, couleur);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GEQUAL, 0.5f);
    glBlendColor(0, 0, 0, couleur[3]);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    glColor4f(0, 0, 0, 1);
    glBegin(GL_QUADS);
    for (const GlypheTexte& g : i.glyphes) {
        const int c = g.cellule - '0';
        if (c < 0 || c >= cellules) continue;
        const QuadContour q = masque->quad(c, g.gauche, g.bas, i.largeurGlyphe, i.hauteurGlyphe);
        glTexCoord2d(q.s0, q.t0);
        glVertex2d(q.gauche, q.bas);
        glTexCoord2d(q.s0, q.t1);
        glVertex2d(q.gauche, q.haut);
        glTexCoord2d(q.s1, q.t1);
        glVertex2d(q.droite, q.haut);
        glTexCoord2d(q.s1, q.t0);
        glVertex2d(q.droite, q.bas);
    }
    glEnd();
    glPopAttrib();
    glColor4fv(couleur);
    glBindTexture(GL_TEXTURE_2D, i.texture);
}

// WCAG's relative luminance of an sRGB colour.
double luminance(const GLfloat* c) {
    double l = 0;
    const double poids[3] = {0.2126, 0.7152, 0.0722};
    for (int k = 0; k < 3; ++k) l += poids[k] * (c[k] <= 0.03928 ? c[k] / 12.92 : std::pow((c[k] + 0.055) / 1.055, 2.4));
    return l;
}

// Over the outline a darker ink (the grey of what cannot be chosen, the
// highlight) is lifted toward white until its luminance is half white's: it
// stands out 11 to 1 on black, and still well apart from white.
std::array<GLfloat, 4> eclaircie(const GLfloat* c) {
    const double vise = 0.5;
    std::array<GLfloat, 4> r = {c[0], c[1], c[2], c[3]};
    if (luminance(c) >= vise) return r;
    float bas = 0, haut = 1;
    for (int n = 0; n < 12; ++n) {
        const float t = (bas + haut) / 2;
        for (int k = 0; k < 3; ++k) r[k] = c[k] + (1 - c[k]) * t;
        (luminance(r.data()) < vise ? bas : haut) = t;
    }
    for (int k = 0; k < 3; ++k) r[k] = c[k] + (1 - c[k]) * haut;
    return r;
}

}  // namespace

void contourTexte(bool actif) { contour = actif; }

void observerTextes(std::function<void(const ImpressionTexte&)> o) { observateur = std::move(o); }

void debutTexte(int hauteur, int largeur) {
    glDisable(GL_DEPTH_TEST);
    orthoDesign(hauteur, largeur);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void finTexte(int, int) {
    glDisable(GL_BLEND);
    glPopMatrix();
    perspectiveScene();
    glEnable(GL_DEPTH_TEST);
}

int niveauxPoliceInutiles(int largeur, int hauteur) {
    if (largeur <= 0 || hauteur <= 0) return 0;
    // The largest scale a window on this computer's screens can give the design.
    double echelle = 0;
    for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
        SDL_DisplayMode m{};
        if (SDL_GetDesktopDisplayMode(d, &m) == 0)
            echelle = std::max(echelle, std::min(m.w / 640.0, m.h / 480.0));
    }
    if (echelle <= 0) return 0;
    // Texels a pixel along the glyph's denser axis, as GL chooses levels by.
    const double lignes = std::max(1, kColonnesAtlas * hauteur / largeur);
    const double texels = std::max(largeur / 10.0 / (kLargeurGlyphe / 2), hauteur / lignes / (kHauteurGlyphe / 2));
    return texels / echelle >= 2 ? 1 : 0;
}

int lignesAtlas() {
    GLint largeur = 0, hauteur = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &largeur);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &hauteur);
    return largeur > 0 ? std::max(1, kColonnesAtlas * hauteur / largeur) : kColonnesAtlas;
}

void quadGlyphe(int cellule, int lignes, double gauche, double bas, double largeur, double hauteur) {
    // Cell c lies in column c mod 10 and row c div 10, rows from the top of
    // the image (whose first row is at t = 1).
    const int c = cellule - '0';
    if (c < 0 || c >= kColonnesAtlas * lignes) return;
    const double pas = 1.0 / lignes;
    const double u = (c % kColonnesAtlas) / 10.0;
    const double v = (c / kColonnesAtlas) / static_cast<double>(lignes);
    const double droite = gauche + largeur;
    glTexCoord2d(u, 1 - (v + pas));
    glVertex2d(gauche, bas);
    glTexCoord2d(u, 1 - v);
    glVertex2d(gauche, bas + hauteur);
    glTexCoord2d(u + 0.1, 1 - v);
    glVertex2d(droite, bas + hauteur);
    glTexCoord2d(u + 0.1, 1 - (v + pas));
    glVertex2d(droite, bas);
}

void quadsTexte(const ImpressionTexte& i) {
    const int lignes = lignesAtlas();
    glBegin(GL_QUADS);
    for (const GlypheTexte& g : i.glyphes) quadGlyphe(g.cellule, lignes, g.gauche, g.bas, i.largeurGlyphe, i.hauteurGlyphe);
    glEnd();
}

unsigned int textureLiee() {
    GLint t = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &t);
    return static_cast<unsigned int>(t);
}

void imprimerGlyphes(const ImpressionTexte& i) {
    if (!contour || !i.texture) {
        quadsTexte(i);
    } else {
        dessinerContour(i);
        GLfloat couleur[4];
        glGetFloatv(GL_CURRENT_COLOR, couleur);
        glColor4fv(eclaircie(couleur).data());
        quadsTexte(i);
        glColor4fv(couleur);
    }
    if (observateur) observateur(i);
}

int glyphesParLigne(int hauteur, int pos) {
    return (2 * hauteur - (pos == 2 || pos == 3 ? hauteur / 50 : 0)) / kAvance;
}

std::vector<std::string> lignesTexte(const std::string& texte, int glyphes) {
    const size_t max = static_cast<size_t>(std::max(1, glyphes));
    const std::u32string t = enCaracteres(texte);
    std::vector<std::string> lignes;
    size_t debut = 0;
    do {
        const size_t fin = std::min(t.find(U'\n', debut), t.size());
        std::u32string reste = t.substr(debut, fin - debut);
        while (reste.size() > max) {
            const size_t blanc = reste.rfind(U' ', max);
            const bool coupe = blanc == std::u32string::npos || blanc == 0;
            lignes.push_back(enUtf8(reste.substr(0, coupe ? max : blanc)));
            reste.erase(0, coupe ? max : blanc + 1);
        }
        lignes.push_back(enUtf8(reste));
        debut = fin + 1;
    } while (debut <= t.size());
    return lignes;
}

std::vector<GlypheTexte> disposerTexte(const std::string& texte, int pos, double posx, double posy, int hauteur,
                                       int largeur) {
    std::vector<std::string> lignes = lignesTexte(texte, glyphesParLigne(hauteur, pos));
    const size_t tiennent = static_cast<size_t>(std::max(1.0, 2 * largeur / kHauteurGlyphe));
    if (lignes.size() > tiennent) lignes.resize(tiennent);  // beyond what the window holds
    const int l = static_cast<int>(lignes.size());
    // The first line where a single line goes; the others below it, or above
    // it from the bottom corners.
    double y = largeur * posy;
    if (pos == 0 || pos == 3) y = -largeur + (l - 1) * kHauteurGlyphe;
    else if (pos == 1 || pos == 2) y = largeur - kHauteurGlyphe;
    else if (pos == 4) y = 0;
    if (l > 1) y = std::clamp(y, -largeur + (l - 1) * kHauteurGlyphe, largeur - kHauteurGlyphe);

    std::vector<GlypheTexte> r;
    for (int k = 0; k < l; ++k, y -= kHauteurGlyphe) {
        const std::u32string ligne = enCaracteres(lignes[k]);
        const int n = static_cast<int>(ligne.size());
        double x;
        switch (pos) {
        case 0: case 1: x = -hauteur; break;
        case 2: case 3: x = hauteur - kAvance * n - hauteur / 50; break;
        case 4: x = -kAvance * (n / 2); break;
        default: x = hauteur * posx - kAvance * n / 2; break;
        }
        // A text of several lines never beyond the window's sides.
        if (l > 1) x = std::max(-static_cast<double>(hauteur), std::min(x, static_cast<double>(hauteur) - kAvance * n));
        for (int i = 0; i < n; ++i)
            if (const int cellule = celluleGlyphe(ligne[i])) r.push_back({cellule, x + kAvance * i, y});
    }
    return r;
}

void Texte::mervoprint(const char* texte, unsigned int texture, int pos, double posx, double posy,
                       int hauteur, int largeur) {
    const std::vector<GlypheTexte> glyphes = disposerTexte(texte ? texte : "", pos, posx, posy, hauteur, largeur);
    sys::texteDessine(texte ? texte : "");

    // An orthographic view twice the window's size, centred on its centre.
    debutTexte(hauteur, largeur);
    glBindTexture(GL_TEXTURE_2D, texture);
    imprimerGlyphes({texte ? texte : "", glyphes, texture, hauteur, largeur});

    // Back to the scene's perspective; the projection stays the current mode.
    finTexte(hauteur, largeur);
}
