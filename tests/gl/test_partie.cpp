// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs of Jeu::jouer(), driven through the seam with scripted keys and a
// virtual clock, drawing for real into the test window.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "annonce.h"
#include "fichiers.h"
#include "partie_scriptee.h"
#include "repertoire.h"
#include "touches.h"

namespace {

struct Partie : PartieScriptee {};

TEST_F(Partie, RollingToTheFinishStopsTheCountersThenTheMenuKeepsTheGhostAndUnlocksTheNextLevel) {
    scenario(1, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    int menuPrincipal = -1;
    alArrivee([&](int f) { garderFantome(f), menuPrincipal = f + 10; });
    jeu.jouer();

    const int arrivee = premiereFrame([](const InstantPartie& i) { return i.win; });
    ASSERT_GT(arrivee, 20) << "the ball never reached the finish";
    const InstantPartie& touche = instants[arrivee];
    EXPECT_TRUE(touche.ecrireEnvoyer && touche.x < -20.8) << "the end-of-level menu shows from the touch on";
    for (int f = arrivee; f < arrivee + 8; ++f)  // points and chronometer stop at the touch
        EXPECT_TRUE(instants[f].points == touche.points && instants[f].chrono == touche.chrono &&
                    instants[f].score == touche.score) << f;
    EXPECT_EQ(touche.points, 1400 - arrivee) << "one point a frame from the end of the start phase";
    EXPECT_EQ(touche.texteFin, std::to_string(touche.points) + "[0:" + std::to_string(touche.chrono / 1000) + ":" +
                                   std::to_string(touche.chrono % 1000 / 100) + "]");
    EXPECT_EQ(touche.nomAffiche, "1.Camp d'entrainement");
    // The closing fade: 178 down by 5 a frame to 3, then the run ends.
    EXPECT_EQ(instants.back().continuer, 0);
    EXPECT_EQ(instants[instants.size() - 2].mortR, 3);
    EXPECT_EQ(instants[menuPrincipal + 10].mortR, 178 - 5 * 11);
    EXPECT_EQ(static_cast<int>(instants.size()) - menuPrincipal, 36);
    // The ghost: the level, then one position per step before the touch, then
    // the inputs of every step, from which the run plays again to the same bytes.
    EXPECT_FALSE(existe(travail()));
    const std::string garde = lireFichier("ghost/map1ghost0.qzg");
    EXPECT_EQ(positions(garde), fantomeDeLaPartie("maps/niveau/map1.qzm"));
    EXPECT_EQ(rejoue(garde), garde);
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2");
    EXPECT_TRUE(jeu.getNiveauMax() == 2 && !jeu.getSuivant() && jeu.getNbreGame() == 1);
    EXPECT_EQ(mixeur.vivants(), 0) << "the run must release its sounds and music";
}

TEST_F(Partie, ALevelBelowTheHighestUnlocksNothingAFreeMapsGhostTakesTheNextFreeNumber) {
    jeu.setNiveauMax(3);
    ecrireFichier("data/joueur/niveau.txt", "3");
    scenario(2, kCourseDroite);
    systeme.appui(1, SDLK_UP);
    alArrivee([&](int f) { systeme.appui(f, SDLK_RETURN); });  // "Niveau suivant"
    jeu.jouer();
    EXPECT_TRUE(jeu.getSuivant());
    EXPECT_TRUE(lireFichier("data/joueur/niveau.txt") == "3" && jeu.getNiveauMax() == 3);
    EXPECT_FALSE(existe(travail()) || existe("ghost/map2ghost0.qzg")) << "a ghost not kept is deleted";

    suivante();
    perso("piste", kCourseDroite);
    jeu.setNombreGhost(3);
    const std::string ancien = "@maps/piste.txt\n@1.000000,2.000000,3.000000\n";
    ecrireFichier("ghost/pisteghost4.qzg", ancien);
    systeme.appui(debut + 1, SDLK_UP);
    alArrivee([&](int f) {
        f = taper(f, SDLK_UP, 2);  // wraps to "Enregistrer le fantome"
        systeme.tape(f, SDLK_RETURN);
        systeme.appui(taper(f + 2, SDLK_DOWN, 1), SDLK_RETURN);
    });
    jeu.jouer();
    EXPECT_EQ(lireFichier("ghost/pisteghost4.qzg"), ancien);
    EXPECT_EQ(lignes(lireFichier("ghost/pisteghost5.qzg"))[0], "@maps/piste.txt");
    EXPECT_EQ(instants[5].nomAffiche, "piste");
}

TEST_F(Partie, TheNextLevelOpensAtTheFinishOfTheHighestScenarioLevelOnlyAndProgressNeverGoesDown) {
    const auto menuPrincipal = [this](int f) { systeme.tape(taper(f, SDLK_UP, 1), SDLK_RETURN); };
    const struct {
        const char* cas;
        const char* avant;  // niveau.txt before ("": a link to itself, which cannot be read)
        std::function<void(int)> sortie;  // the way out from the end-of-level menu, shown at that frame
        const char* apres;
        unsigned int niveauMax;
        const char* message;
    } cas[] = {
        {"main menu", "1", menuPrincipal, "2", 2, ""},
        {"unlocked meanwhile", "5", menuPrincipal, "5", 5, ""},  // by another program: never written lower
        {"window closed", "1", [this](int f) { systeme.quitter(f + 2); }, "2", 2, ""},
        {"restart, then quit", "1", [this](int f) {  // "Recommencer", then Pause and "Quitter"
             systeme.relache(f, SDLK_UP), systeme.tape(f + 1, SDLK_DOWN), systeme.tape(f + 3, SDLK_RETURN);
             systeme.relache(f + 6, SDLK_ESCAPE), systeme.tape(taper(f + 8, SDLK_DOWN, 2), SDLK_RETURN); }, "2", 2, ""},
        {"free map", "1", menuPrincipal, "1", 1, ""},  // level 1 started before, then left
        // Another program holds the lock: the run goes on, the file is written once it is free.
        {"locked", "1", menuPrincipal, "1", 2, "Progression en attente : fichier verrouille"},
        {"unreadable", "", menuPrincipal, "", 2, "Progression illisible : laissee intacte"},  // for good
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        suivante();
        std::remove("data/joueur/niveau.txt");
        *c.avant ? ecrireFichier("data/joueur/niveau.txt", c.avant) : std::filesystem::create_symlink("niveau.txt", "data/joueur/niveau.txt");
        jeu.setNiveauMax(1);
        std::optional<Verrou> autre;
        if (std::string(c.cas) == "locked") autre.emplace("data/joueur/niveau.txt");
        scenario(1, kCourseDroite);
        if (std::string(c.cas) == "free map") perso("piste", kCourseDroite);
        systeme.appui(debut + 1, SDLK_UP);
        alArrivee(c.sortie);
        sortieErreur([&] { jeu.jouer(); });
        const int arrivee = premiereFrame([](const InstantPartie& i) { return i.win; });
        ASSERT_GT(arrivee, 0);
        EXPECT_EQ(instants[arrivee].messageProgression, c.message);
        EXPECT_EQ(*c.apres ? lireFichier("data/joueur/niveau.txt") : std::filesystem::read_symlink("data/joueur/niveau.txt").string(),
                  *c.apres ? c.apres : "niveau.txt");
        EXPECT_EQ(jeu.getNiveauMax(), c.niveauMax);
        if (!autre) continue;
        autre.reset();
        EXPECT_TRUE(attendreMisesAJour(20000));
        EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2");
    }
}

TEST_F(Partie, FallingOffCostsALifeAfter1500MsTheLastLifeEndsInGameOverAndACheckpointMovesTheSavePoint) {
    // The ball hangs in the void: it falls as soon as the run starts. The only
    // block lies far away, so the fall threshold is z = -0.5.
    scenario(2, "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,40,0,0,0,4,4,1,0,0,0,textureSol\n");
    jeu.setFantome(false);
    int perdu = -1;
    surFrame = [&](const InstantPartie& i) {
        if (perdu >= 0 || !i.loose) return;
        perdu = i.frame;
        systeme.relache(perdu + 1, SDLK_ESCAPE);  // no way out of game over
        systeme.relache(perdu + 2, SDLK_KP_0);     // but Return
        systeme.tape(perdu + 3, SDLK_RETURN);
        systeme.quitter(perdu + 10);
    };
    jeu.jouer();
    const int chute = premiereFrame([](const InstantPartie& i) { return i.tombe; });
    ASSERT_GT(chute, 0);
    EXPECT_LT(instants[chute].z, -0.5);
    EXPECT_EQ(instants[chute - 1].texteVies, "3 vies");
    EXPECT_EQ(instants[chute + 2].mortR, instants[chute + 1].mortR - 5) << "the scene darkens while falling";
    // Put back 1500 ms (50 frames of 32 ms) later, with one life less.
    const int retour = premiereFrame([&](const InstantPartie& i) { return i.frame > chute && !i.tombe; });
    EXPECT_NEAR((retour - chute) * 32, 1500, 64);
    EXPECT_TRUE(instants[retour].vie == 2 && instants[retour].texteVies == "2 vies");

    ASSERT_GT(perdu, 0) << "three falls must end in game over";
    EXPECT_TRUE(instants[perdu].vie == 0 && instants[perdu].texteVies == "0 vie" && instants[perdu].pause);
    for (int f = perdu + 1; f <= perdu + 2; ++f)
        EXPECT_TRUE(instants[f].pause && instants[f].loose && !instants[f].menu && instants[f].z == instants[perdu].z);
    const InstantPartie& apres = instants[perdu + 6];
    EXPECT_TRUE(!apres.loose && apres.vie == 5 && apres.texteVies == "5 vies");

    // Block 0 is out of the way; the ball lands on the checkpoint (block 1),
    // then rolls off toward +x and comes back above the checkpoint, said for 2 s.
    suivante();
    surFrame = nullptr;
    scenario(3, "@0,0,0,3,3,1,1,1,0,0,0,textureSphere\n@1,40,0,0,0,2,2,1,0,0,0,textureSol\n"
                "@7,0,0,0,0,3,3,1,0,0,0,textureSauvegarde\n");
    systeme.appui(debut + 20, SDLK_DOWN);
    systeme.quitter(debut + 200);
    jeu.jouer();
    const int pris = premiereFrame([](const InstantPartie& i) { return i.checkpoint; });
    const int glisse = premiereFrame([](const InstantPartie& i) { return i.tombe; });
    const int remis = premiereFrame([&](const InstantPartie& i) { return i.frame > glisse && !i.tombe; });
    ASSERT_TRUE(0 < pris && pris < glisse && glisse < remis) << pris << " " << glisse << " " << remis;
    // Put back above the checkpoint; the held key and gravity have acted once since.
    EXPECT_NEAR(instants[remis].x, 0, 0.021);
    EXPECT_NEAR(instants[remis].z, 3.1, 0.011);
    const int fin = premiereFrame([&](const InstantPartie& i) { return i.frame > pris && !i.checkpoint; });
    EXPECT_NEAR((fin - pris) * 32, 2000, 64);
}

TEST_F(Partie, ThePauseMenuFreezesTheRunWrapsAndQuitRemovesTheWorkingGhost) {
    scenario(1, kCourseDroite);
    systeme.relache(10, SDLK_ESCAPE);  // pause
    for (const auto& [f, k] : {std::pair{14, SDLK_UP}, {18, SDLK_DOWN}, {22, SDLK_DOWN}, {26, SDLK_DOWN}}) systeme.tape(f, k);
    systeme.tape(40, SDLK_RETURN);  // "Quitter", acting on the release
    jeu.jouer();
    EXPECT_TRUE(instants[11].pause && instants[11].menu);
    EXPECT_EQ(systeme.repetitionDelai(), 10) << "play settings restored on leaving";
    EXPECT_TRUE(instants[11].points == instants[38].points && instants[11].chrono == instants[38].chrono);
    // Up wraps from 0 to 2, Down from 2 to 0.
    for (const auto& [f, choix] : {std::pair{15, 2}, {19, 0}, {23, 1}, {27, 2}}) EXPECT_EQ(instants[f].choixMenu, choix);
    EXPECT_EQ(instants[40].continuer, 2) << "the press does nothing in the pause menu";
    EXPECT_EQ(static_cast<int>(instants.size()), 42);
    // Drawn while the run moves, at the pause and at each move of the choice;
    // else the frames are waited through.
    EXPECT_EQ(systeme.swaps(), 12 + 4);
    EXPECT_FALSE(existe(travail()));
    EXPECT_GE(mixeur.compte("jouer"), 5) << "cursor moves and the confirm";
    // Asked in the very first frame, while the start phase holds the ball, the
    // pause pauses all the same, and "Retour au jeu" resumes.
    suivante();
    systeme.relache(debut, SDLK_ESCAPE);
    systeme.tape(debut + 8, SDLK_RETURN);
    systeme.quitter(debut + 20);
    jeu.jouer();
    EXPECT_TRUE(instants[6].pause && instants[6].menu && instants[6].points == instants[1].points &&
                instants[6].chrono == instants[1].chrono);
    EXPECT_TRUE(!instants[12].pause && instants[15].points < instants[12].points);
}

TEST_F(Partie, AMissingEmptyOrHostileLevelReturnsAtOnceWithoutAFrameAndSaysWhy) {
    jeu.setScenario(true);
    jeu.setMapScenario(9);
    jeu.jouer();
    EXPECT_EQ(prendreAnnonce(), "Niveau illisible : map9.qzm");
    ecrireFichier("maps/niveau/map9.qzm", "");
    jeu.jouer();
    for (const char* contenu : {"no record here", "@0,nan,0,0,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,9,9,1,0,0,0,textureSol\n"}) {
        perso("vide", contenu);  // a damaged ball's record: no ball, the floor never taken for it
        jeu.jouer();
        EXPECT_EQ(prendreAnnonce(), "Niveau illisible : vide.txt") << contenu;
    }
    for (const std::string& chemin : creerFichiersHostiles("maps", ".txt")) {
        const std::string nom = chemin.substr(5, chemin.size() - 9);
        jeu.setMap(nom);
        jeu.jouer();
        EXPECT_EQ(prendreAnnonce(), "Niveau illisible : " + nom + ".txt");
    }
    EXPECT_EQ(systeme.frame() + mixeur.vivants() + mixeur.compte("musique"), 0) << "no frame, nothing loaded";
}

TEST_F(Partie, TheRecordingGoesToAHiddenFileNoListShowsOrElseTheRunIsPlayedWithoutRecording) {
    // A player's ghost bearing the name of the old working file, the working
    // file of a killed run, and that of a program still running.
    const std::string joueur = "@maps/niveau/map1.qzm\n@1.000000,2.000000,3.000000\n";
    ecrireFichier("ghost/ghost.qzg", joueur);
    const pid_t mort = fork();
    if (mort == 0) _exit(0);
    waitpid(mort, nullptr, 0);
    const std::string perime = "ghost/.enregistrement-" + std::to_string(mort);
    const std::string vivant = "ghost/.enregistrement-" + std::to_string(getppid());
    for (const std::string& f : {perime, vivant}) ecrireFichier(f, "@maps/x.txt\n");
    scenario(1, kCourseDroite);
    std::vector<std::string> liste;
    bool enregistre = false;
    surFrame = [&](const InstantPartie& i) {
        if (i.frame == 5) liste = listerDossier("./ghost", ".qzg"), enregistre = existe(travail());
    };
    systeme.arret(10);  // SIGTERM ends the run as a normal exit does
    jeu.jouer();
    EXPECT_EQ(static_cast<int>(instants.size()), 11);
    EXPECT_TRUE(enregistre);
    EXPECT_EQ(liste, std::vector<std::string>{"ghost.qzg"});
    EXPECT_EQ(lireFichier("ghost/ghost.qzg"), joueur);
    EXPECT_TRUE(!existe(perime) && existe(vivant) && !existe(travail()));

    suivante();
    systeme.arret(-1);
    std::filesystem::remove_all("ghost");
    systeme.appui(debut + 1, SDLK_UP);
    alArrivee([&](int f) { garderFantome(f); });
    const std::string err = sortieErreur([&] { jeu.jouer(); });
    EXPECT_EQ(instants.back().continuer, 0);
    EXPECT_FALSE(existe("ghost"));
    EXPECT_NE(err.find("ghost"), std::string::npos);
}

// Runs `f` with files growing no further than `octets`, as on a full disk
// (root included): a write beyond fails instead of killing. Returns what `f`
// wrote on standard error, sent to a pipe meanwhile: a pipe has no size limit.
std::string disquePlein(rlim_t octets, const std::function<void()>& f) {
    int tube[2];
    if (pipe2(tube, O_NONBLOCK) != 0) return "no pipe";
    const int erreur = dup(2);
    dup2(tube[1], 2);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit avant;
    getrlimit(RLIMIT_FSIZE, &avant);
    const rlimit plein = {octets, avant.rlim_max};
    setrlimit(RLIMIT_FSIZE, &plein);
    f();
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, SIG_DFL);
    dup2(erreur, 2);
    close(erreur);
    close(tube[1]);
    std::string err;
    char bloc[4096];
    for (ssize_t n; (n = read(tube[0], bloc, sizeof bloc)) > 0;) err.append(bloc, n);
    close(tube[0]);
    return err;
}

TEST_F(Partie, OnAFullDiskNoGhostIsKeptTheScreenSaysSoAndEveryFileStaysWhole) {
    const std::string ancien = "@maps/niveau/map1.qzm\n@0.000000,0.000000,2.000000\n";
    ecrireFichier("ghost/map1ghost0.qzg", ancien);
    ecrireFichier("data/joueur/niveau.txt", "1");
    scenario(1, kCourseDroite);
    // The disk fills when the player keeps the ghost (the recording still
    // sits in memory then), or during the run itself (standing first: the
    // recording outgrows its buffer before the finish).
    // Last, no byte fits: the level opens for the session, and the screen says it is not kept.
    for (const auto& [attente, octets] : {std::pair<int, rlim_t>{1, 40}, {200, 40}, {1, 0}}) {
        SCOPED_TRACE(attente);
        suivante();
        if (octets == 0) jeu.setNiveauMax(1), ecrireFichier("data/joueur/niveau.txt", "1");
        systeme.appui(debut + attente, SDLK_UP);
        int garde = -1;
        alArrivee([&](int f) { garderFantome(f), garde = f - debut + 6; });  // the frame of the keeping
        const std::string err = disquePlein(octets, [&] { jeu.jouer(); });
        ASSERT_GT(garde, 0);
        EXPECT_NE(err.find("ghost recording cannot be written"), std::string::npos) << err;
        // The first run is the level's record: its best ghost does not fit either.
        EXPECT_EQ(instants[garde].message + "|" + instants[garde].messageRecord + "|" + instants[garde].messageProgression,
                  std::string("Fantome non enregistre : ecriture impossible|") +
                      (octets == 0 ? "|Progression non enregistree" : attente == 1 ? "Fantome du record non enregistre|" : "|"));
        EXPECT_EQ(prendreAnnonce(), "Fantome non enregistre : ecriture impossible");
        EXPECT_EQ(listerDossier("./ghost", ""), (std::vector<std::string>{".", "..", "map1ghost0.qzg"}));
        EXPECT_EQ(lireFichier("ghost/map1ghost0.qzg"), ancien);
        EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), octets ? "2" : "1") << "one byte still fits";
        EXPECT_EQ(jeu.getNiveauMax(), 2u);
    }
}

// The run takes the keys the player gave: W forward; an arrow no action took
// still does what it did; given to another action, the arrow does that one.
TEST_F(Partie, ARunFollowsTheKeysThePlayerGave) {
    scenario(1, kCourseDroite);
    const struct { int haut, bas; SDL_Keycode k; bool arrivee; } cas[] = {
        {SDL_SCANCODE_W, SDL_SCANCODE_DOWN, SDLK_w, true},
        {SDL_SCANCODE_W, SDL_SCANCODE_DOWN, SDLK_UP, true},
        {SDL_SCANCODE_DOWN, SDL_SCANCODE_UP, SDLK_UP, false},
        {SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDLK_w, false},
    };
    for (const auto& c : cas) {
        Reglages r;
        r.toucheHaut = c.haut, r.toucheBas = c.bas;
        fixerTouches(r);
        suivante();
        systeme.appui(debut + 1, c.k);
        systeme.quitter(debut + 150);
        jeu.jouer();
        EXPECT_EQ(premiereFrame([](const InstantPartie& i) { return i.win; }) > 0, c.arrivee) << c.haut << " " << c.k;
        EXPECT_TRUE(c.arrivee || instants.back().x >= instants[1].x) << "never forward";
    }
    fixerTouches(Reglages());
}

}  // namespace
