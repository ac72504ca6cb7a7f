// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MAPS_EN_LIGNE_H
#define VORNA_MAPS_EN_LIGNE_H

#include <memory>
#include <string>
#include <vector>

#include "requete_http.h"

// The maps the players published on the score server, as the main menu's
// "Maps en ligne" lists them: the list fetched in the background, a map
// downloaded into the player's maps/ folder, where it is a free map as any
// other (its records, ghosts and leaderboard go by its name and its hash).

// One map of the server's list (/maps.txt).
struct MapEnLigne {
    unsigned long long id = 0;
    std::string empreinte;  // the SHA-256 of its file's bytes, 64 lowercase hex digits
    bool record = false;    // it has a verified run: its points, chronometer and name follow
    int points = 0;
    long long pas = 0;  // the record's chronometer, in steps
    std::string nomRecord;
    long long parties = 0;  // how many times it was downloaded
    std::string auteur, titre;
};

// A page of the list: the header "maps TOTAL page P pages COUNT", then one
// line per map, its fields separated by TAB (ID HASH POINTS CHRONO_STEPS
// RECORD_NAME PLAYS AUTHOR TITLE, '-' for the record's fields when it has
// none). `lue` is false for a text that is no such list; a line that is no
// map is skipped.
struct ListeMaps {
    bool lue = false;
    long long total = 0, page = 0, pages = 0;
    std::vector<MapEnLigne> maps;
};
ListeMaps lireListeMaps(const std::string& texte);

// The line a map shows in the list: its title, its author and its record's
// points and time, cut to the 40 characters a line holds.
std::string texteMapEnLigne(const MapEnLigne& m);

// The file name (without ".txt") a map of this title is kept under: its
// letters, digits, spaces and harmless signs, never a '/', a control
// character or a leading dot; "map" when nothing is left.
std::string nomDeMap(const std::string& titre);

// The free map of maps/ whose bytes have this SHA-256 ("" when none).
std::string mapDeMemeEmpreinte(const std::string& empreinte);

// Writes `octets` as a new map of maps/ named after `titre` (nomDeMap),
// followed by "-2", "-3"... when the name is taken: never over a file that
// is there, whole or not at all. Its name, or "" after a line on standard
// error.
std::string garderMap(const std::string& titre, const std::string& octets);

// The screen's state: two lists (the newest maps first, the most played
// first), each fetched when first shown and again each time the screen
// opens, and one download at a time.
class MapsEnLigne {
public:
    enum Tri { Recentes, Jouees };
    enum Etat { Chargement, Liste, Injoignable };

    MapsEnLigne();
    ~MapsEnLigne();
    // The screen opens: the list shown is fetched again (unless on its way).
    void ouvrir();
    // Left or Right: the other list.
    void changerTri();
    // Return on the map `i` of the list shown: one already in maps/ (the
    // same bytes) plays at once: true, its name in `nom`. Otherwise its
    // download starts (one still on its way is forgotten).
    bool choisir(size_t i, std::string& nom);
    // Escape: a download on its way is forgotten.
    void abandonner();
    // Once a frame: the answers that came. True when a map downloaded is
    // kept and ready to play: its name in `nom`.
    bool suivre(std::string& nom);

    Tri tri() const { return m_tri; }
    Etat etat() const;
    const std::vector<MapEnLigne>& maps() const;
    // What the screen says over the list: its title, then why it is empty,
    // then the state of the download or the highlighted map's record.
    std::string titre() const;
    std::vector<std::string> etatTexte() const;
    // Under the list: the download's state, or the record's holder and the
    // plays of the map `i`.
    std::string detail(size_t i) const;

private:
    struct Page;
    void demander(Page& p, Tri tri);
    bool garderTelechargement(const RequeteHttp::Reponse& r, std::string& nom);
    std::unique_ptr<Page> m_pages[2];
    Tri m_tri = Recentes;
    std::unique_ptr<RequeteHttp> m_carte;
    std::vector<std::unique_ptr<RequeteHttp>> m_oubliees;  // forgotten downloads, ended when the menu is
    MapEnLigne m_choisie;
    std::string m_message;
};

#endif
