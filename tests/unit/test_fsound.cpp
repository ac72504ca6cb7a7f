// SPDX-License-Identifier: GPL-3.0-or-later
// The sound layer's rules, seen through a mixer that records what reaches it.
#include <gtest/gtest.h>

#include <tuple>

#include "dossier.h"
#include "fsound.h"
#include "mixeur_enregistreur.h"

namespace {

struct SonTest : ::testing::Test {
    MixeurEnregistreur mixeur;
    void SetUp() override { ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1); }
    void TearDown() override { FSOUND_Close(); }
    std::vector<int> volumes(const char* op) {
        std::vector<int> r;
        for (const auto& a : mixeur.appels(op)) r.push_back(a.volume);
        return r;
    }
};

TEST_F(SonTest, SamplesStartAtFullVolumeScaledByTheGlobalVolumeAndKeepWhatMinusOneLeaves) {
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    int f, v, p, pr;
    EXPECT_GE(FSOUND_PlaySound(FSOUND_FREE, s), 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    FSOUND_PlaySound(FSOUND_FREE, s);
    FSOUND_Sample_SetDefaults(s, 22050, 100, 10, 5);
    FSOUND_Sample_SetDefaults(s, -1, -1, -1, -1);
    FSOUND_PlaySound(FSOUND_FREE, s);
    EXPECT_EQ(volumes("jouer"), (std::vector<int>{255, 60, 100 * 60 / 255}));
    FSOUND_Sample_GetDefaults(s, &f, &v, &p, &pr);
    EXPECT_TRUE(f == 22050 && v == 100 && p == 10 && pr == 5);
    FSOUND_SetVolume(FSOUND_ALL, -7);
    EXPECT_EQ(FSOUND_GetVolume(FSOUND_ALL), 0);
    FSOUND_Sample_Free(s);
}

TEST_F(SonTest, MissingFilesAndWhatIsNoFileGiveNullHandlesOnWhichEveryCallIsHarmless) {
    DossierTemporaire d;
    mixeur.manquant("absent");
    std::vector<std::string> chemins = creerFichiersHostiles("h");
    chemins.push_back("absent");
    for (const std::string& c : chemins) {
        FSOUND_SAMPLE* s = nullptr;
        FSOUND_STREAM* m = nullptr;
        const std::string err = sortieErreur([&] {
            s = FSOUND_Sample_Load(FSOUND_FREE, c.c_str(), 0, 0, 0);
            m = FSOUND_Stream_Open(c.c_str(), FSOUND_LOOP_NORMAL, 0, 0);
        });
        EXPECT_TRUE(s == nullptr && m == nullptr) << c;
        EXPECT_NE(err.find("sound \"" + c + "\""), std::string::npos) << err;
        EXPECT_NE(err.find("music \"" + c + "\""), std::string::npos) << err;
        EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
        EXPECT_EQ(FSOUND_Sample_SetDefaults(s, -1, 10, -1, -1) + FSOUND_Sample_GetDefaults(s, 0, 0, 0, 0), 0);
        FSOUND_Sample_Free(s);
        EXPECT_EQ(FSOUND_Stream_SetLoopCount(m, -1) + FSOUND_Stream_Stop(m) + FSOUND_Stream_Close(m), 0);
        EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, m), -1);
    }
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(mixeur.compte("charger") + mixeur.compte("chargerMusique"), 2) << "only the missing files";
    EXPECT_EQ(mixeur.compte("jouer") + mixeur.compte("musique"), 0);
}

TEST_F(SonTest, StreamsLoopAsToldPauseByTheirChannelAndFollowTheGlobalVolume) {
    FSOUND_STREAM* m = FSOUND_Stream_Open("ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "arrivee.wav", 0, 0, 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    EXPECT_EQ(FSOUND_Stream_Play(1, m), 1);  // looping mode alone loops for ever
    FSOUND_Stream_SetLoopCount(m, 2);
    FSOUND_Stream_Play(1, m);
    FSOUND_Stream_SetLoopCount(m, -1);
    FSOUND_Stream_Play(1, m);
    std::vector<int> boucles;
    for (const auto& a : mixeur.appels("musique")) boucles.push_back(a.valeur);
    EXPECT_EQ(boucles, (std::vector<int>{-1, 3, -1})) << "the first play and two loops";
    EXPECT_EQ(volumes("musique"), (std::vector<int>{60, 60, 60}));
    FSOUND_SetVolume(FSOUND_ALL, 30);
    EXPECT_EQ(volumes("volumeMusique"), std::vector<int>{30}) << "at once";

    const int canal = FSOUND_PlaySound(FSOUND_FREE, s);
    EXPECT_NE(canal, 1);
    FSOUND_SetPaused(1, 1);  // the music alone
    EXPECT_EQ(mixeur.compte("pauseVoix"), 0);
    FSOUND_SetPaused(canal, 1);
    FSOUND_SetPaused(FSOUND_ALL, 0);  // everything
    EXPECT_EQ(FSOUND_GetPaused(1), 0);
    EXPECT_EQ(volumes("pauseMusique"), (std::vector<int>{1, 0}));
    EXPECT_EQ(mixeur.compte("pauseVoix"), 2);
    FSOUND_Stream_Stop(m);
    EXPECT_EQ(mixeur.compte("arret"), 1);
    FSOUND_SetPaused(1, 1);  // nothing plays on channel 1 any more
    EXPECT_EQ(mixeur.compte("pauseMusique"), 2);
    EXPECT_EQ(FSOUND_Stream_Close(m), 1);
    FSOUND_Sample_Free(s);
    EXPECT_EQ(mixeur.vivants(), 0);
}

TEST_F(SonTest, ThePlayersVolumesScaleMusicAndSamplesAtOnceAndTenLeavesThemAsTheGameSetsThem) {
    FSOUND_STREAM* m = FSOUND_Stream_Open("ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
    FSOUND_SetVolume(FSOUND_ALL, 60);
    FSOUND_Stream_Play(1, m);
    // The music at once, then a sample, then the music started again.
    for (const auto& [musique, effets, entendu] : {std::tuple{0, 0, "000"}, {5, 3, "301830"}, {10, 10, "606060"}}) {
        mixeur.effacer();
        volumesJoueur(musique, effets), FSOUND_PlaySound(FSOUND_FREE, s), FSOUND_Stream_Play(1, m);
        EXPECT_EQ(std::to_string(volumes("volumeMusique").at(0)) + std::to_string(volumes("jouer").at(0)) +
                      std::to_string(volumes("musique").at(0)), entendu);
    }
    FSOUND_Stream_Close(m);
    FSOUND_Sample_Free(s);
}

TEST(SonFermeture, CloseReleasesWhatIsLeftAndLeavesOldHandlesHarmlessAndWithNoDeviceAllIsSilent) {
    for (const bool peripherique : {true, false}) {
        MixeurEnregistreur mixeur;
        if (!peripherique) mixeur.refuserOuverture();
        EXPECT_EQ(FSOUND_Init(44100, 32, 0), peripherique ? 1 : 0);
        FSOUND_SetVolume(FSOUND_ALL, 60);
        FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_FREE, "a.wav", 0, 0, 0);
        FSOUND_STREAM* m = FSOUND_Stream_Open("m.mp3", FSOUND_LOOP_NORMAL, 0, 0);
        EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s) >= 0 && FSOUND_Stream_Play(FSOUND_FREE, m) >= 0, peripherique);
        FSOUND_SetPaused(FSOUND_ALL, 1);
        FSOUND_Close();
        EXPECT_EQ(mixeur.vivants(), 0);
        EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
        EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, m), -1);
        FSOUND_Sample_Free(s);
        FSOUND_Stream_Close(m);
        const int appels = mixeur.compte("jouer") + mixeur.compte("musique") + mixeur.compte("fermer");
        EXPECT_EQ(appels, peripherique ? 3 : 0) << peripherique;
        EXPECT_EQ(mixeur.compte("liberer"), 1) << "freed once, by the close";
    }
}

}  // namespace
