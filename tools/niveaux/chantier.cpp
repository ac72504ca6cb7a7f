// SPDX-License-Identifier: GPL-3.0-or-later
#include "chantier.h"

#include <algorithm>
#include <cmath>

Zone bandeX(double xa, double xb, double y, double largeur) {
    return Zone{std::min(xa, xb), std::max(xa, xb), y - largeur / 2, y + largeur / 2};
}

Zone bandeY(double ya, double yb, double x, double largeur) {
    return Zone{x - largeur / 2, x + largeur / 2, std::min(ya, yb), std::max(ya, yb)};
}

Zone carre(double x, double y, double demi) { return Zone{x - demi, x + demi, y - demi, y + demi}; }

Chantier::Chantier(double x, double y, double h, Zone depart, int vies) {
    ajouter(0, x, y, h + 1, 1, 1, 1, "textureSphere", vies);
    boite(6, depart, h - 1, h, "textureDepart");
}

void Chantier::ajouter(int type, double x, double y, double z, double lx, double ly, double lz,
                       const char* texture, double vie) {
    Enregistrement e;
    e.type = type;
    e.x = static_cast<float>(x);
    e.y = static_cast<float>(y);
    e.z = static_cast<float>(z);
    e.vie = static_cast<float>(vie);
    e.lx = static_cast<float>(lx);
    e.ly = static_cast<float>(ly);
    e.lz = static_cast<float>(lz);
    e.texture = texture;
    m_e.push_back(e);
}

void Chantier::boite(int type, Zone z, double bas, double haut, const char* texture) {
    ajouter(type, z.cx(), z.cy(), (bas + haut) / 2, (z.x1 - z.x0) / 2, (z.y1 - z.y0) / 2,
            (haut - bas) / 2, texture);
}

void Chantier::sol(Zone z, double h, double epaisseur) { boite(1, z, h - epaisseur, h, "textureSol"); }
void Chantier::mur(Zone z, double h, double hauteur, const char* texture) {
    boite(1, z, h, h + hauteur, texture);
}
void Chantier::saut(Zone z, double h) { boite(2, z, h - 1, h, "textureJump"); }
void Chantier::turbo(Zone z, double h) { boite(3, z, h - 1, h, "textureSpeed"); }
void Chantier::arrivee(Zone z, double h) { boite(4, z, h - 1, h, "textureArrivee"); }
void Chantier::checkpoint(Zone z, double h) { boite(7, z, h - 1, h, "textureSauvegarde"); }
void Chantier::vide(Zone z, double h) { boite(5, z, h - 1, h, "textureVide"); }
void Chantier::vie(double x, double y, double h) { ajouter(8, x, y, h + 1, 1, 1, 1, "textureSphere"); }
void Chantier::vitesse(double x, double y, double h) {
    ajouter(9, x, y, h + 1, 1, 1, 1, "textureSpeed");
}
void Chantier::boule(double x, double y, double z, double rayon, const char* texture) {
    ajouter(0, x, y, z, rayon, rayon, rayon, texture);
}

void Chantier::chemin(const std::vector<Point>& points, double h, double largeur) {
    const double m = largeur / 2;
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        sol(carre(p.x, p.y, m), h);
        if (i + 1 == points.size()) break;
        const Point& q = points[i + 1];
        if (p.y == q.y) {
            const double s = q.x < p.x ? -m : m;
            if (std::abs(q.x - p.x) > largeur) sol(bandeX(p.x + s, q.x - s, p.y, largeur), h);
        } else {
            const double s = q.y < p.y ? -m : m;
            if (std::abs(q.y - p.y) > largeur) sol(bandeY(p.y + s, q.y - s, p.x, largeur), h);
        }
    }
}

void Chantier::barrieres(Zone z, double h, double hauteur) {
    if (z.x1 - z.x0 >= z.y1 - z.y0) {
        mur(Zone{z.x0, z.x1, z.y0, z.y0 + 1}, h, hauteur);
        mur(Zone{z.x0, z.x1, z.y1 - 1, z.y1}, h, hauteur);
    } else {
        mur(Zone{z.x0, z.x0 + 1, z.y0, z.y1}, h, hauteur);
        mur(Zone{z.x1 - 1, z.x1, z.y0, z.y1}, h, hauteur);
    }
}

double Chantier::escalier(double x, double y, double hDepart, int n, double marche, double pas,
                          double largeur, bool versMoinsX) {
    double h = hDepart;
    for (int i = 0; i < n; ++i) {
        h -= marche;
        const double a = versMoinsX ? x - i * pas : x + i * pas;
        const double b = versMoinsX ? a - pas : a + pas;
        sol(bandeX(a, b, y, largeur), h);
    }
    return h;
}

void Chantier::arbre(double x, double y, double h, double taille) {
    mur(carre(x, y, 0.4 * taille), h, 2 * taille);
    boule(x, y, h + 2.6 * taille, 1.3 * taille, "textureSol");
}

void Chantier::borne(double x, double y, double h, double hauteur) {
    mur(carre(x, y, 0.5), h, hauteur);
    boule(x, y, h + hauteur + 0.6, 0.6);
}
