// SPDX-License-Identifier: GPL-3.0-or-later
#include "caracteres.h"

#include <unordered_map>

namespace {

// The characters of the cells from 100 on, in order.
std::u32string caracteresAjoutes() {
    std::u32string r = U"!\"#$%&()*+/{|}~";
    for (char32_t c = 0xA1; c <= 0x17F; ++c)
        if (c != 0xAD) r += c;  // the soft hyphen draws nothing
    r += U"\u2013\u2014\u2018\u2019\u201A\u201C\u201D\u201E\u2026\u20AC";
    r += kCaractereManquant;
    return r;
}

const std::u32string& ajoutes() {
    static const std::u32string r = caracteresAjoutes();
    return r;
}

const std::unordered_map<char32_t, int>& cellules() {
    static const std::unordered_map<char32_t, int> r = [] {
        std::unordered_map<char32_t, int> m;
        for (int c = 0; c < kColonnesAtlas * kLignesAtlas; ++c)
            if (const char32_t x = caractereDeCellule(c)) m.emplace(x, c);  // the first cell of a character
        // The cells of '<', '>', '@' and ';' draw them as their punctuation.
        for (char32_t x : U"<>@;")
            if (x) m[x] = static_cast<int>(x) - '0';
        return m;
    }();
    return r;
}

// The length of the well-formed sequence at `i`, or 0.
std::size_t longueurSequence(const std::string& t, std::size_t i, char32_t& c) {
    const unsigned char o = static_cast<unsigned char>(t[i]);
    std::size_t n = o < 0x80 ? 1 : (o & 0xE0) == 0xC0 ? 2 : (o & 0xF0) == 0xE0 ? 3 : (o & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > t.size()) return 0;
    c = n == 1 ? o : o & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const unsigned char s = static_cast<unsigned char>(t[i + k]);
        if ((s & 0xC0) != 0x80) return 0;
        c = (c << 6) | (s & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not well formed.
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < minimum[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::u32string enCaracteres(const std::string& texte) {
    std::u32string r;
    for (std::size_t i = 0; i < texte.size();) {
        char32_t c = 0;
        const std::size_t n = longueurSequence(texte, i, c);
        r += n ? c : kCaractereManquant;
        i += n ? n : 1;
    }
    return r;
}

std::string enUtf8(const std::u32string& texte) {
    std::string r;
    for (char32_t c : texte) {
        if (c < 0x80) {
            r += static_cast<char>(c);
            continue;
        }
        const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        r += static_cast<char>(((0xF00 >> n) & 0xFF) | (c >> (6 * (n - 1))));
        for (int k = n - 2; k >= 0; --k) r += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return r;
}

std::size_t nombreCaracteres(const std::string& texte) { return enCaracteres(texte).size(); }

char32_t caractereDeCellule(int cellule) {
    if (cellule < 0 || cellule >= kColonnesAtlas * kLignesAtlas) return 0;
    if (cellule < kPremiereCelluleAjoutee) {
        const char32_t c = static_cast<char32_t>('0' + cellule);
        switch (c) {
        case '<': return '.';
        case '>': return '\'';
        case '@': return '-';
        case ';': return ',';
        default: return c <= 'z' ? c : 0;
        }
    }
    const std::size_t i = static_cast<std::size_t>(cellule - kPremiereCelluleAjoutee);
    return i < ajoutes().size() ? ajoutes()[i] : 0;
}

int celluleGlyphe(char32_t c) {
    if (c <= ' ' || c == 0x7F || c == 0xA0 || c == 0xAD || (c >= 0x80 && c < 0xA0)) return 0;
    const auto& m = cellules();
    const auto i = m.find(c);
    return i != m.end() ? '0' + i->second : celluleManquante();
}

int celluleManquante() { return '0' + kPremiereCelluleAjoutee + static_cast<int>(ajoutes().size()) - 1; }
