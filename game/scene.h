// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCENE_H
#define VORNA_SCENE_H

#include <vector>

#include "heros.h"
#include "lot_blocs.h"
#include "niveau.h"
#include "objet.h"
#include "skybox.h"

// What the run and the replay set up alike (the ball of a level: balleDuNiveau, lecture_niveau.h).

// Linear fog from 60 to 65 units in the given colour, switched on.
void brouillard(float r, float g, float b);

// One directional light with grey ambient and colour-driven materials.
void eclairage();

// Draws a level's objects in their order: every block, every pick-up (when
// `bonus` is given), every sphere, then the ball. The fast way draws the
// blocks from `lot` (built from `cubes`) and the round shapes from kept
// arrays, skipping what the camera cannot see; the plain way (chosen with
// choisirDessinSimple) calls every object's own dessiner. Both give the same
// picture, but for a few edge pixels (rings in one stack, back faces of
// blocks culled), and leave the same state behind.
void dessinerObjets(const LotBlocs& lot, const std::vector<Cube>& cubes, const std::vector<Bonus>* bonus,
                    const std::vector<Sphere>& spheres, const Heros& balle);

// A ball seen through, after the opaque scene: lit in `couleur` (its alpha
// says how much of the ball shows), its texture's light parts drawn toward
// `clair`, so the ball keeps its pattern in these colours whatever the
// texture's own; blended over what is drawn, hidden by what stands in front
// of it but hiding nothing (no depth written), its front faces only. Every
// state it changes is put back. The fast or the plain way, alike to the
// pixel.
void dessinerBalleTranslucide(const Heros& balle, const unsigned char couleur[4],
                              const unsigned char clair[3]);

// The sky around the current origin, the fast or the plain way.
void dessinerCiel(Skybox& ciel);
// The sky around the ball, its centre 50 below it; while the ball falls, around
// the point it fell from (x, y, z).
void dessinerCielAutour(Skybox& ciel, const Heros& balle, double x, double y, double z);

#endif
