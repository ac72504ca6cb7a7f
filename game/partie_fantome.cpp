// The ghost recording of a run: one position per frame into a working file,
// kept under a numbered name at the end when the player asked for it.

#include <cerrno>
#include <cstdio>

#include "fichiers.h"
#include "partie.h"
#include "textes_partie.h"

namespace {

const char* const kFantomeTravail = "ghost/ghost.qzg";

}  // namespace

std::string Partie::nomFantome(int numero) const {
    return m.m_scenario
               ? formater("ghost/map%dghost%d.qzg", static_cast<int>(m.m_mapScenario), numero)
               : "ghost/" + m.m_mapALoad + "ghost" + std::to_string(numero) + ".qzg";
}

void Partie::fantomeDebut() {
    numeroFantome = m.m_nbre_game + m.m_nombre_ghost + 1;
    ghost = nomFantome(numeroFantome);
    fghost = std::fopen(kFantomeTravail, "w");
    if (!fghost) {
        std::fprintf(stderr, "vorna: cannot record the ghost (%s): playing without recording\n",
                     kFantomeTravail);
        ghost.clear();
        return;
    }
    std::fprintf(fghost, "@%s\n", cheminNiveau.c_str());
}

void Partie::fantomeEchantillon() {
    if (!fghost || niveau > 98 || !m.m_fantome || m.m_pause) return;
    Heros& b = balle();
    std::fprintf(fghost, "@%f,%f,%f\n", b.getX(), b.getY(), b.getZ());
}

void Partie::fantomeRecommencer() {
    const bool actif = m.m_scenario ? niveau <= 98 : niveau == 1;
    if (!actif) return;
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    fantomeDebut();
}

void Partie::fantomeFin() {
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    if (!renameghost) {
        std::remove(kFantomeTravail);
        return;
    }
    m.m_nbre_game += 1;
    if (ghost.empty()) return;
    // An existing ghost is never replaced: the new one takes the next free
    // number (a player may have deleted ghosts, so numbers can meet).
    for (int n = numeroFantome; n < numeroFantome + 10000; ++n) {
        if (renommerSansRemplacer(kFantomeTravail, nomFantome(n))) return;
        if (errno != EEXIST) break;
    }
    std::fprintf(stderr, "vorna: cannot keep the ghost %s: it stays in %s until the next run\n",
                 ghost.c_str(), kFantomeTravail);
}
