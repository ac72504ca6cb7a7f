// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "bibliotheques.h"

namespace audio {
namespace {

// SDL_mixer's functions, from the library opened in the background
// (bibliotheques.h); all there, or no sound.
struct FonctionsMixer : bibliotheques::Fonctions<bibliotheques::Son> {
#define VORNA_MIX(nom) decltype(Mix_##nom)* nom = trouver<decltype(Mix_##nom)>("Mix_" #nom)
    VORNA_MIX(AllocateChannels);
    VORNA_MIX(CloseAudio);
    VORNA_MIX(FreeChunk);
    VORNA_MIX(FreeMusic);
    VORNA_MIX(GroupAvailable);
    VORNA_MIX(HaltChannel);
    VORNA_MIX(HaltMusic);
    VORNA_MIX(LoadMUS);
    VORNA_MIX(LoadWAV);
    VORNA_MIX(OpenAudio);
    VORNA_MIX(Pause);
    VORNA_MIX(PauseMusic);
    VORNA_MIX(PlayChannel);
    VORNA_MIX(PlayMusic);
    VORNA_MIX(Resume);
    VORNA_MIX(ResumeMusic);
    VORNA_MIX(Volume);
    VORNA_MIX(VolumeMusic);
#undef VORNA_MIX
};

const FonctionsMixer& mix() {
    static const FonctionsMixer f;
    return f;
}

int versMixer(int volume) { return volume * MIX_MAX_VOLUME / 255; }

class MixeurSDL : public Mixeur {
public:
    bool ouvrir(int frequence, int voix) override {
        if (!mix().completes()) return false;
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
            std::fprintf(stderr, "vorna: audio: %s\n", SDL_GetError());
            return false;
        }
        if (mix().OpenAudio(frequence, AUDIO_S16SYS, 2, 1024) < 0) {
            std::fprintf(stderr, "vorna: audio: %s\n", Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        mix().AllocateChannels(voix > 0 ? voix : 32);
        return true;
    }
    void fermer() override {
        mix().HaltMusic();
        mix().HaltChannel(-1);
        mix().CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    void* chargerEchantillon(const std::string& fichier) override {
        return mix().LoadWAV(fichier.c_str());
    }
    void libererEchantillon(void* e) override { mix().FreeChunk(static_cast<Mix_Chunk*>(e)); }
    int jouerEchantillon(void* e, int volume) override {
        // The voice gets its volume before the sample starts on it: the
        // mixer may run between two calls, and would play the first buffer
        // at the voice's previous volume.
        const int voix = mix().GroupAvailable(-1);
        if (voix < 0) return -1;
        mix().Volume(voix, versMixer(volume));
        return mix().PlayChannel(voix, static_cast<Mix_Chunk*>(e), 0);
    }
    void pauseVoix(int voix, bool pause) override {
        if (pause) mix().Pause(voix); else mix().Resume(voix);
    }
    void volumeVoix(int voix, int volume) override { mix().Volume(voix, versMixer(volume)); }
    void* chargerMusique(const std::string& fichier) override {
        return mix().LoadMUS(fichier.c_str());
    }
    void libererMusique(void* m) override { mix().FreeMusic(static_cast<Mix_Music*>(m)); }
    bool jouerMusique(void* m, int boucles, int volume) override {
        mix().VolumeMusic(versMixer(volume));
        return mix().PlayMusic(static_cast<Mix_Music*>(m), boucles) == 0;
    }
    void arreterMusique() override { mix().HaltMusic(); }
    void pauseMusique(bool pause) override {
        if (pause) mix().PauseMusic(); else mix().ResumeMusic();
    }
    void volumeMusique(int volume) override { mix().VolumeMusic(versMixer(volume)); }
};

MixeurSDL sdl;
Mixeur* actuel = &sdl;

}  // namespace

Mixeur& courant() { return *actuel; }
void installer(Mixeur* m) { actuel = m ? m : &sdl; }

}  // namespace audio
