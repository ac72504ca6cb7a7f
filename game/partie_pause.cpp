// SPDX-License-Identifier: GPL-3.0-or-later
// The pause menu's texts (Escape or keypad 0; the menu's rules are the
// run's, in the Simulation).

#include "partie.h"
#include "texte.h"
#include "traduction.h"

void Partie::textesPause() {
    static const char* const kItems[3] = {aTraduire("Retour au jeu"), aTraduire("Recommencer le niveau"),
                                          aTraduire("Quitter")};
    for (int i = 0; i < 3; ++i) {
        if (sim->choixMenu() == i) glColor3ubv(kSelection);
        imprimer(tr(kItems[i]), -1, -0.1 * i);
        glColor3ub(255, 255, 255);
    }
}
