// SPDX-License-Identifier: GPL-3.0-or-later
#include "entrees_pas.h"

#include <cctype>

namespace {

const char kLettres[] = "HBDGEXCQM";

char lettre(const Appui& a) {
    const char c = kLettres[static_cast<int>(a.touche)];
    const bool toujoursEnfoncee = a.touche == Touche::Quitter || a.touche == Touche::Manette;
    return a.enfoncee || toujoursEnfoncee ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The press or release a letter stands for; false for any other character
// (and for the small q and m, which nothing writes).
bool appui(char c, Appui& a) {
    const char grande = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 0; kLettres[i]; ++i) {
        if (kLettres[i] != grande) continue;
        a.touche = static_cast<Touche>(i);
        a.enfoncee = c == grande;
        return a.enfoncee || (a.touche != Touche::Quitter && a.touche != Touche::Manette);
    }
    return false;
}

}  // namespace

void Journal::fermerVides() {
    if (m_vides == 1) m_texte += '.';
    if (m_vides > 1) m_texte += std::to_string(m_vides) + '.';
    m_vides = 0;
}

void Journal::ajouter(const EntreesPas& pas) {
    ++m_pas;
    if (pas.empty()) {
        ++m_vides;
        return;
    }
    fermerVides();
    for (const Appui& a : pas) m_texte += lettre(a);
    m_texte += '.';
}

std::string Journal::texte() const {
    Journal j(*this);
    j.fermerVides();
    return j.m_texte;
}

bool Journal::lire(const std::string& texte, size_t pasMax) {
    *this = Journal();
    size_t nombre = 0;
    bool chiffres = false, lettres = false;
    for (char c : texte) {
        Appui a{};
        if (c == '.') {
            const size_t n = chiffres ? nombre : 1;
            if (n == 0 || m_pas + n > pasMax) return *this = Journal(), false;
            if (lettres) {
                m_texte += '.';
                ++m_pas;
            } else {
                m_vides += n;
                m_pas += n;
            }
            nombre = 0;
            chiffres = lettres = false;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && !lettres) {
            if (nombre > pasMax) return *this = Journal(), false;
            nombre = nombre * 10 + static_cast<size_t>(c - '0');
            chiffres = true;
        } else if (!chiffres && appui(c, a)) {
            if (!lettres) fermerVides();
            m_texte += c;
            lettres = true;
        } else {
            return *this = Journal(), false;
        }
    }
    if (chiffres || lettres) return *this = Journal(), false;  // a step left open
    return true;
}

bool Journal::Lecteur::suivant(EntreesPas& pas) {
    pas.clear();
    if (m_lus == m_j.m_pas) return false;
    ++m_lus;
    if (m_vides > 0) {
        --m_vides;
        return true;
    }
    const std::string& t = m_j.m_texte;
    if (m_pos >= t.size()) return true;  // a quiet step at the end, not yet written
    size_t nombre = 0;
    bool chiffres = false;
    for (; t[m_pos] != '.'; ++m_pos) {
        Appui a{};
        if (appui(t[m_pos], a)) {
            pas.push_back(a);
        } else {
            nombre = nombre * 10 + static_cast<size_t>(t[m_pos] - '0');
            chiffres = true;
        }
    }
    ++m_pos;  // the '.'
    if (chiffres) m_vides = nombre - 1;
    return true;
}
