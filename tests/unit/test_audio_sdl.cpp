// SPDX-License-Identifier: GPL-3.0-or-later
// The sound layer over the real SDL_mixer, on SDL's dummy audio driver: what
// the mixer hands to the sound card is seen through a post-mix hook.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

#include "bibliotheques.h"
#include "dossier.h"
#include "fsound.h"

namespace {

// What SDL_mixer knows when a sample starts: the voice asked for and the
// volume that voice already has.
int voixDemandee = -2, volumeAuDepart = -2;
std::atomic<long> energie{0}, octetsMixes{0};

void ecoute(void*, Uint8* flux, int octets) {
    long somme = 0;
    for (int i = 0; i < octets / 2; ++i) somme += std::abs(reinterpret_cast<const Sint16*>(flux)[i]);
    energie += somme;
    octetsMixes += octets;
}

// What the dummy device mixed over the next `ms` of sound: counted in sound
// mixed (16-bit stereo at 44.1 kHz), not in real time, so that a loaded
// machine, whose mixing thread runs late, sees the same sound.
long energieApres(int ms) {
    const long octets = 44100L * 4 * ms / 1000;
    energie = 0;
    const long debut = octetsMixes.load();
    for (int attente = 0; octetsMixes.load() - debut < octets && attente < 20000; attente += 5) SDL_Delay(5);
    return energie.load();
}

}  // namespace

// Stands in front of SDL_mixer's own function (this program's definition is
// the one linked) to see the order of the calls, then hands over to it.
extern "C" int Mix_PlayChannelTimed(int voix, Mix_Chunk* son, int boucles, int ticks) {
    using Fonction = int (*)(int, Mix_Chunk*, int, int);
    static const Fonction vraie = reinterpret_cast<Fonction>(dlsym(RTLD_NEXT, "Mix_PlayChannelTimed"));
    voixDemandee = voix;
    volumeAuDepart = voix >= 0 ? Mix_Volume(voix, -1) : -1;
    return vraie(voix, son, boucles, ticks);
}

namespace {

struct MixerReel : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1) << "dummy audio driver did not open";
        Mix_SetPostMix(ecoute, nullptr);
        ecrireWav("bip.wav", 400);
    }
    void TearDown() override {
        Mix_SetPostMix(nullptr, nullptr);
        FSOUND_Close();
    }
};

TEST_F(MixerReel, ASampleIsAudibleAtTheVolumeItsVoiceHasBeforeItStartsAndMusicPausesAndLoops) {
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "bip.wav", 0, 0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(energieApres(100), 0);
    ASSERT_GE(FSOUND_PlaySound(FSOUND_FREE, s), 0);
    EXPECT_GT(energieApres(150), 0);
    energieApres(400);
    for (int volume : {0, 255, 128}) {
        Mix_Volume(-1, 255 - volume);  // what the voices played at before
        FSOUND_Sample_SetDefaults(s, -1, volume, -1, -1);
        const int canal = FSOUND_PlaySound(FSOUND_FREE, s);
        ASSERT_GE(voixDemandee, 0) << "the voice is chosen first";
        EXPECT_EQ(canal, voixDemandee + 64);
        EXPECT_EQ(volumeAuDepart, volume * MIX_MAX_VOLUME / 255);
        EXPECT_TRUE(volume || energieApres(150) == 0) << "a zero volume is silent";
    }
    FSOUND_Sample_Free(s);
    ecrireFichier("faux.wav", "not a wave file at all");
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "faux.wav", 0, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_Stream_Open("faux.wav", FSOUND_LOOP_NORMAL, 0, 0), nullptr);

    // Music: pausing everything silences it, resuming brings it back.
    energieApres(400);
    FSOUND_STREAM* m = FSOUND_Stream_Open("bip.wav", FSOUND_LOOP_NORMAL, 0, 0);
    ASSERT_NE(m, nullptr);
    FSOUND_Stream_SetLoopCount(m, -1);
    ASSERT_EQ(FSOUND_Stream_Play(1, m), 1);
    EXPECT_GT(energieApres(150), 0);
    FSOUND_SetPaused(FSOUND_ALL, 1);
    energieApres(60);
    EXPECT_EQ(energieApres(150), 0);
    FSOUND_SetPaused(FSOUND_ALL, 0);
    EXPECT_GT(energieApres(150), 0);
    energieApres(600);  // past the end of the file: a looping stream goes on
    EXPECT_GT(energieApres(150), 0);
    FSOUND_Stream_Close(m);
    energieApres(60);
    EXPECT_EQ(energieApres(150), 0);
}

}  // namespace

// The sound and HTTP libraries are opened while the program runs: a function
// one lacks is null, said once, and nothing else breaks.
TEST(Bibliotheques, AFunctionALibraryLacksIsNullAndSaidOnce) {
    const std::string err = sortieErreur([] {
        EXPECT_NE(bibliotheques::fonction(bibliotheques::Son, "Mix_OpenAudio"), nullptr);
        EXPECT_EQ(bibliotheques::fonction(bibliotheques::Http, "curl_sans_suite"), nullptr);
        EXPECT_EQ(bibliotheques::fonction(bibliotheques::Http, "curl_sans_suite_non_plus"), nullptr);
        EXPECT_NE(bibliotheques::fonction(bibliotheques::Http, "curl_easy_init"), nullptr);
    });
    EXPECT_NE(err.find("libcurl.so.4 lacks curl_sans_suite\n"), std::string::npos) << err;
    EXPECT_EQ(err.find("non_plus"), std::string::npos) << err;
}
