// Whole runs of Jeu::jouer(), driven through the seam with scripted keys and a
// virtual clock, drawing for real into the test window.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <functional>
#include <string>
#include <vector>

#include "annonce.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "fsound.h"
#include "jeu.h"
#include "mixeur_enregistreur.h"
#include "navigateur.h"
#include "partie_scriptee.h"
#include "repertoire.h"
#include "systeme_script.h"

namespace {

// The ball hangs in the void: it falls as soon as the run starts. The only
// block lies far away, so the fall threshold is z = -0.5.
const char* const kVide =
    "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n"
    "@1,40,0,0,0,4,4,1,0,0,0,textureSol\n";

struct Partie : PartieScriptee {};

TEST_F(Partie, RollingToTheFinishKeepsTheGhostAndUnlocksTheNextLevel) {
    scenario(1, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    int choixMenuPrincipal = -1;
    alArrivee([&](int f) {
        f = taper(f, SDLK_DOWN, 3);         // "Enregistrer le fantome"
        systeme.appui(f, SDLK_RETURN);
        systeme.relache(f + 1, SDLK_RETURN);
        f = taper(f + 2, SDLK_DOWN, 1);     // "Menu principal"
        systeme.appui(f, SDLK_RETURN);
        choixMenuPrincipal = f;
    });

    jeu.jouer();

    const int arrivee = premiereFrame([](const InstantPartie& i) { return i.win; });
    ASSERT_GT(arrivee, 20) << "the ball never reached the finish";
    const InstantPartie& touche = instants[arrivee];
    EXPECT_TRUE(touche.ecrireEnvoyer);      // the end-of-level menu shows from the touch on
    EXPECT_LT(touche.x, -20.8);
    // Points and chrono stop at the touch.
    for (int f = arrivee; f < arrivee + 8; ++f) {
        EXPECT_EQ(instants[f].points, touche.points);
        EXPECT_EQ(instants[f].chrono, touche.chrono);
        EXPECT_EQ(instants[f].score, touche.score);
    }
    EXPECT_EQ(touche.points, 1400 - arrivee);  // one point a frame from the end of the start phase
    EXPECT_EQ(touche.texteFin, std::to_string(touche.points) + "[0:" +
                                   std::to_string(touche.chrono / 1000) + ":" +
                                   std::to_string(touche.chrono % 1000 / 100) + "]");
    EXPECT_EQ(touche.nomAffiche, "1.Camp d'entrainement");

    // The closing fade: 178 down by 5 a frame to 3, then the run ends.
    ASSERT_GT(choixMenuPrincipal, 0);
    const InstantPartie& dernier = instants.back();
    EXPECT_EQ(dernier.continuer, 0);
    EXPECT_EQ(instants[instants.size() - 2].mortR, 3);
    EXPECT_EQ(instants[choixMenuPrincipal + 10].mortR, 178 - 5 * 11);
    EXPECT_EQ(static_cast<int>(instants.size()) - choixMenuPrincipal, 36);

    // The ghost: header and one position per frame before the touch.
    EXPECT_FALSE(existe(travail()));
    ASSERT_TRUE(existe("ghost/map1ghost0.qzg"));
    auto l = lignes(lireFichier("ghost/map1ghost0.qzg"));
    ASSERT_EQ(static_cast<int>(l.size()), arrivee + 1);
    EXPECT_EQ(l[0], "@maps/niveau/map1.qzm");
    EXPECT_EQ(l[1], "@0.000000,0.000000,2.000000");
    char attendu[80];
    std::snprintf(attendu, sizeof attendu, "@%f,%f,%f", instants[arrivee - 1].x,
                  instants[arrivee - 1].y, instants[arrivee - 1].z);
    EXPECT_EQ(l.back(), attendu);

    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2");
    EXPECT_EQ(jeu.getNiveauMax(), 2u);
    EXPECT_FALSE(jeu.getSuivant());
    EXPECT_EQ(jeu.getNbreGame(), 1);
    EXPECT_EQ(mixeur.vivants(), 0) << "the run must release its sounds and music";
}

TEST_F(Partie, FinishingALevelBelowTheHighestUnlockedChangesNoProgress) {
    jeu.setNiveauMax(3);
    ecrireFichier("data/joueur/niveau.txt", "3");
    scenario(1, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    alArrivee([&](int f) { systeme.appui(f + 2, SDLK_RETURN); });  // "Niveau suivant"
    jeu.jouer();
    EXPECT_TRUE(jeu.getSuivant());
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "3");
    EXPECT_EQ(jeu.getNiveauMax(), 3u);
    EXPECT_FALSE(existe(travail())) << "a ghost not kept is deleted";
    EXPECT_FALSE(existe("ghost/map1ghost0.qzg"));
}

TEST_F(Partie, AFreeMapGhostIsNamedAfterTheMapAndNeverReplacesAnExistingOne) {
    perso("piste", kCourseDroite);
    jeu.setNombreGhost(3);
    ecrireFichier("ghost/pisteghost4.qzg", "@maps/piste.txt\n@1.000000,2.000000,3.000000\n");
    systeme.appui(1, SDLK_UP);
    alArrivee([&](int f) {
        f = taper(f, SDLK_UP, 2);  // wraps from "Niveau suivant" to "Enregistrer le fantome"
        systeme.appui(f, SDLK_RETURN);
        systeme.relache(f + 1, SDLK_RETURN);
        f = taper(f + 2, SDLK_DOWN, 1);
        systeme.appui(f, SDLK_RETURN);
    });
    jeu.jouer();
    EXPECT_EQ(lireFichier("ghost/pisteghost4.qzg"), "@maps/piste.txt\n@1.000000,2.000000,3.000000\n");
    ASSERT_TRUE(existe("ghost/pisteghost5.qzg")) << "the kept ghost takes the next free number";
    EXPECT_EQ(lignes(lireFichier("ghost/pisteghost5.qzg"))[0], "@maps/piste.txt");
    EXPECT_EQ(instants[5].nomAffiche, "piste");
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "") << "a free map unlocks nothing here";
}

TEST_F(Partie, FallingOffCostsALifeAndTheLastLifeEndsInGameOver) {
    scenario(2, kVide);
    jeu.setFantome(false);
    int perdu = -1;
    surFrame = [&](const InstantPartie& i) {
        if (perdu < 0 && i.loose) {
            perdu = i.frame;
            systeme.relache(perdu + 1, SDLK_ESCAPE);  // no way out of game over
            systeme.relache(perdu + 2, SDLK_KP0);     // but Return
            systeme.appui(perdu + 3, SDLK_RETURN);
            systeme.relache(perdu + 4, SDLK_RETURN);
            systeme.quitter(perdu + 10);
        }
    };
    jeu.jouer();

    const int chute = premiereFrame([](const InstantPartie& i) { return i.tombe; });
    ASSERT_GT(chute, 0);
    EXPECT_LT(instants[chute].z, -0.5);
    EXPECT_EQ(instants[chute - 1].texteVies, "3 vies");
    // Put back 1500 ms (50 frames of 32 ms) later, with one life less.
    const int retour = premiereFrame([&](const InstantPartie& i) { return i.frame > chute && !i.tombe; });
    ASSERT_GT(retour, chute);
    EXPECT_NEAR((retour - chute) * 32, 1500, 64);
    EXPECT_DOUBLE_EQ(instants[retour].vie, 2);
    EXPECT_EQ(instants[retour].texteVies, "2 vies");
    // The scene darkens by 5 a frame while falling.
    EXPECT_EQ(instants[chute + 2].mortR, instants[chute + 1].mortR - 5);

    ASSERT_GT(perdu, 0) << "three falls must end in game over";
    EXPECT_DOUBLE_EQ(instants[perdu].vie, 0);
    EXPECT_EQ(instants[perdu].texteVies, "0 vie");
    EXPECT_TRUE(instants[perdu].pause);
    for (int f = perdu + 1; f <= perdu + 2; ++f) {
        EXPECT_TRUE(instants[f].pause && instants[f].loose) << f;
        EXPECT_FALSE(instants[f].menu) << f;
        EXPECT_DOUBLE_EQ(instants[f].z, instants[perdu].z) << f;
    }
    const InstantPartie& apres = instants[perdu + 6];
    EXPECT_FALSE(apres.loose);
    EXPECT_DOUBLE_EQ(apres.vie, 5);
    EXPECT_EQ(apres.texteVies, "5 vies");
}

TEST_F(Partie, ACheckpointMovesTheSavePoint) {
    // Block 0 is out of the way; the ball lands on the checkpoint (block 1),
    // then rolls off toward +x and comes back above the checkpoint.
    scenario(3,
             "@0,0,0,3,3,1,1,1,0,0,0,textureSphere\n"
             "@1,40,0,0,0,2,2,1,0,0,0,textureSol\n"
             "@7,0,0,0,0,3,3,1,0,0,0,textureSauvegarde\n");
    jeu.setFantome(false);
    systeme.appui(20, SDLK_DOWN);
    systeme.quitter(200);
    jeu.jouer();

    const int pris = premiereFrame([](const InstantPartie& i) { return i.checkpoint; });
    ASSERT_GT(pris, 0);
    EXPECT_DOUBLE_EQ(instants[pris].xSave, 0);
    EXPECT_NEAR(instants[pris].zSave, 0 + 1 + 2.1, 1e-9);
    const int chute = premiereFrame([](const InstantPartie& i) { return i.tombe; });
    ASSERT_GT(chute, pris);
    const int retour = premiereFrame([&](const InstantPartie& i) { return i.frame > chute && !i.tombe; });
    ASSERT_GT(retour, chute);
    // Put back above the checkpoint; the held key and gravity have acted once since.
    EXPECT_NEAR(instants[retour].x, 0, 0.021);
    EXPECT_NEAR(instants[retour].z, 3.1, 0.011);
    // The message goes after about 2000 ms.
    const int fin = premiereFrame([&](const InstantPartie& i) { return i.frame > pris && !i.checkpoint; });
    EXPECT_NEAR((fin - pris) * 32, 2000, 64);
}

TEST_F(Partie, ThePauseMenuFreezesTheRunWrapsAndQuitRemovesTheWorkingGhost) {
    scenario(1, kCourseDroite);
    systeme.relache(10, SDLK_ESCAPE);   // pause
    systeme.tape(14, SDLK_UP);           // 0 -> 2 (wraps)
    systeme.tape(18, SDLK_DOWN);         // 2 -> 0 (wraps)
    systeme.tape(22, SDLK_DOWN);         // 1
    systeme.tape(26, SDLK_DOWN);         // 2 "Quitter"
    systeme.tape(40, SDLK_RETURN);       // acts on the release
    jeu.jouer();

    EXPECT_TRUE(instants[11].pause);
    EXPECT_TRUE(instants[11].menu);
    EXPECT_EQ(systeme.repetitionDelai(), 10);  // play settings restored on leaving
    EXPECT_EQ(instants[11].points, instants[38].points);
    EXPECT_EQ(instants[11].chrono, instants[38].chrono);
    EXPECT_EQ(instants[15].choixMenu, 2);
    EXPECT_EQ(instants[19].choixMenu, 0);
    EXPECT_EQ(instants[23].choixMenu, 1);
    EXPECT_EQ(instants[27].choixMenu, 2);
    EXPECT_EQ(instants[40].continuer, 2);  // the press does nothing in the pause menu
    EXPECT_EQ(static_cast<int>(instants.size()), 42);
    EXPECT_FALSE(existe(travail()));
    EXPECT_GE(mixeur.compte("jouer"), 5);  // cursor moves and the confirm
}

TEST_F(Partie, ThePauseMenuRestartPutsTheBallBackAndResetsTheCounters) {
    scenario(1, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    systeme.relache(30, SDLK_UP);
    systeme.relache(40, SDLK_ESCAPE);
    systeme.tape(44, SDLK_DOWN);         // "Recommencer le niveau"
    systeme.tape(48, SDLK_RETURN);
    systeme.quitter(60);
    jeu.jouer();

    EXPECT_LT(instants[40].x, -3);
    const InstantPartie& r = instants[49];
    EXPECT_FALSE(r.pause);
    EXPECT_DOUBLE_EQ(r.x, 0);
    EXPECT_DOUBLE_EQ(r.z, 2);
    EXPECT_EQ(r.points, 1400);
    EXPECT_TRUE(r.debut);
    EXPECT_EQ(instants[50].points, 1399);  // the start phase ended with frame 49
}

TEST_F(Partie, AMissingEmptyOrHostileLevelReturnsAtOnceWithoutAFrameAndSaysWhy) {
    jeu.setScenario(true);
    jeu.setMapScenario(9);
    jeu.jouer();
    EXPECT_EQ(systeme.frame(), 0);
    EXPECT_EQ(prendreAnnonce(), "Niveau illisible : map9.qzm");
    ecrireFichier("maps/niveau/map9.qzm", "");
    jeu.jouer();
    perso("vide", "no record here");
    jeu.jouer();
    EXPECT_EQ(prendreAnnonce(), "Niveau illisible : vide.txt");
    // Free maps that are a FIFO, links to devices, a folder, a huge file.
    for (const std::string& chemin : creerFichiersHostiles("maps", ".txt")) {
        const std::string nom = chemin.substr(5, chemin.size() - 9);
        jeu.setMap(nom);
        jeu.jouer();
        EXPECT_EQ(prendreAnnonce(), "Niveau illisible : " + nom + ".txt");
    }
    EXPECT_EQ(systeme.frame(), 0);
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_EQ(mixeur.compte("musique"), 0);
}

TEST_F(Partie, WithoutAGhostFolderTheRunIsPlayedWithoutRecording) {
    rmdir("ghost");
    scenario(1, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    alArrivee([&](int f) { garderFantome(f); });
    testing::internal::CaptureStderr();
    jeu.jouer();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(instants.back().continuer == 0);
    EXPECT_FALSE(existe("ghost"));
    EXPECT_NE(err.find("ghost"), std::string::npos);
}

TEST_F(Partie, TheRecordingGoesToAHiddenFileThatNoListShowsAndNoKeptGhostCanBear) {
    // A player's ghost bearing the name of the old working file, the working
    // file of a killed run, and that of a program still running.
    const std::string joueur = "@maps/niveau/map1.qzm\n@1.000000,2.000000,3.000000\n";
    ecrireFichier("ghost/ghost.qzg", joueur);
    const pid_t mort = fork();
    if (mort == 0) _exit(0);
    waitpid(mort, nullptr, 0);
    const std::string perime = "ghost/.enregistrement-" + std::to_string(mort);
    const std::string vivant = "ghost/.enregistrement-" + std::to_string(getppid());
    ecrireFichier(perime, "@maps/x.txt\n");
    ecrireFichier(vivant, "@maps/x.txt\n");

    scenario(1, kCourseDroite);
    std::vector<std::string> liste;
    bool enregistre = false;
    surFrame = [&](const InstantPartie& i) {
        if (i.frame != 5) return;
        liste = listerDossier("./ghost", ".qzg");
        enregistre = existe(travail());
    };
    systeme.arret(10);  // SIGTERM ends the run as a normal exit does
    jeu.jouer();

    EXPECT_EQ(static_cast<int>(instants.size()), 11);
    EXPECT_TRUE(enregistre);
    EXPECT_EQ(liste, std::vector<std::string>{"ghost.qzg"});
    EXPECT_EQ(lireFichier("ghost/ghost.qzg"), joueur);
    EXPECT_FALSE(existe(perime));
    EXPECT_TRUE(existe(vivant));
    EXPECT_FALSE(existe(travail()));
}

// Files may grow no further than `octets` for the life of the object, as on a
// full disk (root included); a write beyond fails instead of killing.
struct DisqueLimite {
    rlimit avant;
    explicit DisqueLimite(rlim_t octets) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &avant);
        rlimit r = avant;
        r.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DisqueLimite() {
        setrlimit(RLIMIT_FSIZE, &avant);
        std::signal(SIGXFSZ, SIG_DFL);
    }
};

TEST_F(Partie, OnAFullDiskNoGhostIsKeptTheScreenSaysSoAndEveryFileStaysWhole) {
    const std::string ancien = "@maps/niveau/map1.qzm\n@0.000000,0.000000,2.000000\n";
    ecrireFichier("ghost/map1ghost0.qzg", ancien);
    ecrireFichier("data/joueur/niveau.txt", "1");
    scenario(1, kCourseDroite);
    // The disk fills when the player keeps the ghost (the recording still
    // sits in memory then), or during the run itself (standing first: the
    // recording outgrows its buffer before the finish).
    for (int attente : {1, 200}) {
        SCOPED_TRACE(attente);
        instants.clear();
        const int base = systeme.frame();  // the seam's frame numbers go on from run to run
        systeme.appui(base + attente, SDLK_UP);
        int garde = -1;
        alArrivee([&](int f) {
            garde = f + 6;  // the run's frame in which "Enregistrer le fantome" is pressed
            garderFantome(base + f);
        });
        // Standard error goes to a pipe meanwhile: a pipe has no size limit.
        int tube[2];
        ASSERT_EQ(pipe2(tube, O_NONBLOCK), 0);
        const int avant = dup(2);
        dup2(tube[1], 2);
        {
            DisqueLimite plein(40);
            jeu.jouer();
        }
        dup2(avant, 2);
        close(avant);
        close(tube[1]);
        std::string err;
        char bloc[4096];
        for (ssize_t n; (n = read(tube[0], bloc, sizeof bloc)) > 0;) err.append(bloc, n);
        close(tube[0]);
        ASSERT_GT(garde, 0);

        EXPECT_NE(err.find("ghost recording cannot be written"), std::string::npos) << err;
        EXPECT_EQ(instants[garde].message, "Fantome non enregistre : ecriture impossible");
        // The first run is the level's record: its best ghost does not fit either.
        EXPECT_EQ(instants[garde].messageRecord, attente == 1 ? "Fantome du record non enregistre" : "");
        EXPECT_EQ(prendreAnnonce(), "Fantome non enregistre : ecriture impossible");
        EXPECT_EQ(listerDossier("./ghost", ""), (std::vector<std::string>{".", "..", "map1ghost0.qzg"}));
        EXPECT_EQ(lireFichier("ghost/map1ghost0.qzg"), ancien);
        EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2") << "one byte still fits";
    }
}

TEST_F(Partie, TheScoreIsSentThroughTheBrowserOnlyInAScenarioRun) {
    const std::string sortie = dossier.chemin() + "/urls.txt";
    ecrireFichier("navigateur", "#!/bin/sh\necho \"$1\" >> '" + sortie + "'\n");
    chmod("navigateur", 0755);
    setCommandeNavigateur(dossier.chemin() + "/navigateur");

    scenario(3, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    int points = 0;
    alArrivee([&](int f) {
        f = taper(f, SDLK_DOWN, 2);           // "Envoyer son score en ligne"
        systeme.tape(f, SDLK_RETURN);
        systeme.tape(f + 3, SDLK_RETURN);     // twice
        systeme.quitter(f + 8);
    });
    surFrame = [&, suivant = surFrame](const InstantPartie& i) {
        if (i.win && !points) points = i.score;
        suivant(i);
    };
    testing::internal::CaptureStdout();
    jeu.jouer();
    std::string out = testing::internal::GetCapturedStdout();
    setCommandeNavigateur("");

    const std::string url = "http://www.vorna-game.org/writescorevorna.php?act=2&score=" +
                            std::to_string(points) + "&map=3&v=14&a=" + std::to_string(3 * points);
    EXPECT_EQ(out, "url:" + url + "\nurl:" + url + "\n");
    for (int i = 0; i < 100 && lignes(lireFichier(sortie)).size() < 2; ++i) usleep(20000);
    EXPECT_EQ(lignes(lireFichier(sortie)), (std::vector<std::string>{url, url}));
}

TEST_F(Partie, TheSceneIsDrawnForReal) {
    scenario(1, kCourseDroite);
    std::vector<Pixel> ecran;
    systeme.surImage([&](int f) {
        if (f == 5) ecran = lireEcran();
    });
    systeme.quitter(6);
    jeu.jouer();
    ASSERT_EQ(ecran.size(), 640u * 480u);
    // The ball sits at the centre of the view, the floor below it.
    EXPECT_NE(ecran[240 * 640 + 320], ecran[5 * 640 + 5]);
    int differents = 0;
    for (int y = 0; y < 480; y += 8)
        if (!(ecran[y * 640 + 320] == ecran[320])) ++differents;
    EXPECT_GT(differents, 10);
}

}  // namespace
