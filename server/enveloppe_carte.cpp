// SPDX-License-Identifier: GPL-3.0-or-later
#include "enveloppe_carte.h"

namespace {

// Reads the line "MOT VALUE\n" at `i` into `valeur` (past its '\n'); false when it is not there.
bool ligne(const std::string& corps, size_t& i, const std::string& mot, std::string& valeur) {
    if (corps.compare(i, mot.size() + 1, mot + " ") != 0) return false;
    const size_t fin = corps.find('\n', i);
    if (fin == std::string::npos) return false;
    valeur = corps.substr(i + mot.size() + 1, fin - i - mot.size() - 1);
    i = fin + 1;
    return true;
}

enum class Section { Lue, Illisible, TropGrosse };

// The section "MOT N\n<N bytes>" at `i`, N at most `maximum`.
Section section(const std::string& corps, size_t& i, const std::string& mot, size_t maximum, std::string& octets) {
    std::string taille;
    if (!ligne(corps, i, mot, taille) || taille.empty() || taille.size() > 7 ||
        taille.find_first_not_of("0123456789") != std::string::npos || (taille.size() > 1 && taille[0] == '0'))
        return Section::Illisible;
    const size_t n = std::stoul(taille);
    if (n > maximum) return Section::TropGrosse;
    if (corps.size() - i < n) return Section::Illisible;
    octets = corps.substr(i, n);
    i += n;
    return Section::Lue;
}

}  // namespace

LectureEnveloppe lireEnveloppe(const std::string& corps, EnveloppeCarte& e, std::string& pourquoi) {
    e = EnveloppeCarte();
    if (corps.size() > kCorpsCarteMax) return LectureEnveloppe::TropGrosse;
    size_t i = 0;
    std::string version;
    if (!ligne(corps, i, "vorna-carte", version) || version != "1")
        return pourquoi = "not a map envelope of version 1", LectureEnveloppe::Illisible;
    if (!ligne(corps, i, "titre", e.titre)) return pourquoi = "no title line", LectureEnveloppe::Illisible;
    if (!ligne(corps, i, "auteur", e.auteur)) return pourquoi = "no author line", LectureEnveloppe::Illisible;
    const struct {
        const char* mot;
        size_t maximum;
        std::string* octets;
    } sections[] = {{"carte", kOctetsCarteMax, &e.carte},
                    {"apercu", kOctetsApercuMax, &e.apercu},
                    {"course", kCorpsCarteMax, &e.course}};
    for (const auto& s : sections) {
        const Section lue = section(corps, i, s.mot, s.maximum, *s.octets);
        if (lue == Section::TropGrosse) return pourquoi = std::string(s.mot) + " too large", LectureEnveloppe::TropGrosse;
        if (lue == Section::Illisible)
            return pourquoi = std::string("no whole ") + s.mot + " section", LectureEnveloppe::Illisible;
    }
    if (i != corps.size()) return pourquoi = "bytes after the run", LectureEnveloppe::Illisible;
    return LectureEnveloppe::Lue;
}

std::string ecrireEnveloppe(const EnveloppeCarte& e) {
    return "vorna-carte 1\ntitre " + e.titre + "\nauteur " + e.auteur + "\ncarte " + std::to_string(e.carte.size()) +
           "\n" + e.carte + "apercu " + std::to_string(e.apercu.size()) + "\n" + e.apercu + "course " +
           std::to_string(e.course.size()) + "\n" + e.course;
}
