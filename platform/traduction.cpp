// SPDX-License-Identifier: GPL-3.0-or-later
#include "traduction.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

namespace {

// The values a format takes, by position: each its length modifier and
// conversion ("ld", "s"), "*" for a width or precision given as a value;
// an empty place for a position no conversion takes. A malformed
// conversion gives a place "?".
std::vector<std::string> valeurs(const char* f) {
    std::vector<std::string> v;
    size_t suivante = 0;  // the next position taken in order
    auto placer = [&](size_t position, const std::string& quoi) {
        if (position >= v.size()) v.resize(position + 1);
        v[position] = v[position].empty() || v[position] == quoi ? quoi : "?";
    };
    // A number followed by '$': a position (1 and up); else `defaut`.
    auto position = [&](const char*& p, size_t defaut) {
        const char* q = p;
        while (*q >= '0' && *q <= '9') ++q;
        if (q == p || *q != '$') return defaut;
        const size_t n = std::strtoul(p, nullptr, 10);
        p = q + 1;
        return n > 0 && n < 100 ? n - 1 : 99;
    };
    for (const char* p = std::strchr(f, '%'); p; p = std::strchr(p, '%')) {
        ++p;
        if (*p == '%') {
            ++p;
            continue;
        }
        size_t ici = position(p, suivante);
        while (*p && std::strchr("-+ #0'I", *p)) ++p;
        for (int champ = 0; champ < 2; ++champ) {  // the width, then the precision
            if (champ == 1 && *p != '.') break;
            if (champ == 1) ++p;
            if (*p == '*') {
                ++p;
                const size_t place = position(p, suivante);
                placer(place, "*");
                suivante = place + 1;
                if (ici == place) ici = suivante;
            }
            while (*p >= '0' && *p <= '9') ++p;
        }
        std::string conversion;
        while (*p && std::strchr("hlLqjzt", *p)) conversion += *p++;
        if (!*p) break;
        conversion += *p == 'i' ? 'd' : *p;  // the same value
        ++p;
        placer(ici, conversion);
        suivante = ici + 1;
    }
    return v;
}

std::mutex verrouNommees;

// The translation of `texte` when it takes the same values; else `texte`,
// the translation named on standard error the first time.
const char* verifiee(const char* texte, const char* traduction) {
    if (traduction == texte || (!std::strchr(texte, '%') && !std::strchr(traduction, '%'))) return traduction;
    if (memesConversions(texte, traduction)) return traduction;
    static std::set<std::string> nommees;
    std::lock_guard<std::mutex> g(verrouNommees);
    if (nommees.insert(texte).second)
        std::fprintf(stderr, "%s: the translation \"%s\" of \"%s\" does not take the same values; ignored\n",
                     program_invocation_short_name, traduction, texte);
    return texte;
}

}  // namespace

bool memesConversions(const char* texte, const char* traduction) {
    const std::vector<std::string> v = valeurs(texte);
    return v == valeurs(traduction) && std::find(v.begin(), v.end(), "?") == v.end();
}

const char* tr(const char* texte) { return *texte ? verifiee(texte, gettext(texte)) : texte; }

const char* trContexte(const char* contexte, const char* texte) {
    // gettext's own form of a message with a context: the context, the
    // byte 4, the text.
    const std::string cle = std::string(contexte) + '\004' + texte;
    const char* t = gettext(cle.c_str());
    return t == cle.c_str() ? texte : verifiee(texte, t);
}

std::string formater(const char* format, ...) {
    va_list a, b;
    va_start(a, format);
    va_copy(b, a);
    const int n = std::vsnprintf(nullptr, 0, format, a);
    va_end(a);
    std::string r(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(r.data(), r.size() + 1, format, b);
    va_end(b);
    return r;
}
