// SPDX-License-Identifier: GPL-3.0-or-later
// The player's folder of an installed game: laid out once over the
// installation, its links following upgrades, the player's own files never
// replaced, and a home that cannot hold it reported.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "dossier.h"
#include "dossier_joueur.h"

namespace fs = std::filesystem;

namespace {

// Sets or removes environment variables for the life of the object.
struct Variables {
    std::map<std::string, std::optional<std::string>> avant;
    void mettre(const char* nom, const char* valeur) {
        const char* v = std::getenv(nom);
        avant.emplace(nom, v ? std::optional<std::string>(v) : std::nullopt);
        valeur ? setenv(nom, valeur, 1) : unsetenv(nom);
    }
    ~Variables() {
        for (const auto& [nom, v] : avant) v ? setenv(nom.c_str(), v->c_str(), 1) : unsetenv(nom.c_str());
    }
};

struct DossierJoueur : ::testing::Test {
    DossierTemporaire d;
    std::string inst = d.chemin() + "/inst/share/vorna";
    std::string joueur = d.chemin() + "/maison/.local/share/vorna";
    std::string erreurs;

    void SetUp() override {
        for (const char* f : {"data/font1.TGA", "data/logo.jpg", "data/sky/sky.jpg", "data/sound/menu.mp3",
                              "maps/niveau/map1.qzm", "maps/menu/menu.txt"})
            ecrireFichier(inst + "/" + f, f);
        ecrireFichier(inst + "/maps/Belvedere.txt", "@belvedere");
        ecrireFichier(inst + "/maps/Crete.txt", "@crete");
    }
    bool preparer(const std::string& partage) {
        bool ok = false;
        erreurs = sortieErreur([&] { ok = preparerDossierJoueur(partage, joueur, "vorna"); });
        return ok;
    }
    std::string cible(const std::string& lien) {
        std::error_code ec;
        return fs::read_symlink(joueur + "/" + lien, ec).string();
    }
};

TEST_F(DossierJoueur, TheInstallationIsFoundFromTheProgramsPlaceAndThePlayersFolderFromTheEnvironment) {
    ecrireFichier("moitie/share/vorna/data/font1.TGA", "");
    for (const auto& [programme, partage] : {std::pair<const char*, std::string>{"/inst/bin/vorna", inst},
                                             {"/inst/bin/bramelt", inst},
                                             {"/inst/share/vorna/vorna", ""},  // the game folder of a build
                                             {"/moitie/bin/vorna", ""},        // no maps/
                                             {"/ailleurs/bin/vorna", ""}})
        EXPECT_EQ(partageInstallation(d.chemin() + programme), partage) << programme;

    const struct { const char *xdg, *home, *dossier; } cas[] = {
        {"/x/donnees", "/h", "/x/donnees/vorna"},  {"/x/donnees/", "/h", "/x/donnees/vorna"},
        {"", "/h", "/h/.local/share/vorna"},       {"relatif/donnees", "/h/", "/h/.local/share/vorna"},
        {nullptr, "/h", "/h/.local/share/vorna"},
    };
    Variables v;
    for (const auto& c : cas) {
        v.mettre("XDG_DATA_HOME", c.xdg);
        v.mettre("HOME", c.home);
        EXPECT_EQ(dossierJoueur(), c.dossier) << (c.xdg ? c.xdg : "(unset)");
    }
    v.mettre("XDG_DATA_HOME", nullptr);  // no HOME: the home of the password database
    v.mettre("HOME", nullptr);
    EXPECT_EQ(fs::path(dossierJoueur()).filename(), "vorna");
}

TEST_F(DossierJoueur, AFirstStartLaysItOutAndLaterStartsKeepThePlayersFilesAndFollowTheInstallation) {
    ASSERT_TRUE(preparer(inst));
    EXPECT_EQ(erreurs, "");
    for (const char* lien : {"data/font1.TGA", "data/sky", "data/sound", "maps/niveau", "maps/menu"})
        EXPECT_EQ(cible(lien), inst + "/" + lien);
    EXPECT_EQ(lireFichier(joueur + "/data/joueur/niveau.txt"), "1");
    EXPECT_EQ(cible("maps/Belvedere.txt"), "") << "a free map is the player's own copy";
    EXPECT_EQ(lireFichier(joueur + "/maps/Belvedere.txt"), "@belvedere");
    EXPECT_TRUE(fs::is_directory(joueur + "/ghost"));

    // The player plays, keeps a ghost, edits and deletes free maps, makes one.
    ecrireFichier(joueur + "/data/joueur/niveau.txt", "4");
    ecrireFichier(joueur + "/ghost/ghost1.qzg", "@ghost");
    ecrireFichier(joueur + "/maps/Belvedere.txt", "@belvedere, edited");
    ecrireFichier(joueur + "/maps/mapperso1.txt", "@mine");
    fs::remove(joueur + "/maps/Crete.txt");
    const auto avant = releve(joueur);
    ASSERT_TRUE(preparer(inst));
    EXPECT_EQ(releve(joueur), avant) << "a second start changes nothing";

    // An upgrade in place: a new data file, one dropped, a new free map.
    ecrireFichier(inst + "/data/neuf.jpg", "neuf");
    fs::remove(inst + "/data/logo.jpg");
    ecrireFichier(inst + "/maps/Nouvelle.txt", "@nouvelle");
    ASSERT_TRUE(preparer(inst));
    EXPECT_EQ(erreurs, "");
    EXPECT_EQ(cible("data/neuf.jpg"), inst + "/data/neuf.jpg");
    EXPECT_FALSE(fs::is_symlink(joueur + "/data/logo.jpg")) << "the link to a dropped file is gone";
    EXPECT_EQ(lireFichier(joueur + "/maps/Nouvelle.txt"), "@nouvelle");
    EXPECT_FALSE(existe(joueur + "/maps/Crete.txt")) << "a deleted free map is not copied back";
    auto apres = releve(joueur);
    for (const char* propre : {"data/joueur/niveau.txt", "ghost/ghost1.qzg", "maps/Belvedere.txt", "maps/mapperso1.txt"})
        EXPECT_EQ(apres[propre], avant.at(propre)) << propre;

    // The installation moved: the links follow it.
    const std::string ailleurs = d.chemin() + "/ailleurs/share/vorna";
    fs::create_directories(d.chemin() + "/ailleurs/share");
    fs::rename(inst, ailleurs);
    ASSERT_TRUE(preparer(ailleurs));
    for (const char* lien : {"data/font1.TGA", "data/neuf.jpg", "maps/niveau", "maps/menu"})
        EXPECT_EQ(cible(lien), ailleurs + "/" + lien);
    EXPECT_EQ(lireFichier(joueur + "/data/joueur/niveau.txt"), "4");
}

TEST_F(DossierJoueur, WhatIsNotALinkIsLeftAsItIsAndAHomeThatCannotHoldItIsReported) {
    ecrireFichier(joueur + "/maps/niveau/map1.qzm", "@the player's own level 1");
    ecrireFichier(joueur + "/data/font1.TGA", "the player's own font");
    ASSERT_TRUE(preparer(inst));
    EXPECT_EQ(lireFichier(joueur + "/maps/niveau/map1.qzm"), "@the player's own level 1");
    EXPECT_EQ(lireFichier(joueur + "/data/font1.TGA"), "the player's own font");
    EXPECT_NE(erreurs.find(joueur + "/maps/niveau is not a link"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find(joueur + "/data/font1.TGA is not a link"), std::string::npos) << erreurs;
    EXPECT_EQ(cible("maps/menu"), inst + "/maps/menu") << "the rest is laid out";

    joueur = d.chemin() + "/fichier/vorna";
    ecrireFichier("fichier", "a file where the home should be");
    EXPECT_FALSE(preparer(inst));
    EXPECT_NE(erreurs.find("vorna: cannot create the folder " + d.chemin() + "/fichier"), std::string::npos)
        << erreurs;

    joueur = inst;  // installed into the home (prefix ~/.local): the installation is the player's folder
    ASSERT_TRUE(preparer(inst));
    EXPECT_EQ(erreurs, "");
    EXPECT_FALSE(fs::is_symlink(inst + "/data/font1.TGA"));
    EXPECT_EQ(lireFichier(inst + "/data/joueur/niveau.txt"), "1");
}

// The editor's play-test starts the game: ./vorna in a game folder, else the
// one installed beside the editor.
TEST_F(DossierJoueur, AProgramIsFoundHereThenBesideThisOne) {
    ecrireFichier("vorna", "#!/bin/sh\n");
    chmod("vorna", 0755);
    const fs::path moi = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(cheminProgramme("vorna"), "./vorna");
    EXPECT_EQ(cheminProgramme(moi.filename().string()), moi.string());
}

}  // namespace
