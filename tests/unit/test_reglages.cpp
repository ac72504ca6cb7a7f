// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: what each line sets, what is skipped (said, and kept
// when the file is written again), what is no settings file at all and is
// never written over, and a change written atomically.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "dossier.h"
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
    ASSERT_TRUE(modifierReglages([](Reglages& r) { r.volumeEffets = 2; }, "reglages.txt"));
    EXPECT_EQ(lireFichier("reglages.txt"),
              "volume_musique 4\nvolume_effets 2\nfantome_course 1\nplein_ecran 0\nfenetre_largeur 640\n"
              "fenetre_hauteur 480\nediteur_plein_ecran 0\nediteur_fenetre_largeur 640\nediteur_fenetre_hauteur 480\n"
              "serveur_scores l:80\nlangue fr\nlangue nl\n# a note\nserveur_score http://x\n");

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
    // Missing: the defaults, silently; a change creates it (and its folder),
    // through a temporary file that does not stay.
    creerDossiers("data");
    EXPECT_EQ(sortieErreur([] {
                  EXPECT_EQ(resume(lireReglages(kFichierReglages)), kDefaut);
                  EXPECT_TRUE(modifierReglages([](Reglages& r) { r.largeurJeu = 1280; }, kFichierReglages));
              }),
              "");
    EXPECT_TRUE(resume(lireReglages()) == "10 10 1 0 1280x480 / 0 640x480" && releve("data/joueur").size() == 1);
}

}  // namespace
