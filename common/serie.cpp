// SPDX-License-Identifier: GPL-3.0-or-later
#include "serie.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "caracteres.h"
#include "fichiers.h"
#include "lecture.h"
#include "repertoire.h"

const char* const kDossierSeries = "maps/sets";

namespace {

// The longest line read: a map name holds at most 255 bytes.
const std::size_t kLigneSerieMax = 1024;

std::string sansBlancs(const std::string& s) {
    const std::string::size_type d = s.find_first_not_of(" \t\r");
    if (d == std::string::npos) return "";
    return s.substr(d, s.find_last_not_of(" \t\r") - d + 1);
}

bool fichierRegulier(const std::string& chemin) {
    struct stat st;
    return stat(chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Why `ligne` names no playable map of maps/, or "".
std::string refusMap(const std::string& ligne) {
    if (ligne.size() > 255 || ligne.find('/') != std::string::npos || ligne[0] == '.')
        return "is not a map file name of maps/";
    for (unsigned char c : ligne)
        if (c < 0x20 || c == 0x7f) return "holds a control character";
    if (ligne.size() <= 4 || ligne.compare(ligne.size() - 4, 4, ".txt") != 0) return "is not a map (a .txt file)";
    if (!fichierRegulier("maps/" + ligne)) return "names a map missing from maps/";
    return "";
}

}  // namespace

Serie lireSerie(const std::string& nom, bool& jouable) {
    jouable = false;
    Serie s;
    s.nom = nom;
    const std::string chemin = std::string(kDossierSeries) + "/" + nom + ".txt";
    FichierLu f = ouvrirLecture(chemin, "level set");
    if (!f) return s;
    std::string ligne;
    int numero = 0;
    bool titre = false;
    for (int c = std::fgetc(f.get());; c = std::fgetc(f.get())) {
        if (c != EOF && c != '\n') {
            if (ligne.size() <= kLigneSerieMax) ligne += static_cast<char>(c);
            continue;
        }
        ++numero;
        const std::string l = sansBlancs(ligne);
        ligne.clear();
        if (!l.empty() && l[0] != '#') {
            const auto dire = [&](const std::string& quoi) {
                std::fprintf(stderr, "%s: level set \"%s\", line %d: \"%s\" %s\n", program_invocation_short_name,
                             chemin.c_str(), numero, l.substr(0, 80).c_str(), quoi.c_str());
            };
            if (!titre) {
                titre = true;
                s.titre = l;
                const std::u32string car = enCaracteres(l);
                if (car.size() > kTitreSerieMax) {
                    s.titre = enUtf8(car.substr(0, kTitreSerieMax));
                    dire("is longer than " + std::to_string(kTitreSerieMax) + " characters: the title is cut");
                }
            } else if (const std::string refus = refusMap(l); !refus.empty()) {
                dire(refus + "; it is left out");
            } else {
                s.maps.push_back(l);
            }
        }
        if (c == EOF) break;
    }
    jouable = !s.maps.empty();
    if (!jouable)
        std::fprintf(stderr, "%s: level set \"%s\" has no map to play; it is not offered\n",
                     program_invocation_short_name, chemin.c_str());
    return s;
}

std::vector<Serie> seriesJouables() {
    std::vector<Serie> r;
    for (const std::string& f : listerFichiers(kDossierSeries, ".txt")) {
        bool jouable = false;
        Serie s = lireSerie(f.substr(0, f.size() - 4), jouable);
        if (jouable) r.push_back(std::move(s));
    }
    return r;
}

std::string texteSerie(const Serie& s) {
    std::string t = s.titre + "\n";
    for (const std::string& m : s.maps) t += m + "\n";
    return t;
}

std::string nomDeSerie(const std::string& titre) {
    std::string n;
    bool tiret = false;
    for (char c : titre) {
        const bool garde = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
        if (garde) {
            if (tiret && !n.empty()) n += '-';
            n += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        tiret = !garde;
    }
    return n.empty() ? "serie" : n.substr(0, 100);
}

bool ecrireSerie(const Serie& s) {
    std::error_code ec;
    std::filesystem::create_directories(kDossierSeries, ec);
    return ecrireFichierAtomique(std::string(kDossierSeries) + "/" + s.nom + ".txt", texteSerie(s));
}
