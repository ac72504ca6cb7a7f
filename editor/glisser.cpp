// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging the chosen objects with the left button: along the ground plane
// under the pointer, or with Shift held up and down, in the view the drag
// began in (the camera follows the leading object, the pointer keeps to the
// view the user aimed in); the whole drag is one step of the history. And
// choosing with the right button every object whose centre shows inside the
// rectangle drawn.
#include <cmath>

#include "session_edition.h"

namespace editeur {

namespace {

// Where the ray meets the plane through `p` of normal `n`; false when it runs along it.
bool rencontre(const Rayon& r, const double p[3], const double n[3], double point[3]) {
    const double d = r.direction[0] * n[0] + r.direction[1] * n[1] + r.direction[2] * n[2];
    if (std::fabs(d) < 1e-12) return false;
    const double t = ((p[0] - r.origine[0]) * n[0] + (p[1] - r.origine[1]) * n[1] + (p[2] - r.origine[2]) * n[2]) / d;
    for (int k = 0; k < 3; ++k) point[k] = r.origine[k] + t * r.direction[k];
    return true;
}

}  // namespace

// The point of the drag's plane under the pointer (x, y): the ground plane
// through the object as it stood, or with Shift the upright plane through
// it facing the camera.
bool Edition::pointGlisse(int x, int y, double point[3]) const {
    Rayon r;
    if (!rayonDuPoint(glisse->vue, x, y, r)) return false;
    double n[3] = {0, 0, 1};
    if (glisse->vertical) {
        const double l = std::hypot(r.direction[0], r.direction[1]);
        if (l < 1e-12) return false;
        n[0] = r.direction[0] / l, n[1] = r.direction[1] / l, n[2] = 0;
    }
    return rencontre(r, glisse->depart, n, point);
}

void Edition::commencerGlisse(int x, int y) {
    if (!selection.active()) return;
    const Heros& h = joueur[selection.index()];
    glisse = Glisse{vueImage, {h.getX(), h.getY(), h.getZ()}, {}, majTenue};
    double p[3];
    if (!pointGlisse(x, y, p)) {
        glisse.reset();
        return;
    }
    for (int k = 0; k < 3; ++k) glisse->prise[k] = glisse->depart[k] - p[k];
}

void Edition::glisser(int x, int y) {
    if (rectangle) rectangle->x1 = x, rectangle->y1 = y;
    double p[3];
    if (!glisse || !selection.active() || !pointGlisse(x, y, p)) return;
    avantChangement();
    const Heros& h = edite();
    const double cible[3] = {p[0] + glisse->prise[0], p[1] + glisse->prise[1], p[2] + glisse->prise[2]};
    double d[3] = {glisse->depart[0] - h.getX(), glisse->depart[1] - h.getY(), cible[2] - h.getZ()};
    if (!glisse->vertical) d[0] = cible[0] - h.getX(), d[1] = cible[1] - h.getY(), d[2] = glisse->depart[2] - h.getZ();
    for (Heros* o : edites()) o->deplacer(d[0], d[1], d[2]);
    apresChangement();
}

void Edition::finirGlisse() {
    if (!glisse) return;
    glisse.reset();
    fermerGeste();
}

void Edition::commencerRectangle(int x, int y) {
    if (panneau()) return;
    fermerGeste();
    rectangle = Rectangle{vueImage, x, y, x, y, majTenue};
}

void Edition::finirRectangle() {
    if (!rectangle) return;
    const Rectangle& r = *rectangle;
    selection.choisirTous(objetsDansRectangle(r.vue, joueur, nbre_obj, r.x0, r.y0, r.x1, r.y1), r.ajouter);
    rectangle.reset();
}

}  // namespace editeur
