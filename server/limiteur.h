// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_LIMITEUR_H
#define VORNA_SCORES_LIMITEUR_H

#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

// At most `parMinute` actions of one address in any 60 seconds (0: no
// limit). The refused ones do not count. Addresses idle for a minute are
// forgotten, so the memory stays bounded by the addresses of the last minute.
class Limiteur {
public:
    explicit Limiteur(int parMinute) : m_parMinute(parMinute) {}
    // True when `adresse` may act at `maintenant` (seconds of a steady clock); counts it.
    bool accepter(const std::string& adresse, double maintenant);

private:
    void oublierLesAnciens(double maintenant);

    int m_parMinute;
    std::unordered_map<std::string, std::deque<double>> m_actions;
    double m_dernierMenage = 0;
    std::mutex m_mutex;
};

#endif
