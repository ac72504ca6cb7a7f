// SPDX-License-Identifier: GPL-3.0-or-later
#include "champ_vision.h"

#include <GL/gl.h>

#include <cmath>

ChampVision::ChampVision() {
    double p[16], mv[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    for (int c = 0; c < 4; ++c)
        for (int l = 0; l < 4; ++l) {
            double v = 0;
            for (int k = 0; k < 4; ++k) v += p[k * 4 + l] * mv[c * 4 + k];
            m_m[c * 4 + l] = v;
        }
    // The camera's matrix turns and moves only: the eye is minus the
    // translation turned back.
    for (int a = 0; a < 3; ++a) m_oeil[a] = -(mv[a * 4] * mv[12] + mv[a * 4 + 1] * mv[13] + mv[a * 4 + 2] * mv[14]);
}

bool ChampVision::oeilLoin(double x, double y, double z, double d) const {
    const double dx = m_oeil[0] - x, dy = m_oeil[1] - y, dz = m_oeil[2] - z;
    return dx * dx + dy * dy + dz * dz > d * d;
}

bool ChampVision::voit(const double (*coins)[3], int n) const {
    // For each of the six sides (x < −w, x > w, y < −w, y > w, z < −w, z > w),
    // count the corners clearly beyond it; GL computes in single precision,
    // hence the margin.
    const double marge = 1e-4;
    int dehors[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const double* c = coins[i];
        double v[4];
        for (int l = 0; l < 4; ++l)
            v[l] = m_m[l] * c[0] + m_m[4 + l] * c[1] + m_m[8 + l] * c[2] + m_m[12 + l];
        const double w = v[3];
        for (int a = 0; a < 3; ++a) {
            const double tolerance = marge * (std::fabs(v[a]) + std::fabs(w)) + 1e-6;
            if (v[a] < -w - tolerance) ++dehors[2 * a];
            if (v[a] > w + tolerance) ++dehors[2 * a + 1];
        }
    }
    for (int d : dehors)
        if (d == n) return false;
    return true;
}

bool ChampVision::voitCube(double x, double y, double z, double r) const {
    double coins[8][3];
    for (int i = 0; i < 8; ++i) {
        coins[i][0] = x + (i & 1 ? r : -r);
        coins[i][1] = y + (i & 2 ? r : -r);
        coins[i][2] = z + (i & 4 ? r : -r);
    }
    return voit(coins, 8);
}
