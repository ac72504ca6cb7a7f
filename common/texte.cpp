#include "texte.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

namespace {

// Glyph quads are 64 × 48 units (one unit is half a pixel) and the pen moves
// half a glyph per character, so neighbouring quads overlap by half.
const double kLargeurGlyphe = 64;
const double kHauteurGlyphe = 48;
const double kEspacement = 0.5;
const int kAvance = 32;  // kLargeurGlyphe × kEspacement

// The cell character of a byte, or 0 when the byte has no glyph. Bytes are
// taken as signed, so 128 … 255 never draw. Four cells of the atlas hold
// punctuation instead of the characters whose codes they carry.
int celluleDe(signed char c) {
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

}  // namespace

void Texte::mervoprint(const char* texte, unsigned int texture, int pos, double posx, double posy,
                       int hauteur, int largeur) {
    if (!texte) texte = "";

    // An orthographic view twice the window's size, centred on its centre.
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-hauteur, hauteur, -largeur, largeur, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
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
        const int cellule = celluleDe(static_cast<signed char>(texte[i]));
        if (!cellule) continue;  // a gap: spaces, '!', accented letters...
        const int c = cellule - 48;
        const double u = (c % 10) / 10.0;
        const double v = (c / 10) / 10.0;
        const double gauche = newX + kAvance * i;
        const double droite = newX + kLargeurGlyphe * (kEspacement * i + 1);
        glTexCoord2d(u, 1 - (v + 0.1));
        glVertex2d(gauche, y);
        glTexCoord2d(u, 1 - v);
        glVertex2d(gauche, y + kHauteurGlyphe);
        glTexCoord2d(u + 0.1, 1 - v);
        glVertex2d(droite, y + kHauteurGlyphe);
        glTexCoord2d(u + 0.1, 1 - (v + 0.1));
        glVertex2d(droite, y);
    }
    glEnd();

    glDisable(GL_BLEND);
    glPopMatrix();

    // Back to the scene's perspective; the projection stays the current mode.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, static_cast<double>(hauteur) / largeur, 1, 1000);
    glEnable(GL_DEPTH_TEST);
}
