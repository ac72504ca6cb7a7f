// SPDX-License-Identifier: GPL-3.0-or-later
#include "lot_blocs.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

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
        const Boite b{c.getX(), c.getY(), c.getZ(), c.getLX(), c.getLY(), c.getLZ(), c.getRX(),
                      c.getRY(), c.getRZ(), c.getTexture(), c.getEtale()};
        std::array<CoinCube, 24> coins = coinsCube(b.lx, b.ly, b.lz, b.etale);
        // Only a box with volume is closed. Its bottom face alone turns
        // clockwise seen from outside: reversed, it is cut along the same
        // diagonal into the same two triangles.
        const bool fermee = b.lx > 0 && b.ly > 0 && b.lz > 0;
        if (fermee) std::swap(coins[21], coins[23]);
        ajouter(b, coins);
        m_boites.back().fermee = fermee;
    }
}

void LotBlocs::ajouter(const Boite& b) { ajouter(b, coinsCube(b.lx, b.ly, b.lz, b.etale)); }

void LotBlocs::ajouter(const Boite& b, const std::array<CoinCube, 24>& coins) {
    Entree e{b, {}, false};
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

bool LotBlocs::oeilPres(const Entree& e, const double oeil[3]) const {
    // The near plane's corners lie within 1.6 of the eye.
    const double marge = 2;
    for (int a = 0; a < 3; ++a) {
        double bas = e.coins[0][a], haut = bas;
        for (const double* c : e.coins) bas = std::min(bas, c[a]), haut = std::max(haut, c[a]);
        if (oeil[a] < bas - marge || oeil[a] > haut + marge) return false;
    }
    return true;
}

std::size_t LotBlocs::dessiner(const ChampVision* champ, std::size_t debut, std::size_t fin) const {
    if (fin > m_boites.size()) fin = m_boites.size();
    if (debut >= fin) return 0;
    // The eye in the world: the camera's matrix turns and moves only.
    double mv[16], oeil[3];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    for (int a = 0; a < 3; ++a) oeil[a] = -(mv[a * 4] * mv[12] + mv[a * 4 + 1] * mv[13] + mv[a * 4 + 2] * mv[14]);
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    bool cache = false;
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
        const bool cacher = e.fermee && !oeilPres(e, oeil);
        if (cacher != cache) cacher ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
        cache = cacher;
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
    glPopAttrib();
    return dessines;
}
