// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_IMAGE_H
#define VORNA_ATELIER_IMAGE_H

// Drawing tools of the asset workshop: colours, images, seeded randomness,
// periodic noise (so textures tile), soft-edged shapes and the file encoders.

#include <cstdint>
#include <string>
#include <vector>

namespace atelier {

constexpr double PI = 3.14159265358979323846;

// ---- randomness -----------------------------------------------------------

// A small fixed-seed generator (SplitMix64): the same seed gives the same
// sequence on every machine, unlike the standard distributions.
class Alea {
public:
    explicit Alea(uint64_t graine) : m_etat(graine) {}
    uint64_t suivant();
    double reel();                          // [0, 1)
    double entre(double min, double max);   // [min, max)
    int entier(int min, int max);           // [min, max]
private:
    uint64_t m_etat;
};

// A well-mixed 32-bit hash of a few integers.
uint32_t hacher(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t graine = 0);
// The hash as a value in [0, 1).
double hacherReel(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t graine = 0);

// ---- small maths ----------------------------------------------------------

double limiter(double v, double min = 0.0, double max = 1.0);
double lisser(double a, double b, double v);   // smoothstep
double melanger(double a, double b, double t);
// Remainder in [0, m).
double modulo(double v, double m);
// The shortest signed difference a - b on a circle of length m.
double ecartPeriodique(double a, double b, double m);

// ---- colours ----------------------------------------------------------------

struct Couleur {
    double r = 0, g = 0, b = 0;
    Couleur() = default;
    constexpr Couleur(double r_, double g_, double b_) : r(r_), g(g_), b(b_) {}
    Couleur operator+(const Couleur& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Couleur operator-(const Couleur& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Couleur operator*(double k) const { return {r * k, g * k, b * k}; }
    Couleur operator*(const Couleur& o) const { return {r * o.r, g * o.g, b * o.b}; }
    Couleur& operator+=(const Couleur& o) { r += o.r; g += o.g; b += o.b; return *this; }
    double luminance() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
};
// From 0 … 255 components.
Couleur rgb(int r, int g, int b);
Couleur melanger(const Couleur& a, const Couleur& b, double t);
// `dessus` laid over `dessous` with coverage t.
inline Couleur poser(const Couleur& dessous, const Couleur& dessus, double t) { return melanger(dessous, dessus, limiter(t)); }

// ---- images -------------------------------------------------------------------

// A colour image with an alpha plane, rows from the top, components 0 … 1.
struct Toile {
    int largeur = 0, hauteur = 0;
    std::vector<Couleur> pixels;
    std::vector<double> alpha;
    Toile() = default;
    Toile(int l, int h, Couleur fond = Couleur(), double a = 1.0);
    Couleur& at(int x, int y) { return pixels[size_t(y) * largeur + x]; }
    const Couleur& at(int x, int y) const { return pixels[size_t(y) * largeur + x]; }
    double& a(int x, int y) { return alpha[size_t(y) * largeur + x]; }
    double a(int x, int y) const { return alpha[size_t(y) * largeur + x]; }
    // Bilinear sample with wrap-around on both axes; x, y in pixels.
    Couleur echantillonPeriodique(double x, double y) const;
};

// 8-bit pixels, rows from the top, `canaux` = 1, 3 or 4.
struct Image8 {
    int largeur = 0, hauteur = 0, canaux = 3;
    std::vector<uint8_t> octets;
    const uint8_t* px(int x, int y) const { return &octets[(size_t(y) * largeur + x) * canaux]; }
};
Image8 versOctets(const Toile& t, int canaux);

// ---- noise (all of it periodic on the unit square) -----------------------------

// Gradient noise in about [-1, 1] at (u, v) of the unit square, with px × py
// lattice cells across it; it wraps at u = 1 and v = 1.
double bruit(double u, double v, int px, int py, uint32_t graine);
// Fractal sum of `octaves` layers of `bruit`, each twice as fine and `gain`
// times as strong; roughly in [-1, 1].
double fbm(double u, double v, int px, int py, int octaves, uint32_t graine, double gain = 0.5);
// Distances to the nearest and second nearest feature point of a periodic
// cellular pattern with n × n cells on the unit square (in cell units), and the
// id of the nearest cell.
struct Cellule { double f1, f2; uint32_t id; };
Cellule cellules(double u, double v, int n, uint32_t graine);
// Gradient noise in 3D (not periodic), about [-1, 1].
double bruit3(double x, double y, double z, uint32_t graine);
double fbm3(double x, double y, double z, int octaves, uint32_t graine, double gain = 0.5);

// ---- shapes (signed distances in pixels; negative inside) ------------------------

double distanceSegment(double x, double y, double ax, double ay, double bx, double by);
double distanceBoite(double x, double y, double cx, double cy, double demiL, double demiH);
// Inside of a convex or concave polygon given as x0, y0, x1, y1, …
double distancePolygone(double x, double y, const std::vector<double>& points);
// Coverage of a shape from its signed distance, antialiased over one pixel.
inline double couverture(double d, double flou = 1.0) { return limiter(0.5 - d / flou); }

// ---- file encoders (bytes of a whole file) ---------------------------------------

// Puts the shared image writer in its plain state (rows written top first);
// called once before any encoding, from one thread.
void preparerEncodeurs();
// Little-endian 16- and 32-bit words, as the TGA, BMP and WAV headers store them.
inline void mot16(std::string& s, unsigned v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char((v >> 8) & 0xFF));
}
inline void mot32(std::string& s, unsigned v) {
    mot16(s, v & 0xFFFF);
    mot16(s, v >> 16);
}

std::string encoderJpeg(const Image8& image, int qualite);
std::string encoderPng(const Image8& image);
// 32-bit true-colour TGA with alpha, run-length encoded, first row on top.
std::string encoderTga(const Image8& image);
// 24-bit uncompressed BMP.
std::string encoderBmp(const Image8& image);

}  // namespace atelier

#endif
