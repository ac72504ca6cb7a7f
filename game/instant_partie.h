// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_INSTANT_PARTIE_H
#define VORNA_INSTANT_PARTIE_H

#include <string>

// What a run shows and holds at the end of a frame, just before the buffers
// are swapped: the state its last step left. The run keeps it up to date so that a test (or a debugging
// session) can follow a run frame by frame without reaching into it.
struct InstantPartie {
    int frame = 0;
    long long pas = 0;  // the steps the run has taken
    // The ball.
    double x = 0, y = 0, z = 0;
    double sx = 0, sy = 0, sz = 0;
    double vie = 0, maxspeed = 0;
    bool win = false, tombe = false, tombe2 = false;
    // The run.
    int points = 0, score = 0;
    int chrono = 0;  // elapsed milliseconds shown
    bool pause = false, menu = false, loose = false, checkpoint = false, debut = false;
    bool ecrireEnvoyer = false, finpartie = false;
    int choixMenu = 0, choixSend = 0;
    int continuer = 0;
    int niveau = 0;
    bool renameghost = false;
    int mortR = 0, mortG = 0, mortB = 0;
    bool mortF = false;
    double xSave = 0, ySave = 0, zSave = 0;
    // The texts of the screen.
    std::string textePoints, texteTemps, texteVies, nomAffiche, texteFin;
    std::string message;  // the end-of-level screen's warning line, when there is one
    std::string record;         // "Nouveau record" on the end-of-level screen
    std::string messageRecord;  // why the record or its ghost was not kept
    std::string messageProgression;  // why the level unlocked is not kept on disk
    std::string messageEnvoi;        // the score server's answer, or that it is awaited
    // The ball racing the best ghost, when it is drawn.
    bool course = false;
    double xCourse = 0, yCourse = 0, zCourse = 0;
    // The replay's corner: its speed when not 1x, or "Pause".
    std::string texteCoin;
};

#endif
