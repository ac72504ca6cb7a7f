// SPDX-License-Identifier: GPL-3.0-or-later
#include "niveau.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fichiers.h"
#include "lecture.h"
#include "texture.h"

namespace {

// The word as the reader will get it back: up to the first blank, at most 99
// characters, never empty.
std::string motEcrit(const std::string& mot) {
    std::string r;
    for (char c : mot) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') break;
        if (static_cast<int>(r.size()) == kLongueurMotTexture) break;
        r += c;
    }
    if (r.empty()) r = "textureVide";
    return r;
}

}  // namespace

int lireEnregistrements(const std::string& chemin,
                        const std::function<void(const Enregistrement&, int rang)>& visiteur) {
    FichierLu f = ouvrirLecture(chemin, "level file");
    if (!f) return -1;
    errno = 0;
    int abimes = 0;
    const int n = lireEnregistrements(f.get(), visiteur, &abimes);
    if (n == 0 && abimes > 0)
        std::fprintf(stderr, "level file '%s': the ball's record (the first) is damaged (a number that is not "
                             "finite); the level has no ball\n",
                     chemin.c_str());
    else if (abimes > 0)
        std::fprintf(stderr, "level file '%s': %d damaged record%s (a number that is not finite) skipped\n",
                     chemin.c_str(), abimes, abimes > 1 ? "s" : "");
    if (n < 0 && errno == EFBIG)
        std::fprintf(stderr, "level file '%s' holds more than %d records; it is not read\n",
                     chemin.c_str(), kEnregistrementsMax);
    else if (n < 0)
        std::fprintf(stderr, "cannot read level file '%s': %s\n", chemin.c_str(),
                     std::strerror(errno ? errno : EIO));
    return n;
}

void ecrireEnregistrement(FILE* fichier, const Enregistrement& e) {
    std::fprintf(fichier, "@%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%s\n", e.type,
                 static_cast<double>(e.x), static_cast<double>(e.y), static_cast<double>(e.z),
                 static_cast<double>(e.vie), static_cast<double>(e.lx),
                 static_cast<double>(e.ly), static_cast<double>(e.lz),
                 static_cast<double>(e.rx), static_cast<double>(e.ry),
                 static_cast<double>(e.rz), motEcrit(e.texture).c_str());
}

bool ecrireNiveau(const std::string& chemin, const std::vector<Enregistrement>& enregistrements,
                  bool remplacer) {
    char* tampon = nullptr;
    size_t taille = 0;
    FILE* f = open_memstream(&tampon, &taille);
    if (!f) {
        std::fprintf(stderr, "cannot save level file '%s': %s\n", chemin.c_str(), std::strerror(errno));
        return false;
    }
    for (const Enregistrement& e : enregistrements) ecrireEnregistrement(f, e);
    std::fclose(f);
    const std::string texte(tampon, taille);
    std::free(tampon);
    return ecrireFichierAtomique(chemin, texte, remplacer);
}

bool lireNiveau(const std::string& chemin, std::vector<Enregistrement>& enregistrements) {
    enregistrements.clear();
    bool unChampLu = false;
    const int n = lireEnregistrements(chemin, [&](const Enregistrement& e, int) {
        if (e.champsLus > 0) unChampLu = true;
        enregistrements.push_back(e);
    });
    if (n <= 0 || !unChampLu) {
        if (n >= 0) std::fprintf(stderr, "level file '%s' holds no record\n", chemin.c_str());
        enregistrements.clear();
        return false;
    }
    return true;
}

bool chargerNiveau(const std::string& chemin, const ReglesNiveau& regles, ContenuNiveau& contenu) {
    contenu = ContenuNiveau();
    std::vector<Enregistrement> enregistrements;
    return lireNiveau(chemin, enregistrements) && construireNiveau(enregistrements, regles, contenu);
}

ReglesNiveau reglesPartie(const Texture& t) {
    ReglesNiveau r;
    r.typeMax = 11;
    r.sansLimite = false;
    r.turboEtale = true;
    r.texture = [t](const std::string& mot, unsigned int) { return t.stringToTexture(mot); };
    return r;
}

ReglesNiveau reglesMenu(const Texture& t) {
    ReglesNiveau r;
    r.typeMax = 4;
    r.sansLimite = true;
    r.turboEtale = false;
    r.texture = [t](const std::string& mot, unsigned int) { return t.stringToTexture(mot); };
    return r;
}

std::string cheminScenario(int numero) {
    return "maps/niveau/map" + std::to_string(numero) + ".qzm";
}

std::string cheminMapPerso(const std::string& nom) { return "maps/" + nom + ".txt"; }
