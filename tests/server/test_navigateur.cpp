// SPDX-License-Identifier: GPL-3.0-or-later
// A finished run's score link, as older games open it, and a run the game
// sends, followed by a real browser: headless Chromium through Selenium
// (navigateur.py).
#include <gtest/gtest.h>
#include <unistd.h>

#include <GL/gl.h>

#include <cmath>
#include <filesystem>

#include "application.h"
#include "bout_en_bout.h"
#include "course_pilotee.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "enveloppe_carte.h"
#include "fenetre_test.h"
#include "menu.h"
#include "navigateur.h"
#include "partie_scriptee.h"
#include "repertoire.h"
#include "score.h"
#include "support_serveur.h"
#include "systeme_script.h"

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

namespace {

// The game started from its menu through the seam, on the score server
// `hote`: "Maps en ligne", the map `titre` downloaded and played by holding
// Up, its run sent, then "Menu principal" and the game left. The server's
// answer to the run.
std::string jouerMapEnLigne(const std::string& hote, const std::string& titre) {
    SystemeScript systeme;
    systeme.limite(20000);
    setenv("VORNA_SCORE_SERVER", hote.c_str(), 1);
    const auto contient = [&](const std::string& debut) {
        for (const std::string& t : systeme.textes())
            if (t.rfind(debut, 0) == 0) return t;
        return std::string();
    };
    int etape = 0, pret = 0;
    std::string reponse;
    systeme.surImage([&](int f) {
        glScissor(0, 0, 8, 8), glEnable(GL_SCISSOR_TEST);  // no pixel is looked at: quicker
        const auto taper = [&](std::initializer_list<SDL_Keycode> touches) {
            for (SDL_Keycode k : touches) systeme.tape(pret += 2, k);
            ++etape;
        };
        if (f < pret) return;
        pret = f;
        if (etape == 0 && !contient("Jouer").empty()) taper({SDLK_RETURN});
        else if (etape == 1 && !contient("Maps en ligne").empty()) taper({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
        else if (etape == 2 && !contient(titre + " - ").empty()) taper({SDLK_RETURN});
        else if (etape == 3 && !instantMenu().swap) systeme.appui(f + 1, SDLK_UP), ++etape;  // the run: Up held
        else if (etape == 4 && !contient("Envoyer son score en ligne").empty())
            systeme.relache(f + 1, SDLK_UP), pret = f + 1, taper({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
        else if (etape == 5 && !(reponse = contient("Score ")).empty())
            taper({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});  // "Menu principal"
        else if (etape == 6 && !contient("Jouer").empty()) systeme.quitter(f + 2), ++etape;
    });
    EXPECT_EQ(SDL_main(0, nullptr), 0);
    glDisable(GL_SCISSOR_TEST);
    unsetenv("VORNA_SCORE_SERVER");
    EXPECT_EQ(etape, 7) << "the way through the game stopped there";
    return reponse;
}

}  // namespace

// A map's whole way: made and finished in the real editor (the play-test's
// game driven by X keys), published with its overview and its author's
// run, its page opened in Chromium; then on another machine the game lists
// it, downloads it, plays it and sends its run to the map's leaderboard.
TEST(NavigateurCartes, AMapFinishedInTheEditorIsPublishedShownDownloadedAndPlayedInTheGame) {
    if (access("/usr/bin/chromedriver", X_OK) != 0 || access("/usr/bin/chromium", X_OK) != 0)
        GTEST_SKIP() << "no chromium or chromium-driver here (apt-get install chromium chromium-driver python3-selenium)";
    if (!std::getenv("DISPLAY") || !xdotoolPresent()) GTEST_SKIP() << "no display or no xdotool";
    DossierTemporaire dossier;
    ASSERT_TRUE(copierJeu());
    for (const std::string& m : listerDossier("maps", ".txt")) std::filesystem::remove("maps/" + m);
    std::filesystem::remove_all("maps/niveau");  // listed: a.txt alone
    ecrireFichier("maps/a.txt", carteToutDroit());
    DepotEssai essai(Magasin::Sqlite);
    ServeurEssai s(*essai.depot, reglagesCourses());
    {
        Programme bramelt({"./bramelt"}, {"VORNA_SCORE_SERVER=" + s.hote(), std::string("VORNA_BROWSER=") + VORNA_SELENIUM,
                                          "VORNA_SELENIUM_CARTE=1", "VORNA_SELENIUM_RESULTAT=" + dossier.chemin() + "/selenium"});
        ASSERT_EQ(chercherFenetre("Bramelt"), 0);
        ouvrirA();
        xdotool({"key", "F5"});
        ASSERT_EQ(chercherFenetre("^Vorna "), 0);
        xdotool({"keydown", "Up"});
        // The end-of-level menu, its five entries 24 pixels apart from 190
        // down: Up's key repeat has moved its highlight meanwhile.
        const auto surLigne = [](const Capture& c, int k) { return compter(c, 150, 190 + 24 * k, 490, 214 + 24 * k, orange) > 30; };
        Capture c;
        const bool fini = attendre([&] { c = capturerEcran(); return surLigne(c, 0) || surLigne(c, 4); }, 60);
        xdotool({"keyup", "Up"});
        ASSERT_TRUE(fini) << "the play-test never reached the finish";
        for (int k = 0; k < 5 && !surLigne(c = capturerEcran(), 4); ++k) xdotool({"key", "Down"});
        xdotool({"key", "Return"});  // "Menu principal": the play-test ends
        ASSERT_TRUE(attendre([&] { return edition(c = capturerEcran()); }, 20)) << "the editor did not come back";
        // The keyboard back to the editor, as a window manager gives it (Xvfb has none).
        executer({"xdotool", "search", "--name", "Bramelt", "windowfocus"});
        xdotool({"key", "F9"});
        xdotool({"type", "--delay", "80", "Ana"});
        xdotool({"key", "--delay", "80", "Tab", "BackSpace"});
        xdotool({"type", "--delay", "80", "Piste du lac"});
        xdotool({"key", "Return"});
        ASSERT_TRUE(attendre([&] { return essai.depot->nombreCartes() == 1; }, 30)) << "not published";
        xdotool({"key", "Escape"});
        xdotool({"key", "Escape"});
        quitterEditeur(bramelt);
    }
    ASSERT_TRUE(attendre([] { return existe("selenium"); }, 200)) << lireFichier("selenium.log");
    const std::vector<std::string> l = lignes(lireFichier("selenium"));
    ASSERT_EQ(l.size(), 2u) << lireFichier("selenium") << lireFichier("selenium.log");
    EXPECT_EQ(l[0], "url:http://" + s.hote() + "/maps/1");
    EXPECT_EQ(l[1].rfind("Piste du lac|", 0), 0u) << l[1];
    EXPECT_NE(l[1].find("|1 Ana "), std::string::npos) << "the author's run, the first record: " << l[1];
    EXPECT_EQ(l[1].find("|0|"), std::string::npos) << "the overview decoded: " << l[1];

    // Another player, who never had the map.
    const std::string octets = lireFichier("maps/a.txt");
    std::filesystem::remove("maps/a.txt");
    std::filesystem::remove_all("data/joueur");
    EXIGER_FENETRE();
    setCommandeNavigateur("true");  // the name form is not followed this time
    EXPECT_EQ(jouerMapEnLigne(s.hote(), "Piste du lac").rfind("Score verifie : ", 0), 0u) << "on the map's leaderboard";
    setCommandeNavigateur("");
    EXPECT_EQ(lireFichier("maps/Piste du lac.txt"), octets);
}
