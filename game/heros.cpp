// SPDX-License-Identifier: GPL-3.0-or-later
// The ball's look: a textured sphere that rolls with its position.
#include "heros.h"

#include <GL/gl.h>
#include <GL/glu.h>

void Heros::dessiner() const {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, m_texture);
    GLUquadric* quadrique = gluNewQuadric();
    glTranslated(m_x, m_y, m_z);
    // The rolling look follows from the position alone: 100 degrees per unit.
    glRotated(m_x * 100, 0, 1, 0);
    glRotated(m_y * -100, 1, 0, 0);
    if (quadrique) {
        gluQuadricTexture(quadrique, GL_TRUE);
        gluSphere(quadrique, m_lx, 20, 20);
        gluDeleteQuadric(quadrique);
    }
    glPopMatrix();
}
