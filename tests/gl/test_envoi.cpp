// SPDX-License-Identifier: GPL-3.0-or-later
// The run sent to the score server and the world record's ghost, against
// broken servers started here: what the screen and standard error say, what
// stays kept on the player's side, and frames that never wait for the
// network. Then a shipped level played by the autopilot: the run the game
// sends plays again to its finish.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "course_pilotee.h"
#include "empreinte.h"
#include "envoi_course.h"
#include "navigateur.h"
#include "partie_scriptee.h"
#include "records.h"
#include "rejeu.h"
#include "score.h"
#include "serveur_hostile.h"

namespace {

using S = ServeurHostile;

struct Envoi : PartieScriptee {
    void SetUp() override {
        PartieScriptee::SetUp();
        setDelaiServeur(1500);
        setCommandeNavigateur("true");
    }
    void TearDown() override {
        setDelaiServeur(0);
        setServeurScore(kServeurScore);
        setCommandeNavigateur("");
        PartieScriptee::TearDown();
    }
};

const std::string kInjoignable = "Serveur des scores injoignable";
const std::string kAttente = "Envoi du score...";

TEST_F(Envoi, TheScreenAndStandardErrorSayTheAnswerTheRunAndRecordStayAndNoFrameWaits) {
    const std::string verifie = S::http(200, "verifie\nid 7\nplace 3\nnom /nom?jeton=abc\n");
    const struct { const char* cas; S::Maniere maniere; std::string reponse, ecran, erreur; bool perso; } cas[] = {
        {"refused", S::Refuse, "", kInjoignable, "vorna: " + kInjoignable + " (127.0.0.1:", false},
        {"silent past the time-out", S::Muet, "", kInjoignable, "vorna: " + kInjoignable + " (127.0.0.1:", false},
        {"500", S::Erreur500, "", kInjoignable, ": HTTP status 500)\n", false},
        {"garbage", S::Charabia, "", kInjoignable, "vorna: " + kInjoignable + " (127.0.0.1:", false},
        {"not ours", S::Fixe, S::http(200, "<html>\n"), kInjoignable, ": an answer that is not the score server's)", false},
        {"refusal", S::Fixe, S::http(422, "refuse resultat-different\nLe resultat differe.\n"), "Le resultat differe.",
         "vorna: Le resultat differe. (refused: resultat-different)\n", false},
        {"verified", S::Fixe, verifie, "Score verifie : 3e place", "", false},
        {"free map, verified, no browser", S::Fixe, verifie, "Score verifie : 3e place", "could not start the web browser", true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        suivante();
        S serveur(c.maniere, {{"/course", c.reponse}});
        setServeurScore(serveur.adresse());
        setCommandeNavigateur(c.perso ? "/nonexistent/browser" : "true");
        c.perso ? perso("piste", kCourseDroite) : scenario(1, kCourseDroite);
        systeme.appui(debut + 1, SDLK_UP);
        int envoi = -1, reponse = -1;
        std::vector<std::string> ecran;
        surFrame = [&](const InstantPartie& i) {
            const int f = debut + i.frame + 1;
            if (i.win && envoi < 0) envoi = i.frame, systeme.tape(taper(f, SDLK_DOWN, 2), SDLK_RETURN);
            if (reponse < 0 && !i.messageEnvoi.empty() && i.messageEnvoi != kAttente) {
                reponse = i.frame, ecran = systeme.textes();
                systeme.tape(taper(f, SDLK_DOWN, 2), SDLK_RETURN);  // "Menu principal"
            }
        };
        testing::internal::CaptureStdout();
        const std::string err = sortieErreur([&] { jeu.jouer(); });
        const std::string sortie = testing::internal::GetCapturedStdout();
        ASSERT_GT(reponse, envoi) << err;
        EXPECT_EQ(instants[reponse].messageEnvoi, c.ecran);
        EXPECT_NE(std::find(ecran.begin(), ecran.end(), c.ecran), ecran.end()) << "drawn on the end-of-level screen";
        EXPECT_NE(err.find(c.erreur), std::string::npos) << err;
        if (c.erreur.empty()) {
            EXPECT_EQ(err.find("(refused"), std::string::npos) << err;
            EXPECT_EQ(err.find(kInjoignable), std::string::npos) << err;
        }
        // Every frame came, one step each, while the answer was awaited.
        for (int k = envoi + 1; k <= reponse; ++k) ASSERT_EQ(instants[k].pas, instants[k - 1].pas + 1) << k;
        if (c.maniere == S::Muet) {
            EXPECT_EQ(instants[reponse - 10].messageEnvoi, kAttente) << "the screen says the run is on its way";
        }
        const std::optional<Course>& course = jeu.derniereCourse();
        ASSERT_TRUE(course.has_value());
        EXPECT_TRUE(course->points == instants[envoi].score && millisecondes(course->chrono) == instants[envoi].chrono);
        Parcours p;
        p.scenario = !c.perso, p.niveau = 1, p.map = "piste";
        const Records connus = recordsConnus();
        const Record* r = connus.trouver(p);
        EXPECT_TRUE(r && r->points == course->points) << "the record is kept whatever the server says";
        if (c.maniere != S::Fixe) continue;
        const std::string requete = serveur.requete();
        EXPECT_EQ(requete.rfind("POST /course HTTP/1.1\r\n", 0), 0u) << requete;
        EXPECT_NE(requete.find("Content-Type: text/plain\r\n"), std::string::npos);
        EXPECT_EQ(requete.substr(requete.find("\r\n\r\n") + 4), encoderCourse(*course));
        EXPECT_EQ(course->niveau, c.perso ? 0 : 1);
        EXPECT_EQ(course->empreinte, empreinte(lireFichier(c.perso ? "maps/piste.txt" : "maps/niveau/map1.qzm")));
        if (c.reponse == verifie && !c.perso) {
            EXPECT_EQ(sortie, "url:http://" + serveur.adresse() + "/nom?jeton=abc\n");
        }
    }
}

// A straight ghost of 300 steps toward −x along y = `y`.
std::string fantomeDroit(double y) {
    std::string g = "@maps/niveau/map1.qzm\n";
    char l[80];
    for (int k = 0; k < 300; ++k) g += (std::snprintf(l, sizeof l, "@%f,%f,%f\n", -0.05 * k, y, 1.0), l);
    return g;
}

TEST_F(Envoi, TheWorldRecordsGhostIsRacedFromTheStepTheRaceIsAtAndFromTheCacheWhenTheServerIsAway) {
    jeu.setCourseMondiale(true);
    ecrireFichier("ghost/map1-record.qzg", fantomeDroit(9));  // the player's own: not this one
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present ? "fetched" : "offline");
        suivante();
        S serveur(present ? S::Fixe : S::Refuse, {{"/niveau/1/record.qzg", S::http(200, fantomeDroit(0.5))}});
        setServeurScore(serveur.adresse());
        scenario(1, kCourseDroite);
        systeme.appui(debut + 1, SDLK_UP);
        alArrivee([&](int f) { systeme.tape(taper(f, SDLK_UP, 1), SDLK_RETURN); });
        sortieErreur([&] { jeu.jouer(); });
        EXPECT_EQ(lireFichier("data/joueur/mondial/niveau1.qzg"), fantomeDroit(0.5));
        const int vu = premiereFrame([](const InstantPartie& i) { return i.course; });
        ASSERT_GE(vu, 0);
        if (!present) {
            EXPECT_EQ(vu, 0) << "the ghost kept is raced from the start";
        }
        // Joined at the step the race is at, then a step a frame.
        const auto indice = [](const InstantPartie& i) { return static_cast<int>(std::lround(-i.xCourse / 0.05)); };
        EXPECT_EQ(instants[vu].yCourse, 0.5);
        int k = vu + 1;
        while (instants.at(k - 1).debut) ++k;  // the start phase: the race waits
        for (const int fin = k + 10; k < fin; ++k) EXPECT_EQ(indice(instants[k]), indice(instants[k - 1]) + 1) << k;
    }
}

TEST_F(Envoi, AShippedLevelPlayedByTheAutopilotIsARunThatPlaysAgainToItsFinish) {
    std::filesystem::copy(std::string(VORNA_SOURCE_DIR) + "/maps", "maps",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    glEnable(GL_SCISSOR_TEST), glScissor(0, 0, 8, 8);  // quicker: no pixel is looked at
    const std::optional<Course> c = coursePilotee(systeme, 1);
    glDisable(GL_SCISSOR_TEST);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->empreinte, empreinte(lireFichier("maps/niveau/map1.qzm")));
    Rejeu r;
    std::string pourquoi;
    ASSERT_TRUE(r.rejouer("@maps/niveau/map1.qzm\n#pas " + c->entrees.texte() + "\n", pourquoi)) << pourquoi;
    EXPECT_TRUE(r.simulation().balle().getWin() && r.simulation().sorties().arrivee);
    EXPECT_TRUE(r.simulation().score() == c->points && r.simulation().pasChrono() == c->chrono);
}

}  // namespace
