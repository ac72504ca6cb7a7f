// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of play: the camera, the scene and the play texts, drawn from
// the run's state as its last step left it, the moving parts placed between
// the step before and that one.

#include <GL/glu.h>

#include "partie.h"
#include "scene.h"
#include "textes_partie.h"

namespace {

double entre(double a, double b, double alpha) { return alpha >= 1 ? b : a + (b - a) * alpha; }

std::array<double, 3> entre(const std::array<double, 3>& a, const std::array<double, 3>& b, double alpha) {
    return {entre(a[0], b[0], alpha), entre(a[1], b[1], alpha), entre(a[2], b[2], alpha)};
}

}  // namespace

Heros Partie::balleVue(double alpha) const {
    Heros vue = sim->balle();
    const std::array<double, 3> p = entre(sim->ballePrecedente(), {vue.getX(), vue.getY(), vue.getZ()}, alpha);
    vue.setX(p[0]);
    vue.setY(p[1]);
    vue.setZ(p[2]);
    return vue;
}

// The eye 10 units toward +x and 12 above the point the camera stands back
// from, looking at the ball.
void Partie::camera(const Heros& vue, double alpha) {
    const std::array<double, 3> r = entre(sim->visePrecedent(), sim->vise(), alpha);
    gluLookAt(r[0] + 10, r[1], r[2] + 12, vue.getX(), vue.getY(), vue.getZ(), 0, 0, 1);
}

void Partie::dessiner(const Heros& vue, double alpha) {
    dessinerObjets(lot, sim->cubes(), &sim->bonus(), tableausphere, vue);

    glDisable(GL_FOG);
    if (!sim->finPartie() && !vue.getTombe()) {
        glDisable(GL_LIGHTING);
        glColor3ub(255, 255, 255);
    }
    const std::array<double, 3>& chute = sim->chute();
    dessinerCielAutour(*skybox, vue, chute[0], chute[1], chute[2]);
    glEnable(GL_LIGHTING);
    if (!sim->mort().getF()) glEnable(GL_FOG);
    courseDessiner(alpha);  // seen through: after everything opaque
}

// Points bottom left, time bottom right, title top left, lives top right.
void Partie::textesJeu() {
    imprimer(formater("%d", sim->score()), 0, 0);
    imprimer(texteChrono(sim->chronoAffiche()), 3, 0);
    imprimer(nomAffiche, 1, 0);
    imprimer(texteVies(sim->balle().getVie()), 2, 0);
}
