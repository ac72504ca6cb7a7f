// SPDX-License-Identifier: GPL-3.0-or-later
// 7. Speed's Bridge: a long narrow bridge taken at speed. Four units wide or
// less, on tall piers over the void, with turbo lanes, jogs to the side on
// wider landings, drops over short gaps that want speed, a flight of steps
// and a last sprint to the finish. Three checkpoints; a speed pick-up on a
// spur for those who take the time.
#include "chantier.h"
#include "niveaux.h"

namespace {

struct Pont {
    Chantier& c;
    // A deck from xa to xb (toward −x) at y, `largeur` wide, its top at h,
    // with a pier under its start.
    void tablier(double xa, double xb, double y, double largeur, double h) {
        c.sol(bandeX(xa, xb, y, largeur), h, 0.8);
        pile(xa - 3, y, h, largeur);
    }
    void pile(double x, double y, double h, double largeur) {
        c.mur(Zone{x - 1.5, x + 1.5, y - largeur / 2 + 0.5, y + largeur / 2 - 0.5}, h - 40, 39.2,
              "textureSol");
    }
    void lanternes(double x, double y, double h, double largeur) {
        c.boule(x, y + largeur / 2 + 0.6, h + 0.4, 0.5, "textureSauvegarde");
        c.boule(x, y - largeur / 2 - 0.6, h + 0.4, 0.5, "textureSauvegarde");
    }
};

}  // namespace

std::vector<Enregistrement> speedsBridge() {
    Chantier c(0, 0, 0, carre(0, 0, 4));
    Pont p{c};

    // First span: straight, a turbo lane, a wide landing.
    p.tablier(-4, -30, 0, 5, 0);
    c.turbo(bandeX(-30, -60, 0, 5), 0);
    p.tablier(-60, -90, 0, 5, 0);
    p.tablier(-90, -110, 2, 12, 0);
    p.lanternes(-100, 2, 0, 12);

    // Second span, shifted, then a checkpoint.
    p.tablier(-110, -130, 4, 4, 0);
    c.turbo(bandeX(-130, -165, 4, 4), 0);
    p.tablier(-165, -200, 4, 4, 0);
    c.checkpoint(bandeX(-200, -210, 4, 8), 0);
    p.lanternes(-205, 4, 0, 8);

    // Third span: two drops over gaps.
    p.tablier(-210, -240, 4, 4, 0);
    c.turbo(bandeX(-240, -262, 4, 4), 0);
    p.tablier(-268, -300, 4, 4, -2);
    c.turbo(bandeX(-300, -318, 4, 4), -2);
    p.tablier(-325, -350, 4, 4, -4);
    // A spur to the south with a speed pick-up.
    p.tablier(-350, -370, 0, 12, -4);
    c.sol(bandeY(-6, -24, -360, 4), -4, 0.8);
    c.sol(carre(-360, -28, 4), -4, 0.8);
    c.vitesse(-360, -28, -4);
    p.lanternes(-360, 0, -4, 12);

    // Fourth span, narrower, shifted the other way.
    p.tablier(-370, -400, -4, 3.5, -4);
    c.turbo(bandeX(-400, -440, -4, 3.5), -4);
    p.tablier(-440, -470, -4, 3.5, -4);
    c.checkpoint(bandeX(-470, -480, -4, 8), -4);
    p.lanternes(-475, -4, -4, 8);

    // A flight of steps, then a long run with jogs on wide landings.
    for (int i = 0; i < 4; ++i) c.sol(bandeX(-480 - 10 * i, -490 - 10 * i, -4, 4), -5 - i, 0.8);
    p.pile(-500, -4, -6, 4);
    p.tablier(-520, -560, -4, 4, -8);
    p.tablier(-560, -580, 0, 12, -8);
    p.tablier(-580, -620, 4, 4, -8);
    c.turbo(bandeX(-620, -650, 4, 4), -8);
    p.tablier(-650, -670, 0, 12, -8);
    p.tablier(-670, -700, -4, 4, -8);
    c.checkpoint(bandeX(-700, -710, -4, 8), -8);
    p.lanternes(-705, -4, -8, 8);

    // The last sprint: a turbo lane, a gap, the finish below.
    p.tablier(-710, -730, -4, 4, -8);
    c.turbo(bandeX(-730, -780, -4, 4), -8);
    p.tablier(-780, -790, -4, 4, -8);
    p.tablier(-798, -820, -4, 10, -11);
    c.arrivee(bandeX(-820, -834, -4, 10), -11);
    c.boule(-832, 1, -8.5, 1, "textureArrivee");
    c.boule(-832, -9, -8.5, 1, "textureArrivee");

    c.vide(Zone{-850, 10, -40, 20}, -20);
    return c.enregistrements();
}
