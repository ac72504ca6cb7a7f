// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace audio {
namespace {

int versMixer(int volume) { return volume * MIX_MAX_VOLUME / 255; }

class MixeurSDL : public Mixeur {
public:
    bool ouvrir(int frequence, int voix) override {
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
            std::fprintf(stderr, "vorna: audio: %s\n", SDL_GetError());
            return false;
        }
        if (Mix_OpenAudio(frequence, AUDIO_S16SYS, 2, 1024) < 0) {
            std::fprintf(stderr, "vorna: audio: %s\n", Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Mix_AllocateChannels(voix > 0 ? voix : 32);
        return true;
    }
    void fermer() override {
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    void* chargerEchantillon(const std::string& fichier) override {
        return Mix_LoadWAV(fichier.c_str());
    }
    void libererEchantillon(void* e) override { Mix_FreeChunk(static_cast<Mix_Chunk*>(e)); }
    int jouerEchantillon(void* e, int volume) override {
        // The voice gets its volume before the sample starts on it: the
        // mixer may run between two calls, and would play the first buffer
        // at the voice's previous volume.
        const int voix = Mix_GroupAvailable(-1);
        if (voix < 0) return -1;
        Mix_Volume(voix, versMixer(volume));
        return Mix_PlayChannel(voix, static_cast<Mix_Chunk*>(e), 0);
    }
    void pauseVoix(int voix, bool pause) override {
        if (pause) Mix_Pause(voix); else Mix_Resume(voix);
    }
    void volumeVoix(int voix, int volume) override { Mix_Volume(voix, versMixer(volume)); }
    void* chargerMusique(const std::string& fichier) override {
        return Mix_LoadMUS(fichier.c_str());
    }
    void libererMusique(void* m) override { Mix_FreeMusic(static_cast<Mix_Music*>(m)); }
    bool jouerMusique(void* m, int boucles, int volume) override {
        Mix_VolumeMusic(versMixer(volume));
        return Mix_PlayMusic(static_cast<Mix_Music*>(m), boucles) == 0;
    }
    void arreterMusique() override { Mix_HaltMusic(); }
    void pauseMusique(bool pause) override {
        if (pause) Mix_PauseMusic(); else Mix_ResumeMusic();
    }
    void volumeMusique(int volume) override { Mix_VolumeMusic(versMixer(volume)); }
};

MixeurSDL sdl;
Mixeur* actuel = &sdl;

}  // namespace

Mixeur& courant() { return *actuel; }
void installer(Mixeur* m) { actuel = m ? m : &sdl; }

}  // namespace audio
