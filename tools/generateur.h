// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_GENERATEUR_H
#define VORNA_ATELIER_GENERATEUR_H

// The asset workshop: every data file the game and the editor read, made from
// code, the same bytes on every run.

#include <string>
#include <vector>

namespace atelier {

// Every generated file, as a path relative to the data folder
// ("bois.jpg", "sky/sky.jpg", "sound/menu.mp3" …).
const std::vector<std::string>& fichiersDonnees();

// The bytes of one data file, by its path relative to the data folder.
// Throws std::invalid_argument for a name outside the list and
// std::runtime_error when a tool it needs (the system font, LAME) fails.
std::string fabriquer(const std::string& chemin);

// Writes every data file into `dossierData` (the game's "data" folder), with
// its folders sky/, sound/ and joueur/, and the empty "ghost" folder beside
// it. Each file is written whole under a temporary name and then renamed, so
// an interrupted run never leaves a half-written file. Uses up to `fils`
// threads. Returns false after a line on standard error for each failure.
bool genererDonnees(const std::string& dossierData, int fils = 2);

// The sizes of the desktop's icon, and its PNG at one of them, from the
// same drawing as the window icon.
const std::vector<int>& taillesIcone();
std::string fabriquerIcone(int taille);

// Writes the icon in the layout of the hicolor theme under `dossier`:
// hicolor/NxN/apps/vorna.png for each size. Returns false after a line on
// standard error when it cannot.
bool genererIcones(const std::string& dossier);

}  // namespace atelier

#endif
