// SPDX-License-Identifier: GPL-3.0-or-later
#include "selection.h"

#include <cmath>
#include <cstdio>

#include "niveau.h"
#include "palette.h"
#include "traduction.h"

namespace editeur {

void Selection::suivante(int n) {
    if (n <= 0) return;
    m_index = m_index < 0 ? 0 : (m_index + 1) % n;
}

void Selection::precedente(int n) {
    if (n <= 0) return;
    m_index = m_index <= 0 ? n - 1 : m_index - 1;
}

void Selection::valider(int n) {
    if (m_index >= n) m_index = -1;
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
