// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu as the player meets it: the whole program from start-up,
// driven through the seam with scripted keys (or a pad), after the logo; at
// any window size; its settings kept for the next start.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <cstring>
#include <string>
#include <vector>

#include "application.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "fenetre.h"
#include "fenetre_test.h"
#include "jeu.h"
#include "manette_virtuelle.h"
#include "menu.h"
#include "menu_editeur.h"
#include "mixeur_enregistreur.h"
#include "partie_scriptee.h"
#include "records.h"
#include "repertoire.h"
#include "systeme_script.h"
#include "version.h"

namespace {

const int M = 177;               // the first menu frame, once the logo is over
const int kDepart = M + 6 + 51;  // the first frame of level 1 chosen at M + 6
// Steps of the tables that turn the wheel: away from the user, towards, sideways only.
const SDL_Keycode kMoletteHaut = SDLK_F13, kMoletteBas = SDLK_F14, kMoletteCote = SDLK_F15;

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
// "Jouer", "Fantome" from the top screen at frame `f`: the ghost list shows from f + 9.
int versFantomes(SystemeScript& s, int f = M) {
    s.relache(f + 2, SDLK_RETURN);
    s.tape(f + 4, SDLK_UP);
    s.tape(f + 6, SDLK_UP);
    s.relache(f + 8, SDLK_RETURN);
    return f + 9;
}

struct Menu : ::testing::Test {
    DossierTemporaire dossier;
    MixeurEnregistreur mixeur;
    SystemeScript systeme;
    std::vector<InstantMenu> menu;  // one per menu frame
    std::vector<int> frameSysteme;  // the seam's frame number of each
    std::function<void(const InstantMenu&)> surMenu;

    void SetUp() override {
        EXIGER_FENETRE();
        dossier.arborescenceJeu();
        ecrireFichier("maps/menu/menu.txt",
                      "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,6,6,1,0,0,0,textureSol\n"
                      "@0,5,5,5,0,1,1,1,0,0,0,textureSphere\n@5,0,0,-20,0,6,6,1,0,0,0,textureVide\n");
        for (int n = 1; n <= 3; ++n) ecrireFichier("maps/niveau/map" + std::to_string(n) + ".qzm", kCourseDroite);
        ecrireFichier("maps/piste.txt", kCourseDroite);
        ecrireFichier("maps/bac.txt.bak", kCourseDroite);
        creerDossiers("maps/dossier.txt");
        mkfifo("maps/fifo.txt", 0600);
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

    static const TexteMenu* texte(const InstantMenu& i, const std::string& t) {
        for (const TexteMenu& x : i.textes)
            if (x.texte == t) return &x;
        return nullptr;
    }
    // The colour a text shows in: 'O' highlighted, 'B' white, 'G' grey, 'S' grey highlighted, '-' absent.
    static char couleur(const InstantMenu& i, const std::string& t) {
        const TexteMenu* x = texte(i, t);
        if (!x) return '-';
        const int c[4][3] = {{221, 137, 107}, {255, 255, 255}, {125, 125, 125}, {168, 125, 104}};
        for (int k = 0; k < 4; ++k)
            if (x->r == c[k][0] && x->g == c[k][1] && x->b == c[k][2]) return "OBGS"[k];
        return '?';
    }
    // The menu frame whose seam frame is f (menu frames only).
    const InstantMenu& a(int f) const {
        for (size_t i = 0; i < frameSysteme.size(); ++i)
            if (frameSysteme[i] == f) return menu[i];
        ADD_FAILURE() << "no menu frame at " << f;
        return menu.back();
    }
};

// The screen a menu frame shows.
std::string ecran(const InstantMenu& i) {
    if (i.continuer == 0) return "quit";
    if (i.choix1 == 1) return "top";
    if (i.choix2 == 1) return "play";
    if (i.choix2 == 3) return "options";
    if (i.choix2 == 4) return "keys";
    return std::string("list") + std::to_string(i.choix3) + "/" + std::to_string(i.choixMax);
}

TEST_F(Menu, KeysMoveTheHighlightWithinEachScreenAndReturnAndEscapeGoFromScreenToScreen) {
    // One key a step (Return and Escape act on release), then the screen, the highlighted
    // entry, and texts with their colours.
    struct Pas {
        SDL_Keycode touche;
        std::string ecran;
        unsigned int choix;
        std::vector<std::pair<std::string, char>> textes = {};
    };
    const std::vector<std::vector<Pas>> parcours = {
        {{SDLK_UNKNOWN, "top", 0, {{"Jouer", 'O'}, {"Multijoueur", 'G'}, {"Options", 'B'}, {"Vorna v" VORNA_VERSION, 'B'},
                                   {"by Mervo", 'B'}, {"www.vorna-game.org", 'B'}}},
         {SDLK_DOWN, "top", 1, {{"Multijoueur", 'S'}, {"Jouer", 'B'}}},
         {SDLK_RETURN, "top", 1},  // "Multijoueur" does nothing
         {SDLK_UP, "top", 0}, {SDLK_UP, "top", 3}, {SDLK_RETURN, "quit", 0}},
        {{SDLK_UNKNOWN, "top", 0},
         {SDLK_RETURN, "play", 0, {{"Scenario", 'O'}, {"Map perso", 'B'}, {"Maps en ligne", 'B'}, {"Fantome", 'B'}, {"Retour", 'B'}}},
         // Level 3 is locked: grey, out of reach; level 1 shows its best points and the world's kept.
         {SDLK_RETURN, "list0/2", 0, {{"1.Camp d'entrainement - 1234 (monde 1500)", 'O'}, {"2.Promenade", 'B'}, {"3.Flux", 'G'}}},
         {SDLK_DOWN, "list0/2", 1}, {SDLK_DOWN, "list0/2", 0}, {SDLK_UP, "list0/2", 1},
         // The wheel moves as Up and Down do, round the ends; sideways it does nothing.
         {kMoletteBas, "list0/2", 0}, {kMoletteHaut, "list0/2", 1}, {kMoletteCote, "list0/2", 1},
         {kMoletteHaut, "list0/2", 0},
         {SDLK_ESCAPE, "play", 0}, {SDLK_DOWN, "play", 1},
         {SDLK_RETURN, "list1/1", 0, {{"piste", 'O'}, {"bac.txt", '-'}}},  // no backup, folder or FIFO
         {SDLK_ESCAPE, "play", 0}, {SDLK_UP, "play", 4}, {SDLK_UP, "play", 3},
         {SDLK_RETURN, "list2/2", 0, {{"map1ghost0", 'O'}, {"pisteghost1", 'B'}}},
         {SDLK_ESCAPE, "play", 0}, {SDLK_ESCAPE, "top", 0}, {SDLK_ESCAPE, "quit", 0}},
        // Options opens on its first entry, at the top; a change the settings
        // file cannot keep (a folder in its place) is said.
        {{SDLK_UNKNOWN, "top", 0}, {SDLK_DOWN, "top", 1}, {SDLK_DOWN, "top", 2},
         {SDLK_RETURN, "options", 2, {{"-Langue auto", 'O'}, {"-Tjrs sauver fantome", 'B'}}},
         {SDLK_UP, "options", 1, {{"Retour", 'O'}}}, {SDLK_UP, "options", 0, {{"-Tjrs sauver fantome", 'O'}}},
         {SDLK_RETURN, "options", 0, {{"-Jamais sauver fantome", 'O'}, {"Reglage non enregistre", '?'}}},
         {SDLK_RETURN, "options", 0, {{"-Tjrs sauver fantome", 'O'}}}, {SDLK_DOWN, "options", 1, {{"Retour", 'O'}}},
         {SDLK_RETURN, "top", 0}, {SDLK_ESCAPE, "quit", 0}},
        // Forty maps more: the list shows the fifteen around the choice, "..." where more lie.
        {{SDLK_UNKNOWN, "top", 0}, {SDLK_RETURN, "play", 0}, {SDLK_DOWN, "play", 1},
         {SDLK_RETURN, "list1/41", 0, {{"m00", 'O'}, {"m14", 'B'}, {"m15", '-'}, {"...", 'B'}}},
         {SDLK_UP, "list1/41", 40, {{"piste", 'O'}, {"m26", 'B'}, {"m25", '-'}, {"...", 'B'}}},
         {SDLK_ESCAPE, "play", 0}, {SDLK_ESCAPE, "top", 0}, {SDLK_ESCAPE, "quit", 0}},
        // The keys: W given to forward moves up here too; a key taken is
        // refused, saying where; Escape cancels; the defaults come back.
        {{SDLK_UNKNOWN, "top", 0}, {SDLK_DOWN, "top", 1}, {SDLK_DOWN, "top", 2}, {SDLK_RETURN, "options", 2},
         {SDLK_UP, "options", 1}, {SDLK_UP, "options", 0}, {SDLK_UP, "options", 10, {{"Touches", 'O'}}},
         {SDLK_RETURN, "keys", 0, {{"-Avancer : Up", 'O'}, {"-Pause : Escape", 'B'}, {"Par defaut", 'B'}}},
         {SDLK_RETURN, "keys", 0, {{"-Avancer : ...", 'O'}, {"Nouvelle touche ? (Echap : annuler)", 'B'}}},
         {SDLK_w, "keys", 0, {{"-Avancer : W", 'O'}}}, {SDLK_DOWN, "keys", 1}, {SDLK_RETURN, "keys", 1},
         {SDLK_w, "keys", 1, {{"-Reculer : Down", 'O'}, {"Touche deja prise : Avancer", 'B'}}},
         {SDLK_RETURN, "keys", 1}, {SDLK_ESCAPE, "keys", 1, {{"-Reculer : Down", 'O'}}}, {SDLK_w, "keys", 0},
         {SDLK_UP, "keys", 11}, {SDLK_UP, "keys", 10}, {SDLK_RETURN, "keys", 10, {{"-Avancer : Up", 'B'}}},
         {SDLK_ESCAPE, "options", 10}, {SDLK_ESCAPE, "top", 0}, {SDLK_ESCAPE, "quit", 0}},
        // The ghosts deleted: an empty list keeps the highlight and ignores Return.
        {{SDLK_UNKNOWN, "top", 0}, {SDLK_RETURN, "play", 0}, {SDLK_UP, "play", 4}, {SDLK_UP, "play", 3},
         {SDLK_RETURN, "list2/0", 0}, {SDLK_DOWN, "list2/0", 0}, {SDLK_RETURN, "list2/0", 0},
         {SDLK_ESCAPE, "play", 0}, {SDLK_ESCAPE, "top", 0}, {SDLK_ESCAPE, "quit", 0}},
    };
    ecrireFichier("data/joueur/records.txt", "niveau 1 1234 56789\nniveau 3 -20 1\n");
    ecrireFichier("data/joueur/mondial/records.txt", "1 1500 900 Ana\n4 2000 1 Bo\n");
    for (const std::vector<Pas>& p : parcours) {
        menu.clear();
        frameSysteme.clear();
        if (&p == &parcours.back()) std::remove("ghost/map1ghost0.qzg"), std::remove("ghost/pisteghost1.qzg");
        &p == &parcours[2] ? creerDossiers("data/joueur/reglages.txt") : void(std::filesystem::remove_all("data/joueur/reglages.txt"));
        for (int n = 0; n < 40; ++n) {
            char nom[32];
            std::snprintf(nom, sizeof nom, "maps/m%02d.txt", n);
            &p == &parcours[3] ? ecrireFichier(nom, kCourseDroite) : void(std::remove(nom));
        }
        const int base = systeme.frame() + M;
        for (size_t k = 1; k < p.size(); ++k) {
            const SDL_Keycode t = p[k].touche;
            const int f = base + 2 * static_cast<int>(k);
            SDL_Event cote{};
            cote.type = cote.wheel.type = SDL_MOUSEWHEEL;
            cote.wheel.x = 1;
            if (t == kMoletteHaut || t == kMoletteBas)
                systeme.molette(f, t == kMoletteHaut ? 1 : -1);
            else if (t == kMoletteCote)
                systeme.evenement(f, cote);
            else
                t == SDLK_RETURN || t == SDLK_ESCAPE ? systeme.relache(f, t) : systeme.tape(f, t);
        }
        ASSERT_EQ(lancer(), 0);
        EXPECT_TRUE(menu.front().logo && !a(base).logo);
        for (size_t k = 0; k < p.size(); ++k) {
            const InstantMenu& i = a(base + 2 * k + (k ? 1 : 0) - (p[k].ecran == "quit"));
            const bool fin = p[k].ecran == "quit";
            EXPECT_EQ(ecran(i) + (fin ? "" : " " + std::to_string(i.choix)),
                      p[k].ecran + (fin ? "" : " " + std::to_string(p[k].choix)))
                << "step " << k << " of the way from " << p[1].ecran;
            for (const auto& [t, c] : p[k].textes) EXPECT_EQ(couleur(i, t), c) << t << " at step " << k;
        }
        if (&p == &parcours[0]) {
            ASSERT_TRUE(texte(a(base), "Quitter") && texte(a(base), "by Mervo"));
            EXPECT_TRUE(texte(a(base), "Quitter")->y == -0.2 && texte(a(base), "by Mervo")->pos == 2);
        } else if (&p == &parcours[1]) {
            ASSERT_TRUE(texte(a(base + 5), "3.Flux"));
            EXPECT_DOUBLE_EQ(texte(a(base + 5), "3.Flux")->y, -0.1);
        } else if (&p == &parcours[3]) {
            ASSERT_TRUE(texte(a(base + 9), "piste") && texte(a(base + 7), "...") && texte(a(base + 9), "..."));
            EXPECT_DOUBLE_EQ(texte(a(base + 9), "piste")->y, -0.7) << "the last line of the screen";
            EXPECT_DOUBLE_EQ(texte(a(base + 7), "...")->y, -0.8) << "more below the first fifteen";
            EXPECT_DOUBLE_EQ(texte(a(base + 9), "...")->y, 0.8) << "more above the last fifteen";
        }
    }
    // The cursor sound on each press and each release of Up and Down, the confirm on Return.
    int curseurs = 0, boutons = 0;
    for (const auto& c : mixeur.appels("jouer")) {
        curseurs += c.fichier == "data/sound/cursor.wav";
        boutons += c.fichier == "data/sound/bouton.wav";
    }
    EXPECT_EQ(curseurs, 2 * 28 + 3);
    EXPECT_EQ(boutons, 21);
}

TEST_F(Menu, LaunchingFadesFor51FramesThenPlaysAndComesBackToARebuiltMenu) {
    versScenarios(systeme);
    systeme.tape(M + 6, SDLK_DOWN);
    systeme.relache(M + 8, SDLK_RETURN);  // level 2
    // During the fade: Down moves an invisible highlight, Return changes
    // nothing, Escape switches to the Play screen; the launch still comes.
    systeme.tape(M + 12, SDLK_DOWN);
    systeme.relache(M + 20, SDLK_RETURN);
    systeme.relache(M + 30, SDLK_ESCAPE);
    int depart = -1, retour = -1;
    systeme.surImage([&](int f) {
        if (instantMenu().swap) {
            menu.push_back(instantMenu());
            frameSysteme.push_back(f);
            if (depart > 0 && retour < 0) systeme.quitter((retour = f) + 3);
        } else if (depart < 0) {
            systeme.quitter((depart = f) + 5);  // closing the window ends the run, not the program
        }
    });
    EXPECT_EQ(lancer(), 0);

    // 51 darkening frames, 250 … 0, and the launch on the 52nd.
    const InstantMenu& choisi = a(M + 8);
    EXPECT_TRUE(choisi.fondu && choisi.fonduR == 250 && choisi.futureMap == "2.Promenade" && choisi.choix3 == 0);
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
    EXPECT_TRUE(apres.choix1 == 1 && apres.choix == 0 && !apres.fondu && apres.fonduR == 255);
    // The music stops for the run and starts again after it.
    std::string musique;
    for (const auto& c : mixeur.appels())
        if (c.op == "musique" || c.op == "arret") musique += c.op + ":" + c.fichier + " ";
    const std::string attendu = "musique:data/sound/menu.mp3 arret: musique:data/sound/ig.mp3 arret: "
                                "musique:data/sound/menu.mp3 ";
    EXPECT_EQ(musique.substr(0, attendu.size()), attendu);
}

TEST_F(Menu, AKeptGhostIsNumberedAfterTheListedOnesAndListedAtTheNextBuild) {
    // On a gamepad plugged in during the logo: A for "Jouer", "Scenario" and
    // level 1, the stick to the finish, the d-pad, A and Start at the end.
    ManetteVirtuelle manette(false);
    manette.plan(5, [&] { manette.brancher(); });
    for (int f : {M + 1, M + 3, M + 5}) manette.tape(f, SDL_CONTROLLER_BUTTON_A);
    manette.plan(kDepart + 2, [&] { manette.axe(SDL_CONTROLLER_AXIS_LEFTY, -32767); });
    const int fin = kDepart + 150;  // the course takes well under 150 frames; then the end-of-level menu
    manette.plan(fin, [&] { manette.axe(SDL_CONTROLLER_AXIS_LEFTY, 0); });
    for (int k = 1; k <= 3; ++k) manette.tape(fin + 2 * k, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    manette.tape(fin + 8, SDL_CONTROLLER_BUTTON_A);  // "Enregistrer le fantome"
    manette.tape(fin + 10, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    manette.tape(fin + 12, SDL_CONTROLLER_BUTTON_START);  // "Menu principal"
    bool retour = false;
    systeme.surImage([&](int f) {
        manette.image(f);
        if (!instantMenu().swap) return;
        menu.push_back(instantMenu());
        frameSysteme.push_back(f);
        if (!retour && f > fin) {
            retour = true;
            systeme.quitter(versFantomes(systeme, f) + 3);
        }
    });
    EXPECT_EQ(lancer(), 0);
    // Two ghosts were listed (last index 1): the new one is number 2. The
    // first finish of level 1 is its record, kept as its best ghost too.
    const InstantMenu& liste = menu[menu.size() - 2];  // the last frame quits and draws no text
    EXPECT_EQ(ecran(liste), "list2/4");
    EXPECT_TRUE(texte(liste, "map1ghost2") && texte(liste, "map1-record"));
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2") << "level 1 is below the highest unlocked";
}

TEST_F(Menu, AfterTheLastScenarioLevelAnEndScreenGivesTheTotalOfTheRecordsThenTheMenu) {
    ecrireFichier("data/joueur/niveau.txt", "3");
    ecrireFichier("data/joueur/records.txt", "niveau 1 1000 5\nniveau 2 200 5\n");
    systeme.tape(versScenarios(systeme) + 1, SDLK_UP);  // level 3, the last
    systeme.relache(M + 8, SDLK_RETURN);
    const int fin = M + 8 + 51 + 150;  // the course takes well under 150 frames
    systeme.appui(M + 8 + 53, SDLK_UP);
    systeme.relache(fin, SDLK_UP);
    systeme.tape(fin + 2, SDLK_RETURN);  // "Niveau suivant"
    systeme.relache(fin + 60, SDLK_RETURN);
    systeme.quitter(fin + 64);
    EXPECT_EQ(lancer(), 0);
    const std::string records = lireFichier("data/joueur/records.txt");
    const std::string total = std::to_string(1200 + std::stoi(records.substr(records.find("niveau 3 ") + 9)));
    const InstantMenu& ecranFin = a(fin + 59);
    EXPECT_TRUE(texte(ecranFin, "Tous les niveaux sont finis") && texte(ecranFin, "Total des records : " + total + " points"));
    EXPECT_EQ(couleur(ecranFin, "Jouer"), '-');
    EXPECT_EQ(couleur(a(fin + 61), "Jouer"), 'O') << "Return: back to the menu";
    for (const InstantMenu& i : menu)
        for (const TexteMenu& t : i.textes) EXPECT_EQ(t.texte.find("illisible"), std::string::npos) << t.texte;
}

TEST_F(Menu, ASetMadeInTheEditorIsPlayedInOrderUnlockingOneByOneWithItsOwnRecordsAndEndScreen) {
    donneesEditeur();
    for (const char* m : {"maps/a.txt", "maps/b.txt", "maps/c.txt"}) ecrireFichier(m, kCourseDroite);
    // The editor: "Nouvelle serie", a title typed, maps added, one taken out,
    // one moved up and down, saved; each step with a text the panel shows.
    for (int k = 0; k < 3; ++k) systeme.tape(1 + 2 * k, SDLK_DOWN);
    systeme.tape(7, SDLK_RETURN);
    SDL_Event titre{};
    titre.type = SDL_TEXTINPUT;
    std::snprintf(titre.text.text, sizeof titre.text.text, "Ma serie");
    systeme.evenement(10, titre);
    const struct { SDL_Keycode k; Uint16 mod; std::vector<std::string> vus; } pas[] = {
        {SDLK_RETURN, 0, {"Serie : Ma serie_", "1.a.txt"}}, {SDLK_DOWN, 0, {}}, {SDLK_RETURN, 0, {"2.b.txt"}},
        {SDLK_DOWN, 0, {}}, {SDLK_RETURN, 0, {"3.c.txt"}}, {SDLK_DOWN, 0, {}}, {SDLK_RETURN, 0, {"4.piste.txt"}},
        {SDLK_TAB, 0, {}}, {SDLK_DELETE, 0, {"3.c.txt"}}, {SDLK_PAGEUP, 0, {"2.c.txt", "3.b.txt"}},
        {SDLK_ESCAPE, 0, {"Non enregistree : Echap pour quitter"}}, {SDLK_PAGEDOWN, 0, {"2.b.txt", "3.c.txt"}},
        {SDLK_s, KMOD_LCTRL, {"Sauvee: sets/ma-serie.txt"}}, {SDLK_ESCAPE, 0, {"Nouvelle serie"}}};
    std::map<int, std::vector<std::string>> textes;
    for (size_t i = 0; i < std::size(pas); ++i) systeme.tape(12 + 2 * static_cast<int>(i), pas[i].k, 1, pas[i].mod);
    systeme.tape(12 + 2 * static_cast<int>(std::size(pas)), SDLK_ESCAPE);
    systeme.surImage([&](int f) { textes[f] = systeme.textes(); });
    editeur::Menu(640, 480).lancer();
    for (size_t i = 0; i < std::size(pas); ++i)
        for (const std::string& t : pas[i].vus) {
            const std::vector<std::string>& v = textes[13 + 2 * static_cast<int>(i)];
            EXPECT_NE(std::find(v.begin(), v.end(), t), v.end()) << "step " << i << ": " << t;
        }
    EXPECT_EQ(lireFichier("maps/sets/ma-serie.txt"), "Ma serie\na.txt\nb.txt\nc.txt\n");

    // The game: "Scenario", Down past level 3 (locked) to the set, its list,
    // Escape and back, its first level; each finish goes on by "Niveau suivant".
    systeme.oublier();
    int m = -1, fin = -1;
    bool tenu = false;
    size_t runs = 0;  // the runs begun, each opening the run's music
    const auto lancees = [&] {
        const auto& a = mixeur.appels();
        return static_cast<size_t>(std::count_if(a.begin(), a.end(), [](const auto& c) { return c.op == "musique" && c.fichier == "data/sound/ig.mp3"; }));
    };
    std::vector<std::string> progres;
    systeme.surImage([&](int f) {
        const std::vector<std::string>& t = systeme.textes();
        const bool finNiveau = std::find(t.begin(), t.end(), "Niveau suivant") != t.end();
        if (instantMenu().swap) {
            menu.push_back(instantMenu());
            frameSysteme.push_back(f);
            if (m < 0 && !instantMenu().logo) {
                m = f;
                const SDL_Keycode touches[] = {SDLK_RETURN, SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN,
                                               SDLK_ESCAPE, SDLK_RETURN, SDLK_RETURN};
                for (int k = 0; k < 8; ++k) systeme.tape(m + 2 + 2 * k, touches[k]);
            }
            if (fin < 0 && texte(instantMenu(), "Tous les niveaux sont finis")) {
                systeme.tape((fin = f) + 2, SDLK_RETURN);
                systeme.quitter(f + 6);
            }
        } else if (lancees() > runs) {  // a run begins: the ball goes straight to the finish
            runs = lancees();
            systeme.appui(f + 2, SDLK_UP), tenu = true;
        } else if (finNiveau && tenu) {
            progres.push_back(lireFichier("data/joueur/series/ma-serie.txt"));
            systeme.relache(f + 1, SDLK_UP), systeme.tape(f + 3, SDLK_RETURN), tenu = false;
        }
    });
    EXPECT_EQ(lancer(), 0);
    ASSERT_GT(m, 0);
    EXPECT_EQ(ecran(a(m + 9)), "list0/4");
    EXPECT_EQ(a(m + 9).choix, 3u) << "level 3 is locked: Down goes on to the set";
    EXPECT_EQ(couleur(a(m + 9), "Ma serie"), 'O');
    EXPECT_EQ(ecran(a(m + 11)), "list3/1");
    EXPECT_EQ(std::string() + couleur(a(m + 11), "a") + couleur(a(m + 11), "b") + couleur(a(m + 11), "c"), "OGG");
    EXPECT_EQ(ecran(a(m + 13)) + " " + std::to_string(a(m + 13).choix), "list0/4 3") << "Escape: back on the set";
    EXPECT_EQ(a(m + 17).futureMap, "a");
    EXPECT_EQ(progres, (std::vector<std::string>{"2", "3", "3"})) << "unlocked one by one";
    ASSERT_GT(fin, 0);
    const Records r = recordsConnus(nullptr, "data/joueur/series/records/ma-serie.txt");
    ASSERT_EQ(r.niveaux.size(), 3u);
    long long total = 0;
    for (const auto& n : r.niveaux) total += n.second.points;
    EXPECT_TRUE(texte(a(fin), "Ma serie") && texte(a(fin), "Total des records : " + std::to_string(total) + " points"));
    EXPECT_EQ(couleur(a(fin + 3), "Jouer"), 'O') << "Return: back to the menu";
    EXPECT_TRUE(existe("ghost/serie-ma-serie-3-record.qzg"));
    // The scenario's own progress and records are left as they were, byte for byte.
    EXPECT_EQ(lireFichier("data/joueur/niveau.txt"), "2");
    EXPECT_FALSE(existe("data/joueur/records.txt"));
}

TEST_F(Menu, AGhostIsReplayedWithTheMenuMusicPlayingAndWhatStoppedOneShowsForThreeSeconds) {
    ecrireFichier("ghost/orphelin.qzg", "@maps/niveau/map7.qzm\n@0,0,2\n");
    const int liste = versFantomes(systeme);
    systeme.relache(liste + 1, SDLK_RETURN);  // the first ghost: one position, then the end of the file
    const std::string ligne = "Niveau du fantome illisible : map7.qzm";
    int replay = 0, retours = 0;
    Uint32 retour = 0, vu = 0;
    systeme.surImage([&](int f) {
        if (!instantMenu().swap) return void(++replay);
        menu.push_back(instantMenu());
        frameSysteme.push_back(f);
        if (menu.back().choix1 == 1 && menu.size() > 1 && menu[menu.size() - 2].choix1 != 1 && ++retours == 1) {
            const int liste = versFantomes(systeme, f);
            systeme.tape(liste + 1, SDLK_DOWN);
            systeme.relache(liste + 3, SDLK_RETURN);  // "orphelin"
        }
        if (texte(menu.back(), ligne)) vu = systeme.maintenant(), retour = retour ? retour : vu;
        if (retour && systeme.maintenant() > retour + 4000) systeme.quitter(f + 1);
    });
    EXPECT_EQ(lancer(), 0);
    EXPECT_EQ(a(liste + 1).futureMap, "map1ghost0.qzg");
    EXPECT_EQ(replay, 2);
    EXPECT_EQ(mixeur.compte("musique"), 1) << "started after the logo, never stopped for a replay";
    EXPECT_EQ(mixeur.compte("arret"), 1) << "only at shutdown";
    ASSERT_GT(retour, 0u) << "the reason never showed";
    EXPECT_EQ(couleur(menu[menu.size() - 2], "Jouer"), 'O') << "the menu works meanwhile";
    EXPECT_NEAR(static_cast<double>(vu - retour), 3000, 60);
}

TEST_F(Menu, WithoutAReadableProgressFileLevelOneIsOpenAndWithoutALevelFolderOrABackgroundLevelTheMenuSaysSo) {
    std::remove("data/joueur/niveau.txt");
    for (const char* f : {"niveau.txt", "records.txt"}) std::filesystem::create_symlink(f, std::string("data/joueur/") + f);  // unreadable
    versNiveauUn(systeme);
    systeme.quitter(M + 8);
    std::string err = sortieErreur([&] { EXPECT_EQ(lancer(), 0); });
    EXPECT_EQ(a(M + 5).choixMax, 1u);
    EXPECT_TRUE(texte(a(M + 1), "Progression illisible : laissee intacte\nRecords illisibles : laisses intacts"));
    EXPECT_TRUE(a(M + 7).fondu && a(M + 7).futureMap == "1.Camp d'entrainement");

    std::filesystem::remove_all("maps/niveau");
    systeme.quitter(systeme.frame() + M + 2);
    err = sortieErreur([&] { EXPECT_EQ(lancer(), 0); });
    EXPECT_NE(err.find("no maps/niveau/ folder"), std::string::npos) << err;

    std::remove("maps/menu/menu.txt");
    const int avant = systeme.frame();
    err = sortieErreur([&] { EXPECT_NE(lancer(), 0); });
    EXPECT_EQ(systeme.frame(), avant) << "ended before the first frame";
    EXPECT_NE(err.find("maps/menu/menu.txt"), std::string::npos) << err;
}

using Boite = std::array<int, 4>;  // [x0, x1) × [y0, y1) as x0, y0, x1, y1, pixels from the top left

// The box of the pixels of colour `c` (of any other colour, when not `egal`).
Boite boite(Pixel c, bool egal = true) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const std::vector<Pixel> e = lireEcran();
    Boite b{INT_MAX, INT_MAX, -1, -1};
    for (int y = 0; y < v[3]; ++y)
        for (int x = 0; x < v[2]; ++x)
            if ((e[size_t(y) * v[2] + x] == c) == egal) b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x + 1), std::max(b[3], y + 1)};
    return b;
}

TEST_F(Menu, AtAnySizeTheFlatLayerIsTheDesignScaledAndCentredAndTheSceneKeepsItsVerticalField) {
    // Without the font and the logo's image (none in this game folder), each
    // glyph and the logo are plain quads: the logo grey, the highlighted entry orange.
    const Pixel gris{252, 252, 252}, orange{221, 137, 107};
    const struct { int frame; Pixel couleur; Boite design; } dessins[] = {
        {100, gris, {0, 0, 640, 480}},                  // the logo at its brightest
        {M + 1, orange, {280, 192, 376, 216}},          // "Jouer"
        {kDepart + 150, orange, {208, 192, 448, 216}},  // "Niveau suivant", the run over
    };
    std::array<double, 4> balle{};  // the ball on the run's first frame at 640 × 480, in heights from the centre
    for (const auto& [l, h] : {std::pair{640, 480}, {800, 600}, {1280, 720}, {1920, 1080}, {600, 900}}) {
        SCOPED_TRACE(std::to_string(l) + "x" + std::to_string(h));
        EXIGER_FENETRE();
        tailleFenetreTest(l, h);
        SystemeScript s;
        versNiveauUn(s);
        s.appui(kDepart + 2, SDLK_UP);
        s.arret(kDepart + 152);
        const double e = std::min(l / 640.0, h / 480.0), mx = (l - 640 * e) / 2, my = (h - 480 * e) / 2;  // scale, margins
        s.surImage([&, l = l, h = h](int f) {
            // Only the frames looked at are drawn whole (the others in a corner, for speed).
            glScissor(0, 0, 8, 8), f + 1 == 100 || f + 1 == M + 1 || f % 150 == (kDepart - 1) % 150 ? glDisable(GL_SCISSOR_TEST) : glEnable(GL_SCISSOR_TEST);
            for (const auto& d : dessins) {
                const Boite b = d.frame == f ? boite(d.couleur) : Boite{};
                for (int k = 0; d.frame == f && k < 4; ++k) EXPECT_NEAR(b[k], (k % 2 ? my : mx) + d.design[k] * e, 1) << f;
            }
            if (f != kDepart) return;
            // The ball, grey and shaded over the white course and sky: its box
            // scales with the height alone and stays at the centre.
            const Boite b = boite(Pixel{255, 255, 255}, false);
            for (int k = 0; k < 4; ++k) {
                const double r = (b[k] - (k % 2 ? h : l) / 2.0) / h;
                if (l == 640) balle[k] = r;
                EXPECT_NEAR(r * h, balle[k] * h, 1.5) << k;
            }
        });
        EXPECT_EQ(SDL_main(0, nullptr), 0);
    }
}

TEST_F(Menu, TheOptionsApplyAtOnceAndAreReadBackAtTheNextStart) {
    // Options; music at 0, effects at 7, full screen, the racing ghost off,
    // past the racing ghost's owner, vertical sync, the frame cap and the keys,
    // ghost saving off; Escape twice.
    int f = M;
    auto tape = [&](SDL_Keycode k, int n = 1) {
        for (int i = 0; i < n; ++i, f += 2) k == SDLK_RETURN || k == SDLK_ESCAPE ? systeme.relache(f, k) : systeme.tape(f, k);
    };
    tape(SDLK_DOWN, 2), tape(SDLK_RETURN), tape(SDLK_DOWN), tape(SDLK_LEFT, 11), tape(SDLK_DOWN), tape(SDLK_LEFT, 3);
    tape(SDLK_DOWN), tape(SDLK_RETURN), tape(SDLK_DOWN), tape(SDLK_RETURN), tape(SDLK_DOWN, 5), tape(SDLK_RETURN);
    tape(SDLK_ESCAPE, 2);
    EXPECT_EQ(lancer(), 0);
    for (const char* l : {"volume_musique 0\n", "volume_effets 7\n", "fantome_course 0\n", "plein_ecran 1\n",
                          "sauver_fantome 0\n"})
        EXPECT_NE(lireFichier("data/joueur/reglages.txt").find(l), std::string::npos) << l;
    EXPECT_EQ(mixeur.appels("volumeMusique").back().volume, 0) << "the music silenced at once";
    EXPECT_EQ(mixeur.appels("jouer").back().volume, 60 * 7 / 10) << "the cursor, effects at 7";

    // The next start: full screen, silent music, the settings shown.
    mixeur.effacer(), menu.clear(), frameSysteme.clear();
    const int base = f = systeme.frame() + M;
    systeme.oublier();
    tape(SDLK_DOWN, 2), tape(SDLK_RETURN);
    systeme.quitter(f + 1);
    // The window opened afresh: full screen, with 16 multisamples, or 4 when
    // the driver refuses 16, which is said; none asked for where the renderer
    // is the processor (Mesa's llvmpipe here).
    bool plein = false, logiciel = false;
    int echantillons = 0;
    surMenu = [&](const InstantMenu&) {
        glScissor(0, 0, 8, 8), glEnable(GL_SCISSOR_TEST);  // no pixel is looked at: quicker
        plein = pleinEcran() && std::string(SDL_GetWindowTitle(fenetreGL())) == "Vorna 1.4";
        SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &echantillons);
        logiciel = std::strstr(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), "llvmpipe");
    };
    const std::string err = sortieErreur([&] { EXPECT_EQ(lancer(), 0); });
    const bool refuse = err.find("vorna: 16 multisamples refused") != std::string::npos;
    EXPECT_TRUE(plein && echantillons == (logiciel ? 0 : refuse ? 4 : 16)) << err;
    EXPECT_FALSE(logiciel && refuse) << err;
    EXPECT_EQ(mixeur.appels("musique").at(0).volume, 0);
    for (const char* t : {"-Volume musique 0", "-Volume effets 7", "-Plein ecran oui", "-Fantome de course non",
                          "-Jamais sauver fantome"})
        EXPECT_NE(texte(a(base + 6), t), nullptr) << t;
}

// SIGINT or SIGTERM on any screen ends the whole program within two frames,
// releasing everything as a normal exit does.
struct CasSignal {
    const char* ecran;
    int signal;
    std::function<int(SystemeScript&)> chemin;  // scripts the way there; returns the frame of the signal
};

const CasSignal kSignaux[] = {
    {"logo", SIGTERM, [](SystemeScript&) { return 50; }},
    {"menu", SIGINT, [](SystemeScript&) { return M + 3; }},
    {"run", SIGTERM, [](SystemeScript& s) { return versNiveauUn(s) + 5; }},
    {"pause", SIGINT, [](SystemeScript& s) { return s.relache(versNiveauUn(s) + 3, SDLK_ESCAPE), kDepart + 6; }},
    {"finish", SIGTERM,
     [](SystemeScript& s) { return s.appui(versNiveauUn(s) + 2, SDLK_UP), kDepart + 160; }},
    {"replay", SIGINT,  // the first ghost, 100 positions long
     [](SystemeScript& s) { return s.relache(versFantomes(s) + 1, SDLK_RETURN), M + 10 + 51 + 20; }},
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
        if ((dernier = n) != f) return;
        enCours = existe(PartieScriptee::travail());
        std::raise(c.signal);
    });
    EXPECT_EQ(lancer(), 128 + c.signal);
    EXPECT_LE(dernier - f, 2);
    EXPECT_EQ(mixeur.vivants(), 0);
    EXPECT_EQ(listerDossier("./ghost", "enregistrement"), std::vector<std::string>{});
    EXPECT_TRUE(enCours || std::string(c.ecran) != "run") << "the signal came during the recording";
}

INSTANTIATE_TEST_SUITE_P(Ecrans, MenuSignal, ::testing::ValuesIn(kSignaux),
                         [](const testing::TestParamInfo<CasSignal>& i) { return std::string(i.param.ecran); });

}  // namespace
