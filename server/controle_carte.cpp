// SPDX-License-Identifier: GPL-3.0-or-later
#include "controle_carte.h"

#include <cstdio>
#include <memory>

#include "lecture_niveau.h"

namespace {

unsigned long grandBoutiste(const std::string& s, size_t i) {
    unsigned long v = 0;
    for (size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(s[i + k]);
    return v;
}

}  // namespace

bool apercuValide(const std::string& png) {
    static const std::string kSignature("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    if (png.size() < 33 || png.compare(0, kSignature.size(), kSignature) != 0) return false;
    const unsigned long largeur = grandBoutiste(png, 16), hauteur = grandBoutiste(png, 20);
    return largeur >= 1 && largeur <= kCoteApercuMax && hauteur >= 1 && hauteur <= kCoteApercuMax;
}

bool carteJouable(const std::string& octets, std::string& pourquoi) {
    ContenuNiveau contenu;
    if (!chargerNiveauOctets(octets, ReglesNiveau(), contenu)) {
        pourquoi = "Le jeu ne lit rien de jouable dans cette carte.";
        return false;
    }
    if (!contenu.aBalle) {
        pourquoi = "Cette carte n'a pas de départ pour la bille.";
        return false;
    }
    // The reader skips a damaged record; a map published holds none.
    std::unique_ptr<FILE, int (*)(FILE*)> f(fmemopen(const_cast<char*>(octets.data()), octets.size(), "r"),
                                            std::fclose);
    int abimes = 0;
    if (!f || lireEnregistrements(f.get(), [](const Enregistrement&, int) {}, &abimes) <= 0 || abimes > 0) {
        pourquoi = "Cette carte contient des nombres qui ne sont pas finis.";
        return false;
    }
    return true;
}
