// SPDX-License-Identifier: GPL-3.0-or-later
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

const char* const kNoms[] = {"sauvegarde", "bois", "jump", "metal", "limite", "arrivee", "cursor", "bouton"};
const std::string kSon = "data/sound/";
const std::vector<std::string> kFichiers = {"triangle.wav", "bois.wav",    "spring.wav", "Effect.wav",
                                            "fall.wav",     "arrivee.wav", "cursor.wav", "bouton.wav"};

using Joue = std::vector<std::pair<std::string, int>>;  // (file in data/sound/, volume)

struct SonSession : ::testing::Test {
    MixeurEnregistreur mixeur;
    Son son{255};

    void SetUp() override {
        ASSERT_EQ(FSOUND_Init(44100, 32, 0), 1);
        FSOUND_SetVolume(FSOUND_ALL, 255);  // as other tests of this process may have left it
    }
    void TearDown() override {
        son.deleteSon();
        FSOUND_Close();
    }
    // The samples played since the last look, and forget them.
    Joue joues() {
        Joue r;
        for (const auto& a : mixeur.appels("jouer")) r.emplace_back(a.fichier.substr(kSon.size()), a.volume);
        mixeur.effacer();
        return r;
    }
    std::vector<std::string> liberes() {
        std::vector<std::string> r;
        for (const auto& a : mixeur.appels("liberer")) r.push_back(a.fichier.substr(kSon.size()));
        return r;
    }
};

TEST_F(SonSession, EachNamePlaysItsOwnSampleAndAVolumeGivenBecomesItsDefault) {
    struct Requete { const char* nom; double volume; bool jouer = true; };  // else only a volume request
    struct Cas { std::vector<Requete> requetes; Joue joues; int volume; };  // the volume as the manager keeps it
    std::vector<Requete> tous;
    Joue tousJoues;
    for (int i = 0; i < 8; ++i) tous.push_back({kNoms[i], -1}), tousJoues.push_back({kFichiers[i], 255});
    const Cas cas[] = {
        {tous, tousJoues, 255},
        // Repeated requests overlap on their own channels.
        {{{"arrivee", -1}, {"arrivee", -1}, {"arrivee", -1}}, Joue(3, {"arrivee.wav", 255}), 255},
        // Other names are silent, yet a volume they give is kept.
        {{{"roll", -1}, {"bonus", -1}, {"Jump", -1}, {"BOIS", -1}, {"bois ", -1}, {"", -1}, {"arriv\xe9" "e", -1}},
         {}, 255},
        {{{"roll", 123.9}, {"bonus", -1}}, {}, 123},
        // The magnitude, truncated; only exactly −1 means "as it is"; each sample keeps its own.
        {{{"bois", 80.7}, {"bois", -1}, {"bois", -40}, {"bois", -1}, {"bois", -0.9}, {"bois", -1.5}, {"jump", -1}},
         {{"bois.wav", 80}, {"bois.wav", 80}, {"bois.wav", 40}, {"bois.wav", 40}, {"bois.wav", 0}, {"bois.wav", 1},
          {"spring.wav", 255}}, 1},
        // Loud impacts are capped by the sound layer but remembered as given.
        {{{"bois", 500}}, {{"bois.wav", 255}}, 500},
        {{{"bois", 1e300}, {"bois", -1e300}}, {{"bois.wav", 255}, {"bois.wav", 255}}, 2147483647},
        // A volume request sets the default without playing, truncated with no magnitude taken.
        {{{"bois", 0, false}, {"bois", -1}, {"bois", -1}, {"bois", 30}, {"bois", -1}},
         {{"bois.wav", 0}, {"bois.wav", 0}, {"bois.wav", 30}, {"bois.wav", 30}}, 30},
        {{{"cursor", -7.5, false}, {"cursor", -1}}, {{"cursor.wav", 0}}, -7},
    };
    for (const Cas& c : cas) {
        son.loadSon();
        mixeur.effacer();
        for (const Requete& r : c.requetes) (r.jouer ? son.jouerPreSon(r.nom, r.volume) : son.setVolume(r.nom, r.volume));
        const std::string quoi = c.requetes[0].nom + std::string(" ") + std::to_string(c.requetes[0].volume);
        EXPECT_EQ(son.getVolume(), c.volume) << quoi;
        EXPECT_EQ(mixeur.compte("pauseVoix") + mixeur.compte("arret"), 0) << quoi << ": nothing is stopped";
        EXPECT_EQ(joues(), c.joues) << quoi;
    }
}

TEST_F(SonSession, TheEightSamplesLoadAndFreeInTableOrderOnlyOnceAndSilenceAfter) {
    son.jouerPreSon("bois", 40);  // nothing loaded yet: silent and harmless
    son.loadSon();
    son.loadSon();  // a second load does not strand the first samples
    EXPECT_EQ(mixeur.compte("charger"), 16);
    EXPECT_EQ(liberes(), kFichiers);
    EXPECT_EQ(mixeur.vivants(), 8);
    mixeur.effacer();
    son.deleteSon();
    son.deleteSon();  // freed twice is harmless
    EXPECT_EQ(liberes(), kFichiers);
    EXPECT_EQ(mixeur.vivants(), 0);
    son.jouerPreSon("bois", 50);
    EXPECT_TRUE(joues().empty());
}

TEST_F(SonSession, AMutedManagerOrAMissingEffectPlaysNothingButVolumeRequestsAct) {
    DossierTemporaire dossier;
    ecrireFichier("data/sound/fall.wav", "RIFF");  // there, but no sound the mixer can load
    mixeur.manquant("data/sound/fall.wav");
    mixeur.manquant("data/sound/spring.wav");
    const std::string erreurs = sortieErreur([&] { son.loadSon(); });
    EXPECT_NE(erreurs.find("\"data/sound/spring.wav\" is missing"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("\"data/sound/fall.wav\" cannot be decoded"), std::string::npos) << erreurs;
    EXPECT_EQ(lignes(erreurs).size(), 2u) << erreurs;
    EXPECT_TRUE(son.preToFsound("limite") == nullptr && son.preToFsound("jump") == nullptr);
    mixeur.effacer();
    son.jouerPreSon("jump", 44);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(son.getVolume(), 44);
    EXPECT_EQ(joues(), (Joue{{"bois.wav", 255}}));

    son.activerSon(false);
    son.jouerPreSon("bois", 90);
    son.jouerSon(son.preToFsound("bouton"), 10);
    EXPECT_EQ(son.getVolume(), 44) << "a muted manager takes no volume";
    EXPECT_TRUE(joues().empty());
    son.setVolume("bois", 20);
    son.activerSon(true);
    son.jouerPreSon("bois", -1);
    EXPECT_EQ(joues(), (Joue{{"bois.wav", 20}}));
}

}  // namespace
