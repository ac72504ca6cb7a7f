#ifndef VORNA_SCENE_H
#define VORNA_SCENE_H

#include <vector>

#include "heros.h"
#include "niveau.h"
#include "objet.h"

// What the run and the replay set up alike.

// The ball of a level: the first record's values and texture.
Heros balleDuNiveau(const ContenuNiveau& contenu);

// The height below which the ball has fallen off the course: the lowest
// z − lz/2 of the blocks, never above 0.
double hauteurDeChute(const std::vector<Cube>& blocs);

// Linear fog from 60 to 65 units in the given colour, switched on.
void brouillard(float r, float g, float b);

// One directional light with grey ambient and colour-driven materials.
void eclairage();

#endif
