// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_DOSSIER_JOUEUR_H
#define VORNA_DOSSIER_JOUEUR_H

#include <string>

// An installed game keeps the player's files in the player's folder,
// $XDG_DATA_HOME/vorna (by default ~/.local/share/vorna), and works inside it
// as in a game folder:
//   data/*, maps/niveau, maps/menu   links into the installation, so an
//                                    upgrade updates them
//   data/joueur/niveau.txt           the progress, created once
//   maps/*.txt                       the free maps: the shipped ones copied
//                                    once, the editor's own
//   ghost/                           the kept ghosts
// Nothing of the player's is ever replaced: files are created only where
// none exists, and a link is replaced only by a link.

// The installation's shared folder (<prefix>/share/vorna) of the program
// whose file is `executable`, when that program lies in <prefix>/bin and the
// folder is a game folder (estDossierDeJeu); "" otherwise.
std::string partageInstallation(const std::string& executable);

// The player's folder: $XDG_DATA_HOME/vorna when XDG_DATA_HOME is an absolute
// path, else $HOME/.local/share/vorna (the home from the password database
// when HOME is not set); "" when no home is known.
std::string dossierJoueur();

// Lays out or brings up to date the player's folder `dossier` over the
// installation's shared folder `partage`. Returns false after a line on
// standard error, starting with `programme`, when a folder or the progress
// file cannot be made; a real file or folder where a link is expected is
// left as it is, with a line on standard error.
bool preparerDossierJoueur(const std::string& partage, const std::string& dossier, const char* programme);

// A game folder: data/ and the menu's level maps/menu/menu.txt, which the
// game cannot start without (a home that merely holds data/ and maps/
// folders is none).
bool estDossierDeJeu(const std::string& dossier);

// Called by each program before it reads anything. A game folder as the
// working folder is used as it is; so is any folder when the program is not
// installed (it then reports the missing
// data itself). Otherwise the player's folder is prepared and becomes the
// working folder. Returns false, after a line on standard error, when that
// fails: the program then ends with status 1.
bool entrerDossierJoueur(const char* programme);

// The program `nom` to start from here: ./nom when the working folder has
// it, else the one beside this program when there is one, else ./nom.
std::string cheminProgramme(const std::string& nom);

#endif
