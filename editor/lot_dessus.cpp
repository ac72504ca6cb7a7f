// SPDX-License-Identifier: GPL-3.0-or-later
#define GL_GLEXT_PROTOTYPES
#include "lot_dessus.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace editeur {

namespace {

const int kTranches = 12, kPiles = 8;  // a round object's facets

// The quads of a sphere of radius r around (x, y, z), textured as GLU
// textures its spheres (s around the z axis, t from the south pole).
void sphere(double x, double y, double z, double r, std::vector<float>& v, std::vector<float>& t) {
    auto point = [&](int i, int j) {
        const double a = 2 * M_PI * i / kTranches, b = M_PI * j / kPiles;
        v.insert(v.end(), {static_cast<float>(x - r * std::sin(a) * std::sin(b)),
                           static_cast<float>(y + r * std::cos(a) * std::sin(b)), static_cast<float>(z - r * std::cos(b))});
        t.insert(t.end(), {static_cast<float>(i) / kTranches, static_cast<float>(j) / kPiles});
    };
    for (int j = 0; j < kPiles; ++j)
        for (int i = 0; i < kTranches; ++i) point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1);
}

// The faces of a box that look toward the eye (a closed box hides the
// others; flat ones are kept).
void boite(const Heros& h, const double versOeil[3], std::vector<float>& v, std::vector<float>& t) {
    const std::array<CoinCube, 24> coins = coinsBoite(h.getLX(), h.getLY(), h.getLZ());
    for (int face = 0; face < 6; ++face) {
        const int axe = face < 2 ? 1 : face < 4 ? 0 : 2;  // faces ±Y, ±X, ±Z
        const CoinCube& c0 = coins[face * 4];
        const double cote = axe == 0 ? c0.x : axe == 1 ? c0.y : c0.z;
        if (cote != 0 && cote * versOeil[axe] <= 0) continue;
        for (int j = face * 4; j < face * 4 + 4; ++j) {
            const CoinCube& k = coins[j];
            v.insert(v.end(), {static_cast<float>(h.getX() + k.x), static_cast<float>(h.getY() + k.y),
                               static_cast<float>(h.getZ() + k.z)});
            t.insert(t.end(), {static_cast<float>(k.s), static_cast<float>(k.t)});
        }
    }
}

}  // namespace

LotDessus::~LotDessus() {
    if (m_tampon) glDeleteBuffers(1, &m_tampon);
}

void LotDessus::construire(const std::vector<Heros>& objets, int n, int exclu, const double versOeil[3]) {
    m_groupes.clear();
    m_emblemes.clear();
    m_n = n, m_exclu = exclu;
    for (int i = 0; i < n && i < static_cast<int>(objets.size()); ++i) {
        const Heros& h = objets[i];
        if (i == exclu) continue;
        if (h.embleme()) {
            m_emblemes.push_back(i);
            continue;
        }
        const Couleur c = h.getCouleur();
        auto g = std::find_if(m_groupes.begin(), m_groupes.end(), [&](const Groupe& x) {
            return x.couleur == c && x.texture == h.getText() && x.rond == h.rond();
        });
        if (g == m_groupes.end()) g = m_groupes.insert(m_groupes.end(), Groupe{c, h.getText(), h.rond(), {}, {}});
        if (h.rond())
            sphere(h.getX(), h.getY(), h.getZ(), h.getLX(), g->sommets, g->texture2d);
        else
            boite(h, versOeil, g->sommets, g->texture2d);
    }
    // Every position first, then every texture coordinate.
    m_sommets = 0;
    for (Groupe& g : m_groupes) g.premier = static_cast<int>(m_sommets), m_sommets += g.sommets.size() / 3;
    if (!m_tampon) glGenBuffers(1, &m_tampon);
    glBindBuffer(GL_ARRAY_BUFFER, m_tampon);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_sommets * 5 * sizeof(float)), nullptr, GL_STATIC_DRAW);
    for (Groupe& g : m_groupes) {
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(g.premier * 3 * sizeof(float)),
                        static_cast<GLsizeiptr>(g.sommets.size() * sizeof(float)), g.sommets.data());
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>((m_sommets * 3 + g.premier * 2) * sizeof(float)),
                        static_cast<GLsizeiptr>(g.texture2d.size() * sizeof(float)), g.texture2d.data());
        g.sommets = {}, g.texture2d = {};
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    m_aJour = true;
}

void LotDessus::dessiner(const std::vector<Heros>& objets, int n, int exclu, int vue, const double versOeil[3]) {
    if (!m_aJour || n != m_n || exclu != m_exclu) construire(objets, n, exclu, versOeil);
    for (int i : m_emblemes) objets[i].dessiner(vue);  // pick-ups, each as the game draws it
    if (!m_sommets) return;
    glMatrixMode(GL_MODELVIEW);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, m_tampon);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glTexCoordPointer(2, GL_FLOAT, 0, reinterpret_cast<const void*>(m_sommets * 3 * sizeof(float)));
    for (std::size_t k = 0; k < m_groupes.size(); ++k) {
        const Groupe& g = m_groupes[k];
        const int fin = k + 1 < m_groupes.size() ? m_groupes[k + 1].premier : static_cast<int>(m_sommets);
        glColor3ub(g.couleur.r, g.couleur.g, g.couleur.b);
        glBindTexture(GL_TEXTURE_2D, g.texture);
        if (g.rond && vue == 1) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glDrawArrays(GL_QUADS, g.premier, fin - g.premier);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
    glColor3ub(255, 255, 255);
}

}  // namespace editeur
