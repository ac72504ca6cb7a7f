// SPDX-License-Identifier: GPL-3.0-or-later
#include "objet_editeur.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "palette.h"
#include "objet.h"

namespace editeur {

namespace {

// The tint of a kept record, by its file kind: "bouton" yellow, "porte"
// violet, anything else grey.
Couleur teinte(int type) {
    switch (type) {
    case 10: return {255, 220, 90};
    case 11: return {200, 120, 255};
    default: return {150, 150, 150};
    }
}

// A box of half-sizes (x, y, z) around the origin, immediate mode.
void boite(double x, double y, double z) {
    glBegin(GL_QUADS);
    for (const CoinCube& c : coinsBoite(x, y, z)) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, c.z);
    }
    glEnd();
}

}  // namespace

void sphereQuadrique(double rayon, int vue) {
    GLUquadric* q = gluNewQuadric();
    gluQuadricTexture(q, GL_TRUE);
    if (vue == 0) gluQuadricDrawStyle(q, GLU_FILL);
    if (vue == 1) gluQuadricDrawStyle(q, GLU_LINE);
    gluSphere(q, rayon, 20, 20);
    gluDeleteQuadric(q);
}

std::array<CoinCube, 24> coinsBoite(double x, double y, double z) {
    // On each face the texture runs from 0 to half of the face's two
    // half-sizes: +Y and −Y (lx, lz), +X and −X (ly, lz), +Z and −Z (ly, lx).
    return {{{0, 0, -x, y, -z},     {x / 2, 0, x, y, -z},     {x / 2, z / 2, x, y, z},  {0, z / 2, -x, y, z},
             {0, 0, -x, -y, -z},    {x / 2, 0, x, -y, -z},    {x / 2, z / 2, x, -y, z}, {0, z / 2, -x, -y, z},
             {0, 0, x, -y, -z},     {y / 2, 0, x, y, -z},     {y / 2, z / 2, x, y, z},  {0, z / 2, x, -y, z},
             {0, 0, -x, -y, -z},    {y / 2, 0, -x, y, -z},    {y / 2, z / 2, -x, y, z}, {0, z / 2, -x, -y, z},
             {0, 0, -x, -y, z},     {y / 2, 0, -x, y, z},     {y / 2, x / 2, x, y, z},  {0, x / 2, x, -y, z},
             {0, 0, -x, -y, -z},    {y / 2, 0, -x, y, -z},    {y / 2, x / 2, x, y, -z}, {0, x / 2, x, -y, -z}}};
}

Objet::Objet(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz)
    : m_x(x), m_y(y), m_z(z), m_vie(vie), m_lx(lx), m_ly(ly), m_lz(lz), m_rx(rx), m_ry(ry), m_rz(rz) {}

void Objet::agrandir(double x, double y, double z) {
    m_lx += x;
    m_ly += y;
    m_lz += z;
}

Heros::Heros(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz, unsigned int texture, int obj)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz), m_texture(texture), m_obj(obj) {}

Heros Heros::garde(const Enregistrement& e, unsigned int texture) {
    Heros h(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, texture, -1);
    h.m_garde = e;
    return h;
}

void Heros::deplacer(double x, double y, double z) {
    m_x += x;
    m_y += y;
    m_z += z;
}

void Heros::changerObj(int obj) {
    m_obj = obj;
    m_garde.reset();
    m_mot.clear();
}

Enregistrement Heros::enregistrement(const std::string& mot) const {
    Enregistrement e;
    if (m_garde) e = *m_garde;  // its kind and word
    else {
        e.type = typeFichierDe(m_obj);
        e.texture = m_mot.empty() ? mot : m_mot;
    }
    // Values read as floats come back exactly through the doubles.
    e.x = static_cast<float>(m_x);
    e.y = static_cast<float>(m_y);
    e.z = static_cast<float>(m_z);
    e.vie = static_cast<float>(m_vie);
    e.lx = static_cast<float>(m_lx);
    e.ly = static_cast<float>(m_ly);
    e.lz = static_cast<float>(m_lz);
    e.rx = static_cast<float>(m_rx);
    e.ry = static_cast<float>(m_ry);
    e.rz = static_cast<float>(m_rz);
    return e;
}

bool Heros::rond() const { return m_obj == 0 || m_obj == kTypeSphere || embleme(); }

bool Heros::embleme() const { return m_obj == kTypeVie || m_obj == kTypeSpeed; }

Couleur Heros::getCouleur() const { return m_garde ? teinte(m_garde->type) : Couleur{255, 255, 255}; }

void Heros::couleur() const {
    glColor3ub(255, 255, 255);
    if (m_garde) {
        const Couleur c = teinte(m_garde->type);
        glColor3ub(c.r, c.g, c.b);
    }
}

void Heros::dessiner(int vue) const {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTranslated(m_x, m_y, m_z);
    couleur();

    if (embleme()) {
        glTranslated(-m_x, -m_y, -m_z);
        // Turned as the record says: the game turns it a degree a frame from there.
        Bonus(m_x, m_y, m_z, m_vie, m_lx, m_ly, m_lz, m_rx - 1, m_ry - 1, m_rz - 1, m_texture,
              m_obj == kTypeVie ? "vie" : "speed")
            .dessiner();
    } else if (rond())
        sphereQuadrique(m_lx, vue);
    else
        boite(m_lx, m_ly, m_lz);

    glDisable(GL_BLEND);
    glPopMatrix();
    glColor3ub(255, 255, 255);
}

}  // namespace editeur
