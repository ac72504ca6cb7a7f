// The main menu as the player meets it: the whole program from start-up,
// driven through the seam with scripted keys, after the logo.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "application.h"
#include "dossier.h"
#include "fenetre_test.h"
#include "jeu.h"
#include "menu.h"
#include "mixeur_enregistreur.h"
#include "repertoire.h"
#include "systeme_script.h"

namespace {

const int M = 177;  // the first menu frame, once the logo is over

const char* const kCourse =
    "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n"
    "@1,0,0,0,0,4,4,1,0,0,0,textureSol\n"
    "@1,-12,0,0,0,8,4,1,0,0,0,textureSol\n"
    "@4,-24,0,0,0,4,4,1,0,0,0,textureArrivee\n";

const int kDepart = M + 6 + 51;  // the first frame of level 1 chosen at M + 6

// "Jouer", "Scenario": the scenario list shows from frame M + 5.
int versScenarios(SystemeScript& s) {
    s.relache(M + 2, SDLK_RETURN);
    s.relache(M + 4, SDLK_RETURN);
    return M + 5;
}

// "Jouer", "Scenario", level 1 (the first frame of the run is kDepart).
int versNiveauUn(SystemeScript& s) {
    s.relache(versScenarios(s) + 1, SDLK_RETURN);
    return kDepart;
}

// "Jouer", "Fantome": the ghost list shows from frame M + 9.
int versFantomes(SystemeScript& s) {
    s.relache(M + 2, SDLK_RETURN);
    s.tape(M + 4, SDLK_DOWN);
    s.tape(M + 6, SDLK_DOWN);
    s.relache(M + 8, SDLK_RETURN);
    return M + 9;
}

struct Menu : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;
    std::vector<InstantMenu> menu;     // one per menu frame
    std::vector<int> frameSysteme;     // the seam's frame number of each
    std::function<void(const InstantMenu&)> surMenu;

    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        ecrireFichier("maps/menu/menu.txt",
                      "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n"
                      "@1,0,0,0,0,6,6,1,0,0,0,textureSol\n"
                      "@0,5,5,5,0,1,1,1,0,0,0,textureSphere\n"
                      "@5,0,0,-20,0,6,6,1,0,0,0,textureVide\n");
        for (int n = 1; n <= 3; ++n)
            ecrireFichier("maps/niveau/map" + std::to_string(n) + ".qzm", kCourse);
        ecrireFichier("maps/piste.txt", kCourse);
        ecrireFichier("maps/bac.txt.bak", kCourse);
        ecrireFichier("ghost/map1ghost0.qzg", "@maps/niveau/map1.qzm\n@0,0,2\n");
        ecrireFichier("ghost/pisteghost1.qzg", "@maps/piste.txt\n@0,0,2\n");
        ecrireFichier("data/joueur/niveau.txt", "2");
        systeme.travail(3);
        systeme.limite(4000);
        systeme.surImage([this](int f) {
            if (!instantMenu().swap) return;  // a run's or a replay's frame
            menu.push_back(instantMenu());
            frameSysteme.push_back(f);
            if (surMenu) surMenu(menu.back());
        });
    }

    int lancer() { return SDL_main(0, nullptr); }

    // The texts of a menu frame with their colours.
    static const TexteMenu* texte(const InstantMenu& i, const std::string& t) {
        for (const TexteMenu& x : i.textes)
            if (x.texte == t) return &x;
        return nullptr;
    }
    static bool couleur(const TexteMenu* t, int r, int g, int b) {
        return t && t->r == r && t->g == g && t->b == b;
    }
    // The menu frame whose seam frame is f (menu frames only).
    const InstantMenu& a(int f) const {
        for (size_t i = 0; i < frameSysteme.size(); ++i)
            if (frameSysteme[i] == f) return menu[i];
        ADD_FAILURE() << "no menu frame at " << f;
        return menu.back();
    }
};

TEST_F(Menu, TheTopScreenHighlightsWrapsAndMultijoueurIsInert) {
    systeme.tape(M + 2, SDLK_DOWN);    // "Multijoueur"
    systeme.relache(M + 6, SDLK_RETURN);
    systeme.tape(M + 8, SDLK_UP);
    systeme.tape(M + 10, SDLK_UP);     // wraps to "Quitter"
    systeme.relache(M + 14, SDLK_RETURN);
    EXPECT_EQ(lancer(), 0);

    EXPECT_TRUE(menu.front().logo);
    const InstantMenu& haut = a(M);
    EXPECT_FALSE(haut.logo);
    EXPECT_EQ(haut.choix1, 1);
    EXPECT_EQ(haut.choixMax, 4u);
    EXPECT_TRUE(couleur(texte(haut, "Jouer"), 221, 137, 107));
    EXPECT_TRUE(couleur(texte(haut, "Multijoueur"), 125, 125, 125));
    EXPECT_TRUE(couleur(texte(haut, "Options"), 255, 255, 255));
    EXPECT_TRUE(couleur(texte(haut, "Vorna v1.4"), 255, 255, 255));
    ASSERT_NE(texte(haut, "by Mervo"), nullptr);
    EXPECT_EQ(texte(haut, "by Mervo")->pos, 2);
    ASSERT_NE(texte(haut, "www.vorna-game.org"), nullptr);
    EXPECT_EQ(texte(haut, "Quitter")->y, -0.2);

    EXPECT_EQ(a(M + 3).choix, 1u);
    EXPECT_TRUE(couleur(texte(a(M + 3), "Multijoueur"), 168, 125, 104));
    EXPECT_EQ(a(M + 7).choix, 1u);
    EXPECT_EQ(a(M + 7).choix1, 1);  // Return on "Multijoueur" changes nothing
    EXPECT_EQ(a(M + 11).choix, 3u);
    EXPECT_EQ(menu.back().continuer, 0);  // "Quitter"
    EXPECT_EQ(frameSysteme.back(), M + 14);
    // The cursor sound on each press and each release, the confirm on Return.
    int curseurs = 0, boutons = 0;
    for (const auto& c : mixeur.appels("jouer")) {
        curseurs += c.fichier == "data/sound/cursor.wav";
        boutons += c.fichier == "data/sound/bouton.wav";
    }
    EXPECT_EQ(curseurs, 6);
    EXPECT_EQ(boutons, 2);
}

TEST_F(Menu, EscapeGoesBackOneScreenAtATimeAndQuitsFromTheTop) {
    systeme.relache(M + 2, SDLK_RETURN);   // "Jouer"
    systeme.relache(M + 4, SDLK_RETURN);   // "Scenario"
    systeme.relache(M + 6, SDLK_ESCAPE);   // back to Play
    systeme.relache(M + 8, SDLK_ESCAPE);   // back to Top
    systeme.relache(M + 10, SDLK_ESCAPE);  // quit
    EXPECT_EQ(lancer(), 0);
    EXPECT_EQ(a(M + 3).choix2, 1);
    ASSERT_NE(texte(a(M + 3), "Map perso"), nullptr);
    EXPECT_EQ(a(M + 5).choix3, 0);
    EXPECT_EQ(a(M + 7).choix2, 1);
    EXPECT_EQ(a(M + 7).choix3, -1);
    EXPECT_EQ(a(M + 9).choix1, 1);
    EXPECT_EQ(frameSysteme.back(), M + 10);
}

TEST_F(Menu, LockedScenarioLevelsAreGreyAndOutOfReach) {
    systeme.relache(M + 2, SDLK_RETURN);
    systeme.relache(M + 4, SDLK_RETURN);
    systeme.tape(M + 6, SDLK_DOWN);
    systeme.tape(M + 8, SDLK_DOWN);      // wraps within the two unlocked levels
    systeme.tape(M + 10, SDLK_UP);       // wraps back to the second
    systeme.quitter(M + 14);
    EXPECT_EQ(lancer(), 0);

    const InstantMenu& l = a(M + 5);
    EXPECT_EQ(l.choixMax, 2u);
    const TexteMenu* premier = texte(l, "1.Camp d'entrainement");
    const TexteMenu* troisieme = texte(l, "3.Flux");
    ASSERT_NE(premier, nullptr);
    ASSERT_NE(texte(l, "2.Promenade"), nullptr);
    ASSERT_NE(troisieme, nullptr);
    EXPECT_DOUBLE_EQ(premier->y, 0.1);
    EXPECT_DOUBLE_EQ(troisieme->y, -0.1);
    EXPECT_TRUE(couleur(premier, 221, 137, 107));
    EXPECT_TRUE(couleur(troisieme, 125, 125, 125));
    EXPECT_EQ(a(M + 7).choix, 1u);
    EXPECT_EQ(a(M + 9).choix, 0u);
    EXPECT_EQ(a(M + 11).choix, 1u);
}

TEST_F(Menu, UnlockedScenarioLevelsShowTheirBestPoints) {
    // Level 1 has a record, level 2 none, level 3 one but it is locked.
    ecrireFichier("data/joueur/records.txt", "niveau 1 1234 56789\nniveau 3 -20 1\n");
    const int liste = versScenarios(systeme);
    systeme.quitter(liste + 3);
    EXPECT_EQ(lancer(), 0);
    const InstantMenu& l = a(liste);
    EXPECT_TRUE(couleur(texte(l, "1.Camp d'entrainement - 1234"), 221, 137, 107));
    EXPECT_TRUE(couleur(texte(l, "2.Promenade"), 255, 255, 255));
    EXPECT_TRUE(couleur(texte(l, "3.Flux"), 125, 125, 125));
}

TEST_F(Menu, TheScenarioListShowsTheFourteenShippedLevels) {
    std::filesystem::copy(std::string(VORNA_SOURCE_DIR) + "/maps/niveau", "maps/niveau",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    ecrireFichier("data/joueur/niveau.txt", "14");
    const int liste = versScenarios(systeme);
    systeme.quitter(liste + 3);
    EXPECT_EQ(lancer(), 0);
    const InstantMenu& l = a(liste);
    EXPECT_EQ(l.choixMax, 14u);
    const char* const titres[14] = {"1.Camp d'entrainement", "2.Promenade", "3.Flux", "4.Citadelle",
                                    "5.Alpha City", "6.Crossfire", "7.Speed's Bridge", "8.Dedale",
                                    "9.Theta City", "10.Pyramid", "11.Delta City", "12.Mountain",
                                    "13.Peak", "14.Cage"};
    for (int i = 0; i < 14; ++i) {
        const TexteMenu* t = texte(l, titres[i]);
        ASSERT_NE(t, nullptr) << titres[i];
        EXPECT_TRUE(couleur(t, 255, 255, 255) || couleur(t, 221, 137, 107)) << titres[i];
    }
}

TEST_F(Menu, TheOptionsEntryTogglesTheGhostOption) {
    systeme.tape(M + 2, SDLK_DOWN);
    systeme.tape(M + 4, SDLK_DOWN);
    systeme.relache(M + 6, SDLK_RETURN);   // "Options"
    systeme.relache(M + 8, SDLK_RETURN);   // toggle
    systeme.relache(M + 10, SDLK_RETURN);  // toggle back
    systeme.tape(M + 12, SDLK_DOWN);
    systeme.relache(M + 14, SDLK_RETURN);  // "Retour"
    systeme.quitter(M + 16);
    EXPECT_EQ(lancer(), 0);
    EXPECT_EQ(a(M + 7).choix2, 3);
    EXPECT_NE(texte(a(M + 7), "-Tjrs sauver fantome"), nullptr);
    EXPECT_NE(texte(a(M + 9), "-Jamais sauver fantome"), nullptr);
    EXPECT_NE(texte(a(M + 11), "-Tjrs sauver fantome"), nullptr);
    EXPECT_EQ(a(M + 15).choix1, 1);
    EXPECT_EQ(a(M + 15).choix, 0u);
}

TEST_F(Menu, ListsShowMapsAndGhostsAndAnEmptyListIgnoresReturn) {
    systeme.relache(M + 2, SDLK_RETURN);   // "Jouer"
    systeme.tape(M + 4, SDLK_DOWN);
    systeme.relache(M + 6, SDLK_RETURN);   // "Map perso"
    systeme.relache(M + 8, SDLK_ESCAPE);
    systeme.tape(M + 10, SDLK_DOWN);
    systeme.tape(M + 12, SDLK_DOWN);
    systeme.relache(M + 14, SDLK_RETURN);  // "Fantome"
    systeme.quitter(M + 16);
    EXPECT_EQ(lancer(), 0);
    const InstantMenu& maps = a(M + 7);
    EXPECT_EQ(maps.choix3, 1);
    EXPECT_EQ(maps.choixMax, 2u);
    EXPECT_NE(texte(maps, "piste"), nullptr);
    EXPECT_NE(texte(maps, "bac.txt"), nullptr);  // ".txt" anywhere in the name
    const InstantMenu& fantomes = a(M + 15);
    EXPECT_EQ(fantomes.choix3, 2);
    EXPECT_NE(texte(fantomes, "map1ghost0"), nullptr);
    EXPECT_NE(texte(fantomes, "pisteghost1"), nullptr);
}

TEST_F(Menu, AnEmptyListKeepsTheHighlightAndIgnoresReturn) {
    std::remove("ghost/map1ghost0.qzg");
    std::remove("ghost/pisteghost1.qzg");
    systeme.relache(M + 2, SDLK_RETURN);
    systeme.tape(M + 4, SDLK_DOWN);
    systeme.tape(M + 6, SDLK_DOWN);
    systeme.relache(M + 8, SDLK_RETURN);   // "Fantome": no ghost
    systeme.tape(M + 10, SDLK_DOWN);
    systeme.tape(M + 12, SDLK_UP);
    systeme.relache(M + 14, SDLK_RETURN);
    systeme.quitter(M + 18);
    EXPECT_EQ(lancer(), 0);
    EXPECT_EQ(a(M + 9).choixMax, 0u);
    EXPECT_EQ(a(M + 11).choix, 0u);
    EXPECT_EQ(a(M + 13).choix, 0u);
    EXPECT_FALSE(a(M + 15).fondu);
    EXPECT_EQ(a(M + 15).choix3, 2);
}

TEST_F(Menu, LaunchingFadesFor51FramesThenPlaysAndComesBackToARebuiltMenu) {
    // Top -> Play -> Scenario -> level 2.
    systeme.relache(M + 2, SDLK_RETURN);
    systeme.relache(M + 4, SDLK_RETURN);
    systeme.tape(M + 6, SDLK_DOWN);
    systeme.relache(M + 8, SDLK_RETURN);
    // During the fade: Down moves an invisible highlight, Return changes
    // nothing, Escape switches to the Play encoding; the launch still comes.
    systeme.tape(M + 12, SDLK_DOWN);
    systeme.relache(M + 20, SDLK_RETURN);
    systeme.relache(M + 30, SDLK_ESCAPE);
    int depart = -1, retour = -1;
    systeme.surImage([&](int f) {
        if (instantMenu().swap) {
            menu.push_back(instantMenu());
            frameSysteme.push_back(f);
            if (depart > 0 && retour < 0) {
                retour = f;
                systeme.quitter(f + 3);
            }
        } else if (depart < 0) {
            depart = f;
            systeme.quitter(f + 5);  // closing the window ends the run, not the program
        }
    });
    EXPECT_EQ(lancer(), 0);

    // 51 darkening frames, 250 … 0, and the launch on the 52nd.
    const InstantMenu& choisi = a(M + 8);
    EXPECT_TRUE(choisi.fondu);
    EXPECT_EQ(choisi.fonduR, 250);
    EXPECT_EQ(choisi.futureMap, "2.Promenade");
    EXPECT_EQ(choisi.choix3, 0);
    EXPECT_TRUE(choisi.textes.empty()) << "no text while the fade runs";
    EXPECT_EQ(a(M + 8 + 50).fonduR, 0);
    EXPECT_EQ(a(M + 13).choix, 1u);
    EXPECT_EQ(a(M + 21).futureMap, "2.Promenade");
    EXPECT_EQ(a(M + 31).choix2, 1);
    EXPECT_EQ(depart, M + 8 + 51);

    // Back from the run: the rebuilt menu, on the Top screen.
    ASSERT_GT(retour, depart);
    EXPECT_EQ(a(retour).choix1, 0) << "the launching frame ends as it began";
    const InstantMenu& apres = a(retour + 1);
    EXPECT_EQ(apres.choix1, 1);
    EXPECT_EQ(apres.choix, 0u);
    EXPECT_FALSE(apres.fondu);
    EXPECT_EQ(apres.fonduR, 255);

    // The music stops for the run and starts again after it.
    std::vector<std::string> musique;
    for (const auto& c : mixeur.appels())
        if (c.op == "musique" || c.op == "arret") musique.push_back(c.op + ":" + c.fichier);
    ASSERT_GE(musique.size(), 5u);
    EXPECT_EQ(musique[0], "musique:data/sound/menu.mp3");
    EXPECT_EQ(musique[1], "arret:");
    EXPECT_EQ(musique[2], "musique:data/sound/ig.mp3");
    EXPECT_EQ(musique[3], "arret:");
    EXPECT_EQ(musique[4], "musique:data/sound/menu.mp3");
}

TEST_F(Menu, AKeptGhostIsNumberedAfterTheListedOnesAndListedAtTheNextBuild) {
    systeme.relache(M + 2, SDLK_RETURN);
    systeme.relache(M + 4, SDLK_RETURN);
    systeme.relache(M + 6, SDLK_RETURN);  // level 1
    const int depart = M + 6 + 51;        // the run's first frame
    systeme.appui(depart + 2, SDLK_UP);
    // The course takes well under 150 frames; then the end-of-level menu.
    const int fin = depart + 150;
    systeme.relache(fin, SDLK_UP);
    systeme.tape(fin + 2, SDLK_DOWN);
    systeme.tape(fin + 4, SDLK_DOWN);
    systeme.tape(fin + 6, SDLK_DOWN);
    systeme.tape(fin + 8, SDLK_RETURN);    // "Enregistrer le fantome"
    systeme.tape(fin + 10, SDLK_DOWN);
    systeme.tape(fin + 12, SDLK_RETURN);   // "Menu principal"
    bool retour = false;
    systeme.surImage([&](int f) {
        if (!instantMenu().swap) return;
        menu.push_back(instantMenu());
        frameSysteme.push_back(f);
        if (!retour && f > fin) {
            retour = true;
            systeme.relache(f + 2, SDLK_RETURN);  // "Jouer"
            systeme.tape(f + 4, SDLK_DOWN);
            systeme.tape(f + 6, SDLK_DOWN);
            systeme.relache(f + 8, SDLK_RETURN);  // "Fantome"
            systeme.quitter(f + 12);
        }
    });
    EXPECT_EQ(lancer(), 0);

    // Two ghosts were listed (last index 1): the new one is number 2. The
    // first finish of level 1 is its record, kept as its best ghost too.
    EXPECT_TRUE(existe("ghost/map1ghost2.qzg"));
    const InstantMenu& liste = menu[menu.size() - 2];  // the last frame quits and draws no text
    EXPECT_EQ(liste.choix3, 2);
    EXPECT_EQ(liste.choixMax, 4u);
    EXPECT_NE(texte(liste, "map1ghost2"), nullptr);
    EXPECT_NE(texte(liste, "map1-record"), nullptr);
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2") << "level 1 is below the highest unlocked";
}

TEST_F(Menu, AGhostIsReplayedWithTheMenuMusicPlaying) {
    systeme.relache(M + 2, SDLK_RETURN);
    systeme.tape(M + 4, SDLK_DOWN);
    systeme.tape(M + 6, SDLK_DOWN);
    systeme.relache(M + 8, SDLK_RETURN);   // "Fantome"
    systeme.relache(M + 10, SDLK_RETURN);  // the first ghost
    int frames = 0;
    systeme.surImage([&](int f) {
        if (instantMenu().swap) {
            menu.push_back(instantMenu());
            frameSysteme.push_back(f);
            if (frames > 0 && menu.back().choix1 == 1) systeme.quitter(f + 1);
        } else {
            ++frames;
        }
    });
    EXPECT_EQ(lancer(), 0);
    EXPECT_EQ(a(M + 11).futureMap, "map1ghost0.qzg");
    EXPECT_EQ(frames, 2);  // one position, then the end of the file
    EXPECT_EQ(mixeur.compte("musique"), 1);  // started after the logo, never stopped for a replay
    EXPECT_EQ(mixeur.compte("arret"), 1);    // only at shutdown
}

TEST_F(Menu, WithoutAProgressFileLevelOneIsOpenAndWithoutALevelFolderTheMenuSaysSo) {
    std::remove("data/joueur/niveau.txt");
    versNiveauUn(systeme);
    systeme.quitter(M + 8);
    testing::internal::CaptureStderr();
    EXPECT_EQ(lancer(), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(a(M + 5).choixMax, 1u);
    EXPECT_TRUE(a(M + 7).fondu);
    EXPECT_EQ(a(M + 7).futureMap, "1.Camp d'entrainement");
    EXPECT_NE(err.find("scenario level 1 is open"), std::string::npos) << err;

    std::filesystem::remove_all("maps/niveau");
    systeme.quitter(systeme.frame() + M + 2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(lancer(), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no maps/niveau/ folder"), std::string::npos);
}

TEST_F(Menu, WhatStoppedAReplayIsShownOnTheRebuiltMenuForThreeSeconds) {
    ecrireFichier("ghost/orphelin.qzg", "@maps/niveau/map7.qzm\n@0,0,2\n");
    const int liste = versFantomes(systeme);
    systeme.tape(liste + 1, SDLK_DOWN);
    systeme.relache(liste + 3, SDLK_RETURN);  // "orphelin"
    const std::string ligne = "Niveau du fantome illisible : map7.qzm";
    Uint32 retour = 0, vu = 0;
    surMenu = [&](const InstantMenu& i) {
        if (texte(i, ligne)) {
            if (!retour) retour = systeme.maintenant();
            vu = systeme.maintenant();
        }
        if (retour && systeme.maintenant() > retour + 4000) systeme.quitter(systeme.frame() + 1);
    };
    EXPECT_EQ(lancer(), 0);
    ASSERT_GT(retour, 0u) << "the reason never showed";
    EXPECT_TRUE(couleur(texte(menu[menu.size() - 2], "Jouer"), 221, 137, 107)) << "the menu works meanwhile";
    EXPECT_NEAR(static_cast<double>(vu - retour), 3000, 60);
}

TEST_F(Menu, AMissingBackgroundLevelEndsTheProgramBeforeTheFirstFrame) {
    std::remove("maps/menu/menu.txt");
    testing::internal::CaptureStderr();
    int statut = lancer();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(statut, 0);
    EXPECT_EQ(systeme.frame(), 0);
    EXPECT_NE(err.find("maps/menu/menu.txt"), std::string::npos);
}

}  // namespace

namespace {

// SIGINT or SIGTERM on any screen ends the whole program within two frames,
// releasing everything as a normal exit does.
struct CasSignal {
    const char* ecran;
    int signal;
    // Scripts the way to the screen; returns the frame of the signal.
    std::function<int(SystemeScript&)> chemin;
};


const CasSignal kSignaux[] = {
    {"logo", SIGTERM, [](SystemeScript&) { return 50; }},
    {"menu", SIGINT, [](SystemeScript&) { return M + 3; }},
    {"run", SIGTERM, [](SystemeScript& s) { return versNiveauUn(s) + 5; }},
    {"pause", SIGINT,
     [](SystemeScript& s) {
         s.relache(versNiveauUn(s) + 3, SDLK_ESCAPE);
         return kDepart + 6;
     }},
    {"finish", SIGTERM,
     [](SystemeScript& s) {
         s.appui(versNiveauUn(s) + 2, SDLK_UP);  // the course takes well under 150 frames
         return kDepart + 160;
     }},
    {"replay", SIGINT,
     [](SystemeScript& s) {
         const int liste = versFantomes(s);
         s.relache(liste + 1, SDLK_RETURN);  // the first ghost, 100 positions long
         return liste + 1 + 51 + 20;
     }},
};

void PrintTo(const CasSignal& c, std::ostream* os) { *os << c.ecran; }

struct MenuSignal : Menu, ::testing::WithParamInterface<CasSignal> {};

TEST_P(MenuSignal, EndsTheProgramWithinTwoFrames) {
    std::string g = "@maps/niveau/map1.qzm\n";
    for (int i = 0; i < 100; ++i) g += "@0,0,2\n";
    ecrireFichier("ghost/map1ghost0.qzg", g);
    const CasSignal& c = GetParam();
    const int f = c.chemin(systeme);
    int dernier = -1;
    bool enCours = false;  // the recording of the run was under way
    systeme.surImage([&](int n) {
        dernier = n;
        if (n != f) return;
        enCours = existe("ghost/.enregistrement-" + std::to_string(getpid()));
        std::raise(c.signal);
    });
    EXPECT_EQ(lancer(), 128 + c.signal);
    EXPECT_LE(dernier - f, 2);
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_EQ(listerDossier("./ghost", "enregistrement"), std::vector<std::string>{});
    if (std::string(c.ecran) == "run") {
        EXPECT_TRUE(enCours);
    }
}

INSTANTIATE_TEST_SUITE_P(Ecrans, MenuSignal, ::testing::ValuesIn(kSignaux),
                         [](const testing::TestParamInfo<CasSignal>& i) { return std::string(i.param.ecran); });

}  // namespace
