// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REJEU_H
#define VORNA_REJEU_H

#include <string>

#include <memory>

#include "simulation.h"

// A ghost's run played again from the inputs it keeps, on the level its
// header names, as the run was set up (the level's starting points, the ghost
// recorded). False, with `pourquoi` set, when the ghost keeps no inputs, its
// level cannot be read or its inputs are damaged.
struct Rejeu {
    std::string niveau;  // the level's path, from the header
    Journal journal;
    bool rejouer(const std::string& texteGhost, std::string& pourquoi);
    // The run as its last step left it (after rejouer()).
    const Simulation& simulation() const { return *m_simulation; }
    // The ghost this run would have kept: its positions since the recording
    // last started again, from `debut` on, and its inputs.
    std::string fantome(size_t debut = 0) const;

private:
    std::unique_ptr<Simulation> m_simulation;
};

#endif
