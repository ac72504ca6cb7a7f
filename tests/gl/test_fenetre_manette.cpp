// SPDX-License-Identifier: GPL-3.0-or-later
// A run while its window is resized and goes full screen and back, played on
// a gamepad: its pause menu, the pad unplugged and plugged back.
#include <GL/gl.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "fenetre.h"
#include "manette_virtuelle.h"
#include "partie_scriptee.h"

namespace {

TEST_F(PartieScriptee, TheWindowChangesThePadIsUnpluggedAndPluggedBackAndTheRunGoesOnWithAllItsTextures) {
    std::filesystem::copy(std::string(VORNA_GAME_DIR) + "/data", "data",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    perso("piste", kCourseDroite);
    glEnable(GL_TEXTURE_2D);  // as the program's start-up leaves it
    SDL_Event alt{};
    alt.type = SDL_KEYDOWN, alt.key.keysym.sym = SDLK_RETURN, alt.key.keysym.mod = KMOD_LALT;
    systeme.tape(4, SDLK_F11);
    systeme.tape(8, SDLK_F11);
    systeme.evenement(16, alt);  // and Return's release is not seen
    systeme.relache(17, SDLK_RETURN);
    systeme.tape(20, SDLK_F11);
    // The frame after each change: the window's size, whether full screen.
    const std::map<int, std::tuple<int, int, bool>> tailles = {
        {5, {1280, 1024, true}}, {9, {640, 480, false}}, {13, {800, 600, false}}, {17, {1280, 1024, true}}};
    ManetteVirtuelle manette;
    surFrame = [&](const InstantPartie& i) {
        manette.image(i.frame);
        if (i.win) systeme.quitter(i.frame + 1);
        if (i.frame == 12) SDL_SetWindowSize(fenetreGL(), 800, 600), SDL_Delay(100);  // as a window manager does
        const auto t = tailles.find(i.frame);
        if (t == tailles.end()) return;
        const auto [l, h, plein] = t->second;
        // Drawn to every corner, textured: the sky's and the course's many colours.
        const std::vector<Pixel> e = lireEcran();
        std::set<uint32_t> couleurs;
        for (const Pixel& p : e) couleurs.insert(p.r << 16 | p.g << 8 | p.b);
        for (size_t k : {size_t(0), size_t(l - 1), e.size() - l, e.size() - 1}) EXPECT_NE(e[k], Pixel{}) << i.frame;
        EXPECT_TRUE(e.size() == size_t(l) * h && pleinEcran() == plein && couleurs.size() > 500) << i.frame;
    };
    auto stick = [&](int f, int v) { manette.plan(f, [&manette, v] { manette.axe(SDL_CONTROLLER_AXIS_LEFTY, v); }); };
    stick(2, -32767);
    manette.tape(40, SDL_CONTROLLER_BUTTON_B);      // Escape: the pause menu
    manette.tape(44, SDL_CONTROLLER_BUTTON_A);      // "Retour au jeu"
    manette.plan(50, [&] { manette.debrancher(); });  // the stick still pushed
    manette.plan(60, [&] { manette.brancher(); });
    manette.tape(62, SDL_CONTROLLER_BUTTON_START);  // "Retour au jeu"
    stick(75, -32767);
    jeu.jouer();
    tailleFenetreTest(640, 480);
    ASSERT_GT(instants.size(), 80u);
    const std::vector<InstantPartie>& i = instants;
    EXPECT_TRUE(!i[40].pause && i[41].menu && i[44].pause && !i[45].pause && !i[49].pause);
    EXPECT_TRUE(i[50].menu && i[50].choixMenu == 0 && i[62].pause && !i[63].pause) << "paused as Escape does";
    EXPECT_TRUE(i[62].x == i[50].x && i[62].points == i[50].points) << "nothing lost";
    EXPECT_LE(std::abs(i[74].sx), std::abs(i[64].sx)) << "no longer pushed once unplugged";
    EXPECT_TRUE(i.back().win) << "plugged back, the stick takes the ball to the finish";
}

}  // namespace
