// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_mo.h"

#include <cstdint>

namespace {

// The layout: a magic number (which also gives the byte order), the format's
// revision, the number of texts, then where the table of the ids and the
// table of their translations start; each table holds, per text, its length
// (without the closing NUL) and its offset.
const uint32_t kMagie = 0x950412de;
const uint32_t kMagieInversee = 0xde120495;  // written on a machine of the other byte order
const size_t kEntete = 20;

class Lecteur {
public:
    Lecteur(const std::string& octets, bool grosBout) : m_octets(octets), m_grosBout(grosBout) {}

    // The 32-bit word at `position` (which the caller has checked).
    uint32_t mot(uint64_t position) const {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const auto octet = static_cast<unsigned char>(m_octets[position + (m_grosBout ? i : 3 - i)]);
            v = v << 8 | octet;
        }
        return v;
    }

    // Text `i` of the table at `table`, up to its first NUL; false past the end.
    bool texte(uint64_t table, uint32_t i, std::string& t) const {
        const uint64_t longueur = mot(table + 8ull * i), debut = mot(table + 8ull * i + 4);
        if (debut + longueur > m_octets.size()) return false;
        t.assign(m_octets, debut, longueur);
        t.resize(t.find('\0') == std::string::npos ? t.size() : t.find('\0'));
        return true;
    }

private:
    const std::string& m_octets;
    bool m_grosBout;
};

uint32_t motPetitBout(const std::string& o) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(o[i]);
    return v;
}

}  // namespace

bool lireMo(const std::string& octets, CatalogueMo& textes, std::string& faute) {
    textes.clear();
    if (octets.size() < kEntete) return faute = "too short for a .mo catalogue", false;
    const uint32_t magie = motPetitBout(octets);
    const bool grosBout = magie != kMagie;
    if (grosBout && magie != kMagieInversee)
        return faute = "not a .mo catalogue (no magic number)", false;
    const Lecteur l(octets, grosBout);
    if (l.mot(4) >> 16 > 1) return faute = "a .mo catalogue of an unknown revision", false;
    const uint64_t nombre = l.mot(8), ids = l.mot(12), traductions = l.mot(16);
    if (ids + 8 * nombre > octets.size() || traductions + 8 * nombre > octets.size())
        return faute = "its tables of " + std::to_string(nombre) + " texts go past the end of the file", false;
    std::string id, traduction;
    for (uint32_t i = 0; i < nombre; ++i) {
        if (!l.texte(ids, i, id) || !l.texte(traductions, i, traduction)) {
            textes.clear();
            return faute = "text " + std::to_string(i) + " goes past the end of the file", false;
        }
        if (!id.empty() && !traduction.empty()) textes[id] = traduction;
    }
    return true;
}
