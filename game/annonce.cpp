// SPDX-License-Identifier: GPL-3.0-or-later
#include "annonce.h"

#include <utility>

namespace {

std::string annonce;

}  // namespace

void annoncer(const std::string& ligne) { annonce = ligne; }

std::string prendreAnnonce() { return std::exchange(annonce, std::string()); }

std::string nomDeFichier(const std::string& chemin) {
    const std::string::size_type p = chemin.rfind('/');
    return p == std::string::npos ? chemin : chemin.substr(p + 1);
}
