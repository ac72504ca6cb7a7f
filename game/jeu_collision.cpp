// SPDX-License-Identifier: GPL-3.0-or-later
// Collision of the ball with the course, the effects of the special blocks
// and the pick-ups.
//
// The ball is treated as a cube of half-size r (its radius) and every block as
// an axis-aligned box; one query tests one axis. Two boxes only count as
// touching on a perpendicular axis when each one's side lies more than 0.2
// inside the other's, so a ball can slip past a block's edge.
#include <cmath>

#include "jeu.h"

namespace {

const double kMarge = -0.2;            // overlap margin, added to the block's sides
const double kSeuilRebond = 0.01;      // slower impacts stop dead instead of bouncing
const double kToleranceSol = 0.01;     // extra height around a floor in the landing test
const double kFacteurRebond = -4;      // the ball bounces at a quarter of its impact speed
const double kGravite = -0.01;         // per frame, while airborne
const double kFacteurVolume = 1000;    // impact speed to "bois" volume

const char* const kArrivee = "arriv\xe9" "e";
const char* const kDepart = "d\xe9" "part";

// The blocks the ball bounces on and rests on; the others keep its vertical
// speed when it lands on them.
bool estSolide(const std::string& classe) {
    return classe == "cube" || classe == kDepart || classe == "turbo" || classe == "sauvegarde";
}

}  // namespace

double Jeu::calculPoint(double, double, double, double longueur, double, double) {
    // Blocks are axis-aligned for collision: their rotation only shows.
    return longueur;
}

bool Jeu::collisionDetect(int x, int y, int z, Heros* joueur,
                          const std::vector<Cube>& tableaucube) {
    // Start phase of a run: the ball hangs where it is.
    if (m_debut) return true;

    const double collision_forte_x = joueur->getSX();
    const double collision_forte_y = joueur->getSY();
    const double collision_forte_z = joueur->getSZ();
    const double collision_faible_x = kMarge;
    const double collision_faible_y = kMarge;
    const double collision_faible_z = kMarge;

    const double r = joueur->getLX();
    const double lhh = joueur->getX() - r;
    const double lbh = joueur->getX() + r;
    const double lgh = joueur->getY() - r;
    const double ldh = joueur->getY() + r;
    const double zhh = joueur->getZ() + r;
    const double zbh = joueur->getZ() - r;

    bool confirmation_deplacement = true;
    const size_t n = tableaucube.size();

    // Half-extents of block i along each axis.
    auto demiX = [&](const Cube& c) {
        return calculPoint(c.getX(), c.getY(), c.getZ(), c.getLX(), c.getLY(), c.getRZ());
    };
    auto demiY = [&](const Cube& c) {
        return calculPoint(c.getX(), c.getY(), c.getZ(), c.getLY(), c.getLX(), c.getRZ());
    };
    auto demiZ = [&](const Cube& c) {
        return calculPoint(c.getX(), c.getY(), c.getZ(), c.getLZ(), c.getLX(), c.getRX());
    };
    // Overlap by more than the margin on one axis.
    auto recouvreX = [&](const Cube& c) {
        const double l = demiX(c);
        return lhh < c.getX() + l + collision_faible_x && lbh > c.getX() - l - collision_faible_x;
    };
    auto recouvreY = [&](const Cube& c) {
        const double l = demiY(c);
        return lgh < c.getY() + l + collision_faible_y && ldh > c.getY() - l - collision_faible_y;
    };
    auto recouvreZ = [&](const Cube& c) {
        const double l = demiZ(c);
        return zbh < c.getZ() + l + collision_faible_z && zhh > c.getZ() - l - collision_faible_z;
    };
    // A wall stops the ball unless it is a fall zone or has no collision.
    auto estMur = [](const Cube& c) { return c.getCollision() && c.getClasse() != "limite"; };

    // Walls along x. Toward −x the scan starts at the second block: the first
    // block of a course never stops a ball moving that way.
    if (x && collision_forte_x < 0) {
        for (size_t i = 1; i < n && confirmation_deplacement; ++i) {
            const Cube& c = tableaucube[i];
            const double l = demiX(c);
            if (c.getX() - l + collision_forte_x <= lhh && lhh <= c.getX() + l - collision_forte_x &&
                recouvreY(c) && recouvreZ(c) && estMur(c))
                confirmation_deplacement = false;
        }
    }
    if (x && collision_forte_x > 0) {
        for (size_t i = 0; i < n && confirmation_deplacement; ++i) {
            const Cube& c = tableaucube[i];
            const double l = demiX(c);
            if (c.getX() - l - collision_forte_x <= lbh && lbh <= c.getX() + l + collision_forte_x &&
                recouvreY(c) && recouvreZ(c) && estMur(c))
                confirmation_deplacement = false;
        }
    }

    // Walls along y.
    if (y && collision_forte_y < 0) {
        for (size_t i = 0; i < n && confirmation_deplacement; ++i) {
            const Cube& c = tableaucube[i];
            const double l = demiY(c);
            if (c.getY() - l + collision_forte_y <= lgh && lgh <= c.getY() + l - collision_forte_y &&
                recouvreX(c) && recouvreZ(c) && estMur(c))
                confirmation_deplacement = false;
        }
    }
    if (y && collision_forte_y > 0) {
        for (size_t i = 0; i < n && confirmation_deplacement; ++i) {
            const Cube& c = tableaucube[i];
            const double l = demiY(c);
            if (c.getY() - l - collision_forte_y <= ldh && ldh <= c.getY() + l + collision_forte_y &&
                recouvreX(c) && recouvreZ(c) && estMur(c))
                confirmation_deplacement = false;
        }
    }

    // Landing, also while resting (zero vertical speed): the first block under
    // the ball's bottom, within its vertical extent widened by the fall speed
    // and a small tolerance, carries the ball. Only that block acts.
    if (z && collision_forte_z <= 0) {
        for (size_t i = 0; i < n; ++i) {
            const Cube& c = tableaucube[i];
            if (!recouvreX(c) || !recouvreY(c)) continue;
            const double l = demiZ(c);
            if (!(c.getZ() + l - collision_forte_z + kToleranceSol >= zbh &&
                  zbh >= c.getZ() - l + collision_forte_z - kToleranceSol))
                continue;
            if (!confirmation_deplacement || !c.getCollision()) continue;

            confirmation_deplacement = false;
            const std::string classe = c.getClasse();
            if (estSolide(classe)) {
                if (collision_forte_z < -kSeuilRebond) {
                    joueur->setSZ(collision_forte_z / kFacteurRebond);
                    m_son.jouerPreSon("bois", joueur->getSZ() * kFacteurVolume);
                } else {
                    joueur->setSZ(0);
                    m_roll = true;
                }
            }
            effetBloc(static_cast<unsigned int>(i), c, joueur);
            break;
        }
    }

    // Ceiling: the first block met above the ball stops its climb, whatever
    // its collision flag.
    if (z && collision_forte_z > 0) {
        for (size_t i = 0; i < n; ++i) {
            const Cube& c = tableaucube[i];
            if (!recouvreX(c) || !recouvreY(c)) continue;
            const double l = demiZ(c);
            if (!(c.getZ() - l - collision_forte_z <= zhh && zhh <= c.getZ() + l + collision_forte_z))
                continue;

            confirmation_deplacement = false;
            if (estSolide(c.getClasse())) {
                if (collision_forte_z > kSeuilRebond) {
                    joueur->setSZ(collision_forte_z / kFacteurRebond);
                    m_son.jouerPreSon("bois", joueur->getSZ() * kFacteurVolume);
                } else {
                    joueur->setSZ(0);
                }
            }
            break;
        }
    }

    if (z && confirmation_deplacement) joueur->accelerer(0, 0, kGravite);

    return confirmation_deplacement;
}

void Jeu::effetBloc(unsigned int i, const Cube& bloc, Heros* joueur) {
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
            m_son.jouerPreSon("sauvegarde", -1);
        }
    } else if (classe == "jump") {
        joueur->setSZ(0.5);
        m_son.jouerPreSon("jump", -1);
    } else if (classe == kArrivee) {
        if (!joueur->getWin()) m_son.jouerPreSon("arrivee", -1);
        joueur->win(true);
    } else if (classe == "limite") {
        if (!joueur->getTombe2() && !joueur->getTombe()) m_son.jouerPreSon("limite", -1);
        joueur->tombe2(true);
    }
}

void Jeu::verifieBonus(Heros* joueur, Bonus* tableaubonus) {
    const double mindis = joueur->getLX() + tableaubonus->getLX() / 2;
    const double dx = tableaubonus->getX() - joueur->getX();
    const double dy = tableaubonus->getY() - joueur->getY();
    const double dz = tableaubonus->getZ() - joueur->getZ();
    const double dis = std::sqrt(dx * dx + dy * dy + dz * dz);

    if (dis <= mindis && tableaubonus->getExiste()) {
        tableaubonus->detruire();
        const std::string classe = tableaubonus->getClasse();
        if (classe == "vie") {
            m_son.jouerPreSon("bonus", -1);
            joueur->perdrePV(-1.0);
        } else if (classe == "speed") {
            m_son.jouerPreSon("bonus", -1);
            joueur->winMaxSpeed(0.1);
        }
    }
}

void Jeu::deplacerBalle(Heros& b, const std::vector<Cube>& tableaucube, const bool direction[4], double poussee) {
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
            m_son.jouerPreSon("bois", b.getSX() * 1000);
        }
        b.deplacer(b.getSX(), 0, 0);

        if (!collisionDetect(0, 1, 0, &b, tableaucube)) {
            b.setSY(b.getSY() / -2);
            m_son.jouerPreSon("bois", b.getSY() * 1000);
        }
        b.deplacer(0, b.getSY(), 0);
    }
    collisionDetect(0, 0, 1, &b, tableaucube);
    b.deplacer(0, 0, b.getSZ());
}
