// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier_joueur.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "fichiers.h"
#include "repertoire.h"

// Where the shared folder lies from the folder of the programs; the build
// gives it from the installation's layout.
#ifndef VORNA_PARTAGE_RELATIF
#define VORNA_PARTAGE_RELATIF "../share/vorna"
#endif

namespace fs = std::filesystem;

namespace {

// The shipped free maps already offered to the player, one name a line, so
// that one the player deleted is not copied back at the next start.
const char* const kMapsOffertes = "/maps/.maps-offertes";

bool estDossier(const std::string& chemin) {
    struct stat s;
    return stat(chemin.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool existe(const std::string& chemin) {
    struct stat s;
    return lstat(chemin.c_str(), &s) == 0;
}

bool estFichier(const std::string& chemin) {
    struct stat s;
    return stat(chemin.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

// Creates `chemin` and its missing parents, private to the player.
bool creerDossiers(const std::string& chemin, const char* programme) {
    fs::path partiel;
    for (const fs::path& morceau : fs::path(chemin)) {
        partiel /= morceau;
        if (estDossier(partiel.string())) continue;
        if (mkdir(partiel.c_str(), 0700) != 0 && errno != EEXIST) {
            std::fprintf(stderr, "%s: cannot create the folder %s: %s\n", programme, partiel.c_str(),
                         std::strerror(errno));
            return false;
        }
    }
    if (estDossier(chemin)) return true;
    std::fprintf(stderr, "%s: cannot create the folder %s: a file of that name is in the way\n", programme,
                 chemin.c_str());
    return false;
}

// Gives `chemin` the content `contenu` when nothing of that name exists:
// the file is written whole under a name of its own, then renamed without
// replacing. True when a file is there afterwards.
bool creerSansRemplacer(const std::string& chemin, const std::string& contenu, const char* programme) {
    if (existe(chemin) || ecrireFichierAtomique(chemin, contenu, false) || existe(chemin)) return true;
    std::fprintf(stderr, "%s: cannot create %s\n", programme, chemin.c_str());
    return false;
}

// Makes `lien` a link to `cible`. A link elsewhere (an older or moved
// installation) is replaced by the new one; anything else is the player's
// and is left as it is.
bool lier(const std::string& cible, const std::string& lien, const char* programme) {
    struct stat s;
    std::error_code ec;
    if (lstat(lien.c_str(), &s) != 0) {
        // Another program starting at the same moment may have made it.
        if (symlink(cible.c_str(), lien.c_str()) == 0 ||
            (errno == EEXIST && fs::read_symlink(lien, ec).string() == cible))
            return true;
    } else if (!S_ISLNK(s.st_mode)) {
        std::fprintf(stderr, "%s: %s is not a link to %s; it is left as it is\n", programme, lien.c_str(),
                     cible.c_str());
        return true;
    } else {
        if (fs::read_symlink(lien, ec).string() == cible) return true;
        // A name of this program's own: programs starting at once never meet there.
        const std::string provisoire = lien + ".vorna-lien-" + std::to_string(getpid());
        if (lstat(provisoire.c_str(), &s) == 0 && S_ISLNK(s.st_mode)) unlink(provisoire.c_str());
        if (symlink(cible.c_str(), provisoire.c_str()) == 0) {
            if (std::rename(provisoire.c_str(), lien.c_str()) == 0) return true;
            const int erreur = errno;
            unlink(provisoire.c_str());
            errno = erreur;
        }
    }
    std::fprintf(stderr, "%s: cannot make the link %s: %s\n", programme, lien.c_str(), std::strerror(errno));
    return false;
}

// Links of data/ into the installation to a file an upgrade dropped.
void oublierLiensPerdus(const std::string& partage, const std::string& dossier) {
    for (const std::string& nom : listerDossier(dossier + "/data", "")) {
        const std::string lien = dossier + "/data/" + nom;
        struct stat s;
        std::error_code ec;
        if (lstat(lien.c_str(), &s) != 0 || !S_ISLNK(s.st_mode) || stat(lien.c_str(), &s) == 0) continue;
        if (fs::read_symlink(lien, ec).string().rfind(partage + "/", 0) == 0) unlink(lien.c_str());
    }
}

std::string lireTout(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Copies each shipped free map once: a map of the same name the player
// already has is kept, and one the player deleted stays deleted. Programs
// starting at once take turns, each adding to what the others offered; a
// list that cannot be read offers nothing.
void offrirMaps(const std::string& partage, const std::string& dossier, const char* programme) {
    mettreAJourFichier(dossier + kMapsOffertes, "list of offered maps", [&](const std::string* texte) {
        std::set<std::string> offertes;
        std::istringstream lu(texte ? *texte : std::string());
        for (std::string nom; std::getline(lu, nom);) offertes.insert(nom);
        bool nouvelles = false;
        for (const std::string& nom : listerFichiers(partage + "/maps", ".txt")) {
            const std::string source = partage + "/maps/" + nom;
            if (offertes.count(nom) || access(source.c_str(), R_OK) != 0) continue;
            if (!creerSansRemplacer(dossier + "/maps/" + nom, lireTout(source), programme)) continue;
            offertes.insert(nom);
            nouvelles = true;
        }
        std::string liste;
        for (const std::string& nom : offertes) liste += nom + "\n";
        return nouvelles ? std::optional<std::string>(liste) : std::nullopt;
    });
}

}  // namespace

std::string partageInstallation(const std::string& executable) {
    const fs::path bin = fs::path(executable).parent_path();
    if (bin.empty()) return "";
    std::string partage = (bin / VORNA_PARTAGE_RELATIF).lexically_normal().string();
    while (partage.size() > 1 && partage.back() == '/') partage.pop_back();
    return estDossierDeJeu(partage) ? partage : "";
}

std::string dossierJoueur() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return (fs::path(xdg) / "vorna").lexically_normal().string();
    std::string maison;
    if (const char* home = std::getenv("HOME"); home && *home) {
        maison = home;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir) {
        maison = pw->pw_dir;
    }
    if (maison.empty()) return "";
    return (fs::path(maison) / ".local/share/vorna").lexically_normal().string();
}

bool preparerDossierJoueur(const std::string& partage, const std::string& dossier, const char* programme) {
    for (const char* d : {"/data/joueur", "/maps", "/ghost"})
        if (!creerDossiers(dossier + d, programme)) return false;
    std::error_code ec;
    // Installed with the prefix ~/.local, the shared folder is the player's
    // folder itself: nothing to link or copy.
    if (!fs::equivalent(partage, dossier, ec)) {
        for (const std::string& nom : listerDossier(partage + "/data", "")) {
            if (nom[0] == '.' || nom == "joueur") continue;
            if (!lier(partage + "/data/" + nom, dossier + "/data/" + nom, programme)) return false;
        }
        oublierLiensPerdus(partage, dossier);
        for (const char* d : {"/maps/niveau", "/maps/menu"})
            if (!lier(partage + d, dossier + d, programme)) return false;
        offrirMaps(partage, dossier, programme);
    }
    return creerSansRemplacer(dossier + "/data/joueur/niveau.txt", "1", programme);
}

bool estDossierDeJeu(const std::string& dossier) {
    return estDossier(dossier + "/data") && estFichier(dossier + "/maps/menu/menu.txt");
}

bool entrerDossierJoueur(const char* programme) {
    if (estDossierDeJeu(".")) return true;
    std::error_code ec;
    const std::string partage = partageInstallation(fs::read_symlink("/proc/self/exe", ec).string());
    if (partage.empty()) return true;
    const std::string dossier = dossierJoueur();
    if (dossier.empty()) {
        std::fprintf(stderr, "%s: no home folder is known (HOME is not set) to keep the player's files in\n",
                     programme);
        return false;
    }
    if (!preparerDossierJoueur(partage, dossier, programme)) return false;
    if (chdir(dossier.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot enter %s: %s\n", programme, dossier.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

std::string cheminProgramme(const std::string& nom) {
    const std::string ici = "./" + nom;
    if (access(ici.c_str(), X_OK) == 0) return ici;
    std::error_code ec;
    const fs::path voisin = fs::read_symlink("/proc/self/exe", ec).parent_path() / nom;
    return !ec && access(voisin.c_str(), X_OK) == 0 ? voisin.string() : ici;
}
