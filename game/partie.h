// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_PARTIE_H
#define VORNA_PARTIE_H

#include <GL/gl.h>
#include <SDL.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fondu.h"
#include "fsound.h"
#include "jeu.h"
#include "lot_blocs.h"
#include "records.h"
#include "skybox.h"

// One run of one level: the state of the run and its steps. One object per
// call of Jeu::jouer(). The steps live by screen: partie.cpp (set-up, the
// frame, the events, leaving), partie_jeu.cpp (play: moves, falls, camera,
// drawing, timers), partie_pause.cpp (the pause menu and game over),
// partie_fin.cpp (the finish and the end-of-level menu), partie_fantome.cpp
// (the ghost recording), partie_record.cpp (the level's record and best
// ghost), partie_course.cpp (the best ghost raced as a translucent ball).
class Partie {
public:
    explicit Partie(Jeu& jeu) : m(jeu) {}
    ~Partie();
    Partie(const Partie&) = delete;
    Partie& operator=(const Partie&) = delete;
    void jouer();

private:
    // partie.cpp
    bool preparer();
    void frame();
    void evenements();
    void quitter();
    void instantane();
    void imprimer(const std::string& texte, int pos, double posy);
    void recommencerCommun();

    // partie_jeu.cpp
    void deplacements();
    void chuteDebut();
    void camera();
    void dessiner();
    void textesJeu();
    void minuteries();

    // partie_pause.cpp
    void basculerPause();
    void relacheEntree();
    void recommencerPause();
    void recommencerPerdu();
    void textesPause();

    // partie_fin.cpp
    void appuiEntree();
    void finDeNiveau();
    void recommencerFinDeNiveau();
    void majProgression();
    void textesFin();

    // partie_fantome.cpp
    void fantomeDebut();
    void fantomeEchantillon();
    void fantomeRecommencer();
    void fantomeVerifier();
    void fantomeEchec(int erreur);
    void fantomeFin();
    std::string nomFantome(int numero) const;
    bool garderFantomeRecord(const std::string& nom);

    // partie_record.cpp
    Parcours parcours() const;
    void noterRecord();
    void textesRecord();

    // partie_course.cpp
    void courseCharger();
    void courseDessiner();
    // Where the racing ball is drawn this frame; null when it is not.
    const std::array<float, 3>* positionCourse() const;

    Heros& balle() { return joueur[0]; }
    const Heros& balle() const { return joueur[0]; }

    Jeu& m;

    std::vector<Cube> tableaucube;
    std::vector<Bonus> tableaubonus;
    std::vector<Sphere> tableausphere;
    std::vector<Heros> joueur;
    LotBlocs lot;  // the blocks, ready to draw

    int continuer = 2;
    int niveau = 1;
    bool finpartie = false;
    bool ecrireEnvoyer = false;
    int choixSend = 0;
    int choixMenu = 0;
    bool direction[4] = {false, false, false, false};  // up, down, right, left
    double vitessespeed = 0.02;
    int points_depart = 2000;
    int points = 0;
    int score = 0;
    double x_tombe = 0, y_tombe = 0, z_tombe = 0;
    double x_win = 0, y_win = 0, z_win = 0;
    double z_begin_tombe = 0;
    Fondu mort{255, 255, 255};
    bool renameghost = false;
    std::string nomAffiche;
    std::string cheminNiveau;

    std::string textePoints, texteTemps, texteVies;

    Uint32 tempsActuel3 = 0, tempsPrecedent3 = 0;  // chrono
    Uint32 tempsActuel4 = 0, tempsPrecedent4 = 0;  // fall
    Uint32 tempsActuel5 = 0, tempsPrecedent5 = 0;  // checkpoint message
    Uint32 tempsActuel6 = 0, tempsPrecedent6 = 0;  // start phase
    Uint32 tempsActuel7 = 0, tempsPrecedent7 = 0;  // roll sound

    unsigned int textureFont = 0;
    FSOUND_STREAM* musique = nullptr;
    std::unique_ptr<Skybox> skybox;
    bool donneesChargees = false;

    FILE* fghost = nullptr;
    std::string ghost;  // final name of this run's ghost; empty until a recording starts
    int numeroFantome = 0;
    std::string messageFantome;  // why the recording was dropped, for the end-of-level screen
    // The positions recorded since the recording (re)started, and the last one
    // taken in a start phase: the run the chronometer timed starts there.
    std::vector<std::array<double, 3>> echantillons;
    size_t debutChrono = 0;
    bool echantillonsComplets = true;  // none dropped past kEchantillonsMax

    std::string texteRecord;    // "Nouveau record" when the run beat the level's record
    std::string messageRecord;  // why the record or its ghost could not be kept
    std::string messageProgression;  // why the level unlocked is not kept on disk

    // The race: the level's best ghost, and the frames played (neither
    // paused nor in a start phase) since the run last (re)started.
    std::vector<std::array<float, 3>> course;
    int framesCourse = 0;
    bool courseARecharger = false;  // a new best ghost was kept: raced from the next restart

    int frames = 0;
};

#endif
