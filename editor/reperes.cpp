// SPDX-License-Identifier: GPL-3.0-or-later
#include "reperes.h"

#include <GL/gl.h>

#include <cmath>

namespace editeur {

const unsigned char kCouleurChute[3] = {0, 255, 255};
const unsigned char kCouleurContour[3] = {255, 0, 255};

namespace {

const int kRayonGrille = 20;  // units around the object

double demiX(const Heros& h) { return std::fabs(h.getLX()); }
double demiY(const Heros& h) { return std::fabs(h.rond() ? h.getLX() : h.getLY()); }
double demiZ(const Heros& h) { return std::fabs(h.rond() ? h.getLX() : h.getLZ()); }
double dessous(const Heros& h) { return h.getZ() - demiZ(h); }

// Flat lines in world units, no texture.
void debutTraits(float epaisseur) {
    glDisable(GL_TEXTURE_2D);
    glLineWidth(epaisseur);
}
void finTraits() {
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
}

}  // namespace

double hauteurDessous(const std::vector<Heros>& objets, int n, int exclu, const Heros& h, bool* touche) {
    const double bas = dessous(h);
    double haut = -INFINITY;
    for (int i = 0; i < n && i < static_cast<int>(objets.size()); ++i) {
        const Heros& o = objets[i];
        if (i == exclu || std::fabs(h.getX() - o.getX()) > demiX(o) || std::fabs(h.getY() - o.getY()) > demiY(o))
            continue;
        const double dessus = o.getZ() + demiZ(o);
        if (dessus <= bas && dessus > haut) haut = dessus;
    }
    if (touche) *touche = std::isfinite(haut);
    return std::isfinite(haut) ? haut : bas - 100;
}

void dessinerGrille(const Heros& h) {
    const double cx = std::floor(h.getX()), cy = std::floor(h.getY()), z = dessous(h);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(z)) return;
    debutTraits(1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    // Each line in 1-unit pieces, so that the fading follows the distance.
    auto sommet = [&](double x, double y) {
        const double d = std::hypot(x - h.getX(), y - h.getY()) / kRayonGrille;
        glColor4f(0.55f, 0.7f, 1.0f, static_cast<float>(0.45 * std::fmax(0, 1 - d)));
        glVertex3d(x, y, z);
    };
    glBegin(GL_LINES);
    for (int k = -kRayonGrille; k <= kRayonGrille; ++k)
        for (int j = -kRayonGrille; j < kRayonGrille; ++j) {
            sommet(cx + k, cy + j), sommet(cx + k, cy + j + 1);
            sommet(cx + j, cy + k), sommet(cx + j + 1, cy + k);
        }
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    finTraits();
}

void dessinerLigneChute(const Heros& h, double bas, bool touche) {
    const double x = h.getX(), y = h.getY(), haut = dessous(h);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(haut)) return;
    debutTraits(2);
    glColor3ubv(kCouleurChute);
    glBegin(GL_LINES);
    glVertex3d(x, y, haut);
    glVertex3d(x, y, bas);
    glEnd();
    if (touche) {
        const double c = 0.5, z = bas + 0.02;
        glBegin(GL_LINE_LOOP);
        glVertex3d(x - c, y - c, z);
        glVertex3d(x + c, y - c, z);
        glVertex3d(x + c, y + c, z);
        glVertex3d(x - c, y + c, z);
        glEnd();
    }
    finTraits();
}

void dessinerContour(const Heros& h) {
    const double l[3] = {demiX(h), demiY(h), demiZ(h)}, c[3] = {h.getX(), h.getY(), h.getZ()};
    debutTraits(3);
    glDisable(GL_DEPTH_TEST);
    glColor3ubv(kCouleurContour);
    glBegin(GL_LINES);
    // The twelve edges: along each axis, the four at the corners of the other two.
    for (int axe = 0; axe < 3; ++axe)
        for (int coin = 0; coin < 4; ++coin) {
            double p[3];
            const int a = (axe + 1) % 3, b = (axe + 2) % 3;
            p[a] = c[a] + (coin & 1 ? l[a] : -l[a]);
            p[b] = c[b] + (coin & 2 ? l[b] : -l[b]);
            p[axe] = c[axe] - l[axe];
            glVertex3dv(p);
            p[axe] = c[axe] + l[axe];
            glVertex3dv(p);
        }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    finTraits();
}

void dessinerRectangle(int x0, int y0, int x1, int y1, int hauteur) {
    GLint vue[4];
    glGetIntegerv(GL_VIEWPORT, vue);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Window points, y down from the top, over the viewport.
    glOrtho(vue[0], vue[0] + vue[2], hauteur - vue[1], hauteur - vue[1] - vue[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    debutTraits(2);
    glDisable(GL_DEPTH_TEST);
    glColor3ubv(kCouleurContour);
    glBegin(GL_LINE_LOOP);
    glVertex2d(x0 + 0.5, y0 + 0.5);
    glVertex2d(x1 + 0.5, y0 + 0.5);
    glVertex2d(x1 + 0.5, y1 + 0.5);
    glVertex2d(x0 + 0.5, y1 + 0.5);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    finTraits();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void aimanter(Heros& h) {
    auto pas = [](double v, double unite) { return std::round(v / unite) * unite - v; };
    h.deplacer(pas(h.getX(), 1), pas(h.getY(), 1), pas(h.getZ(), 1));
    h.agrandir(pas(h.getLX(), 0.5), pas(h.getLY(), 0.5), pas(h.getLZ(), 0.5));
}

}  // namespace editeur
