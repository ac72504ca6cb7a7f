// SPDX-License-Identifier: GPL-3.0-or-later
#include "image.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>

namespace atelier {

// ---- randomness -----------------------------------------------------------

uint64_t Alea::suivant() {
    uint64_t z = (m_etat += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Alea::reel() { return double(suivant() >> 11) * (1.0 / 9007199254740992.0); }
double Alea::entre(double min, double max) { return min + (max - min) * reel(); }
int Alea::entier(int min, int max) {
    if (max <= min) return min;
    return min + int(suivant() % uint64_t(max - min + 1));
}

uint32_t hacher(int32_t a, int32_t b, int32_t c, uint32_t graine) {
    uint32_t h = graine * 0x9E3779B1u + 0x7F4A7C15u;
    for (uint32_t v : {uint32_t(a), uint32_t(b), uint32_t(c)}) {
        h ^= v + 0x9E3779B9u + (h << 6) + (h >> 2);
        h ^= h >> 16;
        h *= 0x7FEB352Du;
        h ^= h >> 15;
        h *= 0x846CA68Bu;
        h ^= h >> 16;
    }
    return h;
}

double hacherReel(int32_t a, int32_t b, int32_t c, uint32_t graine) {
    return double(hacher(a, b, c, graine)) / 4294967296.0;
}

// ---- small maths ----------------------------------------------------------

double limiter(double v, double min, double max) { return v < min ? min : (v > max ? max : v); }

double lisser(double a, double b, double v) {
    if (a == b) return v < a ? 0.0 : 1.0;
    double t = limiter((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

double melanger(double a, double b, double t) { return a + (b - a) * t; }

double modulo(double v, double m) {
    double r = std::fmod(v, m);
    return r < 0 ? r + m : r;
}

double ecartPeriodique(double a, double b, double m) {
    double d = modulo(a - b, m);
    return d > m / 2 ? d - m : d;
}

Couleur rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Couleur melanger(const Couleur& a, const Couleur& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// ---- images -------------------------------------------------------------------

Toile::Toile(int l, int h, Couleur fond, double a)
    : largeur(l), hauteur(h), pixels(size_t(l) * h, fond), alpha(size_t(l) * h, a) {}

Couleur Toile::echantillonPeriodique(double x, double y) const {
    x -= 0.5;
    y -= 0.5;
    double fx = std::floor(x), fy = std::floor(y);
    double tx = x - fx, ty = y - fy;
    int x0 = int(modulo(fx, largeur)), y0 = int(modulo(fy, hauteur));
    int x1 = (x0 + 1) % largeur, y1 = (y0 + 1) % hauteur;
    Couleur haut = melanger(at(x0, y0), at(x1, y0), tx);
    Couleur bas = melanger(at(x0, y1), at(x1, y1), tx);
    return melanger(haut, bas, ty);
}

static uint8_t octet(double v) { return uint8_t(std::lround(limiter(v) * 255.0)); }

Image8 versOctets(const Toile& t, int canaux) {
    Image8 i;
    i.largeur = t.largeur;
    i.hauteur = t.hauteur;
    i.canaux = canaux;
    i.octets.resize(size_t(t.largeur) * t.hauteur * canaux);
    for (size_t k = 0; k < t.pixels.size(); ++k) {
        uint8_t* p = &i.octets[k * canaux];
        const Couleur& c = t.pixels[k];
        if (canaux == 1) {
            p[0] = octet(c.luminance());
            continue;
        }
        p[0] = octet(c.r);
        p[1] = octet(c.g);
        p[2] = octet(c.b);
        if (canaux == 4) p[3] = octet(t.alpha[k]);
    }
    return i;
}

// ---- noise ----------------------------------------------------------------------

static double quintique(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

static double gradient2(int ix, int iy, uint32_t graine, double dx, double dy) {
    double angle = hacherReel(ix, iy, 0, graine) * 2 * PI;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

double bruit(double u, double v, int px, int py, uint32_t graine) {
    double x = modulo(u, 1.0) * px, y = modulo(v, 1.0) * py;
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    double fx = x - ix, fy = y - iy;
    int x0 = ix % px, y0 = iy % py, x1 = (ix + 1) % px, y1 = (iy + 1) % py;
    double n00 = gradient2(x0, y0, graine, fx, fy);
    double n10 = gradient2(x1, y0, graine, fx - 1, fy);
    double n01 = gradient2(x0, y1, graine, fx, fy - 1);
    double n11 = gradient2(x1, y1, graine, fx - 1, fy - 1);
    double sx = quintique(fx), sy = quintique(fy);
    return 1.41 * melanger(melanger(n00, n10, sx), melanger(n01, n11, sx), sy);
}

double fbm(double u, double v, int px, int py, int octaves, uint32_t graine, double gain) {
    double somme = 0, amplitude = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        somme += amplitude * bruit(u, v, px << o, py << o, graine + 1013u * uint32_t(o));
        total += amplitude;
        amplitude *= gain;
    }
    return somme / total;
}

Cellule cellules(double u, double v, int n, uint32_t graine) {
    double x = modulo(u, 1.0) * n, y = modulo(v, 1.0) * n;
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    Cellule r{1e9, 1e9, 0};
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            int cx = ix + dx, cy = iy + dy;
            int wx = ((cx % n) + n) % n, wy = ((cy % n) + n) % n;
            double pxl = cx + 0.1 + 0.8 * hacherReel(wx, wy, 1, graine);
            double pyl = cy + 0.1 + 0.8 * hacherReel(wx, wy, 2, graine);
            double d = std::hypot(pxl - x, pyl - y);
            if (d < r.f1) {
                r.f2 = r.f1;
                r.f1 = d;
                r.id = hacher(wx, wy, 3, graine);
            } else if (d < r.f2) {
                r.f2 = d;
            }
        }
    return r;
}

static double gradient3(int ix, int iy, int iz, uint32_t graine, double dx, double dy, double dz) {
    switch (hacher(ix, iy, iz, graine) % 12) {
        case 0: return dx + dy;
        case 1: return -dx + dy;
        case 2: return dx - dy;
        case 3: return -dx - dy;
        case 4: return dx + dz;
        case 5: return -dx + dz;
        case 6: return dx - dz;
        case 7: return -dx - dz;
        case 8: return dy + dz;
        case 9: return -dy + dz;
        case 10: return dy - dz;
        default: return -dy - dz;
    }
}

double bruit3(double x, double y, double z, uint32_t graine) {
    int ix = int(std::floor(x)), iy = int(std::floor(y)), iz = int(std::floor(z));
    double fx = x - ix, fy = y - iy, fz = z - iz;
    double sx = quintique(fx), sy = quintique(fy), sz = quintique(fz);
    double c[2][2][2];
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            for (int d = 0; d < 2; ++d)
                c[a][b][d] = gradient3(ix + a, iy + b, iz + d, graine, fx - a, fy - b, fz - d);
    double x00 = melanger(c[0][0][0], c[1][0][0], sx), x10 = melanger(c[0][1][0], c[1][1][0], sx);
    double x01 = melanger(c[0][0][1], c[1][0][1], sx), x11 = melanger(c[0][1][1], c[1][1][1], sx);
    return melanger(melanger(x00, x10, sy), melanger(x01, x11, sy), sz);
}

double fbm3(double x, double y, double z, int octaves, uint32_t graine, double gain) {
    double somme = 0, amplitude = 1, total = 0, f = 1;
    for (int o = 0; o < octaves; ++o) {
        somme += amplitude * bruit3(x * f, y * f, z * f, graine + 7919u * uint32_t(o));
        total += amplitude;
        amplitude *= gain;
        f *= 2.03;
    }
    return somme / total;
}

// ---- shapes ------------------------------------------------------------------------

double distanceSegment(double x, double y, double ax, double ay, double bx, double by) {
    double vx = bx - ax, vy = by - ay, wx = x - ax, wy = y - ay;
    double l2 = vx * vx + vy * vy;
    double t = l2 > 0 ? limiter((wx * vx + wy * vy) / l2) : 0.0;
    return std::hypot(wx - t * vx, wy - t * vy);
}

double distanceBoite(double x, double y, double cx, double cy, double demiL, double demiH) {
    double dx = std::fabs(x - cx) - demiL, dy = std::fabs(y - cy) - demiH;
    double dehors = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
    return dehors + std::min(std::max(dx, dy), 0.0);
}

double distancePolygone(double x, double y, const std::vector<double>& p) {
    size_t n = p.size() / 2;
    if (n < 3) return 1e9;
    double d = 1e18, signe = 1.0;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        double ex = p[2 * j] - p[2 * i], ey = p[2 * j + 1] - p[2 * i + 1];
        double wx = x - p[2 * i], wy = y - p[2 * i + 1];
        double t = limiter((wx * ex + wy * ey) / (ex * ex + ey * ey));
        double bx = wx - ex * t, by = wy - ey * t;
        d = std::min(d, bx * bx + by * by);
        bool c1 = y >= p[2 * i + 1], c2 = y < p[2 * j + 1], c3 = ex * wy > ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) signe = -signe;
    }
    return signe * std::sqrt(d);
}

// ---- encoders ------------------------------------------------------------------------

void preparerEncodeurs() { stbi_flip_vertically_on_write(0); }

static void versChaine(void* contexte, void* donnees, int taille) {
    static_cast<std::string*>(contexte)->append(static_cast<const char*>(donnees), size_t(taille));
}

std::string encoderJpeg(const Image8& i, int qualite) {
    std::string s;
    stbi_write_jpg_to_func(versChaine, &s, i.largeur, i.hauteur, i.canaux, i.octets.data(), qualite);
    return s;
}

std::string encoderPng(const Image8& i) {
    std::string s;
    stbi_write_png_to_func(versChaine, &s, i.largeur, i.hauteur, i.canaux, i.octets.data(),
                           i.largeur * i.canaux);
    return s;
}

std::string encoderTga(const Image8& i) {
    std::string s;
    s.push_back(0);        // no image id
    s.push_back(0);        // no colour map
    s.push_back(10);       // run-length encoded true colour
    s.append(5, '\0');     // colour map fields (unused)
    mot16(s, 0);
    mot16(s, 0);
    mot16(s, unsigned(i.largeur));
    mot16(s, unsigned(i.hauteur));
    s.push_back(32);
    s.push_back(0x28);     // 8 alpha bits, first row at the top
    auto bgra = [&](int x, int y) {
        const uint8_t* p = i.px(x, y);
        uint8_t a = i.canaux == 4 ? p[3] : 255;
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16 | uint32_t(a) << 24;
    };
    auto pixel = [&](uint32_t v) { mot32(s, v); };
    for (int y = 0; y < i.hauteur; ++y) {
        int x = 0;
        while (x < i.largeur) {
            // A run of equal pixels becomes one packet; anything else is copied raw.
            int n = 1;
            while (x + n < i.largeur && n < 128 && bgra(x + n, y) == bgra(x, y)) ++n;
            if (n >= 2) {
                s.push_back(char(0x80 | (n - 1)));
                pixel(bgra(x, y));
                x += n;
                continue;
            }
            n = 1;
            while (x + n < i.largeur && n < 128 &&
                   !(x + n + 1 < i.largeur && bgra(x + n, y) == bgra(x + n + 1, y)))
                ++n;
            s.push_back(char(n - 1));
            for (int k = 0; k < n; ++k) pixel(bgra(x + k, y));
            x += n;
        }
    }
    return s;
}

std::string encoderBmp(const Image8& i) {
    const int ligne = (i.largeur * 3 + 3) / 4 * 4;
    const unsigned tailleImage = unsigned(ligne) * unsigned(i.hauteur);
    std::string s = "BM";
    mot32(s, 54 + tailleImage);
    mot32(s, 0);
    mot32(s, 54);
    mot32(s, 40);
    mot32(s, unsigned(i.largeur));
    mot32(s, unsigned(i.hauteur));  // positive: rows from the bottom
    mot16(s, 1);
    mot16(s, 24);
    mot32(s, 0);
    mot32(s, tailleImage);
    mot32(s, 2835);
    mot32(s, 2835);
    mot32(s, 0);
    mot32(s, 0);
    for (int y = i.hauteur - 1; y >= 0; --y) {
        for (int x = 0; x < i.largeur; ++x) {
            const uint8_t* p = i.px(x, y);
            uint8_t r = p[0], g = i.canaux >= 3 ? p[1] : p[0], b = i.canaux >= 3 ? p[2] : p[0];
            s.push_back(char(b));
            s.push_back(char(g));
            s.push_back(char(r));
        }
        s.append(size_t(ligne - i.largeur * 3), '\0');
    }
    return s;
}

}  // namespace atelier
