// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SON_H
#define VORNA_SON_H

#include <string>

#include "fsound.h"

// The sound effects of a run, played by name. −1 as a volume means the
// sample's own default volume; any other volume (its magnitude, truncated)
// becomes the sample's new default. "roll" and "bonus" lead to no sample and
// are silent.
class Son {
public:
    explicit Son(int volume);

    void loadSon();    // loads the eight samples of the name table
    void deleteSon();  // frees them
    void activerSon(bool activer) { m_active = activer; }
    void jouerSon(FSOUND_SAMPLE* sonAJouer, double volume);
    void jouerPreSon(std::string son, double volume);
    void setVolume(std::string sonVolume, double volume);
    FSOUND_SAMPLE* preToFsound(std::string son) const;

    int getVolume() const { return m_volume; }
    bool getActive() const { return m_active; }

private:
    int m_volume;
    bool m_active;
    FSOUND_SAMPLE* m_sauvegarde = nullptr;
    FSOUND_SAMPLE* m_bois = nullptr;
    FSOUND_SAMPLE* m_jump = nullptr;
    FSOUND_SAMPLE* m_metal = nullptr;
    FSOUND_SAMPLE* m_limite = nullptr;
    FSOUND_SAMPLE* m_arrivee = nullptr;
    FSOUND_SAMPLE* m_roll = nullptr;  // no file and no name lead to it
    FSOUND_SAMPLE* m_cursor = nullptr;
    FSOUND_SAMPLE* m_bouton = nullptr;
};

#endif
