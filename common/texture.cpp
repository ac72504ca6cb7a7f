// SPDX-License-Identifier: GPL-3.0-or-later
#include "texture.h"

#include <SDL_image.h>
#include <GL/gl.h>

#include <GL/glx.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <map>
#include <tuple>
#include <vector>

#include "lecture.h"
#include "bibliotheques.h"
#include "jpeg.h"
#include "masque_contour.h"
#include "mipmaps.h"
#include "texte.h"
#include "tga_gris.h"

namespace {

// Byte order R, G, B, A in memory whatever the machine's endianness.
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
const Uint32 kR = 0xFF000000, kG = 0x00FF0000, kB = 0x0000FF00, kA = 0x000000FF;
#else
const Uint32 kR = 0x000000FF, kG = 0x0000FF00, kB = 0x00FF0000, kA = 0xFF000000;
#endif

struct Surface {
    SDL_Surface* s;
    explicit Surface(SDL_Surface* p) : s(p) {}
    ~Surface() { liberer(); }
    void liberer() {
        if (s) SDL_FreeSurface(s);
        s = nullptr;
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
};

// Textures loaded from files, shared while in use: the file (its path, and
// its identity on disk, so a rewritten file is loaded anew), the mipmap
// choice and the GL context they were loaded in give the texture name and
// its number of users.
using CleTexture = std::tuple<std::string, bool, dev_t, ino_t, off_t, long, long, void*>;
struct Partagee {
    unsigned int nom;
    int utilisateurs;
};
std::map<CleTexture, Partagee>& partagees() {
    static std::map<CleTexture, Partagee> m;
    return m;
}

unsigned int chargerTexture(const char* filename, bool useMipMap);

}  // namespace

std::vector<Uint8> rgbaRetourne(SDL_Surface* image) {
    std::vector<Uint8> r;
    if (!image || image->w <= 0 || image->h <= 0) return r;
    const SDL_PixelFormat* f = image->format;
    const int w = image->w, h = image->h;
    // Whole 8-bit channels in 3 or 4 bytes: read straight from the pixels.
    // Any other format goes through SDL's own conversion.
    const bool direct = (f->BytesPerPixel == 3 || f->BytesPerPixel == 4) && !f->palette &&
                        f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0 &&
                        (f->Amask == 0 || f->Aloss == 0);
    if (!direct) {
        Surface rgba(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, kR, kG, kB, kA));
        if (!rgba.s) return r;
        // Copy the alpha channel instead of blending with it.
        SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(image, nullptr, rgba.s, nullptr);
        Surface retournee(flipSurface(rgba.s));
        if (!retournee.s) return r;
        r.resize(static_cast<size_t>(w) * h * 4);
        for (int y = 0; y < h; ++y)
            std::memcpy(&r[static_cast<size_t>(y) * w * 4],
                        static_cast<const Uint8*>(retournee.s->pixels) + y * retournee.s->pitch, w * 4);
        return r;
    }
    r.resize(static_cast<size_t>(w) * h * 4);
    SDL_LockSurface(image);
    const int n = f->BytesPerPixel;
    // The format's fields copied once: read through `f` they would be read
    // again for every texel.
    const Uint32 masque[4] = {f->Rmask, f->Gmask, f->Bmask, f->Amask};
    const int decalage[4] = {f->Rshift, f->Gshift, f->Bshift, f->Ashift};
    for (int y = 0; y < h; ++y) {
        // The file's first row ends last, at t = 1.
        const Uint8* src = static_cast<const Uint8*>(image->pixels) + (h - 1 - y) * image->pitch;
        Uint8* dst = &r[static_cast<size_t>(y) * w * 4];
        for (int x = 0; x < w; ++x, src += n, dst += 4) {
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
            const Uint32 v = n == 3 ? (Uint32(src[0]) << 16 | Uint32(src[1]) << 8 | src[2])
                                    : (Uint32(src[0]) << 24 | Uint32(src[1]) << 16 | Uint32(src[2]) << 8 | src[3]);
#else
            const Uint32 v = n == 3 ? (Uint32(src[2]) << 16 | Uint32(src[1]) << 8 | src[0])
                                    : (Uint32(src[3]) << 24 | Uint32(src[2]) << 16 | Uint32(src[1]) << 8 | src[0]);
#endif
            for (int k = 0; k < 3; ++k) dst[k] = static_cast<Uint8>((v & masque[k]) >> decalage[k]);
            dst[3] = masque[3] ? static_cast<Uint8>((v & masque[3]) >> decalage[3]) : 255;
        }
    }
    SDL_UnlockSurface(image);
    return r;
}

SDL_Surface* flipSurface(SDL_Surface* surface) {
    if (!surface) return nullptr;
    SDL_PixelFormat* f = surface->format;
    SDL_Surface* r = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h,
                                          f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask,
                                          f->Amask);
    if (!r) return nullptr;
    SDL_LockSurface(surface);
    SDL_LockSurface(r);
    const int ligne = surface->w * f->BytesPerPixel;
    const Uint8* src = static_cast<const Uint8*>(surface->pixels);
    Uint8* dst = static_cast<Uint8*>(r->pixels);
    for (int y = 0; y < surface->h; ++y)
        std::memcpy(dst + y * r->pitch, src + (surface->h - 1 - y) * surface->pitch, ligne);
    SDL_UnlockSurface(r);
    SDL_UnlockSurface(surface);
    return r;
}

unsigned int loadTexture(const char* filename, bool useMipMap) {
    if (!filename || !verifierLecture(filename, "image")) return 0;
    struct stat st;
    if (stat(filename, &st) != 0) return chargerTexture(filename, useMipMap);
    const CleTexture cle{filename, useMipMap, st.st_dev, st.st_ino, st.st_size,
                         static_cast<long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec,
                         static_cast<void*>(glXGetCurrentContext())};
    auto& m = partagees();
    auto it = m.find(cle);
    if (it != m.end()) {
        if (glIsTexture(it->second.nom)) {
            ++it->second.utilisateurs;
            return it->second.nom;
        }
        m.erase(it);  // deleted behind our back
    }
    const unsigned int nom = chargerTexture(filename, useMipMap);
    if (nom) m[cle] = Partagee{nom, 1};
    return nom;
}

void libererTexture(unsigned int nom) {
    if (!nom) return;
    auto& m = partagees();
    for (auto it = m.begin(); it != m.end(); ++it) {
        if (it->second.nom != nom) continue;
        if (--it->second.utilisateurs > 0) return;
        m.erase(it);
        break;
    }
    oublierMasqueContour(nom);
    glDeleteTextures(1, &nom);
}

namespace {

// A new texture from pixels in `format` (GL_RGB, GL_BGR, GL_RGBA, GL_BGRA,
// or GL_LUMINANCE_ALPHA for a grey image: drawn modulated, it gives the same
// pixels in half the room), rows padded to `alignement` bytes. Mipmaps are
// built from the pixels themselves, which they spend.
unsigned int televerser(unsigned char* pixels, int largeur, int hauteur, GLenum format, int alignement,
                        bool useMipMap) {
    GLuint nom = 0;
    glGenTextures(1, &nom);
    glBindTexture(GL_TEXTURE_2D, nom);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignement);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    const GLint interne = format == GL_LUMINANCE_ALPHA ? GL_LUMINANCE_ALPHA : 4;
    if (useMipMap) {
        // The filter first: the driver then lays out the whole chain of
        // levels at once instead of the first level alone, then all again.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        const int composantes = format == GL_LUMINANCE_ALPHA ? 2 : format == GL_RGB || format == GL_BGR ? 3 : 4;
        construireMipmaps(interne, largeur, hauteur, format, composantes, pixels, alignement);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, interne, largeur, hauteur, 0, format, GL_UNSIGNED_BYTE, pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return nom;
}

// The GL format of a decoded image whose bytes GL can take as they are,
// rows padded to 4 bytes as SDL pads them; 0 for any other.
GLenum formatDirect(const SDL_Surface* image) {
    const int n = image->format->BytesPerPixel;
    if (image->pitch != (image->w * n + 3) / 4 * 4) return 0;
    switch (image->format->format) {
    case SDL_PIXELFORMAT_RGB24: return GL_RGB;
    case SDL_PIXELFORMAT_BGR24: return GL_BGR;
    case SDL_PIXELFORMAT_RGBA32: return GL_RGBA;
    case SDL_PIXELFORMAT_BGRA32: return GL_BGRA;
    default: return 0;
    }
}

// The image's rows in reverse order, in place: the file's first row ends
// last, at t = 1.
void retournerLignes(SDL_Surface* image) {
    std::vector<Uint8> ligne(static_cast<size_t>(image->pitch));
    Uint8* p = static_cast<Uint8*>(image->pixels);
    for (int haut = 0, bas = image->h - 1; haut < bas; ++haut, --bas) {
        Uint8* a = p + static_cast<size_t>(haut) * image->pitch;
        Uint8* b = p + static_cast<size_t>(bas) * image->pitch;
        std::memcpy(ligne.data(), a, ligne.size());
        std::memcpy(a, b, ligne.size());
        std::memcpy(b, ligne.data(), ligne.size());
    }
}

bool extensionTga(const char* filename) {
    const size_t n = std::strlen(filename);
    return n >= 4 && strcasecmp(filename + n - 4, ".tga") == 0;
}

unsigned int chargerTexture(const char* filename, bool useMipMap) {
    int largeur = 0, hauteur = 0;
    std::vector<Uint8> gris;
    if (extensionTga(filename) && lireTgaGris(filename, largeur, hauteur, gris)) {
        // Halved as GLU builds a level: the same levels the whole picture
        // had from its second on.
        if (useMipMap && niveauxPoliceInutiles(largeur, hauteur) && largeur > 1 && hauteur > 1)
            moitieImage(gris.data(), largeur, hauteur, 2, static_cast<size_t>(largeur) * 2);
        return televerser(gris.data(), largeur, hauteur, GL_LUMINANCE_ALPHA, 1, useMipMap);
    }
    ImageJpeg jpeg;
    std::string pourquoi;
    switch (lireJpeg(filename, jpeg, pourquoi)) {
    case LectureJpeg::Lue:
        return televerser(jpeg.pixels.get(), jpeg.largeur, jpeg.hauteur, GL_RGB, 4, useMipMap);
    case LectureJpeg::Illisible:
        std::fprintf(stderr, "%s: image \"%s\" cannot be read (%s)\n", program_invocation_short_name, filename,
                     pourquoi.c_str());
        return 0;
    case LectureJpeg::PasJpeg: break;
    }
    static const auto lireImage = bibliotheques::fonction<decltype(IMG_Load)>(bibliotheques::Image, "IMG_Load");
    Surface image(lireImage ? lireImage(filename) : nullptr);
    if (!image.s) {
        std::fprintf(stderr, "%s: image \"%s\" cannot be read (%s)\n", program_invocation_short_name, filename,
                     lireImage ? SDL_GetError() : "SDL_image is missing");
        return 0;
    }
    largeur = image.s->w, hauteur = image.s->h;
    // Bytes GL takes as they are go up from the decoded image itself: every
    // page of fresh memory costs time.
    if (const GLenum format = formatDirect(image.s)) {
        SDL_LockSurface(image.s);
        retournerLignes(image.s);
        const unsigned int nom =
            televerser(static_cast<unsigned char*>(image.s->pixels), largeur, hauteur, format, 4, useMipMap);
        SDL_UnlockSurface(image.s);
        return nom;
    }
    std::vector<Uint8> rgba = rgbaRetourne(image.s);
    if (rgba.empty()) return 0;
    // The decoded image is no longer needed: freed before the upload, which
    // holds copies of its own.
    image.liberer();
    return televerser(rgba.data(), largeur, hauteur, GL_RGBA, 4, useMipMap);
}

}  // namespace

void Texture::loadTextures(std::string type) {
    for (int i = 0; i < kNombre; ++i) chargerUne(type, i);
}

void Texture::chargerUne(const std::string& type, int i) {
    // Each texture: its name here, its file, and the mountain set's file.
    static const struct {
        unsigned int Texture::*nom;
        const char *normal, *montagne;
    } fichiers[kNombre] = {
        {&Texture::m_textureSphere, "data/bois.jpg", "data/bois.jpg"},
        {&Texture::m_textureSol, "data/sol.jpg", "data/herbe.jpg"},
        {&Texture::m_textureCaisse, "data/caisse.jpg", "data/rock.jpg"},
        {&Texture::m_textureJump, "data/jump.jpg", "data/jump2.jpg"},
        {&Texture::m_textureSpeed, "data/speed.jpg", "data/speed2.jpg"},
        {&Texture::m_textureArrivee, "data/caisse2.jpg", "data/caisse2.jpg"},
        {&Texture::m_textureDepart, "data/depart.jpg", "data/depart.jpg"},
        {&Texture::m_textureSauvegarde, "data/save.jpg", "data/save.jpg"},
        {&Texture::m_textureFont, "data/font1.TGA", "data/font1.TGA"},
    };
    if (i < 0 || i >= kNombre) return;
    this->*fichiers[i].nom = loadTexture(type == "montagne" ? fichiers[i].montagne : fichiers[i].normal, true);
}

unsigned int Texture::stringToTexture(std::string name) const {
    if (name == "textureSphere") return m_textureSphere;
    if (name == "textureCaisse") return m_textureCaisse;
    if (name == "textureSol") return m_textureSol;
    if (name == "textureJump") return m_textureJump;
    if (name == "textureSpeed") return m_textureSpeed;
    if (name == "textureArrivee") return m_textureArrivee;
    if (name == "textureDepart") return m_textureDepart;
    if (name == "textureSauvegarde") return m_textureSauvegarde;
    return 0;
}

void Texture::deleteTexture() {
    unsigned int* noms[] = {&m_textureSphere, &m_textureSol, &m_textureCaisse,
                            &m_textureJump, &m_textureSpeed, &m_textureArrivee,
                            &m_textureDepart, &m_textureSauvegarde, &m_textureFont};
    for (unsigned int* n : noms) {
        libererTexture(*n);
        *n = 0;
    }
}

double myRand(double min, double max) {
    return std::rand() / static_cast<double>(RAND_MAX) * (max - min + 1) + min;
}

int myIntRand(int min, int max) {
    if (max < min) return min;  // an empty range has only its lower bound
    return min + std::rand() % (max - min + 1);
}

char* stringtochar(std::string s) {
    char* c = new char[s.size() + 1];
    std::memcpy(c, s.c_str(), s.size() + 1);
    return c;
}
