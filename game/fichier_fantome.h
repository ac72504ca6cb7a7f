// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FICHIER_FANTOME_H
#define VORNA_FICHIER_FANTOME_H

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "lecture.h"
#include "simulation.h"

// The ghost file, apart from any drawing: a header line "@<level path>", then
// one line "@x,y,z" (six decimals) per recorded step, then (in ghosts made
// since runs go by steps) one line "#pas <inputs>": the inputs of every step
// since the level was loaded (see Journal), from which the run can be played
// again. A reader of positions skips that line: it holds no '@'.

// Writing, as the recording does. False when the write fails (errno tells why).
bool ecrireEnteteFantome(std::FILE* f, const std::string& niveau);
bool ecrirePositionFantome(std::FILE* f, double x, double y, double z);
bool ecrireEntreesFantome(std::FILE* f, const Journal& journal);

// The whole text of a ghost of `niveau` holding `positions` from index
// `debut` on, as the recording writes it, and the inputs when given.
std::string texteFantome(const std::string& niveau, const std::vector<std::array<double, 3>>& positions,
                         size_t debut, const Journal* journal = nullptr);

// The inputs line of a ghost: its text after "#pas ", or empty when the
// ghost has none (made before runs went by steps).
std::string entreesFantome(const std::string& texteGhost);

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
