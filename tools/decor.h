// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_DECOR_H
#define VORNA_ATELIER_DECOR_H

// The skies, the start-up logo and the window icon.

#include "image.h"

namespace atelier {

// Skies are wrapped on a sphere around the camera: columns go once around
// the vertical axis (the image wraps horizontally), the first row is
// straight up and the last straight down, the middle row the horizon.
constexpr int LARGEUR_CIEL = 1024, HAUTEUR_CIEL = 512;

// The fog colours the sky meets at the horizon.
constexpr Couleur BROUILLARD_NORMAL{0.41, 0.37, 0.21};
constexpr Couleur BROUILLARD_MONTAGNE{0.53, 0.65, 0.87};
// Height above the sphere's equator, in degrees, where the player's eye sees
// the horizon: the sky sphere (radius 500) is centred 50 units below the ball.
constexpr double HORIZON_VU = 5.7;

// The warm dusk sky of the normal levels ("data/sky/sky.jpg").
Toile cielCrepuscule();
// The clear alpine sky of the mountain levels ("data/sky/sky2.jpg").
Toile cielAlpin();

// The start-up logo, shown stretched over the whole 640 × 480 window: the
// picture is painted for a 640 × 480 screen and stored at 1024 × 512 (power
// of two sizes need no rescaling by the mipmap builder).
constexpr int LARGEUR_LOGO = 1024, HAUTEUR_LOGO = 512;
Toile logo();

// The window icon ("data/iconeVorna.bmp", 32 × 32) and the desktop's icons
// (N × N): one drawing, the wooden ball on a deep blue ground.
Toile icone(int N = 32);

}  // namespace atelier

#endif
