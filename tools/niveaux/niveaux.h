// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_NIVEAUX_H
#define VORNA_NIVEAUX_H

#include <string>
#include <utility>
#include <vector>

#include "niveau.h"

// The levels the game ships, each made by a function of this folder: the
// fourteen scenario levels and the free maps.
struct NiveauLivre {
    std::string fichier;  // path under maps/, "niveau/map1.qzm" or "Belvedere.txt"
    std::vector<Enregistrement> (*construire)();
};
const std::vector<NiveauLivre>& niveauxLivres();

// Writes every shipped level under `dossierMaps` (its niveau/ folder must
// exist). Returns false, after a line on standard error, when one cannot be
// written.
bool ecrireNiveauxLivres(const std::string& dossierMaps);

// One function per level.
std::vector<Enregistrement> campEntrainement();
std::vector<Enregistrement> promenade();
std::vector<Enregistrement> flux();
std::vector<Enregistrement> citadelle();
std::vector<Enregistrement> alphaCity();
std::vector<Enregistrement> crossfire();
std::vector<Enregistrement> speedsBridge();
std::vector<Enregistrement> dedale();
std::vector<Enregistrement> thetaCity();
std::vector<Enregistrement> pyramid();
std::vector<Enregistrement> deltaCity();
std::vector<Enregistrement> mountain();
std::vector<Enregistrement> peak();
std::vector<Enregistrement> cage();
std::vector<Enregistrement> belvedere();
std::vector<Enregistrement> toboggan();
std::vector<Enregistrement> archipel();

// The rooms of the maze of level 8 along the way through, entrance to exit.
std::vector<std::pair<double, double>> cheminDedale();

#endif
