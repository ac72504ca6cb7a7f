// SPDX-License-Identifier: GPL-3.0-or-later
#include "verificateur.h"

#include <boost/asio/post.hpp>

#include <ctime>

namespace {

// The CPU time the calling thread has used, in seconds.
double secondesCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

Verificateur::Verificateur(int fils, size_t enAttenteMax, double secondesCpuMax)
    : m_fils(static_cast<size_t>(fils > 0 ? fils : 1)), m_enAttenteMax(enAttenteMax),
      m_secondesCpuMax(secondesCpuMax) {}

Verificateur::~Verificateur() { arreter(); }

void Verificateur::arreter() {
    m_fils.stop();
    m_fils.join();
}

bool Verificateur::soumettre(std::function<void()> travail) {
    if (m_enCours.fetch_add(1) >= m_enAttenteMax) {
        m_enCours.fetch_sub(1);
        return false;
    }
    boost::asio::post(m_fils, [this, travail = std::move(travail)] {
        travail();
        m_enCours.fetch_sub(1);
    });
    return true;
}

Verification Verificateur::verifier(const Course& course, const NiveauConnu& niveau) const {
    const double limite = secondesCpu() + m_secondesCpuMax;
    return verifierCourse(course, niveau.octets, departCourse(niveau.pointsDepart), kPasCourseMax,
                          [limite] { return secondesCpu() < limite; });
}
