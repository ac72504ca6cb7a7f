// SPDX-License-Identifier: GPL-3.0-or-later
// The editor with a map of 1,000 placed objects, drawn for real: an editing
// session of 600 frames on the virtual clock (the cursor travelling over the
// map and back, retyped, the camera stepping out and in, the wire frame, an
// object placed and deleted), drawn the fast way and then, in the same
// process, the plain way (every object's own immediate-mode dessiner).
// Reports the work of a frame: everything but the editor's 30 or 60 ms
// pacing pauses, which the virtual clock skips.
//
//   xvfb-run -a ./bench_editeur
#include <cstdio>
#include <string>

#include "banc.h"
#include "dessin_rapide.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "edition.h"
#include "systeme_script.h"

namespace {

const int kFrames = 600;

Mesure editer(bool simple) {
    choisirDessinSimple(simple);
    SystemeScript systeme;
    systeme.tape(5, SDLK_w, 150);  // over the map, 150 units toward −x
    for (int f = 20; f < 300; f += 50) {
        systeme.tape(f, SDLK_t);
        systeme.bouton(f + 10, f < 150 ? 5 : 4, true, 320, 240);  // the camera out, then in
        systeme.bouton(f + 11, f < 150 ? 5 : 4, false, 320, 240);
    }
    systeme.tape(200, SDLK_RETURN);  // placed, and deleted again
    systeme.tape(260, SDLK_BACKSPACE);
    systeme.tape(300, SDLK_d, 8);
    systeme.tape(320, SDLK_x);  // the wire frame for a while
    systeme.tape(400, SDLK_z);
    systeme.tape(420, SDLK_s, 150);  // and back
    systeme.tape(kFrames - 4, SDLK_ESCAPE);  // and leaving without saving
    systeme.tape(kFrames - 2, SDLK_ESCAPE);

    Mesure m;
    systeme.surImage(mesureur(m));
    editeur::jouer("grande.txt", 0);
    m.x = editeur::instantEdition().objets.back().getX();
    oterChargement(m);
    choisirDessinSimple(false);
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    // "rapide" or "simple" runs the session one way only (to profile it).
    const std::string seul = argc > 1 ? argv[1] : "";
    DossierTemporaire dossier;
    if (!preparerBanc("bench_editeur", dossier)) return 1;
    if (!existe("data/bois.jpg")) donneesEditeur();  // no built data: the test images
    ecrireFichier("maps/grande.txt", carteEditeur(999));  // with the start: 1,000 objects

    if (!seul.empty()) {
        afficherUneFacon(seul, editer(seul == "simple"));
        return 0;
    }
    const Mesure rapide = editer(false);
    const Mesure simple = editer(true);
    if (rapide.travail.size() < 10 || simple.travail.size() < 10) {
        std::fprintf(stderr, "the editing session did not run\n");
        return 1;
    }
    std::printf("editor, 1,000 placed objects and the cursor, %zu frames a session, cursor ended at "
                "x = %.1f (plain way: %.1f)\n",
                rapide.travail.size() + 1, rapide.x, simple.x);
    afficherMesure("fast way", rapide);
    afficherMesure("plain way", simple);
    const double med = rang(rapide.travail, 0.5);
    std::printf("editor, fast way: median frame work %.2f ms (target <= 8): %s; plain / fast: %.1fx\n",
                med, med <= 8 ? "met" : "NOT met", rang(simple.travail, 0.5) / med);
    return 0;
}
