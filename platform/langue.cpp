// SPDX-License-Identifier: GPL-3.0-or-later
#include "langue.h"

#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>

// Where the installation's catalogues lie from the folder of the programs;
// the build gives it from the installation's layout.
#ifndef VORNA_LOCALE_RELATIF
#define VORNA_LOCALE_RELATIF "../share/locale"
#endif

extern char** environ;

namespace fs = std::filesystem;

namespace {

const char* const kDomaine = "vorna";

std::string dossierFixe;         // given by a test
std::string langue;              // in use
bool posee = false;              // LANGUAGE holds the value this program put there
std::string valeurPosee;         // that value
std::optional<std::string> languageUtilisateur;  // what LANGUAGE held before; nullopt: unset

// LANGUAGE as the user set it: the environment's, unless it still holds
// what this program put there.
std::optional<std::string> languageDuUtilisateur() {
    const char* v = std::getenv("LANGUAGE");
    if (posee && v && valeurPosee == v) return languageUtilisateur;
    return v ? std::optional<std::string>(v) : std::nullopt;
}

std::string cheminCatalogue(const std::string& l) {
    return dossierCatalogues() + "/" + l + "/LC_MESSAGES/" + kDomaine + ".mo";
}

// gettext reads whatever lies at a catalogue's path (a FIFO would hang it):
// 1 for a readable regular file, 0 for none, -1 for anything else.
int etatCatalogue(const std::string& l) {
    struct stat st;
    const std::string chemin = cheminCatalogue(l);
    if (stat(chemin.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? 0 : -1;
    return S_ISREG(st.st_mode) && access(chemin.c_str(), R_OK) == 0 ? 1 : -1;
}

bool catalogue(const std::string& l) { return etatCatalogue(l) == 1; }

// Whether the catalogue of `l` can be used: a French one may be missing (the
// texts are written in French); a missing English one, or anything but a
// regular file, is said once on standard error, and the texts are shown as
// written.
bool catalogueUtilisable(const std::string& l) {
    const int etat = etatCatalogue(l);
    if (etat == 1 || (etat == 0 && l == "fr")) return true;
    static std::set<std::string> dits;
    if (dits.insert(cheminCatalogue(l)).second)
        std::fprintf(stderr, "%s: the catalogue %s %s; the texts are shown as written\n",
                     program_invocation_short_name, cheminCatalogue(l).c_str(),
                     etat == 0 ? "is missing" : "is not a readable regular file");
    return false;
}

std::string langueDeLEnvironnement() {
    std::vector<std::string> v;
    v.push_back(languageDuUtilisateur().value_or(""));
    for (const char* nom : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* e = std::getenv(nom);
        v.push_back(e ? e : "");
    }
    return langueDesVariables(v, catalogue);
}

void lier() {
    const std::string d = dossierCatalogues();
    bindtextdomain(kDomaine, d.c_str());
    bind_textdomain_codeset(kDomaine, "UTF-8");  // whatever LC_CTYPE says
    textdomain(kDomaine);
    // The C library's messages are looked up where there are none of them.
    bindtextdomain("libc", d.c_str());
}

void appliquer(std::string l) {
    if (!l.empty() && !catalogueUtilisable(l)) l.clear();
    if (!l.empty()) {
        languageUtilisateur = languageDuUtilisateur();
        setenv("LANGUAGE", l.c_str(), 1);
        posee = true;
        valeurPosee = l;
        // Any locale name but "C" lets gettext read LANGUAGE. gettext keeps
        // the translations it found under the locale's name, which stays
        // "C.UTF-8" from one language to the next: setting the domain again
        // tells it that the catalogues changed.
        if (std::setlocale(LC_MESSAGES, "C.UTF-8")) {
            textdomain(kDomaine);
            langue = l;
            return;
        }
        std::fprintf(stderr, "%s: no C.UTF-8 locale on this system: the texts are shown as written\n",
                     program_invocation_short_name);
    }
    // As written: the "C" locale, in which gettext looks nothing up.
    std::setlocale(LC_MESSAGES, "C");
    if (posee) {
        const std::optional<std::string> u = languageDuUtilisateur();
        u ? setenv("LANGUAGE", u->c_str(), 1) : unsetenv("LANGUAGE");
        posee = false;
    }
    langue.clear();
}

}  // namespace

std::string langueDesVariables(const std::vector<std::string>& variables,
                               const std::function<bool(const std::string&)>& aUnCatalogue) {
    std::string valeur;
    for (const std::string& v : variables)
        if (!v.empty()) {
            valeur = v;
            break;
        }
    if (valeur.empty()) return "";
    for (size_t debut = 0; debut <= valeur.size();) {
        const size_t fin = std::min(valeur.find(':', debut), valeur.size());
        const std::string entree = valeur.substr(debut, fin - debut);
        debut = fin + 1;
        const std::string lieu = entree.substr(0, entree.find_first_of(".@"));  // "pt_BR"
        const std::string nom = lieu.substr(0, lieu.find('_'));                 // "pt"
        if (nom == "C" || nom == "POSIX") return "";
        if (nom == "fr") return "fr";
        if (nom.empty()) continue;
        if (lieu != nom && aUnCatalogue(lieu)) return lieu;
        if (aUnCatalogue(nom)) return nom;
    }
    return "en";
}

void initialiserLangue() {
    lier();
    appliquer(langueDeLEnvironnement());
}

const std::vector<LangueProposee>& languesProposees() {
    static const std::vector<LangueProposee> l = {{"en", "English"},  {"fr", "Fran\u00e7ais"},
                                                  {"de", "Deutsch"},  {"es", "Espa\u00f1ol"},
                                                  {"it", "Italiano"}, {"pt_BR", "Portugu\u00eas"}};
    return l;
}

void choisirLangue(const std::string& choix) {
    const auto& l = languesProposees();
    const bool proposee = std::any_of(l.begin(), l.end(), [&](const LangueProposee& p) { return choix == p.code; });
    appliquer(proposee ? choix : langueDeLEnvironnement());
}

const std::string& langueCourante() { return langue; }

std::string dossierCatalogues() {
    if (!dossierFixe.empty()) return dossierFixe;
    std::error_code ec;
    const fs::path bin = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (fs::is_directory(bin / "share/locale", ec)) return (bin / "share/locale").string();
    return (bin / VORNA_LOCALE_RELATIF).lexically_normal().string();
}

void fixerDossierCatalogues(const std::string& dossier) {
    dossierFixe = dossier;
    lier();
}

std::vector<std::string> environnementUtilisateur() {
    std::vector<std::string> r;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LANGUAGE=", 9) != 0) r.push_back(*e);
    if (const std::optional<std::string> u = languageDuUtilisateur()) r.push_back("LANGUAGE=" + *u);
    return r;
}
