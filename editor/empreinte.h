// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_EMPREINTE_H
#define VORNA_EDITEUR_EMPREINTE_H

#include <cstdint>
#include <string>

namespace editeur {

// What a map file was on the disk when the editor last read or wrote it:
// its size, its time of change and a hash of its bytes. Another program (or
// another editor) that saved the file since gives another fingerprint.
struct Empreinte {
    bool existe = false;
    long long taille = 0;
    long long modifieNs = 0;
    std::uint64_t hash = 0;
    bool operator==(const Empreinte& o) const {
        return existe == o.existe && taille == o.taille && modifieNs == o.modifieNs && hash == o.hash;
    }
    bool operator!=(const Empreinte& o) const { return !(*this == o); }
};

// The fingerprint of `chemin` now (through links); a missing or unreadable
// file does not exist.
Empreinte empreinteDe(const std::string& chemin);

}  // namespace editeur

#endif
