// SPDX-License-Identifier: GPL-3.0-or-later
#include "options_scores.h"

#include <cstdlib>

const char* const kAideScores =
    "usage: vorna-scores [--port N] [--data DIR | --database URL] [--listen ADDRESS] [--limit N]\n"
    "                    [--connections-per-address N] [--behind-proxy] [--help] [--version]\n"
    "The leaderboard server of Vorna: it answers the link the game opens for a finished\n"
    "scenario level (/writescorevorna.php?act=2&score=S&map=N&v=14&a=C), asks the\n"
    "player's name, keeps every score and shows each level's, 100 a page.\n"
    "  --port N          the TCP port (8080; 0 takes a free one and says which)\n"
    "  --data DIR        keep the scores in DIR/scores.sqlite (the current folder)\n"
    "  --database URL    keep them in PostgreSQL instead: postgresql://USER@HOST/DB (the\n"
    "                    password from PGPASSWORD or PGPASSFILE, never in the URL)\n"
    "  --listen ADDRESS  the address to listen on (0.0.0.0: all of them)\n"
    "  --limit N         score links, and names, accepted from one address a minute (10;\n"
    "                    0: no limit)\n"
    "  --connections-per-address N  connections one address may hold open (32; 0: no cap)\n"
    "  --behind-proxy    count the address a reverse proxy puts last in X-Forwarded-For\n"
    "  --help            show this help\n"
    "  --version         show the version\n";

namespace {

bool nombre(const std::string& t, int maximum, int& v) {
    if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos) return false;
    v = std::atoi(t.c_str());
    return v <= maximum;
}

}  // namespace

OptionsScores lireOptionsScores(int argc, char** argv) {
    OptionsScores o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h" || a == "--version") {
            o.action = a == "--version" ? OptionsScores::Version : OptionsScores::Aide;
            return o;
        }
        const bool avecValeur = a == "--port" || a == "--data" || a == "--database" || a == "--listen" || a == "--limit" ||
                                a == "--connections-per-address";
        o.action = OptionsScores::Erreur;
        if (a == "--behind-proxy") {
            o.derriereProxy = true;
        } else if (!avecValeur) {
            o.erreur = "unknown option '" + a + "'";
        } else if (i + 1 >= argc || !*argv[i + 1]) {
            o.erreur = a + " takes a value";
        } else {
            const std::string v = argv[++i];
            if (a == "--port" && !nombre(v, 65535, o.port)) o.erreur = "--port takes a number from 0 to 65535";
            if (a == "--limit" && !nombre(v, 100000, o.limite)) o.erreur = "--limit takes a number from 0 to 100000";
            if (a == "--connections-per-address" && !nombre(v, 100000, o.parAdresse))
                o.erreur = "--connections-per-address takes a number from 0 to 100000";
            if (a == "--data") o.dossier = v;
            if (a == "--listen") o.adresse = v;
            if (a == "--database") o.base = v;
            if (a == "--database" && v.rfind("postgresql://", 0) != 0 && v.rfind("postgres://", 0) != 0)
                o.erreur = "--database takes a postgresql:// URL";
        }
        if (!o.erreur.empty()) return o;
        o.action = OptionsScores::Servir;
    }
    return o;
}
