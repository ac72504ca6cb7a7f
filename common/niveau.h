#ifndef VORNA_NIVEAU_H
#define VORNA_NIVEAU_H

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "objet.h"

class Texture;

// One record of a level file: "@kind,x,y,z,vie,lx,ly,lz,rx,ry,rz,texture".
// The reals are read as single-precision floats, as the files were always read.
struct Enregistrement {
    int type = 1;
    float x = 0, y = 0, z = 0, vie = 0, lx = 0, ly = 0, lz = 0, rx = 0, ry = 0, rz = 0;
    std::string texture;
};

// The longest texture word kept; longer words are cut to this length.
const int kLongueurMotTexture = 99;

// Reads every record of a level file in order and hands each to `visiteur`
// with its rank (0 for the first record, the ball). Follows the format's
// reading rules to the letter: the character before the first field is
// consumed, fields that fail to scan keep the previous record's values,
// anything after a record up to the next '@' is skipped. Returns the number
// of records read, or −1 when the file cannot be opened.
int lireEnregistrements(const std::string& chemin,
                        const std::function<void(const Enregistrement&, int rang)>& visiteur);

// Same, from an open file.
int lireEnregistrements(FILE* fichier,
                        const std::function<void(const Enregistrement&, int rang)>& visiteur);

// Writes one record line, "@%d,%f,...,%s\n".
void ecrireEnregistrement(FILE* fichier, const Enregistrement& e);

// Writes a whole level: to a temporary file beside `chemin`, then renamed over
// it, so a failed write never leaves a truncated level. Returns false (with
// a line on standard error) when the file cannot be written.
bool ecrireNiveau(const std::string& chemin, const std::vector<Enregistrement>& enregistrements);

// What a game reader builds from a level: the ball's record and the objects of
// the following records.
struct ContenuNiveau {
    bool aBalle = false;
    Enregistrement balle;
    std::vector<Cube> cubes;
    std::vector<Bonus> bonus;
    std::vector<Sphere> spheres;
};

// How a game reader maps records to objects.
struct ReglesNiveau {
    int typeMax = 11;              // record kinds above this make nothing
    bool sansLimite = false;       // kinds 5 to 7 make nothing (menu background)
    bool turboEtale = true;        // tiling of "turbo" blocks (every other block is tiled)
    // Texture name for a word, given the texture of the previous record.
    std::function<unsigned int(const std::string& mot, unsigned int precedente)> texture;
};

// The class keyword of a block kind ("cube", "jump", "turbo", "arrivée",
// "limite", "départ", "sauvegarde", "bouton", "porte") or of a pick-up kind
// ("vie", "speed"); empty for other kinds. "arrivée" and "départ" hold the
// Latin-1 byte 0xE9.
std::string classeDuType(int type);

// Reads `chemin` into `contenu` with `regles`. Returns false when the file
// cannot be opened or holds no record (then no ball can be built).
bool chargerNiveau(const std::string& chemin, const ReglesNiveau& regles, ContenuNiveau& contenu);

// The rules of the single-player session, of the ghost replay and of the
// menu background, with the course texture set `t`.
ReglesNiveau reglesPartie(const Texture& t);
ReglesNiveau reglesMenu(const Texture& t);

// Level file names.
std::string cheminScenario(int numero);          // "maps/niveau/map%d.qzm"
std::string cheminMapPerso(const std::string& nom);  // "maps/" + nom + ".txt"

#endif
