// SPDX-License-Identifier: GPL-3.0-or-later
#include "objet.h"

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

Bonus::Bonus(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
             double ry, double rz, unsigned int texture, std::string classe)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, true), m_texture(texture),
      m_classe(std::move(classe)), m_existe(true) {}

Sphere::Sphere(double x, double y, double z, double vie, double lx, double ly, double lz,
               double rx, double ry, double rz, unsigned int texture)
    : Objet(x, y, z, vie, lx, ly, lz, rx, ry, rz, false), m_texture(texture) {}
