// SPDX-License-Identifier: GPL-3.0-or-later
// Images become textures the right way up, with their colours intact, shared
// while in use; the course's texture sets and the level files' texture words.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <GL/glu.h>

#include <random>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "mipmaps.h"
#include "texture.h"

namespace {

// Level 0 of a texture as R, G, B, A at (x, t), rows as GL stores them (row 0 at t = 0).
struct Niveau0 {
    int l = 0, h = 0;
    std::vector<uint8_t> p;
    explicit Niveau0(unsigned int nom) {
        glBindTexture(GL_TEXTURE_2D, nom);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &l);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        p.resize(size_t(l) * h * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    }
    bool proche(int x, int t, int r, int g, int b, int a = -1, int tol = 3) const {
        const uint8_t* q = &p[(size_t(t) * l + x) * 4];
        return std::abs(q[0] - r) <= tol && std::abs(q[1] - g) <= tol && std::abs(q[2] - b) <= tol &&
               (a < 0 || q[3] == a);
    }
};

// 32 × 16: top half red on the left and green on the right, bottom half blue
// on the left and white on the right (alpha 255, 128, 255, 0); blocks of 8 × 8 survive JPEG intact.
Image motif(int canaux) {
    Image i(32, 16, canaux);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            if (y < 8) x < 16 ? i.mettre(x, y, 255, 0, 0, 255) : i.mettre(x, y, 0, 255, 0, 128);
            else x < 16 ? i.mettre(x, y, 0, 0, 255, 255) : i.mettre(x, y, 255, 255, 255, 0);
        }
    return i;
}

struct TextureGL : ::testing::Test {
    DossierTemporaire dossier;
    void SetUp() override {
        EXIGER_FENETRE();
        reinitialiserGL();
    }
};

TEST_F(TextureGL, TheFirstRowOfAFileEndsAtTheTopTargaKeepsItsExactColoursAndAFileInUseIsLoadedOnce) {
    ecrireJpeg("motif.jpg", motif(3));
    for (bool mip : {false, true}) {
        const unsigned int nom = loadTexture("motif.jpg", mip);
        const Niveau0 n(nom);
        ASSERT_TRUE(n.l == 32 && n.h == 16);
        EXPECT_TRUE(n.proche(2, 15, 255, 0, 0, 255) && n.proche(29, 15, 0, 255, 0)) << "the first file row: t near 1";
        EXPECT_TRUE(n.proche(2, 0, 0, 0, 255, 255) && n.proche(29, 0, 255, 255, 255));
        GLint min = 0, mag = 0, enveloppe = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &enveloppe);
        EXPECT_TRUE(min == (mip ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR) && mag == GL_LINEAR && enveloppe == GL_REPEAT);
        libererTexture(nom);
    }
    ecrireTga("motif.TGA", motif(4));
    const unsigned int sans = loadTexture("motif.TGA", false);
    const Niveau0 n(sans);
    EXPECT_TRUE(n.proche(0, 15, 255, 0, 0, 255, 0) && n.proche(31, 15, 0, 255, 0, 128, 0) &&
                n.proche(31, 0, 255, 255, 255, 0, 0));
    // A grey one, as the font is, keeps luminance and alpha only: the same pixels in half the room.
    Image gris(32, 16, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) gris.mettre(x, y, uint8_t(8 * x), uint8_t(8 * x), uint8_t(8 * x), uint8_t(16 * y));
    ecrireTga("gris.tga", gris);
    const unsigned int ng = loadTexture("gris.tga", false);
    const Niveau0 g(ng);
    GLint rouge = -1, luminance = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &rouge);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_LUMINANCE_SIZE, &luminance);
    // Read back as RGBA, luminance comes as red alone.
    EXPECT_TRUE(rouge == 0 && luminance == 8 && g.proche(31, 15, 248, 0, 0, 0, 0) && g.proche(1, 0, 8, 0, 0, 240, 0));
    libererTexture(ng);
    ecrireFichier("casse.jpg", "this is no image");
    EXPECT_EQ(loadTexture("absent.jpg", true) + loadTexture(nullptr, true) + loadTexture("casse.jpg", false), 0u);
    // A JPEG file damaged past its first bytes: libjpeg's word, and no texture.
    ecrireFichier("faux.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(40, 'x'));
    const std::string dit = sortieErreur([] { EXPECT_EQ(loadTexture("faux.jpg", true), 0u); });
    EXPECT_NE(dit.find("image \"faux.jpg\" cannot be read (") , std::string::npos) << dit;

    // A file in use is loaded once (another choice of mipmaps is another texture) and
    // deleted with its last user.
    const unsigned int a = loadTexture("motif.TGA", true), b = loadTexture("motif.TGA", true);
    EXPECT_TRUE(a != 0 && a == b && sans != a);
    libererTexture(a);
    EXPECT_TRUE(glIsTexture(a));
    libererTexture(b);
    EXPECT_FALSE(glIsTexture(a));
    // A file written again is read again.
    const unsigned int c = loadTexture("motif.TGA", false);
    EXPECT_EQ(c, sans);
    ecrireTga("motif.TGA", motif(8));
    const unsigned int d = loadTexture("motif.TGA", false);
    EXPECT_NE(d, sans);
    for (unsigned int x : {sans, c, d}) libererTexture(x);
    EXPECT_FALSE(glIsTexture(sans) || glIsTexture(d));
}

TEST_F(TextureGL, DirectConversionGivesTheBytesOfSdlsConversionForEveryFormat) {
    const struct { int bpp; Uint32 r, g, b, a; } formats[] = {
        {24, 0xFF, 0xFF00, 0xFF0000, 0},           {24, 0xFF0000, 0xFF00, 0xFF, 0},  // JPEG
        {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},  {32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},  // TGA
        {32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF},  {32, 0xFF0000, 0xFF00, 0xFF, 0},  // no alpha
        {16, 0xF800, 0x7E0, 0x1F, 0},              {8, 0, 0, 0, 0},  // through SDL, a palette
    };
    for (const auto& f : formats) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, f.bpp, f.r, f.g, f.b, f.a);
        for (int i = 0; i < s->pitch * s->h; ++i) static_cast<Uint8*>(s->pixels)[i] = Uint8(i * 37 + 11);
        SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
        SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(s, nullptr, rgba, nullptr);
        std::vector<Uint8> attendu;  // its rows in reverse order
        for (int y = 2; y >= 0; --y)
            attendu.insert(attendu.end(), static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch,
                           static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch + 20);
        // The 16- and 8-bit formats go through SDL and flipSurface.
        EXPECT_EQ(rgbaRetourne(s), attendu) << f.bpp << " bits, red mask " << std::hex << f.r;
        for (SDL_Surface* x : {s, rgba}) SDL_FreeSurface(x);
    }
    EXPECT_TRUE(rgbaRetourne(nullptr).empty());
}

// Every level of the bound texture, as stored.
std::vector<std::vector<uint8_t>> niveaux(GLenum format, int composantes) {
    std::vector<std::vector<uint8_t>> r;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int n = 0; n < 16; ++n) {
        GLint l = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, n, GL_TEXTURE_WIDTH, &l);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, n, GL_TEXTURE_HEIGHT, &h);
        if (l <= 0) break;
        r.emplace_back(size_t(l) * h * composantes);
        glGetTexImage(GL_TEXTURE_2D, n, format, GL_UNSIGNED_BYTE, r.back().data());
    }
    return r;
}

// Images decoded as RGB or BGR go up as they are; before, they went through
// RGBA and GLU. The levels are the same to the byte.
TEST_F(TextureGL, TheMipmapLevelsAreThoseGluBuiltFromRgbaDownToOneTexel) {
    std::mt19937 hasard(7);
    const struct { int l, h; } tailles[] = {{64, 32}, {8, 64}, {16, 1}, {1, 8}, {2, 2}, {1, 1}, {12, 6}};
    const struct { GLenum format; int c, alignement; } formats[] = {
        {GL_RGBA, 4, 4}, {GL_LUMINANCE_ALPHA, 2, 1}, {GL_RGB, 3, 4}, {GL_BGR, 3, 4}};
    for (const auto [l, h] : tailles)
        for (const auto [format, c, alignement] : formats) {
            // The same texels as RGBA (or LA) for GLU, and in the format's
            // order with rows padded as GL unpacks them for the game.
            const size_t ligne = (size_t(l) * c + alignement - 1) / alignement * alignement;
            const bool gris = format == GL_LUMINANCE_ALPHA;
            std::vector<unsigned char> p(ligne * h), reference(size_t(l) * h * (gris ? 2 : 4));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < l; ++x) {
                    unsigned char* q = &p[y * ligne + x * c];
                    unsigned char* r = &reference[(size_t(y) * l + x) * (gris ? 2 : 4)];
                    for (int k = 0; k < c; ++k) q[k] = static_cast<unsigned char>(hasard());
                    if (gris) r[0] = q[0], r[1] = q[1];
                    else for (int k = 0; k < 4; ++k) r[k] = k == 3 ? (c == 4 ? q[3] : 255) : q[format == GL_BGR ? 2 - k : k];
                }
            const GLint interne = gris ? GL_LUMINANCE_ALPHA : 4;
            GLuint t[2];
            glGenTextures(2, t);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glBindTexture(GL_TEXTURE_2D, t[0]);
            gluBuild2DMipmaps(GL_TEXTURE_2D, interne, l, h, gris ? format : GL_RGBA, GL_UNSIGNED_BYTE, reference.data());
            const auto glu = niveaux(GL_RGBA, 4);
            glBindTexture(GL_TEXTURE_2D, t[1]);
            construireMipmaps(interne, l, h, format, c, p.data(), alignement);
            EXPECT_EQ(niveaux(GL_RGBA, 4), glu) << l << " x " << h << ", " << c << " bytes a texel";
            glDeleteTextures(2, t);
        }
}

TEST_F(TextureGL, EachLevelWordNamesItsFileTheMountainSetDiffersInFourAndAMissingSetIsAllZero) {
    Texture absent;
    absent.loadTextures("normal");
    EXPECT_EQ(absent.m_textureSol + absent.m_textureFont + absent.stringToTexture("textureSol"), 0u);
    // Each file its own colour, so a texture's texel tells which file it came from.
    const char* const fichiers[] = {"bois.jpg", "sol.jpg",  "caisse.jpg", "jump.jpg",  "speed.jpg",
                                    "caisse2.jpg", "depart.jpg", "save.jpg", "herbe.jpg", "rock.jpg",
                                    "jump2.jpg", "speed2.jpg", "font1.TGA"};
    for (int k = 0; k < 13; ++k) {
        Image i(16, 16, 3);
        i.remplir(uint8_t(18 * k + 10), uint8_t(250 - 18 * k), uint8_t(k % 2 ? 40 : 200));
        k == 12 ? ecrireTga("data/font1.TGA", i) : ecrireJpeg(std::string("data/") + fichiers[k], i);
    }
    auto fichierDe = [&](unsigned int nom) -> std::string {
        if (nom == 0) return "0";
        const Niveau0 n(nom);
        for (int k = 0; k < 13; ++k)
            if (n.proche(4, 4, 18 * k + 10, 250 - 18 * k, k % 2 ? 40 : 200, -1, 6)) return fichiers[k];
        return "?";
    };
    Texture normal, montagne;
    normal.loadTextures("normal");
    montagne.loadTextures("montagne");
    // The level files' eight words, then words that name no texture (the font's included).
    std::string vus;
    for (const Texture* t : {&normal, &montagne}) {
        for (const char* mot : {"textureSphere", "textureSol", "textureCaisse", "textureJump", "textureSpeed",
                                "textureArrivee", "textureDepart", "textureSauvegarde", "textureVide", "texturesol",
                                "textureSol,1", "textureFont"})
            vus += fichierDe(t->stringToTexture(mot)) + " ";
        vus += fichierDe(t->m_textureFont) + "\n";
    }
    EXPECT_EQ(vus, "bois.jpg sol.jpg caisse.jpg jump.jpg speed.jpg caisse2.jpg depart.jpg save.jpg 0 0 0 0 font1.TGA\n"
                   "bois.jpg herbe.jpg rock.jpg jump2.jpg speed2.jpg caisse2.jpg depart.jpg save.jpg 0 0 0 0 font1.TGA\n");
    const unsigned int sol = normal.m_textureSol;
    normal.deleteTexture();
    EXPECT_EQ(normal.m_textureSol, 0u);
    EXPECT_FALSE(glIsTexture(sol));
    montagne.deleteTexture();
}

}  // namespace
