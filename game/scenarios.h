// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCENARIOS_H
#define VORNA_SCENARIOS_H

#include <string>

// The fourteen scenario levels: the title shown in the menu and during the
// run (to translate where it is shown, traduction.h), the points a run starts with, and the place type that chooses the
// textures, fog and sky.
struct NiveauScenario {
    const char* titre;
    int points;
    const char* lieu;
};

const unsigned int kNombreScenarios = 14;

// Level n (from 1); nullptr outside 1 to 14.
const NiveauScenario* niveauScenario(unsigned int numero);

#endif
