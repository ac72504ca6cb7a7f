// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_HEROS_H
#define VORNA_HEROS_H

#include "objet.h"

// The ball the player steers. It owns the motion rules that do not depend on
// the course: thrust, moves, friction with a soft speed limit, and its look.
// Everything that depends on the blocks lives in the collision code of Jeu.
// Speeds are world units per step (1/30 s). Its look (dessiner) is drawn by
// the game, the only part of it that knows OpenGL.
class Heros : public Objet {
public:
    Heros(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
          double ry, double rz, unsigned int texture);

    void accelerer(double dx, double dy, double dz);  // ignored while paused
    void deplacer(double dx, double dy, double dz);   // ignored while won or paused
    void verifSpeed();                                // friction and soft limit on x and y
    void dessiner() const;

    void setSX(double s) { m_xspeed = s; }
    void setSY(double s) { m_yspeed = s; }
    void setSZ(double s) { m_zspeed = s; }
    double getSX() const { return m_xspeed; }
    double getSY() const { return m_yspeed; }
    double getSZ() const { return m_zspeed; }
    double getSM() const { return m_maxspeed; }
    double getMaxSpeed() const { return m_maxspeed; }
    void winMaxSpeed(double d) { m_maxspeed += d; }
    unsigned int getTexture() const { return m_texture; }

    void win(bool w) { m_win = w; }
    bool getWin() const { return m_win; }
    void tombe(bool t) { m_tombe = t; }
    bool getTombe() const { return m_tombe; }
    void tombe2(bool t) { m_tombe2 = t; }
    bool getTombe2() const { return m_tombe2; }
    void setPause(bool p) { m_pause = p; }
    bool getPause() const { return m_pause; }

private:
    unsigned int m_texture;
    double m_xspeed, m_yspeed, m_zspeed;
    double m_maxspeed;
    bool m_win;
    bool m_tombe;
    bool m_tombe2;
    bool m_pause;
};

#endif
