// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FUZZ_MEMOIRE_H
#define VORNA_FUZZ_MEMOIRE_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "lecture.h"

// What the fuzz targets share: the input as a file to read, a file written
// into memory, and a check that stops the fuzzer on a broken property.

// The bytes as an open file (an empty input reads as an empty file).
inline FichierLu fichierDe(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return FichierLu(std::fopen("/dev/null", "r"));
    return FichierLu(fmemopen(const_cast<uint8_t*>(donnees), taille, "r"));
}

// What `ecrire` writes into a file, as a string.
inline std::string ecrit(const std::function<void(std::FILE*)>& ecrire) {
    char* tampon = nullptr;
    size_t taille = 0;
    std::FILE* f = open_memstream(&tampon, &taille);
    ecrire(f);
    std::fclose(f);
    std::string r(tampon, taille);
    std::free(tampon);
    return r;
}

inline FichierLu fichierDe(const std::string& texte) {
    return fichierDe(reinterpret_cast<const uint8_t*>(texte.data()), texte.size());
}

// A property that does not hold: the fuzzer keeps the input that broke it.
inline void exiger(bool vrai, const char* propriete) {
    if (vrai) return;
    std::fprintf(stderr, "property broken: %s\n", propriete);
    std::abort();
}

#endif
