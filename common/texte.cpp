#include "texte.h"

#include <GL/gl.h>

#include <cstring>

#include "cadre.h"

namespace {

// Glyph quads are 64 × 48 units (one unit is half a pixel) and the pen moves
// half a glyph per character, so neighbouring quads overlap by half.
const double kLargeurGlyphe = 64;
const double kHauteurGlyphe = 48;
const int kAvance = 32;  // kLargeurGlyphe × 0.5

}  // namespace

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

int celluleGlyphe(char octet) {
    // Bytes are taken as signed, so 128 … 255 never draw. Four cells of the
    // atlas hold punctuation instead of the characters whose codes they carry.
    const signed char c = static_cast<signed char>(octet);
    switch (c) {
    case '.': return '<';
    case '\'': return '>';
    case '-': return '@';
    case ',': return ';';
    default: break;
    }
    if (c >= '0' && c <= 'z') return c;
    return 0;
}

void quadGlyphe(int cellule, double gauche, double bas, double largeur, double hauteur) {
    // Cell c lies in column c mod 10 and row c div 10, rows from the top of
    // the image (whose first row is at t = 1).
    const int c = cellule - 48;
    const double u = (c % 10) / 10.0;
    const double v = (c / 10) / 10.0;
    const double droite = gauche + largeur;
    glTexCoord2d(u, 1 - (v + 0.1));
    glVertex2d(gauche, bas);
    glTexCoord2d(u, 1 - v);
    glVertex2d(gauche, bas + hauteur);
    glTexCoord2d(u + 0.1, 1 - v);
    glVertex2d(droite, bas + hauteur);
    glTexCoord2d(u + 0.1, 1 - (v + 0.1));
    glVertex2d(droite, bas);
}

void Texte::mervoprint(const char* texte, unsigned int texture, int pos, double posx, double posy,
                       int hauteur, int largeur) {
    if (!texte) texte = "";

    // An orthographic view twice the window's size, centred on its centre.
    debutTexte(hauteur, largeur);
    glBindTexture(GL_TEXTURE_2D, texture);

    const int n = static_cast<int>(std::strlen(texte));
    double y, newX;
    switch (pos) {
    case 0:  // bottom-left
        y = -largeur;
        newX = -hauteur;
        break;
    case 1:  // top-left
        y = largeur - kHauteurGlyphe;
        newX = -hauteur;
        break;
    case 2:  // top-right
        y = largeur - kHauteurGlyphe;
        newX = hauteur - kAvance * n - hauteur / 50;
        break;
    case 3:  // bottom-right
        y = -largeur;
        newX = hauteur - kAvance * n - hauteur / 50;
        break;
    case 4:  // centre
        y = 0;
        newX = -kAvance * (n / 2);
        break;
    default:  // centred on (posx, posy), fractions of the half-sizes
        y = largeur * posy;
        newX = hauteur * posx - kAvance * n / 2;
        break;
    }

    glBegin(GL_QUADS);
    for (int i = 0; i < n; ++i) {
        const int cellule = celluleGlyphe(texte[i]);
        if (!cellule) continue;  // a gap: spaces, '!', accented letters...
        quadGlyphe(cellule, newX + kAvance * i, y, kLargeurGlyphe, kHauteurGlyphe);
    }
    glEnd();

    // Back to the scene's perspective; the projection stays the current mode.
    finTexte(hauteur, largeur);
}
