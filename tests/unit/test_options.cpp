// The command line of both programs: help, version, the game's --map, and
// anything else refused with status 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "application.h"
#include "application_editeur.h"
#include "version.h"

namespace {

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
        {true, {"--score-server"}, 2, "", "--score-server takes one HOST[:PORT], once"},
        {true, {"--score-server", "h/x", "--map", "m"}, 2, "", "--score-server takes HOST[:PORT], not 'h/x'"},
        {false, {"--score-server", "h"}, 2, "", "unknown option '--score-server'"},
        {false, {"--help"}, 0, "usage: bramelt", ""},
        {false, {"--version"}, 0, "Bramelt " VORNA_VERSION "\n", ""},
        {false, {"--map", "m"}, 2, "", "bramelt: unknown option '--map'\nusage: bramelt"},
    };
    for (const auto& c : cas) {
        std::vector<std::string> copie = c.args;
        copie.insert(copie.begin(), c.jeu ? "vorna" : "bramelt");
        std::vector<char*> argv;
        for (std::string& a : copie) argv.push_back(a.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int n = static_cast<int>(copie.size());
        const int statut = c.jeu ? SDL_main(n, argv.data()) : editeur::lancerBramelt(n, argv.data());
        const std::string sortie = testing::internal::GetCapturedStdout();
        const std::string erreurs = testing::internal::GetCapturedStderr();
        const std::string quoi = copie[0] + " " + copie[1];
        EXPECT_EQ(statut, c.statut) << quoi;
        EXPECT_NE(sortie.find(c.sortie), std::string::npos) << quoi << ": " << sortie;
        EXPECT_NE(erreurs.find(c.erreurs), std::string::npos) << quoi << ": " << erreurs;
        EXPECT_TRUE(*c.sortie || sortie.empty()) << quoi << ": " << sortie;
    }
}

}  // namespace
