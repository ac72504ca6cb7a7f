// SPDX-License-Identifier: GPL-3.0-or-later
#include "objet.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>

Objet::Objet(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz, bool collision)
    : m_x(x), m_y(y), m_z(z), m_vie(vie), m_lx(lx), m_ly(ly), m_lz(lz), m_rx(rx), m_ry(ry),
      m_rz(rz), m_collision(collision) {}

Cube::Cube(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
           double ry, double rz, unsigned int texture, std::string classe, bool etale)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, true), m_texture(texture),
      m_classe(std::move(classe)), m_etale(etale ? 1.0 : 0.0) {}

std::array<CoinCube, 24> coinsCube(double lx, double ly, double lz, bool etale) {
    // The texture repeats once every 4 world units when tiled: a quarter of
    // the face's edge length, that is half the half-extent.
    const double ax = lx / 2, ay = ly / 2, az = lz / 2;
    // The same four corners for every face when the texture is stretched.
    static const double etire[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    std::array<CoinCube, 24> r;
    int n = 0;
    auto coin = [&](double s, double t, double x, double y, double z) {
        const int i = n % 4;
        r[n++] = etale ? CoinCube{s, t, x, y, z} : CoinCube{etire[i][0], etire[i][1], x, y, z};
    };
    // y = +ly
    coin(ax, 0, lx, ly, lz);
    coin(ax, az, lx, ly, -lz);
    coin(0, az, -lx, ly, -lz);
    coin(0, 0, -lx, ly, lz);
    // x = +lx
    coin(ay, 0, lx, -ly, lz);
    coin(ay, az, lx, -ly, -lz);
    coin(0, az, lx, ly, -lz);
    coin(0, 0, lx, ly, lz);
    // y = -ly
    coin(0, az, -lx, -ly, lz);
    coin(0, 0, -lx, -ly, -lz);
    coin(ax, 0, lx, -ly, -lz);
    coin(ax, az, lx, -ly, lz);
    // x = -lx
    coin(0, az, -lx, ly, lz);
    coin(0, 0, -lx, ly, -lz);
    coin(ay, 0, -lx, -ly, -lz);
    coin(ay, az, -lx, -ly, lz);
    // z = +lz
    coin(0, ax, lx, ly, lz);
    coin(0, 0, -lx, ly, lz);
    coin(ay, 0, -lx, -ly, lz);
    coin(ay, ax, lx, -ly, lz);
    // z = -lz
    coin(0, ax, lx, ly, -lz);
    coin(0, 0, -lx, ly, -lz);
    coin(ay, 0, -lx, -ly, -lz);
    coin(ay, ax, lx, -ly, -lz);
    return r;
}

void Cube::dessiner() {
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

Bonus::Bonus(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz, unsigned int texture, std::string classe)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, true), m_texture(texture),
      m_classe(std::move(classe)), m_existe(true) {}

void Bonus::dessiner() {
    if (!m_existe) return;

    tourner();

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

Sphere::Sphere(double x, double y, double z, double vie, double lx, double ly, double lz,
               double rx, double ry, double rz, unsigned int texture)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, false), m_texture(texture) {}

void Sphere::dessiner() {
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
