// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CADRE_H
#define VORNA_CADRE_H

// The picture at any window size. The scene fills the whole window with its
// vertical field of view of 70°, so a wider window shows more at the sides
// and nothing is stretched. The flat layer (texts, menus, the logo) is laid
// out for a design size, the game's 640 × 480, and scaled uniformly to fit
// the window, centred: at the design size it is drawn exactly as laid out.
// The window's size is read from the GL viewport, which the window code
// keeps equal to it (see fenetre.h).
//
// As everywhere in the flat layer, `hauteur` is the design's width and
// `largeur` its height.

// The scene's projection: 70° vertically, the window's aspect, near plane
// 1, far plane 1000. Leaves the projection matrix as the current mode.
void perspectiveScene();

// A flat projection in which (−hauteur, −largeur) … (hauteur, largeur), a
// unit being half a design pixel, is the design scaled and centred in the
// window; what lies beyond shows in the margins. Leaves the projection
// matrix as the current mode.
void orthoDesign(int hauteur, int largeur);

// The design's scale in the window (window pixels per design pixel).
double echelleDesign(int hauteur, int largeur);

// The design pixel under a window pixel (x from the left, y from the top).
int xDesign(int x, int hauteur, int largeur);
int yDesign(int y, int hauteur, int largeur);

#endif
