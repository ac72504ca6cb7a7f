// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "decor.h"
#include "police.h"
#include "textures.h"

namespace atelier {

namespace {

// The wooden ball seen from the front: (nx, ny) on the unit disc, y down.
// `tour` spins the wood around the ball's axis (radians).
Couleur bouleEnBois(const Toile& bois, double nx, double ny, double tour) {
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    double x = nx, y = -ny, z = nz;
    // Tilt the ball toward the viewer so its rings curve, then spin it.
    const double inclinaison = 0.45;
    double y2 = y * std::cos(inclinaison) - z * std::sin(inclinaison);
    double z2 = y * std::sin(inclinaison) + z * std::cos(inclinaison);
    double lon = std::atan2(z2, x) + tour, lat = std::asin(limiter(y2, -1.0, 1.0));
    Couleur bois0 = bois.echantillonPeriodique(lon / (2 * PI) * bois.largeur, (0.5 - lat / PI) * bois.hauteur);
    // Key light from the upper left, a warm rim from behind, a varnish gloss.
    const double lx = -0.45, ly = 0.62, lz = 0.64;
    double diffus = std::max(0.0, x * lx + y * ly + z * lz);
    double hx = lx, hy = ly, hz = lz + 1, hn = std::sqrt(hx * hx + hy * hy + hz * hz);
    double reflet = std::pow(std::max(0.0, (x * hx + y * hy + z * hz) / hn), 60.0);
    double bord = std::pow(1 - z, 3.0);
    Couleur c = bois0 * (0.18 + 0.95 * diffus);
    c += rgb(255, 250, 235) * (0.55 * reflet);
    c += rgb(255, 140, 50) * (0.35 * bord * std::max(0.0, -x * 0.5 + 0.5 - y * 0.3));
    return c;
}

// Separable box blur, run three times: close to a Gaussian of that radius.
void flouter(Plan& p, int rayon) {
    std::vector<double> ligne;
    for (int passe = 0; passe < 3; ++passe) {
        for (int y = 0; y < p.hauteur; ++y) {
            ligne.assign(p.v.begin() + size_t(y) * p.largeur, p.v.begin() + size_t(y + 1) * p.largeur);
            double s = 0;
            for (int k = -rayon; k <= rayon; ++k) s += ligne[size_t(std::clamp(k, 0, p.largeur - 1))];
            for (int x = 0; x < p.largeur; ++x) {
                p.at(x, y) = s / (2 * rayon + 1);
                s += ligne[size_t(std::min(x + rayon + 1, p.largeur - 1))] - ligne[size_t(std::max(x - rayon, 0))];
            }
        }
        for (int x = 0; x < p.largeur; ++x) {
            ligne.resize(size_t(p.hauteur));
            for (int y = 0; y < p.hauteur; ++y) ligne[size_t(y)] = p.at(x, y);
            double s = 0;
            for (int k = -rayon; k <= rayon; ++k) s += ligne[size_t(std::clamp(k, 0, p.hauteur - 1))];
            for (int y = 0; y < p.hauteur; ++y) {
                p.at(x, y) = s / (2 * rayon + 1);
                s += ligne[size_t(std::min(y + rayon + 1, p.hauteur - 1))] - ligne[size_t(std::max(y - rayon, 0))];
            }
        }
    }
}

}  // namespace

Toile logo() {
    const int L = LARGEUR_LOGO, H = HAUTEUR_LOGO;
    const double sx = double(L) / 640, sy = double(H) / 480;  // texels per screen pixel
    const Toile bois = texture("bois.jpg");
    const Toile sol = texture("sol.jpg");

    // The title, lettered in screen pixels and pre-squashed into the texels.
    Police police(cheminPolice("DejaVuSans-Bold.ttf"));
    const char* titre = "Vorna";
    const double em = 150;  // screen pixels
    double largeurTitre = 0;
    for (const char* c = titre; *c; ++c) largeurTitre += police.avance((unsigned char)*c, em, em) - 4;
    const double baseTitre = 222;
    Plan lettres(L, H);
    double x = 320 - largeurTitre / 2;
    for (const char* c = titre; *c; ++c) {
        police.dessiner(lettres, (unsigned char)*c, em * sx, em * sy, x * sx, baseTitre * sy);
        x += police.avance((unsigned char)*c, em, em) - 4;
    }
    Plan contour = lettres, halo = lettres;
    flouter(contour, 2);
    flouter(halo, 14);

    // The ball rolls along a tiled floor below the title.
    const double bx = 462, by = 380, br = 56;
    const double horizon = 292, hauteurOeil = 1.5, focale = 460;
    Toile t(L, H, Couleur(0, 0, 0));
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < L; ++i) {
            double X = (i + 0.5) / sx, Y = (j + 0.5) / sy;
            // A faint warm glow behind the title.
            double lueur = std::exp(-std::pow((X - 320) / 300, 2) - std::pow((Y - 170) / 150, 2));
            Couleur c = rgb(46, 26, 10) * lueur;
            // Floor, supersampled against the tiles' moiré, fading into the dark.
            if (Y > horizon) {
                Couleur s;
                for (int a = 0; a < 3; ++a)
                    for (int b = 0; b < 3; ++b) {
                        double Xs = X + (a - 1) / (3 * sx), Ys = Y + (b - 1) / (3 * sy);
                        double dist = hauteurOeil * focale / (Ys - horizon);
                        double xw = (Xs - 320) * dist / focale;
                        s += sol.echantillonPeriodique((xw / 4 + 0.3) * sol.largeur, (dist / 4) * sol.hauteur);
                    }
                s = s * (1.0 / 9);
                double dist = hauteurOeil * focale / (Y - horizon);
                double lumiere = 0.75 * std::exp(-std::pow((X - bx) / 260, 2) - std::pow((Y - by - 30) / 120, 2));
                double fondu = std::exp(-(dist - 3) / 4.0) * lisser(horizon, horizon + 40, Y);
                c += s * (limiter(fondu) * (0.12 + lumiere)) * rgb(255, 214, 170);
                // The ball's soft shadow.
                double ombre = std::exp(-std::pow((X - bx + 14) / (br * 1.15), 2) - std::pow((Y - by - br + 4) / (br * 0.26), 2));
                c = c * (1 - 0.85 * ombre);
            }
            // Speed lines behind the ball.
            for (int k = 0; k < 4; ++k) {
                double ly = by - 30 + k * 20, debut = bx - br - 22 - k * 6, fin = debut - 150 + k * 22;
                double d = std::fabs(Y - ly);
                if (X > debut || X < fin) continue;
                double force = lisser(fin, debut, X) * limiter(2.0 - d);
                c += rgb(255, 196, 120) * (0.7 * force);
            }
            // The ball.
            double dx = (X - bx) / br, dy = (Y - by) / br;
            double r = std::hypot(dx, dy);
            if (r < 1.02) {
                double cov = limiter((1 - r) * br * 1.2 + 0.5);
                double k = std::min(r, 0.999) / std::max(r, 1e-9);
                c = poser(c, bouleEnBois(bois, dx * k, dy * k, 0.7), cov);
            }
            // Title: glow, dark outline, then golden letters with a light top edge.
            double g = halo.at(i, j), o = contour.at(i, j), l = lettres.at(i, j);
            c += rgb(255, 120, 30) * (0.45 * std::min(1.0, g * 1.6));
            c = poser(c, rgb(40, 16, 4), std::min(1.0, o * 2.5));
            double hauteur = limiter((Y - (baseTitre - 112)) / 112);
            Couleur or_ = hauteur < 0.5 ? melanger(rgb(255, 244, 190), rgb(255, 186, 66), hauteur * 2)
                                        : melanger(rgb(255, 186, 66), rgb(196, 88, 24), (hauteur - 0.5) * 2);
            double dessus = j >= 3 ? std::max(0.0, l - lettres.at(i, j - 3)) : 0.0;
            or_ += rgb(255, 255, 240) * (0.5 * dessus);
            t.at(i, j) = poser(c, or_, l);
        }
    return t;
}

Toile icone(int N) {
    // Painted on a 32-unit square, at least 8 samples a unit each way (2 a
    // pixel for the large sizes), then averaged.
    const int S = std::max(2, 256 / N);
    const double k = N / 32.0;
    const Toile bois = texture("bois.jpg");
    Toile t(N, N);
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            Couleur somme;
            for (int b = 0; b < S; ++b)
                for (int a = 0; a < S; ++a) {
                    double x = (i + (a + 0.5) / S) / k, y = (j + (b + 0.5) / S) / k;
                    double r0 = std::hypot(x - 14, y - 12) / 26;
                    Couleur c = melanger(rgb(44, 76, 120), rgb(10, 14, 30), limiter(r0));
                    double ombre = std::exp(-std::pow((x - 17) / 12, 2) - std::pow((y - 28.5) / 3, 2));
                    c = c * (1 - 0.7 * ombre);
                    double dx = (x - 16) / 13.2, dy = (y - 15.2) / 13.2;
                    double r = std::hypot(dx, dy);
                    if (r < 1) c = bouleEnBois(bois, dx, dy, 0.7) * 1.1;
                    somme += c;
                }
            t.at(i, j) = somme * (1.0 / (S * S));
        }
    return t;
}

}  // namespace atelier
