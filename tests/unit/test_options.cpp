// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of both programs: help, version, the game's --map, and
// anything else refused with status 2; the keys their documents list.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "application.h"
#include "application_editeur.h"
#include "dossier.h"
#include "langue.h"
#include "version.h"

namespace {

// Runs vorna (else bramelt) with `args`; its status, what it wrote on standard output and error.
int lancer(bool jeu, std::vector<std::string> args, std::string& sortie, std::string& erreurs) {
    args.insert(args.begin(), jeu ? "vorna" : "bramelt");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int n = static_cast<int>(args.size());
    const int statut = jeu ? SDL_main(n, argv.data()) : editeur::lancerBramelt(n, argv.data());
    sortie = testing::internal::GetCapturedStdout();
    erreurs = testing::internal::GetCapturedStderr();
    return statut;
}

TEST(Options, HelpVersionAndRefusals) {
    // vorna (else bramelt), its arguments, the status, what standard output and standard error hold.
    const struct { bool jeu; std::vector<std::string> args; int statut; const char *sortie, *erreurs; } cas[] = {
        {true, {"--help"}, 0, "usage: vorna [--map NAME]", ""},
        {true, {"--map", "m", "--help"}, 0, "--map NAME", ""},
        {true, {"--version"}, 0, "Vorna " VORNA_VERSION "\n", ""},
        {true, {"--bidon"}, 2, "", "unknown option '--bidon'\nusage: vorna"},
        {true, {"--map"}, 2, "", "--map takes one map name"},
        {true, {"--map", "a", "--map", "b"}, 2, "", "--map takes one map name"},
        {true, {"piste"}, 2, "", "unknown option 'piste'"},
        {true, {"--map", "../../abs"}, 2, "", "--map takes the name of a map of maps/ (no '/', not starting with '.')"},
        {true, {"--map", ".cache"}, 2, "", "--map takes the name of a map of maps/"},
        {true, {"--map", "a/b"}, 2, "", "--map takes the name of a map of maps/"},
        {true, {"--score-server"}, 2, "", "--score-server takes one HOST[:PORT], once"},
        {true, {"--score-server", "h/x", "--map", "m"}, 2, "", "--score-server takes HOST[:PORT], not 'h/x'"},
        {false, {"--score-server", "h"}, 2, "", "unknown option '--score-server'"},
        {true, {"--help"}, 0, "--course-sortie FILE", ""},
        {true, {"--map", "m", "--course-sortie"}, 2, "", "--course-sortie takes one file, once"},
        {true, {"--course-sortie", "c"}, 2, "", "--course-sortie goes with --map"},
        {false, {"--course-sortie", "c"}, 2, "", "unknown option '--course-sortie'"},
        {false, {"--help"}, 0, "usage: bramelt", ""},
        {false, {"--version"}, 0, "Bramelt " VORNA_VERSION "\n", ""},
        {false, {"--map", "m"}, 2, "", "bramelt: unknown option '--map'\nusage: bramelt"},
    };
    for (const auto& c : cas) {
        std::string sortie, erreurs;
        const int statut = lancer(c.jeu, c.args, sortie, erreurs);
        const std::string quoi = (c.jeu ? "vorna " : "bramelt ") + c.args[0];
        EXPECT_EQ(statut, c.statut) << quoi;
        EXPECT_NE(sortie.find(c.sortie), std::string::npos) << quoi << ": " << sortie;
        EXPECT_NE(erreurs.find(c.erreurs), std::string::npos) << quoi << ": " << erreurs;
        EXPECT_TRUE(*c.sortie || sortie.empty()) << quoi << ": " << sortie;
    }
}

TEST(Options, TheHelpIsInTheLanguageOfTheEnvironmentTheUsageAndTheErrorsInEnglish) {
    fixerDossierCatalogues(VORNA_GAME_DIR "/share/locale");
    const struct { const char* langue; bool jeu; const char* option; const char *sortie, *erreurs; } cas[] = {
        {"fr_FR.UTF-8", true, "--help", "usage: vorna [--map NAME]", ""},
        {"fr_FR.UTF-8", true, "--help", "Vorna, le jeu de bille.", ""},
        {"fr", false, "--help", "Bramelt, l'\xc3\xa9" "diteur de niveaux", ""},
        {"fr", true, "--bidon", "", "unknown option '--bidon'\nusage: vorna"},
        {"de_DE", true, "--help", "Vorna, das Kugelspiel.", ""},
        {"pt_BR.UTF-8", false, "--help", "Bramelt, o editor de fases", ""},
        {"nl_NL", true, "--help", "Vorna, the ball-rolling game.", ""},
        {"C", false, "--help", "Bramelt, the level editor", ""},
    };
    for (const auto& c : cas) {
        setenv("LANGUAGE", c.langue, 1);
        std::string sortie, erreurs;
        lancer(c.jeu, {c.option}, sortie, erreurs);
        EXPECT_NE(sortie.find(c.sortie), std::string::npos) << c.langue << ": " << sortie;
        EXPECT_NE(erreurs.find(c.erreurs), std::string::npos) << c.langue << ": " << erreurs;
    }
    unsetenv("LANGUAGE");
    fixerDossierCatalogues("");
    choisirLangue("auto");
}

// gettext reads whatever lies at a catalogue's path: a FIFO is never given
// to it; a missing English catalogue is said once; either way the texts are
// shown as written.
TEST(Options, OnlyARegularFileIsACatalogueAndAMissingEnglishOneIsSaidOnce) {
    DossierTemporaire d;
    creerDossiers("fifo/en/LC_MESSAGES");
    mkfifo("fifo/en/LC_MESSAGES/vorna.mo", 0600);
    creerDossiers("vide");
    setenv("LANGUAGE", "en", 1);
    for (const auto& [dossier, raison] : {std::pair{"fifo", "is not a readable regular file"}, {"vide", "is missing"}}) {
        fixerDossierCatalogues(std::filesystem::absolute(dossier).string());
        std::string sortie, erreurs, encore;
        EXPECT_EQ(lancer(true, {"--help"}, sortie, erreurs), 0);
        lancer(true, {"--help"}, sortie, encore);
        EXPECT_NE(erreurs.find(std::string("/en/LC_MESSAGES/vorna.mo ") + raison), std::string::npos) << erreurs;
        EXPECT_EQ(encore.find("catalogue"), std::string::npos) << "said once: " << encore;
        EXPECT_NE(sortie.find("usage: vorna"), std::string::npos);
    }
    unsetenv("LANGUAGE");
    fixerDossierCatalogues("");
    choisirLangue("auto");
}

// The keys of a document's list ("a / b", "a, b"), in lower case, without roff's backslashes.
std::set<std::string> touches(std::string texte) {
    texte.erase(std::remove(texte.begin(), texte.end(), '\\'), texte.end());
    std::transform(texte.begin(), texte.end(), texte.begin(), ::tolower);
    for (size_t p; (p = texte.find(" / ")) != std::string::npos;) texte.replace(p, 3, ", ");
    std::set<std::string> r;
    for (size_t debut = 0, fin = 0; fin != std::string::npos; debut = fin + 2)
        r.insert(texte.substr(debut, (fin = texte.find(", ", debut)) - debut));
    return r;
}

TEST(Documents, EveryKeyOfTheReadmesKeyTablesIsAKeyOfItsManPage) {
    const std::map<std::string, std::string> pages = {{"## Playing", "vorna.6.in"}, {"## The level editor", "bramelt.6.in"}};
    std::map<std::string, std::set<std::string>> tables;  // the README's section → the keys of its tables
    std::string section;
    bool table = false;
    for (const std::string& l : lignes(lireFichier(VORNA_SOURCE_DIR "/README.md"))) {
        if (l.rfind("## ", 0) == 0) section = l;
        table = l.rfind("| Key", 0) == 0 || (table && l[0] == '|');
        if (table && l.rfind("| Key", 0) != 0 && l.rfind("|-", 0) != 0) tables[section].merge(touches(l.substr(2, l.find(" |", 2) - 2)));
    }
    EXPECT_EQ(tables.size(), pages.size()) << "a key table in a section of the README without its man page";
    for (const auto& [titre, page] : pages) {
        const std::string man = lireFichier(VORNA_SOURCE_DIR "/packaging/" + page), debut = ".SH KEYS";
        std::set<std::string> cles;
        for (const std::string& l : lignes(man.substr(man.find(debut), man.find("\n.SH ", man.find(debut)) - man.find(debut))))
            if (l.rfind(".B ", 0) == 0) cles.merge(touches(l.substr(3)));
        EXPECT_FALSE(tables[titre].empty()) << titre;
        for (const std::string& k : tables[titre]) EXPECT_EQ(cles.count(k), 1u) << page << " lacks the key " << k;
    }
}

}  // namespace
