// SPDX-License-Identifier: GPL-3.0-or-later
// The editor driven with scripted keys and mouse as a designer uses it, and a
// map built in it played to its finish by the game.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "application.h"
#include "bout_en_bout.h"
#include "course_auteur.h"
#include "donnees_editeur.h"
#include "dossier.h"
#include "edition.h"
#include "envoi_carte.h"
#include "fsound.h"
#include "jeu.h"
#include "menu_editeur.h"
#include "mixeur_enregistreur.h"
#include "navigateur.h"
#include "niveau.h"
#include "palette.h"
#include "pilote.h"
#include "score.h"
#include "selection.h"
#include "serveur_hostile.h"
#include "systeme_script.h"
#include "texture.h"
#include "verification.h"

namespace {

namespace fs = std::filesystem;
using editeur::InstantEdition;
using editeur::instantEdition;

std::string ligne(const Enregistrement& e) {
    char l[240];
    std::snprintf(l, sizeof l, "%d %.9g,%.9g,%.9g %.9g %.9g,%.9g,%.9g %.9g,%.9g,%.9g %s", e.type, e.x, e.y, e.z, e.vie,
                  e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, e.texture.c_str());
    return l;
}
// The records of a level file, one line each.
std::vector<std::string> enregistrements(const std::string& chemin) {
    std::vector<std::string> r;
    lireEnregistrements(chemin, [&](const Enregistrement& e, int) { r.push_back(ligne(e)); });
    return r;
}
// The placed objects of a session's frame, the cursor left out, with their textures.
std::vector<std::string> places(const InstantEdition& i) {
    std::vector<std::string> r;
    for (int k = 0; k < i.nbre_obj; ++k) r.push_back(ligne(i.objets[k].enregistrement("")) + std::to_string(i.objets[k].getText()));
    return r;
}

// A key and the modifiers it is pressed with; SDLK_UNKNOWN for the window's close button.
struct Touche {
    Touche(SDL_Keycode c, Uint16 m = 0) : k(c), mod(m) {}
    SDL_Keycode k;
    Uint16 mod;
};
Touche ctrl(SDL_Keycode k) { return {k, KMOD_LCTRL}; }
Touche maj(SDL_Keycode k) { return {k, KMOD_LSHIFT}; }

// Text typed, as SDL hands it to a window.
SDL_Event texteTape(const char* t) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", t);
    return e;
}

struct Editeur : ::testing::Test {
    DossierTemporaire dossier;
    SystemeScript systeme;
    std::map<int, InstantEdition> images;  // an editing session's state at each frame of the seam
    std::function<void(int)> surFrame;
    int f = 4;  // the next frame free in the script

    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
        dossier.arborescenceJeu();
        donneesEditeur();
        systeme.limite(3000);
        systeme.surImage([this](int frame) {
            if (instantEdition().swap) images[frame] = instantEdition();
            if (surFrame) surFrame(frame);
        });
    }
    // Each key pressed and released on the next frame, one after the other;
    // a movement key held for n frames moves n steps.
    void taper(const std::vector<Touche>& touches) {
        for (const Touche& t : touches) t.k ? systeme.tape(f, t.k, 1, t.mod) : systeme.quitter(f), f += 2;
    }
    void tenir(SDL_Keycode k, int n) { systeme.tape(f, k, n), f += n + 2; }
    // Where the view of frame `i` shows the point p, in window points.
    static std::array<int, 2> ecran(const InstantEdition& i, const std::array<double, 3>& p) {
        const editeur::VueImage& v = i.vueImage;
        double x, y, z;
        gluProject(p[0], p[1], p[2], v.modele, v.projection, v.viewport, &x, &y, &z);
        return {int(x), v.hauteurFenetre - int(y)};
    }
    static std::array<int, 2> ecran(const InstantEdition& i, int objet) {
        const editeur::Heros& h = i.objets[objet];
        return ecran(i, {h.getX(), h.getY(), h.getZ()});
    }
    // The editing session's state at the seam's frame `n` (none throws, failing the test), first, last.
    const InstantEdition& a(int n) const { return images.at(n); }
    const InstantEdition& premiere() const { return images.begin()->second; }
    const InstantEdition& derniere() const { return images.rbegin()->second; }
    // Runs a session on `map` with the keys scripted from `touches` on, then Escape
    // (twice: the question before leaving changes not saved).
    void editer(const std::string& map, const std::vector<Touche>& touches = {}) {
        images.clear();
        taper(touches);
        taper({SDLK_ESCAPE, SDLK_ESCAPE});
        editeur::jouer(map, 0);
        systeme.oublier();
        f = systeme.frame() + 2;
    }
};

TEST_F(Editeur, ANewMapFromTheMenuIsSavedStartFirstThenEveryPlacedObjectInOrder) {
    const std::string carte = "@1,0,0,0,0,1,1,1,0,0,0,textureSol\n@1,1,1,1,0,1,1,1,0,0,0,textureSol\n";
    ecrireFichier("maps/mapperso2.txt", carte);  // the one map listed: number 2 is taken
    // A 1280 × 720 window: the menu is the 640 × 480 design scaled by 1.5, the pointer taken alike.
    tailleFenetreTest(1280, 720);
    // The pointer over "Quitter", then moved over "Nouvelle map" (unscaled,
    // "Quitter") and clicked there in one frame: the click's own place counts.
    systeme.mouvement(1, 640, 562);
    systeme.mouvement(3, 900, 300);
    systeme.bouton(3, 1, false, 900, 300);
    f = 6;
    taper({SDLK_SPACE, SDLK_RETURN, SDLK_SPACE});  // too few objects: nothing saved
    const int placee = f - 3;
    tenir(SDLK_w, 3);
    taper({SDLK_UP, SDLK_t, SDLK_RETURN, SDLK_t});  // a floor block
    tenir(SDLK_d, 2);
    taper({SDLK_RETURN, SDLK_r, SDLK_r, SDLK_r, SDLK_r, SDLK_r, SDLK_r, SDLK_n, SDLK_RETURN, SDLK_r});  // a wall, a checkpoint
    tenir(SDLK_e, 2);
    taper({SDLK_LEFT, SDLK_RETURN, SDLK_SPACE});  // a start block, saved
    const int sauvegarde = f - 1;
    for (int i = 0; i < 12; ++i) taper({SDLK_t});
    const int apresT = f - 1;
    for (int cran : {1, 1, 1, -1}) systeme.molette(f, cran), f += 2;
    taper({SDLK_x, SDLK_ESCAPE});
    const int filaire = f - 3;
    systeme.mouvement(f + 2, 320, 375);  // over "Quitter"
    systeme.bouton(f + 4, 1, false, 320, 375);
    int premiereVue = -1;
    std::vector<double> distances;
    surFrame = [&](int n) {
        if (premiereVue < 0 && existe("maps/mapperso3.txt")) premiereVue = n;
        if (instantEdition().swap && (distances.empty() || distances.back() != instantEdition().distanceCam))
            distances.push_back(instantEdition().distanceCam);
    };
    editeur::Menu(640, 480).lancer();
    tailleFenetreTest(640, 480);

    ASSERT_FALSE(images.empty()) << "the editing session never ran";
    EXPECT_EQ(premiere().objets.size(), 1u) << "a new map holds the start, which is the cursor";
    EXPECT_EQ(premiere().mapALoad, "maps/mapperso3.txt") << "named from the first free number before any save";
    EXPECT_TRUE(a(placee).modifiee && a(sauvegarde - 2).modifiee && !a(sauvegarde).modifiee);
    EXPECT_EQ(a(placee - 2).message, "Placez au moins deux objets") << "Space says why it saves nothing";
    EXPECT_EQ(a(sauvegarde).message, "Sauvee: mapperso3.txt");
    EXPECT_EQ(premiereVue, sauvegarde) << "Space saves only once two objects are placed";
    EXPECT_EQ(a(sauvegarde).objet_courant, 7);
    EXPECT_EQ(a(apresT).objet_courant, 7) << "t twelve times comes back to the same kind";
    EXPECT_EQ(distances, (std::vector<double>{10, 7, 4, 7})) << "in to 4 and no nearer, out by 3";
    EXPECT_EQ(a(filaire).vue, 1);
    EXPECT_EQ(lireFichier("maps/mapperso2.txt"), carte) << "a player's map is never replaced";
    // The start and four objects, never the cursor.
    EXPECT_EQ(enregistrements("maps/mapperso3.txt"),
              (std::vector<std::string>{"0 2,2,20 5 2,2,2 0,0,0 textureSphere", "1 -1,2,20 5 3,2,2 0,0,0 textureSol",
                                        "1 -1,4,20 5 3,2,2 0,0,0 textureCaisse",
                                        "7 -1,4,20 5 3,2,1 0,0,0 textureSauvegarde",
                                        "6 -1,4,22 5 3,1,1 0,0,0 textureDepart"}));
}

TEST_F(Editeur, OpenedMapsOfEveryKindSaveBackToTheSameRecordsAndUnreadableOnesOpenAsNewMaps) {
    // The shipped free maps and the menu's level use only words the editor writes back.
    for (const char* map : {"Belvedere.txt", "Toboggan.txt", "Archipel.txt", "menu/menu.txt"})
        fs::copy_file(std::string(VORNA_SOURCE_DIR) + "/maps/" + map, std::string("maps/") + map);
    ecrireFichier("maps/tout.txt",
                  "@0,1.5,-2.25,3,4,1,1,1,10,20,30,textureSphere\n"
                  "@1,0.1,0,0,0,8,4,1,0,0,0,textureSol\n@1,1,0,0,0,8,4,1,0,0,0,textureCaisse\n"
                  "@2,2,0,0,0,2,2,1,0,0,0,textureJump\n@3,3,0,0,0,2,2,1,0,0,0,textureSpeed\n"
                  "@4,4,0,0,0,2,2,1,0,0,0,textureArrivee\n@5,5,0,-9,0,50,50,1,0,0,0,textureVide\n"
                  "@6,6,0,0,0,2,2,1,0,0,0,textureDepart\n@7,7,0,0,0,2,2,1,0,0,0,textureSauvegarde\n"
                  "@8,8,0,3,1,0.5,0.5,0.5,0,0,0,textureSphere\n@9,9,0,3,0,0.5,0.5,0.5,0,0,0,textureSpeed\n"
                  "@10,10,0,0,0,1,1,1,0,0,0,textureCaisse\n@11,11,0,0,0,1,1,1,0,0,0,textureSol\n"
                  "@12,12,0,0,0,1,1,1,0,0,0,textureBidon\n@0,13,0,5,0,1,1,1,0,0,0,textureSphere\n");
    std::vector<int> types;  // of the objects of the last map opened
    for (const std::string map : {"Belvedere.txt", "Toboggan.txt", "Archipel.txt", "menu/menu.txt", "tout.txt"}) {
        const std::vector<std::string> avant = enregistrements("maps/" + map);
        editer(map, {SDLK_SPACE});
        EXPECT_EQ(enregistrements("maps/" + map), avant) << map;
        const std::vector<editeur::Heros>& o = premiere().objets;
        ASSERT_EQ(o.size(), avant.size() + 1) << map;
        EXPECT_EQ(o.back().getObj(), 0) << "the cursor starts as a player's start, where the map's is";
        EXPECT_TRUE(o.back().getX() == o[0].getX() && o.back().getY() == o[0].getY() && o.back().getZ() == o[0].getZ());
        types.clear();
        for (const editeur::Heros& h : o) types.push_back(h.getObj());
    }
    EXPECT_EQ(types, (std::vector<int>{0, 1, 1, 3, 4, 5, 6, 7, 8, 9, 10, -1, -1, -1, 11, 0})) << "tout.txt, the last";
    EXPECT_NE(premiere().objets[1].getText(), premiere().objets[2].getText()) << "a wall shows as a wall, not a floor";

    ecrireFichier("maps/vide.txt", "");
    ecrireFichier("maps/notes.txt", "pas une map\n");
    for (const std::string map : {"absente.txt", "vide.txt", "notes.txt"}) {
        const std::string avant = existe("maps/" + map) ? lireFichier("maps/" + map) : "(none)";
        const std::string err = sortieErreur([&] { editer(map, {SDLK_RETURN, SDLK_RETURN, SDLK_SPACE}); });
        EXPECT_NE(err.find("maps/" + map + " cannot be opened or holds no record"), std::string::npos) << err;
        const InstantEdition& i = premiere();
        ASSERT_EQ(i.objets.size(), 1u) << map;
        EXPECT_TRUE(i.objets[0].getX() == 2 && i.objets[0].getY() == 2 && i.objets[0].getZ() == 20);
        EXPECT_EQ(i.mapALoad.rfind("maps/mapperso", 0), 0u) << i.mapALoad;
        EXPECT_EQ(enregistrements(i.mapALoad).size(), 2u) << map;
        EXPECT_EQ(existe("maps/" + map) ? lireFichier("maps/" + map) : "(none)", avant);
    }
}

TEST_F(Editeur, PickUpsAndSpheresFromThePaletteAreSavedAsTheGameReadsThem) {
    taper({SDLK_RETURN});
    for (int i = 0; i < 9; ++i) taper({SDLK_t});  // past the blocks: "Vie"
    tenir(SDLK_s, 2);
    taper({SDLK_RETURN, SDLK_t});
    const int speed = f - 1;
    tenir(SDLK_d, 2);
    taper({SDLK_RETURN, SDLK_t, SDLK_RETURN, SDLK_SPACE});
    editer("nomap");
    EXPECT_EQ(editeur::objToChar(a(speed).objet_courant, "nature"), "Speed");
    ContenuNiveau c;
    ASSERT_TRUE(chargerNiveau("maps/mapperso1.txt", reglesPartie(Texture()), c));
    ASSERT_TRUE(c.bonus.size() == 2 && c.spheres.size() == 1 && c.cubes.empty());
    EXPECT_EQ(c.bonus[0].getClasse() + " " + c.bonus[1].getClasse(), "vie speed");
    EXPECT_TRUE(c.bonus[0].getX() == 4 && c.bonus[1].getY() == 4 && c.spheres[0].getY() == 4);
    EXPECT_EQ(enregistrements("maps/mapperso1.txt")[1], "8 4,2,20 5 2,2,2 0,0,0 textureSphere");
    EXPECT_EQ(enregistrements("maps/mapperso1.txt")[2], "9 4,4,20 5 2,2,2 0,0,0 textureSpeed");
}

TEST_F(Editeur, AFailedSaveKeepsTheOldFileSaysSoAndTheMapCanBeSavedLater) {
    fs::copy_file(std::string(VORNA_SOURCE_DIR) + "/maps/Belvedere.txt", "maps/b.txt");
    const std::string avant = lireFichier("maps/b.txt");
    const size_t nombreAvant = enregistrements("maps/b.txt").size();
    // A full disk, as the file-size limit makes it (chmod does not stop root).
    rlimit ancienne{};
    getrlimit(RLIMIT_FSIZE, &ancienne);
    const int echec = 7;  // the frame Space is released in
    bool gardee = false;
    surFrame = [&](int n) {
        if (n == echec - 1) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit petite = ancienne;
            petite.rlim_cur = 600;  // less than the map, more than the messages
            setrlimit(RLIMIT_FSIZE, &petite);
        } else if (n == echec) {
            setrlimit(RLIMIT_FSIZE, &ancienne);
            signal(SIGXFSZ, SIG_DFL);
            gardee = lireFichier("maps/b.txt") == avant;
        }
    };
    f = echec - 1;
    const std::string err = sortieErreur([&] { editer("b.txt", {SDLK_SPACE, SDLK_RETURN, SDLK_SPACE}); });
    EXPECT_EQ(a(echec).message, "Sauvegarde impossible");
    EXPECT_TRUE(gardee) << "the old file is left whole";
    EXPECT_NE(err.find("the map is not saved"), std::string::npos) << err;
    EXPECT_TRUE(a(echec + 2).modifiee && !derniere().modifiee) << "the unsaved mark shows";
    EXPECT_EQ(enregistrements("maps/b.txt").size(), nombreAvant + 1) << "saved later with the object placed meanwhile";
    EXPECT_EQ(std::distance(fs::directory_iterator("maps"), fs::directory_iterator()), 3)
        << "no temporary file is left (b.txt, menu/, niveau/)";
}

TEST_F(Editeur, ThePlayTestSavesTheMapThenRunsTheGameOnItAndWaits) {
    // The ./vorna script (nullptr: none), objects placed with Return, the message, what the script saw.
    const struct { const char *programme; int retours; const char *message, *lancement; } cas[] = {
        {"exit 0", 2, "Sauvee: mapperso1.txt", "--map|mapperso1|--course-sortie|SORTIE|2\n"},
        {"exit 3", 2, "Le jeu s'est arrete sur une erreur", "--map|mapperso1|--course-sortie|SORTIE|2\n"},
        {nullptr, 2, "Impossible de lancer vorna", ""},
        {"exit 0", 1, "Placez d'abord deux objets", ""},
    };
    for (const auto& c : cas) {
        fs::remove_all("maps");
        creerDossiers("maps");
        std::remove("lancement.txt");
        std::remove("vorna");
        if (c.programme) {
            ecrireFichier("vorna", std::string("#!/bin/sh\nprintf '%s|' \"$@\" > lancement.txt\n"
                                               "grep -c @ \"maps/$2.txt\" >> lancement.txt\n") + c.programme + "\n");
            chmod("vorna", 0755);
        }
        for (int k = 0; k < c.retours; ++k) taper({SDLK_RETURN});
        const int essai = f + 1;
        sortieErreur([&] { editer("nomap", {SDLK_F5}); });
        EXPECT_EQ(a(essai).message, c.message);
        std::string lancement = c.lancement;
        if (lancement.find("SORTIE") != std::string::npos)
            lancement.replace(lancement.find("SORTIE"), 6, "data/joueur/.course-essai-" + std::to_string(getpid()));
        EXPECT_EQ(existe("lancement.txt") ? lireFichier("lancement.txt") : "", lancement) << c.message;
    }
}

TEST_F(Editeur, AMapBuiltInTheEditorIsPlayedToItsFinishByTheGame) {
    taper({SDLK_RETURN, SDLK_t});  // the start, then a floor block under it
    tenir(SDLK_q, 5);
    taper({SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_RIGHT, SDLK_RIGHT, SDLK_n, SDLK_RETURN});
    tenir(SDLK_w, 16);  // the finish beyond it, toward −x
    editer("nomap", {SDLK_t, SDLK_t, SDLK_t, SDLK_t, SDLK_RETURN, SDLK_SPACE});
    ASSERT_EQ(derniere().mapALoad, "maps/mapperso1.txt");
    ASSERT_EQ(enregistrements("maps/mapperso1.txt").size(), 3u);

    MixeurEnregistreur mixeur;
    FSOUND_Init(44100, 32, 0);
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(false);
    jeu.setMap("mapperso1");
    Pilote pilote(systeme, {{-14, 2}});
    bool gagne = false;
    surFrame = [&](int n) {
        pilote.image(jeu.getInstant());
        if (jeu.getInstant().win && !gagne) gagne = true, systeme.quitter(n + 2);
    };
    systeme.limite(systeme.frame() + 1500);
    jeu.jouer();
    FSOUND_Close();
    EXPECT_TRUE(gagne) << "the ball ended at (" << jeu.getInstant().x << ", " << jeu.getInstant().y << ", "
                       << jeu.getInstant().z << ")";
}

TEST_F(Editeur, AShippedLevelReworkedWithTheNewKeysIsSavedWithOnlyTheRecordMovedChanged) {
    fs::copy_file(std::string(VORNA_SOURCE_DIR) + "/maps/niveau/map4.qzm", "maps/quatre.txt");
    std::vector<std::string> attendu = lignes(lireFichier("maps/quatre.txt"));
    const size_t x = attendu[19].find(',') + 1, finX = attendu[19].find(',', x);
    attendu[19].replace(x, finX - x, std::to_string(std::stod(attendu[19].substr(x)) + 2));
    for (int i = 0; i < 20; ++i) taper({SDLK_TAB});  // the 20th record
    tenir(SDLK_s, 2);
    const int bouge = f - 1;
    taper({SDLK_UP});
    const int change = f - 1;
    taper({ctrl(SDLK_z), ctrl(SDLK_z)});  // both undone, each one step
    const int annule = f - 1;
    taper({ctrl(SDLK_y)});  // the move redone
    const int refait = f - 1;
    taper({SDLK_TAB, SDLK_DELETE});  // the 21st deleted, the one chosen and not the last
    const int efface = f - 1;
    taper({ctrl(SDLK_z), SDLK_TAB, ctrl(SDLK_d)});  // back; a copy
    const int copie = f - 1;
    taper({SDLK_DELETE, SDLK_SPACE, ctrl(SDLK_z)});
    const int defait = f - 1;
    taper({maj(SDLK_z)});  // a plain z, nothing undone (Shift is no Ctrl)
    taper({ctrl(SDLK_y)});
    editer("quatre.txt");
    EXPECT_EQ(lignes(lireFichier("maps/quatre.txt")), attendu);
    const editeur::Heros &avant = premiere().objets[19], &apres = a(change).objets[19];
    EXPECT_TRUE(a(change).selection == 19 && apres.getX() == avant.getX() + 2 && apres.getLX() == avant.getLX() + 1);
    EXPECT_EQ(places(a(annule)), places(premiere()));
    EXPECT_EQ(places(a(refait)), places(a(bouge))) << "the resizing undone, the move redone";
    std::vector<std::string> sans21 = places(a(refait));
    sans21.erase(sans21.begin() + 20);
    EXPECT_EQ(places(a(efface)), sans21);
    EXPECT_TRUE(a(copie).nbre_obj == 56 && a(copie).selection == 55 && a(copie).objets[55].getY() == 2);
    EXPECT_TRUE(a(defait).modifiee && a(defait).nbre_obj == 56 && a(defait + 2).modifiee) << "the mark follows the history";
    EXPECT_FALSE(derniere().modifiee) << "redone back to the state saved";
}

TEST_F(Editeur, AnyTwoHundredEditsOfObjectsAndGroupsUndoToTheMapOpenedAndRedoToTheMapEdited) {
    ecrireFichier("maps/b.txt", carteEditeur(120));  // every kind, kept records too
    systeme.limite(8000);
    std::mt19937 alea(2110);
    const Touche gestes[] = {SDLK_TAB,       maj(SDLK_TAB), SDLK_UP,      SDLK_LEFT,    SDLK_n,       SDLK_t,
                             SDLK_r,         SDLK_RETURN,   SDLK_RETURN,  SDLK_BACKSPACE, SDLK_DELETE, ctrl(SDLK_d),
                             ctrl(SDLK_z),   ctrl(SDLK_y),  SDLK_SPACE,   maj(SDLK_g),  ctrl(SDLK_c), ctrl(SDLK_v),
                             ctrl(SDLK_x),   ctrl(SDLK_a),  SDLK_p};  // the last two rare: the map stays its size
    const SDL_Keycode deplacements[] = {SDLK_w, SDLK_s, SDLK_a, SDLK_d, SDLK_q, SDLK_e};
    taper({ctrl(SDLK_a), SDLK_UP});  // the whole map at least once
    for (int i = 0; i < 200; ++i) {
        const unsigned n = alea() % 28;
        if (n < 21 && (n < 19 || alea() % 5 == 0)) taper({gestes[n]});
        else tenir(deplacements[n % 6], 1 + n % 3);
    }
    taper({SDLK_RETURN});  // an edit last: nothing left to redo
    const int edite = f - 1;
    for (int i = 0; i < 220; ++i) taper({ctrl(SDLK_z)});
    const int annule = f - 1;
    for (int i = 0; i < 220; ++i) taper({ctrl(SDLK_y)});
    editer("b.txt");
    EXPECT_EQ(places(a(annule)), places(premiere()));
    EXPECT_EQ(places(a(f - 7)), places(a(edite)));
    EXPECT_NE(places(a(edite)), places(premiere()));
}

TEST_F(Editeur, AClickOnAnObjectsProjectedCentreChoosesItInEitherViewAndOnNothingTheCursor) {
    ecrireFichier("maps/c.txt", "@0,0,0,0,5,1,1,1,0,0,0,textureSphere\n@1,-10,0,0,0,2,2,1,0,0,0,textureSol\n"
                                "@1,-10,8,0,0,2,2,1,0,0,0,textureSol\n@10,-10,-6,0,0,1,1,1,0,0,0,textureCaisse\n"
                                "@1,-16,0,-3,0,2,2,1,0,0,0,textureSol\n");  // the last behind the second, seen first
    const std::map<int, int> clics = {{6, 1}, {14, -1}, {22, 2}, {26, 0}, {30, -1}, {34, 3}};  // frame, object (none)
    systeme.tape(17, SDLK_o);
    surFrame = [&](int n) {
        if (!clics.count(n)) return;
        const InstantEdition& i = instantEdition();
        double x = 2, y = 2, z;
        if (const int k = clics.at(n); k >= 0) {
            const editeur::VueImage& v = i.vueImage;
            gluProject(i.objets[k].getX(), i.objets[k].getY(), i.objets[k].getZ(), v.modele, v.projection, v.viewport, &x, &y, &z);
            y = v.hauteurFenetre - y;
        }
        systeme.bouton(n + 1, 1, true, int(x), int(y));
    };
    f = 37;
    tenir(SDLK_s, 1);  // the "bouton" kept from the file moved, resized, saved
    editer("c.txt", {SDLK_UP, SDLK_SPACE});
    for (const auto& [n, k] : clics) EXPECT_EQ(a(n + 1).selection, k) << "click after frame " << n;
    EXPECT_TRUE(a(18).dessus && !a(14).dessus);
    EXPECT_EQ(enregistrements("maps/c.txt")[3], "10 -9,-6,0 0 2,1,1 0,0,0 textureCaisse");
}

TEST_F(Editeur, ADragMovesTheObjectToTheGroundPointUnderThePointerOrWithShiftUpAndDownAsOneStep) {
    ecrireFichier("maps/g.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,-10,0,0,0,2,2,1,0,0,0,textureSol\n");
    // Shift held or not, the point the pointer is taken to, where the block ends (snapping on).
    const struct { bool maj; double cible[3]; const char* attendu; } cas[] = {
        {false, {-14, 3, 0}, "-14 3 0"}, {true, {-10, 0, 5}, "-10 0 5"}};
    for (const auto& c : cas) {
        const int debut = f;
        taper({maj(SDLK_g)});
        if (c.maj) systeme.tape(f, SDLK_LSHIFT, 6);
        surFrame = [&](int n) {
            if (n != debut + 3) return;
            const editeur::VueImage& v = instantEdition().vueImage;
            double x[2], y[2], z;
            gluProject(-10, 0, 0, v.modele, v.projection, v.viewport, &x[0], &y[0], &z);
            gluProject(c.cible[0], c.cible[1], c.cible[2], v.modele, v.projection, v.viewport, &x[1], &y[1], &z);
            systeme.bouton(n + 1, 1, true, int(x[0]), v.hauteurFenetre - int(y[0]));
            systeme.mouvement(n + 2, int(x[1]), v.hauteurFenetre - int(y[1]));
            systeme.bouton(n + 3, 1, false, int(x[1]), v.hauteurFenetre - int(y[1]));
        };
        f = debut + 8;
        taper({ctrl(SDLK_z)});
        editer("g.txt");
        const editeur::Heros& b = a(debut + 6).objets[1];
        EXPECT_EQ(editeur::nombreCourt(b.getX()) + " " + editeur::nombreCourt(b.getY()) + " " + editeur::nombreCourt(b.getZ()), c.attendu);
        EXPECT_EQ(places(a(debut + 10)), places(premiere())) << "the drag undone as one step";
    }
    surFrame = nullptr;
}

TEST_F(Editeur, AListOfMapsLongerThanTheScreenScrollsByTheWheelAndTheKeys) {
    for (int n = 0; n < 40; ++n) ecrireFichier("maps/m" + std::to_string(10 + n) + ".txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n");
    systeme.mouvement(1, 320, 230);
    systeme.bouton(3, 1, false, 320, 230);  // "Editer une map"
    for (int k = 0; k < 30; ++k) systeme.molette(5 + k, -1);
    for (int k = 0; k < 5; ++k) systeme.tape(40 + 2 * k, SDLK_UP);  // the first label chosen: Up scrolls
    systeme.quitter(54);
    editeur::Menu menu(640, 480);
    std::map<int, std::vector<std::string>> labels;
    surFrame = [&](int n) {
        for (const auto& b : menu.getBoutons()) labels[n].push_back(b.getTexte());
    };
    menu.lancer();
    EXPECT_EQ(labels[4].size(), 16u) << "sixteen labels at once";
    EXPECT_EQ(labels[4].front(), "m10.txt");
    EXPECT_EQ(labels[39].front() + " " + labels[39].back(), "m35.txt Retour") << "scrolled to the end, no further";
    EXPECT_EQ(labels[51].front() + " " + labels[51].back(), "m30.txt m45.txt") << "Up from the top scrolls";
}

TEST_F(Editeur, LeavingAMapWithChangesAsksFirstWhetherByEscapeOrByTheCloseButton) {
    const struct { std::vector<Touche> sortie; bool sauvee; } cas[] = {
        {{SDLK_ESCAPE, SDLK_ESCAPE}, false}, {{SDLK_ESCAPE, SDLK_SPACE}, true}, {{SDLK_UNKNOWN, SDLK_UNKNOWN}, false},
        {{SDLK_UNKNOWN, SDLK_SPACE}, true},  {{SDLK_ESCAPE, SDLK_t, SDLK_ESCAPE, SDLK_ESCAPE}, false}};
    for (const auto& c : cas) {
        ecrireFichier("maps/a.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n");
        images.clear();
        taper({SDLK_RETURN});
        const int debut = f;
        taper(c.sortie);
        editeur::jouer("a.txt", 0);
        systeme.oublier();
        EXPECT_TRUE(a(debut + 1).question) << debut;
        EXPECT_EQ(images.rbegin()->first, debut + 2 * int(c.sortie.size()) - 2) << "left at the answer";
        EXPECT_EQ(derniere().objet_courant, 0) << "the key that answers does nothing else";
        EXPECT_EQ(enregistrements("maps/a.txt").size(), c.sauvee ? 3u : 2u);
        f = systeme.frame() + 2;
    }
}

TEST_F(Editeur, PKeepsTheStartPlacedUnderAFreshCursorAndANewMapTakesNoNameThatAppeared) {
    ecrireFichier("maps/mapperso1.txt", "@0,9,9,9,5,1,1,1,0,0,0,textureSphere\n");  // the first number is taken
    surFrame = [&](int n) {
        if (n == 6) ecrireFichier("maps/mapperso2.txt", lireFichier("maps/mapperso1.txt"));  // the next appears
    };
    taper({SDLK_RETURN, SDLK_t});  // the start placed; floor blocks from now on
    tenir(SDLK_d, 2);
    taper({SDLK_RETURN, SDLK_RETURN, SDLK_p});
    const int apresP = f - 1;
    tenir(SDLK_d, 3);
    taper({SDLK_SPACE});
    const int refus = f - 1;
    taper({SDLK_RETURN, SDLK_SPACE, ctrl(SDLK_z), ctrl(SDLK_z)});  // p undone: its cursor back
    editer("nomap");
    EXPECT_TRUE(derniere().nbre_obj == 3 && derniere().objets.back().getY() == 4);
    const std::vector<editeur::Heros>& o = a(apresP).objets;
    ASSERT_EQ(o.size(), 2u);
    EXPECT_TRUE(o[0].getObj() == 0 && o[0].getY() == 2 && o[1].getObj() == 1 && o[1].getY() == 2 && o[1].getLX() == 2);
    EXPECT_EQ(a(refus).message, "Placez au moins deux objets");
    EXPECT_EQ(lireFichier("maps/mapperso2.txt"), "@0,9,9,9,5,1,1,1,0,0,0,textureSphere\n");
    EXPECT_EQ(enregistrements("maps/mapperso3.txt"), (std::vector<std::string>{"0 2,2,20 5 2,2,2 0,0,0 textureSphere",
                                                                               "1 2,5,20 5 2,2,2 0,0,0 textureSol"}));
}

TEST_F(Editeur, TabDeleteAndSnappingActOnTheChosenObjectAndTheStartIsNeverDeleted) {
    const std::string carte = "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,2.7,0.4,0,0,0.3,1.3,1.1,0,0,0,textureSol\n"
                              "@1,10,0,0,0,2,2,1,0,0,0,textureSol\n@1,20,0,0,0,2,2,1,0,0,0,textureSol\n";
    // Keys; then the x of every placed object, the second's y and half-sizes, the chosen one, the notice.
    const struct { std::vector<Touche> touches; const char* attendu; } cas[] = {
        {{SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_DELETE}, "0 2.7 20 | 0.4 0.3 1.3 1.1 | -1 |"},
        {{SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB}, "0 2.7 10 20 | 0.4 0.3 1.3 1.1 | 0 |"},
        {{maj(SDLK_TAB), SDLK_TAB}, "0 2.7 10 20 | 0.4 0.3 1.3 1.1 | 0 |"},
        {{SDLK_TAB, SDLK_DELETE}, "0 2.7 10 20 | 0.4 0.3 1.3 1.1 | 0 | Le depart ne peut pas etre efface"},
        {{SDLK_TAB, SDLK_TAB, maj(SDLK_g), SDLK_UP}, "0 3 10 20 | 0 1.5 1.5 1 | 1 |"},  // nearest unit, half-unit
    };
    for (const auto& c : cas) {
        ecrireFichier("maps/t.txt", carte);
        taper(c.touches);
        const int fin = f - 1;
        editer("t.txt");
        const InstantEdition& i = a(fin);
        std::string vu;
        for (int k = 0; k < i.nbre_obj; ++k) vu += editeur::nombreCourt(i.objets[k].getX()) + " ";
        const editeur::Heros& h = i.objets[1];
        vu += "|";
        for (double v : {h.getY(), h.getLX(), h.getLY(), h.getLZ()}) vu += " " + editeur::nombreCourt(v);
        vu += " | " + std::to_string(i.selection) + " |" + (i.message.empty() ? "" : " " + i.message);
        EXPECT_EQ(vu, c.attendu);
    }
}

TEST_F(Editeur, ObjectsCopiedFromOneMapArePastedIntoAnotherAtTheCursorAndOtherTextIsRefused) {
    ecrireFichier("maps/un.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n"
                                 "@3,10,2,1,5,2,2,1,0,0,30,textureSpeed\n");
    ecrireFichier("maps/deux.txt", "@0,100,50,7,5,1,1,1,0,0,0,textureSphere\n@1,100,50,0,5,4,4,1,0,0,0,textureSol\n");
    taper({SDLK_TAB, ctrl(SDLK_x), SDLK_TAB, SDLK_TAB, ctrl(SDLK_x)});  // the start stays; the third is cut
    const int coupe = f - 1;
    editer("un.txt");
    EXPECT_EQ(a(coupe).nbre_obj, 2);
    taper({ctrl(SDLK_v), SDLK_SPACE});
    editer("deux.txt");
    EXPECT_EQ(enregistrements("maps/deux.txt")[2], "3 100,50,7 5 2,2,1 0,0,30 textureSpeed") << "at the cursor";
    // A whole map chosen (Ctrl+A) comes into the other one moved by the cursor's offset from its first record.
    taper({ctrl(SDLK_a), ctrl(SDLK_c)});
    editer("un.txt");
    taper({ctrl(SDLK_v)});
    const int groupe = f - 1;
    taper({SDLK_ESCAPE});  // the pasted objects no longer chosen
    editer("deux.txt");
    std::vector<std::string> attendu, colles;
    lireEnregistrements("maps/un.txt", [&](Enregistrement e, int) { e.x += 100, e.y += 50, e.z += 3, attendu.push_back(ligne(e)); });
    for (int k = 3; k < a(groupe).nbre_obj; ++k) colles.push_back(ligne(a(groupe).objets[k].enregistrement("?")));
    EXPECT_EQ(colles, attendu);
    // Two records keep their offsets; a text that is no records changes nothing.
    for (const char* texte : {"@1,1,1,1,5,2,2,1,0,0,0,textureSol\n@8,4,5,6,5,1,1,1,0,0,0,textureSphere\n",
                              "pas une map @1,2,3\n", "@1,2,3\n"}) {
        SDL_SetClipboardText(texte);
        taper({ctrl(SDLK_v)});
        const int colle = f - 1;
        taper({SDLK_ESCAPE});  // the pasted object no longer chosen
        editer("deux.txt");
        const bool map = texte[0] == '@' && texte[1] == '1' && texte[2] == ',' && texte[3] == '1';
        EXPECT_EQ(a(colle).nbre_obj, map ? 5 : 3) << texte;
        EXPECT_EQ(a(colle).message, map ? "2 objets colles" : "Le presse-papiers ne contient pas de map");
        if (map) {
            EXPECT_EQ(places(a(colle))[4], "8 103,54,12 5 1,1,1 0,0,0 textureSphere" + std::to_string(a(colle).objets[4].getText()));
        }
    }
}

TEST_F(Editeur, SavingOverAMapChangedOnTheDiskAsksToReplaceItOrKeepBoth) {
    const std::string theirs = "@0,9,9,9,5,1,1,1,0,0,0,textureSphere\n@1,9,9,0,0,2,2,1,0,0,0,textureSol\n";
    // The answer; a.txt's records then, a-2.txt's (0: none), the notice.
    const struct { Touche reponse; size_t a, a2; const char* message; } cas[] = {
        {SDLK_SPACE, 3, 0, "Sauvee: a.txt"},
        {SDLK_RETURN, 2, 3, "Sauvee: a-2.txt"},
        {SDLK_t, 2, 0, ""},
    };
    for (const auto& c : cas) {
        ecrireFichier("maps/a.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n");
        std::remove("maps/a-2.txt");
        surFrame = [&, debut = f](int n) {
            if (n == debut) ecrireFichier("maps/a.txt", theirs);  // another editor saved it meanwhile
        };
        taper({SDLK_RETURN, SDLK_SPACE});
        const int demande = f - 1;
        taper({c.reponse});
        const int fin = f - 1;
        editer("a.txt");
        surFrame = nullptr;
        EXPECT_TRUE(a(demande).conflit && !a(demande).question && !a(fin).conflit);
        EXPECT_EQ(enregistrements("maps/a.txt").size(), c.a);
        EXPECT_EQ(existe("maps/a-2.txt") ? enregistrements("maps/a-2.txt").size() : 0, c.a2);
        if (c.a == 2) {
            EXPECT_EQ(lireFichier("maps/a.txt"), theirs);
        }
        EXPECT_EQ(a(fin).message, c.message);
    }
}

TEST_F(Editeur, AGroupMovesResizesRetypesDeletesAndDuplicatesAsOneStepOfTheHistory) {
    ecrireFichier("maps/g.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,-10,0,0,0,2,2,1,0,0,0,textureSol\n"
                                "@1,-10,8,0,0,2,2,1,0,0,0,textureSol\n@1,-10,-8,0,0,2,2,1,0,0,0,textureSol\n");
    // The key held or typed with the group {1, 3} chosen; then x, y, half-size x, kind of every placed object.
    const struct { SDL_Keycode tenue; Touche touche; const char* attendu; } cas[] = {
        {SDLK_s, SDLK_UNKNOWN, "0,0,1,0 -8,0,2,1 -10,8,2,1 -8,-8,2,1"},
        {0, SDLK_UP, "0,0,1,0 -10,0,3,1 -10,8,2,1 -10,-8,3,1"},
        {0, SDLK_t, "0,0,1,0 -10,0,2,2 -10,8,2,1 -10,-8,2,2"},
        {0, SDLK_DELETE, "0,0,1,0 -10,8,2,1"},
        {0, ctrl(SDLK_d), "0,0,1,0 -10,0,2,1 -10,8,2,1 -10,-8,2,1 -10,12,2,1 -10,4,2,1"},  // past the group's width
    };
    for (const auto& c : cas) {
        taper({SDLK_TAB, SDLK_TAB});
        systeme.tape(f, SDLK_LSHIFT, 3);
        std::vector<std::string> textes;
        surFrame = [&, debut = f](int n) {
            if (n == debut) systeme.bouton(n + 1, 1, true, ecran(instantEdition(), 3)[0], ecran(instantEdition(), 3)[1]);
            if (n == debut + 1) systeme.bouton(n + 1, 1, false, 0, 0);
            if (n == debut + 4) textes = systeme.textes();
        };
        f += 5;
        c.tenue ? tenir(c.tenue, 2) : taper({c.touche});
        const int fin = f - 1;
        taper({ctrl(SDLK_z)});
        editer("g.txt");
        std::string vu;
        for (int k = 0; k < a(fin).nbre_obj; ++k) {
            const editeur::Heros& h = a(fin).objets[k];
            vu += (k ? " " : "") + editeur::nombreCourt(h.getX()) + "," + editeur::nombreCourt(h.getY()) + "," +
                  editeur::nombreCourt(h.getLX()) + "," + std::to_string(h.getObj());
        }
        EXPECT_EQ(vu, c.attendu);
        EXPECT_EQ(places(a(fin + 2)), places(premiere())) << c.attendu << ": undone as one step";
        EXPECT_TRUE(std::count(textes.begin(), textes.end(), "2 choisis  4: Cube[sol]")) << "the header counts them";
    }
    surFrame = nullptr;
}

TEST_F(Editeur, ARectangleDrawnWithTheRightButtonChoosesExactlyTheObjectsWhoseCentresShowInIt) {
    ecrireFichier("maps/r.txt", "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,-10,0,0,0,2,2,1,0,0,0,textureSol\n"
                                "@1,-10,8,0,0,2,2,1,0,0,0,textureSol\n@1,-10,-8,0,0,2,2,1,0,0,0,textureSol\n");
    // The two corners as world points, Shift held, the objects chosen before and after.
    const struct { std::array<double, 3> de, a; bool maj; std::vector<int> avant, apres; } cas[] = {
        {{-12, 10, 0}, {-8, -1, 0}, false, {}, {1, 2}},
        {{-8, -10, 0}, {-12, 1, 0}, false, {0}, {1, 3}},   // corners either way, the start let go
        {{-12, 10, 0}, {-8, -1, 0}, true, {3}, {1, 2, 3}},  // added with Shift
        {{-12, 4, 0}, {-8, 3, 0}, false, {1}, {}},          // no centre inside
    };
    for (const auto& c : cas) {
        if (!c.avant.empty()) taper(std::vector<Touche>(c.avant[0] + 1, SDLK_TAB));
        if (c.maj) systeme.tape(f, SDLK_LSHIFT, 4);
        long trace = 0;  // the rectangle's outline while it is drawn
        surFrame = [&, debut = f](int n) {
            const auto p = ecran(instantEdition(), n == debut ? c.de : c.a);
            if (n == debut) systeme.bouton(n + 1, 3, true, p[0], p[1]);
            if (n == debut + 1) systeme.mouvement(n + 1, p[0], p[1]), systeme.bouton(n + 3, 3, false, p[0], p[1]);
            if (n == debut + 2) for (Pixel x : lireEcran()) trace += x == Pixel{255, 0, 255};
        };
        f += 5;
        const int fin = f - 1;
        editer("r.txt");
        EXPECT_EQ(a(fin - 5).groupe, c.avant);
        EXPECT_EQ(a(fin).groupe, c.apres);
        if (c.avant.empty()) { EXPECT_GT(trace, 100) << "the outline drawn"; }
    }
    surFrame = nullptr;
}

TEST_F(Editeur, TheGamesLevelsAreListedByTitleAndSavedInPlaceOrWhenProtectedAsAPlayersMap) {
    const std::string niveau = "@0,0,0,4,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,5,4,4,1,0,0,0,textureSol\n";
    // maps/niveau/ a folder of its own, or a link into an installation; then
    // where the change goes, what the save says.
    const struct { bool lien; const char* sauvee; const char* message; } cas[] = {
        {false, "maps/niveau/map4.qzm", "Sauvee: niveau/map4.qzm"},
        {true, "maps/map4-2.txt", "Niveau protege, copie sauvee: map4-2.txt"},  // map4.txt taken
    };
    for (const auto& c : cas) {
        fs::remove_all("maps"), fs::remove_all("installe");
        const std::string d = c.lien ? "installe/niveau" : "maps/niveau";
        for (const char* n : {"map1.qzm", "map4.qzm", "bonus.qzm"}) ecrireFichier(d + "/" + n, niveau);
        ecrireFichier("maps/map4.txt", "");
        if (c.lien) fs::create_directory_symlink("../installe/niveau", "maps/niveau");
        editeur::Menu menu(640, 480);
        menu.loadListeMaps();
        std::vector<std::string> titres;
        for (const auto& n : menu.getNiveaux()) titres.push_back(n.titre + "=" + n.fichier);
        EXPECT_EQ(titres, (std::vector<std::string>{"1.Camp d'entrainement=niveau/map1.qzm", "4.Citadelle=niveau/map4.qzm",
                                                    "bonus.qzm=niveau/bonus.qzm"}));
        taper({SDLK_RETURN, SDLK_SPACE});
        const int sauve = f - 1;
        editer("niveau/map4.qzm");
        EXPECT_EQ(enregistrements(c.sauvee).size(), 3u) << c.sauvee;
        EXPECT_EQ(a(sauve).message, c.message);
        EXPECT_EQ(lireFichier(d + "/map4.qzm") == niveau, c.lien) << "the installed level untouched";
    }
}

TEST_F(Editeur, TheGameWritesEachRunThatFinishesTheMapAndTheEditorKeepsItForThoseBytesOnly) {
    ecrireFichier("maps/droit.txt", carteToutDroit());
    const std::string octets = lireFichier("maps/droit.txt"), hash = editeur::empreinteCarte(octets);
    MixeurEnregistreur mixeur;
    FSOUND_Init(44100, 32, 0);
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    Pilote pilote(systeme, {{-40, 0, Pilote::Passer}});  // Up held to the finish
    bool fini = false;
    surFrame = [&](int n) {
        pilote.image(jeu.getInstant());
        if (jeu.getInstant().win && !fini) fini = true, systeme.quitter(n + 3);
    };
    systeme.limite(systeme.frame() + 3000);
    jouerMapSeule(jeu, "droit", "sortie.course");
    FSOUND_Close();
    ASSERT_TRUE(fini) << "the ball ended at x " << jeu.getInstant().x;
    Course c;
    std::string pourquoi;
    ASSERT_TRUE(decoderCourse(lireFichier("sortie.course"), c, pourquoi)) << pourquoi;
    EXPECT_EQ(c.niveau, 0);
    EXPECT_EQ(c.empreinte, hash);
    EXPECT_EQ(verifierCourse(c, octets, departCourse(0)).verdict, Verification::Verifiee) << "the server plays it again";
    // Kept only for the bytes it was played on; the game's file is taken away either way.
    const std::string course = lireFichier("sortie.course");
    for (const std::string& h : {std::string(64, '0'), hash}) {
        ecrireFichier("sortie.course", course);
        EXPECT_EQ(editeur::garderCourseAuteur("sortie.course", h), h == hash);
        EXPECT_EQ(editeur::courseAuteur(h).has_value(), h == hash);
        EXPECT_FALSE(existe("sortie.course"));
    }
    EXPECT_EQ(lireFichier(editeur::cheminCourseAuteur(hash)), course);
}

TEST_F(Editeur, PublishingPostsTheMapItsOverviewAndTheRunAndShowsTheAnswerWhileTheEditorGoesOn) {
    using S = ServeurHostile;
    ecrireFichier("maps/a.txt", carteToutDroit());
    const std::string octets = lireFichier("maps/a.txt"), hash = editeur::empreinteCarte(octets);
    Journal j;
    for (int i = 0; i < 3; ++i) j.ajouter({});
    const std::string course = encoderCourse(Course{0, hash, 1990, 3, j});
    ecrireFichier("navigateur", "#!/bin/sh\necho \"$1\" >> url.txt\n");
    chmod("navigateur", 0755);
    setCommandeNavigateur(dossier.chemin() + "/navigateur");
    editeur::setDelaiPublication(1500);
    const std::string injoignable = "Serveur injoignable", local = "bramelt: Serveur injoignable (127.0.0.1:";
    // The server, its answer to POST /carte; the panel's lines, what standard error says, the page opened.
    const struct { const char* cas; S::Maniere maniere; std::string reponse, titre, detail, erreur, page; } cas[] = {
        {"published", S::Fixe, S::http(201, "publiee\nid 7\nadresse /maps/7\n"), "Map publiee", "/maps/7",
         "bramelt: Map publiee: http://127.0.0.1:", "/maps/7"},
        {"exists", S::Fixe, S::http(409, "existe\nid 3\nadresse /maps/3\n"), "Map deja publiee", "/maps/3", "/maps/3\n", "/maps/3"},
        {"refused", S::Fixe, S::http(422, "refuse sans-arrivee\nLa course ne finit pas la map.\n"), "Publication refusee",
         "La course ne finit pas la map.", "(sans-arrivee)\n", ""},
        {"too large", S::Fixe, S::http(413, "<html>big</html>"), "Publication refusee", "Map trop grosse pour le serveur",
         "(trop-gros)\n", ""},
        {"not ours", S::Fixe, S::http(201, "<html>\n"), injoignable, "Reessayez plus tard", "not the score server's", ""},
        {"garbage", S::Charabia, "", injoignable, "Reessayez plus tard", local, ""},
        {"stalled past the time-out", S::Muet, "", injoignable, "Reessayez plus tard", local, ""},
        {"connection refused", S::Refuse, "", injoignable, "Reessayez plus tard", local, ""},
    };
    for (const auto& c : cas) {
        S serveur(c.maniere, {{"/carte", c.reponse}});
        setServeurScore(serveur.adresse());
        std::remove("data/joueur/reglages.txt");
        std::remove("url.txt");
        ecrireFichier(editeur::cheminCourseAuteur(hash), course);
        images.clear();
        // The author typed, the title proposed (the map's name) replaced, sent.
        taper({SDLK_F9});
        for (const char* t : {"M", "oi"}) systeme.evenement(f++, texteTape(t));
        taper({SDLK_TAB, SDLK_BACKSPACE});
        systeme.evenement(f++, texteTape("Tout droit"));
        taper({SDLK_RETURN});
        bool repondu = false;
        surFrame = [&](int n) {
            if (repondu || images.empty() || images.rbegin()->second.publication.size() != 3 ||
                images.rbegin()->second.publication[2] != "Une touche ferme ce panneau")
                return;
            repondu = true;
            systeme.tape(n + 2, SDLK_ESCAPE), systeme.tape(n + 4, SDLK_ESCAPE);  // the panel closed, then the map
        };
        systeme.limite(systeme.frame() + 20000);
        const std::string erreurs = sortieErreur([&] { editeur::jouer("a.txt", 0); });
        systeme.oublier();
        f = systeme.frame() + 2;
        ASSERT_TRUE(repondu) << c.cas;
        const std::vector<std::string> attendu = {c.titre, c.detail, "Une touche ferme ce panneau"};
        int envoi = 0;
        for (const auto& [n, i] : images) envoi += i.publication.size() == 3 && i.publication[1] == "Envoi de la map...";
        EXPECT_EQ(std::find_if(images.begin(), images.end(), [&](const auto& i) { return i.second.publication == attendu; }) !=
                      images.end(), true) << c.cas;
        if (c.maniere == S::Muet) {
            EXPECT_GT(envoi, 10) << "frames drawn while the map was on its way";
        }
        EXPECT_NE(erreurs.find(c.erreur), std::string::npos) << c.cas << ": " << erreurs;
        EXPECT_TRUE(derniere().publication.empty()) << c.cas << ": closed by a key";
        if (!c.page.empty()) {
            EXPECT_TRUE(attendre([] { return existe("url.txt"); }, 10)) << c.cas;
            EXPECT_EQ(lireFichier("url.txt"), "http://" + serveur.adresse() + c.page + "\n") << c.cas;
        }
        if (c.maniere == S::Refuse) continue;
        // The request: the envelope's sections in order, the picture a PNG of the overview.
        const std::string r = serveur.requete(), corps = r.substr(r.find("\r\n\r\n") + 4);
        EXPECT_EQ(r.rfind("POST /carte HTTP/1.1\r\n", 0), 0u) << c.cas;
        EXPECT_NE(r.find("Content-Type: application/octet-stream\r\n"), std::string::npos) << c.cas;
        const std::string debut = "vorna-carte 1\ntitre Tout droit\nauteur Moi\ncarte " + std::to_string(octets.size()) +
                                  "\n" + octets + "apercu ";
        ASSERT_EQ(corps.substr(0, debut.size()), debut) << c.cas;
        const size_t taille = std::stoul(corps.substr(debut.size())), png = corps.find('\n', debut.size()) + 1;
        EXPECT_EQ(corps.substr(png + taille), "course " + std::to_string(course.size()) + "\n" + course) << c.cas;
        EXPECT_LE(taille, editeur::kApercuMax);
        const std::string image = corps.substr(png, taille);
        ASSERT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n") << c.cas;
        const auto grand = [&](size_t o) { return (uint8_t(image[o]) << 24) | (uint8_t(image[o + 1]) << 16) | (uint8_t(image[o + 2]) << 8) | uint8_t(image[o + 3]); };
        EXPECT_EQ(grand(16), 256u) << "the 640 × 480 window scaled down";
        EXPECT_EQ(grand(20), 192u);
        EXPECT_EQ(lireFichier("data/joueur/reglages.txt").find("auteur_cartes Moi\ntitre_carte Tout droit\n") !=
                      std::string::npos, true) << "kept for next time";
    }
    surFrame = nullptr;  // it looked at the loop's own variables
    // No run for the bytes saved (the map changed since the play-test): nothing is sent.
    S serveur(S::Fixe, {});
    setServeurScore(serveur.adresse());
    ecrireFichier("maps/a.txt", octets + "@1,9,9,9,5,1,1,1,0,0,0,textureSol\n");
    taper({SDLK_F9});
    const int essai = f;
    editer("a.txt");
    EXPECT_EQ(a(essai).message, "Finissez la map avec F5 avant de la publier");
    EXPECT_TRUE(a(essai).publication.empty());
    EXPECT_EQ(serveur.requetes(), 0);
    editeur::setDelaiPublication(0);
    setServeurScore(kServeurScore);
    setCommandeNavigateur("");
}

}  // namespace
