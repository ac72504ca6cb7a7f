// SPDX-License-Identifier: GPL-3.0-or-later
// 8. Dedale: a maze. Twelve rooms by eight, carved by a seeded random walk
// (the same maze every time), corridors eight units wide between crate walls
// low enough to see over. The way in is on the east side, the way out on the
// west; a checkpoint lies halfway along the way through and a life in a
// blind alley one room off the way.
#include <algorithm>
#include <cstdint>
#include <string>

#include "chantier.h"
#include "niveaux.h"

namespace {

const int C = 12, R = 8;           // rooms along −x and along −y
const int LC = 2 * C + 1, LR = 2 * R + 1;
const double PIECE = 8, MUR = 2;   // room width, wall thickness
const double X0 = -10, Y0 = 41;    // east and north edges of the maze
const double HAUT = 2.5;           // height of the walls
const int ENTREE = 3, SORTIE = 4;  // rows of the way in and of the way out

// The maze as characters: '#' wall, ' ' open; even indices are walls and
// posts, odd ones rooms. Column 0 is the east side, row 0 the north side.
std::vector<std::string> plan() {
    std::vector<std::string> p(LR, std::string(LC, '#'));
    std::vector<bool> vu(C * R, false);
    uint32_t graine = 20240611;
    auto hasard = [&](int n) {
        graine = graine * 1664525u + 1013904223u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    std::vector<int> pile = {ENTREE * C};
    vu[ENTREE * C] = true;
    p[2 * ENTREE + 1][1] = ' ';
    while (!pile.empty()) {
        const int cellule = pile.back(), c = cellule % C, r = cellule / C;
        int voisins[4], n = 0;
        const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int c2 = c + dc[k], r2 = r + dr[k];
            if (c2 >= 0 && c2 < C && r2 >= 0 && r2 < R && !vu[r2 * C + c2]) voisins[n++] = k;
        }
        if (n == 0) {
            pile.pop_back();
            continue;
        }
        const int k = voisins[hasard(n)];
        const int c2 = c + dc[k], r2 = r + dr[k];
        vu[r2 * C + c2] = true;
        p[2 * r + 1 + dr[k]][2 * c + 1 + dc[k]] = ' ';
        p[2 * r2 + 1][2 * c2 + 1] = ' ';
        pile.push_back(r2 * C + c2);
    }
    p[2 * ENTREE + 1][0] = ' ';
    p[2 * SORTIE + 1][LC - 1] = ' ';
    return p;
}

// Extent of column k (toward −x) and of row r (toward −y).
double xDe(int k) { return X0 - (k / 2) * (PIECE + MUR) - (k % 2 ? MUR : 0); }
double largeurX(int k) { return k % 2 ? PIECE : MUR; }
double yDe(int r) { return Y0 - (r / 2) * (PIECE + MUR) - (r % 2 ? MUR : 0); }
double largeurY(int r) { return r % 2 ? PIECE : MUR; }

// Rooms are numbered r × C + c. The room through the opening k (east, west,
// south, north) of room n, or −1 behind a wall.
int voisin(const std::vector<std::string>& p, int n, int k) {
    const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
    const int c = n % C, r = n / C, c2 = c + dc[k], r2 = r + dr[k];
    if (c2 < 0 || c2 >= C || r2 < 0 || r2 >= R) return -1;
    return p[2 * r + 1 + dr[k]][2 * c + 1 + dc[k]] == ' ' ? r2 * C + c2 : -1;
}

std::pair<double, double> centre(int n) {
    return {xDe(2 * (n % C) + 1) - PIECE / 2, yDe(2 * (n / C) + 1) - PIECE / 2};
}

// The rooms of the way through, from the way in to the way out.
std::vector<int> pieces(const std::vector<std::string>& p) {
    std::vector<int> avant(C * R, -1), file = {ENTREE * C};
    avant[ENTREE * C] = ENTREE * C;
    for (size_t i = 0; i < file.size(); ++i)
        for (int k = 0; k < 4; ++k) {
            const int v = voisin(p, file[i], k);
            if (v >= 0 && avant[v] < 0) {
                avant[v] = file[i];
                file.push_back(v);
            }
        }
    std::vector<int> chemin = {SORTIE * C + C - 1};
    while (chemin.front() != ENTREE * C) chemin.insert(chemin.begin(), avant[chemin.front()]);
    return chemin;
}

}  // namespace

std::vector<std::pair<double, double>> cheminDedale() {
    std::vector<std::pair<double, double>> r;
    for (int n : pieces(plan())) r.push_back(centre(n));
    return r;
}

std::vector<Enregistrement> dedale() {
    const double yEntree = centre(ENTREE * C).second, ySortie = centre(SORTIE * C).second;
    Chantier c(4, yEntree, 0, carre(4, yEntree, 5));
    const std::vector<std::string> p = plan();
    const std::vector<int> chemin = pieces(p);

    // The checkpoint first: it lies on the floor of the maze, a little raised.
    const auto milieu = centre(chemin[chemin.size() / 2]);
    c.checkpoint(carre(milieu.first, milieu.second, 4), 0.05);
    c.sol(bandeX(-1, X0, yEntree, PIECE), 0);
    const double xFin = xDe(LC - 1) - MUR;
    c.sol(Zone{xFin, X0, yDe(LR - 1) - MUR, Y0}, 0);

    // Walls: runs along x first, then what is left along y.
    std::vector<std::string> reste = p;
    for (int r = 0; r < LR; ++r)
        for (int k = 0; k < LC;) {
            int fin = k;
            while (fin < LC && p[r][fin] == '#') ++fin;
            if (fin - k >= 2) {
                const Zone z{xDe(fin - 1) - largeurX(fin - 1), xDe(k), yDe(r) - largeurY(r), yDe(r)};
                c.mur(z, 0, HAUT);
                for (int i = k; i < fin; ++i) reste[r][i] = ' ';
            }
            k = fin == k ? k + 1 : fin;
        }
    for (int k = 0; k < LC; ++k)
        for (int r = 0; r < LR;) {
            int fin = r;
            while (fin < LR && reste[fin][k] == '#') ++fin;
            if (fin > r) {
                const Zone z{xDe(k) - largeurX(k), xDe(k), yDe(fin - 1) - largeurY(fin - 1), yDe(r)};
                c.mur(z, 0, HAUT);
            }
            r = fin == r ? r + 1 : fin;
        }

    // The life: in the first blind alley one room off the second half of the way.
    bool vie = false;
    for (size_t i = chemin.size() / 2; i < chemin.size() && !vie; ++i)
        for (int k = 0; k < 4 && !vie; ++k) {
            const int v = voisin(p, chemin[i], k);
            if (v < 0 || std::find(chemin.begin(), chemin.end(), v) != chemin.end()) continue;
            int ouvertures = 0;
            for (int m = 0; m < 4; ++m) ouvertures += voisin(p, v, m) >= 0;
            if (ouvertures == 1) {
                c.vie(centre(v).first, centre(v).second, 0);
                vie = true;
            }
        }
    for (double x = X0 - 20; x > xFin; x -= 30) {
        c.boule(x, Y0 + 2, 4.5, 1.2);
        c.boule(x, yDe(LR - 1) - 4, 4.5, 1.2);
    }

    // The way out and the finish.
    c.sol(bandeX(xFin, xFin - 10, ySortie, PIECE), 0);
    c.arrivee(bandeX(xFin - 10, xFin - 22, ySortie, 12), 0);
    c.boule(xFin - 20, ySortie + 5, 2.5, 1, "textureArrivee");
    c.boule(xFin - 20, ySortie - 5, 2.5, 1, "textureArrivee");

    c.vide(Zone{xFin - 35, 15, yDe(LR - 1) - 20, Y0 + 20}, -10);
    return c.enregistrements();
}
