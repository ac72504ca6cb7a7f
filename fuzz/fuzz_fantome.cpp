// SPDX-License-Identifier: GPL-3.0-or-later
// Ghost files: any bytes read without a crash; the replay reads at most one
// position per byte; only a level path inside maps/ is accepted; and what the
// recording writes reads back the same (written, read back and written again,
// a ghost gives the same bytes).
#include <array>
#include <string>
#include <vector>

#include "fichier_fantome.h"
#include "memoire.h"

namespace {

struct Fantome {
    bool entete = false;
    std::string niveau;
    std::vector<std::array<float, 3>> positions;
};

Fantome lire(FichierLu f, size_t taille) {
    Fantome g;
    LecteurFantome l(std::move(f));
    g.entete = l.lireEntete(g.niveau);
    exiger(!g.entete || (!g.niveau.empty() && g.niveau.size() <= kLongueurCheminMax),
           "a header is one bounded word");
    for (int tour = 0; tour < 2; ++tour) {  // Return restarts the replay
        l.rembobiner();
        g.positions.clear();
        std::array<float, 3> p;
        while (l.suivante(p[0], p[1], p[2])) {
            g.positions.push_back(p);
            exiger(g.positions.size() <= taille, "at most one position per byte");
        }
    }
    return g;
}

std::string ecrire(const Fantome& g) {
    return ecrit([&](std::FILE* f) {
        exiger(ecrireEnteteFantome(f, g.niveau), "the header is written");
        for (const auto& p : g.positions) exiger(ecrirePositionFantome(f, p[0], p[1], p[2]), "a position is written");
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const Fantome lu = lire(fichierDe(donnees, taille), taille);
    const bool admis = cheminNiveauAdmis(lu.niveau);
    if (admis) {
        const std::string& n = lu.niveau;
        exiger(n.compare(0, 5, "maps/") == 0, "an accepted level lies inside maps/");
        exiger(n.find("/../") == std::string::npos && n.compare(n.size() - 3, 3, "/..") != 0,
               "an accepted level never climbs out of maps/");
    }
    if (!lu.entete || !admis) return 0;

    // A header the game could have written: the recording's format round trip.
    const std::string ecrit1 = ecrire(lu);
    const Fantome relu = lire(fichierDe(ecrit1), ecrit1.size());
    exiger(relu.entete && relu.niveau == lu.niveau, "the level path reads back");
    exiger(relu.positions.size() == lu.positions.size(), "every position reads back");
    exiger(ecrire(relu) == ecrit1, "written again, the ghost gives the same bytes");
    return 0;
}
