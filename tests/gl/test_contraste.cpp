// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the programs draw reads over the shipped levels, as a player
// sees it at 640 × 480 with the outline they start with: the game's main
// menu, play menu, scenario list (its locked levels), Options and keys
// screen over the menu's level; over each shipped level the run's texts,
// the pause menu, the checkpoint's message and the end-of-level menu; the
// replay's corner texts over three levels; the editor's texts over two
// levels opened in it. The ink of each text (the pixels its glyphs
// cover, found by drawing them again alone, white over black) has a WCAG
// contrast ratio of at least 4.5 : 1 against the pixels touching it.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "application.h"
#include "edition.h"
#include "fantome.h"
#include "menu_editeur.h"
#include "partie_scriptee.h"
#include "pilote.h"
#include "solutions.h"
#include "texte.h"
#include "touches.h"

namespace {

namespace fs = std::filesystem;

// The prints of the frame being drawn; `mesurer` reads the frame just drawn.
struct Releve {
    std::vector<ImpressionTexte> imprimes;
    std::map<std::string, double> pires;  // each text measured, its lowest ratio
    Releve() {
        observerTextes([this](const ImpressionTexte& i) { imprimes.push_back(i); });
    }
    ~Releve() { observerTextes(nullptr); }

    // The ink of the prints alone: white glyphs over black, in place of the
    // frame (the scene's state put back after).
    std::vector<Pixel> encre() const {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION), glPushMatrix(), glMatrixMode(GL_MODELVIEW), glPushMatrix();
        glDisable(GL_SCISSOR_TEST), glDisable(GL_FOG), glDisable(GL_LIGHTING);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        for (const ImpressionTexte& i : imprimes) {
            debutTexte(i.hauteur, i.largeur);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, i.texture);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            glColor4f(1, 1, 1, 1);
            quadsTexte(i);
            finTexte(i.hauteur, i.largeur);
        }
        const std::vector<Pixel> e = lireEcran();
        glMatrixMode(GL_PROJECTION), glPopMatrix(), glMatrixMode(GL_MODELVIEW), glPopMatrix();
        glPopAttrib();
        return e;
    }

    // For each print, the mean luminance of its ink (where the white glyph
    // is at least half on) against that of the pixels up to two away that
    // the glyphs leave (nearly) bare: the soft edge is neither.
    void mesurer() {
        const std::vector<Pixel> ecran = lireEcran(), masque = encre();
        const auto dedans = [](int x, int y) { return x >= 0 && y >= 0 && x < 640 && y < 480; };
        const auto encree = [&](int x, int y) { return dedans(x, y) && masque[y * 640 + x].g >= 128; };
        for (const ImpressionTexte& i : imprimes) {
            if (!i.texture) continue;
            std::vector<char> vu(640 * 480, 0);
            double lt = 0, la = 0;
            int nt = 0, na = 0;
            const int l = static_cast<int>(i.largeurGlyphe / 2), h = static_cast<int>(i.hauteurGlyphe / 2);
            for (const GlypheTexte& g : i.glyphes) {  // units are half pixels, from the centre
                const int x0 = static_cast<int>((g.gauche + i.hauteur) / 2), y0 = static_cast<int>((i.largeur - g.bas) / 2) - h;
                for (int y = y0; y < y0 + h; ++y)
                    for (int x = x0; x < x0 + l; ++x) {
                        if (!encree(x, y) || vu[y * 640 + x]) continue;
                        vu[y * 640 + x] = 1, lt += luminance(ecran[y * 640 + x]), ++nt;
                        for (int v = 0; v < 25; ++v) {
                            const int a = x + v % 5 - 2, b = y + v / 5 - 2;
                            if (!dedans(a, b) || masque[b * 640 + a].g >= 32 || vu[b * 640 + a]) continue;
                            vu[b * 640 + a] = 2, la += luminance(ecran[b * 640 + a]), ++na;
                        }
                    }
            }
            if (!nt || !na) continue;
            const double r = contraste(lt / nt, la / na);
            auto [it, nouveau] = pires.emplace(i.texte, r);
            if (!nouveau) it->second = std::min(it->second, r);
        }
    }

    // The texts under 4.5 : 1, and whether every one of `attendus` (starts of texts) was measured.
    std::string echecs(const std::vector<std::string>& attendus) const {
        std::ostringstream o;
        for (const auto& [t, r] : pires)
            if (r < 4.5) o << " \"" << t << "\" " << r << ";";
        for (const std::string& a : attendus)
            if (std::none_of(pires.begin(), pires.end(), [&](const auto& p) { return p.first.rfind(a, 0) == 0; }))
                o << " \"" << a << "\" never measured;";
        return o.str();
    }
};

// A scratch game folder with the real data and levels, the outline on as
// the programs start with it by default; every frame through `releve`
// (measured when `mesure` says so, after it is drawn).
struct Contraste : PartieScriptee {
    Releve releve;
    std::function<bool(int)> mesure = [](int) { return true; };
    void SetUp() override {
        PartieScriptee::SetUp();
        const auto tout = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
        fs::copy(std::string(VORNA_GAME_DIR) + "/data", "data", tout);
        fs::copy(std::string(VORNA_SOURCE_DIR) + "/maps", "maps", tout);
        ecrireFichier("data/joueur/niveau.txt", "1");
        contourTexte(true);
        glEnable(GL_TEXTURE_2D);  // as the program's start-up leaves it
    }
    void TearDown() override {
        glDisable(GL_SCISSOR_TEST);
        contourTexte(false);
        fixerTouches(Reglages());  // the keys screen gave one away
        PartieScriptee::TearDown();
    }
    void suivreImages() {
        systeme.surImage([this](int f) {
            if (mesure(f)) releve.mesurer();
            releve.imprimes.clear();
        });
    }
};
struct ContrasteNiveau : Contraste, ::testing::WithParamInterface<Solution> {};

// Each shipped level played through by the autopilot, only the frames
// measured drawn whole: the run's first frames and one in 150, the pause
// menu (opened before the ball moves, closed by Escape), the checkpoint's
// message and the end-of-level menu.
TEST_P(ContrasteNiveau, EveryTextOfARunReadsOverTheLevel) {
    const Solution& s = GetParam();
    const bool scenario = s.nom.rfind("map", 0) == 0;
    jeu.setFantome(false), jeu.setScenario(scenario), jeu.setMap(s.nom);
    if (scenario) jeu.setMapScenario(std::stoi(s.nom.substr(3))), jeu.setNiveauMax(14), jeu.setMapsMax(14);
    Pilote pilote(systeme, points(s.points));
    systeme.tape(4, SDLK_ESCAPE), systeme.tape(10, SDLK_ESCAPE);
    int gagne = -1;
    bool plein = true, checkpoint = false;
    glEnable(GL_SCISSOR_TEST);
    surFrame = [&](const InstantPartie& i) {
        const int f = systeme.frame();
        if (plein) releve.mesurer();
        releve.imprimes.clear();
        if (f > 14 && !i.win) pilote.image(i);
        const bool voir = f < 14 || f % 150 == 0 || (i.checkpoint && !checkpoint) || (i.win && f == gagne + 3);
        checkpoint = i.checkpoint;
        if (i.win && gagne < 0) gagne = f, systeme.limite(f + 6);
        plein = voir;
        glScissor(0, 0, voir ? 640 : 8, voir ? 480 : 8);
    };
    jeu.jouer();
    ASSERT_GE(gagne, 0) << s.nom << ": the autopilot did not finish";
    EXPECT_EQ(releve.echecs({"Retour au jeu", "Quitter", scenario ? "Niveau suivant" : "Recommencer"}), "") << s.nom;
}

INSTANTIATE_TEST_SUITE_P(Livres, ContrasteNiveau, ::testing::ValuesIn(kSolutions),
                         [](const auto& info) { return info.param.nom; });

// The editor's menu, then two shipped levels opened in it: the view with its
// name and help line, an object placed ("Non sauvegardee"), the help page,
// the question asked on leaving.
TEST_F(Contraste, EveryTextOfTheEditorReadsOverTwoShippedLevels) {
    suivreImages();
    systeme.quitter(debut + 3);
    editeur::Menu(640, 480).lancer();
    for (const char* niveau : {"niveau/map5.qzm", "niveau/map14.qzm"}) {
        systeme.oublier();
        const int f = systeme.frame();
        systeme.tape(f + 2, SDLK_t), systeme.tape(f + 4, SDLK_RETURN), systeme.tape(f + 6, SDLK_F1);
        systeme.tape(f + 8, SDLK_a), systeme.tape(f + 10, SDLK_ESCAPE), systeme.tape(f + 12, SDLK_ESCAPE);
        editeur::jouer(niveau, 0);
    }
    EXPECT_EQ(releve.echecs({"Non sauvegard", "Aide", "Sauver les changements"}), "");
}

// The replay of a ghost following the autopilot's way through three shipped
// levels (the lightest blocks among them): its time, the ghost's name and
// the corner's pause and speeds.
TEST_F(Contraste, TheReplaysTextsReadOverThreeShippedLevels) {
    suivreImages();
    for (const Solution& s : kSolutions) {
        if (s.nom != "map5" && s.nom != "map9" && s.nom != "map14") continue;
        const std::string niveau = "maps/niveau/" + s.nom + ".qzm";
        double x = 0, y = 0, z = 0;
        ASSERT_EQ(std::sscanf(lireFichier(niveau).c_str(), "@0,%lf,%lf,%lf", &x, &y, &z), 3) << niveau;
        std::string g = "@" + niveau + "\n";
        char l[80];
        for (const Pilote::Point& p : points(s.points))
            for (int k = 0; k < 8; ++k, x += (p.x - x) / 4, y += (p.y - y) / 4)
                g += (std::snprintf(l, sizeof l, "@%f,%f,%f\n", x, y, z), l);
        ecrireFichier("ghost/g.qzg", g);
        systeme.oublier();
        const int f = systeme.frame();
        for (const auto& [d, k] : {std::pair{4, SDLK_SPACE}, {8, SDLK_SPACE}, {12, SDLK_PLUS}, {20, SDLK_MINUS},
                                   {22, SDLK_MINUS}, {30, SDLK_ESCAPE}})
            systeme.tape(f + d, k);
        jouerGhost(640, 480, "g.qzg");
    }
    EXPECT_EQ(releve.echecs({"Pause", "x2", "x0.5", "0:0", "g.qzg"}), "");
}

// The main menu, the play menu and the scenario list with levels 2 to 14
// locked, then the Options and their keys screen (a key awaited, a key
// already taken refused), over the menu's level (last: the program closes
// the test window).
TEST_F(Contraste, EveryMenuTextReadsOverTheMenusLevel) {
    const int m = 177;  // the first main menu frame, once the logo is over
    mesure = [m](int f) { return f > m; };
    suivreImages();
    const SDL_Keycode chemin[] = {SDLK_RETURN, SDLK_RETURN, SDLK_DOWN,   SDLK_ESCAPE, SDLK_ESCAPE, SDLK_DOWN,
                                  SDLK_DOWN,   SDLK_RETURN, SDLK_UP,     SDLK_UP,     SDLK_UP,     SDLK_RETURN,
                                  SDLK_RETURN, SDLK_w,      SDLK_DOWN,   SDLK_RETURN, SDLK_w};
    int f = m;
    for (SDL_Keycode k : chemin) systeme.tape(f += 10, k);
    systeme.quitter(f + 10);
    SDL_main(0, nullptr);
    EXPECT_EQ(releve.echecs({"Jouer", "Options", "Scenario", "Map perso", "1.", "2.", "-Langue", "-Volume effets",
                             "Touches", "-Avancer : ...", "Nouvelle touche", "-Reculer", "Touche deja prise",
                             "Par defaut"}),
              "");
}

}  // namespace
