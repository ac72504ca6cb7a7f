// SPDX-License-Identifier: GPL-3.0-or-later
#include "course_auteur.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "../noyau/empreinte.h"  // the SHA-256 (the editor's empreinte.h is the file's fingerprint on the disk)
#include "fichiers.h"

namespace editeur {

namespace {

const char* const kDossierCourses = "data/joueur/courses";
const std::size_t kTailleMax = 4 << 20;  // more than two hours of inputs

// The run of `texte` when it is a free map's run of the map of hash `hash`.
std::optional<Course> courseDe(const std::string& texte, const std::string& hash) {
    Course c;
    std::string pourquoi;
    if (hash.empty() || !decoderCourse(texte, c, pourquoi) || c.niveau != 0 || c.empreinte != hash)
        return std::nullopt;
    return c;
}

}  // namespace

bool lireOctets(const std::string& chemin, std::string& octets) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return false;
    std::ostringstream o;
    o << f.rdbuf();
    octets = o.str();
    return !f.bad() && octets.size() <= kTailleMax;
}

std::string empreinteCarte(const std::string& octets) { return empreinte(octets); }

std::string cheminCourseAuteur(const std::string& hash) { return std::string(kDossierCourses) + "/" + hash + ".course"; }

bool garderCourseAuteur(const std::string& sortie, const std::string& hash) {
    std::string texte;
    if (!lireOctets(sortie, texte)) return false;  // no run finished
    std::remove(sortie.c_str());
    if (!courseDe(texte, hash)) {
        std::fprintf(stderr, "bramelt: the run the game wrote is not a run of the map saved; not kept\n");
        return false;
    }
    mkdir("data/joueur", 0777);
    mkdir(kDossierCourses, 0777);
    return ecrireFichierAtomique(cheminCourseAuteur(hash), texte);
}

std::optional<Course> courseAuteur(const std::string& hash) {
    std::string texte;
    if (hash.empty() || !lireOctets(cheminCourseAuteur(hash), texte)) return std::nullopt;
    return courseDe(texte, hash);
}

}  // namespace editeur
