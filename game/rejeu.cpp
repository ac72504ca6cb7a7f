// SPDX-License-Identifier: GPL-3.0-or-later
#include "rejeu.h"

#include <cstdio>

#include "fichier_fantome.h"
#include "niveau.h"
#include "scenarios.h"
#include "scene.h"

namespace {

// The scenario level a path names ("maps/niveau/map3.qzm"), or 0.
unsigned int numeroScenario(const std::string& chemin) {
    unsigned int n = 0;
    char fin = 0;
    if (std::sscanf(chemin.c_str(), "maps/niveau/map%u.qz%c", &n, &fin) == 2 && cheminScenario(n) == chemin) return n;
    return 0;
}

}  // namespace

bool Rejeu::rejouer(const std::string& texteGhost, std::string& pourquoi) {
    m_simulation.reset();
    const size_t finEntete = texteGhost.find('\n');
    niveau = texteGhost.substr(texteGhost.empty() ? 0 : 1, finEntete == std::string::npos ? 0 : finEntete - 1);
    const std::string entrees = entreesFantome(texteGhost);
    if (entrees.empty()) return pourquoi = "it keeps no inputs", false;
    if (!journal.lire(entrees, kEchantillonsMax * 64)) return pourquoi = "its inputs are damaged", false;
    ContenuNiveau contenu;
    if (!cheminNiveauAdmis(niveau) || !chargerNiveau(niveau, ReglesNiveau(), contenu))
        return pourquoi = "its level " + niveau + " cannot be read", false;
    Simulation::Depart depart;
    const unsigned int n = numeroScenario(niveau);
    depart.scenario = n > 0;
    if (const NiveauScenario* s = niveauScenario(n)) depart.pointsDepart = s->points;
    m_simulation = std::make_unique<Simulation>(balleDuNiveau(contenu), std::move(contenu.cubes),
                                                std::move(contenu.bonus), depart);
    ::rejouer(*m_simulation, journal);
    return true;
}

std::string Rejeu::fantome(size_t debut) const {
    return texteFantome(niveau, m_simulation->echantillons(), debut, &journal);
}
