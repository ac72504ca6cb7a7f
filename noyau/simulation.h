// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SIMULATION_H
#define VORNA_SIMULATION_H

#include <array>
#include <string>
#include <vector>

#include "entrees_pas.h"
#include "fondu.h"
#include "heros.h"
#include "objet.h"

// A run advances in steps of exactly 1/30 s, whatever the display does: every
// speed, thrust, friction and points decrement is an amount per step.
const int kPasParSeconde = 30;
// The milliseconds the chronometer shows for a number of steps (33⅓ ms a
// step, rounded down).
inline int millisecondes(long long pas) { return static_cast<int>(pas * 1000 / kPasParSeconde); }

// What one step did that the program around the rules acts on: sounds to
// play, the music, key repeat, files to write. Emptied at each step.
struct Sorties {
    struct Son {
        std::string nom;
        double volume;  // −1: the sample's own volume
        bool operator==(const Son& o) const { return nom == o.nom && volume == o.volume; }
    };
    enum class Repetition { Inchangee, Menu, Jeu };      // 400/200 ms in menus, 10/10 ms in play
    enum class Musique { Inchangee, Pause, Reprise, RepriseTout };

    std::vector<Son> sons;  // in the order they were played
    bool roll = false;      // the rolling sound's volume was set, to volumeRoll
    double volumeRoll = 0;
    Repetition repetition = Repetition::Inchangee;
    Musique musique = Musique::Inchangee;
    bool arrivee = false;            // the first step at the finish: note the record and the progress
    bool fantomeRecommence = false;  // the ghost recording starts again from nothing
    bool fantomeGarde = false;       // "Enregistrer le fantome" chosen
    bool envoyerScore = false;       // "Envoyer son score en ligne" chosen
    bool basculerCourse = false;     // G: the racing ghost hidden or shown
    bool suivant = false;            // "Niveau suivant" chosen
    bool recommence = false;         // the run started again from the start
    bool echantillon = false;        // a ghost position was taken: the ball's, at the end of the step
};

// The rules of one run of one level, apart from any window, sound, file or
// clock: the ball, collision with the course, the special blocks and
// pick-ups, points, lives, falls, checkpoints, the finish, the pause and
// end-of-level menus, the ghost's positions and the racing ghost's progress.
// Each call of pas() is one step; what it leaves is what the step's picture
// shows (the timers of a step run at the start of the next one). The state
// only depends on the course and on the inputs of every step.
class Simulation {
public:
    // How a run is set up: its starting points, whether it is a scenario
    // level (the score can be sent, the recording restarts with the run),
    // and whether the ghost is recorded.
    struct Depart {
        int pointsDepart = 2000;
        bool scenario = false;
        bool fantome = true;
    };

    // An empty course, a ball at the origin, the start phase over: for
    // trying the rules one by one.
    Simulation();
    Simulation(const Heros& balle, std::vector<Cube> cubes, std::vector<Bonus> bonus, const Depart& depart);

    // One step: the timers of the step before, then the inputs, the moves,
    // falls, pick-ups, the finish and the ghost's position.
    void pas(const EntreesPas& entrees);

    // The rules, one by one.
    // Collision of the ball with the course along one axis (exactly one of
    // x, y, z set). True: free to move (x, y), airborne (z).
    bool collisionDetect(int x, int y, int z, Heros* joueur, const std::vector<Cube>& tableaucube);
    double calculPoint(double x, double y, double z, double longueur, double largeur, double angle);
    void verifieBonus(Heros* joueur, Bonus* tableaubonus);
    // One step's moves of the ball through the course. Out of the start phase
    // and the pause: the arrow keys' thrust (up, down, right, left: toward -x,
    // +x, +y, -y) where the way is free and under the top speed, then the move
    // along x and then along y, a refused one bouncing back at half speed with
    // a knock. Always: the move along z.
    void deplacerBalle(Heros& b, const std::vector<Cube>& tableaucube, const bool direction[4], double poussee);
    void resetDonnees();

    // What the last step did; the rules called one by one add to it too.
    const Sorties& sorties() const { return m_sorties; }
    Sorties& sorties() { return m_sorties; }

    // The state, as the step left it.
    const Heros& balle() const { return m_balle; }
    Heros& balle() { return m_balle; }
    const std::vector<Cube>& cubes() const { return m_cubes; }
    const std::vector<Bonus>& bonus() const { return m_bonus; }
    std::vector<Bonus>& bonus() { return m_bonus; }
    // The ball where the step before left it (where a jump back, to the start
    // or a checkpoint, leaves it too): the picture goes from there to balle().
    const std::array<double, 3>& ballePrecedente() const { return m_ballePrecedente; }
    // Where the camera stands back from: the ball, where a fall began, or
    // after the finish the point slowly backing away; before and now.
    const std::array<double, 3>& vise() const { return m_vise; }
    const std::array<double, 3>& visePrecedent() const { return m_visePrecedent; }
    const std::array<double, 3>& chute() const { return m_chute; }  // where the fall began
    const Fondu& mort() const { return m_mort; }
    // The tint the step's picture is drawn in: the fade as the step before
    // left it (the fade darkens after the picture's colour is taken).
    const Fondu& teinte() const { return m_teinte; }

    long long numeroPas() const { return m_numero; }  // steps taken so far
    int continuer() const { return m_continuer; }      // 2 while the run goes on
    int niveau() const { return m_niveau; }            // 99 once left through the end-of-level menu
    bool finPartie() const { return m_finpartie; }
    bool ecrireEnvoyer() const { return m_ecrireEnvoyer; }
    int choixSend() const { return m_choixSend; }
    int choixMenu() const { return m_choixMenu; }
    int points() const { return m_points; }
    int pointsDepart() const { return m_pointsDepart; }
    int score() const { return m_score; }
    int chrono() const { return millisecondes(pasChrono()); }  // ms
    long long pasChrono() const { return m_tempsActuel3 - m_tempsPrecedent3; }  // the chronometer in steps
    int chronoAffiche() const { return m_chronoAffiche; }  // ms, as refreshed at the start of the step
    bool renameghost() const { return m_renameghost; }
    bool getDebut() const { return m_debut; }
    void setDebut(bool d) { m_debut = d; }
    bool getRoll() const { return m_roll; }
    void setRoll(bool r) { m_roll = r; }
    bool getPause() const { return m_pause; }
    bool getMenu() const { return m_menu; }
    bool getLoose() const { return m_loose; }
    bool getCheckpoint() const { return m_checkpoint; }
    void setCheckpoint(bool c) { m_checkpoint = c; }
    unsigned int getLastCheckpoint() const { return m_last_checkpoint; }
    double getXSave() const { return m_x_save; }
    double getYSave() const { return m_y_save; }
    double getZSave() const { return m_z_save; }
    void setSave(double x, double y, double z) { m_x_save = x; m_y_save = y; m_z_save = z; }
    void setFantome(bool f) { m_depart.fantome = f; }
    // The racing ghost's progress: the steps played (neither paused nor in a
    // start phase) since the run last (re)started.
    int pasCourse() const { return m_pasCourse; }
    // The ghost's positions since the recording (re)started, and the index of
    // the last one taken in a start phase: the timed run starts there. None
    // are kept past `kEchantillonsMax` (then complets() is false).
    const std::vector<std::array<double, 3>>& echantillons() const { return m_echantillons; }
    size_t debutChrono() const { return m_debutChrono; }
    bool complets() const { return m_complets; }
    // The inputs of every step since the level was loaded.
    const Journal& journal() const { return m_journal; }

private:
    // simulation.cpp
    void evenements(const EntreesPas& entrees);
    void appui(Touche t);
    void relache(Touche t);
    void chuteDebut();
    void suivreCamera();
    void echantillon();
    void minuteries();
    void son(const char* nom, double volume) { m_sorties.sons.push_back({nom, volume}); }
    void arreter() { m_balle.setSX(0), m_balle.setSY(0), m_balle.setSZ(0); }
    void sauter(double x, double y, double z);
    void repetition(Sorties::Repetition r) { m_sorties.repetition = r; }

    // simulation_menus.cpp
    void basculerPause();
    void relacheEntree();
    void appuiEntree();
    void recommencerCommun();
    void recommencerPause();
    void recommencerPerdu();
    void recommencerFinDeNiveau();
    void fantomeRecommencer();
    void finDeNiveau();
    void quitterFinDeNiveau(bool suivant);

    // simulation_collision.cpp: the effect of the block the ball has just
    // landed on (index i in the course), after its bounce or rest.
    void effetBloc(unsigned int i, const Cube& bloc, Heros* joueur);

    Depart m_depart;
    Heros m_balle;
    std::vector<Cube> m_cubes;
    std::vector<Bonus> m_bonus;
    Sorties m_sorties;
    Journal m_journal;
    long long m_numero = 0;

    // The session's rule fields.
    double m_x_depart = 0, m_y_depart = 0, m_z_depart = 0;
    double m_x_save = 0, m_y_save = 0, m_z_save = 0;
    bool m_menu = false, m_pause = false, m_loose = false, m_checkpoint = false;
    unsigned int m_last_checkpoint = 0;
    bool m_debut = true, m_roll = false;

    // The run's state.
    int m_continuer = 2;
    int m_niveau = 1;
    bool m_finpartie = false, m_ecrireEnvoyer = false;
    int m_choixSend = 0, m_choixMenu = 0;
    bool m_direction[4] = {false, false, false, false};  // up, down, right, left
    double m_vitessespeed = 0.02;
    int m_pointsDepart = 2000, m_points = 2000, m_score = 2000;
    int m_chronoAffiche = 0;
    std::array<double, 3> m_chute{}, m_win{};  // where the fall began; the camera's anchor after the finish
    double m_z_begin_tombe = 0;
    Fondu m_mort{255, 255, 255};
    Fondu m_teinte{255, 255, 255};
    bool m_renameghost = false;
    std::array<double, 3> m_ballePrecedente{}, m_vise{}, m_visePrecedent{};
    bool m_saut = false;  // the ball was put back somewhere during the step

    // Timers in steps (the step number at the end of the step), in pairs as
    // the times in milliseconds they stand for: 3 the chronometer, 4 a fall,
    // 5 the checkpoint message, 6 the start phase, 7 the rolling sound.
    long long m_tempsActuel3 = 0, m_tempsPrecedent3 = 0;
    long long m_tempsActuel4 = 0, m_tempsPrecedent4 = 0;
    long long m_tempsActuel5 = 0, m_tempsPrecedent5 = 0;
    long long m_tempsPrecedent6 = 0;
    long long m_tempsActuel7 = 0, m_tempsPrecedent7 = 0;

    int m_pasCourse = 0;
    std::vector<std::array<double, 3>> m_echantillons;
    size_t m_debutChrono = 0;
    bool m_complets = true;
};

// Plays a run again from its inputs, step after step, until they are all
// played or the run has ended.
void rejouer(Simulation& simulation, const Journal& journal);

// The height below which the ball has fallen off the course: the lowest
// z − lz/2 of the blocks, never above 0.
double hauteurDeChute(const std::vector<Cube>& blocs);

// The most positions a ghost keeps in memory and a race follows: over nine
// hours of steps.
const size_t kEchantillonsMax = size_t(1) << 20;

#endif
