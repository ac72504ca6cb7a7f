// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_CAMERA_EDITION_H
#define VORNA_EDITEUR_CAMERA_EDITION_H

#include <vector>

#include "objet_editeur.h"

namespace editeur {

// The editor's two views of the map.

// The usual one: from (X + distance, Y, Z + distance) toward the object
// followed, z up, in the current projection (multiplies the modelview).
void regarder(const Heros& suivi, double distance);

// The overview: the whole map from high in the south (−y), +x to the right,
// as the contact sheet of the levels shows a course, in an orthographic view
// that frames every object but the invisible fall zones (unless the map holds
// nothing else). Replaces the projection, pushed first, and multiplies the
// modelview; finVueDessus() pops the projection.
void debutVueDessus(const std::vector<Heros>& objets);
void finVueDessus();
// The overview's direction toward the eye, a unit vector.
extern const double kVersOeilDessus[3];

}  // namespace editeur

#endif
