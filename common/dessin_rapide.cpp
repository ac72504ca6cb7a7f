// SPDX-License-Identifier: GPL-3.0-or-later
#include "dessin_rapide.h"

#include <GL/gl.h>

#include <cmath>

#include "champ_vision.h"
#include "formes.h"
#include "skybox.h"

namespace {

bool simple = false;

// Every ring is 0.1 high and no wider than the emblem's radius.
double rayonEmblem(double r) { return std::sqrt(r * r + 0.1 * 0.1) * (1 + 1e-6) + 1e-6; }

void dessinerEmbleme(const Bonus& b, const ChampVision& champ) {
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, b.getTexture());
    glTranslated(b.getX(), b.getY(), b.getZ());
    glRotated(b.getRX(), 1, 0, 0);
    glRotated(b.getRY(), 0, 1, 0);
    glRotated(b.getRZ(), 0, 0, 1);
    const double r = b.getLX();
    auto pas = [&b]() {
        glRotated(-2 * b.getRX(), 1, 0, 0);
        glRotated(-2 * b.getRY(), 0, 1, 0);
        glRotated(-2 * b.getRZ(), 0, 0, 1);
    };
    auto anneau = [](double base, double haut) { anneau20(base, haut, 0.1).dessiner(); };
    anneau(r, r);
    pas();
    anneau(r, r);
    glDisable(GL_BLEND);
    dessinerFermee(sphere20(r / 2), champ, b.getX(), b.getY(), b.getZ(), r / 2);
    glEnable(GL_BLEND);
    pas();
    anneau(r / 1.5, r / 1.5);
    pas();
    anneau(r / 1.5, r / 1.5);
    pas();
    anneau(r / 2, r / 1.5);
    pas();
    anneau(r / 1.5, r / 1.5);
    glDisable(GL_BLEND);
    glPopMatrix();
}

}  // namespace

void choisirDessinSimple(bool s) { simple = s; }
bool dessinSimple() { return simple; }

void dessinerBonusRapide(const std::vector<Bonus>& bonus, const ChampVision& champ) {
    bool existe = false;
    for (const Bonus& b : bonus) {
        if (!b.getExiste()) continue;
        existe = true;
        if (champ.voitCube(b.getX(), b.getY(), b.getZ(), rayonEmblem(std::fabs(b.getLX()))))
            dessinerEmbleme(b, champ);
    }
    // The spheres drawn next blend with the pick-ups' function.
    if (existe) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void dessinerSpheresRapide(const std::vector<Sphere>& spheres, const ChampVision& champ) {
    for (const Sphere& s : spheres) {
        if (!champ.voitCube(s.getX(), s.getY(), s.getZ(), std::fabs(s.getLX()) * (1 + 1e-6) + 1e-6))
            continue;
        glEnable(GL_BLEND);
        glPushMatrix();
        glBindTexture(GL_TEXTURE_2D, s.getTexture());
        glTranslated(s.getX(), s.getY(), s.getZ());
        glRotated(-s.getRY(), 1, 0, 0);
        glRotated(s.getRX(), 0, 1, 0);
        glRotated(s.getRZ(), 0, 0, 1);
        sphere20(s.getLX()).dessiner();
        glPopMatrix();
        glDisable(GL_BLEND);
    }
}

void dessinerFermee(const Forme& f, const ChampVision& champ, double x, double y, double z, double r) {
    // The near plane's corners lie within 1.6 of the eye.
    const bool cacher = champ.oeilLoin(x, y, z, std::fabs(r) + 2);
    if (cacher) {
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
    }
    f.dessiner();
    if (cacher) glDisable(GL_CULL_FACE);
}

void dessinerCielRapide(const Skybox& ciel) {
    glBindTexture(GL_TEXTURE_2D, ciel.getTexture());
    sphere20(500).dessiner();
}
