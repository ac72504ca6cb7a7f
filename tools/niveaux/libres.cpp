// SPDX-License-Identifier: GPL-3.0-or-later
// The free maps of "Map perso": a walk up to a lookout, a long downhill
// slide, and islands joined by bridges and jumps. Players open free maps in
// the editor, so they use only the texture words the editor writes back for
// each kind: opened and saved there, they stay the same.
#include <algorithm>

#include "chantier.h"
#include "niveaux.h"

// Belvedere: a path, a jump up to a walled lookout terrace (a life in its
// corner), steps down on the far side and a winding way to the finish.
std::vector<Enregistrement> belvedere() {
    Chantier c(0, 0, 0, carre(0, 0, 4));
    c.saut(carre(-40, 38, 3), 0);
    c.chemin({{-8, 0}, {-40, 0}, {-40, 30}}, 0, 8);
    c.borne(-45, 34, -1, 3);

    const Zone terrasse{-80, -46, 30, 70};
    c.mur(terrasse, -6, 12, "textureSol");
    c.mur(Zone{-80, -46, 69, 70}, 6, 1);
    c.mur(Zone{-80, -79, 42, 69}, 6, 1);
    for (double x : {-79.5, -46.5}) c.borne(x, 69.5, 7, 1.5);
    c.boule(-63, 50, 9, 2);
    c.vie(-76, 66, 6);

    // Down the steps, then the winding way.
    c.escalier(-80, 36, 6, 6, 1, 5, 8, true);
    c.chemin({{-114, 36}, {-150, 36}, {-150, -30}, {-200, -30}, {-200, 0}, {-236, 0}}, 0, 8);
    for (double y : {10.0, -10.0}) c.borne(-154.5, y, -1, 3);
    c.arrivee(bandeX(-240, -252, 0, 12), 0);
    c.boule(-250, 6, 2.5, 1);
    c.boule(-250, -6, 2.5, 1);

    c.vide(Zone{-265, 10, -45, 85}, -10);
    return c.enregistrements();
}

// Toboggan: a long slide down, fourteen units in all: narrow runs, drops over
// gaps, turbo lanes, and wide landings where the run jogs to the side.
std::vector<Enregistrement> toboggan() {
    Chantier c(0, 0, 30, carre(0, 0, 4));
    double x = -4, y = 0, h = 30;
    for (int i = 0; i < 7; ++i) {
        // A narrow run, its second half a turbo lane on every other one.
        const double longueur = 44;
        if (i % 2 == 1) {
            c.sol(bandeX(x, x - longueur / 2, y, 5), h, 0.8);
            c.turbo(bandeX(x - longueur / 2, x - longueur, y, 5), h);
        } else {
            c.sol(bandeX(x, x - longueur, y, 5), h, 0.8);
        }
        c.boule(x - longueur / 2, y + 3.2, h + 0.4, 0.5);
        c.boule(x - longueur / 2, y - 3.2, h + 0.4, 0.5);
        x -= longueur + 5;
        h -= 2;
        // A wide landing, then the run goes on beside it.
        const double decalage = i % 2 ? 6 : -6;
        c.sol(Zone{x - 18, x, std::min(y, y + decalage) - 5, std::max(y, y + decalage) + 5}, h);
        c.mur(carre(x - 18, y + decalage / 2, 1), h - 8, 8 - 0.9, "textureSol");
        y += decalage;
        x -= 18;
        if (i == 4) c.vie(x + 9, y + decalage / 2, h);
    }
    c.sol(bandeX(x, x - 20, y, 8), h);
    c.arrivee(bandeX(x - 20, x - 32, y, 12), h);
    c.boule(x - 30, y + 5, h + 2.5, 1);
    c.boule(x - 30, y - 5, h + 2.5, 1);

    c.vide(Zone{x - 45, 10, -40, 40}, h - 8);
    return c.enregistrements();
}

// Archipel: islands in the sky, joined by narrow bridges and by jump pads;
// a life and a speed pick-up on islands of their own.
std::vector<Enregistrement> archipel() {
    Chantier c(0, 0, 0, carre(0, 0, 5));
    // Pads and the finish first: they lie on the islands, a little raised.
    c.saut(carre(-44, 10, 3), 0.05);
    c.saut(carre(-128, -20, 3), 0.05);
    c.saut(carre(-192, 24, 3), 0.05);
    c.arrivee(carre(-240, 24, 5), 0.05);

    struct Ile {
        double x, y, demi;
    };
    const Ile iles[] = {{-40, 10, 10}, {-86, 10, 12}, {-122, -20, 10}, {-172, -20, 12},
                        {-186, 24, 10}, {-240, 24, 12}, {-86, 44, 6},  {-172, -54, 6}};
    for (const Ile& i : iles) {
        c.mur(carre(i.x, i.y, i.demi), -6, 6, "textureSol");
        c.mur(carre(i.x, i.y, i.demi * 0.6), -14, 8, "textureCaisse");
        c.boule(i.x + i.demi - 2, i.y + i.demi - 2, 1.5, 1, "textureSphere");
    }
    // Bridges.
    c.sol(Zone{-30, -5, 2, 5}, 0, 0.6);
    c.sol(bandeX(-98, -118.5, 0, 3), 0, 0.6);
    c.sol(bandeY(-1.5, -10, -117, 3), 0, 0.6);
    c.sol(bandeY(-8, 14, -180, 3), 0, 0.6);
    c.sol(bandeY(22, 38, -86, 3), 0, 0.6);
    c.sol(bandeY(-32, -48, -172, 3), 0, 0.6);
    c.vie(-86, 44, 0);
    c.vitesse(-172, -54, 0);
    c.boule(-240, 24, 8, 2);

    c.vide(Zone{-270, 10, -80, 70}, -20);
    return c.enregistrements();
}
