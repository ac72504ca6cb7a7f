// SPDX-License-Identifier: GPL-3.0-or-later
// The run's texts, the score link and the browser it goes to, and the file
// operations that keep the player's files whole.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dossier.h"
#include "fichiers.h"
#include "navigateur.h"
#include "repertoire.h"
#include "score.h"
#include "textes_partie.h"

namespace {

// The fsyncs and renames of this program while `observer` is set: "sync"
// and the first bytes the file then holds, or "rename" and the new name.
bool observer = false;
std::vector<std::string> journal;

}  // namespace

// Stand in front of the C library's own (this program's definitions are the
// ones linked), then hand over to them.
extern "C" int fsync(int fd) {
    static const auto vraie = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    char debut[64];
    const ssize_t n = observer ? pread(fd, debut, sizeof debut, 0) : 0;
    if (observer) journal.push_back("sync " + std::string(debut, n > 0 ? static_cast<size_t>(n) : 0));
    return vraie(fd);
}
extern "C" int rename(const char* ancien, const char* nouveau) noexcept {
    static const auto vraie = reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    if (observer) journal.push_back(std::string("rename ") + nouveau);
    return vraie(ancien, nouveau);
}

namespace {

TEST(TextesPartie, TheChronoPadsTheSecondsTheEndLineDoesNotLivesTakeThePluralAboveOne) {
    for (const auto& [ms, texte] : {std::pair{0, "0:00:0"}, {65432, "1:05:4"}, {65300, "1:05:3"},
                                    {75000, "1:15:0"}, {9999, "0:09:9"}, {3610000, "60:10:0"}})
        EXPECT_EQ(texteChrono(ms), texte);
    EXPECT_EQ(texteFinNiveau(1200, 65432), "1200[1:5:4]");
    EXPECT_EQ(texteFinNiveau(-37, 1000), "-37[0:1:0]");
    for (const auto& [vies, texte] : {std::pair{3.0, "3 vies"}, {2.0, "2 vies"}, {1.0, "1 vie"}, {0.0, "0 vie"},
                                      {-1.0, "-1 vie"}, {1.5, "1.5 vies"}})
        EXPECT_EQ(texteVies(vies), texte);
}

TEST(ServeurScore, TheOptionWinsOverTheVariableWhichWinsOverTheSettingsAndOnlyTheHostChanges) {
    const std::string longue(10000, 'a'), etiquettes = std::string(63, 'a') + "." + std::string(63, 'b');
    EXPECT_FALSE(adresseServeurValide(longue) || adresseServeurValide(std::string(64, 'a')));
    EXPECT_TRUE(adresseServeurValide(etiquettes + ":80"));
    for (const auto& [adresse, bonne] : {std::pair{"localhost:8080", true}, {"127.0.0.1", true}, {"[::1]:80", true},
                                         {"a-b.example.org:65535", true}, {"", false}, {":80", false},
                                         {"h:0", false}, {"h:65536", false}, {"h:080", false}, {"h/x", false},
                                         {"u@h", false}, {"h?q", false}, {"h:80/", false}, {"[]", false}, {"h s", false},
                                         {"-h", false}, {"...", false}, {"a..b", false}, {"a-:1", false},
                                         {"[1:2]", false}, {"[fe80::1]", true}, {"https://h.org:8443", true},
                                         {"http://[::1]", true}, {"ftp://h", false}, {"https://", false},
                                         {"HTTPS://h", false}, {"https://h/", false}})
        EXPECT_EQ(adresseServeurValide(adresse), bonne) << adresse;
    // (option, variable, settings) -> the host in use
    const struct { const char *option, *variable, *reglages, *attendu; } cas[] = {
        {"", nullptr, nullptr, "www.vorna-game.org"},  {"", "localhost:8080", nullptr, "localhost:8080"},
        {"h:1", "localhost:8080", "r", "h:1"},         {"", nullptr, "r:2", "r:2"},
        {"", "bad/host", "r:2", "r:2"},                {"", "", nullptr, "www.vorna-game.org"},
        {"https://s:1", nullptr, "r:2", "https://s:1"},
    };
    for (const auto& c : cas) {
        setServeurScore(kServeurScore);
        if (c.reglages) setServeurScore(c.reglages);
        c.variable ? setenv("VORNA_SCORE_SERVER", c.variable, 1) : unsetenv("VORNA_SCORE_SERVER");
        sortieErreur([&] { choisirServeurScore(c.option); });
        const std::string attendu = c.attendu;
        EXPECT_EQ(racineServeur(), (attendu.rfind("https://", 0) == 0 ? "" : "http://") + attendu);
    }
    unsetenv("VORNA_SCORE_SERVER");
    setServeurScore(kServeurScore);
    EXPECT_FALSE(setServeurScore("x y"));
    EXPECT_EQ(serveurScore(), kServeurScore);
}

TEST(Navigateur, TheLinkReachesTheBrowserAsOneUntouchedArgumentAndAMissingBrowserIsAFailure) {
    DossierTemporaire d;
    ecrireFichier("faux", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > args.tmp && mv args.tmp args\n");
    chmod("faux", 0755);
    setCommandeNavigateur(d.chemin() + "/faux");
    const std::string url = "http://example.org/a.php?x=1&y=$(touch pwned); echo 'q' \"z\"";
    EXPECT_TRUE(ouvrirUrl(url));
    for (int i = 0; i < 300 && !existe("args"); ++i) usleep(10000);  // the browser is not waited for
    EXPECT_EQ(lireFichier("args"), "1|" + url + "|");
    EXPECT_FALSE(existe("pwned")) << "no shell reads the link";
    setCommandeNavigateur("/nonexistent/browser-that-is-not-there");
    EXPECT_FALSE(ouvrirUrl("http://example.org/"));
    setCommandeNavigateur("");
}

TEST(Fichiers, AReplacementIsWholeOrNoneUnderANameOfItsOwnEvenWithProgramsWritingAtOnce) {
    DossierTemporaire d;
    ecrireFichier("joueur/niveau.txt", "3");
    observer = true;
    EXPECT_TRUE(ecrireFichierAtomique("joueur/niveau.txt", "4"));
    observer = false;
    EXPECT_EQ(lireFichier("joueur/niveau.txt"), "4");
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[0] + ", " + journal[1], "sync 4, rename joueur/niveau.txt") << "on the disk before the rename";
    // A target that cannot be replaced (a folder in its place) keeps what was there.
    creerDossiers("bloque/niveau.txt");
    const std::string err = sortieErreur([] {
        EXPECT_FALSE(ecrireFichierAtomique("bloque/niveau.txt", "5"));
        EXPECT_FALSE(ecrireFichierAtomique("absent/niveau.txt", "5"));
    });
    EXPECT_NE(err.find("bloque/niveau.txt"), std::string::npos);
    EXPECT_EQ(listerDossier("bloque", "").size(), 3u) << "no temporary file is left";
    // Four programs writing one file 300 times each: every write succeeds, the file is one of them whole.
    std::vector<pid_t> programmes;
    for (char c : std::string("abcd"))
        if (const pid_t p = fork(); p == 0) {
            bool ok = true;
            for (int i = 0; i < 300; ++i) ok = ecrireFichierAtomique("joueur/niveau.txt", std::string(5000, c)) && ok;
            _exit(ok ? 0 : 1);
        } else {
            programmes.push_back(p);
        }
    for (pid_t p : programmes) EXPECT_TRUE([p] { int s = -1; return waitpid(p, &s, 0) == p && s == 0; }());
    const std::string fin = lireFichier("joueur/niveau.txt");
    EXPECT_TRUE(fin.size() == 5000 && fin == std::string(5000, fin[0]));
    EXPECT_EQ(listerDossier("joueur", "").size(), 3u);

    ecrireFichier("ghost/a.qzg", "nouveau");
    ecrireFichier("b", "ancien");
    EXPECT_FALSE(renommerSansRemplacer("ghost/a.qzg", "b"));
    EXPECT_EQ(lireFichier("ghost/a.qzg") + lireFichier("b"), "nouveauancien");
    EXPECT_TRUE(renommerSansRemplacer("ghost/a.qzg", "c"));
    EXPECT_TRUE(!existe("ghost/a.qzg") && lireFichier("c") == "nouveau");
    EXPECT_FALSE(renommerSansRemplacer("absent", "d"));
    // A name too long for the file system is shortened, two long names staying apart.
    const std::string a = nomDeFichierBorne(".s-", std::string(300, 'a'), ".x", 5), b = nomDeFichierBorne(".s-", std::string(301, 'a'), ".x", 5);
    EXPECT_TRUE(a.size() <= 250 && b.size() <= 250 && a != b && a.substr(a.size() - 2) == ".x") << a;
    EXPECT_EQ(nomDeFichierBorne(".s-", "court", ".x"), ".s-court.x");
}

TEST(Repertoire, ListsTheRegularFilesEndingInTheExtensionInNaturalOrder) {
    DossierTemporaire d;
    for (const char* n : {"map10.qzm", "map2.qzm", "map1.qzm", "notes.txt", "map3.qzm.bak", "map4.qzm~", ".qzm"})
        ecrireFichier(std::string("niveau/") + n, "");
    creerDossiers("niveau/dossier.qzm");
    mkfifo("niveau/fifo.qzm", 0600);
    std::filesystem::create_symlink("map1.qzm", "niveau/lien.qzm");
    EXPECT_EQ(listerFichiers("./niveau", ".qzm"), (std::vector<std::string>{"lien.qzm", "map1.qzm", "map2.qzm", "map10.qzm"}));
    EXPECT_TRUE(listerFichiers("./absent", ".qzm").empty());
    EXPECT_TRUE(ordreNaturel("map9ghost2", "map10ghost1") && ordreNaturel("a01", "a2"));
    EXPECT_FALSE(ordreNaturel("b", "a") || ordreNaturel("x", "x"));
    EXPECT_TRUE(ordreNaturel("Belvedere.txt", "map4.txt") && ordreNaturel("map4.txt", "Toboggan.txt") &&
                ordreNaturel("\xc3\x89t\xc3\xa9", "f") && ordreNaturel("B", "b"));  // no case, no accents
}

}  // namespace
