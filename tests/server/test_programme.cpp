// SPDX-License-Identifier: GPL-3.0-or-later
// The real program: its command line, its log, its end on a signal.
#include <gtest/gtest.h>
#include <httplib.h>

#include <csignal>

#include "bout_en_bout.h"
#include "dossier.h"

namespace {

TEST(Programme, OptionsAreCheckedOneLinePerRequestIsLoggedAndSigtermEndsItCleanly) {
    DossierTemporaire d;
    // Arguments, status, what standard output and error hold together.
    const struct { std::vector<std::string> args; int statut; const char* sortie; } cas[] = {
        {{"--help"}, 0, "usage: vorna-scores [--port N]"},
        {{"--port", "1", "--version"}, 0, "vorna-scores " VORNA_VERSION "\n"},
        {{"--bidon"}, 2, "unknown option '--bidon'\nusage: vorna-scores"},
        {{"--port", "70000"}, 2, "--port takes a number from 0 to 65535"},
        {{"--limit"}, 2, "--limit takes a value"},
        {{"--database", "mysql://x"}, 2, "--database takes a postgresql:// URL"},
        {{"--data", "/nonexistent/folder"}, 1, "cannot open the scores (/nonexistent/folder/scores.sqlite)"},
    };
    for (const auto& c : cas) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), VORNA_SCORES_EXE);
        std::string sortie;
        EXPECT_EQ(executer(args, {}, &sortie), c.statut) << c.args[0];
        EXPECT_NE(sortie.find(c.sortie), std::string::npos) << sortie;
    }
    for (int signal : {SIGTERM, SIGINT}) {
        const std::string journal = "log" + std::to_string(signal);
        Programme p({"/bin/sh", "-c", std::string("exec ") + VORNA_SCORES_EXE + " --port 0 --listen 127.0.0.1 2>" + journal});
        std::string log;
        ASSERT_TRUE(attendre([&] { return (log = lireFichier(journal)).find("listening on") != std::string::npos; }, 20));
        const int port = std::stoi(log.substr(log.find("127.0.0.1:") + 10));
        httplib::Client client("127.0.0.1", port);
        const auto r = client.Get("/niveau/2");
        ASSERT_TRUE(r) << httplib::to_string(r.error()) << " " << port << "\n" << log;
        EXPECT_EQ(r->status, 200);
        EXPECT_NE(client.Get("/")->body.find("<img src=\"/logo.jpg\""), std::string::npos);
        EXPECT_GT(client.Get("/logo.jpg")->body.size(), 1000u) << "the build's logo, found from the program's folder";
        p.signaler(signal);
        EXPECT_EQ(p.attendreFin(20), 0);
        log = lireFichier(journal);
        EXPECT_NE(log.find(" 127.0.0.1 GET /niveau/2 200 "), std::string::npos) << log;
        EXPECT_NE(log.find(signal == SIGTERM ? "stopped by SIGTERM" : "stopped by SIGINT"), std::string::npos) << log;
        EXPECT_TRUE(existe("scores.sqlite"));
    }
}

}  // namespace
