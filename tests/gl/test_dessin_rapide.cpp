// SPDX-License-Identifier: GPL-3.0-or-later
// The fast way of drawing gives the same picture as the plain way (every
// object's own dessiner): whole runs, a replay and the menu are played twice
// with the same script, once each way, and every frame is compared pixel by
// pixel; the fast way's rings in one stack and its culled back faces may
// cover an edge pixel differently, no more than 0.1 % of a frame. Also: the
// view test only skips what lies wholly outside the view.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "application.h"
#include "champ_vision.h"
#include "dessin_rapide.h"
#include "deux_facons.h"
#include "dossier.h"
#include "fantome.h"
#include "fenetre_test.h"
#include "fsound.h"
#include "jeu.h"
#include "lot_blocs.h"
#include "mixeur_enregistreur.h"

namespace {

namespace fs = std::filesystem;

// Every kind of record on one course toward −x: equal faces in different
// textures (the same box twice, a tile sunk flush into the floor), turned
// blocks, pick-ups and spheres near, behind (+x) and far away, a fall zone,
// and the end of the floor, where the ball falls (fade, fog off, back to the
// checkpoint).
const char* const kToutesSortes =
    "@0,0,0,2,0,1,1,1,0,0,0,textureSphere\n@6,0,0,0,0,4,4,1,0,0,0,textureDepart\n"
    "@1,-12,0,0,0,8,4,1,0,0,0,textureSol\n@1,-12,0,0,0,8,4,1,0,0,0,textureCaisse\n"
    "@1,-10,1,0,0,2,2,1,0,0,0,textureJump\n@3,-22,0,0,0,2,4,1,0,0,0,textureSpeed\n"
    "@7,-28,0,0,0,4,4,1,0,0,0,textureSauvegarde\n@1,-40,0,0,0,8,4,1,0,0,0,textureSol\n"
    "@2,-46,0,0.5,0,2,2,0.5,0,0,0,textureJump\n@1,-20,8,3,0,1,1.5,1,30,45,60,textureCaisse\n"
    "@1,-30,-7,1,0,3,1,1,0,0,33,textureSol\n@10,-16,-8,1,0,1,1,1,0,0,0,textureArrivee\n"
    "@11,-24,-8,2,0,1,2,2,0,0,0,textureDepart\n@5,-60,0,-10,0,30,30,1,0,0,0,textureVide\n"
    "@4,-90,30,0,0,4,4,1,0,0,0,textureArrivee\n@1,30,0,0,0,4,4,1,0,0,0,textureSol\n"
    "@1,-200,0,-5,0,4,4,1,0,0,0,textureSol\n@8,-8,0,2.5,0,1,1,1,0,0,0,textureSphere\n"
    "@9,-18,2,2.5,0,0.7,1,1,0,0,0,textureSphere\n@8,25,0,2.5,0,1,1,1,0,0,0,textureSphere\n"
    "@9,-150,0,2.5,0,1,1,1,0,0,0,textureSphere\n@0,-14,-5,4,0,1.5,1,1,10,20,30,textureSphere\n"
    "@0,40,0,4,0,1,1,1,0,0,0,textureSphere\n";
// The finish, with a pick-up and a sphere on the way.
const char* const kArrivee =
    "@0,0,0,2,0,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,4,4,1,0,0,0,textureSol\n"
    "@1,-12,0,0,0,8,4,1,0,0,0,textureSol\n@4,-24,0,0,0,4,4,1,0,0,0,textureArrivee\n"
    "@9,-10,0,2.5,0,1,1,1,0,0,0,textureSphere\n@0,-16,5,3,0,1,1,1,0,0,0,textureSphere\n";

// A ghost of "tout": straight on at speed, then down through the fall zone.
std::string fantomeTout() {
    std::string ghost = "@maps/tout.txt\n";
    char l[80];
    for (int i = 0; i < 90; ++i)
        ghost += (std::snprintf(l, sizeof l, "@%f,0,%f\n", -0.6 * i, i < 70 ? 2.0 : 2.0 - (i - 70)), l);
    return ghost;
}

// Up from the second frame, a swerve left then right, and the end.
ScriptImages virage(int gauche, int longueurG, int droite, int longueurD, int fin) {
    return {[=](SystemeScript& s) {
                s.appui(2, SDLK_UP);
                s.tape(gauche, SDLK_LEFT, longueurG);
                s.tape(droite, SDLK_RIGHT, longueurD);
                s.quitter(fin);
            }, nullptr};
}

void jouerMap(const std::string& nom, bool scenario) {
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(scenario);
    scenario ? jeu.setMapScenario(std::stoi(nom.substr(3))) : jeu.setMap(nom);
    jeu.jouer();
}

struct DessinRapide : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;

    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        // The real textures and skies, mipmaps and all, when they are built.
        const fs::path donnees = std::string(VORNA_GAME_DIR) + "/data";
        const auto tout = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
        if (fs::exists(donnees / "sol.jpg")) fs::copy(donnees, "data", tout);
        fs::copy(std::string(VORNA_SOURCE_DIR) + "/maps", "maps", tout);
        ecrireFichier("maps/tout.txt", kToutesSortes);
        ecrireFichier("maps/arrivee.txt", kArrivee);
        // Runs of "tout" race this best ghost: a ball seen through.
        ecrireFichier("ghost/perso-tout-record.qzg", fantomeTout());
        FSOUND_Init(44100, 32, 0);
    }
    void TearDown() override {
        choisirDessinSimple(false);
        FSOUND_Close();
    }
};

TEST_F(DessinRapide, RunsOfEveryKindOfObjectAndOfEveryShippedLevelLookAlike) {
    // Straight on to the fall, the checkpoint and on; then a swerve.
    memesImages(virage(60, 12, 90, 12, 260), [] { jouerMap("tout", false); }, "tout", 250);

    std::vector<std::pair<std::string, bool>> niveaux;
    for (const auto& e : fs::directory_iterator("maps/niveau"))
        if (e.path().extension() == ".qzm") niveaux.push_back({e.path().stem().string(), true});
    for (const auto& e : fs::directory_iterator("maps"))
        if (e.path().extension() == ".txt" && e.path().stem() != "tout" && e.path().stem() != "arrivee")
            niveaux.push_back({e.path().stem().string(), false});
    ASSERT_FALSE(niveaux.empty());
    for (const auto& n : niveaux)
        memesImages(virage(50, 15, 80, 25, 120), [&n] { jouerMap(n.first, n.second); }, n.first, 110);

    // The finish, the end-of-level menu, "Menu principal" and the closing fade.
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setMap("arrivee");
    int gagne = -1;
    memesImages({[&](SystemeScript& s) { gagne = -1, s.appui(2, SDLK_UP), s.limite(700); },
                 [&](SystemeScript& s, int f) {
                     if (gagne >= 0 || !jeu.getInstant().win) return;
                     gagne = f;
                     s.tape(f + 3, SDLK_UP);
                     s.tape(f + 6, SDLK_RETURN);
                 }},
                [&] { jeu.jouer(); }, "arrivee", 60);
    EXPECT_GT(gagne, 0) << "the ball reached the finish";
}

TEST_F(DessinRapide, AReplayAndTheMenuLookAlike) {
    ecrireFichier("ghost/tout0.qzg", fantomeTout());
    memesImages({}, [] { jouerGhost(640, 480, "tout0.qzg"); }, "replay", 90);
    // The logo, then the menu turning around its background level. The
    // program opens its own window; a first start from the test window sets
    // SDL up differently, so both compared starts follow one.
    empreintesImages(true, {[](SystemeScript& s) { s.quitter(180); }, nullptr}, [] { SDL_main(0, nullptr); });
    memesImages({[](SystemeScript& s) { s.quitter(215); }, nullptr}, [] { SDL_main(0, nullptr); }, "menu", 215);
}

TEST_F(DessinRapide, OnlyWhatLiesWhollyOutsideTheViewIsSkipped) {
    reinitialiserGL();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(70, 640.0 / 480, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(10, 0, 12, 0, 0, 0, 0, 0, 1);  // the run's camera over a ball at the origin
    const ChampVision champ;
    const struct { double x, y, z, r; bool vu; } cas[] = {
        {0, 0, 0, 1, true},         // the ball
        {-25, 0, 0, 2, true},       // ahead
        {-45, 0, 0, 2, false},      // ahead, above the top of the view
        {30, 0, 0, 2, false},       // behind the camera
        {10, 0, 12, 1, true},       // around the eye: crosses the near plane
        {10, 0, 13.5, 0.4, false},  // just behind the eye
        {0, 60, 0, 2, false},       // far to the side
        {-2000, 0, -1500, 5, false},  // beyond the far plane
    };
    for (const auto& c : cas) EXPECT_EQ(champ.voitCube(c.x, c.y, c.z, c.r), c.vu) << c.x << "," << c.y << "," << c.z;
    // A long wall seen only by its far end is drawn whole.
    LotBlocs lot;
    lot.ajouter(Boite{60, 0, 0, 65, 1, 1, 0, 0, 0, 0, false});
    lot.ajouter(Boite{60, 0, 0, 1, 1, 1, 0, 0, 90, 0, false});  // turned, still behind
    EXPECT_EQ(lot.dessiner(&champ), 1u);
    EXPECT_EQ(lot.dessiner(nullptr), 2u);
}

}  // namespace
