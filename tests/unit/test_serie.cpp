// SPDX-License-Identifier: GPL-3.0-or-later
// Level set files: what is offered of each, what standard error says of the
// rest, and the writing back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dossier.h"
#include "serie.h"

namespace {

TEST(Serie, ReadsWhatCanBePlayedSaysWhatCannotAndOffersOnlySetsWithAMap) {
    DossierTemporaire dossier;
    for (const char* m : {"maps/a.txt", "maps/b.txt"}) ecrireFichier(m, "@0,0,0,0,0,1,1,1,0,0,0,textureSphere\n");
    creerDossiers("maps/dossier.txt");
    const std::string long40 = "Une serie au titre bien trop long pour l'ecran";
    struct Cas {
        std::string nom, texte;
        bool jouable;
        std::string titre;
        std::vector<std::string> maps;
        std::vector<std::string> erreurs;  // each found in standard error
    };
    const std::vector<Cas> cas = {
        {"bonne", "# made by hand\n\n  Été à Vorna  \na.txt\r\n  b.txt\na.txt\n", true, "Été à Vorna",
         {"a.txt", "b.txt", "a.txt"}, {}},
        {"manque", "Trous\nperdue.txt\nb.txt\n../a.txt\na.qzm\ndossier.txt\n", true, "Trous", {"b.txt"},
         {"line 2: \"perdue.txt\" names a map missing from maps/", "line 4: \"../a.txt\" is not a map file name",
          "line 5: \"a.qzm\" is not a map (a .txt file)", "line 6: \"dossier.txt\" names a map missing"}},
        {"vide", "Rien dedans\n# a.txt\n", false, "Rien dedans", {}, {"\"maps/sets/vide.txt\" has no map to play"}},
        {"sanstitre", "", false, "", {}, {"has no map to play"}},
        {"longue", long40 + "\na.txt\n", true, "Une serie au titre bien trop l", {"a.txt"},
         {"line 1: \"" + long40 + "\" is longer than 30 characters: the title is cut"}},
    };
    for (const Cas& c : cas) ecrireFichier("maps/sets/" + c.nom + ".txt", c.texte);
    for (const Cas& c : cas) {
        bool jouable = true;
        Serie s;
        const std::string erreur = sortieErreur([&] { s = lireSerie(c.nom, jouable); });
        EXPECT_EQ(jouable, c.jouable) << c.nom;
        EXPECT_EQ(s.titre, c.titre) << c.nom;
        EXPECT_EQ(s.maps, c.maps) << c.nom;
        for (const std::string& e : c.erreurs) EXPECT_NE(erreur.find(e), std::string::npos) << c.nom << ": " << erreur;
        EXPECT_EQ(erreur.empty(), c.erreurs.empty()) << c.nom << ": " << erreur;
    }
    std::vector<std::string> offertes;
    sortieErreur([&] {
        for (const Serie& s : seriesJouables()) offertes.push_back(s.nom);
    });
    EXPECT_EQ(offertes, (std::vector<std::string>{"bonne", "longue", "manque"}));

    // Written back whole under a name from its title, and read back the same.
    Serie s{nomDeSerie(" Été, 2 x/Ça!"), "Été 2", {"b.txt", "a.txt"}};
    EXPECT_EQ(s.nom, "t-2-x-a");
    ASSERT_TRUE(ecrireSerie(s));
    EXPECT_EQ(lireFichier("maps/sets/t-2-x-a.txt"), "Été 2\nb.txt\na.txt\n");
    bool jouable = false;
    EXPECT_EQ(lireSerie(s.nom, jouable).maps, s.maps);
    EXPECT_EQ(nomDeSerie("!!"), "serie");
}

}  // namespace
