// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_OBJET_H
#define VORNA_OBJET_H

#include <array>
#include <string>

// The plain record every thing of a course shares: centre, life, half-extents
// (the radius of round objects along x), rotation angles in degrees (drawing
// only) and whether collision may stop the ball on it. Objects are values,
// copied freely, with no virtual operations. The rules of a run only read and
// change their values; their drawing (each kind's dessiner) is defined apart,
// by the programs that draw, in common/objet.cpp.
class Objet {
public:
    Objet(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
          double ry, double rz, bool collision);

    void setX(double x) { m_x = x; }
    void setY(double y) { m_y = y; }
    void setZ(double z) { m_z = z; }
    double getX() const { return m_x; }
    double getY() const { return m_y; }
    double getZ() const { return m_z; }
    double getVie() const { return m_vie; }
    double getLife() const { return m_vie; }
    double getLX() const { return m_lx; }
    double getLY() const { return m_ly; }
    double getLZ() const { return m_lz; }
    double getRX() const { return m_rx; }
    double getRY() const { return m_ry; }
    double getRZ() const { return m_rz; }
    bool getCollision() const { return m_collision; }
    // Subtracts `amount` from the life value; a negative amount adds life.
    void perdrePV(double amount) { m_vie -= amount; }

protected:
    double m_x, m_y, m_z;
    double m_vie;
    double m_lx, m_ly, m_lz;
    double m_rx, m_ry, m_rz;
    bool m_collision;
};

// One corner of a block's faces: texture coordinate (s, t) and position
// relative to the block's centre.
struct CoinCube {
    double s, t, x, y, z;
};
// The 24 corners of the six faces of the box [−lx, lx] × [−ly, ly] × [−lz, lz]
// in drawing order (faces y+, x+, y−, x−, z+, z−), with the texture tiled
// every 4 units or stretched once over each face.
std::array<CoinCube, 24> coinsCube(double lx, double ly, double lz, bool etale);

// A block of the course; its class keyword gives its behaviour.
class Cube : public Objet {
public:
    Cube(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
         double ry, double rz, unsigned int texture, std::string classe, bool etale);

    std::string getClasse() const { return m_classe; }
    unsigned int getTexture() const { return m_texture; }
    bool getEtale() const { return m_etale != 0.0; }
    // Draws the box in the current modelview matrix; a "limite" block draws
    // nothing.
    void dessiner() const;

private:
    unsigned int m_texture;
    std::string m_classe;
    double m_etale;  // tiling: 1.0 repeats the texture every 4 units, 0.0 stretches it
};

// A pick-up: "vie" (an extra life) or "speed" (a higher top speed).
class Bonus : public Objet {
public:
    Bonus(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
          double ry, double rz, unsigned int texture, std::string classe);

    std::string getClasse() const { return m_classe; }
    unsigned int getTexture() const { return m_texture; }
    // Draws the spinning emblem; a taken pick-up draws nothing.
    void dessiner() const;
    // The emblem turns one degree on every axis per step of the run.
    void tourner() {
        m_rx += 1.0;
        m_ry += 1.0;
        m_rz += 1.0;
    }
    void detruire() { m_existe = false; }
    bool getExiste() const { return m_existe; }

private:
    unsigned int m_texture;
    std::string m_classe;
    bool m_existe;
};

// A decorative sphere: drawn, never collided with.
class Sphere : public Objet {
public:
    Sphere(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
           double ry, double rz, unsigned int texture);

    unsigned int getTexture() const { return m_texture; }
    void dessiner() const;

private:
    unsigned int m_texture;
};

#endif
