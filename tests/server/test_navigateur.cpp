// SPDX-License-Identifier: GPL-3.0-or-later
// A finished run's score link, as older games open it, followed by a real
// browser: headless Chromium through Selenium (navigateur.py).
#include <gtest/gtest.h>
#include <unistd.h>

#include "bout_en_bout.h"
#include "course_pilotee.h"
#include "navigateur.h"
#include "partie_scriptee.h"
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

TEST(NavigateurCourse, AVerifiedRunIsNamedThroughItsFormAndShownVerified) {
    if (access("/usr/bin/chromedriver", X_OK) != 0 || access("/usr/bin/chromium", X_OK) != 0)
        GTEST_SKIP() << "no chromium or chromium-driver here (apt-get install chromium chromium-driver python3-selenium)";
    DossierTemporaire dossier;
    DepotEssai essai(Magasin::Sqlite);
    ServeurEssai s(*essai.depot, reglagesCourses());
    const Course c = piloterCourse(1).course;
    const auto r = s.client().Post("/course", encoderCourse(c), "text/plain");
    ASSERT_TRUE(r && r->status == 200) << (r ? r->body : "no answer");
    const std::string nom = r->body.substr(r->body.find("\nnom ") + 5, r->body.find('\n', r->body.find("\nnom ") + 1) -
                                                                     r->body.find("\nnom ") - 5);
    setenv("VORNA_SELENIUM_RESULTAT", (dossier.chemin() + "/selenium").c_str(), 1);
    setenv("VORNA_SELENIUM_NOMS", "Pilote", 1);
    const std::string url = "http://" + s.hote() + nom;
    ASSERT_EQ(std::system((VORNA_SELENIUM " '" + url + "'").c_str()), 0);
    unsetenv("VORNA_SELENIUM_NOMS");
    const std::vector<std::string> l = lignes(lireFichier("selenium"));
    ASSERT_EQ(l.size(), 2u) << lireFichier("selenium") << lireFichier("selenium.log");
    EXPECT_EQ(l[1].rfind("1.Camp d'entrainement|http://" + s.hote() + "/niveau/1?nouveau=", 0), 0u) << l[1];
    EXPECT_NE(l[1].find("|1 Pilote " + std::to_string(c.points) + " "), std::string::npos) << l[1];
    EXPECT_NE(l[1].find(" vérifié "), std::string::npos) << l[1];
    EXPECT_TRUE(essai.depot->classement(1, 10).at(0).verifie);
}

}  // namespace
