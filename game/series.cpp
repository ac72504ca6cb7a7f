// SPDX-License-Identifier: GPL-3.0-or-later
#include "series.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "progression.h"

namespace {
const char* const kDossierJoueurSeries = "data/joueur/series/";
}  // namespace

std::string cheminProgressionSerie(const std::string& nom) { return kDossierJoueurSeries + nom + ".txt"; }

std::string cheminRecordsSerie(const std::string& nom) {
    return std::string(kDossierJoueurSeries) + "records/" + nom + ".txt";
}

unsigned int progressionSerie(const std::string& nom) {
    const std::string chemin = cheminProgressionSerie(nom);
    struct stat st;
    if (lstat(chemin.c_str(), &st) != 0) return 1;
    return lireProgression(chemin);
}

void preparerDossiersSeries() {
    std::error_code ec;
    std::filesystem::create_directories(std::string(kDossierJoueurSeries) + "records", ec);
}

std::string fichierRecords(const Parcours& p) {
    if (p.serie.empty()) return kFichierRecords;
    preparerDossiersSeries();
    return cheminRecordsSerie(p.serie);
}
