// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_DEMANDE_H
#define VORNA_SCORES_DEMANDE_H

#include <map>
#include <string>
#include <utility>
#include <vector>

// A request as the handlers see it: read whole, its query (and a form's
// body) decoded into `params`.
struct Demande {
    std::string methode, cible, chemin;  // "GET", "/niveau/3?x=1", "/niveau/3"
    std::multimap<std::string, std::string> params;
    std::vector<std::pair<std::string, std::string>> entetes;
    std::string corps;
    std::string adresse;  // the peer's address (an IPv4 one as such, never ::ffff:)
    // The first header of that name, case aside ("" when absent).
    std::string entete(const std::string& nom) const;
    bool aEntete(const std::string& nom) const;
    size_t nombreDe(const std::string& param) const { return params.count(param); }
    std::string param(const std::string& nom) const;  // the first one, or ""
};

struct Reponse {
    int statut = 200;
    std::string type = "text/plain; charset=utf-8";
    std::string corps;
    std::vector<std::pair<std::string, std::string>> entetes;
    void entete(const std::string& nom, const std::string& valeur) { entetes.emplace_back(nom, valeur); }
};

// `texte` with its %XX decoded (and '+' as a space when `plusEspace`).
std::string decoderUrl(const std::string& texte, bool plusEspace);
// Adds the pairs of a query or a form's body, "a=1&b=x+y", decoded.
void lireParametres(const std::string& texte, std::multimap<std::string, std::string>& params);

#endif
