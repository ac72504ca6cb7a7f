// SPDX-License-Identifier: GPL-3.0-or-later
#include "nom_joueur.h"

#include <cstdint>

namespace {

// The next code point of `s` from `i` (advanced past it), or -1 when the
// bytes there are not well-formed UTF-8 (overlong, surrogate, beyond U+10FFFF).
long suivant(const std::string& s, size_t& i) {
    const auto octet = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = octet(i);
    int suite = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (suite < 0 || s.size() - i <= static_cast<size_t>(suite)) return -1;  // cut short
    long v = suite == 0 ? c : c & (0x3F >> suite);
    for (int k = 1; k <= suite; ++k) {
        if ((octet(i + k) & 0xC0) != 0x80) return -1;
        v = (v << 6) | (octet(i + k) & 0x3F);
    }
    static const long kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (v < kMinimum[suite] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return -1;
    i += static_cast<size_t>(suite) + 1;
    return v;
}

bool invisible(long v) {
    return v < 0x20 || (v >= 0x7F && v <= 0x9F) || (v >= 0x200B && v <= 0x200F) ||
           (v >= 0x202A && v <= 0x202E) || (v >= 0x2060 && v <= 0x2069) || v == 0xFEFF;
}

}  // namespace

std::string nettoyerNom(const std::string& brut, std::string& erreur) {
    const char* const kBlancs = " \t\r\n";
    const size_t debut = brut.find_first_not_of(kBlancs);
    const std::string nom = debut == std::string::npos ? "" : brut.substr(debut, brut.find_last_not_of(kBlancs) - debut + 1);
    if (nom.empty()) {
        erreur = "Le nom est vide.";
        return "";
    }
    int caracteres = 0;
    for (size_t i = 0; i < nom.size(); ++caracteres) {
        const long v = suivant(nom, i);
        if (v < 0) {
            erreur = "Le nom n'est pas du texte UTF-8 valide.";
            return "";
        }
        if (invisible(v)) {
            erreur = "Le nom contient un caractère de contrôle.";
            return "";
        }
    }
    if (caracteres > kLongueurNomMax) {
        erreur = "Le nom dépasse " + std::to_string(kLongueurNomMax) + " caractères.";
        return "";
    }
    return nom;
}
