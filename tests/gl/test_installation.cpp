// SPDX-License-Identifier: GPL-3.0-or-later
// `cmake --install` into a scratch prefix: the files laid out, their tools'
// checks, and the installed programs preparing a player's folder in a scratch
// home, showing the menu from there and keeping the player's files.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bout_en_bout.h"
#include "dossier.h"
#include "generateur.h"
#include "version.h"

namespace fs = std::filesystem;

namespace {

// The man pages of both programs, by language (English: none), with the
// titles of their name, synopsis, description, options, files, see-also and
// keys sections.
const std::map<std::string, std::vector<const char*>> kTitresPages = {
    {"", {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "SEE ALSO", "KEYS"}},
    {"fr", {"NOM", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FICHIERS", "VOIR AUSSI", "TOUCHES"}},
    {"de", {"NAME", "ÜBERSICHT", "BESCHREIBUNG", "OPTIONEN", "DATEIEN", "SIEHE AUCH", "TASTEN"}},
    {"es", {"NOMBRE", "SINOPSIS", "DESCRIPCIÓN", "OPCIONES", "ARCHIVOS", "VÉASE TAMBIÉN", "TECLAS"}},
    {"it", {"NOME", "SINOSSI", "DESCRIZIONE", "OPZIONI", "FILE", "VEDERE ANCHE", "TASTI"}},
    {"pt_BR", {"NOME", "SINOPSE", "DESCRIÇÃO", "OPÇÕES", "ARQUIVOS", "VEJA TAMBÉM", "TECLAS"}}};

bool present(const char* outil) { return executer({"sh", "-c", std::string("command -v ") + outil + " >/dev/null"}) == 0; }

// The regular files under `racine`, by their path relative to it.
std::set<std::string> fichiers(const fs::path& racine) {
    std::set<std::string> r;
    for (const auto& e : fs::recursive_directory_iterator(racine))
        if (e.is_regular_file()) r.insert(fs::relative(e.path(), racine).string());
    return r;
}

struct Installation : ::testing::Test {
    DossierTemporaire d;
    std::string prefixe = d.chemin() + "/prefixe";

    void SetUp() override {
        std::string journal;
        ASSERT_EQ(installerDans(prefixe, &journal), 0) << journal;
    }
};

TEST_F(Installation, LaysOutEveryFileAndNothingElse) {
    std::set<std::string> attendus = {
        "bin/vorna", "bin/bramelt", "share/applications/org.vorna_game.vorna.desktop",
        "share/applications/org.vorna_game.bramelt.desktop", "share/metainfo/org.vorna_game.vorna.metainfo.xml",
        "bin/vorna-scores", "share/vorna-scores/logo.jpg",
        "share/man/man8/vorna-scores.8.gz", "lib/systemd/system/vorna-scores.service"};
    for (const auto& [langue, titres] : kTitresPages)
        for (const char* page : {"vorna", "bramelt"})
            attendus.insert("share/man/" + (langue.empty() ? "" : langue + "/") + "man6/" + page + ".6.gz");
    for (const std::string& f : atelier::fichiersDonnees()) attendus.insert("share/vorna/data/" + f);
    for (const std::string& f : fichiers(VORNA_SOURCE_DIR "/po"))  // each catalogue, compiled
        if (f.size() > 3 && f.substr(f.size() - 3) == ".po")
            for (const char* domaine : {"vorna", "vorna-scores"})  // the same, in each package
                attendus.insert("share/locale/" + f.substr(0, f.size() - 3) + "/LC_MESSAGES/" + domaine + ".mo");
    for (const std::string paquet : {"vorna", "vorna-scores"})
        for (const char* f : {"/copyright", "/changelog.Debian.gz", "/README.md.gz"}) attendus.insert("share/doc/" + paquet + f);
    if (fs::exists(VORNA_BINARY_DIR "/ecrans"))  // drawn by make ecrans
        for (const std::string& f : fichiers(VORNA_BINARY_DIR "/ecrans")) attendus.insert("share/vorna/screenshots/" + f);
    for (const std::string& f : fichiers(fs::path(VORNA_SOURCE_DIR) / "maps")) {
        attendus.insert("share/vorna/maps/" + f);
        EXPECT_EQ(lireFichier(prefixe + "/share/vorna/maps/" + f), lireFichier(VORNA_SOURCE_DIR "/maps/" + f)) << f;
    }
    for (int n : atelier::taillesIcone()) {
        const std::string png = "share/icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) + "/apps/vorna.png";
        attendus.insert(png);
        int l = 0, h = 0, c = 0;
        EXPECT_TRUE(stbi_info((prefixe + "/" + png).c_str(), &l, &h, &c) && l == n && h == n) << png;
    }
    // Neither the build's progress file nor the maps made in its game folder.
    EXPECT_EQ(fichiers(prefixe), attendus);  // (the programs run: the tests below)
}

TEST_F(Installation, DesktopEntriesMetainfoAndManPagesPassTheirTools) {
    for (const char* outil : {"desktop-file-validate", "appstreamcli", "man"})
        ASSERT_TRUE(present(outil)) << outil << " is needed (scripts/deps.sh installs it)";
    std::string sortie;
    for (const char* entree : {"org.vorna_game.vorna.desktop", "org.vorna_game.bramelt.desktop"}) {
        EXPECT_EQ(executer({"desktop-file-validate", prefixe + "/share/applications/" + entree}, {}, &sortie), 0)
            << sortie;
        EXPECT_EQ(sortie, "") << "not even a hint";
    }
    const std::string metainfo = prefixe + "/share/metainfo/org.vorna_game.vorna.metainfo.xml";
    EXPECT_EQ(executer({"appstreamcli", "validate", "--no-net", "--pedantic", metainfo}, {}, &sortie), 0) << sortie;
    EXPECT_NE(sortie.find("successful."), std::string::npos) << "not even a pedantic hint: " << sortie;

    const Environnement env = {"MANPAGER=cat", "PAGER=cat", "MANWIDTH=80", "LANG=C.UTF-8"};
    std::vector<std::pair<std::string, std::vector<const char*>>> pages = {{"man8/vorna-scores.8", kTitresPages.at("")}};
    pages[0].second.back() = "SIGNALS";
    for (const auto& [langue, titres] : kTitresPages)
        for (const char* page : {"vorna", "bramelt"})
            pages.push_back({(langue.empty() ? "" : langue + "/") + "man6/" + page + ".6", titres});
    for (const auto& [page, titres] : pages) {
        ASSERT_EQ(executer({"man", "--warnings", "-l", prefixe + "/share/man/" + page + ".gz"}, env, &sortie), 0)
            << sortie;
        EXPECT_EQ(sortie.find("warning"), std::string::npos) << sortie;
        for (const char* titre : titres)
            EXPECT_NE(sortie.find("\n" + std::string(titre) + "\n"), std::string::npos) << page << ": " << titre;
        const size_t nom = page.rfind('/') + 1;
        EXPECT_NE(sortie.find(page.substr(nom, page.size() - nom - 2) + " - "), std::string::npos) << sortie;
    }
}

TEST_F(Installation, TheInstalledProgramsPrepareThePlayersFolderOrSayWhyNot) {
    ecrireFichier("fichier", "a file where a home should be");
    const std::string maison = d.chemin() + "/maison", joueur = maison + "/.local/share/vorna";
    const std::string vorna = prefixe + "/bin/vorna", bramelt = prefixe + "/bin/bramelt";
    const struct { std::vector<std::string> args; std::string home; int statut; std::string message; } cas[] = {
        {{vorna, "--version"}, maison + "/v", 0, "Vorna " VORNA_VERSION},
        {{bramelt, "--help"}, maison + "/v", 0, "Bramelt, l'\xc3\xa9" "diteur de niveaux"},  // its catalogue found
        {{vorna}, d.chemin() + "/fichier/maison", 1, "vorna: cannot create the folder " + d.chemin() + "/fichier/"},
        {{bramelt}, d.chemin() + "/fichier/maison", 1, "bramelt: cannot create the folder"},
        // Started from a game folder: that folder, and no player's folder.
        {{"sh", "-c", "cd '" VORNA_GAME_DIR "' && exec '" + vorna + "'"}, maison + "/jeu", 1, "no graphical display"},
        {{bramelt}, maison, 1, "no graphical display"},
        {{vorna}, maison, 1, "no graphical display"},
        // Started from a home that merely holds data/ and maps/ folders: the player's folder.
        {{"sh", "-c", "mkdir -p data maps && exec '" + vorna + "'"}, d.chemin(), 1, "no graphical display"},
    };
    for (const auto& c : cas) {
        std::string sortie;
        EXPECT_EQ(executer(c.args, {"HOME=" + c.home, "XDG_DATA_HOME", "DISPLAY", "LANGUAGE=fr"}, &sortie), c.statut)
            << sortie;
        EXPECT_NE(sortie.find(c.message), std::string::npos) << sortie;
    }
    EXPECT_FALSE(existe(maison + "/v")) << "--version and --help touch nothing";
    EXPECT_FALSE(existe(maison + "/jeu"));
    EXPECT_TRUE(existe(d.chemin() + "/.local/share/vorna/data/joueur/niveau.txt"));
    EXPECT_TRUE(fs::equivalent(joueur + "/data/font1.TGA", prefixe + "/share/vorna/data/font1.TGA"));
    EXPECT_EQ(lireFichier(joueur + "/data/joueur/niveau.txt"), "1");
}

TEST_F(Installation, EachWindowHasTheClassItsDesktopEntryNames) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(xdotoolPresent() && present("xprop")) << "xdotool and xprop (x11-utils) are needed";
    for (const auto& [nom, titre] : {std::pair{"vorna", "^Vorna "}, {"bramelt", "^Bramelt "}}) {
        const std::string entree = lireFichier(prefixe + "/share/applications/org.vorna_game." + nom + ".desktop");
        const size_t debut = entree.find("StartupWMClass=") + 15;
        const std::string classe = entree.substr(debut, entree.find('\n', debut) - debut);
        Programme programme({prefixe + "/bin/" + nom}, {"HOME=" + d.chemin() + "/maison", "XDG_DATA_HOME"});
        std::string fenetre, sortie;
        ASSERT_EQ(chercherFenetre(titre, &fenetre), 0);
        EXPECT_EQ(executer({"xprop", "-id", fenetre.substr(0, fenetre.find('\n')), "WM_CLASS"}, {}, &sortie), 0);
        EXPECT_EQ(sortie, "WM_CLASS(STRING) = \"" + classe + "\", \"" + classe + "\"\n") << nom;
    }
}

// Starts the installed game, waits for its main menu, and quits with Escape.
void jusquAuMenu(const std::string& vorna, const Environnement& env) {
    Programme programme({vorna}, env);
    ASSERT_EQ(chercherFenetre("^Vorna "), 0);
    Capture menu;
    ASSERT_TRUE(attendre([&] { return menuHaut(menu = capturerEcran()); }, 30)) << "the menu never showed";
    EXPECT_GT(couleurs(menu), 100) << "the menu's level is drawn behind it";
    xdotool({"key", "Escape"});
    EXPECT_EQ(programme.attendreFin(20), 0);
}

TEST_F(Installation, ThePlayersFolderIsMadeOnceAndKeptAcrossAReinstall) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    if (!xdotoolPresent()) FAIL() << "xdotool is needed (scripts/deps.sh installs it)";
    const std::string maison = d.chemin() + "/maison", joueur = maison + "/.local/share/vorna";
    jusquAuMenu(prefixe + "/bin/vorna", {"HOME=" + maison, "XDG_DATA_HOME"});
    ASSERT_EQ(lireFichier(joueur + "/data/joueur/niveau.txt"), "1");
    EXPECT_EQ(fs::read_symlink(joueur + "/maps/menu"), prefixe + "/share/vorna/maps/menu");

    // Progress, a kept ghost, a map of the editor; then the game reinstalled.
    ecrireFichier(joueur + "/data/joueur/niveau.txt", "3");
    ecrireFichier(joueur + "/ghost/ghost1.qzg", "@1@1@0@0@0@1.0\n");
    ecrireFichier(joueur + "/maps/mapperso2.txt", lireFichier(joueur + "/maps/Belvedere.txt"));
    const auto avant = releve(joueur);
    fs::remove_all(prefixe);
    std::string journal;
    ASSERT_EQ(installerDans(prefixe, &journal), 0) << journal;

    jusquAuMenu(prefixe + "/bin/vorna", {"HOME=" + maison, "XDG_DATA_HOME=" + maison + "/.local/share"});
    EXPECT_EQ(releve(joueur), avant) << "the second start leaves the player's files untouched";
    EXPECT_TRUE(fs::exists(joueur + "/data/font1.TGA")) << "the links lead into the new installation";
}

}  // namespace
