// The sound layer's rules, seen through a mixer that records what reaches it.
#include <gtest/gtest.h>

#include "dossier.h"
#include "fsound.h"
#include "mixeur_enregistreur.h"

namespace {

struct SonTest : ::testing::Test {
    MixeurEnregistreur mixeur;
    void SetUp() override { ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1); }
    void TearDown() override { FSOUND_Close(); }
};

TEST_F(SonTest, SamplesStartAtFullVolumeScaledByTheGlobalVolume) {
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    ASSERT_NE(s, nullptr);
    int vol = 0;
    FSOUND_Sample_GetDefaults(s, nullptr, &vol, nullptr, nullptr);
    EXPECT_EQ(vol, 255);

    EXPECT_GE(FSOUND_PlaySound(FSOUND_FREE, s), 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    EXPECT_EQ(FSOUND_GetVolume(FSOUND_ALL), 60);
    FSOUND_PlaySound(FSOUND_FREE, s);
    FSOUND_Sample_SetDefaults(s, -1, 100, -1, -1);
    FSOUND_PlaySound(FSOUND_FREE, s);

    auto jeux = mixeur.appels("jouer");
    ASSERT_EQ(jeux.size(), 3u);
    EXPECT_EQ(jeux[0].volume, 255);
    EXPECT_EQ(jeux[1].volume, 60);
    EXPECT_EQ(jeux[2].volume, 100 * 60 / 255);
    FSOUND_Sample_Free(s);
}

TEST_F(SonTest, DefaultsKeepWhatMinusOneLeavesAndClampVolumes) {
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    FSOUND_Sample_SetDefaults(s, 22050, 80, 10, 5);
    FSOUND_Sample_SetDefaults(s, -1, -1, -1, -1);
    int f, v, p, pr;
    FSOUND_Sample_GetDefaults(s, &f, &v, &p, &pr);
    EXPECT_EQ(f, 22050);
    EXPECT_EQ(v, 80);
    EXPECT_EQ(p, 10);
    EXPECT_EQ(pr, 5);
    FSOUND_Sample_SetDefaults(s, -1, 1000, -1, -1);
    FSOUND_Sample_GetDefaults(s, nullptr, &v, nullptr, nullptr);
    EXPECT_EQ(v, 255);
    FSOUND_SetVolume(FSOUND_ALL, -7);
    EXPECT_EQ(FSOUND_GetVolume(FSOUND_ALL), 0);
    FSOUND_Sample_Free(s);
}

TEST_F(SonTest, MissingFilesGiveNullHandlesOnWhichEveryCallIsHarmless) {
    mixeur.manquant("absent.wav");
    mixeur.manquant("absent.mp3");
    testing::internal::CaptureStderr();
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "absent.wav", 0, 0, 0);
    FSOUND_STREAM* m = FSOUND_Stream_Open("absent.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("sound \"absent.wav\" is missing"), std::string::npos) << err;
    EXPECT_NE(err.find("music \"absent.mp3\" is missing"), std::string::npos) << err;
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(m, nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, nullptr, 0, 0, 0), nullptr);

    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
    EXPECT_EQ(FSOUND_Sample_SetDefaults(s, -1, 10, -1, -1), 0);
    EXPECT_EQ(FSOUND_Sample_GetDefaults(s, nullptr, nullptr, nullptr, nullptr), 0);
    FSOUND_Sample_Free(s);
    EXPECT_EQ(FSOUND_Stream_SetLoopCount(m, -1), 0);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, m), -1);
    EXPECT_EQ(FSOUND_Stream_Stop(m), 0);
    EXPECT_EQ(FSOUND_Stream_Close(m), 0);
    EXPECT_EQ(mixeur.compte("jouer") + mixeur.compte("musique"), 0);
}

TEST_F(SonTest, WhatIsNoFileNeverReachesTheMixer) {
    DossierTemporaire d;
    for (const std::string& c : creerFichiersHostiles("h")) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, c.c_str(), 0, 0, 0), nullptr) << c;
        EXPECT_EQ(FSOUND_Stream_Open(c.c_str(), FSOUND_LOOP_NORMAL, 0, 0), nullptr) << c;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("sound \"" + c + "\""), std::string::npos) << err;
        EXPECT_NE(err.find("music \"" + c + "\""), std::string::npos) << err;
    }
    EXPECT_EQ(mixeur.compte("charger") + mixeur.compte("chargerMusique"), 0);
}

TEST_F(SonTest, StreamsLoopAsToldAndPauseByTheirChannel) {
    FSOUND_STREAM* m = FSOUND_Stream_Open("ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(FSOUND_Stream_Play(1, m), 1);  // looping mode alone loops for ever
    FSOUND_Stream_SetLoopCount(m, 2);
    FSOUND_Stream_Play(1, m);
    FSOUND_Stream_SetLoopCount(m, -1);
    FSOUND_Stream_Play(FSOUND_FREE, m);
    auto musiques = mixeur.appels("musique");
    ASSERT_EQ(musiques.size(), 3u);
    EXPECT_EQ(musiques[0].valeur, -1);
    EXPECT_EQ(musiques[1].valeur, 3);  // the first play and two loops
    EXPECT_EQ(musiques[2].valeur, -1);

    FSOUND_Stream_Play(1, m);
    FSOUND_SetPaused(1, 1);
    EXPECT_EQ(FSOUND_GetPaused(1), 1);
    FSOUND_SetPaused(FSOUND_ALL, 0);
    EXPECT_EQ(FSOUND_GetPaused(1), 0);
    auto pauses = mixeur.appels("pauseMusique");
    ASSERT_EQ(pauses.size(), 2u);
    EXPECT_EQ(pauses[0].volume, 1);
    EXPECT_EQ(pauses[1].volume, 0);
    EXPECT_EQ(mixeur.compte("pauseVoix"), 1);  // FSOUND_ALL resumes the effects too

    FSOUND_Stream_Stop(m);
    EXPECT_EQ(mixeur.compte("arret"), 1);
    FSOUND_SetPaused(1, 1);  // nothing plays on channel 1 any more
    EXPECT_EQ(mixeur.compte("pauseMusique"), 2);
    EXPECT_EQ(FSOUND_Stream_Close(m), 1);
    EXPECT_EQ(mixeur.vivants(), 0);
}

TEST_F(SonTest, PausingTheMusicChannelLeavesTheEffectsPlaying) {
    FSOUND_STREAM* m = FSOUND_Stream_Open("ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "arrivee.wav", 0, 0, 0);
    FSOUND_Stream_Play(1, m);
    int canal = FSOUND_PlaySound(FSOUND_FREE, s);
    EXPECT_NE(canal, 1);
    FSOUND_SetPaused(1, 1);
    EXPECT_EQ(mixeur.compte("pauseVoix"), 0);
    FSOUND_SetPaused(canal, 1);
    ASSERT_EQ(mixeur.compte("pauseVoix"), 1);
    FSOUND_Sample_Free(s);
    FSOUND_Stream_Close(m);
}

TEST_F(SonTest, GlobalVolumeReachesTheMusicAtOnce) {
    FSOUND_STREAM* m = FSOUND_Stream_Open("menu.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    FSOUND_Stream_Play(FSOUND_FREE, m);
    EXPECT_EQ(mixeur.appels("musique")[0].volume, 60);
    FSOUND_SetVolume(FSOUND_ALL, 30);
    ASSERT_EQ(mixeur.compte("volumeMusique"), 1);
    EXPECT_EQ(mixeur.appels("volumeMusique")[0].volume, 30);
    FSOUND_Stream_Close(m);
}

TEST_F(SonTest, CloseReleasesWhatIsLeftAndLeavesOldHandlesHarmless) {
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    FSOUND_STREAM* m = FSOUND_Stream_Open("m.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    FSOUND_Stream_Play(FSOUND_FREE, m);
    FSOUND_Close();
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_EQ(mixeur.compte("fermer"), 1);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, m), -1);
    FSOUND_Sample_Free(s);
    FSOUND_Stream_Close(m);
    EXPECT_EQ(mixeur.compte("liberer"), 1);  // freed once, by the close
}

TEST(SonSansPeripherique, TheGameRunsSilentWhenNoDeviceOpens) {
    MixeurEnregistreur mixeur;
    mixeur.refuserOuverture();
    EXPECT_EQ(FSOUND_Init(44100, 32, 0), 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    FSOUND_STREAM* m = FSOUND_Stream_Open("m.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, m), -1);
    FSOUND_SetPaused(FSOUND_ALL, 1);
    FSOUND_Sample_Free(s);
    FSOUND_Stream_Close(m);
    FSOUND_Close();
    EXPECT_EQ(mixeur.compte("jouer"), 0);
    EXPECT_EQ(mixeur.compte("musique"), 0);
    EXPECT_EQ(mixeur.compte("fermer"), 0);
    EXPECT_EQ(mixeur.vivants(), 0);
}

}  // namespace
