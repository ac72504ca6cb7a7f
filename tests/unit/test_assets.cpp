// The asset generator: every data file exists with the right format, the same
// bytes on every run; textures tile, the accelerator arrows point toward −x,
// the font atlas has each glyph in its cell, sounds are clean and the music
// loops without a jump.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <lame/lame.h>
#include <stb_image.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "decor.h"
#include "dossier.h"
#include "generateur.h"
#include "police.h"
#include "sons.h"
#include "textures.h"

namespace fs = std::filesystem;
using namespace atelier;

namespace {

// Every file the game and the editor open, by the names they use.
const std::vector<std::string> kNomsAttendus = {
    "bois.jpg", "sol.jpg", "caisse.jpg", "jump.jpg", "speed.jpg", "caisse2.jpg", "depart.jpg", "save.jpg",
    "vide.jpg", "herbe.jpg", "rock.jpg", "jump2.jpg", "speed2.jpg", "font1.TGA", "sky/sky.jpg",
    "sky/sky2.jpg", "logo.jpg", "iconeVorna.bmp", "sound/triangle.wav", "sound/bois.wav",
    "sound/spring.wav", "sound/Effect.wav", "sound/fall.wav", "sound/arrivee.wav", "sound/cursor.wav",
    "sound/bouton.wav", "sound/menu.mp3", "sound/ig.mp3"};

// A decoded picture, 8 bits per channel, rows from the top.
struct Decodee {
    int l = 0, h = 0, c = 0;
    std::vector<uint8_t> p;
    const uint8_t* px(int x, int y) const { return &p[(size_t(y) * l + x) * c]; }
};

Decodee decoderJpeg(const std::string& octets) {
    Decodee d;
    unsigned char* data = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(octets.data()),
                                                int(octets.size()), &d.l, &d.h, &d.c, 3);
    if (!data) return d;
    d.c = 3;
    d.p.assign(data, data + size_t(d.l) * d.h * 3);
    stbi_image_free(data);
    return d;
}

SDL_Surface* chargerImage(const std::string& octets, const char* type) {
    SDL_RWops* rw = SDL_RWFromConstMem(octets.data(), int(octets.size()));
    return IMG_LoadTyped_RW(rw, 1, const_cast<char*>(type));
}

// Mean absolute difference between two columns (or rows) of a picture.
double ecartColonnes(const Decodee& d, int a, int b) {
    double s = 0;
    for (int y = 0; y < d.h; ++y)
        for (int k = 0; k < 3; ++k) s += std::abs(int(d.px(a, y)[k]) - int(d.px(b, y)[k]));
    return s / (d.h * 3);
}
double ecartLignes(const Decodee& d, int a, int b) {
    double s = 0;
    for (int x = 0; x < d.l; ++x)
        for (int k = 0; k < 3; ++k) s += std::abs(int(d.px(x, a)[k]) - int(d.px(x, b)[k]));
    return s / (d.l * 3);
}

// Differences between neighbouring columns (rows) inside a picture, sorted,
// and the difference across the wrap-around seam (last against first).
struct Raccord {
    double couture = 0;
    std::vector<double> interieur;
    double centile(double p) const { return interieur[size_t(p * (interieur.size() - 1))]; }
};
Raccord raccord(const Decodee& d, bool colonnes) {
    Raccord r;
    int n = colonnes ? d.l : d.h;
    for (int k = 0; k + 1 < n; ++k)
        r.interieur.push_back(colonnes ? ecartColonnes(d, k, k + 1) : ecartLignes(d, k, k + 1));
    std::sort(r.interieur.begin(), r.interieur.end());
    r.couture = colonnes ? ecartColonnes(d, n - 1, 0) : ecartLignes(d, n - 1, 0);
    return r;
}

// A tiled picture shows no seam: across the wrap-around the picture changes
// no more than it does somewhere inside (a pad's frame is an edge like its
// other edges); a natural surface (`naturelle`) changes there no more than
// between most of its neighbouring columns.
void exigerRaccord(const Decodee& d, bool colonnes, bool naturelle, const std::string& nom) {
    Raccord r = raccord(d, colonnes);
    const char* sens = colonnes ? "vertical" : "horizontal";
    EXPECT_LE(r.couture, r.interieur.back() + 3) << nom << " shows a " << sens << " seam";
    if (naturelle) {
        EXPECT_LE(r.couture, 1.5 * r.centile(0.9) + 3) << nom << " shows a " << sens << " seam";
    }
}

uint32_t lire32(const std::string& s, size_t i) {
    return uint32_t(uint8_t(s[i])) | uint32_t(uint8_t(s[i + 1])) << 8 | uint32_t(uint8_t(s[i + 2])) << 16 |
           uint32_t(uint8_t(s[i + 3])) << 24;
}
uint16_t lire16(const std::string& s, size_t i) { return uint16_t(uint8_t(s[i]) | uint8_t(s[i + 1]) << 8); }

// ---- the whole folder ------------------------------------------------------------

TEST(Atelier, WritesEveryFileTheGameReadsTheSameBytesEachRunUnderSixMegabytes) {
    DossierTemporaire dossier;
    ASSERT_TRUE(genererDonnees("jeu/data"));

    std::set<std::string> produits(fichiersDonnees().begin(), fichiersDonnees().end());
    EXPECT_EQ(produits, std::set<std::string>(kNomsAttendus.begin(), kNomsAttendus.end()));
    std::uintmax_t total = 0;
    for (const std::string& nom : kNomsAttendus) {
        ASSERT_TRUE(fs::is_regular_file("jeu/data/" + nom)) << nom;
        total += fs::file_size("jeu/data/" + nom);
    }
    EXPECT_LT(total, 6u * 1024 * 1024);
    EXPECT_TRUE(fs::is_directory("jeu/data/joueur"));
    EXPECT_TRUE(fs::is_directory("jeu/ghost"));
    for (auto& e : fs::recursive_directory_iterator("jeu"))
        EXPECT_NE(e.path().extension(), ".tmp") << e.path();

    // A second run, elsewhere and shared among more threads, gives the very
    // same bytes.
    ASSERT_TRUE(genererDonnees("encore/data/", 3));
    for (const std::string& nom : kNomsAttendus)
        EXPECT_TRUE(lireFichier("jeu/data/" + nom) == lireFichier("encore/data/" + nom)) << nom << " differs";

    // Every picture is read by the image library at its intended size.
    for (const std::string& nom : kNomsAttendus) {
        if (fs::path(nom).extension() != ".jpg") continue;
        SDL_Surface* s = chargerImage(lireFichier("jeu/data/" + nom), "JPG");
        ASSERT_NE(s, nullptr) << nom;
        bool ciel = nom.rfind("sky/", 0) == 0 || nom == "logo.jpg";
        EXPECT_EQ(s->w, ciel ? 1024 : 256) << nom;
        EXPECT_EQ(s->h, ciel ? 512 : 256) << nom;
        SDL_FreeSurface(s);
    }
    SDL_Surface* police = chargerImage(lireFichier("jeu/data/font1.TGA"), "TGA");
    ASSERT_NE(police, nullptr);
    EXPECT_EQ(police->w, 1024);
    EXPECT_EQ(police->h, 1024);
    EXPECT_EQ(police->format->BitsPerPixel, 32);
    EXPECT_NE(police->format->Amask, 0u);
    SDL_FreeSurface(police);
}

TEST(Atelier, RefusesAnUnknownNameAndReportsAnUnwritableFolder) {
    EXPECT_THROW(fabriquer("absent.jpg"), std::invalid_argument);
    DossierTemporaire dossier;
    ecrireFichier("bloque", "a file where a folder should be");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(genererDonnees("bloque/data"));
    std::string erreur = testing::internal::GetCapturedStderr();
    EXPECT_NE(erreur.find("bloque"), std::string::npos) << erreur;
}

// ---- textures ------------------------------------------------------------------

TEST(AtelierTextures, EveryCourseTextureTilesWithoutASeamOnBothAxes) {
    preparerEncodeurs();
    for (const std::string& nom : nomsTextures()) {
        Decodee d = decoderJpeg(fabriquer(nom));
        ASSERT_EQ(d.l, 256) << nom;
        ASSERT_EQ(d.h, 256) << nom;
        const std::set<std::string> naturelles = {"bois.jpg", "sol.jpg", "caisse.jpg", "vide.jpg",
                                                  "herbe.jpg", "rock.jpg", "jump2.jpg"};
        exigerRaccord(d, true, naturelles.count(nom) > 0, nom);
        exigerRaccord(d, false, naturelles.count(nom) > 0, nom);
        // Not a flat colour: a real picture.
        double somme = 0, carres = 0;
        for (uint8_t v : d.p) {
            somme += v;
            carres += double(v) * v;
        }
        double moyenne = somme / d.p.size();
        EXPECT_GT(std::sqrt(carres / d.p.size() - moyenne * moyenne), 8.0) << nom;
    }
}

// Texture coordinates of the top face of a tiled block, corner by corner as
// the block draws them: (lx, ly) → (0, lx/2), (−lx, ly) → (0, 0),
// (−lx, −ly) → (ly/2, 0), (lx, −ly) → (ly/2, lx/2). Inverted here: the world
// point of the top face where the texture coordinate (s, t) lies.
void mondeDepuisTexture(double s, double t, double lx, double ly, double& x, double& y) {
    // s runs from 0 at y = ly to ly/2 at y = −ly; t from 0 at x = −lx to lx/2 at x = lx.
    x = -lx + t / (lx / 2) * 2 * lx;
    y = ly - s / (ly / 2) * 2 * ly;
}

TEST(AtelierTextures, AcceleratorChevronsPointTowardMinusXOnAFloorBlock) {
    preparerEncodeurs();
    for (const char* nom : {"speed.jpg", "speed2.jpg"}) {
        Decodee d = decoderJpeg(fabriquer(nom));
        ASSERT_EQ(d.l, 256);
        ASSERT_FALSE(chevronsVitesse().empty());
        for (const Chevron& c : chevronsVitesse()) {
            // Where the block puts the point and the wings: the image's first
            // row lands at t = 1 (the loader flips), so row r is t = 1 − r/256.
            double xp, yp, xa, ya;
            mondeDepuisTexture(c.x / 256, 1 - c.yPointe / 256, 2, 2, xp, yp);
            mondeDepuisTexture(c.x / 256, 1 - c.yAiles / 256, 2, 2, xa, ya);
            EXPECT_LT(xp, xa) << nom << ": the point must lie toward −x of the wings";
            EXPECT_NEAR(yp, ya, 1e-9);

            // The picture holds that chevron: its ink is a V whose width
            // shrinks row by row down to the point.
            auto couleurMoyenne = [&](double x, double y) {
                double r = 0, g = 0, b = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const uint8_t* p = d.px(int(x) + dx, int(y) + dy);
                        r += p[0]; g += p[1]; b += p[2];
                    }
                return std::vector<double>{r / 9, g / 9, b / 9};
            };
            auto encre = couleurMoyenne(c.x, c.yPointe - c.epaisseur / 2);
            auto fond = couleurMoyenne(c.x, c.yPointe + 8);
            auto distance = [](const std::vector<double>& a, const std::vector<double>& b) {
                return std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]);
            };
            ASSERT_GT(distance(encre, fond), 150) << nom << ": the chevron must stand out";
            std::vector<double> largeurs;
            for (int y = int(c.yAiles + c.epaisseur) + 2; y < int(c.yPointe) - 2; y += 4) {
                int gauche = -1, droite = -1;
                for (int x = int(c.x - c.demiLargeur); x <= int(c.x + c.demiLargeur); ++x) {
                    const uint8_t* p = d.px(x, y);
                    std::vector<double> v{double(p[0]), double(p[1]), double(p[2])};
                    if (distance(v, encre) < distance(v, fond)) {
                        if (gauche < 0) gauche = x;
                        droite = x;
                    }
                }
                ASSERT_GE(gauche, 0) << nom << " row " << y;
                largeurs.push_back(droite - gauche);
            }
            ASSERT_GE(largeurs.size(), 5u);
            for (size_t k = 1; k < largeurs.size(); ++k)
                EXPECT_LE(largeurs[k], largeurs[k - 1] + 1) << nom << ": the V must narrow toward its point";
            EXPECT_GT(largeurs.front(), largeurs.back() + 40) << nom;
        }
    }
}

TEST(AtelierCiel, SkiesWrapAroundAndMeetTheFogAtTheHorizon) {
    preparerEncodeurs();
    struct Cas { const char* fichier; Couleur brouillard; };
    for (const Cas& cas : {Cas{"sky/sky.jpg", BROUILLARD_NORMAL}, Cas{"sky/sky2.jpg", BROUILLARD_MONTAGNE}}) {
        Decodee d = decoderJpeg(fabriquer(cas.fichier));
        ASSERT_EQ(d.l, LARGEUR_CIEL);
        ASSERT_EQ(d.h, HAUTEUR_CIEL);
        exigerRaccord(d, true, true, cas.fichier);
        // The row the eye sees as the horizon is the fog colour, so far
        // blocks melt into the sky.
        int ligne = int((90 - HORIZON_VU) / 180.0 * HAUTEUR_CIEL);
        double r = 0, g = 0, b = 0;
        for (int x = 0; x < d.l; ++x) {
            r += d.px(x, ligne)[0];
            g += d.px(x, ligne)[1];
            b += d.px(x, ligne)[2];
        }
        EXPECT_NEAR(r / d.l / 255, cas.brouillard.r, 0.04) << cas.fichier;
        EXPECT_NEAR(g / d.l / 255, cas.brouillard.g, 0.04) << cas.fichier;
        EXPECT_NEAR(b / d.l / 255, cas.brouillard.b, 0.04) << cas.fichier;
        // The top row is the single point straight up: one colour across.
        int min = 255, max = 0;
        for (int x = 0; x < d.l; ++x) {
            min = std::min(min, int(d.px(x, 0)[2]));
            max = std::max(max, int(d.px(x, 0)[2]));
        }
        EXPECT_LE(max - min, 12) << cas.fichier;
        // Straight up is a deeper blue than the horizon.
        EXPECT_GT(d.px(0, 0)[2], d.px(0, 0)[0]) << cas.fichier;
        EXPECT_LT(d.px(0, 0)[0] + d.px(0, 0)[1], r / d.l + g / d.l) << cas.fichier;
    }
}

TEST(AtelierLogo, TitleAndBallGlowOnABlackGround) {
    Toile t = logo();
    ASSERT_EQ(t.largeur, LARGEUR_LOGO);
    ASSERT_EQ(t.hauteur, HAUTEUR_LOGO);
    // The top and the sides are black, so the fade from black shows no frame;
    // the dim floor runs out at the bottom.
    for (int x = 0; x < t.largeur; x += 7) EXPECT_LT(t.at(x, 0).luminance(), 0.05);
    for (int y = 0; y < t.hauteur * 3 / 5; y += 7) {
        EXPECT_LT(t.at(0, y).luminance(), 0.05);
        EXPECT_LT(t.at(t.largeur - 1, y).luminance(), 0.05);
    }
    // Golden lettering in the upper half.
    int or_ = 0;
    for (int y = 0; y < t.hauteur / 2; ++y)
        for (int x = 0; x < t.largeur; ++x) {
            const Couleur& c = t.at(x, y);
            if (c.r > 0.9 && c.g > 0.55 && c.b < 0.5) ++or_;
        }
    EXPECT_GT(or_, 20000);
}

TEST(AtelierIcone, IsAThirtyTwoPixelBmpThatSdlLoads) {
    std::string octets = fabriquer("iconeVorna.bmp");
    ASSERT_EQ(octets.substr(0, 2), "BM");
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(octets.data(), int(octets.size())), 1);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    EXPECT_EQ(s->w, 32);
    EXPECT_EQ(s->h, 32);
    // The ball's warm wood in the middle, a dark ground in the corner.
    Uint8 r, g, b;
    SDL_LockSurface(s);
    auto pixel = [&](int x, int y) {
        const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
        Uint32 v = 0;
        std::memcpy(&v, p, s->format->BytesPerPixel);
        SDL_GetRGB(v, s->format, &r, &g, &b);
    };
    pixel(16, 18);
    EXPECT_GT(r, b + 40);
    pixel(1, 30);
    EXPECT_LT(r + g + b, 150);
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
}

TEST(AtelierIcone, TheDesktopsIconsAreTheSameDrawingAtEverySize) {
    // Decoded alike, the 32-pixel PNG is the window icon pixel for pixel.
    EXPECT_TRUE(decoderJpeg(fabriquerIcone(32)).p == decoderJpeg(fabriquer("iconeVorna.bmp")).p);
    for (int n : taillesIcone()) {
        const Decodee d = decoderJpeg(fabriquerIcone(n));
        ASSERT_EQ(d.l, n);
        ASSERT_EQ(d.h, n);
        const uint8_t* bois = d.px(n / 2, n * 18 / 32);
        EXPECT_GT(bois[0], bois[2] + 40) << n << ": the wooden ball in the middle";
        const uint8_t* coin = d.px(n / 32, n * 30 / 32);
        EXPECT_LT(coin[0] + coin[1] + coin[2], 150) << n << ": a dark ground in the corner";
    }
}

// ---- the font atlas ------------------------------------------------------------

struct Encre { int gauche = 1 << 30, droite = -1, haut = 1 << 30, bas = -1; bool vide() const { return droite < 0; } };

// The extent of a cell's letter (white ink), or with `contour` of all it
// covers, its dark rim included.
Encre encreCellule(const Toile& t, int c, bool contour = false) {
    Encre e;
    const double cote = TAILLE_ATLAS / 10.0;
    int x0 = int(std::ceil((c % 10) * cote)), x1 = int(std::floor((c % 10 + 1) * cote));
    int y0 = int(std::ceil((c / 10) * cote)), y1 = int(std::floor((c / 10 + 1) * cote));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (t.a(x, y) > 0.01 && (contour || t.at(x, y).r > 0.5)) {
                e.gauche = std::min(e.gauche, x - x0);
                e.droite = std::max(e.droite, x - x0);
                e.haut = std::min(e.haut, y - y0);
                e.bas = std::max(e.bas, y - y0);
            }
    return e;
}

TEST(AtelierPolice, EachCellHoldsItsGlyphInItsLeftHalfWithMargins) {
    Toile t = atlasPolice();
    ASSERT_EQ(t.largeur, 1024);
    ASSERT_EQ(t.hauteur, 1024);
    const double cote = 102.4;
    // Grey levels only: white letters, a dark rim around them.
    for (size_t k = 0; k < t.pixels.size(); ++k) {
        ASSERT_EQ(t.pixels[k].r, t.pixels[k].g);
        ASSERT_EQ(t.pixels[k].r, t.pixels[k].b);
    }
    {
        // Across the stem of the 'l': transparent, dark rim, white stroke, dark rim.
        const int c = 'l' - 48;
        const int y = int((c / 10 + 0.5) * cote);
        const int x0 = int((c % 10) * cote);
        bool rimAvant = false, blanc = false, rimApres = false;
        for (int x = x0; x < x0 + int(cote / 2); ++x) {
            const bool opaque = t.a(x, y) > 0.5;
            const bool clair = t.at(x, y).r > 0.9;
            if (opaque && !clair && !blanc) rimAvant = true;
            if (opaque && clair && t.a(x, y) > 0.99 && rimAvant) blanc = true;
            if (opaque && !clair && blanc) rimApres = true;
        }
        EXPECT_TRUE(rimAvant && blanc && rimApres) << "the letters have a dark rim";
    }
    for (int c = 0; c < 100; ++c) {
        Encre e = encreCellule(t, c);
        if (48 + c > 'z') {
            EXPECT_TRUE(e.vide()) << "cell " << c << " must stay transparent";
            continue;
        }
        ASSERT_FALSE(e.vide()) << "cell " << c << " ('" << char(48 + c) << "') has no glyph";
        // The pen moves half a cell: the ink stays in the left half, and away
        // from the cells above and below, which small mipmaps would mix in.
        EXPECT_LT(e.droite, cote / 2 - 3) << char(48 + c);
        EXPECT_GT(e.gauche, 2) << char(48 + c);
        EXPECT_GE(e.haut, 10) << char(48 + c);
        EXPECT_LE(e.bas, cote - 11) << char(48 + c);
        // The rim too stays in the left half and off the cells above and below.
        Encre r = encreCellule(t, c, true);
        EXPECT_LT(r.droite, cote / 2) << char(48 + c);
        EXPECT_GE(r.gauche, 0) << char(48 + c);
        EXPECT_GE(r.haut, 5) << char(48 + c);
        EXPECT_LE(r.bas, cote - 6) << char(48 + c);
    }
    EXPECT_EQ(glypheDeCellule('<' - 48), '.');
    EXPECT_EQ(glypheDeCellule('>' - 48), '\'');
    EXPECT_EQ(glypheDeCellule('@' - 48), '-');
    EXPECT_EQ(glypheDeCellule(';' - 48), ',');
    EXPECT_EQ(glypheDeCellule('A' - 48), 'A');
    EXPECT_EQ(glypheDeCellule(75), 0);

    // The punctuation cells hold punctuation, at its place on the line.
    Encre point = encreCellule(t, '<' - 48), virgule = encreCellule(t, ';' - 48);
    Encre apostrophe = encreCellule(t, '>' - 48), tiret = encreCellule(t, '@' - 48);
    Encre grandA = encreCellule(t, 'A' - 48), petitA = encreCellule(t, 'a' - 48), p = encreCellule(t, 'p' - 48);
    int ligneDeBase = grandA.bas;
    EXPECT_LT(point.bas - point.haut, 20);                 // a small dot …
    EXPECT_NEAR(point.bas, ligneDeBase, 2);                // … on the baseline
    EXPECT_GT(virgule.bas, ligneDeBase + 5);               // a comma dips below it
    EXPECT_LT(virgule.haut, point.bas);
    EXPECT_LT(apostrophe.bas, (grandA.haut + ligneDeBase) / 2);  // an apostrophe hangs high
    const int capitale = ligneDeBase - grandA.haut;
    EXPECT_GT(tiret.haut, grandA.haut + capitale / 4);     // a dash sits mid-height
    EXPECT_LT(tiret.bas, ligneDeBase - capitale / 4);
    EXPECT_GT(tiret.droite - tiret.gauche, tiret.bas - tiret.haut);
    EXPECT_LT(grandA.haut, petitA.haut - 10);              // capitals are taller
    EXPECT_GT(p.bas, ligneDeBase + 10);                    // and p has its descender

    // The file stores the same picture, first row on top.
    std::string octets = encoderTga(versOctets(t, 4));
    SDL_Surface* s = chargerImage(octets, "TGA");
    ASSERT_NE(s, nullptr);
    SDL_LockSurface(s);
    int differences = 0;
    for (int y = 0; y < s->h; y += 3)
        for (int x = 0; x < s->w; x += 3) {
            Uint32 v;
            std::memcpy(&v, static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4, 4);
            Uint8 r, g, b, a;
            SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
            if (std::abs(int(a) - int(std::lround(t.a(x, y) * 255))) > 0) ++differences;
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    EXPECT_EQ(differences, 0);
}

// ---- sounds ---------------------------------------------------------------------

TEST(AtelierEffets, AreShortCleanSixteenBitWavsThatSdlReads) {
    for (const std::string& nom : nomsEffets()) {
        std::string w = fabriquer("sound/" + nom);
        ASSERT_GT(w.size(), 44u) << nom;
        EXPECT_EQ(w.substr(0, 4), "RIFF");
        EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(lire16(w, 20), 1) << nom << " is not PCM";
        EXPECT_EQ(lire16(w, 22), 1);
        EXPECT_EQ(lire32(w, 24), 44100u);
        EXPECT_EQ(lire16(w, 34), 16);
        ASSERT_EQ(w.substr(36, 4), "data");
        uint32_t n = lire32(w, 40) / 2;
        ASSERT_EQ(w.size(), 44 + size_t(n) * 2);
        double secondes = n / 44100.0;
        EXPECT_GT(secondes, 0.03) << nom;
        EXPECT_LT(secondes, 3.0) << nom;
        int crete = 0;
        for (uint32_t k = 0; k < n; ++k) crete = std::max(crete, std::abs(int(int16_t(lire16(w, 44 + k * 2)))));
        EXPECT_GT(crete, 32767 * 0.3) << nom << " is nearly silent";
        EXPECT_LT(crete, 32767 * 0.95) << nom << " may clip";
        EXPECT_LT(std::abs(int(int16_t(lire16(w, 44)))), 400) << nom << " starts on a step";
        EXPECT_LT(std::abs(int(int16_t(lire16(w, 44 + (n - 1) * 2)))), 400) << nom << " ends on a step";

        SDL_AudioSpec format;
        Uint8* tampon = nullptr;
        Uint32 longueur = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(w.data(), int(w.size())), 1, &format, &tampon, &longueur),
                  nullptr) << nom;
        EXPECT_EQ(format.freq, 44100);
        EXPECT_EQ(longueur, n * 2);
        SDL_FreeWAV(tampon);
    }
}

// The samples of an MP3, decoded with LAME's own decoder.
struct Decode {
    std::vector<short> g, d;
    int frequence = 0;
};
Decode decoderMp3(const std::string& mp3) {
    Decode r;
    hip_t hip = hip_decode_init();
    std::vector<short> g(1152 * 4), d(1152 * 4);
    std::vector<unsigned char> entree(mp3.begin(), mp3.end());
    mp3data_struct info{};
    size_t pos = 0;
    const size_t bloc = 4096;
    while (true) {
        size_t n = pos < entree.size() ? std::min(bloc, entree.size() - pos) : 0;
        int sortis = hip_decode1_headers(hip, n ? entree.data() + pos : nullptr, n, g.data(), d.data(), &info);
        pos += n;
        if (sortis < 0) break;
        if (sortis > 0) {
            r.g.insert(r.g.end(), g.begin(), g.begin() + sortis);
            r.d.insert(r.d.end(), d.begin(), d.begin() + sortis);
            continue;  // more frames may wait in the decoder's buffer
        }
        if (n == 0) break;
    }
    if (info.header_parsed) r.frequence = info.samplerate;
    hip_decode_exit(hip);
    return r;
}

std::atomic<long> energieMusique{0};
void ecouterMusique(void*, Uint8* flux, int octets) {
    const Sint16* e = reinterpret_cast<const Sint16*>(flux);
    long s = 0;
    for (int i = 0; i < octets / 2; ++i) s += std::abs(int(e[i]));
    energieMusique += s;
}

TEST(AtelierMusique, BothPiecesDecodeLongEnoughAndLoopFromSilenceToSilence) {
    DossierTemporaire dossier;
    for (auto [nom, duree] : {std::pair{"menu.mp3", 30.0}, std::pair{"ig.mp3", 45.0}}) {
        std::string mp3 = fabriquer(std::string("sound/") + nom);
        Decode r = decoderMp3(mp3);
        ASSERT_EQ(r.frequence, 44100) << nom;
        ASSERT_FALSE(r.g.empty());
        EXPECT_GE(r.g.size() / 44100.0, duree) << nom;
        EXPECT_LT(r.g.size() / 44100.0, duree + 30) << nom;
        // When the stream restarts, its end meets its start: both lie at
        // silence level, so the jump between them cannot click.
        auto crete = [&](size_t debut, size_t fin) {
            int m = 0;
            for (size_t k = debut; k < fin; ++k) m = std::max({m, std::abs(int(r.g[k])), std::abs(int(r.d[k]))});
            return m;
        };
        const size_t dixMs = 441;
        EXPECT_LT(crete(0, dixMs), 330) << nom << " does not start from silence";
        EXPECT_LT(crete(r.g.size() - dixMs, r.g.size()), 330) << nom << " does not end at silence";
        EXPECT_LT(std::abs(int(r.g.back()) - int(r.g.front())), 100);
        // Music all along: no second of the piece is silent, none clips.
        size_t seconde = 44100;
        for (size_t k = seconde; k + 2 * seconde < r.g.size(); k += seconde) {
            double s = 0;
            for (size_t i = k; i < k + seconde; ++i) s += double(r.g[i]) * r.g[i];
            EXPECT_GT(std::sqrt(s / seconde), 300) << nom << " is silent around " << k / seconde << " s";
        }
        EXPECT_LT(crete(0, r.g.size()), 32767) << nom << " clips";

        // SDL_mixer plays it.
        ecrireFichier(nom, mp3);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
        Mix_Music* m = Mix_LoadMUS(nom);
        ASSERT_NE(m, nullptr) << Mix_GetError();
        Mix_SetPostMix(ecouterMusique, nullptr);
        ASSERT_EQ(Mix_PlayMusic(m, -1), 0);
        energieMusique = 0;
        SDL_Delay(400);
        EXPECT_GT(energieMusique.load(), 0) << nom << " is not heard";
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        Mix_HaltMusic();
        Mix_SetPostMix(nullptr, nullptr);
        Mix_FreeMusic(m);
        Mix_CloseAudio();
        SDL_Quit();
    }
}

}  // namespace
