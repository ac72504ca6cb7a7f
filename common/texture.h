// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEXTURE_H
#define VORNA_TEXTURE_H

#include <SDL.h>

#include <string>
#include <vector>

// Loads an image file (JPEG, TGA, anything SDL_image reads) as an OpenGL 2D
// texture, its first row at t = 1. Returns 0, after one line on standard
// error naming the file, when it is missing, not a regular file or cannot be
// decoded; 0 means "no texture" everywhere in the game. A file already loaded
// and still in use (the font, the sky, the course textures the menu holds) is
// not loaded twice: its texture name is given again, one more user counted.
unsigned int loadTexture(const char* filename, bool useMipMap);
// Drops one user of a texture name loadTexture gave; the texture is deleted
// with its last user. Any other texture name is simply deleted.
void libererTexture(unsigned int nom);

// The pixels of `image` as R, G, B, A bytes, rows in reverse order (the
// file's first row last), as converting the image to 32-bit RGBA with SDL and
// flipping it gives them. Empty when `image` is null or cannot be converted.
std::vector<Uint8> rgbaRetourne(SDL_Surface* image);

// A new surface with the rows of `surface` in reverse order; the caller frees
// both. Returns nullptr when `surface` is null or the copy cannot be made.
SDL_Surface* flipSurface(SDL_Surface* surface);

// The textures of a course, looked up by the words of the level files.
class Texture {
public:
    unsigned int m_textureSphere = 0;
    unsigned int m_textureSol = 0;
    unsigned int m_textureCaisse = 0;
    unsigned int m_textureJump = 0;
    unsigned int m_textureSpeed = 0;
    unsigned int m_textureArrivee = 0;
    unsigned int m_textureDepart = 0;
    unsigned int m_textureSauvegarde = 0;
    unsigned int m_textureFont = 0;
    std::string m_typeTexture;

    // The mountain set for "montagne", the normal set for any other type.
    void loadTextures(std::string type);
    // The same one texture at a time: the i-th of the kNombre (the font last).
    static const int kNombre = 9;
    void chargerUne(const std::string& type, int i);
    // The texture a level-file word names; 0 for any other word.
    unsigned int stringToTexture(std::string name) const;
    // Releases the nine texture names (they become 0). Each run loads its set
    // anew, so a long session does not pile up textures.
    void deleteTexture();
};

// rand() / RAND_MAX × (max − min + 1) + min: a value in [min, max + 1].
double myRand(double min, double max);
// min + rand() modulo (max − min + 1).
int myIntRand(int min, int max);
// A newly allocated zero-terminated copy of s; the caller delete[]s it.
char* stringtochar(std::string s);

#endif
