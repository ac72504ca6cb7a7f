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

static_assert(kLongueurMotTexture == 99, "the scan format below cuts texture words at 99");

const char* const kFormatLecture = "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%99s";

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

// Every real of the record is a finite number: NaN or an infinity would
// leave an object nowhere (and with no size) in every reader.
bool fini(const Enregistrement& e) {
    for (float v : {e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

int lireEnregistrements(FILE* fichier,
                        const std::function<void(const Enregistrement&, int rang)>& visiteur, int* abimes) {
    if (!fichier) return -1;
    if (abimes) *abimes = 0;
    Enregistrement e, precedent;
    // The scan writes straight into the previous record's values, so a field
    // that fails to scan keeps them.
    char mot[kLongueurMotTexture + 1] = "";
    int rang = 0;

    // The first character is taken as the '@' of the first record, whatever it is.
    int c = std::fgetc(fichier);
    while (c != EOF) {
        if (rang == kEnregistrementsMax) {
            errno = EFBIG;
            return -1;
        }
        const int lus = std::fscanf(fichier, kFormatLecture, &e.type, &e.x, &e.y, &e.z, &e.vie,
                                    &e.lx, &e.ly, &e.lz, &e.rx, &e.ry, &e.rz, mot);
        e.champsLus = lus > 0 ? lus : 0;
        c = std::fgetc(fichier);  // the character after the texture word
        e.texture = mot;
        if (fini(e)) {
            if (visiteur) visiteur(e, rang);
            ++rang;
            precedent = e;
        } else {
            if (abimes) ++*abimes;
            // A damaged first record is a level without a ball: the next
            // record never takes its place.
            if (rang == 0) return 0;
            // A later one is skipped, and its values are not carried over.
            e = precedent;
            std::snprintf(mot, sizeof mot, "%s", precedent.texture.c_str());
        }
        while (c != '@' && c != EOF) c = std::fgetc(fichier);
    }
    if (std::ferror(fichier)) return -1;
    return rang;
}

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

std::string classeDuType(int type) {
    switch (type) {
    case 1: return "cube";
    case 2: return "jump";
    case 3: return "turbo";
    case 4: return "arriv\xe9" "e";
    case 5: return "limite";
    case 6: return "d\xe9" "part";
    case 7: return "sauvegarde";
    case 8: return "vie";
    case 9: return "speed";
    case 10: return "bouton";
    case 11: return "porte";
    default: return "";
    }
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
    if (!lireNiveau(chemin, enregistrements)) return false;

    unsigned int precedente = regles.textureInitiale;
    for (size_t rang = 0; rang < enregistrements.size(); ++rang) {
        const Enregistrement& e = enregistrements[rang];
        // Every record's word is mapped, in file order, even when the record
        // makes nothing: some rules carry the previous texture over.
        const unsigned int tex = regles.texture ? regles.texture(e.texture, precedente) : 0;
        precedente = tex;

        if (rang == 0) {
            contenu.aBalle = true;
            contenu.balle = e;
            contenu.textureBalle = tex;
            continue;
        }
        if (e.type < 0 || e.type > regles.typeMax) continue;
        if (regles.sansLimite && e.type >= 5 && e.type <= 7) continue;
        if (e.type == 0) {
            contenu.spheres.emplace_back(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, tex);
            continue;
        }
        const std::string classe = classeDuType(e.type);
        if (classe.empty()) continue;
        if (e.type == 8 || e.type == 9) {
            contenu.bonus.emplace_back(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, tex,
                                       classe);
            continue;
        }
        const bool etale = e.type == 3 ? regles.turboEtale : true;
        contenu.cubes.emplace_back(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, tex,
                                   classe, etale);
    }
    return true;
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
