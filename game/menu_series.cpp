// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_series.h"

#include <algorithm>

#include "series.h"

void MenuSeries::charger() {
    m_series = seriesJouables();
    m_ouverte = 0;
}

std::vector<std::string> MenuSeries::titres() const {
    std::vector<std::string> t;
    for (const Serie& s : m_series) t.push_back(s.titre);
    return t;
}

void MenuSeries::ouvrir(std::size_t k) {
    m_ouverte = std::min(k, m_series.size() - 1);
    m_progression = progressionSerie(serie().nom);
    m_records = recordsConnus(nullptr, cheminRecordsSerie(serie().nom));
}

std::vector<std::string> MenuSeries::niveaux() const {
    std::vector<std::string> n;
    for (unsigned int i = 1; i <= serie().maps.size(); ++i) n.push_back(map(serie(), i));
    return n;
}

unsigned int MenuSeries::ouverts() const {
    return std::min<unsigned int>(m_progression, static_cast<unsigned int>(serie().maps.size()));
}

PlaceSerie MenuSeries::place(unsigned int niveau) const {
    PlaceSerie p;
    p.nom = serie().nom;
    p.niveau = niveau;
    p.ouvert = m_progression;
    p.taille = static_cast<unsigned int>(serie().maps.size());
    return p;
}

std::string MenuSeries::map(const Serie& s, unsigned int niveau) {
    const std::string& f = s.maps.at(niveau - 1);
    return f.substr(0, f.size() - 4);
}

const Serie* MenuSeries::trouver(const std::string& nom) const {
    for (const Serie& s : m_series)
        if (s.nom == nom) return &s;
    return nullptr;
}

long long MenuSeries::total(const Serie& s) {
    long long t = 0;
    for (const auto& n : recordsConnus(nullptr, cheminRecordsSerie(s.nom)).niveaux)
        if (n.first >= 1 && n.first <= s.maps.size()) t += n.second.points;
    return t;
}
