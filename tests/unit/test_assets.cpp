// SPDX-License-Identifier: GPL-3.0-or-later
// The asset generator: every data file exists with the right format, the same
// bytes on every run; textures tile, skies meet the fog, the font atlas has
// each glyph in its cell, sounds are clean and the music loops without a jump.
// (The accelerator's chevrons are checked on screen, in test_objets.)
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

// A decoded picture (JPEG, PNG or BMP), 8 bits per channel, RGB, rows from the top.
struct Decodee {
    int l = 0, h = 0;
    std::vector<uint8_t> p;
    const uint8_t* px(int x, int y) const { return &p[(size_t(y) * l + x) * 3]; }
};

Decodee decoder(const std::string& octets) {
    Decodee d;
    int c = 0;
    unsigned char* data = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(octets.data()),
                                                int(octets.size()), &d.l, &d.h, &c, 3);
    if (data) d.p.assign(data, data + size_t(d.l) * d.h * 3);
    stbi_image_free(data);
    return d;
}

SDL_Surface* chargerImage(const std::string& octets, const char* type) {
    return IMG_LoadTyped_RW(SDL_RWFromConstMem(octets.data(), int(octets.size())), 1, const_cast<char*>(type));
}

// A tiled picture shows no seam: across the wrap-around the picture changes
// no more than it does somewhere inside (a pad's frame is an edge like its
// other edges); a natural surface (`naturelle`) changes there no more than
// between most of its neighbouring columns. Along columns, or rows.
void exigerRaccord(const Decodee& d, bool colonnes, bool naturelle, const std::string& nom) {
    const int n = colonnes ? d.l : d.h, m = colonnes ? d.h : d.l;
    auto ecart = [&](int a, int b) {
        double s = 0;
        for (int i = 0; i < m; ++i)
            for (int k = 0; k < 3; ++k)
                s += std::abs(int((colonnes ? d.px(a, i) : d.px(i, a))[k]) - int((colonnes ? d.px(b, i) : d.px(i, b))[k]));
        return s / (m * 3);
    };
    std::vector<double> interieur;
    for (int k = 0; k + 1 < n; ++k) interieur.push_back(ecart(k, k + 1));
    std::sort(interieur.begin(), interieur.end());
    const double couture = ecart(n - 1, 0);
    EXPECT_LE(couture, interieur.back() + 3) << nom << " shows a seam, " << (colonnes ? "vertical" : "horizontal");
    if (naturelle) {
        EXPECT_LE(couture, 1.5 * interieur[size_t(0.9 * (interieur.size() - 1))] + 3) << nom << " shows a seam";
    }
}

TEST(Atelier, WritesEveryFileTheGameReadsTheSameBytesEachRunUnderSixMegabytes) {
    DossierTemporaire dossier;
    ASSERT_TRUE(genererDonnees("jeu/data"));
    // A second run, elsewhere and shared among more threads, gives the very same bytes.
    ASSERT_TRUE(genererDonnees("encore/data/", 3));
    EXPECT_EQ(std::set<std::string>(fichiersDonnees().begin(), fichiersDonnees().end()),
              std::set<std::string>(kNomsAttendus.begin(), kNomsAttendus.end()));
    std::uintmax_t total = 0;
    for (const std::string& nom : kNomsAttendus) {
        const std::string octets = lireFichier("jeu/data/" + nom), extension = fs::path(nom).extension();
        total += octets.size();
        EXPECT_TRUE(octets == lireFichier("encore/data/" + nom)) << nom << " differs";
        // Every picture is read by the image library at its intended size, the font with alpha.
        if (extension != ".jpg" && extension != ".TGA") continue;
        SDL_Surface* s = chargerImage(octets, extension == ".TGA" ? "TGA" : "JPG");
        ASSERT_NE(s, nullptr) << nom;
        const bool ciel = nom.rfind("sky/", 0) == 0 || nom == "logo.jpg", police = extension == ".TGA";
        EXPECT_TRUE(s->w == (ciel || police ? 1024 : 256) && s->h == (ciel ? 512 : police ? HAUTEUR_ATLAS : 256)) << nom;
        EXPECT_EQ(s->format->Amask != 0, police) << nom;
        SDL_FreeSurface(s);
    }
    EXPECT_LT(total, 6u * 1024 * 1024);
    EXPECT_TRUE(fs::is_directory("jeu/data/joueur") && fs::is_directory("jeu/ghost"));
    for (auto& e : fs::recursive_directory_iterator("jeu")) EXPECT_NE(e.path().extension(), ".tmp") << e.path();

    EXPECT_THROW(fabriquer("absent.jpg"), std::invalid_argument);
    ecrireFichier("bloque", "a file where a folder should be");
    const std::string erreur = sortieErreur([] { EXPECT_FALSE(genererDonnees("bloque/data")); });
    EXPECT_NE(erreur.find("bloque"), std::string::npos) << erreur;
}

TEST(AtelierTextures, EveryCourseTextureIsAPictureThatTilesWithoutASeamOnBothAxes) {
    preparerEncodeurs();
    const std::set<std::string> naturelles = {"bois.jpg", "sol.jpg",  "caisse.jpg", "vide.jpg",
                                              "herbe.jpg", "rock.jpg", "jump2.jpg"};
    for (const std::string& nom : nomsTextures()) {
        const Decodee d = decoder(fabriquer(nom));
        ASSERT_TRUE(d.l == 256 && d.h == 256) << nom;
        exigerRaccord(d, true, naturelles.count(nom) > 0, nom);
        exigerRaccord(d, false, naturelles.count(nom) > 0, nom);
        double somme = 0, carres = 0;  // not a flat colour
        for (uint8_t v : d.p) somme += v, carres += double(v) * v;
        const double moyenne = somme / d.p.size();
        EXPECT_GT(std::sqrt(carres / d.p.size() - moyenne * moyenne), 8.0) << nom;
    }
}

TEST(AtelierCiel, SkiesWrapAroundAndMeetTheFogAtTheHorizon) {
    preparerEncodeurs();
    for (const auto& [fichier, brouillard] : {std::pair{"sky/sky.jpg", BROUILLARD_NORMAL},
                                              std::pair{"sky/sky2.jpg", BROUILLARD_MONTAGNE}}) {
        const Decodee d = decoder(fabriquer(fichier));
        ASSERT_TRUE(d.l == LARGEUR_CIEL && d.h == HAUTEUR_CIEL);
        exigerRaccord(d, true, true, fichier);
        // The row the eye sees as the horizon is the fog colour, so far blocks melt into the sky.
        const int ligne = int((90 - HORIZON_VU) / 180.0 * HAUTEUR_CIEL);
        double m[3] = {0, 0, 0};
        for (int x = 0; x < d.l; ++x)
            for (int k = 0; k < 3; ++k) m[k] += d.px(x, ligne)[k] / 255.0 / d.l;
        const double attendu[3] = {brouillard.r, brouillard.g, brouillard.b};
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(m[k], attendu[k], 0.04) << fichier;
        // The top row is the single point straight up, one colour across, a deeper blue.
        int min = 255, max = 0;
        for (int x = 0; x < d.l; ++x) min = std::min(min, int(d.px(x, 0)[2])), max = std::max(max, int(d.px(x, 0)[2]));
        EXPECT_LE(max - min, 12) << fichier;
        EXPECT_GT(d.px(0, 0)[2], d.px(0, 0)[0]) << fichier;
        EXPECT_LT((d.px(0, 0)[0] + d.px(0, 0)[1]) / 255.0, m[0] + m[1]) << fichier;
    }
}

TEST(AtelierLogo, TitleAndBallGlowOnABlackGround) {
    const Toile t = logo();
    ASSERT_TRUE(t.largeur == LARGEUR_LOGO && t.hauteur == HAUTEUR_LOGO);
    // The top and the sides are black, so the fade from black shows no frame.
    for (int x = 0; x < t.largeur; x += 7) EXPECT_LT(t.at(x, 0).luminance(), 0.05);
    for (int y = 0; y < t.hauteur * 3 / 5; y += 7)
        EXPECT_LT(std::max(t.at(0, y).luminance(), t.at(t.largeur - 1, y).luminance()), 0.05);
    int dore = 0;  // golden lettering in the upper half
    for (int y = 0; y < t.hauteur / 2; ++y)
        for (int x = 0; x < t.largeur; ++x) dore += t.at(x, y).r > 0.9 && t.at(x, y).g > 0.55 && t.at(x, y).b < 0.5;
    EXPECT_GT(dore, 20000);
}

TEST(AtelierIcone, TheWindowIconAndTheDesktopsIconsAreOneDrawingAtEverySize) {
    const std::string bmp = fabriquer("iconeVorna.bmp");
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), int(bmp.size())), 1);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    EXPECT_TRUE(s->w == 32 && s->h == 32);
    SDL_FreeSurface(s);
    // Decoded alike, the 32-pixel PNG is the window icon pixel for pixel.
    EXPECT_TRUE(decoder(fabriquerIcone(32)).p == decoder(bmp).p);
    for (int n : taillesIcone()) {
        const Decodee d = decoder(fabriquerIcone(n));
        ASSERT_TRUE(d.l == n && d.h == n);
        const uint8_t *bois = d.px(n / 2, n * 18 / 32), *coin = d.px(n / 32, n * 30 / 32);
        EXPECT_GT(bois[0], bois[2] + 40) << n << ": the wooden ball in the middle";
        EXPECT_LT(coin[0] + coin[1] + coin[2], 150) << n << ": a dark ground in the corner";
    }
}

// The extent of a cell's letter (white ink), or with `contour` of all it
// covers, its dark rim included.
struct Encre {
    int gauche = 1 << 30, droite = -1, haut = 1 << 30, bas = -1;
};
Encre encreCellule(const Toile& t, int c, bool contour = false) {
    Encre e;
    const double cote = TAILLE_ATLAS / 10.0;
    const int x0 = int(std::ceil((c % 10) * cote)), x1 = int(std::floor((c % 10 + 1) * cote));
    const int y0 = int(std::ceil((c / 10) * cote)), y1 = int(std::floor((c / 10 + 1) * cote));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (t.a(x, y) > 0.01 && (contour || t.at(x, y).r > 0.5)) {
                e.gauche = std::min(e.gauche, x - x0), e.droite = std::max(e.droite, x - x0);
                e.haut = std::min(e.haut, y - y0), e.bas = std::max(e.bas, y - y0);
            }
    return e;
}

TEST(AtelierPolice, EachCellHoldsItsGlyphInItsLeftHalfWithMarginsAndPunctuationInPlace) {
    const Toile t = atlasPolice();
    ASSERT_TRUE(t.largeur == 1024 && t.hauteur == HAUTEUR_ATLAS);
    const double cote = 102.4;
    for (const Couleur& p : t.pixels) ASSERT_TRUE(p.r == p.g && p.r == p.b) << "grey levels only";
    for (int c = 0; c < kColonnesAtlas * kLignesAtlas; ++c) {
        const Encre e = encreCellule(t, c), r = encreCellule(t, c, true);
        const unsigned x = caractereDeCellule(c);
        if (!x) {
            EXPECT_LT(r.droite, 0) << "cell " << c << " must stay transparent";
            continue;
        }
        ASSERT_GE(e.droite, 0) << "cell " << c << " (U+" << std::hex << x << ") has no glyph";
        // The pen moves half a cell: the ink and its rim stay in the left half, and away from
        // the cells above and below, which small mipmaps would mix in (accented capitals
        // reach higher: they are drawn only in the cells added after the first 100).
        const int marge = c < kPremiereCelluleAjoutee ? 10 : 4;
        EXPECT_TRUE(e.droite < cote / 2 - 3 && e.gauche > 2 && e.haut >= marge && e.bas <= cote - 11)
            << std::hex << x << std::dec << ": " << e.gauche << " " << e.droite << " " << e.haut << " " << e.bas;
        EXPECT_TRUE(r.droite < cote / 2 && r.gauche >= 0 && r.haut >= marge - 5 && r.bas <= cote - 6)
            << std::hex << x << std::dec << ": " << r.gauche << " " << r.droite << " " << r.haut << " " << r.bas;
        EXPECT_TRUE(r.gauche < e.gauche && r.droite > e.droite && r.haut < e.haut && r.bas > e.bas)
            << std::hex << x << ": no dark rim all around";
    }
    // The punctuation cells hold punctuation, at its place on the line.
    const Encre point = encreCellule(t, '<' - 48), virgule = encreCellule(t, ';' - 48);
    const Encre apostrophe = encreCellule(t, '>' - 48), tiret = encreCellule(t, '@' - 48);
    const Encre A = encreCellule(t, 'A' - 48), a = encreCellule(t, 'a' - 48), p = encreCellule(t, 'p' - 48);
    const int base = A.bas, capitale = base - A.haut;
    EXPECT_LT(point.bas - point.haut, 20);  // a small dot on the baseline
    EXPECT_NEAR(point.bas, base, 2);
    EXPECT_TRUE(virgule.bas > base + 5 && virgule.haut < point.bas);  // a comma dips below it
    EXPECT_LT(apostrophe.bas, (A.haut + base) / 2);                   // an apostrophe hangs high
    EXPECT_TRUE(tiret.haut > A.haut + capitale / 4 && tiret.bas < base - capitale / 4);  // a dash mid-height
    EXPECT_GT(tiret.droite - tiret.gauche, tiret.bas - tiret.haut);
    EXPECT_LT(A.haut, a.haut - 10);  // capitals are taller, and p has its descender
    EXPECT_GT(p.bas, base + 10);

    // The file stores the same picture, first row on top.
    SDL_Surface* s = chargerImage(encoderTga(versOctets(t, 4)), "TGA");
    ASSERT_NE(s, nullptr);
    int differences = 0;
    for (int y = 0; y < s->h; y += 3)
        for (int x = 0; x < s->w; x += 3) {
            Uint32 v;
            std::memcpy(&v, static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4, 4);
            Uint8 r, g, b, al;
            SDL_GetRGBA(v, s->format, &r, &g, &b, &al);
            differences += al != std::lround(t.a(x, y) * 255);
        }
    SDL_FreeSurface(s);
    EXPECT_EQ(differences, 0);
}

TEST(AtelierEffets, AreShortCleanSixteenBitMonoWavsThatSdlReads) {
    for (const std::string& nom : nomsEffets()) {
        const std::string w = fabriquer("sound/" + nom);
        SDL_AudioSpec f;
        Uint8* tampon = nullptr;
        Uint32 longueur = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(w.data(), int(w.size())), 1, &f, &tampon, &longueur), nullptr)
            << nom;
        EXPECT_TRUE(f.freq == 44100 && f.channels == 1 && f.format == AUDIO_S16LSB) << nom << " is not 16-bit mono";
        const Sint16* e = reinterpret_cast<const Sint16*>(tampon);
        const size_t n = longueur / 2;
        EXPECT_TRUE(n / 44100.0 > 0.03 && n / 44100.0 < 3.0) << nom;
        int crete = 0;
        for (size_t k = 0; k < n; ++k) crete = std::max(crete, std::abs(int(e[k])));
        EXPECT_TRUE(crete > 32767 * 0.3 && crete < 32767 * 0.95) << nom << " is nearly silent or may clip";
        EXPECT_TRUE(std::abs(e[0]) < 400 && std::abs(e[n - 1]) < 400) << nom << " starts or ends on a step";
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
    for (size_t pos = 0;;) {
        const size_t n = pos < entree.size() ? std::min<size_t>(4096, entree.size() - pos) : 0;
        const int sortis = hip_decode1_headers(hip, n ? entree.data() + pos : nullptr, n, g.data(), d.data(), &info);
        pos += n;
        if (sortis < 0) break;
        if (sortis > 0) {  // more frames may wait in the decoder's buffer
            r.g.insert(r.g.end(), g.begin(), g.begin() + sortis);
            r.d.insert(r.d.end(), d.begin(), d.begin() + sortis);
        } else if (n == 0) {
            break;
        }
    }
    if (info.header_parsed) r.frequence = info.samplerate;
    hip_decode_exit(hip);
    return r;
}

std::atomic<long> energieMusique{0};
void ecouterMusique(void*, Uint8* flux, int octets) {
    long s = 0;
    for (int i = 0; i < octets / 2; ++i) s += std::abs(int(reinterpret_cast<const Sint16*>(flux)[i]));
    energieMusique += s;
}

TEST(AtelierMusique, BothPiecesDecodeLongEnoughAndLoopFromSilenceToSilence) {
    DossierTemporaire dossier;
    for (auto [nom, duree] : {std::pair{"menu.mp3", 30.0}, std::pair{"ig.mp3", 45.0}}) {
        const std::string mp3 = fabriquer(std::string("sound/") + nom);
        const Decode r = decoderMp3(mp3);
        ASSERT_TRUE(r.frequence == 44100 && !r.g.empty()) << nom;
        EXPECT_TRUE(r.g.size() / 44100.0 >= duree && r.g.size() / 44100.0 < duree + 30) << nom;
        // When the stream restarts, its end meets its start: both lie at silence level.
        auto crete = [&](size_t debut, size_t fin) {
            int m = 0;
            for (size_t k = debut; k < fin; ++k) m = std::max({m, std::abs(int(r.g[k])), std::abs(int(r.d[k]))});
            return m;
        };
        EXPECT_LT(crete(0, 441), 330) << nom << " does not start from silence";
        EXPECT_LT(crete(r.g.size() - 441, r.g.size()), 330) << nom << " does not end at silence";
        EXPECT_LT(std::abs(int(r.g.back()) - int(r.g.front())), 100);
        // Music all along: no second of the piece is silent, none clips.
        for (size_t k = 44100; k + 2 * 44100 < r.g.size(); k += 44100) {
            double s = 0;
            for (size_t i = k; i < k + 44100; ++i) s += double(r.g[i]) * r.g[i];
            EXPECT_GT(std::sqrt(s / 44100), 300) << nom << " is silent around " << k / 44100 << " s";
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
