// SPDX-License-Identifier: GPL-3.0-or-later
#include "fichier_fantome.h"

#include <cctype>
#include <cstdlib>

bool cheminNiveauAdmis(const std::string& chemin) {
    if (chemin.compare(0, 5, "maps/") != 0 || chemin.find('\0') != std::string::npos) return false;
    std::string::size_type debut = 0;
    while (debut <= chemin.size()) {
        std::string::size_type fin = chemin.find('/', debut);
        if (fin == std::string::npos) fin = chemin.size();
        if (chemin.compare(debut, fin - debut, "..") == 0) return false;
        debut = fin + 1;
    }
    return true;
}

bool LecteurFantome::lireEntete(std::string& niveau) {
    niveau.clear();
    std::FILE* f = m_f.get();
    std::rewind(f);
    if (std::fgetc(f) == EOF) return false;
    // The rest of the first line, blanks around it left out: a map's name
    // may hold spaces.
    for (int c; (c = std::fgetc(f)) != EOF && c != '\n';) {
        if (niveau.size() > kLongueurCheminMax + 256) return false;  // far too long, blanks or not
        if (!niveau.empty() || !std::isspace(c)) niveau += static_cast<char>(c);
    }
    while (!niveau.empty() && std::isspace(static_cast<unsigned char>(niveau.back()))) niveau.pop_back();
    return !niveau.empty() && niveau.size() <= kLongueurCheminMax;
}

void LecteurFantome::rembobiner() {
    std::FILE* f = m_f.get();
    std::rewind(f);
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n') {}
}

bool LecteurFantome::suivante(float& x, float& y, float& z) {
    std::FILE* f = m_f.get();
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '@') {}
    if (c == EOF) return false;
    x = y = z = 0;
    if (std::fscanf(f, "%f,%f,%f", &x, &y, &z) < 0) x = y = z = 0;
    return true;
}

std::vector<std::array<float, 3>> LecteurFantome::positions(size_t max) {
    std::vector<std::array<float, 3>> r;
    rembobiner();
    std::array<float, 3> p;
    while (r.size() < max && suivante(p[0], p[1], p[2])) r.push_back(p);
    return r;
}
