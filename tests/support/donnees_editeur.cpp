#include "donnees_editeur.h"

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
