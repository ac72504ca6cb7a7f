// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LOGO_H
#define VORNA_LOGO_H

#include "fsound.h"

// The start-up logo: fades in, holds, fades out once per program run, then
// starts the menu music.
struct Logo {
    bool logo = true;      // the logo is showing
    bool finlogo = false;  // the fade-in has ended
    int couleur = 0;       // grey level, 0 to 252
    int compteur_logo = 0; // hold counter
    unsigned int textureLogo = 0;

    // One step of the logo: the grey level (and `musique` started, looping
    // for ever, when the logo is over).
    void pas(FSOUND_STREAM* musique);
    // The logo quad over the whole window, in its grey.
    void dessiner(int hauteur, int largeur) const;
    // Its picture, shown once, let go once the logo is over.
    void oublierImage();
};

#endif
