// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the game's memory and start-up: a bare SDL OpenGL window,
// opened as the game opens its own, cleared and shown for 30 frames. Started
// by bench_demarrage under the same probe as the game.
#include <GL/gl.h>
#include <SDL.h>

#include "fenetre.h"
#include "systeme.h"

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    if (!ouvrirFenetreGL(640, 480, 16)) return 1;
    for (int i = 0; i < 30; ++i) {
        glClearColor(0, 0, i / 30.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sys::swapBuffers();
    }
    fermerFenetreGL();
    SDL_Quit();
    return 0;
}
