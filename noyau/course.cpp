// SPDX-License-Identifier: GPL-3.0-or-later
#include "course.h"

#include <cctype>

namespace {

const char kEntete[] = "vorna-course 1";

// The value of line "CLE VALEUR\n" at `pos`, and `pos` moved past it.
bool ligne(const std::string& t, size_t& pos, const std::string& cle, std::string& valeur) {
    if (t.compare(pos, cle.size() + 1, cle + ' ') != 0) return false;
    const size_t debut = pos + cle.size() + 1;
    const size_t fin = t.find('\n', debut);
    if (fin == std::string::npos) return false;
    valeur = t.substr(debut, fin - debut);
    pos = fin + 1;
    return true;
}

// A non-negative integer written plainly (no sign, no leading zero), at most `max`.
bool entier(const std::string& s, long long max, long long& n) {
    if (s.empty() || s.size() > 18 || (s.size() > 1 && s[0] == '0')) return false;
    n = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        n = n * 10 + (c - '0');
    }
    return n <= max;
}

// The same with an optional minus sign ("-0" is not plain).
bool entierSigne(const std::string& s, long long max, long long& n) {
    if (s.empty() || s[0] != '-') return entier(s, max, n);
    if (!entier(s.substr(1), max, n) || n == 0) return false;
    n = -n;
    return true;
}

bool hexadecimal(const std::string& s) {
    if (s.size() != 64) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'a' || c > 'f')) return false;
    return true;
}

}  // namespace

std::string encoderCourse(const Course& c) {
    return std::string(kEntete) + "\nniveau " + std::to_string(c.niveau) + "\nempreinte " + c.empreinte +
           "\npoints " + std::to_string(c.points) + "\nchrono " + std::to_string(c.chrono) + "\narrivee " +
           std::to_string(c.entrees.pas()) + "\nentrees " + c.entrees.texte() + "\n";
}

bool decoderCourse(const std::string& t, Course& c, std::string& pourquoi) {
    c = Course();
    const std::string entete = std::string(kEntete) + '\n';
    if (t.compare(0, entete.size(), entete) != 0) return pourquoi = "not a run", false;
    size_t pos = entete.size();
    std::string niveau, hex, points, chrono, arrivee, entrees;
    if (!ligne(t, pos, "niveau", niveau) || !ligne(t, pos, "empreinte", hex) || !ligne(t, pos, "points", points) ||
        !ligne(t, pos, "chrono", chrono) || !ligne(t, pos, "arrivee", arrivee) ||
        !ligne(t, pos, "entrees", entrees) || pos != t.size())
        return pourquoi = "malformed run", false;
    long long n = 0, p = 0, ch = 0, a = 0;
    if (!entier(niveau, 1000000, n) || !entierSigne(points, 1000000000, p) || !entier(arrivee, 1LL << 40, a) ||
        !entier(chrono, a, ch))
        return pourquoi = "malformed run", false;
    if (!hexadecimal(hex)) return pourquoi = "malformed level hash", false;
    if (static_cast<unsigned long long>(a) > kPasCourseMax) return pourquoi = "run too long", false;
    if (!c.entrees.lire(entrees, kPasCourseMax) || c.entrees.pas() != static_cast<size_t>(a) ||
        c.entrees.texte() != entrees) {
        c = Course();
        return pourquoi = "malformed inputs", false;
    }
    c.niveau = static_cast<int>(n);
    c.empreinte = hex;
    c.points = static_cast<int>(p);
    c.chrono = ch;
    return true;
}
