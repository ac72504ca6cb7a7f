// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_PALETTE_H
#define VORNA_EDITEUR_PALETTE_H

#include <string>
#include <vector>

namespace editeur {

// The nine kinds of object the editor places. The kind is also the index of
// the palette texture the editor gives the object.
const int kNombreTypes = 9;

// The palette: one texture per kind, loaded from data/ for an editing
// session and released with it.
class GestionTexture {
public:
    GestionTexture() = default;
    ~GestionTexture();
    GestionTexture(const GestionTexture&) = delete;
    GestionTexture& operator=(const GestionTexture&) = delete;

    // Loads the nine images in palette order. An image that cannot be read
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
// "textureSol", ...); "textureSol" for 1 and for any index outside 0 … 8.
std::string intToCharTexture(int texture);
// The palette index whose level-file word is `mot`, or −1.
int indexDuMot(const std::string& mot);

// For `type` "nature" the name of kind `objet`, for "explication" its help
// text, in the language in use; "erreur" for a kind outside 0 … 8, an empty text for any other type.
std::string objToChar(int objet, const std::string& type);

// Editor kinds and the kinds of the level file: 0 and 1 are the same, every
// other editor kind k is file kind k − 1 (both editor kinds 1 "Cube[sol]"
// and 2 "Cube[mur]" are solid blocks, told apart by their texture).
int typeFichierDe(int typeEditeur);
// The editor kind of file kind 0 … 7; −1 for a kind the palette does not know.
int typeEditeurDe(int typeFichier);
// The palette index an object read from a file gets: its editor kind, but the
// wall texture for the word "textureCaisse" whatever the kind.
int indexTextureLu(int typeEditeur, const std::string& mot);

}  // namespace editeur

#endif
