// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene.h"

#include <GL/gl.h>

#include <algorithm>

#include "champ_vision.h"
#include "dessin_rapide.h"
#include "formes.h"

void brouillard(float r, float g, float b) {
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 60);
    glFogf(GL_FOG_END, 65);
    const GLfloat couleur[4] = {r, g, b, 1.0f};
    glFogfv(GL_FOG_COLOR, couleur);
    glEnable(GL_FOG);
}

void eclairage() {
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    const GLfloat ambiante[4] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat position[4] = {2, 2, -2, 0};  // a directional light
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambiante);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambiante);
}

namespace {

// The same as Heros::dessiner from a kept shape (closed: its back faces
// culled when `champ` is given).
void dessinerBalleRapide(const Heros& b, const ChampVision* champ = nullptr) {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, b.getTexture());
    glTranslated(b.getX(), b.getY(), b.getZ());
    glRotated(b.getX() * 100, 0, 1, 0);
    glRotated(b.getY() * -100, 1, 0, 0);
    if (champ)
        dessinerFermee(sphere20(b.getLX()), *champ, b.getX(), b.getY(), b.getZ(), b.getLX());
    else
        sphere20(b.getLX()).dessiner();
    glPopMatrix();
}

// The ball the fast or the plain way.
void dessinerBalle(const Heros& b) {
    if (dessinSimple())
        b.dessiner();
    else
        dessinerBalleRapide(b);
}

}  // namespace

void dessinerObjets(const LotBlocs& lot, const std::vector<Cube>& cubes, const std::vector<Bonus>* bonus,
                    const std::vector<Sphere>& spheres, const Heros& balle) {
    if (dessinSimple()) {
        for (const Cube& c : cubes) c.dessiner();
        if (bonus)
            for (const Bonus& b : *bonus) b.dessiner();
        for (const Sphere& s : spheres) s.dessiner();
        balle.dessiner();
        return;
    }
    const ChampVision champ;
    lot.dessiner(&champ);
    if (bonus) dessinerBonusRapide(*bonus, champ);
    dessinerSpheresRapide(spheres, champ);
    dessinerBalleRapide(balle, &champ);
}

void dessinerBalleTranslucide(const Heros& balle, const unsigned char couleur[4],
                              const unsigned char clair[3]) {
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT |
                 GL_POLYGON_BIT | GL_TEXTURE_BIT);
    const GLfloat ambiance[4] = {clair[0] / 255.0f, clair[1] / 255.0f, clair[2] / 255.0f, 1};
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, ambiance);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glColor4ubv(couleur);
    dessinerBalle(balle);
    glPopAttrib();
}

void dessinerCiel(Skybox& ciel) {
    if (dessinSimple())
        ciel.dessiner();
    else
        dessinerCielRapide(ciel);
}

void dessinerCielAutour(Skybox& ciel, const Heros& balle, double x, double y, double z) {
    const double cx = balle.getTombe() ? x : balle.getX();
    const double cy = balle.getTombe() ? y : balle.getY();
    const double cz = balle.getTombe() ? z : balle.getZ();
    glTranslated(cx, cy, cz - 50);
    dessinerCiel(ciel);
    glTranslated(-cx, -cy, -(cz - 50));
}
