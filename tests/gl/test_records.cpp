// SPDX-License-Identifier: GPL-3.0-or-later
// Records and the race against the best ghost, through whole runs: what a finish
// keeps and replaces, where the racing ball is frame by frame, what it looks like.
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "partie_scriptee.h"
#include "repertoire.h"

namespace {

struct RecordsPartie : PartieScriptee {
    // Plays the level set, holding `touche` from `depart` frames after the run
    // starts, with the keys `autres` scripts; leaves 2 frames after the finish, or at `fin`.
    void jouer(int depart, SDL_Keycode touche = SDLK_UP, int fin = 400, std::function<void()> autres = nullptr) {
        suivante();
        if (autres) autres();
        systeme.appui(debut + depart, touche);
        systeme.relache(debut + fin - 1, touche);
        systeme.quitter(debut + fin);
        alArrivee([this](int f) { systeme.quitter(f + 2); });
        jeu.jouer();
    }
    const InstantPartie& arrivee() const { return instants[premiereFrame([](const InstantPartie& i) { return i.win; })]; }
    std::string ligneRecord() const { return std::to_string(arrivee().points) + " " + std::to_string(arrivee().chrono); }
};

// What changed between two surveys of a folder.
std::set<std::string> changes(const std::map<std::string, std::string>& avant,
                              const std::map<std::string, std::string>& apres) {
    std::set<std::string> r;
    for (const auto* m : {&avant, &apres})
        for (const auto& e : *m)
            if (!avant.count(e.first) || !apres.count(e.first) || avant.at(e.first) != apres.at(e.first)) r.insert(e.first);
    return r;
}

TEST_F(RecordsPartie, AFinishKeepsTheBestRecordAndOnlyItsGhostIsEverReplaced) {
    scenario(1, kCourseDroite);
    ecrireFichier("ghost/map1ghost0.qzg", "@maps/niveau/map1.qzm\n@0,0,2\n");
    ecrireFichier("ghost/map2-record.qzg", "@maps/niveau/map2.qzm\n@0,0,2\n");
    ecrireFichier("ghost/perso-map1-record.qzg", "@maps/map1.txt\n@0,0,2\n");
    // Level 1's line is damaged: it reads as no record.
    ecrireFichier("data/joueur/records.txt", "niveau 1 99999 x\nniveau 2 500 100\n??\nmap 7 8 map1\n");
    jeu.setNiveauMax(2);  // level 1 unlocks nothing
    const std::set<std::string> rien, record = {"records.txt"}, verrou = {"records.txt", ".records.txt.verrou"},
                                meilleur = {"map1-record.qzg"};
    const struct {
        int depart;
        bool fantome;
        const char* message;
        std::set<std::string> ghost, joueur;  // what changes in ghost/ and data/joueur/
    } courses[] = {
        {40, true, "", meilleur, verrou},               // the first finish: the record, and its file's lock
        {60, true, "", rien, rien},                     // slower: nothing changes
        {20, false, "Nouveau record", rien, record},    // faster, ghost saving off: the record only
        {1, true, "Nouveau record", meilleur, record},  // faster: the record and its ghost
    };
    for (const auto& c : courses) {
        SCOPED_TRACE(c.depart);
        jeu.setFantome(c.fantome);
        const auto ghost = releve("ghost"), joueur = releve("data/joueur");
        const std::string err = sortieErreur([&] { jouer(c.depart); });
        EXPECT_EQ(arrivee().record, c.message);
        EXPECT_EQ(changes(ghost, releve("ghost")), c.ghost);
        EXPECT_EQ(changes(joueur, releve("data/joueur")), c.joueur);
        EXPECT_TRUE(c.ghost.empty() || positions(lireFichier("ghost/map1-record.qzg")) ==
                                           fantomeDeLaPartie("maps/niveau/map1.qzm"));
        // Written whole again, without the damaged lines.
        EXPECT_TRUE(c.joueur.empty() || lireFichier("data/joueur/records.txt") ==
                                            "niveau 1 " + ligneRecord() + "\nniveau 2 500 100\nmap 7 8 map1\n");
        EXPECT_EQ(err.find("damaged") != std::string::npos, c.depart == 40) << err;
    }
    // A free map's record and best ghost keep its whole name, and it is raced on the next run.
    perso("ma piste", kCourseDroite);
    jouer(1);
    EXPECT_NE(lireFichier("data/joueur/records.txt").find("\nmap " + ligneRecord() + " ma piste\n"), std::string::npos);
    const std::string meilleure = lireFichier("ghost/perso-ma piste-record.qzg");
    EXPECT_EQ(positions(meilleure), fantomeDeLaPartie("maps/ma piste.txt"));
    EXPECT_EQ(rejoue(meilleure, true), meilleure) << "played again from its inputs";
    jouer(1, SDLK_UP, 10);
    EXPECT_TRUE(instants[5].course);
}

TEST_F(RecordsPartie, TheRacingBallRunsTheRecordFrameForFramePausesRestartsAndFallsAside) {
    scenario(1, kCourseDroite);
    jouer(1);  // the record: Up held from the first frame of play
    const std::vector<InstantPartie> record = instants;
    const int n = premiereFrame([](const InstantPartie& i) { return i.win; });
    for (const InstantPartie& i : record) ASSERT_FALSE(i.course) << "no best ghost yet";

    // The same play, paused a while, then restarted from the pause menu (the
    // ball back at the start, the points whole): the racing ball rides on the
    // player's ball all along.
    jouer(1, SDLK_UP, 400, [this] {
        for (int f : {10, 18, 30}) systeme.relache(debut + f, SDLK_ESCAPE);
        systeme.tape(debut + 32, SDLK_DOWN);
        systeme.tape(debut + 34, SDLK_RETURN);  // "Recommencer le niveau", on the release
    });
    ASSERT_GT(instants.size(), 35u + n);
    EXPECT_TRUE(instants[12].pause && instants[34].x < -1);
    const InstantPartie& r = instants[35];
    EXPECT_TRUE(!r.pause && r.x == 0 && r.z == 2 && r.points == 1400 && r.debut) << "restarted";
    EXPECT_EQ(instants[36].points, 1399) << "the start phase ended with the restart's frame";
    for (const InstantPartie& i : instants)
        EXPECT_TRUE(i.win || (i.course && std::abs(i.xCourse - i.x) < 1e-4 && std::abs(i.zCourse - i.z) < 1e-4)) << i.frame;
    // Rolling off the side: the player falls, the race goes on, then rests where the record ended.
    jouer(1, SDLK_LEFT, n + 30);
    ASSERT_GT(premiereFrame([](const InstantPartie& i) { return i.tombe; }), 0);
    for (const InstantPartie& i : instants) {
        const InstantPartie& r = record[std::min(i.frame, n - 1)];
        EXPECT_TRUE(std::abs(i.xCourse - r.x) < 1e-4 && std::abs(i.yCourse - r.y) < 1e-4) << i.frame;
    }
}

TEST_F(RecordsPartie, TheRacingBallIsSeenThroughWhereTheBestGhostWasAndGHidesIt) {
    scenario(1, kCourseDroite);
    // The best ghost rolls beside the resting ball, away from the camera.
    std::string g = "@maps/niveau/map1.qzm\n";
    char l[80];
    for (int i = 0; i < 100; ++i) g += (std::snprintf(l, sizeof l, "@%f,2.500000,2.000000\n", -0.15 * i), l);
    ecrireFichier("ghost/map1-record.qzg", g);
    std::map<int, std::vector<Pixel>> vu, cache;
    // G hides it at 30, shows it at 40, hides it at 48; the next run starts hidden.
    for (auto* ecrans : {&vu, &cache}) {
        suivante();
        if (ecrans == &vu)
            for (int f : {30, 40, 48}) systeme.tape(debut + f, SDLK_g);
        systeme.quitter(debut + 50);
        surFrame = [ecrans](const InstantPartie& i) {
            if (i.frame % 10 == 5) (*ecrans)[i.frame] = lireEcran();
        };
        jeu.jouer();
    }
    for (const InstantPartie& i : instants) ASSERT_FALSE(i.course) << "G switched it three times";
    ASSERT_EQ(vu.size(), 5u);
    EXPECT_EQ(vu[35], cache[35]) << "hidden, it leaves the picture as it was";
    // Where it shows: the ghost's position at frame f projected through the
    // run's camera, at (10, 0, 14) looking at the ball resting at (0, 0, 2).
    for (const auto& [f, cx, cy] : {std::tuple{5, 373.2, 226.7}, {15, 370.2, 204.3}, {25, 367.6, 184.2}, {45, 363.0, 149.9}}) {
        SCOPED_TRACE(f);
        double sx = 0, sy = 0, loin = 0;
        int n = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                if (vu[f][y * 640 + x] == cache[f][y * 640 + x]) continue;
                sx += x, sy += y, ++n;
                loin = std::max(loin, std::hypot(x - cx, y - cy));
            }
        ASSERT_GT(n, 400);
        EXPECT_TRUE(std::abs(sx / n - cx) < 2 && std::abs(sy / n - cy) < 2);
        EXPECT_LT(loin, 35) << "nothing else in the picture changes";
        const Pixel a = vu[f][int(cy) * 640 + int(cx)], b = cache[f][int(cy) * 640 + int(cx)];
        EXPECT_GT(a.b - a.r, b.b - b.r) << "tinted toward blue";
    }
}

}  // namespace
