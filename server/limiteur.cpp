// SPDX-License-Identifier: GPL-3.0-or-later
#include "limiteur.h"

namespace {
const double kFenetre = 60;
}

bool Limiteur::accepter(const std::string& adresse, double maintenant) {
    if (m_parMinute <= 0) return true;
    std::lock_guard<std::mutex> verrou(m_mutex);
    if (maintenant - m_dernierMenage >= kFenetre) oublierLesAnciens(maintenant);
    std::deque<double>& a = m_actions[adresse];
    while (!a.empty() && maintenant - a.front() >= kFenetre) a.pop_front();
    if (a.size() >= static_cast<size_t>(m_parMinute)) return false;
    a.push_back(maintenant);
    return true;
}

void Limiteur::oublierLesAnciens(double maintenant) {
    m_dernierMenage = maintenant;
    for (auto it = m_actions.begin(); it != m_actions.end();) {
        if (it->second.empty() || maintenant - it->second.back() >= kFenetre)
            it = m_actions.erase(it);
        else
            ++it;
    }
}
