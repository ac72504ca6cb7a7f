// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up logo, shown once per program run before the menu.

#include "logo.h"

#include <GL/gl.h>

#include "cadre.h"
#include "texture.h"

void Logo::pas(FSOUND_STREAM* musique) {
    if (couleur <= 251 && !finlogo) {
        couleur += 4;
        if (couleur > 251) finlogo = true;
    } else if (finlogo && couleur > 4) {
        if (compteur_logo > 100)
            couleur -= 4;
        else
            compteur_logo += 2;
    } else if (finlogo) {
        logo = false;
        FSOUND_Stream_SetLoopCount(musique, -1);
        FSOUND_Stream_Play(FSOUND_FREE, musique);
    }
}

void Logo::dessiner(int hauteur, int largeur) const {
    const GLubyte gris = static_cast<GLubyte>(couleur & 0xFF);
    glColor3ub(gris, gris, gris);
    orthoDesign(hauteur, largeur);  // the design, scaled and centred in the window
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textureLogo);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0); glVertex2d(-hauteur, -largeur);
    glTexCoord2d(1, 0); glVertex2d(hauteur, -largeur);
    glTexCoord2d(1, 1); glVertex2d(hauteur, largeur);
    glTexCoord2d(0, 1); glVertex2d(-hauteur, largeur);
    glEnd();
}

void Logo::oublierImage() {
    libererTexture(textureLogo);
    textureLogo = 0;
}
