// SPDX-License-Identifier: GPL-3.0-or-later
#include "fichiers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "lecture.h"

namespace fs = std::filesystem;

namespace {

std::string dossierDe(const std::string& chemin) {
    const std::string::size_type p = chemin.rfind('/');
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : chemin.substr(0, p);
}

std::string nomDe(const std::string& chemin) {
    const std::string::size_type p = chemin.rfind('/');
    return p == std::string::npos ? chemin : chemin.substr(p + 1);
}

// The new file's permissions: those of the file it replaces, else those a
// created file gets.
mode_t modeDe(const std::string& cible) {
    struct stat st;
    if (stat(cible.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t masque = umask(0);
    umask(masque);
    return 0666 & ~masque;
}

bool toutEcrire(int fd, const std::string& contenu) {
    for (size_t fait = 0; fait < contenu.size();) {
        const ssize_t n = write(fd, contenu.data() + fait, contenu.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        fait += static_cast<size_t>(n);
    }
    return true;
}

// The rename itself on the disk too.
void synchroniserDossier(const std::string& chemin) {
    const int fd = open(dossierDe(chemin).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The files found unreadable, by absolute path: never written again.
std::set<std::string>& illisibles() {
    static std::set<std::string> s;
    return s;
}

}  // namespace

std::string cibleEcriture(const std::string& chemin) {
    std::string c = chemin;
    for (int sauts = 0; sauts < 40; ++sauts) {
        struct stat s;
        std::error_code ec;
        if (lstat(c.c_str(), &s) != 0 || !S_ISLNK(s.st_mode)) return c;
        const fs::path lien = fs::read_symlink(c, ec);
        if (ec) return c;
        c = lien.is_absolute() ? lien.string() : (fs::path(dossierDe(c)) / lien).string();
    }
    return "";
}

bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu, bool remplacer) {
    const std::string cible = remplacer ? cibleEcriture(chemin) : chemin;
    std::string temporaire = (cible.empty() ? std::string(".") : dossierDe(cible)) + "/.vorna-ecriture-XXXXXX";
    auto echec = [&](int erreur, bool effacer) {
        std::fprintf(stderr, "%s: cannot write %s: %s; the file is left as it was\n", program_invocation_short_name,
                     chemin.c_str(), std::strerror(erreur ? erreur : EIO));
        if (effacer) unlink(temporaire.c_str());
        return false;
    };
    if (cible.empty()) return echec(ELOOP, false);
    // A name of its own: never one another program writes at the same time,
    // never through whatever lay at a fixed name.
    const int fd = mkstemp(temporaire.data());
    if (fd < 0) return echec(errno, false);
    fchmod(fd, modeDe(cible));
    bool ok = toutEcrire(fd, contenu) && fsync(fd) == 0;
    int erreur = ok ? 0 : errno;
    if (close(fd) != 0 && ok) ok = false, erreur = errno;
    if (!ok) return echec(erreur, true);
    if (!remplacer) {
        if (renommerSansRemplacer(temporaire, cible)) return synchroniserDossier(cible), true;
        erreur = errno;
        if (erreur != EEXIST) return echec(erreur, true);
        unlink(temporaire.c_str());
        errno = EEXIST;
        return false;
    }
    if (std::rename(temporaire.c_str(), cible.c_str()) != 0) return echec(errno, true);
    synchroniserDossier(cible);
    return true;
}

bool renommerSansRemplacer(const std::string& source, const std::string& cible) {
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, cible.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename: a hard link cannot replace
    // an existing file either.
    if (link(source.c_str(), cible.c_str()) != 0) return false;
    unlink(source.c_str());
    return true;
}

Verrou::Verrou(const std::string& chemin) {
    std::string cible = cibleEcriture(chemin);
    if (cible.empty()) cible = chemin;
    const std::string nom = dossierDe(cible) + "/" + nomDeFichierBorne(".", nomDe(cible), ".verrou");
    m_fd = open(nom.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    // A program stopped while it holds the lock must not stop every other
    // one: after 5 s the update goes on without it.
    for (int essai = 0; m_fd >= 0 && flock(m_fd, LOCK_EX | LOCK_NB) != 0; ++essai) {
        const bool occupe = errno == EWOULDBLOCK || errno == EINTR;
        if (occupe && essai < 500) {
            usleep(10000);
            continue;
        }
        if (occupe)
            std::fprintf(stderr, "%s: %s stays locked by another program; updating it anyway\n",
                         program_invocation_short_name, chemin.c_str());
        close(m_fd);
        m_fd = -1;
    }
}

Verrou::~Verrou() {
    if (m_fd >= 0) close(m_fd);  // closing releases the lock
}

Lecture lireFichierGarde(const std::string& chemin, const char* quoi) {
    Lecture l;
    std::error_code ec;
    const std::string cle = fs::absolute(chemin, ec).lexically_normal().string();
    if (illisibles().count(cle)) {
        l.etat = Lecture::Illisible;
        return l;
    }
    int erreur = 0;
    if (FichierLu f = ouvrirLecture(chemin)) {
        char bloc[4096];
        for (size_t n; (n = std::fread(bloc, 1, sizeof bloc, f.get())) > 0;) l.texte.append(bloc, n);
        if (std::ferror(f.get())) erreur = errno ? errno : EIO;
    } else {
        erreur = errno;
    }
    if (!erreur) {
        l.etat = Lecture::Lu;
        return l;
    }
    l.texte.clear();
    if (erreur == ENOENT) return l;
    illisibles().insert(cle);
    l.etat = Lecture::Illisible;
    l.premiereFois = true;
    std::fprintf(stderr, "%s: %s \"%s\" %s; it is left untouched until the program ends\n",
                 program_invocation_short_name, quoi, chemin.c_str(), raisonLecture(erreur).c_str());
    return l;
}

Maj mettreAJourFichier(const std::string& chemin, const char* quoi,
                       const std::function<std::optional<std::string>(const std::string*)>& fusion, Lecture* lu) {
    // An unreadable file is left alone, without even a lock file beside it;
    // any other is read again once the lock is held.
    Lecture l = lireFichierGarde(chemin, quoi);
    std::optional<Verrou> verrou;
    if (l.etat != Lecture::Illisible) {
        verrou.emplace(chemin);
        l = lireFichierGarde(chemin, quoi);
    }
    if (lu) *lu = l;
    if (l.etat == Lecture::Illisible) return Maj::Illisible;
    const std::optional<std::string> texte = fusion(l.etat == Lecture::Lu ? &l.texte : nullptr);
    if (!texte) return Maj::Inchange;
    return ecrireFichierAtomique(chemin, *texte) ? Maj::Ecrit : Maj::Echec;
}

std::string nomDeFichierBorne(const std::string& prefixe, const std::string& nom, const std::string& suffixe,
                              size_t reserve) {
    const size_t limite = 255 - reserve;
    if (prefixe.size() + nom.size() + suffixe.size() <= limite) return prefixe + nom + suffixe;
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : nom) h = (h ^ c) * 1099511628211ull;
    char hache[20];
    std::snprintf(hache, sizeof hache, "~%016llx", static_cast<unsigned long long>(h));
    const size_t autour = prefixe.size() + suffixe.size() + 17;
    size_t garde = limite > autour ? limite - autour : 0;
    while (garde > 0 && (static_cast<unsigned char>(nom[garde]) & 0xC0) == 0x80) --garde;
    return prefixe + nom.substr(0, garde) + hache + suffixe;
}
