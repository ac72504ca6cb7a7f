// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own clock: a run is a function of its level and of the inputs of
// its steps, whatever the display's rate or the machine's speed; frames
// between two steps show the moving parts between them; an input is acted on
// at the step that follows it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "partie_scriptee.h"
#include "rejeu.h"

namespace {

SDL_Keycode touche(Touche t) {
    switch (t) {
        case Touche::Haut: return SDLK_UP;
        case Touche::Bas: return SDLK_DOWN;
        case Touche::Droite: return SDLK_RIGHT;
        case Touche::Gauche: return SDLK_LEFT;
        case Touche::Entree: return SDLK_RETURN;
        case Touche::Echap: return SDLK_ESCAPE;
        default: return SDLK_g;
    }
}

struct Horloge : PartieScriptee {
    // Plays `niveau` with the inputs of `journal` given at the times their
    // steps are due, at `images` frames a second with `travail` ms of work a
    // frame; the run's last instant.
    InstantPartie jouer(const std::string& niveau, const std::string& journal, int images, Uint32 travail) {
        suivante();
        std::remove("ghost/pisteghost0.qzg");
        jeu.setNombreGhost(-1 - jeu.getNbreGame());  // the ghost kept is number 0
        perso("piste", niveau);
        systeme.limite(1 << 30);
        systeme.images(images);
        systeme.travail(travail);
        Journal j;
        EXPECT_TRUE(j.lire(journal, 100000)) << journal;
        Journal::Lecteur l(j);
        EntreesPas pas;
        const Uint32 t0 = systeme.maintenant();
        for (long long k = 0; l.suivant(pas); ++k) {
            const Uint32 t = t0 + static_cast<Uint32>((k * 100 + 2) / 3);  // when step k is due
            for (const Appui& a : pas) {
                SDL_Event quitter{};
                quitter.type = SDL_QUIT;
                if (a.touche == Touche::Quitter)
                    systeme.evenementA(t, quitter);
                else
                    systeme.toucheA(t, touche(a.touche), a.enfoncee);
            }
        }
        jeu.jouer();
        return instants.back();
    }
};

TEST_F(Horloge, ARunDependsOnlyOnItsLevelAndItsInputsWhateverTheDisplayRateAndTheMachinesSpeed) {
    const std::string premier = lireFichier(std::string(VORNA_SOURCE_DIR) + "/maps/niveau/map1.qzm");
    const struct {
        std::string niveau, journal;
    } cas[] = {
        // Forward to the finish, then "Enregistrer le fantome" and "Menu principal".
        {kCourseDroite, ".H.90.B.b.B.b.B.b.E.e.B.b.E."},
        // Off the side, a fall, then forward to the finish.
        {kCourseDroite, ".D.30.d.80.H.100.B.b.B.b.B.b.E.e.B.b.E."},
        // A shipped level, then the window closed.
        {premier, ".H.60.h.D.40.d.H.100.G.30.Q."},
    };
    // 30, 60, 144 frames a second, no cap, and a slow machine (80 ms a frame).
    const struct { int images; Uint32 travail; } cadences[] = {{30, 2}, {60, 2}, {144, 1}, {0, 6}, {30, 80}};
    for (const auto& c : cas) {
        std::string reference;
        InstantPartie fin;
        for (const auto& d : cadences) {
            SCOPED_TRACE(c.journal + " at " + std::to_string(d.images) + "/s, " + std::to_string(d.travail) + " ms");
            const InstantPartie i = jouer(c.niveau, c.journal, d.images, d.travail);
            const std::string garde = existe("ghost/pisteghost0.qzg") ? lireFichier("ghost/pisteghost0.qzg") : "";
            if (&d == cadences) {
                reference = garde, fin = i;
                EXPECT_EQ(garde.empty(), c.journal.find('Q') != std::string::npos) << "a finish keeps its ghost";
                EXPECT_TRUE(garde.empty() || rejoue(garde) == garde) << "played again from its inputs alone";
                continue;
            }
            EXPECT_EQ(garde, reference);
            EXPECT_TRUE(i.points == fin.points && i.chrono == fin.chrono && i.pas == fin.pas && i.x == fin.x &&
                        i.y == fin.y && i.z == fin.z && i.vie == fin.vie)
                << i.points << " " << i.chrono << " " << i.pas << " " << i.x;
        }
    }
}

TEST_F(Horloge, AKeyPressedJustBeforeAFrameIsActedOnAtTheNextStep) {
    // At 60 frames a second step 3 is due at 100 ms, on a frame; Up comes 1 ms before.
    perso("piste", kCourseDroite);
    systeme.images(60);
    systeme.travail(0);
    const Uint32 t0 = systeme.maintenant();
    systeme.toucheA(t0 + 99, SDLK_UP, true);
    systeme.quitter(12);
    jeu.jouer();
    const int f = premiereFrame([](const InstantPartie& i) { return i.sx < 0; });
    ASSERT_GT(f, 0);
    EXPECT_EQ(instants[f].pas, 4) << "step 3 (the fourth) pushed the ball";
    EXPECT_EQ(instants[f - 1].pas, 3);
}

// The bluish racing ball's pixels: their mean column, or −1 when none shows.
double colonneCourse() {
    const std::vector<Pixel> ecran = lireEcran();
    double somme = 0, n = 0;
    for (size_t i = 0; i < ecran.size(); ++i)
        if (ecran[i].b > ecran[i].r + 60 && ecran[i].b > ecran[i].g + 30) somme += static_cast<double>(i % 640), ++n;
    return n > 50 ? somme / n : -1;
}

TEST_F(Horloge, AFrameHalfwayBetweenTwoStepsShowsTheMovingPartsHalfway) {
    // The best ghost runs sideways, a unit a step; the ball stays still (the
    // camera follows it, so the race shows the motion on screen).
    std::string meilleur = "@maps/piste.txt\n";
    for (int k = 0; k < 60; ++k) meilleur += "@0.000000," + std::to_string(-10 + k * 0.5) + ",2.000000\n";
    ecrireFichier("ghost/perso-piste-record.qzg", meilleur);
    perso("piste", kCourseDroite);
    systeme.images(60);
    systeme.travail(0);
    std::vector<double> colonnes;
    std::vector<InstantPartie> vus;
    surFrame = [&](const InstantPartie& i) { colonnes.push_back(colonneCourse()), vus.push_back(i); };
    systeme.quitter(40);
    jeu.jouer();
    // 60 frames a second (at 0, 17, 34, 50, 67... ms): every other frame is
    // halfway between two steps, the two around it each on a step.
    int verifies = 0;
    for (size_t f = 10; f + 1 < colonnes.size(); ++f) {
        if (vus[f - 1].pas != vus[f].pas || vus[f + 1].pas != vus[f].pas + 1) continue;
        ASSERT_TRUE(colonnes[f - 1] > 0 && colonnes[f] > 0 && colonnes[f + 1] > 0) << f;
        const double milieu = (colonnes[f - 1] + colonnes[f + 1]) / 2, ecart = std::fabs(colonnes[f + 1] - colonnes[f - 1]);
        EXPECT_GT(ecart, 4) << "the racing ball moves on screen";
        EXPECT_NEAR(colonnes[f], milieu, ecart / 5) << "frame " << f;
        ++verifies;
    }
    EXPECT_GT(verifies, 5);
}

}  // namespace
