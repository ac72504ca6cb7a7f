// SPDX-License-Identifier: GPL-3.0-or-later
#include "lecture_niveau.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>

namespace {

const char* const kFormatLecture = "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%99s";
static_assert(kLongueurMotTexture == 99, "the scan format above cuts texture words at 99");

// Every real of the record is a finite number: NaN or an infinity would
// leave an object nowhere (and with no size) in every reader.
bool fini(const Enregistrement& e) {
    for (float v : {e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz})
        if (!std::isfinite(v)) return false;
    return true;
}

// A level holds records only when a scan assigned at least one field.
bool unChampLu(const std::vector<Enregistrement>& enregistrements) {
    for (const Enregistrement& e : enregistrements)
        if (e.champsLus > 0) return true;
    return false;
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

bool construireNiveau(const std::vector<Enregistrement>& enregistrements, const ReglesNiveau& regles,
                      ContenuNiveau& contenu) {
    contenu = ContenuNiveau();
    if (!unChampLu(enregistrements)) return false;

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

bool chargerNiveauOctets(const std::string& octets, const ReglesNiveau& regles, ContenuNiveau& contenu) {
    contenu = ContenuNiveau();
    if (octets.empty()) return false;
    // Read through a stream over the bytes, by the very scan a file is read with.
    std::unique_ptr<FILE, int (*)(FILE*)> f(fmemopen(const_cast<char*>(octets.data()), octets.size(), "r"), std::fclose);
    if (!f) return false;
    std::vector<Enregistrement> enregistrements;
    if (lireEnregistrements(f.get(), [&](const Enregistrement& e, int) { enregistrements.push_back(e); }) <= 0)
        return false;
    return construireNiveau(enregistrements, regles, contenu);
}

Heros balleDuNiveau(const ContenuNiveau& contenu) {
    const Enregistrement& e = contenu.balle;
    const double vies = std::clamp(static_cast<double>(e.vie), kViesMin, kViesMax);
    return Heros(e.x, e.y, e.z, vies, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz, contenu.textureBalle);
}
