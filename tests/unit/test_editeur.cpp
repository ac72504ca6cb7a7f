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

void attendreVecteur(const Vector3D& v, double x, double y, double z, const char* quoi) {
    EXPECT_TRUE(v.X == x && v.Y == y && v.Z == z) << quoi << ": " << v.X << "," << v.Y << "," << v.Z;
}

TEST(EditeurVecteur, OperationsCrossProductLengthAndNormalize) {
    const Vector3D a(1, 2, 3), b(4, 6, 8);
    Vector3D c = a;
    ((c += b) -= a) *= 2;
    attendreVecteur(c /= 4, 2, 3, 4, "+= -= *= /=");
    attendreVecteur(Vector3D(a, b), 3, 4, 5, "from a to b is b - a");
    attendreVecteur((a + b - a) * 3 / 2, 6, 9, 12, "+ - * /");
    attendreVecteur(2 * a, 2, 4, 6, "number * vector");
    attendreVecteur(a.crossProduct(b), 2 * 8 - 3 * 6, 3 * 4 - 1 * 8, 1 * 6 - 2 * 4, "cross");
    EXPECT_DOUBLE_EQ(Vector3D(3, 4, 12).length(), 13);
    Vector3D n(0, 3, 4);
    attendreVecteur(n.normalize(), 0, 0.6, 0.8, "normalize");
    attendreVecteur(n, 0, 0.6, 0.8, "normalize changes the vector itself");
}

TEST(EditeurPalette, NamesAndWordsOutsideThePalette) {
    EXPECT_EQ(objToChar(9, "nature"), "erreur");
    EXPECT_EQ(objToChar(-1, "explication"), "erreur");
    EXPECT_EQ(objToChar(3, "autre"), "");
    EXPECT_EQ(objToChar(3, "explication"), "Propulse le joueur en l'air");
    // A texture not in the palette is taken for the floor's.
    EXPECT_EQ(intToCharTexture(GestionTexture().textureToInt(7)), "textureSol");
    EXPECT_EQ(intToCharTexture(42), "textureSol");
    EXPECT_EQ(GestionTexture().intToTexture(0), 0u);
}

TEST(EditeurSauvetage, RescueCopiesAreHiddenFlatAndNeverReplaced) {
    DossierTemporaire dossier;
    creerDossiers("maps");
    const std::vector<Enregistrement> carte(2);
    const std::pair<const char*, const char*> cas[] = {
        {"maps/mapperso3.txt", "maps/.sauvetage-mapperso3"},
        {"maps/mapperso3.txt", "maps/.sauvetage-mapperso3-2"},  // an earlier copy stays
        {"maps/menu/menu.txt", "maps/.sauvetage-menu-menu"},    // no folder to miss
        {"maps/a.txt.b.txt", "maps/.sauvetage-a.b"},            // no ".txt" anywhere
    };
    testing::internal::CaptureStderr();
    for (const auto& c : cas) EXPECT_EQ(ecrireSauvetage(c.first, carte), c.second) << c.first;
    EXPECT_EQ(listerDossier("./maps", ".txt"), std::vector<std::string>{}) << "no list shows them";
    EXPECT_EQ(listerSauvetages().size(), 4u);
    {
        DossierTemporaire sansMaps;  // no maps/ folder: nothing can be written
        EXPECT_EQ(ecrireSauvetage("maps/x.txt", carte), "");
    }
    const std::string erreurs = testing::internal::GetCapturedStderr();
    EXPECT_NE(erreurs.find("in maps/.sauvetage-mapperso3-2 (rename it"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("changes to maps/x.txt not saved, and no rescue copy could be written"),
              std::string::npos) << erreurs;
}

}  // namespace
