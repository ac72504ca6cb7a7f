// SPDX-License-Identifier: GPL-3.0-or-later
#include "son.h"

#include <cmath>

namespace {

const char* const kFichiers[] = {
    "data/sound/triangle.wav", "data/sound/bois.wav",    "data/sound/spring.wav",
    "data/sound/Effect.wav",   "data/sound/fall.wav",    "data/sound/arrivee.wav",
    "data/sound/cursor.wav",   "data/sound/bouton.wav",
};

// Truncation toward zero, kept within int for any value the physics may hand in.
int tronquer(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

}  // namespace

Son::Son(int volume) : m_volume(volume), m_active(true) {}

void Son::loadSon() {
    // A second load must not strand the first eight samples.
    deleteSon();
    FSOUND_SAMPLE** champs[] = {&m_sauvegarde, &m_bois, &m_jump,   &m_metal,
                                &m_limite,     &m_arrivee, &m_cursor, &m_bouton};
    // A sample that cannot be loaded stays silent; the sound layer names it.
    for (int i = 0; i < 8; ++i) *champs[i] = FSOUND_Sample_Load(FSOUND_FREE, kFichiers[i], 0, 0, 0);
}

void Son::deleteSon() {
    FSOUND_SAMPLE** champs[] = {&m_sauvegarde, &m_bois, &m_jump,   &m_metal,
                                &m_limite,     &m_arrivee, &m_cursor, &m_bouton};
    for (FSOUND_SAMPLE** c : champs) {
        FSOUND_Sample_Free(*c);
        *c = nullptr;
    }
}

void Son::jouerSon(FSOUND_SAMPLE* sonAJouer, double volume) {
    if (!m_active) return;
    if (volume != -1.0) {
        m_volume = tronquer(std::fabs(volume));
        FSOUND_Sample_SetDefaults(sonAJouer, -1, m_volume, -1, -1);
    }
    FSOUND_PlaySound(FSOUND_FREE, sonAJouer);
}

void Son::jouerPreSon(std::string son, double volume) { jouerSon(preToFsound(son), volume); }

void Son::setVolume(std::string sonVolume, double volume) {
    m_volume = tronquer(volume);
    FSOUND_Sample_SetDefaults(preToFsound(sonVolume), -1, m_volume, -1, -1);
}

FSOUND_SAMPLE* Son::preToFsound(std::string son) const {
    if (son == "sauvegarde") return m_sauvegarde;
    if (son == "bois") return m_bois;
    if (son == "jump") return m_jump;
    if (son == "metal") return m_metal;
    if (son == "limite") return m_limite;
    if (son == "arrivee") return m_arrivee;
    if (son == "cursor") return m_cursor;
    if (son == "bouton") return m_bouton;
    return nullptr;
}
