// SPDX-License-Identifier: GPL-3.0-or-later
#include "heros.h"

namespace {

// Friction: both the threshold under which a speed snaps to rest and the step
// taken off a faster speed.
const double kFrottement = 0.005;
// Slowing of a speed at or over the limit, per step. Toward −y the ball is
// only held back by half as much.
const double kFreinLimite = 0.01;
const double kFreinLimiteYNegatif = 0.005;

}  // namespace

Heros::Heros(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz, unsigned int texture)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, true),
      m_texture(texture),
      m_xspeed(0),
      m_yspeed(0),
      m_zspeed(0),
      m_maxspeed(0.4),
      m_win(false),
      m_tombe(false),
      m_tombe2(false),
      m_pause(false) {}

void Heros::accelerer(double dx, double dy, double dz) {
    if (m_pause) return;
    m_xspeed += dx;
    m_yspeed += dy;
    m_zspeed += dz;
}

void Heros::deplacer(double dx, double dy, double dz) {
    if (m_win || m_pause) return;
    m_x += dx;
    m_y += dy;
    m_z += dz;
}

void Heros::verifSpeed() {
    if (m_pause) return;

    // x: friction, then the soft limit on what friction left.
    if (m_xspeed >= kFrottement)
        accelerer(-kFrottement, 0, 0);
    else if (m_xspeed > 0)
        m_xspeed = 0;
    else if (m_xspeed <= -kFrottement)
        accelerer(kFrottement, 0, 0);
    else if (m_xspeed < 0)
        m_xspeed = 0;

    if (m_xspeed >= m_maxspeed)
        accelerer(-kFreinLimite, 0, 0);
    else if (m_xspeed <= -m_maxspeed)
        accelerer(kFreinLimite, 0, 0);

    // y: the same, but a ball over the limit toward −y is slowed by less.
    if (m_yspeed >= kFrottement)
        accelerer(0, -kFrottement, 0);
    else if (m_yspeed > 0)
        m_yspeed = 0;
    else if (m_yspeed <= -kFrottement)
        accelerer(0, kFrottement, 0);
    else if (m_yspeed < 0)
        m_yspeed = 0;

    if (m_yspeed >= m_maxspeed)
        accelerer(0, -kFreinLimite, 0);
    else if (m_yspeed <= -m_maxspeed)
        accelerer(0, kFreinLimiteYNegatif, 0);
}
