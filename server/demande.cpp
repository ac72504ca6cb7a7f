// SPDX-License-Identifier: GPL-3.0-or-later
#include "demande.h"

#include <strings.h>

namespace {

int chiffre(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string decoderUrl(const std::string& texte, bool plusEspace) {
    std::string s;
    s.reserve(texte.size());
    for (size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == '%' && i + 2 < texte.size() && chiffre(texte[i + 1]) >= 0 && chiffre(texte[i + 2]) >= 0) {
            s += static_cast<char>(chiffre(texte[i + 1]) * 16 + chiffre(texte[i + 2]));
            i += 2;
        } else {
            s += plusEspace && c == '+' ? ' ' : c;  // a lone '%' stays as it is
        }
    }
    return s;
}

void lireParametres(const std::string& texte, std::multimap<std::string, std::string>& params) {
    size_t debut = 0;
    while (debut <= texte.size()) {
        size_t fin = texte.find('&', debut);
        if (fin == std::string::npos) fin = texte.size();
        const std::string paire = texte.substr(debut, fin - debut);
        if (!paire.empty()) {
            const size_t egal = paire.find('=');
            params.emplace(decoderUrl(paire.substr(0, egal), true),
                           egal == std::string::npos ? std::string() : decoderUrl(paire.substr(egal + 1), true));
        }
        debut = fin + 1;
    }
}

std::string Demande::entete(const std::string& nom) const {
    for (const auto& e : entetes)
        if (strcasecmp(e.first.c_str(), nom.c_str()) == 0) return e.second;
    return "";
}

bool Demande::aEntete(const std::string& nom) const {
    for (const auto& e : entetes)
        if (strcasecmp(e.first.c_str(), nom.c_str()) == 0) return true;
    return false;
}

std::string Demande::param(const std::string& nom) const {
    const auto it = params.find(nom);
    return it == params.end() ? std::string() : it->second;
}
