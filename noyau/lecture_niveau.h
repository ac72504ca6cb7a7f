// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LECTURE_NIVEAU_H
#define VORNA_LECTURE_NIVEAU_H

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "heros.h"
#include "objet.h"

// Reading a level's records and building its objects, apart from any file
// path, window or texture: what the game, the editor and the score server
// share, so that a level is the same course everywhere.

// One record of a level file: "@kind,x,y,z,vie,lx,ly,lz,rx,ry,rz,texture".
// The reals are read as single-precision floats, as the files were always read.
struct Enregistrement {
    int type = 1;
    float x = 0, y = 0, z = 0, vie = 0, lx = 0, ly = 0, lz = 0, rx = 0, ry = 0, rz = 0;
    std::string texture;
    // How many of the twelve fields the scan of this record assigned (0 for a
    // record that only repeats the previous one, such as a stray '@').
    int champsLus = 0;
};

// The longest texture word kept; longer words are cut to this length.
const int kLongueurMotTexture = 99;
// The most records a level file may hold (far beyond any playable course: a
// file of nothing but '@' would otherwise build a block per byte).
const int kEnregistrementsMax = 1000000;

// Reads every record of a level file in order and hands each to `visiteur`
// with its rank (0 for the first record, the ball). Follows the format's
// reading rules to the letter: the first character of the file is consumed
// whatever it is, each record is scanned as
// "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%99s", fields that fail to scan keep the
// previous record's values (the texture word too; initially kind 1, all reals
// 0 and an empty word), a texture word longer than 99 characters is cut
// there, and anything after a record up to the next '@' is skipped (the
// character right after the scanned fields counts: a record whose scan stops
// just before a '@' does not swallow the next one). A stray '@' at the end
// repeats the last record. Returns the number of records read, or −1 when
// the file cannot be read or holds more than kEnregistrementsMax records
// (then errno is EFBIG). A record holding a number that is not finite (NaN,
// an infinity, a value beyond a float's range) is damaged: it is skipped as
// if it were not there (its values are not carried over), and counted in
// `abimes` when given. A damaged
// first record (the ball's) ends the reading there with 0 records: the
// level has no ball, and no later record is ever taken for it.
int lireEnregistrements(FILE* fichier, const std::function<void(const Enregistrement&, int rang)>& visiteur,
                        int* abimes = nullptr);

// What a game reader builds from a level: the ball's record and the objects of
// the following records.
struct ContenuNiveau {
    bool aBalle = false;
    Enregistrement balle;
    unsigned int textureBalle = 0;  // the texture the rules gave the ball's word
    std::vector<Cube> cubes;
    std::vector<Bonus> bonus;
    std::vector<Sphere> spheres;
};

// How a game reader maps records to objects.
struct ReglesNiveau {
    int typeMax = 11;              // record kinds above this make nothing
    bool sansLimite = false;       // kinds 5 to 7 make nothing (menu background)
    bool turboEtale = true;        // tiling of "turbo" blocks (every other block is tiled)
    // Texture name for a word, given the texture of the previous record (for
    // the first record, `textureInitiale`). Called once per record, in file
    // order, including the ball's record and records that make nothing. An
    // empty function gives every record texture 0.
    std::function<unsigned int(const std::string& mot, unsigned int precedente)> texture;
    unsigned int textureInitiale = 0;
};

// The class keyword of a block kind ("cube", "jump", "turbo", "arrivée",
// "limite", "départ", "sauvegarde", "bouton", "porte") or of a pick-up kind
// ("vie", "speed"); empty for other kinds. "arrivée" and "départ" hold the
// Latin-1 byte 0xE9.
std::string classeDuType(int type);

// Builds `contenu` (emptied first) from records read in file order, with
// `regles`: the first record is the ball, every later one makes the object
// of its kind, blocks, pick-ups and spheres kept in file order. False, with
// `contenu` left empty, when there is no record or none where a scan
// assigned a single field (empty, blank or garbage only).
bool construireNiveau(const std::vector<Enregistrement>& enregistrements, const ReglesNiveau& regles,
                      ContenuNiveau& contenu);

// Reads a level from its bytes in memory and builds it as construireNiveau
// does: the same records as the file holding those bytes gives. False, with
// `contenu` left empty, when the bytes hold no record or too many.
bool chargerNiveauOctets(const std::string& octets, const ReglesNiveau& regles, ContenuNiveau& contenu);

// The lives a run starts with, whatever the level says: at least one (a
// ball with none would start lost) and no more than the top right corner
// shows.
const double kViesMin = 1, kViesMax = 99;

// The ball of a level: the first record's values and texture, its lives
// kept within kViesMin … kViesMax.
Heros balleDuNiveau(const ContenuNiveau& contenu);

#endif
