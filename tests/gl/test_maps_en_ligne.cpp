// SPDX-License-Identifier: GPL-3.0-or-later
// "Maps en ligne" in the main menu, the whole program driven through the
// seam against servers started here: the list drawn or why it is empty, a
// menu that answers while the server hangs, a map downloaded beside the
// player's own and played, then played again without a second download.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unistd.h>
#include <map>
#include <set>

#include "application.h"
#include "dossier.h"
#include "empreinte.h"
#include "envoi_course.h"
#include "fenetre_test.h"
#include "menu.h"
#include "mixeur_enregistreur.h"
#include "partie_scriptee.h"
#include "repertoire.h"
#include "serveur_hostile.h"
#include "systeme_script.h"

namespace {

using S = ServeurHostile;

const std::string kInjoignable = "Serveur des maps injoignable";
const std::string kPiste = "Piste du lac - Bo 1234 0:21:5";
// The player's own map of the same title as the one published.
const char* const kPisteDuJoueur = "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n";

// Once a menu frame shows a text, keys follow from the next frame, two
// frames apart: R Return, E Escape, U Up, D Down, < Left, > Right. "@NAME":
// the launch of the free map NAME has started.
struct Pas {
    std::string attendu, touches;
};
const SDL_Keycode kTouches[] = {SDLK_RETURN, SDLK_ESCAPE, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};

struct Cas {
    const char* nom;
    S::Maniere maniere;
    std::map<std::string, std::string> reponses;
    std::vector<Pas> pas;
    std::vector<std::string> vus;  // drawn on the way too
    int requetes;                  // the server received
};

std::vector<Cas> cas() {
    const std::string liste = "/maps.txt?tri=recent&page=1", autre(64, 'e');
    const std::string piste = "7\t" + empreinte(kCourseDroite) + "\t1234\t645\tAna\t12\tBo\tPiste du lac\n";
    const std::string maps = S::http(200, "maps 2 page 1 pages 1\n" + piste + "8\t" + autre + "\t5\t60\tCy\t1\tCy\tAbimee\n");
    const std::vector<Pas> injoignable = {{"Jouer", "RDDR"}, {kInjoignable, "EEE"}};
    return {
        {"refused", S::Refuse, {}, injoignable, {"Maps deja telechargees : Map perso"}, 0},
        {"500", S::Erreur500, {}, injoignable, {}, 1},
        {"garbage", S::Charabia, {}, injoignable, {}, 1},
        {"a web page", S::Fixe, {{liste, S::http(200, "<html>\n")}}, injoignable, {}, 1},
        {"nothing published", S::Fixe, {{liste, S::http(200, "maps 0 page 1 pages 0\n")}},
         {{"Jouer", "RDDR"}, {"Aucune map publiee", "EEE"}}, {"Maps en ligne : recentes"}, 1},
        // Escape and Return again while the request hangs, the answer awaited still.
        {"silent past the time-out", S::Muet, {}, {{"Jouer", "RDDR"}, {"Chargement...", "E"}, {"Maps en ligne", "DDR"},
                                                   {"Chargement...", ""}, {kInjoignable, "EEE"}}, {}, 1},
        // The most played, back to the newest; a map whose bytes are not
        // those listed is not kept; the good one is, beside the player's map
        // of that name, and played; then played again as it is.
        {"published", S::Fixe,
         {{liste, maps}, {"/maps.txt?tri=joues&page=1", S::http(200, "maps 1 page 1 pages 1\n" + piste)},
          {"/maps/8/carte.txt", S::http(200, kCourseDroite)}, {"/maps/7/carte.txt", S::http(200, kCourseDroite)}},
         {{"Jouer", "RDDR"}, {kPiste, ">"}, {"Maps en ligne : les plus jouees", "<"}, {"Abimee - Cy 5 0:02:0", "DR"},
          {"Map recue illisible", "UR"}, {"@Piste du lac-2", ""}, {"Jouer", "RDDR"}, {kPiste, "R"},
          {"@Piste du lac-2", ""}, {"Jouer", "E"}},
         {"Record : Ana, parties : 12"}, 5},
    };
}

struct MapsEnLigneMenu : ::testing::TestWithParam<Cas> {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;

    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        ecrireFichier("maps/menu/menu.txt", "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,6,6,1,0,0,0,textureSol\n");
        ecrireFichier("maps/Piste du lac.txt", kPisteDuJoueur);
        setDelaiServeur(1500);
        systeme.limite(6000);
    }
    void TearDown() override {
        setDelaiServeur(0);
        unsetenv("VORNA_SCORE_SERVER");
    }
};

TEST_P(MapsEnLigneMenu, ShowsTheListOrWhyItIsEmptyAndPlaysTheMapChosen) {
    const Cas& c = GetParam();
    S serveur(c.maniere, c.reponses);
    setenv("VORNA_SCORE_SERVER", serveur.adresse().c_str(), 1);
    size_t etape = 0;
    int pret = 0;
    bool enPartie = false;
    std::vector<int> vu(c.pas.size(), -1);  // the frame each step's text showed on
    std::set<std::string> textes;
    systeme.surImage([&](int f) {
        glScissor(0, 0, 8, 8), glEnable(GL_SCISSOR_TEST);  // no pixel is looked at: quicker
        const InstantMenu& i = instantMenu();
        if (!i.swap) {  // a run's frame: closing the window ends the run
            if (!enPartie) systeme.quitter(f + 3);
            enPartie = true;
            return;
        }
        enPartie = false;
        bool present = false, attente = false;
        for (const TexteMenu& t : i.textes) {
            textes.insert(t.texte);
            present = present || (etape < c.pas.size() && t.texte == c.pas[etape].attendu);
            attente = attente || t.texte == "Chargement...";
        }
        if (attente) usleep(2000);  // the virtual clock's frames are quick: the server's time-out is real time
        if (etape >= c.pas.size() || f < pret) return;
        const std::string& a = c.pas[etape].attendu;
        if (!(a[0] == '@' ? i.fondu && i.futureMap == a.substr(1) : present)) return;
        vu[etape] = f, pret = f - 1;
        for (char t : c.pas[etape++].touches) {  // the first key on the next frame, then every other frame
            const SDL_Keycode cle = kTouches[std::string("REUD<>").find(t)];
            cle == SDLK_RETURN || cle == SDLK_ESCAPE ? systeme.relache(pret += 2, cle) : systeme.tape(pret += 2, cle);
        }
        pret = std::max(pret, f + 1);  // the next step looked for from the last key's frame
    });
    const std::string err = sortieErreur([&] { EXPECT_EQ(SDL_main(0, nullptr), 0); });
    for (size_t k = 0; k < c.pas.size(); ++k) EXPECT_GE(vu[k], 0) << "never shown: " << c.pas[k].attendu << "\n" << err;
    for (const std::string& t : c.vus) EXPECT_TRUE(textes.count(t)) << t;
    EXPECT_EQ(serveur.requetes(), c.requetes);
    EXPECT_EQ(lireFichier("maps/Piste du lac.txt"), kPisteDuJoueur);
    const std::string nom = c.nom;
    if (nom == "silent past the time-out") {
        EXPECT_TRUE(vu[2] == vu[1] + 1 && vu[3] == vu[2] + 5) << "each key answered at once";
    }
    if (nom == "published") {
        EXPECT_EQ(lireFichier("maps/Piste du lac-2.txt"), kCourseDroite);
        EXPECT_EQ(listerFichiers("./maps", ".txt").size(), 2u) << "nothing kept of the damaged map";
        EXPECT_NE(err.find("vorna: the map 8 could not be downloaded (not the map listed)"), std::string::npos) << err;
        EXPECT_EQ(serveur.requete().rfind("GET /maps.txt?tri=recent&page=1 ", 0), 0u) << "downloaded twice";
    }
    const bool injoignable = c.pas.back().attendu == kInjoignable;
    EXPECT_EQ(err.find("vorna: the list of maps could not be fetched from 127.0.0.1:") != std::string::npos, injoignable)
        << err;
}

INSTANTIATE_TEST_SUITE_P(Serveurs, MapsEnLigneMenu, ::testing::ValuesIn(cas()), [](const testing::TestParamInfo<Cas>& i) {
    std::string n = i.param.nom;
    for (char& x : n) x = std::isalnum(static_cast<unsigned char>(x)) ? x : '_';
    return n;
});

}  // namespace
