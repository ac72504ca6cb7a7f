// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: what each line sets, what is skipped (said, and kept
// when the file is written again), what is no settings file at all and is
// never written over, and a change written atomically.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <string>

#include "dossier.h"
#include "fichiers.h"
#include "reglages.h"

namespace {

std::string resume(const Reglages& r) {
    char s[128];
    std::snprintf(s, sizeof s, "%d %d %d %d %dx%d / %d %dx%d", r.volumeMusique, r.volumeEffets, r.fantomeCourse,
                  r.pleinEcranJeu, r.largeurJeu, r.hauteurJeu, r.pleinEcranEditeur, r.largeurEditeur, r.hauteurEditeur);
    return s + (r.serveurScores.empty() ? "" : " " + r.serveurScores) + (r.langue == "auto" ? "" : " " + r.langue);
}

const char* const kDefaut = "10 10 1 0 640x480 / 0 640x480";

TEST(Reglages, EachFileReadsToItsSettingsAndEverySkippedLineIsSaidAndKept) {
    DossierTemporaire d;
    const struct { std::string texte, lu; size_t rejets; } cas[] = {
        {"", kDefaut, 0},
        {"volume_musique 0\nvolume_effets 7\r\n", "0 7 1 0 640x480 / 0 640x480", 0},
        {"volume_effets 0\n", "10 0 1 0 640x480 / 0 640x480", 0},
        {"volume_effets 0\nvolume_effets 10\n", kDefaut, 0},
        {"fantome_course 0\nplein_ecran 1\nfenetre_largeur 1920\tx\nfenetre_largeur  1920\nfenetre_hauteur 1080",
         "10 10 0 1 1920x1080 / 0 640x480", 1},
        {"editeur_plein_ecran 1\nediteur_fenetre_largeur 800\nediteur_fenetre_hauteur 600\n",
         "10 10 1 0 640x480 / 1 800x600", 0},
        {"volume_musique 11\nvolume_effets -1\nplein_ecran oui\nfenetre_largeur 319\nfenetre_hauteur 1e3\n"
         "volume_musique\n volume_effets 3\nfantome_course 2\nfenetre_hauteur 99999999999",
         kDefaut, 9},
        {"langue nl\nlangue fr\n# a note\n\n \t\nserveur_score http://x\nvolume_musique 4\nserveur_scores l:80",
         "4 10 1 0 640x480 / 0 640x480 l:80 fr", 2},
    };
    for (const auto& c : cas) {
        ecrireFichier("reglages.txt", c.texte);
        const std::string err = sortieErreur([&] { EXPECT_EQ(resume(lireReglages("reglages.txt")), c.lu) << c.texte; });
        EXPECT_EQ(lignes(err).size(), c.rejets) << err;
    }
    // Written again, the lines skipped stay, in their order, after the settings.
    ASSERT_TRUE(modifierReglages([](Reglages& r) { r.volumeEffets = 2, r.courseMondiale = true; }, "reglages.txt"));
    EXPECT_EQ(lireFichier("reglages.txt"),
              "volume_musique 4\nvolume_effets 2\nfantome_course 1\nsauver_fantome 1\nplein_ecran 0\nfenetre_largeur 640\n"
              "fenetre_hauteur 480\nediteur_plein_ecran 0\nediteur_fenetre_largeur 640\nediteur_fenetre_hauteur 480\n"
              "serveur_scores l:80\nlangue fr\nsynchro_verticale 1\nimages_max 60\nfantome_course_mondial 1\nlangue nl\n# a note\nserveur_score http://x\n");

    // No settings file: a FIFO, links to devices, a folder, huge files. The
    // defaults, said once, and the file left as it is when a change comes.
    std::vector<std::string> chemins = creerFichiersHostiles("h");
    ecrireFichier("h/grand", "volume_musique 3\n" + std::string(70000, '#'));
    chemins.push_back("h/grand");
    for (const std::string& c : chemins) {
        struct stat avant, apres;
        lstat(c.c_str(), &avant);
        const std::string err = sortieErreur([&] {
            EXPECT_EQ(resume(lireReglages(c)), kDefaut) << c;
            EXPECT_FALSE(modifierReglages([](Reglages& r) { r.volumeMusique = 1; }, c)) << c;
        });
        lstat(c.c_str(), &apres);
        EXPECT_TRUE(lignes(err).size() == 2 && avant.st_ino == apres.st_ino && avant.st_size == apres.st_size) << err;
    }
    EXPECT_FALSE(lireTexteReglages("sauver_fantome 0").sauverFantome) << "ghost saving is kept";
    // Missing: the defaults, silently; a change creates it (and its folder),
    // through a temporary file that does not stay; its lock stays beside it.
    creerDossiers("data");
    EXPECT_EQ(sortieErreur([] {
                  EXPECT_EQ(resume(lireReglages(kFichierReglages)), kDefaut);
                  EXPECT_TRUE(modifierReglages([](Reglages& r) { r.largeurJeu = 1280; }, kFichierReglages));
              }),
              "");
    EXPECT_TRUE(resume(lireReglages()) == "10 10 1 0 1280x480 / 0 640x480" && releve("data/joueur").size() == 2);
}

// Written as every file of the player's is: through a link (a dangling one
// too), keeping the file's mode, and under its lock, so what another
// program changed meanwhile stays.
TEST(Reglages, AChangeGoesThroughALinkKeepsTheModeAndKeepsAnotherProgramsChange) {
    DossierTemporaire d;
    ecrireFichier("vrai.txt", "volume_musique 3\n");
    chmod("vrai.txt", 0600);
    ASSERT_TRUE(symlink("vrai.txt", "reglages.txt") == 0 && symlink("loin.txt", "pendant.txt") == 0);
    EXPECT_TRUE(modifierReglages([](Reglages& r) { r.volumeEffets = 4; }, "reglages.txt") &&
                modifierReglages([](Reglages& r) { r.volumeEffets = 5; }, "pendant.txt"));
    struct stat st;
    EXPECT_TRUE(std::filesystem::is_symlink("reglages.txt") && std::filesystem::is_symlink("pendant.txt"));
    EXPECT_TRUE(stat("vrai.txt", &st) == 0 && (st.st_mode & 0777) == 0600);
    EXPECT_EQ(resume(lireReglages("vrai.txt")) + ", " + resume(lireReglages("loin.txt")),
              "3 4 1 0 640x480 / 0 640x480, 10 5 1 0 640x480 / 0 640x480");

    int tube[2];
    ASSERT_EQ(pipe(tube), 0);
    const pid_t autre = fork();  // changes the music once told to
    if (autre == 0) {
        char c;
        _exit(read(tube[0], &c, 1) == 1 && modifierReglages([](Reglages& r) { r.volumeMusique = 1; }, "vrai.txt") ? 0 : 1);
    }
    {
        Verrou verrou("vrai.txt");  // this program changes the effects meanwhile
        ASSERT_EQ(write(tube[1], "x", 1), 1);
        usleep(200000);
        EXPECT_TRUE(modifierReglages([](Reglages& r) { r.volumeEffets = 9; }, "autre.txt"));
        std::filesystem::rename("autre.txt", "vrai.txt");
    }
    int statut = -1;
    EXPECT_TRUE(waitpid(autre, &statut, 0) == autre && statut == 0);
    EXPECT_EQ(resume(lireReglages("vrai.txt")), "1 9 1 0 640x480 / 0 640x480");

    // Asked not to wait (a change on the Options screen): the change is made
    // once the lock is free, never without it.
    bool enAttente = false;
    {
        Verrou verrou("vrai.txt");
        EXPECT_TRUE(modifierReglages([](Reglages& r) { r.volumeMusique = 6; }, "vrai.txt", &enAttente) && enAttente);
        EXPECT_EQ(resume(lireReglages("vrai.txt")), "1 9 1 0 640x480 / 0 640x480");
    }
    EXPECT_TRUE(attendreMisesAJour(20000));
    EXPECT_EQ(resume(lireReglages("vrai.txt")), "6 9 1 0 640x480 / 0 640x480");
}

// The run's keys: scancodes, written only when the player changed them; a key
// the file cannot give (a name, out of range) keeps its line and the default.
TEST(Reglages, TheRunsKeysAreScancodesWrittenOnlyWhenChanged) {
    const Reglages r = lireTexteReglages("touche_haut 26\ntouche_course W\ntouche_bas 512\ntouche_echap 19\n");
    EXPECT_TRUE(r.toucheHaut == 26 && r.toucheCourse == 10 && r.toucheBas == 81 && r.toucheEchap == 19);
    const std::string t = texteReglages(r);
    EXPECT_EQ(t.substr(t.find("images_max")),
              "images_max 60\ntouche_haut 26\ntouche_echap 19\ntouche_course W\ntouche_bas 512\n");
}

}  // namespace
