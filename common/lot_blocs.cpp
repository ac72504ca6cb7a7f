// SPDX-License-Identifier: GPL-3.0-or-later
#include "lot_blocs.h"

#include <GL/gl.h>

#include <cmath>

#include "champ_vision.h"

namespace {

const double kDegre = 3.14159265358979323846 / 180;

// Turns p by `a` degrees about axis `axe` (0 x, 1 y, 2 z), like glRotated.
void tourner(double p[3], double a, int axe) {
    if (a == 0) return;
    const double c = std::cos(a * kDegre), s = std::sin(a * kDegre);
    const int u = (axe + 1) % 3, v = (axe + 2) % 3;
    const double pu = p[u], pv = p[v];
    p[u] = c * pu - s * pv;
    p[v] = s * pu + c * pv;
}

}  // namespace

LotBlocs::LotBlocs(const std::vector<Cube>& cubes) {
    for (const Cube& c : cubes) {
        if (c.getClasse() == "limite") continue;
        ajouter(Boite{c.getX(), c.getY(), c.getZ(), c.getLX(), c.getLY(), c.getLZ(), c.getRX(),
                      c.getRY(), c.getRZ(), c.getTexture(), c.getEtale()});
    }
}

void LotBlocs::ajouter(const Boite& b) { ajouter(b, coinsCube(b.lx, b.ly, b.lz, b.etale)); }

void LotBlocs::ajouter(const Boite& b, const std::array<CoinCube, 24>& coins) {
    Entree e{b, {}};
    for (int i = 0; i < 8; ++i) {
        double* p = e.coins[i];
        p[0] = i & 1 ? b.lx : -b.lx;
        p[1] = i & 2 ? b.ly : -b.ly;
        p[2] = i & 4 ? b.lz : -b.lz;
        // The modelview applies x, then y, then z to the matrix, so a corner
        // is turned about z first.
        tourner(p, b.rz, 2);
        tourner(p, b.ry, 1);
        tourner(p, b.rx, 0);
        p[0] += b.x;
        p[1] += b.y;
        p[2] += b.z;
    }
    m_boites.push_back(e);
    // The values glVertex3d and glTexCoord2d would have turned into floats.
    for (const CoinCube& c : coins) {
        m_texture.insert(m_texture.end(), {static_cast<float>(c.s), static_cast<float>(c.t)});
        m_sommets.insert(m_sommets.end(),
                         {static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.z)});
    }
}

void LotBlocs::vider() {
    m_boites.clear();
    m_sommets.clear();
    m_texture.clear();
}

std::size_t LotBlocs::dessiner(const ChampVision* champ) const {
    return dessiner(champ, 0, m_boites.size());
}

std::size_t LotBlocs::dessiner(const ChampVision* champ, std::size_t debut, std::size_t fin) const {
    if (fin > m_boites.size()) fin = m_boites.size();
    if (debut >= fin) return 0;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);  // the blocks take the current normal
    glVertexPointer(3, GL_FLOAT, 0, m_sommets.data());
    glTexCoordPointer(2, GL_FLOAT, 0, m_texture.data());
    std::size_t dessines = 0;
    for (std::size_t i = debut; i < fin; ++i) {
        const Entree& e = m_boites[i];
        if (champ && !champ->voit(e.coins, 8)) continue;
        const Boite& b = e.boite;
        glPushMatrix();
        glTranslated(b.x, b.y, b.z);
        glRotated(b.rx, 1, 0, 0);
        glRotated(b.ry, 0, 1, 0);
        glRotated(b.rz, 0, 0, 1);
        glBindTexture(GL_TEXTURE_2D, b.texture);
        glDrawArrays(GL_QUADS, static_cast<GLint>(i * 24), 24);
        glPopMatrix();
        ++dessines;
    }
    glPopClientAttrib();
    return dessines;
}
