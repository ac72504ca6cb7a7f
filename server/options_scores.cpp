// SPDX-License-Identifier: GPL-3.0-or-later
#include "options_scores.h"

#include <cstdlib>

const char* const kAideScores =
    "usage: vorna-scores [--port N] [--data DIR | --database URL] [--listen ADDRESS] [--limit N]\n"
    "                    [--connections-per-address N] [--behind-proxy] [--levels DIR]\n"
    "                    [--maps-per-day N] [--locale DIR] [--remove ID | --remove-name NAME | --remove-map ID |\n"
    "                    --reverify] [--help] [--version]\n"
    "The leaderboard server of Vorna. The game posts a finished run (the level's hash and\n"
    "the keys of every step) to /course: the server plays it again on its own copy of the\n"
    "level and ranks it only when it reaches the finish with the same points and time;\n"
    "the player names it in the browser. Each level's best verified run is served as a\n"
    "ghost (/niveau/N/record.qzg). Scores of the older link (/writescorevorna.php) are\n"
    "kept too, marked unverified, below every verified run. Players publish their maps\n"
    "from the editor (POST /carte) with a run that finishes them; /maps lists them, each\n"
    "with its page, its download and its own verified leaderboard.\n"
    "  --port N          the TCP port (8080; 0 takes a free one and says which)\n"
    "  --data DIR        keep the scores in DIR/scores.sqlite (the current folder)\n"
    "  --database URL    keep them in PostgreSQL instead: postgresql://USER@HOST/DB (the\n"
    "                    password from PGPASSWORD or PGPASSFILE, never in the URL)\n"
    "  --listen ADDRESS  the address to listen on (0.0.0.0: all of them)\n"
    "  --limit N         score links, and names, accepted from one address a minute (10;\n"
    "                    0: no limit)\n"
    "  --connections-per-address N  connections one address may hold open (32; 0: no cap)\n"
    "  --behind-proxy    count the address a reverse proxy puts last in X-Forwarded-For\n"
    "  --levels DIR      the scenario levels runs are verified on, DIR/map1.qzm to map14.qzm\n"
    "                    (the game's installed maps/niveau)\n"
    "  --maps-per-day N  maps published from one address a day (10; 0: no limit)\n"
    "  --locale DIR      the catalogues of the pages' languages, DIR/LANG/LC_MESSAGES/\n"
    "                    vorna-scores.mo (the installed share/locale); the pages follow the\n"
    "                    visitor's Accept-Language, French when no catalogue matches\n"
    "  --remove ID       remove entry ID of a leaderboard (a run or a score) and exit\n"
    "  --remove-name NAME  remove every entry of that name and exit\n"
    "  --remove-map ID   remove published map ID, its picture and its scores, and exit\n"
    "  --reverify        play every kept run again, rank only those that still verify, and exit\n"
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
                                a == "--connections-per-address" || a == "--levels" || a == "--remove" ||
                                a == "--remove-name" || a == "--remove-map" || a == "--maps-per-day" ||
                                a == "--locale";
        const OptionsScores::Action avant = o.action;
        o.action = OptionsScores::Erreur;
        if (a == "--behind-proxy") {
            o.derriereProxy = true;
        } else if (a == "--reverify") {
            o.action = OptionsScores::Reverifier;
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
            if (a == "--maps-per-day" && !nombre(v, 100000, o.cartesParJour))
                o.erreur = "--maps-per-day takes a number from 0 to 100000";
            if (a == "--data") o.dossier = v;
            if (a == "--listen") o.adresse = v;
            if (a == "--database") o.base = v;
            if (a == "--levels") o.niveaux = v;
            if (a == "--locale") o.catalogues = v;
            if (a == "--remove-name") o.nom = v, o.action = OptionsScores::RetirerNom;
            if (a == "--remove" || a == "--remove-map") {
                o.action = a == "--remove" ? OptionsScores::Retirer : OptionsScores::RetirerCarte;
                if (v.empty() || v.size() > 18 || v.find_first_not_of("0123456789") != std::string::npos)
                    o.erreur = a == "--remove" ? "--remove takes an entry's number" : "--remove-map takes a map's number";
                else
                    o.entree = std::atoll(v.c_str());
            }
            if (a == "--database" && v.rfind("postgresql://", 0) != 0 && v.rfind("postgres://", 0) != 0)
                o.erreur = "--database takes a postgresql:// URL";
        }
        if (o.action != OptionsScores::Erreur && avant != OptionsScores::Servir && avant != o.action)
            o.erreur = "--remove, --remove-name, --remove-map and --reverify go one at a time";
        if (!o.erreur.empty()) return o.action = OptionsScores::Erreur, o;
        if (o.action == OptionsScores::Erreur) o.action = avant;
    }
    return o;
}
