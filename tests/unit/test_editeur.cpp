// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's pieces that need no display: the odd cases of the kind names
// and the texture lookup, and the rescue copies' names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "palette.h"
#include "repertoire.h"
#include "sauvetage.h"

namespace {

using namespace editeur;

TEST(EditeurPalette, NamesAndWordsOutsideThePalette) {
    EXPECT_EQ(objToChar(kNombreTypes, "nature") + objToChar(-1, "explication"), "erreurerreur");
    EXPECT_EQ(objToChar(3, "autre"), "");
    EXPECT_EQ(objToChar(3, "explication"), "Propulse le joueur en l'air");
    // A texture not in the palette is taken for the floor's.
    EXPECT_EQ(intToCharTexture(GestionTexture().textureToInt(7)) + intToCharTexture(42), "textureSoltextureSol");
}

TEST(EditeurSauvetage, RescueCopiesAreHiddenFlatAndNeverReplaced) {
    DossierTemporaire dossier;
    creerDossiers("maps");
    const std::vector<Enregistrement> carte(2);
    const std::string erreurs = sortieErreur([&] {
        for (const auto& [map, copie] : {std::pair{"maps/mapperso3.txt", "maps/.sauvetage-mapperso3"},
                                         {"maps/mapperso3.txt", "maps/.sauvetage-mapperso3-2"},  // an earlier copy stays
                                         {"maps/menu/menu.txt", "maps/.sauvetage-menu-menu"},    // no folder to miss
                                         {"maps/a.txt.b.txt", "maps/.sauvetage-a.b"}})           // no ".txt" anywhere
            EXPECT_EQ(ecrireSauvetage(map, carte), copie) << map;
        EXPECT_EQ(listerDossier("./maps", ".txt"), std::vector<std::string>{}) << "no list shows them";
        EXPECT_EQ(listerSauvetages().size(), 4u);
        const std::string longue = "maps/" + std::string(251, 'n') + ".txt";  // the longest name a map can have
        const std::string copie = ecrireSauvetage(longue, carte);
        EXPECT_TRUE(copie.size() <= 255 && copie.rfind("maps/.sauvetage-nnn", 0) == 0) << copie;
        EXPECT_EQ(ecrireSauvetage(longue, carte), copie + "-2");
        DossierTemporaire sansMaps;  // no maps/ folder: nothing can be written
        EXPECT_EQ(ecrireSauvetage("maps/x.txt", carte), "");
    });
    EXPECT_NE(erreurs.find("in maps/.sauvetage-mapperso3-2 (rename it"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("changes to maps/x.txt not saved, and no rescue copy could be written"), std::string::npos)
        << erreurs;
}

}  // namespace
