#include "menu.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "systeme.h"

void Logo::passe(FSOUND_STREAM* musique, int hauteur, int largeur) {
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

    const GLubyte gris = static_cast<GLubyte>(couleur & 0xFF);
    glColor3ub(gris, gris, gris);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-hauteur, hauteur, -largeur, largeur);
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

void lireProgression(Jeu& jeu) {
    FILE* f = std::fopen("data/joueur/niveau.txt", "r");
    if (!f) return;
    char ligne[100] = {0};
    if (std::fgets(ligne, sizeof ligne, f)) jeu.setNiveauMax(std::atoi(ligne));
    else jeu.setNiveauMax(0);
    std::fclose(f);
}

namespace {

// Two frames per 30 ms: a frame that finds more than 30 ms gone since the
// reference goes on at once and moves the reference; any other sleeps up to it.
void rythme(Uint32& tempsPrecedent) {
    Uint32 tempsActuel = sys::ticks();
    if (tempsActuel - tempsPrecedent > 30)
        tempsPrecedent = tempsActuel;
    else
        sys::delay(30 - (tempsActuel - tempsPrecedent));
}

}  // namespace

void boucleMenu(Shell& shell, RessourcesMenu&) {
    // Building the menu.
    shell.continuer = 2;
    shell.logo.couleur = 0;
    shell.logo.compteur_logo = 0;
    glDisable(GL_LIGHTING);
    sys::keyRepeat(400, 200);
    sys::showCursor(false);
    Uint32 tempsPrecedent = 0;

    while (shell.continuer == 2) {
        SDL_Event e;
        while (sys::pollEvent(&e)) {
            if (shell.logo.logo) continue;  // the logo swallows every event
            if (e.type == SDL_QUIT) shell.continuer = 0;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (shell.logo.logo) shell.logo.passe(shell.musique, shell.hauteur, shell.largeur);
        glFlush();
        sys::swapBuffers();
        rythme(tempsPrecedent);
    }
}
