// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_NIVEAU_H
#define VORNA_NIVEAU_H

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "lecture_niveau.h"
#include "objet.h"

class Texture;

// Reads every record of the level file `chemin` as the reader of an open
// file does (lecture_niveau.h) and hands each to `visiteur` with its rank.
// Returns the number of records read, or −1 (after a line on standard error)
// when the file cannot be opened or read, is not a regular file, is larger
// than 64 MB or holds more than kEnregistrementsMax records (then errno is
// EFBIG). Damaged records are counted in one line on standard error.
int lireEnregistrements(const std::string& chemin,
                        const std::function<void(const Enregistrement&, int rang)>& visiteur);

// Writes one record line, "@%d,%f,...,%s\n". The texture word is written as
// the reader will read it back: cut at its first blank and to 99 characters;
// an empty word is written "textureVide" (no texture), since an empty last
// field would make the reader take the next record as the word.
void ecrireEnregistrement(FILE* fichier, const Enregistrement& e);

// Writes a whole level as ecrireFichierAtomique does (through a link, to a
// temporary file renamed over the target), so a failed write never leaves a
// truncated level. Returns false (with a line on standard error) when the
// file cannot be written. With `remplacer` false an existing `chemin` is never replaced: the call then
// returns false with errno set to EEXIST and prints nothing, and the caller
// may choose another name.
bool ecrireNiveau(const std::string& chemin, const std::vector<Enregistrement>& enregistrements,
                  bool remplacer = true);

// Reads every record of `chemin` into `enregistrements` (emptied first).
// Returns false, with a line on standard error, when the file cannot be
// opened or holds no record: a file where no scan assigned a single field
// (empty, blank or garbage only) holds none.
bool lireNiveau(const std::string& chemin, std::vector<Enregistrement>& enregistrements);

// Reads `chemin` into `contenu` (emptied first) with `regles`: the first record
// is the ball, every later one makes the object of its kind, blocks, pick-ups
// and spheres kept in file order. Returns false, with `contenu` left empty and
// a line on standard error, when the file cannot be opened or holds no
// record (then no ball can be built): a file where no scan assigned a single
// field (empty, blank or garbage only) holds none.
bool chargerNiveau(const std::string& chemin, const ReglesNiveau& regles, ContenuNiveau& contenu);

// The rules of the single-player session (kinds 0 to 11, every block tiled,
// an unknown word gives texture 0) and of the menu background (kinds 0 to 4,
// "turbo" blocks stretched, the others tiled), with the course texture set
// `t`. The rules keep a copy of the texture names of `t`.
ReglesNiveau reglesPartie(const Texture& t);
ReglesNiveau reglesMenu(const Texture& t);

// Level file names.
std::string cheminScenario(int numero);          // "maps/niveau/map%d.qzm"
std::string cheminMapPerso(const std::string& nom);  // "maps/" + nom + ".txt"

#endif
