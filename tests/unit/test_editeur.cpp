// The editor's building blocks that need no display: vector math, the kinds
// and their names, the mapping to and from level-file kinds, new map names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dossier.h"
#include "edition.h"
#include "objet_editeur.h"
#include "palette.h"
#include "vector3d.h"

namespace {

using namespace editeur;

void attendreVecteur(const Vector3D& v, double x, double y, double z, const char* quoi) {
    EXPECT_DOUBLE_EQ(v.X, x) << quoi;
    EXPECT_DOUBLE_EQ(v.Y, y) << quoi;
    EXPECT_DOUBLE_EQ(v.Z, z) << quoi;
}

TEST(EditeurVecteur, EveryOperationWorksComponentwise) {
    const Vector3D a(1, 2, 3), b(4, 6, 8);
    Vector3D c = a;
    c += b;
    attendreVecteur(c, 5, 8, 11, "+=");
    c -= a;
    attendreVecteur(c, 4, 6, 8, "-=");
    c *= 2;
    attendreVecteur(c, 8, 12, 16, "*=");
    c /= 4;
    attendreVecteur(c, 2, 3, 4, "/=");
    attendreVecteur(Vector3D(a, b), 3, 4, 5, "from a to b is b - a");
    attendreVecteur(a + b, 5, 8, 11, "+");
    attendreVecteur(b - a, 3, 4, 5, "-");
    attendreVecteur(a * 3, 3, 6, 9, "* number");
    attendreVecteur(3 * a, 3, 6, 9, "number *");
    attendreVecteur(b / 2, 2, 3, 4, "/");
    attendreVecteur(Vector3D(1, 0, 0).crossProduct(Vector3D(0, 1, 0)), 0, 0, 1, "x × y = z");
    attendreVecteur(a.crossProduct(b), 2 * 8 - 3 * 6, 3 * 4 - 1 * 8, 1 * 6 - 2 * 4, "cross");
    EXPECT_DOUBLE_EQ(Vector3D(3, 4, 12).length(), 13);
    Vector3D n(0, 3, 4);
    attendreVecteur(n.normalize(), 0, 0.6, 0.8, "normalize returns itself");
    attendreVecteur(n, 0, 0.6, 0.8, "normalize changes the vector");
    attendreVecteur(Vector3D(), 0, 0, 0, "default");
}

TEST(EditeurPalette, KindsNamesFileKindsAndTextureWords) {
    struct Ligne {
        int type;
        const char* nature;
        const char* mot;
        int typeFichier;
    };
    const Ligne lignes[] = {
        {0, "Joueur", "textureSphere", 0},        {1, "Cube[sol]", "textureSol", 1},
        {2, "Cube[mur]", "textureCaisse", 1},     {3, "Jump", "textureJump", 2},
        {4, "Turbo", "textureSpeed", 3},          {5, "Arrivee", "textureArrivee", 4},
        {6, "Vide[invisible]", "textureVide", 5}, {7, "Depart", "textureDepart", 6},
        {8, "Checkpoint", "textureSauvegarde", 7},
    };
    for (const Ligne& l : lignes) {
        EXPECT_EQ(objToChar(l.type, "nature"), l.nature);
        EXPECT_FALSE(objToChar(l.type, "explication").empty()) << l.type;
        EXPECT_EQ(objToChar(l.type, "autre"), "") << l.type;
        EXPECT_EQ(intToCharTexture(l.type), l.mot);
        EXPECT_EQ(indexDuMot(l.mot), l.type);
        EXPECT_EQ(typeFichierDe(l.type), l.typeFichier);
        if (l.type != 2) {
            EXPECT_EQ(typeEditeurDe(l.typeFichier), l.type);
        }
    }
    EXPECT_EQ(objToChar(3, "explication"), "Propulse le joueur en l'air");
    for (int hors : {-1, 9, 42}) {
        EXPECT_EQ(objToChar(hors, "nature"), "erreur");
        EXPECT_EQ(intToCharTexture(hors), "textureSol");
    }
    // File kinds the palette does not know are kept as they are.
    for (int hors : {-1, 8, 9, 10, 11, 12}) EXPECT_EQ(typeEditeurDe(hors), -1) << hors;
    EXPECT_EQ(indexDuMot("textureBidon"), -1);
    // A wall read back: file kind 1 with "textureCaisse" is a floor block
    // with the wall texture, saved again as the same record.
    EXPECT_EQ(indexTextureLu(typeEditeurDe(1), "textureCaisse"), 2);
    EXPECT_EQ(indexTextureLu(typeEditeurDe(4), "textureCaisse"), 2);
    EXPECT_EQ(indexTextureLu(typeEditeurDe(4), "textureSol"), 5);
    // An empty palette finds nothing.
    GestionTexture vide;
    EXPECT_EQ(vide.intToTexture(0), 0u);
    EXPECT_EQ(vide.textureToInt(7), 1);
}

TEST(EditeurObjet, AKeptRecordIsSavedAsReadUntilItIsGivenAKind) {
    Enregistrement e;
    e.type = 9;
    e.x = 1.1f;
    e.z = -3.7f;
    e.lx = 0.3f;
    e.texture = "textureSpeed";
    Heros h = Heros::garde(e, 0);
    EXPECT_EQ(h.getObj(), -1);
    Enregistrement s = h.enregistrement("textureSol");
    EXPECT_EQ(s.type, 9);
    EXPECT_EQ(s.texture, "textureSpeed");
    EXPECT_EQ(s.x, e.x);
    EXPECT_EQ(s.z, e.z);
    h.deplacer(1, 0, 0);
    h.agrandir(0, 0, 2);
    s = h.enregistrement("textureSol");
    EXPECT_FLOAT_EQ(s.x, 2.1f);
    EXPECT_FLOAT_EQ(s.lz, 2);
    h.changerObj(4);
    s = h.enregistrement("textureSpeed");
    EXPECT_EQ(s.type, 3);
    EXPECT_FALSE(h.getGarde().has_value());
}

TEST(EditeurNom, ANewMapTakesTheFirstFreeNumberFromTheOneAsked) {
    DossierTemporaire d;
    ecrireFichier("maps/mapperso3.txt", "");
    creerDossiers("maps/mapperso4.txt");  // any entry counts, a folder too
    int n = 0;
    EXPECT_EQ(nomMapLibre(1, &n), "maps/mapperso1.txt");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(nomMapLibre(3, &n), "maps/mapperso5.txt");
    EXPECT_EQ(n, 5);
}

}  // namespace
