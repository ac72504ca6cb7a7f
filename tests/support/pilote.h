// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_PILOTE_H
#define VORNA_TEST_PILOTE_H

#include <functional>
#include <vector>

#include "instant_partie.h"
#include "systeme_script.h"

// An autopilot for a run: steers the ball toward a list of waypoints in the
// x–y plane by pressing and releasing the arrow keys through the script,
// like a careful player. Call `image` once per frame with the run's state.
class Pilote {
public:
    enum Maniere {
        Freiner,  // slow down on the way in, to turn there
        Passer,   // go through at speed, never braking (a jump, a gap, a turbo lane)
        Poser,    // as Freiner, and reached only once the ball rests on a floor
    };
    struct Point {
        double x, y;
        Maniere maniere = Freiner;
        double rayon = 1.5;    // reached within this distance
        double vitesse = 1.0;  // the speed wanted on the way (the ball's limit caps it)
    };

    Pilote(SystemeScript& systeme, std::vector<Point> points) : m_s(systeme), m_points(points) {}

    void image(const InstantPartie& i);
    size_t atteints() const { return m_prochain; }
    // Where the arrow keys go, if not to the script: (frame, key, pressed).
    std::function<void(int, SDL_Keycode, bool)> sortie;

private:
    void touche(int frame, SDL_Keycode k, bool& etat, bool voulu);

    SystemeScript& m_s;
    std::vector<Point> m_points;
    size_t m_prochain = 0;
    int m_repos = 0;  // frames in a row the ball has rested on a floor
    bool m_haut = false, m_bas = false, m_droite = false, m_gauche = false;
};

#endif
