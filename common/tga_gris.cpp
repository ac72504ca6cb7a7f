// SPDX-License-Identifier: GPL-3.0-or-later
#include "tga_gris.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

// Reads the pixels of a Targa file, packets or raw, into luminance and
// alpha; false at the first colour pixel or when the data runs short.
class DecodeurTga {
public:
    DecodeurTga(const std::string& d, int l, int h, bool hautEnPremier)
        : d(d), l(l), h(h), hautEnPremier(hautEnPremier), la(size_t(l) * h * 2) {}

    bool decoder(size_t p, bool rle) {
        const size_t total = size_t(l) * h;
        size_t n = 0;
        while (n < total) {
            size_t compte = 1;
            bool repete = false;
            if (rle) {
                if (p >= d.size()) return false;
                const Uint8 entete = static_cast<Uint8>(d[p++]);
                compte = (entete & 0x7F) + 1u;
                repete = entete & 0x80;
            }
            if (n + compte > total || p + (repete ? 4 : 4 * compte) > d.size()) return false;
            for (size_t k = 0; k < compte; ++k, ++n)
                if (!poser(n, repete ? p : p + 4 * k)) return false;
            p += repete ? 4 : 4 * compte;
        }
        return true;
    }
    std::vector<Uint8>& pixels() { return la; }

private:
    // Pixel `n` of the file (B, G, R, A at `src`) into its place.
    bool poser(size_t n, size_t src) {
        const Uint8 b = static_cast<Uint8>(d[src]), g = static_cast<Uint8>(d[src + 1]),
                    r = static_cast<Uint8>(d[src + 2]), a = static_cast<Uint8>(d[src + 3]);
        if (r != g || g != b) return false;
        const size_t ligne = n / l, colonne = n % l;
        const size_t y = hautEnPremier ? size_t(h) - 1 - ligne : ligne;
        Uint8* q = &la[(y * l + colonne) * 2];
        q[0] = r;
        q[1] = a;
        return true;
    }

    const std::string& d;
    const int l, h;
    const bool hautEnPremier;
    std::vector<Uint8> la;
};

}  // namespace

bool lireTgaGris(const char* chemin, int& largeur, int& hauteur, std::vector<Uint8>& la) {
    la.clear();
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return false;
    const std::string d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (d.size() < 18) return false;
    auto octet = [&d](size_t i) { return static_cast<unsigned>(static_cast<Uint8>(d[i])); };
    const unsigned type = octet(2), bits = octet(16), descripteur = octet(17);
    // No colour map, true colour, 32 bits, left to right.
    if (octet(1) != 0 || (type != 2 && type != 10) || bits != 32 || (descripteur & 0x10)) return false;
    const int l = static_cast<int>(octet(12) | octet(13) << 8), h = static_cast<int>(octet(14) | octet(15) << 8);
    if (l <= 0 || h <= 0) return false;
    DecodeurTga decodeur(d, l, h, descripteur & 0x20);
    if (!decodeur.decoder(18 + octet(0), type == 10)) return false;
    la.swap(decodeur.pixels());
    largeur = l;
    hauteur = h;
    return true;
}
