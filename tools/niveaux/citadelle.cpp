// SPDX-License-Identifier: GPL-3.0-or-later
// 4. Citadelle: walls and narrow gates. A causeway to a walled island; three
// curtain walls, each with one gate four units wide and each gate on another
// side, so the ball zigzags through the courtyards; a life lies in a corner
// pen; a jump pad throws the ball up onto the keep, where the finish is.
#include "chantier.h"
#include "niveaux.h"

namespace {

const double Y = 60;  // the island spans y −60 … 60

// A curtain wall across the island at x0..x1, with a gate centred on y.
void courtine(Chantier& c, double x0, double x1, double porte, double hauteur) {
    c.mur(Zone{x0, x1, -Y, porte - 2}, 0, hauteur);
    c.mur(Zone{x0, x1, porte + 2, Y}, 0, hauteur);
    c.mur(Zone{x0 - 1, x1 + 1, porte - 6, porte - 2}, 0, hauteur + 2);
    c.mur(Zone{x0 - 1, x1 + 1, porte + 2, porte + 6}, 0, hauteur + 2);
    c.boule((x0 + x1) / 2, porte - 4, hauteur + 2.8, 0.8, "textureSauvegarde");
    c.boule((x0 + x1) / 2, porte + 4, hauteur + 2.8, 0.8, "textureSauvegarde");
}

}  // namespace

std::vector<Enregistrement> citadelle() {
    Chantier c(0, 0, 0, carre(0, 0, 4));

    // The causeway, with low parapets.
    const Zone chaussee = bandeX(-4, -60, 0, 10);
    c.sol(chaussee, 0);
    c.barrieres(chaussee, 0, 0.8);

    // The island: four courtyards, the last one cut around the jump pad.
    c.sol(Zone{-174, -60, -Y, Y}, 0, 4);
    c.sol(Zone{-214, -174, -Y, -3}, 0, 4);
    c.sol(Zone{-214, -174, 3, Y}, 0, 4);
    c.sol(Zone{-200, -174, -3, 3}, 0, 4);
    c.sol(Zone{-214, -206, -3, 3}, 0, 4);
    c.saut(Zone{-206, -200, -3, 3}, 0);
    c.boule(-203, 4.5, 1, 0.8, "textureJump");
    c.boule(-203, -4.5, 1, 0.8, "textureJump");

    // The curtain walls: the gates alternate from side to side.
    courtine(c, -66, -62, 0, 3);
    courtine(c, -102, -98, 48, 3);
    courtine(c, -138, -134, -48, 3);
    courtine(c, -174, -170, 48, 3);
    // Towers at the corners of the island.
    for (double x : {-62.0, -214.0})
        for (double y : {-Y, Y}) {
            c.mur(carre(x, y, 4), -4, 12);
            c.boule(x, y, 9.5, 1.5, "textureSauvegarde");
        }

    // A pen in the second courtyard: a life behind a narrow opening.
    c.mur(Zone{-102, -100, -Y, -40}, 0, 2);
    c.mur(Zone{-120, -100, -40, -38}, 0, 2);
    c.mur(Zone{-120, -118, -56, -40}, 0, 2);
    c.vie(-109, -50, 0);

    // The keep: a raised floor reached by the jump, the finish at its end.
    c.mur(Zone{-244, -214, -14, 14}, 0, 4, "textureSol");
    c.boite(4, Zone{-254, -244, -14, 14}, 0, 4, "textureArrivee");
    c.mur(Zone{-255, -254, -14, 14}, 0, 6);
    c.boule(-250, 10, 5.5, 1.2, "textureArrivee");
    c.boule(-250, -10, 5.5, 1.2, "textureArrivee");

    c.vide(Zone{-270, 10, -75, 75}, -12);
    return c.enregistrements();
}
