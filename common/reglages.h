// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REGLAGES_H
#define VORNA_REGLAGES_H

#include <functional>
#include <string>
#include <vector>

// The player's settings, shared by both programs, kept in
// data/joueur/reglages.txt: one "name value" per line. A missing file or a
// missing line means the value below (the game as it always was); a line
// this version cannot use (unknown name, damaged value) is skipped with a
// line on standard error and written back as it was, so a newer version's
// settings survive an older one.
//
// Adding a setting: a field here, and one line in the table of names in
// reglages.cpp (a number with its bounds, a yes/no, a text, or a word of a list).
struct Reglages {
    int volumeMusique = 10;     // 0 … 10; 10 is the game's own loudness
    int volumeEffets = 10;      // 0 … 10
    bool fantomeCourse = true;  // the racing ghost is shown (G in a run)
    bool courseMondiale = false;  // it is the world record's, not the player's own best
    bool sauverFantome = true;  // a finished run's ghost is kept ("-Tjrs sauver fantome")
    // Each program's window: its size when not full screen, and whether it is.
    int largeurJeu = 640, hauteurJeu = 480;
    bool pleinEcranJeu = false;
    int largeurEditeur = 640, hauteurEditeur = 480;
    bool pleinEcranEditeur = false;
    // The score server (HOST[:PORT]) the end-of-level link goes to; empty:
    // the game's own (VORNA_SCORE_SERVER and --score-server come first).
    std::string serveurScores;
    // The display: vertical sync (adaptive where the driver has it), and the
    // most frames drawn a second where there is none (0: no limit).
    bool synchroVerticale = true;
    int imagesMax = 60;
    // The language of the texts: "auto" (the environment's), or the code of
    // a language proposed (langue.h: "en", "fr", "de"...).
    std::string langue = "auto";
    // The run's keys, as SDL numbers the keys by their place on the keyboard
    // (scancodes), whatever the layout: push forward, back, right, left;
    // choose; pause; the racing ghost; the replay's pause, faster and
    // slower (Space, = and -). A gamepad's input has a number of its own
    // past the keyboard's (manettes.h). Written only when not the default.
    int toucheHaut = 82, toucheBas = 81, toucheDroite = 79, toucheGauche = 80;
    int toucheEntree = 40, toucheEchap = 41, toucheCourse = 10;
    int toucheRejeuPause = 44, toucheRejeuPlus = 46, toucheRejeuMoins = 45;
    // A dark outline round the game's texts (written only when off).
    bool contourTexte = true;
    // The author's name and the last title typed when publishing a map from
    // the editor (written only when set).
    std::string auteurCartes, titreCarte;

    // The lines skipped when reading, in their order, kept for writing.
    std::vector<std::string> autres;
};

extern const char* const kFichierReglages;  // "data/joueur/reglages.txt"

// The smallest window the programs accept, in pixels.
const int kLargeurFenetreMin = 320, kHauteurFenetreMin = 240;

// The settings a text gives; every line skipped gets a line in `rejets`
// ("line 3: unknown setting \"x\"") when it is given.
Reglages lireTexteReglages(const std::string& texte, std::vector<std::string>* rejets = nullptr);
// The text of the settings: every known name in the table's order, then
// the lines kept.
std::string texteReglages(const Reglages& r);

// Reads the settings file at `chemin`. A missing file gives the defaults
// silently; any other trouble (a FIFO, a folder, a file too large to be
// settings, above 64 KiB) gives the defaults with one line on standard error,
// and `lisible` false: such a file is never written over.
Reglages lireReglages(const std::string& chemin = kFichierReglages, bool* lisible = nullptr,
                      bool bavard = true);

// Under the file's lock (fichiers.h), reads the file as it is now, lets
// `changer` set what it changes, and writes it back whole through the shared
// writer (through a link, keeping the file's mode), so that what another
// program wrote meanwhile is kept. Returns false, after a line on standard
// error, when the file cannot be read as settings or written; it is then
// left as it was. With `enAttente`, a lock held by another program is not
// waited for: the change is made in the background once the lock is free
// (`changer` must then hold copies of all it uses), and `*enAttente` is set.
bool modifierReglages(const std::function<void(Reglages&)>& changer,
                      const std::string& chemin = kFichierReglages, bool* enAttente = nullptr);

#endif
