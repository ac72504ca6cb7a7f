// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_JEU_H
#define VORNA_JEU_H

#include <string>
#include <vector>

#include "heros.h"
#include "instant_partie.h"
#include "objet.h"
#include "son.h"
#include "texture.h"

// The single-player session. The main menu owns one for the whole program,
// tells it which level to play through the setters and calls jouer(): one
// call is one run of one level, from loading to the closing fade.
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
    void setNombreGhost(int n) { m_nombre_ghost = n; }
    int getNombreGhost() const { return m_nombre_ghost; }
    void setFantome(bool f) { m_fantome = f; }
    bool getFantome() const { return m_fantome; }
    bool getSuivant() const { return m_suivant; }
    // The translucent ball racing the level's best ghost is shown; G switches
    // it during a run, and the choice is kept in the player's settings.
    void setCourse(bool c) { m_course = c; }
    bool getCourse() const { return m_course; }

    void resetDonnees();
    void loadDonnees();
    void jouer();

    // Collision of the ball with the course along one axis (exactly one of
    // x, y, z set). True: free to move (x, y), airborne (z).
    bool collisionDetect(int x, int y, int z, Heros* joueur, const std::vector<Cube>& tableaucube);
    // One frame's moves of the ball through the course. Out of the start phase
    // and the pause: the arrow keys' thrust (up, down, right, left: toward -x,
    // +x, +y, -y) where the way is free and under the top speed, then the move
    // along x and then along y, a refused one bouncing back at half speed with
    // a knock. Always: the move along z.
    void deplacerBalle(Heros& b, const std::vector<Cube>& tableaucube, const bool direction[4], double poussee);
    double calculPoint(double x, double y, double z, double longueur, double largeur,
                       double angle);
    void verifieBonus(Heros* joueur, Bonus* tableaubonus);
    bool sendScoreOnline(int score);  // false when no browser could be started

    // Read access for the run loop's collaborators and for tests.
    Son& son() { return m_son; }
    bool getDebut() const { return m_debut; }
    void setDebut(bool d) { m_debut = d; }
    bool getRoll() const { return m_roll; }
    void setRoll(bool r) { m_roll = r; }
    bool getCheckpoint() const { return m_checkpoint; }
    void setCheckpoint(bool c) { m_checkpoint = c; }
    unsigned int getLastCheckpoint() const { return m_last_checkpoint; }
    double getXSave() const { return m_x_save; }
    double getYSave() const { return m_y_save; }
    double getZSave() const { return m_z_save; }
    void setSave(double x, double y, double z) { m_x_save = x; m_y_save = y; m_z_save = z; }
    const std::string& getTypeLieu() const { return m_typeLieu; }
    void setTypeLieu(const std::string& t) { m_typeLieu = t; }
    int getNbreGame() const { return m_nbre_game; }
    // The state of the current (or last) run at its last frame.
    const InstantPartie& getInstant() const { return m_instant; }

private:
    // The effect of the block the ball has just landed on (index i in the
    // course), after its bounce or rest.
    void effetBloc(unsigned int i, const Cube& bloc, Heros* joueur);

    int m_hauteur;
    int m_largeur;
    std::string m_mapALoad;
    int m_nombre_ghost = 0;
    bool m_fantome;
    bool m_scenario = false;
    unsigned int m_mapScenario = 0;
    unsigned int m_niveauMax = 0;
    unsigned int m_mapsMax = 0;
    double m_x_depart = 0, m_y_depart = 0, m_z_depart = 0;
    double m_x_save = 0, m_y_save = 0, m_z_save = 0;
    bool m_menu;
    bool m_pause;
    bool m_loose;
    bool m_checkpoint;
    unsigned int m_last_checkpoint;
    Son m_son;
    Texture m_texture;
    bool m_debut;
    bool m_roll;
    int m_nbre_game;
    bool m_suivant;
    std::string m_typeLieu;
    bool m_course = true;
    InstantPartie m_instant;

    friend class Partie;  // the state and steps of one run (partie.h)
};

#endif
