// SPDX-License-Identifier: GPL-3.0-or-later
#include "empreinte.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace editeur {

Empreinte empreinteDe(const std::string& chemin) {
    Empreinte e;
    struct stat s;
    if (stat(chemin.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return e;
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return e;
    e.existe = true;
    e.taille = static_cast<long long>(s.st_size);
    e.modifieNs = static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec;
    e.hash = 14695981039346656037ull;  // FNV-1a
    for (std::istreambuf_iterator<char> c(f), fin; c != fin; ++c) {
        e.hash ^= static_cast<unsigned char>(*c);
        e.hash *= 1099511628211ull;
    }
    return e;
}

}  // namespace editeur
