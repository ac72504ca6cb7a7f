// SPDX-License-Identifier: GPL-3.0-or-later
// A finished run's score link, as older games open it, and a run the game
// sends, followed by a real browser: headless Chromium through Selenium
// (navigateur.py).
#include <gtest/gtest.h>
#include <unistd.h>

#include <GL/gl.h>

#include <cmath>
#include <filesystem>

#include "bout_en_bout.h"
#include "course_pilotee.h"
#include "dossier.h"
#include "enveloppe_carte.h"
#include "navigateur.h"
#include "partie_scriptee.h"
#include "score.h"
#include "support_serveur.h"

namespace {

struct Navigateur : PartieScriptee {};  // for its scratch folder and window

TEST_F(Navigateur, TheOldLinkLeadsThroughTheNameFormToTheLeaderboardAndAScriptNameStaysText) {
    if (access("/usr/bin/chromedriver", X_OK) != 0 || access("/usr/bin/chromium", X_OK) != 0)
        GTEST_SKIP() << "no chromium or chromium-driver here (apt-get install chromium chromium-driver python3-selenium)";
    DepotEssai essai(Magasin::Sqlite);
    ServeurEssai s(*essai.depot);
    setenv("VORNA_SELENIUM_RESULTAT", (dossier.chemin() + "/selenium").c_str(), 1);
    // The link an older game opens (a run sent whole is followed once the
    // server takes runs).
    const std::string score = "2036";
    const std::string url = "url:http://" + s.hote() + lienScore(3, std::stoi(score)) + "\n";
    setCommandeNavigateur(VORNA_SELENIUM);
    ASSERT_TRUE(ouvrirUrl(url.substr(4, url.size() - 5)));
    setCommandeNavigateur("");

    ASSERT_TRUE(attendre([] { return existe("selenium"); }, 200)) << lireFichier("selenium.log");
    const std::vector<std::string> l = lignes(lireFichier("selenium"));
    ASSERT_EQ(l.size(), 3u) << lireFichier("selenium") << lireFichier("selenium.log");
    EXPECT_EQ(l[0] + "\n", url) << "the browser got the very link the game printed";
    const std::string page = "3.Flux|http://" + s.hote() + "/niveau/3?nouveau=";
    // An old link's score: no time, marked unverified.
    EXPECT_EQ(l[1].rfind(page + "1#nouveau|1 Bille Öst " + score + " \xe2\x80\x93 non vérifié 20", 0), 0u) << l[1];
    // The field holds 24 characters: the name loses its last ">".
    EXPECT_EQ(l[2].rfind(page + "2#nouveau|2 <script>alert(1)</script " + score + " \xe2\x80\x93 non vérifié 20", 0),
              0u) << l[2];
    // No alert, and the date on one line on a phone.
    for (const std::string& ligne : {l[1], l[2]}) EXPECT_EQ(ligne.substr(ligne.size() - 7), "|1|none") << ligne;
    EXPECT_EQ(essai.depot->classement(3, 10).size(), 2u);
}

// The whole path of a run: the game plays a shipped level by the autopilot
// and sends its run; the server plays it again and ranks it; the browser the
// game opens names it and sees it verified; the next run races its ghost,
// fetched from the server.
TEST_F(Navigateur, TheGameSendsItsRunTheServerVerifiesItTheBrowserNamesItAndTheNextRunRacesIt) {
    if (access("/usr/bin/chromedriver", X_OK) != 0 || access("/usr/bin/chromium", X_OK) != 0)
        GTEST_SKIP() << "no chromium or chromium-driver here (apt-get install chromium chromium-driver python3-selenium)";
    DepotEssai essai(Magasin::Sqlite);
    ServeurEssai s(*essai.depot, reglagesCourses());
    std::filesystem::copy(std::string(VORNA_SOURCE_DIR) + "/maps", "maps",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    setServeurScore(s.hote());
    setenv("VORNA_SELENIUM_RESULTAT", (dossier.chemin() + "/selenium").c_str(), 1);
    setenv("VORNA_SELENIUM_NOMS", "Pilote", 1);
    setCommandeNavigateur(VORNA_SELENIUM);
    glEnable(GL_SCISSOR_TEST), glScissor(0, 0, 8, 8);  // quicker: no pixel is looked at
    std::string reponse;
    const auto choisir = [&](int f, int bas) {
        for (int k = 0; k < bas; ++k) systeme.tape(f + 2 + 2 * k, SDLK_DOWN);
        systeme.tape(f + 2 + 2 * bas, SDLK_RETURN);
    };
    const std::optional<Course> c = coursePilotee(systeme, 1, {}, [&](int f, const InstantPartie& i, bool premiere) {
        if (premiere) choisir(f, 2);  // "Envoyer son score en ligne"
        if (reponse.empty() && !i.messageEnvoi.empty() && i.messageEnvoi != "Envoi du score...")
            reponse = i.messageEnvoi, choisir(f, 2);  // then "Menu principal"
    });
    setCommandeNavigateur("");
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(reponse, "Score verifie : 1e place");
    ASSERT_TRUE(attendre([] { return existe("selenium"); }, 200)) << lireFichier("selenium.log");
    unsetenv("VORNA_SELENIUM_NOMS");
    const std::vector<std::string> l = lignes(lireFichier("selenium"));
    ASSERT_EQ(l.size(), 2u) << lireFichier("selenium") << lireFichier("selenium.log");
    EXPECT_EQ(l[0].rfind("url:http://" + s.hote() + "/nom?jeton=", 0), 0u) << l[0];
    EXPECT_EQ(l[1].rfind("1.Camp d'entrainement|http://" + s.hote() + "/niveau/1?nouveau=", 0), 0u) << l[1];
    EXPECT_NE(l[1].find("|1 Pilote " + std::to_string(c->points) + " "), std::string::npos) << l[1];
    EXPECT_NE(l[1].find(" vérifié "), std::string::npos) << l[1];
    const std::vector<Entree> liste = essai.depot->classement(1, 10);
    ASSERT_EQ(liste.size(), 1u);
    EXPECT_TRUE(liste[0].verifie && liste[0].points == c->points && liste[0].chrono == c->chrono);

    // The world record's ghost: fetched, kept, and raced beside the same play.
    const auto record = s.client().Get("/niveau/1/record.qzg");
    ASSERT_TRUE(record && record->status == 200);
    bool cote = false;
    coursePilotee(systeme, 1, [](Jeu& j) { j.setCourseMondiale(true), j.setFantome(true); },
                  [&](int f, const InstantPartie& i, bool premiere) {
                      if (!premiere) return;
                      cote = i.course && std::abs(i.xCourse - i.x) < 1 && std::abs(i.yCourse - i.y) < 1;
                      systeme.tape(f + 2, SDLK_RETURN);
                  });
    glDisable(GL_SCISSOR_TEST);
    EXPECT_EQ(lireFichier("data/joueur/mondial/niveau1.qzg"), record->body);
    EXPECT_TRUE(cote) << "the world's ghost reaches the finish with the ball that plays the same";
    setServeurScore(kServeurScore);
}

// A published map's page: its overview decoded by the browser, its author's run as its record.
TEST(NavigateurCartes, AMapsPageShowsItsPictureAndItsRecord) {
    if (access("/usr/bin/chromedriver", X_OK) != 0 || access("/usr/bin/chromium", X_OK) != 0)
        GTEST_SKIP() << "no chromium or chromium-driver here (apt-get install chromium chromium-driver python3-selenium)";
    DossierTemporaire dossier;
    DepotEssai essai(Magasin::Sqlite);
    ServeurEssai s(*essai.depot, reglagesCourses());
    const CarteEssai m = carteEssai();
    const std::string corps = ecrireEnveloppe({"Toboggan", "Ana", m.octets, pngUni(160, 120), encoderCourse(m.course)});
    ASSERT_EQ(s.client().Post("/carte", corps, "application/octet-stream")->status, 201);
    const std::string url = "http://" + s.hote() + "/maps/1";
    ASSERT_EQ(executer({VORNA_SELENIUM, url},
                       {"VORNA_SELENIUM_CARTE=1", "VORNA_SELENIUM_RESULTAT=" + dossier.chemin() + "/selenium"}), 0)
        << lireFichier("selenium.log");
    const std::vector<std::string> l = lignes(lireFichier("selenium"));
    ASSERT_EQ(l.size(), 2u) << lireFichier("selenium") << lireFichier("selenium.log");
    EXPECT_EQ(l[1].rfind("Toboggan|160|1 Ana " + std::to_string(m.course.points) + " ", 0), 0u) << l[1];
    EXPECT_NE(l[1].find(" vérifié "), std::string::npos) << l[1];
}

}  // namespace
