// The editor's pieces that need no display: vector math, the odd cases of
// the kind names and the texture lookup, and the rescue copies' names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "palette.h"
#include "repertoire.h"
#include "sauvetage.h"
#include "vector3d.h"

namespace {

using namespace editeur;

std::string texte(const Vector3D& v) {
    return std::to_string(v.X) + "," + std::to_string(v.Y) + "," + std::to_string(v.Z);
}

TEST(EditeurVecteur, OperationsCrossProductLengthAndNormalize) {
    const Vector3D a(1, 2, 3), b(4, 6, 8);
    Vector3D c = a, n(0, 3, 4);
    ((c += b) -= a) *= 2;
    EXPECT_EQ(texte(c /= 4), texte(Vector3D(2, 3, 4))) << "+= -= *= /=";
    EXPECT_EQ(texte(Vector3D(a, b)), texte(Vector3D(3, 4, 5))) << "from a to b is b - a";
    EXPECT_EQ(texte((a + b - a) * 3 / 2), texte(Vector3D(6, 9, 12)));
    EXPECT_EQ(texte(2 * a), texte(Vector3D(2, 4, 6)));
    EXPECT_EQ(texte(a.crossProduct(b)), texte(Vector3D(2 * 8 - 3 * 6, 3 * 4 - 1 * 8, 1 * 6 - 2 * 4)));
    EXPECT_DOUBLE_EQ(Vector3D(3, 4, 12).length(), 13);
    EXPECT_EQ(texte(n.normalize()), texte(Vector3D(0, 0.6, 0.8)));
    EXPECT_EQ(texte(n), texte(Vector3D(0, 0.6, 0.8))) << "normalize changes the vector itself";
}

TEST(EditeurPalette, NamesAndWordsOutsideThePalette) {
    EXPECT_EQ(objToChar(9, "nature") + objToChar(-1, "explication"), "erreurerreur");
    EXPECT_EQ(objToChar(3, "autre"), "");
    EXPECT_EQ(objToChar(3, "explication"), "Propulse le joueur en l'air");
    // A texture not in the palette is taken for the floor's.
    EXPECT_EQ(intToCharTexture(GestionTexture().textureToInt(7)) + intToCharTexture(42), "textureSoltextureSol");
    EXPECT_EQ(GestionTexture().intToTexture(0), 0u);
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
        DossierTemporaire sansMaps;  // no maps/ folder: nothing can be written
        EXPECT_EQ(ecrireSauvetage("maps/x.txt", carte), "");
    });
    EXPECT_NE(erreurs.find("in maps/.sauvetage-mapperso3-2 (rename it"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("changes to maps/x.txt not saved, and no rescue copy could be written"), std::string::npos)
        << erreurs;
}

}  // namespace
