// SPDX-License-Identifier: GPL-3.0-or-later
// Collision of the ball with the course, the effects of the special blocks
// and the pick-ups.
//
// The ball is treated as a cube of half-size r (its radius) and every block as
// an axis-aligned box; one query tests one axis. Two boxes only count as
// touching on a perpendicular axis when each one's side lies more than 0.2
// inside the other's, so a ball can slip past a block's edge.
#include <cmath>

#include "simulation.h"

namespace {

const double kMarge = -0.2;            // overlap margin, added to the block's sides
const double kSeuilRebond = 0.01;      // slower impacts stop dead instead of bouncing
const double kToleranceSol = 0.01;     // extra height around a floor in the landing test
const double kFacteurRebond = -4;      // the ball bounces at a quarter of its impact speed
const double kGravite = -0.01;         // per step, while airborne
const double kFacteurVolume = 1000;    // impact speed to "bois" volume

const char* const kArrivee = "arriv\xe9" "e";
const char* const kDepart = "d\xe9" "part";

// The blocks the ball bounces on and rests on; the others keep its vertical
// speed when it lands on them.
bool estSolide(const std::string& classe) {
    return classe == "cube" || classe == kDepart || classe == "turbo" || classe == "sauvegarde";
}

}  // namespace

double Simulation::calculPoint(double, double, double, double longueur, double, double) {
    // Blocks are axis-aligned for collision: their rotation only shows.
    return longueur;
}

namespace {

// The ball's box and its speed, as one query sees them.
struct Boite {
    double bas[3], haut[3];  // its sides: x − r … x + r, and so on
    double vitesse[3];
};

// A block's half-extent along an axis (0 x, 1 y, 2 z): its own, whatever its
// rotation (see calculPoint).
double demi(const Cube& c, int axe) { return axe == 0 ? c.getLX() : axe == 1 ? c.getLY() : c.getLZ(); }
double centre(const Cube& c, int axe) { return axe == 0 ? c.getX() : axe == 1 ? c.getY() : c.getZ(); }

// Overlap by more than the margin on one axis.
bool recouvre(const Boite& b, const Cube& c, int axe) {
    const double l = demi(c, axe), m = centre(c, axe);
    return b.bas[axe] < m + l + kMarge && b.haut[axe] > m - l - kMarge;
}

// A wall stops the ball unless it is a fall zone or has no collision.
bool estMur(const Cube& c) { return c.getCollision() && c.getClasse() != "limite"; }

// Whether a block stops the ball moving along `axe` (0 or 1) at its speed
// there: the side the ball moves toward lies within the block's extent along
// that axis, widened by the speed, and the boxes overlap on the two others.
// Toward −x the scan starts at the second block: the first block of a course
// never stops a ball moving that way.
bool murSurLeChemin(const Boite& b, const std::vector<Cube>& cubes, int axe) {
    const double v = b.vitesse[axe];
    if (v == 0) return false;
    const int autre = 1 - axe;
    const size_t premier = axe == 0 && v < 0 ? 1 : 0;
    for (size_t i = premier; i < cubes.size(); ++i) {
        const Cube& c = cubes[i];
        const double l = demi(c, axe), m = centre(c, axe);
        const double cote = v < 0 ? b.bas[axe] : b.haut[axe];
        const double marge = v < 0 ? v : -v;  // the speed widens the block toward the ball
        if (m - l + marge <= cote && cote <= m + l - marge && recouvre(b, c, autre) && recouvre(b, c, 2) &&
            estMur(c))
            return true;
    }
    return false;
}

}  // namespace

bool Simulation::collisionDetect(int x, int y, int z, Heros* joueur, const std::vector<Cube>& tableaucube) {
    // Start phase of a run: the ball hangs where it is.
    if (m_debut) return true;

    const double r = joueur->getLX();
    const Boite b{{joueur->getX() - r, joueur->getY() - r, joueur->getZ() - r},
                  {joueur->getX() + r, joueur->getY() + r, joueur->getZ() + r},
                  {joueur->getSX(), joueur->getSY(), joueur->getSZ()}};
    const double sz = b.vitesse[2];

    if (x && murSurLeChemin(b, tableaucube, 0)) return false;
    if (y && murSurLeChemin(b, tableaucube, 1)) return false;
    if (!z) return true;

    // Landing, also while resting (zero vertical speed): the first block under
    // the ball's bottom, within its vertical extent widened by the fall speed
    // and a small tolerance, carries the ball; only that block acts. Climbing,
    // the first block met above stops it, whatever its collision flag.
    for (size_t i = 0; i < tableaucube.size(); ++i) {
        const Cube& c = tableaucube[i];
        if (!recouvre(b, c, 0) || !recouvre(b, c, 1)) continue;
        const double l = demi(c, 2), m = c.getZ();
        const bool touche = sz <= 0 ? m + l - sz + kToleranceSol >= b.bas[2] && b.bas[2] >= m - l + sz - kToleranceSol &&
                                          c.getCollision()
                                    : m - l - sz <= b.haut[2] && b.haut[2] <= m + l + sz;
        if (!touche) continue;
        if (estSolide(c.getClasse())) {
            if (std::fabs(sz) > kSeuilRebond) {  // a quarter of the impact speed, the other way
                joueur->setSZ(sz / kFacteurRebond);
                son("bois", joueur->getSZ() * kFacteurVolume);
            } else {
                joueur->setSZ(0);
                if (sz <= 0) m_roll = true;
            }
        }
        if (sz <= 0) effetBloc(static_cast<unsigned int>(i), c, joueur);
        return false;
    }
    joueur->accelerer(0, 0, kGravite);
    return true;
}

void Simulation::effetBloc(unsigned int i, const Cube& bloc, Heros* joueur) {
    const std::string classe = bloc.getClasse();
    if (classe == "turbo") {
        // Always pushes toward −x, whatever the block's rotation.
        joueur->accelerer(-0.02, 0, 0);
    } else if (classe == "sauvegarde") {
        // Checkpoints count only in increasing course order.
        if (m_last_checkpoint < i) {
            m_x_save = bloc.getX();
            m_y_save = bloc.getY();
            m_z_save = bloc.getZ() + bloc.getLZ() + 2.1;
            m_checkpoint = true;
            m_last_checkpoint = i;
            son("sauvegarde", -1);
        }
    } else if (classe == "jump") {
        joueur->setSZ(0.5);
        son("jump", -1);
    } else if (classe == kArrivee) {
        if (!joueur->getWin()) son("arrivee", -1);
        joueur->win(true);
    } else if (classe == "limite") {
        if (!joueur->getTombe2() && !joueur->getTombe()) son("limite", -1);
        joueur->tombe2(true);
    }
}

void Simulation::verifieBonus(Heros* joueur, Bonus* tableaubonus) {
    const double mindis = joueur->getLX() + tableaubonus->getLX() / 2;
    const double dx = tableaubonus->getX() - joueur->getX();
    const double dy = tableaubonus->getY() - joueur->getY();
    const double dz = tableaubonus->getZ() - joueur->getZ();
    const double dis = std::sqrt(dx * dx + dy * dy + dz * dz);

    if (dis <= mindis && tableaubonus->getExiste()) {
        tableaubonus->detruire();
        const std::string classe = tableaubonus->getClasse();
        if (classe == "vie") {
            son("bonus", -1);
            joueur->perdrePV(-1.0);
        } else if (classe == "speed") {
            son("bonus", -1);
            joueur->winMaxSpeed(0.1);
        }
    }
}

void Simulation::deplacerBalle(Heros& b, const std::vector<Cube>& tableaucube, const bool direction[4], double poussee) {
    if (!m_pause && !m_debut) {
        if (direction[0] && collisionDetect(1, 0, 0, &b, tableaucube) && b.getSX() > -b.getSM())
            b.accelerer(-poussee, 0, 0);
        if (direction[1] && collisionDetect(1, 0, 0, &b, tableaucube) && b.getSX() < b.getSM())
            b.accelerer(poussee, 0, 0);
        if (direction[2] && collisionDetect(0, 1, 0, &b, tableaucube) && b.getSY() < b.getSM())
            b.accelerer(0, poussee, 0);
        if (direction[3] && collisionDetect(0, 1, 0, &b, tableaucube) && b.getSY() > -b.getSM())
            b.accelerer(0, -poussee, 0);

        if (!collisionDetect(1, 0, 0, &b, tableaucube)) {
            b.setSX(b.getSX() / -2);
            son("bois", b.getSX() * 1000);
        }
        b.deplacer(b.getSX(), 0, 0);

        if (!collisionDetect(0, 1, 0, &b, tableaucube)) {
            b.setSY(b.getSY() / -2);
            son("bois", b.getSY() * 1000);
        }
        b.deplacer(0, b.getSY(), 0);
    }
    collisionDetect(0, 0, 1, &b, tableaucube);
    b.deplacer(0, 0, b.getSZ());
}
