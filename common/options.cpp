// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <cstdio>
#include <cstring>

Options lireOptions(int argc, char** argv, bool accepteMap) {
    Options o;
    for (int i = 1; argv && i < argc; ++i) {
        const std::string a = argv[i] ? argv[i] : "";
        if (a == "--help" || a == "-h") {
            o.action = Options::Aide;
            return o;
        }
        if (a == "--version") {
            o.action = Options::Version;
            return o;
        }
        o.action = Options::Erreur;
        if (accepteMap && a == "--map") {
            const char* nom = i + 1 < argc ? argv[i + 1] : nullptr;
            // A file name of maps/: no folder, nothing hidden, nothing above it.
            if (nom && *nom && nom[0] != '.' && !std::strchr(nom, '/') && o.map.empty()) {
                o.map = argv[++i];
                o.action = Options::Lancer;
                continue;
            }
            o.erreur = nom && *nom && o.map.empty()
                           ? "--map takes the name of a map of maps/ (no '/', not starting with '.'): '" +
                                 std::string(nom) + "'"
                           : "--map takes one map name, once";
        } else if (accepteMap && a == "--score-server") {
            if (i + 1 < argc && argv[i + 1] && *argv[i + 1] && o.serveurScore.empty()) {
                o.serveurScore = argv[++i];
                o.action = Options::Lancer;
                continue;
            }
            o.erreur = "--score-server takes one HOST[:PORT], once";
        } else if (accepteMap && a == "--course-sortie") {
            if (i + 1 < argc && argv[i + 1] && *argv[i + 1] && o.courseSortie.empty()) {
                o.courseSortie = argv[++i];
                o.action = Options::Lancer;
                continue;
            }
            o.erreur = "--course-sortie takes one file, once";
        } else {
            o.erreur = "unknown option '" + a + "'";
        }
        return o;
    }
    if (!o.courseSortie.empty() && o.map.empty() && o.action == Options::Lancer) {
        o.action = Options::Erreur;
        o.erreur = "--course-sortie goes with --map";
    }
    return o;
}

int appliquerOptions(const Options& o, const char* programme, const char* version,
                     const char* usage) {
    switch (o.action) {
    case Options::Aide:
        std::fputs(usage, stdout);
        return 0;
    case Options::Version:
        std::printf("%s\n", version);
        return 0;
    case Options::Erreur: {
        std::fprintf(stderr, "%s: %s\n", programme, o.erreur.c_str());
        // The first line of the help is the usage line.
        const char* fin = std::strchr(usage, '\n');
        std::fprintf(stderr, "%.*s\n", fin ? static_cast<int>(fin - usage) : static_cast<int>(std::strlen(usage)),
                     usage);
        return 2;
    }
    case Options::Lancer:
        break;
    }
    return -1;
}
