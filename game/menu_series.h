// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MENU_SERIES_H
#define VORNA_MENU_SERIES_H

#include <string>
#include <vector>

#include "jeu.h"
#include "records.h"
#include "serie.h"

// The level sets of one's own the menu offers under "Scenario", after the
// scenario's levels, and the one whose list of levels is open: unlocked one
// by one as the scenario is, each with its own records.
class MenuSeries {
public:
    // The sets of maps/sets that can be played.
    void charger();
    const std::vector<Serie>& series() const { return m_series; }
    // Their titles, as the scenario list shows them after its levels.
    std::vector<std::string> titres() const;

    // Opens set number `k`: its progress and records read again.
    void ouvrir(std::size_t k);
    std::size_t ouverte() const { return m_ouverte; }
    const Serie& serie() const { return m_series[m_ouverte]; }
    // Its levels as listed: the maps' names without ".txt".
    std::vector<std::string> niveaux() const;
    // The levels that can be chosen: the unlocked ones.
    unsigned int ouverts() const;
    const Records& records() const { return m_records; }
    // Where level `niveau` (from 1) of the open set is played from.
    PlaceSerie place(unsigned int niveau) const;
    // The map name (without ".txt") of level `niveau` (from 1) of `place`'s set.
    static std::string map(const Serie& s, unsigned int niveau);

    // The set named `nom` (a file's name), or null.
    const Serie* trouver(const std::string& nom) const;
    // The total of the points of the records of the set `nom`.
    static long long total(const Serie& s);

private:
    std::vector<Serie> m_series;
    std::size_t m_ouverte = 0;
    unsigned int m_progression = 1;
    Records m_records;
};

#endif
