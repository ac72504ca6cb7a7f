// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera_edition.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace editeur {

namespace {

// Toward the eye, 68 degrees above the southern horizon; screen right is +x.
const double kElevation = 68 * M_PI / 180;
const double kOeil[3] = {0, -std::cos(kElevation), std::sin(kElevation)};
const double kHaut[3] = {0, std::sin(kElevation), std::cos(kElevation)};  // kOeil × (1, 0, 0)
const int kVide = 6;  // the invisible fall zones, often far larger than the course

struct Bornes {
    double min[3] = {INFINITY, INFINITY, INFINITY}, max[3] = {-INFINITY, -INFINITY, -INFINITY};
    bool vide() const { return !(min[0] <= max[0]); }
    // An object's box seen along the screen's right, up and depth.
    void inclure(const Heros& h) {
        const double l[3] = {std::fabs(h.getLX()), std::fabs(h.rond() ? h.getLX() : h.getLY()),
                             std::fabs(h.rond() ? h.getLX() : h.getLZ())};
        const double p[3] = {h.getX(), h.getY(), h.getZ()};
        const double centre[3] = {p[0], p[1] * kHaut[1] + p[2] * kHaut[2], p[1] * kOeil[1] + p[2] * kOeil[2]};
        const double demi[3] = {l[0], l[1] * std::fabs(kHaut[1]) + l[2] * std::fabs(kHaut[2]),
                                l[1] * std::fabs(kOeil[1]) + l[2] * std::fabs(kOeil[2])};
        for (int i = 0; i < 3; ++i) {
            if (!std::isfinite(centre[i]) || !std::isfinite(demi[i])) return;
            min[i] = std::min(min[i], centre[i] - demi[i]);
            max[i] = std::max(max[i], centre[i] + demi[i]);
        }
    }
};

Bornes bornes(const std::vector<Heros>& objets) {
    Bornes b;
    for (const Heros& h : objets)
        if (h.getObj() != kVide) b.inclure(h);
    if (b.vide())
        for (const Heros& h : objets) b.inclure(h);
    if (b.vide()) b.inclure(Heros(0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1));
    return b;
}

}  // namespace

const double kVersOeilDessus[3] = {kOeil[0], kOeil[1], kOeil[2]};

void regarder(const Heros& s, double distance) {
    gluLookAt(s.getX() + distance, s.getY(), s.getZ() + distance, s.getX(), s.getY(), s.getZ(), 0, 0, 1);
}

void debutVueDessus(const std::vector<Heros>& objets) {
    Bornes b = bornes(objets);
    // A margin, then the viewport's proportions.
    const double marge = 0.04 * std::max({b.max[0] - b.min[0], b.max[1] - b.min[1], 1.0});
    for (int i = 0; i < 3; ++i) b.min[i] -= marge, b.max[i] += marge;
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const double aspect = v[3] > 0 ? static_cast<double>(v[2]) / v[3] : 4.0 / 3.0;
    const double l = b.max[0] - b.min[0], h = b.max[1] - b.min[1];
    const int axe = l / h > aspect ? 1 : 0;  // the axis to widen
    const double manque = (axe == 1 ? l / aspect - h : h * aspect - l) / 2;
    b.min[axe] -= manque, b.max[axe] += manque;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The eye stands one unit from the origin: depth along the view is 1 − p·eye.
    glOrtho(b.min[0], b.max[0], b.min[1], b.max[1], 1 - b.max[2], 1 - b.min[2]);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(kOeil[0], kOeil[1], kOeil[2], 0, 0, 0, kHaut[0], kHaut[1], kHaut[2]);
}

void finVueDessus() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace editeur
