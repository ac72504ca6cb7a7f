#ifndef VORNA_TEST_BOUT_EN_BOUT_H
#define VORNA_TEST_BOUT_EN_BOUT_H

#include <functional>
#include <string>
#include <vector>

#include "fenetre_test.h"

// Helpers of the end-to-end tests, which run the real programs and drive
// them with real X events.

// The top-left 640 × 480 of the X screen, where the programs' windows sit.
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

// Runs a program and waits for it. Returns its exit status (−1 if killed).
int executer(const std::vector<std::string>& args);
// Polls `condition` every 100 ms for up to `secondes`.
bool attendre(const std::function<bool()>& condition, double secondes);

// A program running in the background (SDL_AUDIODRIVER=dummy, no leak
// checking under the sanitizers), killed at the end if still running.
class Programme {
public:
    explicit Programme(const std::vector<std::string>& args);
    ~Programme();
    // Its exit status once it has ended within `secondes`, −2 if it has not.
    int attendreFin(double secondes);

private:
    int m_pid = -1;
};

// xdotool: the pointer to (x, y) of the window, a pause, then `args` (a key,
// a click...), and a pause for the program to take it.
void xdotool(const std::vector<std::string>& args, int x = 320, int y = 240);
// True when xdotool is installed.
bool xdotoolPresent();

#endif
