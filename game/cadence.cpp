// SPDX-License-Identifier: GPL-3.0-or-later
#include "cadence.h"

#include <algorithm>
#include <cmath>

#include "fenetre.h"
#include "simulation.h"

namespace {

const long long kTiersParPas = 3000 / kPasParSeconde;  // 100: a step is 33⅓ ms
int g_imagesMax = 60;
int g_force = -1;

}  // namespace

int imagesMax() { return g_force >= 0 ? g_force : g_imagesMax; }
void fixerImagesMax(int n) { g_imagesMax = std::max(0, n); }
void forcerImagesMax(int n) { g_force = n; }
void appliquerCadence(bool synchro, int images) { fixerImagesMax(synchroVerticale(synchro) ? 0 : images); }

Cadence::Cadence(uint32_t debut, int imagesMax) : m_debut(debut), m_imagesMax(imagesMax) {}

long long Cadence::tiers(uint32_t maintenant) const {
    return 3LL * static_cast<uint32_t>(maintenant - m_debut) - m_retard;
}

int Cadence::pasDus(uint32_t maintenant) {
    // Step k is due at k steps' time: the first at once.
    const long long dus = tiers(maintenant) / kTiersParPas + 1 - m_faits;
    if (dus <= 0) return 0;
    const int n = static_cast<int>(std::min<long long>(dus, kPasParImageMax));
    if (dus > n) {
        // The time owed past the bound is given up, frames' times with it.
        m_retard += (dus - n) * kTiersParPas;
        m_prochaineImage -= static_cast<double>((dus - n) * kTiersParPas);
    }
    m_faits += n;
    return n;
}

uint32_t Cadence::echeance(long long k) const {
    return m_debut + static_cast<uint32_t>((k * kTiersParPas + m_retard + 2) / 3);
}

double Cadence::alpha(uint32_t maintenant) const {
    if (m_imagesMax > 0 && m_imagesMax <= kPasParSeconde) return 1;
    const long long depuis = tiers(maintenant) - (m_faits - 1) * kTiersParPas;
    return std::clamp(static_cast<double>(depuis) / kTiersParPas, 0.0, 1.0);
}

uint32_t Cadence::attente(uint32_t maintenant) {
    if (m_imagesMax <= 0) return 0;
    const double t = static_cast<double>(tiers(maintenant));
    const double periode = 3000.0 / m_imagesMax;
    m_prochaineImage += periode;
    // Fallen behind by more than a frame: frames start again from now.
    if (m_prochaineImage < t - periode) m_prochaineImage = t;
    return m_prochaineImage > t ? static_cast<uint32_t>(std::ceil((m_prochaineImage - t) / 3)) : 0;
}
