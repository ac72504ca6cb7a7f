// SPDX-License-Identifier: GPL-3.0-or-later
#include "historique.h"

namespace editeur {

namespace {

// Replaces, in front of the cursor, the `nombre` objects from `index` on by `par`.
void remplacer(std::vector<Heros>& objets, int index, std::size_t nombre, const std::vector<Heros>& par) {
    const auto debut = objets.begin() + index;
    objets.erase(debut, debut + static_cast<std::ptrdiff_t>(nombre));
    objets.insert(objets.begin() + index, par.begin(), par.end());
}

void appliquer(std::vector<Heros>& objets, const Pas& pas, bool enAvant) {
    if (enAvant) {
        for (const Remplacement& r : pas.remplacements) remplacer(objets, r.index, r.avant.size(), r.apres);
        if (pas.curseurApres) objets.back() = *pas.curseurApres;
        return;
    }
    for (auto r = pas.remplacements.rbegin(); r != pas.remplacements.rend(); ++r)
        remplacer(objets, r->index, r->apres.size(), r->avant);
    if (pas.curseurAvant) objets.back() = *pas.curseurAvant;
}

bool memesGardes(const Heros& a, const Heros& b) {
    const auto &ga = a.getGarde(), &gb = b.getGarde();
    if (a.getMot() != b.getMot()) return false;
    if (!ga || !gb) return !ga && !gb;
    return ga->type == gb->type && ga->texture == gb->texture;
}

}  // namespace

bool Pas::structurel() const {
    if (curseurAvant || curseurApres) return true;
    for (const Remplacement& r : remplacements)
        if (r.avant.size() != r.apres.size()) return true;
    return false;
}

bool identiques(const Heros& a, const Heros& b) {
    return a.getX() == b.getX() && a.getY() == b.getY() && a.getZ() == b.getZ() && a.getVie() == b.getVie() &&
           a.getLX() == b.getLX() && a.getLY() == b.getLY() && a.getLZ() == b.getLZ() && a.getRX() == b.getRX() &&
           a.getRY() == b.getRY() && a.getRZ() == b.getRZ() && a.getObj() == b.getObj() &&
           a.getText() == b.getText() && memesGardes(a, b);
}

void Historique::faire(std::vector<Heros>& objets, Pas pas) {
    appliquer(objets, pas, true);
    noter(std::move(pas));
}

void Historique::noter(Pas pas) {
    m_pas.erase(m_pas.begin() + static_cast<std::ptrdiff_t>(m_position), m_pas.end());
    pas.id = m_prochain++;
    m_pas.push_back(std::move(pas));
    m_position = m_pas.size();
}

const Pas* Historique::annuler(std::vector<Heros>& objets) {
    if (m_position == 0) return nullptr;
    const Pas& pas = m_pas[--m_position];
    appliquer(objets, pas, false);
    return &pas;
}

const Pas* Historique::refaire(std::vector<Heros>& objets) {
    if (m_position == m_pas.size()) return nullptr;
    const Pas& pas = m_pas[m_position++];
    appliquer(objets, pas, true);
    return &pas;
}

}  // namespace editeur
