// SPDX-License-Identifier: GPL-3.0-or-later
#include "cadre.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {

// The window's size in pixels.
void fenetre(double& l, double& h) {
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, v);
    l = v[2] > 0 ? v[2] : 1;
    h = v[3] > 0 ? v[3] : 1;
}

}  // namespace

void perspectiveScene() {
    double l, h;
    fenetre(l, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, l / h, 1, 1000);
}

double echelleDesign(int hauteur, int largeur) {
    double l, h;
    fenetre(l, h);
    return std::min(l / hauteur, h / largeur);
}

void orthoDesign(int hauteur, int largeur) {
    double l, h;
    fenetre(l, h);
    const double e = echelleDesign(hauteur, largeur);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-l / e, l / e, -h / e, h / e, -1, 1);
}

int xDesign(int x, int hauteur, int largeur) {
    double l, h;
    fenetre(l, h);
    return static_cast<int>(std::floor((x - l / 2) / echelleDesign(hauteur, largeur) + hauteur / 2.0));
}

int yDesign(int y, int hauteur, int largeur) {
    double l, h;
    fenetre(l, h);
    return static_cast<int>(std::floor((y - h / 2) / echelleDesign(hauteur, largeur) + largeur / 2.0));
}
