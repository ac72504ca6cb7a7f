// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_PARTIE_H
#define VORNA_PARTIE_H

#include <GL/gl.h>

#include <array>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "envoi_course.h"
#include "fsound.h"
#include "jeu.h"
#include "lot_blocs.h"
#include "mondial.h"
#include "records.h"
#include "simulation.h"
#include "skybox.h"

// One run of one level, around its rules (the Simulation): the level and
// what the run loads, the loop that runs steps of 1/30 s and draws frames at
// the display's rate, the effects of each step (sounds, music, files), the
// picture. One object per call of Jeu::jouer(). By screen: partie.cpp
// (set-up, the loop, the inputs, the effects, leaving), partie_jeu.cpp (the
// picture of play: camera, scene, texts), partie_pause.cpp (the pause menu's
// texts), partie_fin.cpp (the end-of-level menu, the progress, the score),
// partie_fantome.cpp (the ghost recording), partie_record.cpp (the level's
// record and best ghost), partie_course.cpp (the best ghost raced as a
// translucent ball).
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
    void boucle();
    void lireEntrees();
    void pas(uint32_t echeance);
    void effets(const Sorties& s);
    void image(double alpha);
    std::vector<double> etatVu() const;
    // The pause menu is up and nothing changed since the last frame drawn.
    bool immobile() const;
    void quitter();
    void instantane();
    void imprimer(const std::string& texte, int pos, double posy);

    // partie_jeu.cpp
    // The ball drawn `alpha` of the way from the step before to the last one.
    Heros balleVue(double alpha) const;
    void camera(const Heros& vue, double alpha);
    void dessiner(const Heros& vue, double alpha);
    void textesJeu();

    // partie_pause.cpp
    void textesPause();

    // partie_fin.cpp
    void majProgression();
    void annoncerProgression(Maj maj, const Lecture& lu);
    void textesFin();
    void noterCourse();
    void envoyerCourse();
    void suivreEnvoi();

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
    void courseDemander();
    void courseSuivre();
    void courseCharger();
    void courseDessiner(double alpha);
    // Where the racing ball is drawn; false when it is not.
    bool positionCourse(double alpha, std::array<double, 3>& p) const;

    Jeu& m;
    std::unique_ptr<Simulation> sim;  // the run's rules, once its level is loaded
    // What the player did and is not yet handled, each with when it came: a
    // step takes what came by the time it is due.
    std::deque<std::pair<uint32_t, Appui>> entrees;
    std::vector<Sphere> tableausphere;
    LotBlocs lot;  // the blocks, ready to draw
    std::string nomAffiche;
    std::string cheminNiveau;

    unsigned int textureFont = 0;
    FSOUND_STREAM* musique = nullptr;
    std::unique_ptr<Skybox> skybox;
    bool donneesChargees = false;

    FILE* fghost = nullptr;
    std::string ghost;  // final name of this run's ghost; empty until a recording starts
    int numeroFantome = 0;
    std::string messageFantome;  // why the recording was dropped, for the end-of-level screen

    std::string texteRecord;    // "Nouveau record" when the run beat the level's record
    std::string messageRecord;  // why the record or its ghost could not be kept
    std::string messageProgression;  // why the level unlocked is not kept on disk

    // The run sent to the score server: the level file's SHA-256, the run
    // as it reached the finish, its way there, and what the screen says of it.
    std::string empreinteNiveau;
    std::optional<Course> courseFinie;
    EnvoiCourse envoi;
    std::string messageEnvoi;

    // The race: the level's best ghost, and how far it had gone the step before.
    std::vector<std::array<float, 3>> course;
    int pasCoursePrecedent = 0;
    bool courseARecharger = false;  // a new best ghost was kept: raced from the next restart
    std::unique_ptr<FantomeMondial> mondial;  // the world record's ghost, when it is the one raced

    int frames = 0;
    std::vector<double> vueDessinee;  // etatVu() at the last frame drawn
};

#endif
