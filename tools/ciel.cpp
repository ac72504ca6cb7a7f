// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "decor.h"

namespace atelier {

namespace {

struct Direction {
    double x, y, z;       // unit vector, z up
    double elevation;     // degrees, +90 straight up
    double azimut;        // radians, 0 … 2π along the columns
};

// Paints a sky from a function of the view direction.
Toile peindreCiel(const std::function<Couleur(const Direction&)>& f) {
    Toile t(LARGEUR_CIEL, HAUTEUR_CIEL);
    for (int r = 0; r < HAUTEUR_CIEL; ++r) {
        double el = 90.0 - 180.0 * (r + 0.5) / HAUTEUR_CIEL;
        double ce = std::cos(el * PI / 180), se = std::sin(el * PI / 180);
        for (int c = 0; c < LARGEUR_CIEL; ++c) {
            double az = 2 * PI * (c + 0.5) / LARGEUR_CIEL;
            Direction d{ce * std::cos(az), ce * std::sin(az), se, el, az};
            t.at(c, r) = f(d);
        }
    }
    return t;
}

// Angle in degrees between a direction and the one at (elevation, azimuth).
double angleVers(const Direction& d, double el, double az) {
    double ce = std::cos(el * PI / 180);
    double p = d.x * ce * std::cos(az) + d.y * ce * std::sin(az) + d.z * std::sin(el * PI / 180);
    return std::acos(limiter(p, -1.0, 1.0)) * 180 / PI;
}

// A colour ramp over elevation: stops (degrees, colour) in rising order.
struct Palier { double elevation; Couleur couleur; };
Couleur rampe(const std::vector<Palier>& p, double el) {
    if (el <= p.front().elevation) return p.front().couleur;
    for (size_t i = 1; i < p.size(); ++i)
        if (el <= p[i].elevation) {
            double t = (el - p[i - 1].elevation) / (p[i].elevation - p[i - 1].elevation);
            return melanger(p[i - 1].couleur, p[i].couleur, t * t * (3 - 2 * t));
        }
    return p.back().couleur;
}

// Below the horizon the sky sinks into the fog, a little darker toward the
// void under the course.
Couleur dessous(const Couleur& brouillard, const Direction& d, double assombri) {
    double t = lisser(HORIZON_VU - 4, -40, d.elevation);
    double brume = 0.04 * fbm3(d.x * 3, d.y * 3, d.z * 8, 3, 900);
    return brouillard * (1 - assombri * t + brume);
}

}  // namespace

Toile cielCrepuscule() {
    const Couleur f = BROUILLARD_NORMAL;
    const double soleilAz = 0.6 * PI, soleilEl = HORIZON_VU + 3.0;
    const std::vector<Palier> coteSoleil = {
        {HORIZON_VU, f}, {HORIZON_VU + 1, f},
        {HORIZON_VU + 6, rgb(200, 130, 58)}, {HORIZON_VU + 15, rgb(180, 100, 84)},
        {HORIZON_VU + 32, rgb(100, 66, 106)}, {65, rgb(40, 38, 86)}, {90, rgb(24, 24, 62)}};
    const std::vector<Palier> coteOmbre = {
        {HORIZON_VU, f}, {HORIZON_VU + 1, f},
        {HORIZON_VU + 7, rgb(130, 96, 80)}, {HORIZON_VU + 18, rgb(90, 68, 96)},
        {HORIZON_VU + 36, rgb(52, 46, 92)}, {65, rgb(32, 32, 74)}, {90, rgb(24, 24, 62)}};
    return peindreCiel([&](const Direction& d) {
        if (d.elevation < HORIZON_VU) return dessous(f, d, 0.45);
        double versSoleil = 0.5 + 0.5 * std::cos(d.azimut - soleilAz);
        Couleur c = melanger(rampe(coteOmbre, d.elevation), rampe(coteSoleil, d.elevation),
                             std::pow(versSoleil, 1.5));
        // The sun just above the horizon, and its glow.
        double a = angleVers(d, soleilEl, soleilAz);
        double hauteur = d.elevation - HORIZON_VU;
        double basse = lisser(0, 3, hauteur);
        c += rgb(255, 150, 60) * (0.55 * std::exp(-a / 14.0) * basse);
        c += rgb(255, 210, 140) * (0.6 * std::exp(-a / 4.0) * basse);
        c = poser(c, rgb(255, 240, 200), couverture((a - 2.2) * 6) * basse);
        // Long streaks of cloud lit from below by the sunset.
        double bande = lisser(2, 6, hauteur) * lisser(40, 20, hauteur);
        if (bande > 0) {
            double n = fbm3(d.x * 1.6, d.y * 1.6, d.z * 13.0, 5, 901);
            double densite = lisser(0.02, 0.32, n + 0.12 * (bande - 0.5)) * bande;
            Couleur ombre = melanger(rgb(70, 52, 78), rgb(92, 60, 70), versSoleil);
            Couleur bordure = melanger(rgb(200, 120, 110), rgb(255, 170, 90), versSoleil);
            double lisere = lisser(0.25, 0.02, n) * (0.4 + 0.6 * versSoleil);
            Couleur nuage = melanger(ombre, bordure, lisere + 0.35 * std::exp(-a / 20.0));
            c = poser(c, nuage, densite * 0.92);
        }
        // A few first stars high up.
        if (d.elevation > 35) {
            const double k = 90;
            double px = d.x * k, py = d.y * k, pz = d.z * k;
            int cx = int(std::floor(px)), cy = int(std::floor(py)), cz = int(std::floor(pz));
            double h = hacherReel(cx, cy, cz, 902);
            if (h > 0.985) {
                double ex = px - cx - 0.5 - 0.6 * (hacherReel(cx, cy, cz, 903) - 0.5);
                double ey = py - cy - 0.5 - 0.6 * (hacherReel(cx, cy, cz, 904) - 0.5);
                double ez = pz - cz - 0.5 - 0.6 * (hacherReel(cx, cy, cz, 905) - 0.5);
                double eclat = (0.4 + 0.6 * (h - 0.985) / 0.015) * lisser(35, 70, d.elevation);
                c += rgb(255, 244, 220) * (0.8 * eclat * std::exp(-(ex * ex + ey * ey + ez * ez) / 0.03));
            }
        }
        return c;
    });
}

namespace {

// Height in degrees of a mountain range above the sphere's equator at an
// azimuth: broad massifs carrying sharp ridged peaks, from periodic noise so
// the range closes on itself.
double crete(double azimut, uint32_t graine, double base, double ampleur, int octaves = 6) {
    double u = azimut / (2 * PI);
    double massif = limiter(0.5 + 0.75 * fbm(u, 0.31, 5, 1, 2, graine));
    double pics = 0, a = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        double n = 1 - std::fabs(bruit(u, 0.37 * o + 0.5, 9 << o, 1, graine + 11 + uint32_t(o)));
        pics += a * n * n;
        total += a;
        a *= 0.5;
    }
    return base + ampleur * (0.7 * std::pow(massif, 1.4) + 0.4 * massif * pics / total);
}

// Slow wobble of the ridges, so their lines are not ruled straight.
double detail0(const Direction& d, uint32_t graine) { return fbm3(d.x * 8, d.y * 8, d.z * 8, 2, graine + 9); }

}  // namespace

Toile cielAlpin() {
    const Couleur f = BROUILLARD_MONTAGNE;
    // Two ranges of peaks; their outlines depend on the azimuth alone, so
    // they are worked out once per column: the full outline, and the broad
    // shapes (2 to 4 octaves) with their slopes, which decide the lighting.
    struct Chaine { uint32_t graine; double base, ampleur, brume; };
    const Chaine chaines[2] = {{921, HORIZON_VU - 1.0, 34.0, 0.42}, {922, HORIZON_VU - 3.0, 17.0, 0.15}};
    struct Profil { std::vector<double> h, forme[5], pente[5]; };
    Profil profils[2];
    for (int k = 0; k < 2; ++k) {
        const Chaine& ch = chaines[k];
        Profil& p = profils[k];
        for (int c = 0; c < LARGEUR_CIEL; ++c) {
            double az = 2 * PI * (c + 0.5) / LARGEUR_CIEL;
            p.h.push_back(crete(az, ch.graine, ch.base, ch.ampleur));
            for (int o = 2; o <= 4; ++o) {
                double h0 = crete(az, ch.graine, ch.base, ch.ampleur, o);
                p.forme[o].push_back(h0);
                p.pente[o].push_back((crete(az + 0.02, ch.graine, ch.base, ch.ampleur, o) - h0) / 0.02 / 60);
            }
        }
    }
    const double soleilAz = 1.3 * PI, soleilEl = 48;
    const std::vector<Palier> ciel = {
        {HORIZON_VU, f}, {HORIZON_VU + 2, f}, {HORIZON_VU + 16, rgb(112, 156, 226)},
        {HORIZON_VU + 40, rgb(62, 118, 210)}, {90, rgb(34, 84, 186)}};
    return peindreCiel([&](const Direction& d) {
        Couleur c = d.elevation < HORIZON_VU ? dessous(f, d, 0.25) : rampe(ciel, d.elevation);
        double a = angleVers(d, soleilEl, soleilAz);
        c += rgb(255, 250, 230) * (0.25 * std::exp(-a / 18.0));
        c = poser(c, rgb(255, 255, 246), couverture((a - 2.0) * 5));
        // Fair-weather clouds.
        double hauteur = d.elevation - HORIZON_VU;
        double bande = lisser(6, 14, hauteur) * lisser(60, 32, hauteur);
        if (bande > 0) {
            double n = fbm3(d.x * 3.2 + 5, d.y * 3.2, d.z * 5.0, 6, 911);
            double densite = lisser(0.12, 0.38, n) * bande;
            double relief = fbm3(d.x * 3.2 + 5, d.y * 3.2, d.z * 5.0 + 0.08, 6, 911);  // lit from above
            Couleur nuage = melanger(rgb(196, 208, 228), rgb(255, 255, 255), limiter(0.5 + 4 * (n - relief)));
            c = poser(c, nuage, densite * 0.95);
        }
        // Two ranges of snowy peaks around the horizon, the far one paler.
        int colonne = std::min(LARGEUR_CIEL - 1, int(d.azimut / (2 * PI) * LARGEUR_CIEL));
        for (int k = 0; k < 2; ++k) {
            const Chaine& ch = chaines[k];
            double h = profils[k].h[size_t(colonne)];
            double bordure = (h - d.elevation) * 2.8;  // about a pixel per third of a degree
            if (bordure < -1) continue;
            double cov = limiter(bordure + 0.5);
            // Faces turned toward the sun are lit: the broad shape of the
            // range decides, finer ridges only near the crest.
            double profondeur = h - d.elevation;
            int octaves = profondeur < 2 ? 4 : (profondeur < 5 ? 3 : 2);
            // Ridges run down from each summit at a slant: read the slope of
            // the outline further along as the point lies deeper.
            int decalage = int(profondeur * 0.9 * LARGEUR_CIEL / 360.0 * (1 + 0.3 * detail0(d, ch.graine)));
            size_t colonneArete = size_t(((colonne - decalage) % LARGEUR_CIEL + LARGEUR_CIEL) % LARGEUR_CIEL);
            double pente = profils[k].pente[octaves][colonneArete];
            double detail = 0.7 * fbm3(d.x * 30, d.y * 30, d.z * 30, 4, ch.graine + 5) +
                            0.3 * fbm3(d.x * 40, d.y * 40, d.z * 10, 3, ch.graine + 6);
            double lumiere = limiter(0.55 + 2.5 * pente + 0.8 * detail);
            double neige = lisser(ch.base + ch.ampleur * 0.38, ch.base + ch.ampleur * 0.5,
                                  d.elevation + 5 * detail - 0.2 * (h - d.elevation));
            Couleur roche = melanger(rgb(64, 72, 96), rgb(120, 124, 140), lumiere);
            Couleur blanc = melanger(rgb(170, 190, 224), rgb(252, 252, 255), lumiere);
            Couleur m = melanger(roche, blanc, neige);
            // Aerial haze, thickest at the foot of the range.
            double brume = ch.brume + (1 - ch.brume) * lisser(ch.base + ch.ampleur * 0.5, HORIZON_VU - 1, d.elevation);
            m = melanger(m, f, brume);
            c = poser(c, m, cov);
        }
        return c;
    });
}

}  // namespace atelier
