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

// Controls, format characters, line and paragraph separators, bidi marks
// and embeddings: nothing a name may hold.
bool invisible(long v) {
    return v < 0x20 || (v >= 0x7F && v <= 0x9F) || v == 0xAD || v == 0x061C || v == 0x180E ||
           (v >= 0x200B && v <= 0x200F) || (v >= 0x2028 && v <= 0x202E) || (v >= 0x2060 && v <= 0x206F) ||
           v == 0xFEFF || (v >= 0xFFF9 && v <= 0xFFFB);
}

// Spaces, fillers that draw as nothing and joiners: allowed in a name, but
// not as the whole of it.
bool blanc(long v) {
    return v == 0x20 || v == 0xA0 || v == 0x034F || v == 0x115F || v == 0x1160 || v == 0x1680 || v == 0x17B4 ||
           v == 0x17B5 || (v >= 0x2000 && v <= 0x200A) || v == 0x202F || v == 0x205F || v == 0x2800 ||
           v == 0x3000 || v == 0x3164 || (v >= 0xFE00 && v <= 0xFE0F) || v == 0xFFA0 ||
           (v >= 0xE0000 && v <= 0xE01EF);
}

// `brut` trimmed and checked, `quoi` ("Le nom") saying what it is in the reason.
std::string nettoyer(const std::string& brut, int maximum, const std::string& quoi, std::string& erreur) {
    const char* const kBlancs = " \t\r\n";
    const size_t debut = brut.find_first_not_of(kBlancs);
    const std::string nom = debut == std::string::npos ? "" : brut.substr(debut, brut.find_last_not_of(kBlancs) - debut + 1);
    if (nom.empty()) {
        erreur = quoi + " est vide.";
        return "";
    }
    int caracteres = 0;
    bool visible = false;
    for (size_t i = 0; i < nom.size(); ++caracteres) {
        const long v = suivant(nom, i);
        if (v < 0) {
            erreur = quoi + " n'est pas du texte UTF-8 valide.";
            return "";
        }
        if (invisible(v)) {
            erreur = quoi + " contient un caractère de contrôle.";
            return "";
        }
        visible = visible || !blanc(v);
    }
    if (!visible) {
        erreur = quoi + " n'a aucun caractère visible.";
        return "";
    }
    if (caracteres > maximum) {
        erreur = quoi + " dépasse " + std::to_string(maximum) + " caractères.";
        return "";
    }
    return nom;
}

}  // namespace

std::string nettoyerNom(const std::string& brut, std::string& erreur) {
    return nettoyer(brut, kLongueurNomMax, "Le nom", erreur);
}

std::string nettoyerTitre(const std::string& brut, std::string& erreur) {
    return nettoyer(brut, kLongueurTitreMax, "Le titre", erreur);
}
