// SPDX-License-Identifier: GPL-3.0-or-later
#include "formes.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <map>
#include <tuple>

// The arithmetic below follows the quadric routines step by step, single and
// double precision where they use them, so that every value sent is the same
// float.

namespace {

const double kPi = 3.14159265358979323846;

}  // namespace

void Forme::bande() {
    if (!m_debuts.empty()) m_tailles.push_back(static_cast<int>(sommets()) - m_debuts.back());
    m_debuts.push_back(static_cast<int>(sommets()));
}

void Forme::finir() {
    if (!m_debuts.empty()) m_tailles.push_back(static_cast<int>(sommets()) - m_debuts.back());
}

void Forme::sommet(float nx, float ny, float nz, float s, float t, float x, float y, float z) {
    m_normales.insert(m_normales.end(), {nx, ny, nz});
    m_texture.insert(m_texture.end(), {s, t});
    m_sommets.insert(m_sommets.end(), {x, y, z});
}

void Forme::dessiner() const {
    if (m_sommets.empty()) return;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, m_sommets.data());
    glNormalPointer(GL_FLOAT, 0, m_normales.data());
    glTexCoordPointer(2, GL_FLOAT, 0, m_texture.data());
    glMultiDrawArrays(GL_QUAD_STRIP, m_debuts.data(), m_tailles.data(),
                      static_cast<GLsizei>(m_debuts.size()));
    glPopClientAttrib();
    // Immediate drawing leaves the last normal and texture coordinate current;
    // the blocks drawn next frame are lit with that normal.
    glNormal3fv(&m_normales[m_normales.size() - 3]);
    glTexCoord2fv(&m_texture[m_texture.size() - 2]);
}

Forme formeCylindre(double baseRadius, double topRadius, double height, int slices, int stacks) {
    Forme f;
    if (slices < 2 || stacks < 1 || baseRadius < 0.0 || topRadius < 0.0 || height < 0.0) return f;
    const float deltaRadius = static_cast<float>(baseRadius - topRadius);
    const float length = static_cast<float>(std::sqrt(deltaRadius * deltaRadius + height * height));
    if (length == 0.0f) return f;
    const float zNormal = deltaRadius / length;
    const float xyNormalRatio = static_cast<float>(height / length);

    std::vector<float> sinCache(slices + 1), cosCache(slices + 1), sinCache2(slices + 1),
        cosCache2(slices + 1);
    for (int i = 0; i < slices; i++) {
        const float angle = static_cast<float>(2 * kPi * i / slices);
        sinCache2[i] = static_cast<float>(xyNormalRatio * std::sin(static_cast<double>(angle)));
        cosCache2[i] = static_cast<float>(xyNormalRatio * std::cos(static_cast<double>(angle)));
        sinCache[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosCache[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    sinCache2[slices] = sinCache2[0];
    cosCache2[slices] = cosCache2[0];

    for (int j = 0; j < stacks; j++) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float radiusLow = static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j) / stacks));
        const float radiusHigh =
            static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j + 1) / stacks));
        f.bande();
        for (int i = 0; i <= slices; i++) {
            const float s = 1 - static_cast<float>(i) / slices;
            f.sommet(sinCache2[i], cosCache2[i], zNormal, s, static_cast<float>(j) / stacks,
                     radiusLow * sinCache[i], radiusLow * cosCache[i], zLow);
            f.sommet(sinCache2[i], cosCache2[i], zNormal, s, static_cast<float>(j + 1) / stacks,
                     radiusHigh * sinCache[i], radiusHigh * cosCache[i], zHigh);
        }
    }
    f.finir();
    return f;
}

Forme formeSphere(double radius, int slices, int stacks) {
    Forme f;
    if (slices < 2 || stacks < 1 || radius < 0.0) return f;
    std::vector<float> sinCache1a(slices + 1), cosCache1a(slices + 1), sinCache2a(slices + 1),
        cosCache2a(slices + 1), sinCache1b(stacks + 1), cosCache1b(stacks + 1),
        sinCache2b(stacks + 1), cosCache2b(stacks + 1);
    for (int i = 0; i < slices; i++) {
        const float angle = static_cast<float>(2 * kPi * i / slices);
        sinCache1a[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosCache1a[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
        sinCache2a[i] = sinCache1a[i];
        cosCache2a[i] = cosCache1a[i];
    }
    for (int j = 0; j <= stacks; j++) {
        const float angle = static_cast<float>(kPi * j / stacks);
        sinCache2b[j] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosCache2b[j] = static_cast<float>(std::cos(static_cast<double>(angle)));
        sinCache1b[j] = static_cast<float>(radius * std::sin(static_cast<double>(angle)));
        cosCache1b[j] = static_cast<float>(radius * std::cos(static_cast<double>(angle)));
    }
    // The poles come to a point.
    sinCache1b[0] = 0;
    sinCache1b[stacks] = 0;
    sinCache1a[slices] = sinCache1a[0];
    cosCache1a[slices] = cosCache1a[0];
    sinCache2a[slices] = sinCache2a[0];
    cosCache2a[slices] = cosCache2a[0];

    for (int j = 0; j < stacks; j++) {
        const float zLow = cosCache1b[j], zHigh = cosCache1b[j + 1];
        const float sintemp1 = sinCache1b[j], sintemp2 = sinCache1b[j + 1];
        const float sintemp3 = sinCache2b[j + 1], costemp3 = cosCache2b[j + 1];
        const float sintemp4 = sinCache2b[j], costemp4 = cosCache2b[j];
        f.bande();
        for (int i = 0; i <= slices; i++) {
            const float s = 1 - static_cast<float>(i) / slices;
            f.sommet(sinCache2a[i] * sintemp3, cosCache2a[i] * sintemp3, costemp3, s,
                     1 - static_cast<float>(j + 1) / stacks, sintemp2 * sinCache1a[i],
                     sintemp2 * cosCache1a[i], zHigh);
            f.sommet(sinCache2a[i] * sintemp4, cosCache2a[i] * sintemp4, costemp4, s,
                     1 - static_cast<float>(j) / stacks, sintemp1 * sinCache1a[i],
                     sintemp1 * cosCache1a[i], zLow);
        }
    }
    f.finir();
    return f;
}

const Forme& anneau20(double base, double haut, double hauteur) {
    static std::map<std::tuple<double, double, double>, Forme> formes;
    auto cle = std::make_tuple(base, haut, hauteur);
    auto it = formes.find(cle);
    if (it == formes.end()) it = formes.emplace(cle, formeCylindre(base, haut, hauteur, 20, 1)).first;
    return it->second;
}

const Forme& sphere20(double rayon) {
    static std::map<double, Forme> formes;
    auto it = formes.find(rayon);
    if (it == formes.end()) it = formes.emplace(rayon, formeSphere(rayon, 20, 20)).first;
    return it->second;
}
