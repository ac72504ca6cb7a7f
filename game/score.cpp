// SPDX-License-Identifier: GPL-3.0-or-later
#include "score.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

const char* const kServeurScore = "www.vorna-game.org";
const char* const kFichierProgression = "data/joueur/niveau.txt";

namespace {
std::string serveur = kServeurScore;
}

const std::string& serveurScore() { return serveur; }

bool adresseServeurValide(const std::string& a) {
    size_t fin = 0;
    if (!a.empty() && a[0] == '[') {
        fin = a.find(']');
        if (fin == std::string::npos || fin == 1 || a.find_first_not_of("0123456789abcdefABCDEF:.", 1) != fin)
            return false;
        ++fin;
    } else {
        fin = std::min(a.find(':'), a.size());
        if (fin == 0 || a.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-") < fin)
            return false;
    }
    if (fin == a.size()) return true;
    const std::string port = a.substr(fin + 1);
    return a[fin] == ':' && !port.empty() && port.size() <= 5 && port[0] != '0' &&
           port.find_first_not_of("0123456789") == std::string::npos && std::atoi(port.c_str()) <= 65535;
}

bool setServeurScore(const std::string& adresse) {
    if (!adresseServeurValide(adresse)) return false;
    serveur = adresse;
    return true;
}

void choisirServeurScore(const std::string& option) {
    if (!option.empty()) {
        setServeurScore(option);
        return;
    }
    const char* env = std::getenv("VORNA_SCORE_SERVER");
    if (env && *env && !setServeurScore(env))
        std::fprintf(stderr, "vorna: VORNA_SCORE_SERVER='%s' is not HOST[:PORT]; scores go to %s\n", env,
                     serveur.c_str());
}

std::string urlScore(int score, unsigned int niveau) {
    // The check field is the 32-bit signed product of level and points.
    const int64_t produit = static_cast<int64_t>(niveau) * score;
    const int32_t controle = static_cast<int32_t>(static_cast<uint32_t>(produit & 0xFFFFFFFF));
    return "http://" + serveur + "/writescorevorna.php?act=2&score=" + std::to_string(score) +
           "&map=" + std::to_string(niveau) + "&v=14" + "&a=" + std::to_string(controle);
}
