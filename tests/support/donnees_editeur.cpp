// SPDX-License-Identifier: GPL-3.0-or-later
#include "donnees_editeur.h"

#include <cstdio>

#include "dossier.h"

Pixel quadrant(int q) {
    const Pixel p[4] = {{220, 40, 40}, {40, 220, 40}, {40, 40, 220}, {220, 220, 40}};
    return p[q & 3];
}

void donneesEditeur() {
    Image carre(64, 64, 3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const Pixel p = quadrant(x / 32 + 2 * (y / 32));
            carre.mettre(x, y, p.r, p.g, p.b);
        }
    for (const char* f : {"bois", "sol", "caisse", "jump", "speed", "caisse2", "vide", "depart", "save"})
        ecrireJpeg(std::string("data/") + f + ".jpg", carre);

    Image police(160, 160, 4);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) police.mettre(x, y, 255, 255, 255, x % 16 < 8 ? 255 : 0);
    ecrireTga("data/font1.TGA", police);
}

std::string carteEditeur(int n) {
    static const char* const mots[] = {"textureSphere", "textureSol",     "textureJump",   "textureSpeed",
                                       "textureArrivee", "textureVide",   "textureDepart", "textureSauvegarde"};
    std::string s = "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n";
    char l[160];
    for (int k = 0; k < n; ++k) {
        const int i = k / 5, j = k % 5 - 2;
        int type = 1 + k % 7;
        double z = 0, rz = 0;
        const char* mot = mots[type];
        if (type == 1 && k % 3 == 0) mot = "textureCaisse";
        if (k % 13 == 6) type = 1, z = 2, mot = "textureCaisse";  // a wall a level up
        if (k % 97 == 40) type = 0, z = 3, mot = mots[0];        // another start
        if (k % 61 == 30) type = 8 + k % 5, z = 2.5;             // a kind the palette lacks
        if (k % 17 == 9) rz = 30;
        std::snprintf(l, sizeof l, "@%d,%d,%d,%g,5,2,2,1,0,0,%g,%s\n", type, -4 * i, 4 * j, z, rz, mot);
        s += l;
    }
    return s;
}

std::string carteToutDroit() {
    return "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n"
           "@1,-12,0,0,5,22,6,1,0,0,0,textureSol\n"
           "@4,-39,0,0,0,6,6,1,0,0,0,textureArrivee\n";
}
