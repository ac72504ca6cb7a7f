// The editor's pieces that need no display: vector math and the odd cases of
// the kind names and the texture lookup.
#include <gtest/gtest.h>

#include "palette.h"
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

}  // namespace
