// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FICHIER_FANTOME_H
#define VORNA_FICHIER_FANTOME_H

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "lecture.h"
#include "simulation.h"
#include "texte_fantome.h"

// The ghost file's text and its writing: texte_fantome.h.

// Whether a ghost's level path is one the game writes, and so one a replay
// may open: relative, inside "maps/", without any ".." step.
bool cheminNiveauAdmis(const std::string& chemin);

// The longest level path a header may hold.
const std::string::size_type kLongueurCheminMax = 4096;

// Reading, as the replay does.
class LecteurFantome {
public:
    explicit LecteurFantome(FichierLu f) : m_f(std::move(f)) {}

    // The header's level path: the rest of the first line after the file's
    // first character, blanks around it left out (a map's name may hold
    // spaces). False when the file is empty, the path is empty, or longer
    // than kLongueurCheminMax.
    bool lireEntete(std::string& niveau);
    // Back to the first position: just after the first line end.
    void rembobiner();
    // The next position: on to the next '@', then "%f,%f,%f"; fields that
    // fail to scan give 0. False, with nothing read, at the end of the file.
    bool suivante(float& x, float& y, float& z);
    // Every position from the first, at most `max` of them.
    std::vector<std::array<float, 3>> positions(size_t max);

private:
    FichierLu m_f;
};

#endif
