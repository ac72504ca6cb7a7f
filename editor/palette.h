// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_PALETTE_H
#define VORNA_EDITEUR_PALETTE_H

#include <string>
#include <vector>

namespace editeur {

// The twelve kinds of object the editor places: the player's start, the
// eight blocks, the two pick-ups ("vie", "speed") and the decorative sphere.
// The kind is also the index of the palette texture the editor gives the
// object.
const int kNombreTypes = 12;
const int kTypeVie = 9, kTypeSpeed = 10, kTypeSphere = 11;

// The palette: one texture per kind, loaded from data/ for an editing
// session and released with it.
class GestionTexture {
public:
    GestionTexture() = default;
    ~GestionTexture();
    GestionTexture(const GestionTexture&) = delete;
    GestionTexture& operator=(const GestionTexture&) = delete;

    // Loads the twelve images in palette order. An image that cannot be read
    // gets a plain white texture of its own (and a line on standard error),
    // so every entry keeps a distinct texture name and objects are still
    // saved under the right texture word.
    void initialiserTextures();
    // The texture of palette entry `num_texture`; 0 outside the palette.
    unsigned int intToTexture(int num_texture) const;
    // The palette index of the first entry holding `texture`; 1 when none does.
    int textureToInt(unsigned int texture) const;
    int getSize() const { return static_cast<int>(textures.size()); }

private:
    void liberer();
    std::vector<unsigned int> textures;
};

// The level-file texture word of a palette index ("textureSphere",
// "textureSol", ...); "textureSol" for 1 and for any index outside the palette.
std::string intToCharTexture(int texture);
// The palette index whose level-file word is `mot`, or −1.
int indexDuMot(const std::string& mot);

// For `type` "nature" the name of kind `objet`, for "explication" its help
// text, in the language in use; "erreur" for a kind outside the palette, an empty text for any other type.
std::string objToChar(int objet, const std::string& type);

// Editor kinds and the kinds of the level file: 0 and 1 are the same, the
// decorative sphere is file kind 0 too (every record of kind 0 but the first
// is one in the game), every other editor kind k is file kind k − 1 (both
// editor kinds 1 "Cube[sol]" and 2 "Cube[mur]" are solid blocks, told apart
// by their texture).
int typeFichierDe(int typeEditeur);
// The editor kind of file kind 0 … 9 (`premier`: the file's first record,
// the player's start); −1 for a kind the palette does not know.
int typeEditeurDe(int typeFichier, bool premier);
// The palette index an object read from a file gets: its editor kind, but the
// wall texture for the word "textureCaisse" whatever the kind, and for a
// sphere or a pick-up the texture its word names, as the game draws it.
int indexTextureLu(int typeEditeur, const std::string& mot);

}  // namespace editeur

#endif
