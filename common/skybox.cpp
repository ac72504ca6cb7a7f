// SPDX-License-Identifier: GPL-3.0-or-later
#include "skybox.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "texture.h"

Skybox::Skybox(const char* file) : m_texture1(loadTexture(file, true)) {}

Skybox::~Skybox() {
    libererTexture(m_texture1);
}

void Skybox::dessiner() {
    glBindTexture(GL_TEXTURE_2D, m_texture1);
    GLUquadric* q = gluNewQuadric();
    gluQuadricTexture(q, GL_TRUE);
    gluSphere(q, 500, 20, 20);
    gluDeleteQuadric(q);
}
