// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CHANTIER_H
#define VORNA_CHANTIER_H

#include <string>
#include <vector>

#include "niveau.h"

// A rectangle of the ground plane, x0 < x1 and y0 < y1.
struct Zone {
    double x0, x1, y0, y1;
    double cx() const { return (x0 + x1) / 2; }
    double cy() const { return (y0 + y1) / 2; }
};

// A strip along x from xa to xb (either order), `largeur` wide, centred on y.
Zone bandeX(double xa, double xb, double y, double largeur);
// A strip along y from ya to yb (either order), `largeur` wide, centred on x.
Zone bandeY(double ya, double yb, double x, double largeur);
// A square of half-side `demi` around (x, y).
Zone carre(double x, double y, double demi);

// Builds the records of a level. Heights are given as the top `h` of a
// floor, the height the ball rolls at (its centre is then at h + 1). Every
// slab is one unit thick unless said otherwise. Records come out in the
// order of the calls: the ball first, then the start pad, which must be the
// first block (the first block never stops a ball moving toward −x, and a
// start pad is never in the way).
class Chantier {
public:
    // The ball (radius 1, `vies` lives) resting at (x, y) on the start pad
    // `depart`, whose top is at h.
    Chantier(double x, double y, double h, Zone depart, int vies = 3);

    void sol(Zone z, double h, double epaisseur = 1);
    // A box standing on the floor at h, `hauteur` high (crates by default).
    void mur(Zone z, double h, double hauteur, const char* texture = "textureCaisse");
    void saut(Zone z, double h);
    void turbo(Zone z, double h);
    void arrivee(Zone z, double h);
    void checkpoint(Zone z, double h);
    // An invisible fall zone whose top is at h.
    void vide(Zone z, double h);
    // Pick-ups of radius 1 floating at ball height over the floor at h.
    void vie(double x, double y, double h);
    void vitesse(double x, double y, double h);
    void boule(double x, double y, double z, double rayon, const char* texture = "textureSphere");
    // Any box: kind, extents and texture word.
    void boite(int type, Zone z, double bas, double haut, const char* texture);

    // Compounds.
    // A path `largeur` wide at height h through the points, each leg along x
    // or along y: a square pad at every point and a strip between them.
    struct Point {
        double x, y;
    };
    void chemin(const std::vector<Point>& points, double h, double largeur);
    // Fences one unit thick along the two long sides of the strip `z`, on
    // its edges, inside it.
    void barrieres(Zone z, double h, double hauteur);
    // Steps going down from `hDepart` by `marche` each, `n` of them, laid
    // along x toward −x when `versMoinsX`, each `pas` long, `largeur` wide.
    double escalier(double x, double y, double hDepart, int n, double marche, double pas,
                    double largeur, bool versMoinsX);
    // A tree: a trunk and a round crown of the floor's texture (grass in the
    // mountains).
    void arbre(double x, double y, double h, double taille);
    // A post with a ball on top.
    void borne(double x, double y, double h, double hauteur);

    const std::vector<Enregistrement>& enregistrements() const { return m_e; }

private:
    void ajouter(int type, double x, double y, double z, double lx, double ly, double lz,
                 const char* texture, double vie = 0);
    std::vector<Enregistrement> m_e;
};

#endif
