// SPDX-License-Identifier: GPL-3.0-or-later
#include "objet.h"

#include <GL/gl.h>
#include <GL/glu.h>

void Cube::dessiner() const {
    // Fall zones are invisible; they still take part in collision.
    if (m_classe == "limite") return;

    glPushMatrix();
    glTranslated(m_x, m_y, m_z);
    glRotated(m_rx, 1, 0, 0);
    glRotated(m_ry, 0, 1, 0);
    glRotated(m_rz, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, m_texture);

    glBegin(GL_QUADS);
    for (const CoinCube& c : coinsCube(m_lx, m_ly, m_lz, m_etale != 0.0)) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, c.z);
    }
    glEnd();

    glTranslated(-m_x, -m_y, -m_z);
    glPopMatrix();
}

void Bonus::dessiner() const {
    if (!m_existe) return;

    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    GLUquadric* q = gluNewQuadric();
    if (q) {
        gluQuadricTexture(q, GL_TRUE);
        glTranslated(m_x, m_y, m_z);
        glRotated(m_rx, 1, 0, 0);
        glRotated(m_ry, 0, 1, 0);
        glRotated(m_rz, 0, 0, 1);

        const double r = m_lx;
        // Each later ring turns back twice as far, so the rings counter-rotate.
        auto pas = [this]() {
            glRotated(-2 * m_rx, 1, 0, 0);
            glRotated(-2 * m_ry, 0, 1, 0);
            glRotated(-2 * m_rz, 0, 0, 1);
        };
        auto anneau = [q](double base, double haut) { gluCylinder(q, base, haut, 0.1, 20, 20); };

        anneau(r, r);
        pas();
        anneau(r, r);
        // The ball at the centre is drawn opaque.
        glDisable(GL_BLEND);
        gluSphere(q, r / 2, 20, 20);
        glEnable(GL_BLEND);
        pas();
        anneau(r / 1.5, r / 1.5);
        pas();
        anneau(r / 1.5, r / 1.5);
        pas();
        anneau(r / 2, r / 1.5);
        pas();
        anneau(r / 1.5, r / 1.5);

        gluDeleteQuadric(q);
        glTranslated(-m_x, -m_y, -m_z);
    }
    glDisable(GL_BLEND);
    glPopMatrix();
}

void Sphere::dessiner() const {
    // Blended with whatever blend function is current.
    glEnable(GL_BLEND);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, m_texture);
    GLUquadric* q = gluNewQuadric();
    if (q) {
        gluQuadricTexture(q, GL_TRUE);
        glTranslated(m_x, m_y, m_z);
        // The first two angles are swapped (and the first negated): spheres
        // have always been turned this way.
        glRotated(-m_ry, 1, 0, 0);
        glRotated(m_rx, 0, 1, 0);
        glRotated(m_rz, 0, 0, 1);
        gluSphere(q, m_lx, 20, 20);
        gluDeleteQuadric(q);
    }
    glPopMatrix();
    glDisable(GL_BLEND);
}
