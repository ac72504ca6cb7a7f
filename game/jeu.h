// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_JEU_H
#define VORNA_JEU_H

#include <optional>
#include <string>
#include <vector>

#include "course.h"
#include "instant_partie.h"
#include "son.h"
#include "texture.h"

// The single-player session. The main menu owns one for the whole program,
// tells it which level to play through the setters and calls jouer(): one
// call is one run of one level, from loading to the closing fade. The rules
// of the run itself live in its Simulation (simulation.h); the session keeps
// the settings, the sounds and textures, and what lasts from run to run.
// A level set of one's own being played (serie.h): its file's name ("" for
// none), the level in it (from 1), the highest unlocked and how many there
// are. Its levels play as free maps; the progress and records are the set's.
struct PlaceSerie {
    std::string nom;
    unsigned int niveau = 0, ouvert = 1, taille = 0;
};

class Jeu {
public:
    Jeu(int hauteur, int largeur);

    void setMap(std::string nom) { m_mapALoad = nom; }
    void setScenario(bool s) { m_scenario = s; }
    bool getScenario() const { return m_scenario; }
    // Scenario level numbers (from 1), the highest unlocked one and the number
    // of scenario files: unsigned, compared as such everywhere.
    void setMapScenario(unsigned int n) { m_mapScenario = n; }
    unsigned int getMapScenario() const { return m_mapScenario; }
    void setNiveauMax(unsigned int n) { m_niveauMax = n; }
    unsigned int getNiveauMax() const { return m_niveauMax; }
    void setMapsMax(unsigned int n) { m_mapsMax = n; }
    unsigned int getMapsMax() const { return m_mapsMax; }
    void setSerie(const PlaceSerie& s) { m_serie = s; }
    const PlaceSerie& getSerie() const { return m_serie; }
    void setNombreGhost(int n) { m_nombre_ghost = n; }
    int getNombreGhost() const { return m_nombre_ghost; }
    void setFantome(bool f) { m_fantome = f; }
    bool getFantome() const { return m_fantome; }
    bool getSuivant() const { return m_suivant; }
    // The translucent ball racing the level's best ghost is shown; G switches
    // it during a run, and the choice is kept in the player's settings.
    void setCourse(bool c) { m_course = c; }
    bool getCourse() const { return m_course; }
    // The ghost raced is the world record's (fetched from the score server)
    // rather than the player's own best.
    void setCourseMondiale(bool c) { m_courseMondiale = c; }
    bool getCourseMondiale() const { return m_courseMondiale; }

    void loadDonnees();
    void jouer();
    // The last run that reached its finish, as the score server receives it.
    const std::optional<Course>& derniereCourse() const { return m_derniereCourse; }

    Son& son() { return m_son; }
    const std::string& getTypeLieu() const { return m_typeLieu; }
    void setTypeLieu(const std::string& t) { m_typeLieu = t; }
    int getNbreGame() const { return m_nbre_game; }
    // The state of the current (or last) run at its last frame.
    const InstantPartie& getInstant() const { return m_instant; }

private:
    int m_hauteur;
    int m_largeur;
    std::string m_mapALoad;
    int m_nombre_ghost = 0;
    bool m_fantome;
    bool m_scenario = false;
    unsigned int m_mapScenario = 0;
    unsigned int m_niveauMax = 0;
    unsigned int m_mapsMax = 0;
    PlaceSerie m_serie;
    Son m_son;
    Texture m_texture;
    int m_nbre_game;
    bool m_suivant;
    std::string m_typeLieu;
    bool m_course = true;
    bool m_courseMondiale = false;
    InstantPartie m_instant;
    std::optional<Course> m_derniereCourse;

    friend class Partie;  // the state and steps of one run (partie.h)
};

#endif
