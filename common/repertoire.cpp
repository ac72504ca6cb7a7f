// SPDX-License-Identifier: GPL-3.0-or-later
#include "repertoire.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

namespace {

bool chiffre(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The name without case and accents: ASCII letters in lower case, the Latin
// letters of U+00C0 … U+00FF in UTF-8 as their base letter.
std::string plie(const std::string& s) {
    static const char kBases[] = "aaaaaaaceeeeiiiidnooooo*ouuuuyty";
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const unsigned char suite = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        const char base = c == 0xC3 && suite >= 0x80 && suite <= 0xBF ? kBases[(suite - 0x80) & 0x1F] : 0;
        if (base && base != '*') {
            r += base;
            ++i;
        } else {
            r += static_cast<char>(std::tolower(c));
        }
    }
    return r;
}

bool ordreNaturelPlie(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (chiffre(a[i]) && chiffre(b[j])) {
            size_t fi = i, fj = j;
            while (fi < a.size() && a[fi] == '0') ++fi;
            while (fj < b.size() && b[fj] == '0') ++fj;
            size_t ei = fi, ej = fj;
            while (ei < a.size() && chiffre(a[ei])) ++ei;
            while (ej < b.size() && chiffre(b[ej])) ++ej;
            if (ei - fi != ej - fj) return ei - fi < ej - fj;
            int c = a.compare(fi, ei - fi, b, fj, ej - fj);
            if (c != 0) return c < 0;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b;
}

}  // namespace

bool ordreNaturel(const std::string& a, const std::string& b) {
    const std::string pa = plie(a), pb = plie(b);
    if (ordreNaturelPlie(pa, pb)) return true;
    if (ordreNaturelPlie(pb, pa)) return false;
    return a < b;
}

std::vector<std::string> listerDossier(const std::string& dossier, const std::string& motif) {
    std::vector<std::string> noms;
    DIR* d = opendir(dossier.c_str());
    if (!d) return noms;
    while (dirent* e = readdir(d)) {
        std::string nom = e->d_name;
        if (nom.find(motif) != std::string::npos) noms.push_back(nom);
    }
    closedir(d);
    std::sort(noms.begin(), noms.end(), ordreNaturel);
    return noms;
}

std::vector<std::string> listerFichiers(const std::string& dossier, const std::string& fin) {
    std::vector<std::string> r;
    for (const std::string& nom : listerDossier(dossier, fin)) {
        struct stat s;
        if (nom.size() > fin.size() && nom.compare(nom.size() - fin.size(), fin.size(), fin) == 0 &&
            stat((dossier + "/" + nom).c_str(), &s) == 0 && S_ISREG(s.st_mode))
            r.push_back(nom);
    }
    return r;
}
