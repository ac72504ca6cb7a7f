// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigateur.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "processus.h"

namespace {

std::string commandeChoisie;

std::string commande() {
    if (!commandeChoisie.empty()) return commandeChoisie;
    const char* env = std::getenv("VORNA_BROWSER");
    if (env && *env) return env;
    return "xdg-open";
}

}  // namespace

void setCommandeNavigateur(const std::string& c) { commandeChoisie = c; }

bool ouvrirUrl(const std::string& url) {
    const std::string prog = commande();
    // Detached: the browser is adopted by init, so no zombie is left behind
    // and the game never waits for it.
    const Lancement l = lancerProgramme({prog, url}, false);
    if (!l.demarre) {
        std::fprintf(stderr, "vorna: could not start the web browser '%s': %s\n", prog.c_str(),
                     std::strerror(l.erreur));
        return false;
    }
    return true;
}
