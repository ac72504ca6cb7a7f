// SPDX-License-Identifier: GPL-3.0-or-later
#include "textures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace atelier {

namespace {

constexpr int T = TAILLE_TEXTURE;

// Fills a picture from a function of the pixel centre.
Toile peindre(const std::function<Couleur(double, double)>& f) {
    Toile t(T, T);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) t.at(x, y) = f(x + 0.5, y + 0.5);
    return t;
}

// A height field the size of a texture, wrapping on both axes.
struct Relief {
    std::vector<double> h = std::vector<double>(size_t(T) * T, 0.0);
    double& at(int x, int y) { return h[size_t((y + T) % T) * T + size_t((x + T) % T)]; }
    double get(int x, int y) const { return h[size_t((y + T) % T) * T + size_t((x + T) % T)]; }
    template <class F>
    void remplir(F f) {
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < T; ++x) at(x, y) = f(x + 0.5, y + 0.5);
    }
};

// Lights a picture by the slopes of a height field: light from the top left,
// `force` pixels of rise per unit of height.
void ombrer(Toile& t, const Relief& r, double force, double min = 0.45, double max = 1.45) {
    const double lx = -0.55, ly = -0.65, lz = 0.52;
    const double plat = lz;
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            double dx = (r.get(x + 1, y) - r.get(x - 1, y)) * 0.5 * force;
            double dy = (r.get(x, y + 1) - r.get(x, y - 1)) * 0.5 * force;
            double n = std::sqrt(dx * dx + dy * dy + 1);
            double eclairage = (-dx * lx - dy * ly + lz) / n / plat;
            t.at(x, y) = t.at(x, y) * limiter(eclairage, min, max);
        }
}

// Distance to the nearest tile seam (the texture's own edges) on one axis.
double bord(double v) { return std::min(v, T - v); }

// Wood fibres running along one axis: `long` along the grain, `travers` across.
double fibres(double u, double v, bool verticales, uint32_t graine) {
    int pu = verticales ? 24 : 2, pv = verticales ? 2 : 24;
    double large = fbm(u, v, verticales ? 3 : 1, verticales ? 1 : 3, 3, graine);
    double fin = bruit(u, v, pu * 4, pv * 4, graine + 5);
    double travers = verticales ? u : v;
    double anneaux = std::sin((travers * 38 + large * 2.2) * 2 * PI);
    return 0.55 * anneaux + 0.3 * fin + 0.25 * large;
}

// ---- the ball ----------------------------------------------------------------

Toile bois() {
    const Couleur clair = rgb(226, 194, 138), fonce = rgb(160, 126, 80), veine = rgb(122, 92, 56);
    return peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double derive = fbm(u, v, 2, 2, 2, 11);
        double anneau = modulo(v * 7 + derive * 0.55 + 0.06 * bruit(u, v, 8, 4, 12), 1.0);
        // Soft early wood, then a sharper band of late wood.
        double bande = lisser(0.5, 0.8, anneau) * (1 - lisser(0.86, 0.99, anneau));
        double fibre = bruit(u, v, 4, 96, 13) * 0.5 + bruit(u, v, 8, 192, 14) * 0.35;
        Couleur c = melanger(clair, fonce, limiter(0.2 + 0.6 * bande + 0.2 * fibre + 0.12 * derive));
        c = poser(c, veine, 0.45 * lisser(0.74, 0.82, anneau) * (1 - lisser(0.82, 0.92, anneau)));
        // Two broad darker bands make the ball's roll easy to follow.
        double tour = std::cos(v * 2 * PI * 2 + 0.3 * derive);
        return c * (0.9 + 0.1 * tour);
    });
}

// ---- the normal set -----------------------------------------------------------

Toile sol() {
    const double cote = 64;  // 4 × 4 tiles, one world unit each
    const Couleur pierreA = rgb(206, 190, 160), pierreB = rgb(184, 168, 140), joint = rgb(74, 66, 56);
    Relief r;
    r.remplir([&](double x, double y) {
        double tx = modulo(x, cote), ty = modulo(y, cote);
        double e = std::min(std::min(tx, cote - tx), std::min(ty, cote - ty));
        return lisser(1.2, 5.5, e) + 0.05 * fbm(x / T, y / T, 8, 8, 3, 21);
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        int i = int(x / cote), j = int(y / cote);
        double tx = modulo(x, cote), ty = modulo(y, cote);
        double e = std::min(std::min(tx, cote - tx), std::min(ty, cote - ty));
        Couleur base = ((i + j) % 2) ? pierreB : pierreA;
        base = base * (0.94 + 0.1 * hacherReel(i, j, 0, 22));
        double tache = fbm(u, v, 4, 4, 5, 23);
        double veine = std::fabs(std::sin((u * 3 + v * 2 + 0.9 * fbm(u, v, 3, 3, 4, 24)) * 2 * PI));
        Couleur c = base * (0.93 + 0.12 * tache);
        c = c * (0.94 + 0.06 * lisser(0.0, 0.25, veine));
        double grain = hacherReel(int(x), int(y), 7, 25);
        c = c * (0.97 + 0.06 * grain);
        // Dirt gathers along the joints.
        c = c * (0.86 + 0.14 * lisser(2.0, 9.0, e));
        return poser(c, joint * (0.9 + 0.2 * tache), couverture(e - 1.6));
    });
    ombrer(t, r, 3.0);
    return t;
}

Toile caisse() {
    const double cadre = 26, jeu = 1.6;
    const Couleur boisA = rgb(200, 170, 116), boisB = rgb(170, 140, 92), fente = rgb(40, 30, 20);
    // Which part of the crate a point belongs to: 0 gap, 1 frame, 2 board, 3 brace.
    struct Piece { int sorte; int numero; bool verticale; double hauteur; };
    auto piece = [&](double x, double y) -> Piece {
        double ex = bord(x), ey = bord(y);
        if (ex < jeu || ey < jeu) return {0, 0, false, 0.0};
        if (ex < cadre || ey < cadre) {
            bool verticale = ex < cadre && (ey >= cadre || ex <= ey);
            double d = verticale ? (ey >= cadre ? cadre - ex : std::min(cadre - ex, std::fabs(ex - ey)))
                                 : std::min(cadre - ey, ex < cadre ? std::fabs(ex - ey) : 1e9);
            if (d < jeu * 0.5 && !(verticale && ey >= cadre) && ex < cadre && ey < cadre) return {0, 0, false, 0.0};
            int n = verticale ? (x < T / 2 ? 0 : 1) : (y < T / 2 ? 2 : 3);
            return {1, n, verticale, 1.0};
        }
        // Diagonal brace from the bottom-left inner corner to the top-right one.
        double d = std::fabs((x - cadre) - (T - cadre - y)) / std::sqrt(2.0);
        if (d < 17) return {d > 15.5 ? 0 : 3, 9, false, 1.1};
        double interieur = T - 2 * cadre;
        double k = (x - cadre) / (interieur / 4);
        int n = std::min(3, int(k));
        double f = k - n;
        if (f * interieur / 4 < jeu || (1 - f) * interieur / 4 < jeu) return {0, 0, false, 0.0};
        return {2, 4 + n, true, 0.72};
    };
    Relief r;
    r.remplir([&](double x, double y) {
        Piece p = piece(x, y);
        return p.hauteur + 0.04 * fibres(x / T, y / T, p.verticale, 31 + uint32_t(p.numero));
    });
    Toile t = peindre([&](double x, double y) {
        Piece p = piece(x, y);
        if (p.sorte == 0) return fente;
        double u = x / T, v = y / T;
        if (p.sorte == 3) {
            // The brace's grain runs along the diagonal.
            double a = (u + v) * 0.5, b = (u - v) * 0.5;
            double an = std::sin((b * 40 + 1.5 * fbm(a * 2, b * 2, 2, 2, 3, 38)) * 2 * PI);
            Couleur c = melanger(boisA, boisB, 0.45 + 0.35 * an);
            return c * (0.96 + 0.08 * bruit(u, v, 32, 32, 39));
        }
        double f = fibres(u, v, p.verticale, 33 + uint32_t(p.numero) * 17);
        Couleur c = melanger(boisA, boisB, limiter(0.45 + 0.4 * f));
        c = c * (0.9 + 0.16 * hacherReel(p.numero, 0, 0, 34));
        // Nail heads at the corners of the frame and at the brace's ends.
        for (double cx : {cadre * 0.5, T - cadre * 0.5})
            for (double cy : {cadre * 0.5, T - cadre * 0.5}) {
                double d = std::hypot(ecartPeriodique(x, cx, T), ecartPeriodique(y, cy, T));
                c = poser(c, rgb(70, 66, 62), couverture(d - 2.6));
                c = poser(c, rgb(150, 146, 140), couverture(std::hypot(x - cx + 0.8, y - cy + 0.8) - 1.0) * 0.8);
            }
        return c;
    });
    ombrer(t, r, 9.0);
    // Darken the inner boards where the frame and the brace overhang them.
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            Piece p = piece(x + 0.5, y + 0.5);
            if (p.sorte != 2) continue;
            double ombre = 0;
            for (int k = 1; k <= 5; ++k) {
                Piece q = piece(modulo(x + 0.5 - k, T), modulo(y + 0.5 - k, T));
                if (q.sorte == 1 || q.sorte == 3) ombre = std::max(ombre, 1.0 - (k - 1) / 5.0);
            }
            t.at(x, y) = t.at(x, y) * (1 - 0.4 * ombre);
        }
    return t;
}

// Diagonal warning stripes, `periode` pixels across, 45 degrees.
double rayure(double x, double y, double periode) {
    double p = modulo(x + y, periode) / periode;
    double d = std::min(std::fabs(p - 0.25), std::fabs(p - 0.75));  // distance to an edge
    double signe = (p > 0.25 && p < 0.75) ? 1.0 : -1.0;
    return limiter(0.5 + signe * d * periode / std::sqrt(2.0));
}

Toile jump() {
    const double bande = 20;
    const Couleur acier = rgb(78, 82, 90), jaune = rgb(244, 186, 36), noir = rgb(30, 28, 26);
    const Couleur orange = rgb(255, 128, 20), chaud = rgb(255, 226, 120);
    Relief r;
    r.remplir([&](double x, double y) {
        double e = std::min(bord(x), bord(y));
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        double anneau = (d > 24 && d < 92) ? 0.5 + 0.5 * std::cos((d - 24) / 13.6 * 2 * PI) : 0.0;
        return lisser(bande - 2, bande + 2, e) * -0.4 + lisser(0, 3, e) + 0.45 * anneau * lisser(96, 88, d);
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double e = std::min(bord(x), bord(y));
        // Brushed steel plate.
        double brosse = bruit(u, v, 128, 4, 41) * 0.5 + bruit(u, v, 16, 2, 42) * 0.5;
        Couleur c = acier * (0.92 + 0.1 * brosse);
        // The spring seen from above: glowing coils around a hot core.
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        double spirale = modulo((d - 24) / 13.6 - std::atan2(y - T / 2.0, x - T / 2.0) / (2 * PI), 1.0);
        double fil = couverture(std::fabs(spirale - 0.5) * 13.6 - 3.6, 1.2) * lisser(20, 26, d) * lisser(96, 90, d);
        Couleur ressort = melanger(orange, chaud, lisser(90, 30, d));
        c = poser(c, c * 0.6 + orange * 0.25, 0.7 * lisser(104, 60, d));  // warm glow under the coils
        c = poser(c, ressort, fil);
        c = poser(c, chaud, couverture(d - 20));
        c = poser(c, rgb(255, 250, 225), couverture(d - 10) * 0.9);
        // Rivets.
        for (double cx : {40.0, T - 40.0})
            for (double cy : {40.0, T - 40.0}) {
                double dr = std::hypot(x - cx, y - cy);
                c = poser(c, rgb(40, 42, 46), couverture(dr - 5));
                c = poser(c, rgb(150, 154, 162), couverture(std::hypot(x - cx + 1.2, y - cy + 1.2) - 2.6));
            }
        // Hazard border.
        Couleur hazard = melanger(noir, jaune, rayure(x, y, 32)) * (0.92 + 0.08 * brosse);
        c = poser(c, hazard, couverture(e - bande));
        return poser(c, noir, couverture(e - 1.2));
    });
    ombrer(t, r, 5.0);
    return t;
}

}  // namespace

std::vector<Chevron> chevronsVitesse() {
    // Two chevrons per tile, one above the other, pointing down the image.
    return {{128.0, 112.0, 54.0, 74.0, 24.0}, {128.0, 240.0, 182.0, 74.0, 24.0}};
}

namespace {

// Signed distance to one chevron, wrapped vertically.
double distanceChevron(double x, double y, const Chevron& c) {
    double best = 1e9;
    for (double decalage : {-double(T), 0.0, double(T)}) {
        double yp = c.yPointe + decalage, ya = c.yAiles + decalage;
        std::vector<double> points = {c.x - c.demiLargeur, ya,          c.x, yp - c.epaisseur,
                                      c.x + c.demiLargeur, ya,          c.x + c.demiLargeur, ya + c.epaisseur,
                                      c.x, yp,                          c.x - c.demiLargeur, ya + c.epaisseur};
        best = std::min(best, distancePolygone(x, y, points));
    }
    return best;
}

// How far behind (above, in the image) the nearest chevron a point lies, for
// the trail of light each chevron leaves: 0 on the chevron, 1 far behind.
double traine(double x, double y) {
    double t = 1.0;
    for (const Chevron& c : chevronsVitesse()) {
        for (double decalage : {-double(T), 0.0, double(T)}) {
            double dx = std::fabs(x - c.x) / c.demiLargeur;
            if (dx > 1) continue;
            double bas = c.yPointe + decalage - dx * (c.yPointe - c.yAiles - c.epaisseur);  // lower edge
            double derriere = bas - y;
            if (derriere < 0 || derriere > 120) continue;
            t = std::min(t, derriere / 120.0);
        }
    }
    return t;
}

Toile speed() {
    const Couleur fond = rgb(46, 48, 58), rail = rgb(128, 134, 146);
    const Couleur orange = rgb(255, 120, 16), jaune = rgb(255, 214, 72), coeur = rgb(255, 246, 200);
    Relief r;
    r.remplir([&](double x, double y) {
        double ex = bord(x);
        double d = 1e9;
        for (const Chevron& c : chevronsVitesse()) d = std::min(d, distanceChevron(x, y, c));
        return 0.8 * lisser(14, 12, ex) - 0.8 * lisser(1, 0, ex) + 0.5 * lisser(1.5, -1.5, d) +
               0.03 * bruit(x / T, y / T, 32, 32, 51);
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double ex = bord(x);
        // Grippy dark surface with fine grain and faint lengthwise scratches.
        Couleur c = fond * (0.9 + 0.12 * fbm(u, v, 16, 16, 3, 52) + 0.05 * bruit(u, v, 64, 2, 53));
        c = c * (0.96 + 0.08 * hacherReel(int(x), int(y), 0, 54));
        // A light trail behind each chevron.
        double tr = traine(x, y);
        c = c + orange * (0.32 * (1 - lisser(0.0, 1.0, tr)) * lisser(50, 20, std::fabs(x - T / 2.0)));
        double d = 1e9;
        for (const Chevron& ch : chevronsVitesse()) d = std::min(d, distanceChevron(x, y, ch));
        c = c + orange * (0.35 * std::exp(-std::max(d, 0.0) / 7.0));
        Couleur fleche = melanger(orange, jaune, lisser(-2, -10, d));
        fleche = melanger(fleche, coeur, lisser(-8, -12, d) * 0.7);
        c = poser(c, fleche, couverture(d));
        // Side rails with small lamps.
        Couleur metal = rail * (0.9 + 0.1 * bruit(u, v, 2, 64, 55));
        c = poser(c, metal, couverture(ex - 12));
        for (double ly = 32; ly < T; ly += 64) {
            double dl = std::hypot(ex - 6, ecartPeriodique(y, ly, T));
            c = poser(c, jaune, couverture(dl - 3));
            c = c + jaune * (0.25 * std::exp(-dl / 4.0) * (ex < 12 ? 1 : 0));
        }
        return poser(c, rgb(20, 20, 24), couverture(ex - 1.0));
    });
    ombrer(t, r, 4.0, 0.6, 1.3);
    return t;
}

Toile caisse2() {
    const Couleur blanc = rgb(238, 236, 228), noir = rgb(24, 24, 28);
    return peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        int i = int(x / 32), j = int(y / 32);
        Couleur c = ((i + j) % 2) ? noir : blanc;
        // Painted enamel, slightly worn.
        double usure = fbm(u, v, 8, 8, 4, 61);
        double trame = 0.5 + 0.25 * (std::sin(x * PI / 2) + std::sin(y * PI / 2));
        c = c * (0.95 + 0.06 * usure + 0.02 * trame);
        if ((i + j) % 2) c = c + rgb(10, 10, 12) * (0.8 + usure);
        return c;
    });
}

Toile depart() {
    const Couleur vert = rgb(36, 142, 84), vertClair = rgb(74, 196, 120), blanc = rgb(240, 246, 236);
    Relief r;
    r.remplir([&](double x, double y) {
        // Diamond tread plate.
        double a = modulo((x + y) / 16, 1.0) - 0.5, b = modulo((x - y) / 16, 1.0) - 0.5;
        double creux = lisser(0.15, 0.0, std::min(std::fabs(a), std::fabs(b)));
        double e = std::min(bord(x), bord(y));
        return 0.25 * creux + lisser(0, 3, e);
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double e = std::min(bord(x), bord(y));
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        Couleur c = vert * (0.9 + 0.12 * fbm(u, v, 8, 8, 3, 71));
        c = poser(c, vertClair, 0.5 * lisser(100, 0, d));
        // White inset border and the start ring with its marker.
        c = poser(c, blanc, couverture(std::fabs(e - 16) - 3));
        c = poser(c, blanc, couverture(std::fabs(d - 72) - 6));
        c = poser(c, blanc * 0.95, couverture(d - 34));
        c = poser(c, vert * 1.1, couverture(d - 24));
        for (int k = 0; k < 4; ++k) {
            double ang = k * PI / 2;
            double cx = T / 2.0 + std::cos(ang) * 98, cy = T / 2.0 + std::sin(ang) * 98;
            c = poser(c, blanc, couverture(distanceSegment(x, y, T / 2.0 + std::cos(ang) * 84,
                                                           T / 2.0 + std::sin(ang) * 84, cx, cy) - 3));
        }
        return poser(c, rgb(16, 60, 36), couverture(e - 1.2));
    });
    ombrer(t, r, 4.0);
    return t;
}

Toile save() {
    const Couleur bleu = rgb(34, 76, 156), bleuClair = rgb(70, 140, 230), cyan = rgb(120, 230, 255);
    const Couleur blanc = rgb(244, 248, 255), rouge = rgb(230, 60, 50);
    Relief r;
    r.remplir([&](double x, double y) {
        double e = std::min(bord(x), bord(y));
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        return lisser(0, 3, e) + 0.4 * lisser(86, 82, d) + 0.02 * bruit(x / T, y / T, 32, 32, 81);
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double e = std::min(bord(x), bord(y));
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        Couleur c = bleu * (0.9 + 0.14 * fbm(u, v, 8, 8, 3, 82));
        c = poser(c, bleuClair, 0.55 * lisser(84, 20, d) * lisser(80, 84, 200 - d));
        c = c + cyan * (0.45 * std::exp(-std::fabs(d - 84) / 6.0));
        c = poser(c, cyan, couverture(std::fabs(d - 84) - 3));
        c = poser(c, blanc, couverture(std::fabs(e - 14) - 2) * 0.8);
        // A flag on its pole.
        double mat = distanceSegment(x, y, 108, 70, 108, 190) - 4;
        double ondule = 6 * std::sin((x - 112) / 60 * 2 * PI);
        double drap = distanceBoite(x, y - ondule, 142, 98, 32, 24);
        c = poser(c, rgb(20, 30, 60), couverture(std::min(mat, drap) - 3, 4) * 0.5);  // soft shadow
        c = poser(c, blanc, couverture(mat));
        Couleur tissu = melanger(rouge, rouge * 0.7, 0.5 + 0.5 * std::sin((x - 112) / 60 * 2 * PI + 1.2));
        c = poser(c, tissu, couverture(drap));
        c = poser(c, blanc, couverture(distanceBoite(x, y - ondule, 142, 98, 10, 10)) * 0.9);
        c = poser(c, blanc, couverture(std::hypot(x - 108, y - 66) - 7));
        return poser(c, rgb(14, 26, 60), couverture(e - 1.2));
    });
    ombrer(t, r, 4.0);
    return t;
}

Toile vide() {
    const Couleur rouge = rgb(176, 34, 46), sombre = rgb(26, 12, 24);
    return peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        Couleur c = melanger(sombre, rouge, rayure(x, y, 64) * 0.85);
        double trou = 0.5 + 0.5 * fbm(u, v, 4, 4, 4, 91);
        c = c * (0.75 + 0.35 * trou);
        double e = std::min(bord(x), bord(y));
        return poser(c, rgb(250, 230, 230), couverture(std::fabs(e - 6) - 1.5) * 0.8);
    });
}

// ---- the mountain set ----------------------------------------------------------

Toile herbe() {
    const Couleur fonce = rgb(46, 92, 30), moyen = rgb(82, 136, 44), clair = rgb(138, 178, 64);
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        double n = fbm(u, v, 4, 4, 5, 101);
        double m = fbm(u, v, 16, 16, 3, 102);
        Couleur c = melanger(fonce, moyen, limiter(0.55 + 0.9 * n));
        c = melanger(c, clair, limiter(0.5 * m + 0.25 * n));
        return c * (0.9 + 0.15 * hacherReel(int(x), int(y), 0, 103));
    });
    // Blades of grass, drawn wrapping across the edges.
    Alea alea(104);
    for (int k = 0; k < 3400; ++k) {
        double bx = alea.entre(0, T), by = alea.entre(0, T);
        double angle = -PI / 2 + alea.entre(-0.6, 0.6);
        double longueur = alea.entre(5, 12);
        double ex = bx + std::cos(angle) * longueur, ey = by + std::sin(angle) * longueur;
        double teinte = alea.reel();
        Couleur brin = teinte < 0.5 ? melanger(fonce * 0.8, moyen, teinte * 2) : melanger(moyen, clair * 1.1, (teinte - 0.5) * 2);
        int x0 = int(std::floor(std::min(bx, ex) - 2)), x1 = int(std::ceil(std::max(bx, ex) + 2));
        int y0 = int(std::floor(std::min(by, ey) - 2)), y1 = int(std::ceil(std::max(by, ey) + 2));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                double d = distanceSegment(x + 0.5, y + 0.5, bx, by, ex, ey);
                double s = limiter((0.5 + 0.5 * ((x + 0.5 - bx) * (ex - bx) + (y + 0.5 - by) * (ey - by)) /
                                              (longueur * longueur)));
                double largeur = 1.1 * (1 - 0.7 * s);
                double cov = couverture(d - largeur) * 0.85;
                if (cov <= 0) continue;
                int wx = (x % T + T) % T, wy = (y % T + T) % T;
                t.at(wx, wy) = poser(t.at(wx, wy), brin * (0.85 + 0.3 * s), cov);
            }
    }
    // A few alpine flowers.
    const Couleur fleurs[] = {rgb(250, 250, 240), rgb(250, 220, 60), rgb(190, 120, 230)};
    for (int k = 0; k < 22; ++k) {
        double fx = alea.entre(0, T), fy = alea.entre(0, T);
        Couleur f = fleurs[alea.entier(0, 2)];
        for (int y = int(fy) - 3; y <= int(fy) + 3; ++y)
            for (int x = int(fx) - 3; x <= int(fx) + 3; ++x) {
                double d = std::hypot(x + 0.5 - fx, y + 0.5 - fy);
                int wx = (x % T + T) % T, wy = (y % T + T) % T;
                t.at(wx, wy) = poser(t.at(wx, wy), f, couverture(d - 1.6));
                t.at(wx, wy) = poser(t.at(wx, wy), rgb(240, 200, 40), couverture(d - 0.6) * 0.8);
            }
    }
    return t;
}

Toile rock() {
    const Couleur gris = rgb(124, 124, 122), grisClair = rgb(172, 170, 162), fissure = rgb(46, 46, 50);
    const Couleur lichen = rgb(168, 168, 92);
    // Major fractures between big blocks, and fine meandering cracks.
    auto fractures = [](double u, double v) {
        Cellule c = cellules(u + 0.04 * fbm(u, v, 4, 4, 3, 111), v + 0.04 * fbm(u, v, 4, 4, 3, 112), 3, 113);
        double fines = std::fabs(fbm(u, v, 6, 6, 4, 114));
        return std::make_pair(c, fines);
    };
    Relief r;
    r.remplir([&](double x, double y) {
        double u = x / T, v = y / T;
        auto [c, fines] = fractures(u, v);
        return 0.35 * lisser(0.0, 0.3, c.f2 - c.f1) + 0.45 * fbm(u, v, 4, 4, 6, 115) -
               0.1 * (1 - lisser(0.0, 0.02, fines)) * lisser(0.15, 0.35, fbm(u, v, 2, 2, 2, 123));
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        auto [c, fines] = fractures(u, v);
        double teinte = double(c.id % 1000) / 1000.0;
        Couleur base = melanger(gris, grisClair, limiter(0.35 + 0.3 * teinte + 0.6 * fbm(u, v, 3, 3, 5, 116)));
        double strates = std::sin((v * 6 + u + 0.5 * fbm(u, v, 2, 2, 3, 117)) * 2 * PI);
        base = base * (0.93 + 0.07 * strates);
        base = base * (0.92 + 0.12 * fbm(u, v, 16, 16, 3, 118));
        base = base + rgb(14, 8, 0) * lisser(0.1, 0.5, fbm(u, v, 3, 3, 3, 119));  // a little iron
        double l = fbm(u, v, 8, 8, 4, 120);
        base = poser(base, lichen * (0.9 + 0.2 * bruit(u, v, 64, 64, 121)), lisser(0.3, 0.45, l) * 0.65);
        base = base * (0.95 + 0.08 * hacherReel(int(x), int(y), 0, 122));
        base = poser(base, fissure, (1 - lisser(0.003, 0.015, fines)) * 0.5 * lisser(0.15, 0.35, fbm(u, v, 2, 2, 2, 123)));
        return poser(base, fissure, (1 - lisser(0.008, 0.04, c.f2 - c.f1)) * 0.9);
    });
    ombrer(t, r, 12.0);
    return t;
}

Toile jump2() {
    const Couleur boisA = rgb(176, 120, 66), boisB = rgb(140, 90, 46), fente = rgb(44, 30, 20);
    const Couleur rouge = rgb(206, 46, 36), blanc = rgb(240, 236, 224);
    auto planche = [](double y) { return int(y / 64); };
    Relief r;
    r.remplir([&](double x, double y) {
        double ty = modulo(y, 64);
        double e = std::min(ty, 64 - ty);
        return lisser(0.8, 4.0, e) + 0.05 * fibres(x / T, y / T, false, 121 + uint32_t(planche(y)));
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        int n = planche(y);
        double ty = modulo(y, 64);
        double e = std::min(ty, 64 - ty);
        double f = fibres(u + n * 0.37, v, false, 122 + uint32_t(n) * 13);
        Couleur c = melanger(boisA, boisB, limiter(0.45 + 0.4 * f)) * (0.9 + 0.15 * hacherReel(n, 0, 0, 123));
        // Painted target, weathered so the grain shows through.
        double d = std::hypot(x - T / 2.0, y - T / 2.0);
        int anneau = int(d / 22);
        double bordAnneau = std::min(modulo(d, 22), 22 - modulo(d, 22));
        if (d < 110) {
            Couleur peinture = (anneau % 2 == 0) ? rouge : blanc;
            double usure = lisser(0.15, 0.45, 0.5 + 0.5 * fbm(u, v, 16, 16, 3, 124) + 0.3 * f);
            double cov = (anneau == 0 ? 1.0 : couverture(-bordAnneau + 0.0, 1.0) * 0 + 1.0) * couverture(d - 110);
            c = poser(c, peinture * (0.9 + 0.1 * f), cov * (0.6 + 0.4 * usure));
        }
        // Up arrow in the bull's eye.
        std::vector<double> pointe = {128, 110, 146, 132, 136, 132, 136, 148, 120, 148, 120, 132, 110, 132};
        c = poser(c, blanc, couverture(distancePolygone(x, y, pointe)));
        // Iron nails at the plank ends.
        for (double cx : {12.0, T - 12.0}) {
            double cy = n * 64 + 32.0;
            double dn = std::hypot(ecartPeriodique(x, cx, T), y - cy);
            c = poser(c, rgb(60, 56, 52), couverture(dn - 3));
        }
        return poser(c, fente, couverture(e - 1.4));
    });
    ombrer(t, r, 5.0);
    return t;
}

Toile speed2() {
    const Couleur glace = rgb(176, 214, 236), glaceFonce = rgb(120, 170, 214), bleu = rgb(24, 96, 214);
    const Couleur blanc = rgb(248, 252, 255);
    Relief r;
    r.remplir([&](double x, double y) {
        double d = 1e9;
        for (const Chevron& c : chevronsVitesse()) d = std::min(d, distanceChevron(x, y, c));
        return 0.5 * lisser(1.5, -1.5, d) + 0.06 * bruit(x / T, y / T, 32, 4, 131) + 0.5 * lisser(0, 3, bord(x));
    });
    Toile t = peindre([&](double x, double y) {
        double u = x / T, v = y / T;
        // Polished ice, scratched along the way the skater goes.
        double stries = bruit(u, v, 48, 2, 132) * 0.6 + bruit(u, v, 96, 4, 133) * 0.4;
        double nuage = fbm(u, v, 4, 4, 4, 134);
        Couleur c = melanger(glaceFonce, glace, limiter(0.55 + 0.5 * nuage + 0.25 * stries));
        c = c + blanc * (0.25 * lisser(0.35, 0.7, stries));
        double tr = traine(x, y);
        c = melanger(c, blanc, 0.35 * (1 - tr) * lisser(50, 20, std::fabs(x - T / 2.0)));
        double d = 1e9;
        for (const Chevron& ch : chevronsVitesse()) d = std::min(d, distanceChevron(x, y, ch));
        c = poser(c, blanc, couverture(d - 3));
        c = poser(c, melanger(bleu, bleu * 1.3, lisser(-2, -10, d)), couverture(d));
        double ex = bord(x);
        c = poser(c, rgb(60, 110, 170), couverture(ex - 8) * 0.9);
        c = poser(c, blanc, couverture(std::fabs(ex - 8) - 1.2) * 0.8);
        return c;
    });
    ombrer(t, r, 4.0, 0.7, 1.25);
    return t;
}

}  // namespace

const std::vector<std::string>& nomsTextures() {
    static const std::vector<std::string> noms = {
        "bois.jpg", "sol.jpg", "caisse.jpg", "jump.jpg", "speed.jpg", "caisse2.jpg", "depart.jpg",
        "save.jpg", "vide.jpg", "herbe.jpg", "rock.jpg", "jump2.jpg", "speed2.jpg"};
    return noms;
}

Toile texture(const std::string& nom) {
    static const std::map<std::string, Toile (*)()> fabriques = {
        {"bois.jpg", bois},       {"sol.jpg", sol},       {"caisse.jpg", caisse}, {"jump.jpg", jump},
        {"speed.jpg", speed},     {"caisse2.jpg", caisse2}, {"depart.jpg", depart}, {"save.jpg", save},
        {"vide.jpg", vide},       {"herbe.jpg", herbe},   {"rock.jpg", rock},     {"jump2.jpg", jump2},
        {"speed2.jpg", speed2}};
    auto it = fabriques.find(nom);
    return it == fabriques.end() ? Toile() : it->second();
}

}  // namespace atelier
