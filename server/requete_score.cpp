// SPDX-License-Identifier: GPL-3.0-or-later
#include "requete_score.h"

#include <cctype>
#include <cstdint>

#include "scenarios.h"

namespace {

const char* const kNoms[] = {"act", "score", "map", "v", "a"};

// A plain decimal integer of at most ten digits: -?(0|[1-9][0-9]*).
bool entier(const std::string& t, long long& v) {
    size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
    const size_t chiffres = t.size() - i;
    if (chiffres == 0 || chiffres > 10 || (t[i] == '0' && (chiffres > 1 || i == 1))) return false;
    v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
    }
    if (t[0] == '-') v = -v;
    return true;
}

// Every name known and given once; the five values read as integers.
std::string lireEntiers(const std::multimap<std::string, std::string>& params, long long valeurs[5]) {
    for (const auto& p : params) {
        bool connu = false;
        for (const char* nom : kNoms) connu = connu || p.first == nom;
        if (connu) continue;
        // Named back only when it is a short plain word.
        bool simple = p.first.size() <= 20;
        for (char c : p.first) simple = simple && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        return simple ? "Paramètre inconnu : « " + p.first + " »." : "Paramètre inconnu.";
    }
    for (int i = 0; i < 5; ++i) {
        const size_t n = params.count(kNoms[i]);
        if (n == 0) return std::string("Il manque le paramètre « ") + kNoms[i] + " ».";
        if (n > 1) return std::string("Le paramètre « ") + kNoms[i] + " » est donné plusieurs fois.";
        if (!entier(params.find(kNoms[i])->second, valeurs[i]))
            return std::string("Le paramètre « ") + kNoms[i] + " » n'est pas un nombre entier.";
    }
    return "";
}

}  // namespace

std::string lireScore(const std::multimap<std::string, std::string>& params, ScoreRecu& s) {
    long long v[5];
    const std::string erreur = lireEntiers(params, v);
    if (!erreur.empty()) return erreur;
    const long long act = v[0], score = v[1], niveau = v[2], version = v[3], controle = v[4];
    if (act != 2) return "Ce lien ne porte pas de score (act doit valoir 2).";
    if (version != 14) return "Ce lien vient d'une autre version du jeu (v doit valoir 14).";
    const NiveauScenario* n = niveau >= 1 && niveau <= kNombreScenarios ? niveauScenario(static_cast<unsigned>(niveau)) : nullptr;
    if (!n) return "Le niveau doit être un niveau du scénario, de 1 à 14.";
    if (score > n->points || score < n->points - kPerteMaximale)
        return "Un score de " + std::to_string(score) + " est impossible au niveau " + std::to_string(niveau) +
               " (au plus " + std::to_string(n->points) + ").";
    // The game wraps the product to 32 bits; within these bounds it never does.
    const int32_t produit = static_cast<int32_t>(static_cast<uint32_t>(niveau * score));
    if (controle != produit) return "La valeur de contrôle ne correspond pas au score et au niveau.";
    s.niveau = static_cast<int>(niveau);
    s.points = static_cast<int>(score);
    return "";
}
