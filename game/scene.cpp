#include "scene.h"

#include <GL/gl.h>

Heros balleDuNiveau(const ContenuNiveau& contenu) {
    const Enregistrement& e = contenu.balle;
    return Heros(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, contenu.textureBalle);
}

double hauteurDeChute(const std::vector<Cube>& blocs) {
    double z = 0;
    for (const Cube& c : blocs)
        if (c.getZ() - c.getLZ() / 2 < z) z = c.getZ() - c.getLZ() / 2;
    return z;
}

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
