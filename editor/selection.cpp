// SPDX-License-Identifier: GPL-3.0-or-later
#include "selection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "niveau.h"
#include "palette.h"
#include "traduction.h"

namespace editeur {

bool Selection::contient(int i) const { return std::binary_search(m_groupe.begin(), m_groupe.end(), i); }

void Selection::suivante(int n) {
    if (n <= 0) return;
    choisir(m_index < 0 ? 0 : (m_index + 1) % n);
}

void Selection::precedente(int n) {
    if (n <= 0) return;
    choisir(m_index <= 0 ? n - 1 : m_index - 1);
}

void Selection::choisirTous(std::vector<int> indices, bool ajouter) {
    if (!ajouter) aucune();
    if (indices.empty()) return;
    m_index = indices.back();
    m_groupe.insert(m_groupe.end(), indices.begin(), indices.end());
    std::sort(m_groupe.begin(), m_groupe.end());
    m_groupe.erase(std::unique(m_groupe.begin(), m_groupe.end()), m_groupe.end());
}

void Selection::basculer(int index) {
    if (!contient(index)) return choisirTous({index}, true);
    m_groupe.erase(std::find(m_groupe.begin(), m_groupe.end(), index));
    if (m_index == index) m_index = m_groupe.empty() ? -1 : m_groupe.back();
}

void Selection::valider(int n) {
    while (!m_groupe.empty() && m_groupe.back() >= n) m_groupe.pop_back();
    if (m_index >= n) m_index = m_groupe.empty() ? -1 : m_groupe.back();
}

std::string nomDuType(const Heros& h) {
    if (!h.getGarde()) return objToChar(h.getObj(), "nature");
    const std::string classe = classeDuType(h.getGarde()->type);
    return classe.empty() ? "type " + std::to_string(h.getGarde()->type) : classe;
}

std::string explicationDuType(const Heros& h) {
    return h.getGarde() ? tr("Garde tel que lu dans la map") : objToChar(h.getObj(), "explication");
}

std::string nombreCourt(double v) {
    char t[32];
    std::snprintf(t, sizeof t, "%.2f", std::round(v * 100) / 100 + 0.0);  // no "-0.00"
    std::string s = t;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string coordonnees(const Heros& h) {
    return "x " + nombreCourt(h.getX()) + " y " + nombreCourt(h.getY()) + " z " + nombreCourt(h.getZ()) +
           "  " + tr("taille") + " " + nombreCourt(h.getLX()) + " " + nombreCourt(h.getLY()) + " " + nombreCourt(h.getLZ());
}

}  // namespace editeur
