// Images become textures the right way up and with their colours intact.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "dossier.h"
#include "fenetre_test.h"
#include "texture.h"

namespace {

struct Texel { int r, g, b, a; };

// Level 0 of a texture, rows as GL stores them (row 0 at t = 0).
std::vector<uint8_t> niveau0(unsigned int nom, int& l, int& h) {
    glBindTexture(GL_TEXTURE_2D, nom);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &l);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> p(size_t(l) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
}

Texel texel(const std::vector<uint8_t>& p, int l, int x, int t) {
    const uint8_t* q = &p[(size_t(t) * l + x) * 4];
    return {q[0], q[1], q[2], q[3]};
}

void proche(Texel v, int r, int g, int b, int tol = 3) {
    EXPECT_NEAR(v.r, r, tol);
    EXPECT_NEAR(v.g, g, tol);
    EXPECT_NEAR(v.b, b, tol);
}

// 32 × 16: top half red on the left and green on the right, bottom half blue
// on the left and white on the right; blocks of 8 × 8 survive JPEG intact.
Image motif(int canaux) {
    Image i(32, 16, canaux);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            bool haut = y < 8, gauche = x < 16;
            if (haut && gauche) i.mettre(x, y, 255, 0, 0, 255);
            else if (haut) i.mettre(x, y, 0, 255, 0, 128);
            else if (gauche) i.mettre(x, y, 0, 0, 255, 255);
            else i.mettre(x, y, 255, 255, 255, 0);
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

TEST_F(TextureGL, TheFirstRowOfAFileEndsAtTheTopOfTheTexture) {
    for (bool mip : {false, true}) {
        ecrireJpeg("motif.jpg", motif(3));
        unsigned int nom = loadTexture("motif.jpg", mip);
        ASSERT_NE(nom, 0u);
        int l, h;
        auto p = niveau0(nom, l, h);
        ASSERT_EQ(l, 32);
        ASSERT_EQ(h, 16);
        proche(texel(p, l, 2, 15), 255, 0, 0);     // first file row, left: t near 1
        proche(texel(p, l, 29, 15), 0, 255, 0);
        proche(texel(p, l, 2, 0), 0, 0, 255);      // last file row: t near 0
        proche(texel(p, l, 29, 0), 255, 255, 255);
        EXPECT_EQ(texel(p, l, 2, 0).a, 255);

        GLint min = 0, mag = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        EXPECT_EQ(min, mip ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        EXPECT_EQ(mag, GL_LINEAR);
        GLint wrap = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
        EXPECT_EQ(wrap, GL_REPEAT);
        glDeleteTextures(1, &nom);
    }
}

TEST_F(TextureGL, TargaKeepsItsExactColoursAndAlpha) {
    ecrireTga("motif.TGA", motif(4));
    unsigned int nom = loadTexture("motif.TGA", false);
    ASSERT_NE(nom, 0u);
    int l, h;
    auto p = niveau0(nom, l, h);
    Texel rouge = texel(p, l, 0, 15), vert = texel(p, l, 31, 15), blanc = texel(p, l, 31, 0);
    EXPECT_EQ(rouge.r, 255); EXPECT_EQ(rouge.g, 0); EXPECT_EQ(rouge.b, 0); EXPECT_EQ(rouge.a, 255);
    EXPECT_EQ(vert.g, 255); EXPECT_EQ(vert.a, 128);
    EXPECT_EQ(blanc.a, 0);
    glDeleteTextures(1, &nom);
}

TEST_F(TextureGL, MissingOrUnreadableFilesGiveZero) {
    EXPECT_EQ(loadTexture("absent.jpg", true), 0u);
    EXPECT_EQ(loadTexture(nullptr, true), 0u);
    ecrireFichier("casse.jpg", "this is no image");
    EXPECT_EQ(loadTexture("casse.jpg", false), 0u);
}

TEST_F(TextureGL, FlipSurfaceReversesTheRows) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = Uint32(y * 10 + x);
    SDL_Surface* r = flipSurface(s);
    ASSERT_NE(r, nullptr);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(static_cast<Uint32*>(r->pixels)[y * r->pitch / 4 + x], Uint32((3 - y) * 10 + x));
    EXPECT_EQ(flipSurface(nullptr), nullptr);
    SDL_FreeSurface(r);
    SDL_FreeSurface(s);
}

TEST_F(TextureGL, DirectConversionGivesTheBytesOfSdlsConversionForEveryFormat) {
    struct Format { int bpp; Uint32 r, g, b, a; };
    const Format formats[] = {
        {24, 0xFF, 0xFF00, 0xFF0000, 0},              // JPEG
        {24, 0xFF0000, 0xFF00, 0xFF, 0},
        {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},     // TGA
        {32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},
        {32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF},
        {32, 0xFF0000, 0xFF00, 0xFF, 0},              // no alpha
        {16, 0xF800, 0x7E0, 0x1F, 0},                 // through SDL
        {8, 0, 0, 0, 0},                              // palette, through SDL
    };
    for (const Format& f : formats) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, f.bpp, f.r, f.g, f.b, f.a);
        ASSERT_NE(s, nullptr);
        for (int i = 0; i < s->pitch * s->h; ++i) static_cast<Uint8*>(s->pixels)[i] = Uint8(i * 37 + 11);
        SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
        SDL_SetAlpha(s, 0, 0);
        SDL_BlitSurface(s, nullptr, rgba, nullptr);
        SDL_Surface* attendu = flipSurface(rgba);
        std::vector<Uint8> ref;
        for (int y = 0; y < 3; ++y)
            ref.insert(ref.end(), static_cast<Uint8*>(attendu->pixels) + y * attendu->pitch,
                       static_cast<Uint8*>(attendu->pixels) + y * attendu->pitch + 20);
        EXPECT_EQ(rgbaRetourne(s), ref) << f.bpp << " bits, red mask " << std::hex << f.r;
        SDL_FreeSurface(attendu);
        SDL_FreeSurface(rgba);
        SDL_FreeSurface(s);
    }
    EXPECT_TRUE(rgbaRetourne(nullptr).empty());
}

TEST_F(TextureGL, AFileInUseIsLoadedOnceAndDeletedWithItsLastUser) {
    ecrireTga("motif.TGA", motif(4));
    const unsigned int a = loadTexture("motif.TGA", true), b = loadTexture("motif.TGA", true);
    ASSERT_NE(a, 0u);
    EXPECT_EQ(a, b);
    const unsigned int sans = loadTexture("motif.TGA", false);  // another choice of mipmaps
    EXPECT_NE(sans, a);
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
    for (unsigned int n : {sans, c, d}) libererTexture(n);
    EXPECT_FALSE(glIsTexture(sans));
    EXPECT_FALSE(glIsTexture(d));
}

// Each file gets its own colour, so a texture's first texel tells which file it came from.
struct Couleur { const char* fichier; uint8_t r, g, b; };
const Couleur kFichiers[] = {
    {"data/bois.jpg", 200, 0, 0},     {"data/sol.jpg", 0, 200, 0},
    {"data/caisse.jpg", 0, 0, 200},   {"data/jump.jpg", 200, 200, 0},
    {"data/speed.jpg", 0, 200, 200},  {"data/caisse2.jpg", 200, 0, 200},
    {"data/depart.jpg", 100, 0, 0},   {"data/save.jpg", 0, 100, 0},
    {"data/herbe.jpg", 0, 0, 100},    {"data/rock.jpg", 100, 100, 0},
    {"data/jump2.jpg", 0, 100, 100},  {"data/speed2.jpg", 100, 0, 100},
    {"data/font1.TGA", 255, 255, 255},
};

std::string fichierDe(unsigned int nom) {
    int l, h;
    auto p = niveau0(nom, l, h);
    Texel t = texel(p, l, 4, 4);
    for (const Couleur& c : kFichiers)
        if (std::abs(t.r - c.r) < 8 && std::abs(t.g - c.g) < 8 && std::abs(t.b - c.b) < 8)
            return c.fichier;
    return "?";
}

TEST_F(TextureGL, TheMountainSetDiffersInFloorWallJumpAndSpeedOnly) {
    for (const Couleur& c : kFichiers) {
        Image i(16, 16, 3);
        i.remplir(c.r, c.g, c.b);
        if (std::string(c.fichier).find(".TGA") != std::string::npos) ecrireTga(c.fichier, i);
        else ecrireJpeg(c.fichier, i);
    }
    Texture normal, montagne;
    normal.loadTextures("normal");
    montagne.loadTextures("montagne");
    EXPECT_EQ(fichierDe(normal.m_textureSphere), "data/bois.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureSol), "data/sol.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureCaisse), "data/caisse.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureJump), "data/jump.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureSpeed), "data/speed.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureArrivee), "data/caisse2.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureDepart), "data/depart.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureSauvegarde), "data/save.jpg");
    EXPECT_EQ(fichierDe(normal.m_textureFont), "data/font1.TGA");
    EXPECT_EQ(fichierDe(montagne.m_textureSphere), "data/bois.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureSol), "data/herbe.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureCaisse), "data/rock.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureJump), "data/jump2.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureSpeed), "data/speed2.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureArrivee), "data/caisse2.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureDepart), "data/depart.jpg");
    EXPECT_EQ(fichierDe(montagne.m_textureSauvegarde), "data/save.jpg");
    EXPECT_EQ(normal.stringToTexture("textureSol"), normal.m_textureSol);
    EXPECT_TRUE(normal.m_typeTexture.empty());

    unsigned int sol = normal.m_textureSol;
    normal.deleteTexture();
    EXPECT_EQ(normal.m_textureSol, 0u);
    EXPECT_FALSE(glIsTexture(sol));
    montagne.deleteTexture();
}

TEST_F(TextureGL, AMissingSetLeavesEveryMemberAtZero) {
    Texture t;
    t.loadTextures("normal");
    EXPECT_EQ(t.m_textureSol, 0u);
    EXPECT_EQ(t.m_textureFont, 0u);
    EXPECT_EQ(t.stringToTexture("textureSol"), 0u);
}

}  // namespace
