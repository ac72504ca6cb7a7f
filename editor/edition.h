// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_EDITION_H
#define VORNA_EDITEUR_EDITION_H

#include <string>
#include <vector>

#include "objet_editeur.h"
#include "pointage.h"

namespace editeur {

// The editing session: shows the map as textured boxes and the player's
// start as a sphere, seen from a camera that follows the edited object (the
// cursor, always the last object, never saved, or a placed object chosen
// instead), and lets the user move, resize, retype and place it, delete and
// duplicate objects, undo and redo, save the map and try it in the game.
// `map` is "nomap" for a new map, else the name of a file of maps/;
// `nombreMaps` is the number of maps the menu lists (a new map is numbered
// from it). Returns on Escape or when the window is closed, once the user
// has answered the question asked when the map has changes not saved.
void jouer(const std::string& map, int nombreMaps);

// The first name "maps/mappersoN.txt", N from `premier` on, that no entry of
// maps/ holds yet; `numero` receives N.
std::string nomMapLibre(int premier, int* numero = nullptr);

// What the session shows and holds at the end of a frame, just before the
// buffers are swapped, for tests and debugging.
struct InstantEdition {
    int frame = 0;              // frames drawn so far by this session
    bool swap = false;          // true only while the session swaps its buffers
    std::vector<Heros> objets;  // the map, the current object last
    int nbre_obj = 0;           // index of the current object
    int objet_courant = 0;      // its kind (and palette index)
    int vue = 0;
    double distanceCam = 0;
    std::string mapALoad;       // where the map is saved
    bool modifiee = false;      // the map differs from the one saved (or opened)
    std::string message;        // the notice on screen, if any
    std::vector<std::string> publication;  // the lines of the publishing panel (none when closed)
    int selection = -1;         // the chosen object leading, −1 for none (the cursor is edited)
    std::vector<int> groupe;    // every chosen object
    bool grille = false, aimant = false, dessus = false;  // grid, snapping, overview
    bool aide = false, question = false;  // the help screen, the question before leaving
    bool conflit = false;       // the question before saving over a map changed on the disk
    VueImage vueImage;          // the matrices and viewport the frame was drawn with
};
const InstantEdition& instantEdition();

}  // namespace editeur

#endif
