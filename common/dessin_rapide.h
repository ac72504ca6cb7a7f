// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_DESSIN_RAPIDE_H
#define VORNA_DESSIN_RAPIDE_H

#include <vector>

#include "objet.h"

class ChampVision;
class Skybox;

// The scene is drawn the fast way unless the plain way is chosen: every
// object by its own dessiner, vertex by vertex, every frame (the reference
// the fast way is measured and checked against). One choice for the process.
void choisirDessinSimple(bool simple);
bool dessinSimple();

// The same commands as Bonus::dessiner with the rings and the ball taken
// from the kept shapes (the rings in one stack, see anneau20), for the
// pick-ups the camera may see; the blend function is left as drawing them
// leaves it.
void dessinerBonusRapide(const std::vector<Bonus>& bonus, const ChampVision& champ);
// The same as Sphere::dessiner from a kept shape, for the spheres the
// camera may see.
void dessinerSpheresRapide(const std::vector<Sphere>& spheres, const ChampVision& champ);
// Draws a closed kept shape (a ball) of radius `r` centred on (x, y, z) in
// the world, in the current modelview matrix: its back faces, hidden behind
// its front faces, are culled unless the eye is close enough for the near
// plane to cut it open.
class Forme;
void dessinerFermee(const Forme& f, const ChampVision& champ, double x, double y, double z, double r);
// The same as Skybox::dessiner from a kept shape.
void dessinerCielRapide(const Skybox& ciel);

#endif
