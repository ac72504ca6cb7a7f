// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_BOUT_EN_BOUT_H
#define VORNA_TEST_BOUT_EN_BOUT_H

#include <functional>
#include <string>
#include <vector>

#include "fenetre_test.h"

// Helpers of the end-to-end tests: the real programs driven by real X events.

// The 640 × 480 of the X screen where the topmost window of a program sits.
struct Capture {
    int l = 0, h = 0;
    std::vector<Pixel> p;
    Pixel at(int x, int y) const { return p[y * l + x]; }
};
Capture capturerEcran();
// The pixels of [x0, x1) × [y0, y1) for which `p` holds.
int compter(const Capture& c, int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& p);
// Distinct colours (5 bits per component).
int couleurs(const Capture& c);
bool blanc(Pixel p);
// The highlight colour of menu entries, (221, 137, 107), possibly dimmed.
bool orange(Pixel p);

// The Top screen of vorna's main menu: the title in white at the top left,
// "Jouer" highlighted just above the centre.
bool menuHaut(const Capture& c);

// Environment changes: "NAME=value" sets NAME, "NAME" alone removes it.
using Environnement = std::vector<std::string>;

// Runs a program to its end: its exit status (−1 if killed), its output and errors in `sortie`.
int executer(const std::vector<std::string>& args, const Environnement& env = {},
             std::string* sortie = nullptr);
// Waits for a window whose name matches `motif` (xdotool search --sync): its
// exit status, the window ids in `ids`. Retried, since xdotool dies of
// BadWindow when another test's window goes away during its search.
int chercherFenetre(const std::string& motif, std::string* ids = nullptr);
// Polls `condition` every 100 ms for up to `secondes`.
bool attendre(const std::function<bool()>& condition, double secondes);

// A program running in the background (SDL_AUDIODRIVER=dummy, no leak
// checking under the sanitizers), killed at the end if still running.
class Programme {
public:
    explicit Programme(const std::vector<std::string>& args, const Environnement& env = {});
    ~Programme();
    // Its exit status once it has ended within `secondes`, −2 if it has not.
    int attendreFin(double secondes);
    // Sends it `signal` (SIGTERM...) while it runs.
    void signaler(int signal);

private:
    int m_pid = -1;
};

// cmake --install of the build under `prefixe`: cmake's status, its output in `sortie`.
int installerDans(const std::string& prefixe, std::string* sortie = nullptr);

// xdotool: the pointer to (x, y) of the program's window, a pause, then `args` (a key,
// a click...; nothing more when empty), and a pause for the program to take it.
void xdotool(const std::vector<std::string>& args, int x = 320, int y = 240);
// The title of the program's window, as the window manager reads it (UTF-8).
std::string nomFenetre();
// True when xdotool is installed.
bool xdotoolPresent();

// A copy of the built game folder here: its data, its maps, vorna and
// bramelt, level 1 open. False when the game or its data is not built.
bool copierJeu();

// The editor's menu: "Nouvelle map" highlighted above the centre, or
// "Quitter" below it; an editing session: the kind's name at the top left.
bool menuEditeur(const Capture& c, int haut);
bool edition(const Capture& c);
// From the editor's menu to the map listed at the height y, its label's top at `haut`.
void ouvrir(int y, int haut);
// a.txt, the one map listed (the game's levels taken away).
void ouvrirA();
// "Quitter" clicked in the editor's menu: bramelt ends with status 0.
void quitterEditeur(Programme& bramelt);

#endif
