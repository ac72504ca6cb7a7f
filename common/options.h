// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_OPTIONS_H
#define VORNA_OPTIONS_H

#include <string>

// The command line of both programs. With no argument they start as they
// always did; the options are extras for the shell, the editor's play-test
// and packaging.
struct Options {
    enum Action { Lancer, Aide, Version, Erreur };
    Action action = Lancer;
    std::string map;       // --map NAME: the free map maps/NAME.txt (when accepted)
    std::string serveurScore;  // --score-server HOST[:PORT]: for this run (with --map)
    std::string courseSortie;  // --course-sortie FILE: where each run of --map that finishes is written
    std::string erreur;    // Erreur: what was wrong, for the user
};

// Reads `argv` (`argc` may be 0 and `argv` null). "--help" and "--version"
// win over anything after them; "--map NAME" (NAME a file name of maps/: no
// '/', no leading '.'), "--score-server ADDRESS" and "--course-sortie FILE"
// (with --map only) are understood only when `accepteMap` (the game);
// anything else is an error.
Options lireOptions(int argc, char** argv, bool accepteMap);

// What a program does with them before starting: for Aide the usage on
// standard output, for Version the line `version` on standard output, for
// Erreur what was wrong and the usage line (the first line of `usage`) on
// standard error. Returns the exit status to end with (0,
// or 2 for an error), or −1 when the program is to start.
int appliquerOptions(const Options& o, const char* programme, const char* version,
                     const char* usage);

#endif
