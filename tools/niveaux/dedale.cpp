// 8. Dedale: a maze. Twelve rooms by eight, carved by a seeded random walk
// (the same maze every time), corridors eight units wide between crate walls
// low enough to see over. The way in is on the east side, the way out on the
// west; a checkpoint lies halfway along the way through and a life in a
// blind alley one room off the way.
#include <cmath>
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

}  // namespace

// The way through, room by room, for the solution of the tests: printed by
// `vorna_niveaux --dedale`.
std::vector<std::pair<double, double>> cheminDedale() {
    const std::vector<std::string> p = plan();
    std::vector<int> avant(C * R, -1);
    std::vector<int> file = {ENTREE * C};
    avant[ENTREE * C] = ENTREE * C;
    for (size_t i = 0; i < file.size(); ++i) {
        const int cellule = file[i], cc = cellule % C, r = cellule / C;
        const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int c2 = cc + dc[k], r2 = r + dr[k];
            if (c2 < 0 || c2 >= C || r2 < 0 || r2 >= R || avant[r2 * C + c2] >= 0) continue;
            if (p[2 * r + 1 + dr[k]][2 * cc + 1 + dc[k]] != ' ') continue;
            avant[r2 * C + c2] = cellule;
            file.push_back(r2 * C + c2);
        }
    }
    std::vector<std::pair<double, double>> chemin;
    for (int cellule = SORTIE * C + C - 1;; cellule = avant[cellule]) {
        const int cc = cellule % C, r = cellule / C;
        chemin.insert(chemin.begin(), {xDe(2 * cc + 1) - PIECE / 2, yDe(2 * r + 1) - PIECE / 2});
        if (cellule == ENTREE * C) break;
    }
    return chemin;
}

std::vector<Enregistrement> dedale() {
    const double yEntree = yDe(2 * ENTREE + 1) - PIECE / 2;
    const double ySortie = yDe(2 * SORTIE + 1) - PIECE / 2;
    Chantier c(4, yEntree, 0, carre(4, yEntree, 5));
    const std::vector<std::string> p = plan();

    // The checkpoint first: it lies on the floor of the maze, a little raised.
    const std::vector<std::pair<double, double>> chemin = cheminDedale();
    const auto milieu = chemin[chemin.size() / 2];
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
                c.mur(Zone{xDe(fin - 1) - largeurX(fin - 1), xDe(k), yDe(r) - largeurY(r), yDe(r)}, 0, HAUT);
                for (int i = k; i < fin; ++i) reste[r][i] = ' ';
            }
            k = fin == k ? k + 1 : fin;
        }
    for (int k = 0; k < LC; ++k)
        for (int r = 0; r < LR;) {
            int fin = r;
            while (fin < LR && reste[fin][k] == '#') ++fin;
            if (fin > r)
                c.mur(Zone{xDe(k) - largeurX(k), xDe(k), yDe(fin - 1) - largeurY(fin - 1), yDe(r)}, 0, HAUT);
            r = fin == r ? r + 1 : fin;
        }

    // The life: in the first blind alley one room off the second half of the way.
    bool vie = false;
    for (size_t i = chemin.size() / 2; i < chemin.size() && !vie; ++i) {
        const int cc = static_cast<int>(std::lround((X0 - MUR - PIECE / 2 - chemin[i].first) / (PIECE + MUR)));
        const int r = static_cast<int>(std::lround((Y0 - MUR - PIECE / 2 - chemin[i].second) / (PIECE + MUR)));
        const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4 && !vie; ++k) {
            const int c2 = cc + dc[k], r2 = r + dr[k];
            if (c2 < 0 || c2 >= C || r2 < 0 || r2 >= R || p[2 * r + 1 + dr[k]][2 * cc + 1 + dc[k]] != ' ')
                continue;
            const double x2 = xDe(2 * c2 + 1) - PIECE / 2, y2 = yDe(2 * r2 + 1) - PIECE / 2;
            bool surChemin = false;
            for (const auto& q : chemin) surChemin = surChemin || (q.first == x2 && q.second == y2);
            int ouvertures = 0;
            for (int m = 0; m < 4; ++m) ouvertures += p[2 * r2 + 1 + dr[m]][2 * c2 + 1 + dc[m]] == ' ';
            if (!surChemin && ouvertures == 1) {
                c.vie(x2, y2, 0);
                vie = true;
            }
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
