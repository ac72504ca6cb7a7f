// The score page is handed to the browser as one argument, never through a shell.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "dossier.h"
#include "navigateur.h"

namespace {

std::string attendreFichier(const std::string& chemin) {
    for (int i = 0; i < 200 && !existe(chemin + ".fini"); ++i) usleep(10000);
    return lireFichier(chemin);
}

TEST(Navigateur, TheUrlReachesTheBrowserAsOneUntouchedArgument) {
    DossierTemporaire d;
    const std::string sortie = d.chemin() + "/args.txt";
    ecrireFichier("faux-navigateur",
                  "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + sortie + "'\ntouch '" + sortie +
                      ".fini'\n");
    chmod("faux-navigateur", 0755);
    setCommandeNavigateur(d.chemin() + "/faux-navigateur");

    const std::string url = "http://example.org/a.php?x=1&y=$(touch pwned); echo 'q' \"z\"";
    EXPECT_TRUE(ouvrirUrl(url));
    EXPECT_EQ(attendreFichier(sortie), "1|" + url + "|");
    EXPECT_FALSE(existe("pwned"));
    setCommandeNavigateur("");
}

TEST(Navigateur, AMissingBrowserIsReportedAsAFailure) {
    setCommandeNavigateur("/nonexistent/browser-that-is-not-there");
    EXPECT_FALSE(ouvrirUrl("http://example.org/"));
    setCommandeNavigateur("");
}

}  // namespace
