// The session's sound effects, heard through a mixer that records every call.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dossier.h"
#include "fsound.h"
#include "mixeur_enregistreur.h"
#include "son.h"

namespace {

const char* const kNoms[] = {"sauvegarde", "bois", "jump", "metal",
                             "limite", "arrivee", "cursor", "bouton"};
const char* const kFichiers[] = {
    "data/sound/triangle.wav", "data/sound/bois.wav",    "data/sound/spring.wav",
    "data/sound/Effect.wav",   "data/sound/fall.wav",    "data/sound/arrivee.wav",
    "data/sound/cursor.wav",   "data/sound/bouton.wav",
};

using Joue = std::vector<std::pair<std::string, int>>;

struct SonSession : ::testing::Test {
    MixeurEnregistreur mixeur;
    Son son{255};

    void SetUp() override {
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
        FSOUND_SetVolume(FSOUND_ALL, 255);
    }
    void TearDown() override {
        son.deleteSon();
        FSOUND_Close();
    }
    void charger() {
        son.loadSon();
        mixeur.effacer();
    }
    // The samples played since the last look, as (file, volume).
    Joue joues() {
        Joue r;
        for (const auto& a : mixeur.appels("jouer")) r.emplace_back(a.fichier, a.volume);
        mixeur.effacer();
        return r;
    }
};

TEST_F(SonSession, StartsActiveWithItsVolume) {
    Son s(255);
    EXPECT_EQ(s.getVolume(), 255);
    EXPECT_TRUE(s.getActive());
    Son t(12);
    EXPECT_EQ(t.getVolume(), 12);
    // Nothing loaded yet: every request is silent and harmless.
    t.jouerPreSon("bois", 40);
    t.jouerPreSon("jump", -1);
    t.setVolume("bois", 7);
    EXPECT_EQ(t.getVolume(), 7);
    EXPECT_TRUE(joues().empty());
    t.deleteSon();
}

TEST_F(SonSession, LoadsTheEightEffectsInTableOrderAndFreesThemInTheSameOrder) {
    son.loadSon();
    auto charges = mixeur.appels("charger");
    ASSERT_EQ(charges.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(charges[i].fichier, kFichiers[i]);
    EXPECT_EQ(mixeur.vivants(), 8);

    son.deleteSon();
    auto liberes = mixeur.appels("liberer");
    ASSERT_EQ(liberes.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(liberes[i].fichier, kFichiers[i]);
    EXPECT_EQ(mixeur.vivants(), 0);
    // Freed twice is harmless, and nothing plays any more.
    son.deleteSon();
    son.jouerPreSon("bois", 50);
    EXPECT_TRUE(joues().empty());
}

TEST_F(SonSession, LoadingAgainReplacesTheSamplesWithoutStrandingTheOldOnes) {
    son.loadSon();
    son.loadSon();
    EXPECT_EQ(mixeur.compte("charger"), 16);
    EXPECT_EQ(mixeur.compte("liberer"), 8);
    EXPECT_EQ(mixeur.vivants(), 8);
    mixeur.effacer();
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 255}}));
}

TEST_F(SonSession, EachNameLeadsToItsOwnSample) {
    charger();
    for (int i = 0; i < 8; ++i) {
        FSOUND_SAMPLE* h = son.preToFsound(kNoms[i]);
        EXPECT_NE(h, nullptr) << kNoms[i];
        for (int j = 0; j < i; ++j) EXPECT_NE(h, son.preToFsound(kNoms[j]));
        son.jouerPreSon(kNoms[i], -1);
        EXPECT_EQ(joues(), (Joue{{kFichiers[i], 255}})) << kNoms[i];
    }
    // A handle plays the same way as its name.
    son.jouerSon(son.preToFsound("limite"), -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/fall.wav", 255}}));
}

TEST_F(SonSession, OtherNamesAreSilentYetAVolumeTheyGiveIsKept) {
    charger();
    for (const char* nom : {"roll", "bonus", "Jump", "BOIS", "bois ", "", "arriv\xe9" "e"}) {
        EXPECT_EQ(son.preToFsound(nom), nullptr) << nom;
        son.jouerPreSon(nom, -1);
    }
    EXPECT_EQ(son.getVolume(), 255);
    son.jouerPreSon("roll", 123.9);
    EXPECT_EQ(son.getVolume(), 123);
    son.setVolume("roll", 0);
    EXPECT_EQ(son.getVolume(), 0);
    son.jouerPreSon("bonus", -1);
    EXPECT_EQ(son.getVolume(), 0);
    son.jouerSon(nullptr, 77);
    EXPECT_EQ(son.getVolume(), 77);
    EXPECT_TRUE(joues().empty());
    // The real samples are untouched by all that.
    son.jouerPreSon("jump", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/spring.wav", 255}}));
}

TEST_F(SonSession, AGivenVolumeLosesItsSignAndFractionAndBecomesTheSamplesDefault) {
    charger();
    son.jouerPreSon("bois", 80.7);
    EXPECT_EQ(son.getVolume(), 80);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(son.getVolume(), 80);
    son.jouerPreSon("bois", -40);
    EXPECT_EQ(son.getVolume(), 40);
    son.jouerPreSon("bois", -1);
    son.jouerPreSon("bois", -0.9);  // rounds toward zero: silent
    EXPECT_EQ(son.getVolume(), 0);
    son.jouerPreSon("bois", -1.5);  // only exactly −1 means "as it is"
    EXPECT_EQ(son.getVolume(), 1);
    // Each sample keeps its own default.
    son.jouerPreSon("jump", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 80},
                             {"data/sound/bois.wav", 80},
                             {"data/sound/bois.wav", 40},
                             {"data/sound/bois.wav", 40},
                             {"data/sound/bois.wav", 0},
                             {"data/sound/bois.wav", 1},
                             {"data/sound/spring.wav", 255}}));
}

TEST_F(SonSession, LoudImpactsAreCappedByTheSoundLayerButRememberedAsGiven) {
    charger();
    son.jouerPreSon("bois", 500);  // a jump pad's fall can knock this hard
    EXPECT_EQ(son.getVolume(), 500);
    son.jouerPreSon("bois", 1e300);
    son.jouerPreSon("bois", -1e300);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 255},
                             {"data/sound/bois.wav", 255},
                             {"data/sound/bois.wav", 255}}));
}

TEST_F(SonSession, AVolumeRequestSetsTheDefaultWithoutPlaying) {
    charger();
    son.setVolume("bois", 0);
    EXPECT_EQ(son.getVolume(), 0);
    EXPECT_TRUE(joues().empty());
    son.jouerPreSon("bois", -1);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 0}, {"data/sound/bois.wav", 0}}));
    son.jouerPreSon("bois", 30);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 30}, {"data/sound/bois.wav", 30}}));

    // Truncated, with no magnitude taken.
    son.setVolume("cursor", 99.9);
    EXPECT_EQ(son.getVolume(), 99);
    son.setVolume("cursor", -7.5);
    EXPECT_EQ(son.getVolume(), -7);
    son.jouerPreSon("cursor", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/cursor.wav", 0}}));
}

TEST_F(SonSession, AMutedManagerPlaysNothingAndKeepsItsVolume) {
    charger();
    son.jouerPreSon("bois", 60);
    joues();
    son.activerSon(false);
    EXPECT_FALSE(son.getActive());
    son.jouerPreSon("bois", 90);
    son.jouerPreSon("jump", -1);
    son.jouerSon(son.preToFsound("bouton"), 10);
    EXPECT_EQ(son.getVolume(), 60);
    EXPECT_TRUE(joues().empty());
    // Volume requests still act.
    son.setVolume("bois", 20);
    EXPECT_EQ(son.getVolume(), 20);
    son.activerSon(true);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 20}}));
}

TEST_F(SonSession, RepeatedRequestsOverlapOnTheirOwnChannels) {
    charger();
    son.jouerPreSon("arrivee", -1);
    son.jouerPreSon("arrivee", -1);
    son.jouerPreSon("arrivee", -1);
    EXPECT_EQ(mixeur.compte("jouer"), 3);
    // Nothing is stopped or paused to make room.
    EXPECT_EQ(mixeur.compte("pauseVoix"), 0);
    EXPECT_EQ(mixeur.compte("arret"), 0);
}

TEST_F(SonSession, AMissingEffectIsReportedAndStaysSilent) {
    DossierTemporaire dossier;
    dossier.arborescenceJeu();
    // fall.wav is there but is no sound the mixer can load.
    ecrireFichier("data/sound/fall.wav", "RIFF");
    mixeur.manquant("data/sound/fall.wav");
    mixeur.manquant("data/sound/spring.wav");
    ::testing::internal::CaptureStderr();
    son.loadSon();
    std::string erreurs = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(erreurs.find("\"data/sound/spring.wav\" is missing"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("\"data/sound/fall.wav\" cannot be decoded"), std::string::npos) << erreurs;
    EXPECT_EQ(erreurs.find("bois.wav"), std::string::npos) << erreurs;
    EXPECT_EQ(son.preToFsound("limite"), nullptr);
    EXPECT_EQ(son.preToFsound("jump"), nullptr);
    mixeur.effacer();
    son.jouerPreSon("jump", -1);
    son.jouerPreSon("jump", 44);
    EXPECT_EQ(son.getVolume(), 44);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"data/sound/bois.wav", 255}}));
    son.deleteSon();
    EXPECT_EQ(mixeur.vivants(), 0);
}

TEST(SonSessionSansPeripherique, EveryRequestIsSilent) {
    MixeurEnregistreur mixeur;
    mixeur.refuserOuverture();
    EXPECT_EQ(FSOUND_Init(44100, 32, 0), 0);
    Son son(255);
    son.loadSon();
    son.jouerPreSon("bois", 50);
    son.jouerPreSon("jump", -1);
    EXPECT_EQ(son.getVolume(), 50);
    EXPECT_EQ(mixeur.compte("jouer"), 0);
    son.deleteSon();
    FSOUND_Close();
    EXPECT_EQ(mixeur.vivants(), 0);
}

}  // namespace
