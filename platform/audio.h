// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_AUDIO_H
#define VORNA_AUDIO_H

#include <string>

// What the FSOUND layer asks of the machine: a plain mixer of voices and one
// music track. The program uses SDL_mixer; a test may install a recording
// fake to see what the game plays, at which volume and when.
namespace audio {

class Mixeur {
public:
    virtual ~Mixeur() = default;
    virtual bool ouvrir(int frequence, int voix) = 0;  // false: no device, stay silent
    virtual void fermer() = 0;

    // Opaque handles; nullptr when the file cannot be read.
    virtual void* chargerEchantillon(const std::string& fichier) = 0;
    virtual void libererEchantillon(void* echantillon) = 0;
    // volume 0..255 (global volume already applied); returns the voice or −1.
    virtual int jouerEchantillon(void* echantillon, int volume) = 0;
    virtual void pauseVoix(int voix, bool pause) = 0;  // voix −1: every voice
    virtual void volumeVoix(int voix, int volume) = 0; // 0..255

    virtual void* chargerMusique(const std::string& fichier) = 0;
    virtual void libererMusique(void* musique) = 0;
    // boucles: −1 for ever, otherwise the number of plays; volume 0..255.
    virtual bool jouerMusique(void* musique, int boucles, int volume) = 0;
    virtual void arreterMusique() = 0;
    virtual void pauseMusique(bool pause) = 0;
    virtual void volumeMusique(int volume) = 0;
};

// The mixer in use (SDL_mixer unless a test installed another; not owned).
Mixeur& courant();
void installer(Mixeur* m);

}  // namespace audio

#endif
