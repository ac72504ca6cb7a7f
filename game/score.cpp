// SPDX-License-Identifier: GPL-3.0-or-later
#include "score.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const kServeurScore = "www.vorna-game.org";
const char* const kFichierProgression = "data/joueur/niveau.txt";

namespace {
std::string serveur = kServeurScore;
}

const std::string& serveurScore() { return serveur; }

namespace {

// A host name: dot-separated labels of 1 to 63 letters, digits and hyphens,
// none starting or ending with a hyphen, 253 bytes at most in all (an IPv4
// address is one of them).
bool nomDHoteValide(const std::string& h) {
    if (h.empty() || h.size() > 253) return false;
    for (size_t debut = 0; debut <= h.size();) {
        const size_t fin = std::min(h.find('.', debut), h.size());
        const std::string etiquette = h.substr(debut, fin - debut);
        if (etiquette.empty() || etiquette.size() > 63 || etiquette.front() == '-' || etiquette.back() == '-' ||
            etiquette.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") !=
                std::string::npos)
            return false;
        debut = fin + 1;
    }
    return true;
}

}  // namespace

namespace {

// The scheme written before the address, if any: "http://" or "https://".
size_t longueurSchema(const std::string& a) {
    for (const char* s : {"http://", "https://"})
        if (a.compare(0, std::strlen(s), s) == 0) return std::strlen(s);
    return 0;
}

}  // namespace

std::string racineServeur() { return longueurSchema(serveur) ? serveur : "http://" + serveur; }

bool adresseServeurValide(const std::string& adresse) {
    const std::string a = adresse.substr(longueurSchema(adresse));
    size_t fin = 0;
    if (!a.empty() && a[0] == '[') {
        fin = a.find(']');
        in6_addr v6;
        if (fin == std::string::npos || inet_pton(AF_INET6, a.substr(1, fin - 1).c_str(), &v6) != 1) return false;
        ++fin;
    } else {
        fin = std::min(a.find(':'), a.size());
        if (!nomDHoteValide(a.substr(0, fin))) return false;
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
        std::fprintf(stderr, "vorna: VORNA_SCORE_SERVER='%s' is not [http[s]://]HOST[:PORT]; scores go to %s\n", env,
                     serveur.c_str());
}
