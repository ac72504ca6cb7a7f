// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_VERIFICATEUR_H
#define VORNA_SCORES_VERIFICATEUR_H

#include <boost/asio/thread_pool.hpp>

#include <atomic>
#include <functional>

#include "course.h"
#include "niveaux_connus.h"
#include "verification.h"

// Plays the runs received again, on threads of its own: a flood of runs
// waits here, and the pages and the score links go on being served. Each
// replay is bounded by the steps a run may take and by the CPU time of its
// thread.
class Verificateur {
public:
    Verificateur(int fils, size_t enAttenteMax, double secondesCpuMax);
    ~Verificateur();
    Verificateur(const Verificateur&) = delete;
    Verificateur& operator=(const Verificateur&) = delete;

    // Runs `travail` on one of its threads; false (and nothing run) when
    // `enAttenteMax` works are already waiting or running.
    bool soumettre(std::function<void()> travail);

    // Drops the works waiting and waits for those running; none run after.
    void arreter();

    // Plays `course` on `niveau` from the start the game gives it, within the bounds.
    Verification verifier(const Course& course, const NiveauConnu& niveau) const;

private:
    boost::asio::thread_pool m_fils;
    std::atomic<size_t> m_enCours{0};
    const size_t m_enAttenteMax;
    const double m_secondesCpuMax;
};

#endif
