// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_OPTIONS_SCORES_H
#define VORNA_SCORES_OPTIONS_SCORES_H

#include <cstdint>
#include <string>

// The command line of vorna-scores.
struct OptionsScores {
    enum Action { Servir, Aide, Version, Erreur, Retirer, RetirerNom, Reverifier, RetirerCarte };
    Action action = Servir;
    std::string adresse = "0.0.0.0";  // --listen
    int port = 8080;                  // --port (0: any free port, said on standard error)
    std::string dossier = ".";        // --data: where scores.sqlite lives
    std::string base;                 // --database postgresql://...: instead of SQLite
    int limite = 10;                  // --limit: score links (and names) per address and minute
    int parAdresse = 32;              // --connections-per-address: open at once (0: no cap)
    bool derriereProxy = false;       // --behind-proxy
    std::string niveaux;              // --levels: the scenario levels runs are verified on (empty: the game's)
    int cartesParJour = 10;           // --maps-per-day: maps published from one address a day
    std::string catalogues;           // --locale: the pages' catalogues (empty: beside the program)
    long long entree = 0;             // --remove ID, --remove-map ID
    std::string nom;                  // --remove-name NAME
    std::string erreur;               // Erreur: what was wrong
};

extern const char* const kAideScores;  // the --help text; its first line is the usage

OptionsScores lireOptionsScores(int argc, char** argv);

#endif
