// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_PARTIE_SCRIPTEE_H
#define VORNA_TEST_PARTIE_SCRIPTEE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "jeu.h"
#include "mixeur_enregistreur.h"
#include "systeme_script.h"

// A straight course toward −x: the ball rests on a floor at the start and
// the finish lies about 21 units away.
extern const char* const kCourseDroite;

// Whole runs of Jeu::jouer() in a scratch game folder, driven through the seam
// with scripted keys and a virtual clock (2 ms of work a frame, so a frame lasts
// 32 ms), drawing for real into the test window; `instants` holds each frame's state.
struct PartieScriptee : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;
    Jeu jeu{640, 480};
    std::vector<InstantPartie> instants;  // one per frame
    std::function<void(const InstantPartie&)> surFrame;
    int debut = 0;  // the seam's frame the current run started on

    // Forgets the last run and its script's leftovers: the next run starts at `debut`.
    void suivante() {
        instants.clear();
        systeme.oublier();
        debut = systeme.frame();
    }

    void SetUp() override;
    void TearDown() override;

    // The recording's working file: hidden, one per process.
    static std::string travail() { return "ghost/.enregistrement-" + std::to_string(getpid()); }
    // End-of-level menu: "Enregistrer le fantome", then "Menu principal".
    void garderFantome(int f);
    void scenario(int n, const std::string& contenu);
    void perso(const std::string& nom, const std::string& contenu);
    // Presses and releases a key `n` times from frame `f`, one frame apart.
    int taper(int f, SDL_Keycode k, int n = 1);
    int premiereFrame(const std::function<bool(const InstantPartie&)>& p) const;
    // The ghost text of the run's frames before the finish, for `niveau`.
    std::string fantomeDeLaPartie(const std::string& niveau) const;
    // A ghost's text without the line of its inputs: its positions.
    static std::string positions(const std::string& ghost);
    // The ghost the game keeps when the run `ghost` keeps the inputs of is
    // played again from them (its best ghost, from its timed start, when
    // `record`); a line on failure.
    static std::string rejoue(const std::string& ghost, bool record = false);
    // When the ball first wins, run `apres(frame)` (the seam's next frame) to script the menu.
    void alArrivee(std::function<void(int)> apres);
};

#endif
