// SPDX-License-Identifier: GPL-3.0-or-later
#include "fichiers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

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

// The files found unreadable, by absolute path: never written again. The
// updates left to later read them from their own threads, up to the
// program's very end: never freed.
std::mutex verrouIllisibles;
std::set<std::string>& illisibles() {
    static auto* s = new std::set<std::string>;
    return *s;
}

// The updates left to later, by the file they update. Never freed: a thread
// still waiting when the program ends must find it whole.
struct EnAttente {
    std::mutex mutex;
    std::condition_variable fini;
    std::multiset<std::string> fichiers;
};
EnAttente& enAttente() {
    static EnAttente* e = new EnAttente;
    return *e;
}

// At the program's end, the updates left to later get their chance.
struct FinDuProgramme {
    ~FinDuProgramme() {
        if (attendreMisesAJour(10000)) return;
        std::lock_guard<std::mutex> g(enAttente().mutex);
        for (const std::string& f : enAttente().fichiers)
            std::fprintf(stderr, "%s: %s stayed locked by another program; this update of it is lost\n",
                         program_invocation_short_name, f.c_str());
    }
} finDuProgramme;

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

Verrou::Verrou(const std::string& chemin, Attente attente) {
    std::string cible = cibleEcriture(chemin);
    if (cible.empty()) cible = chemin;
    const std::string nom = dossierDe(cible) + "/" + nomDeFichierBorne(".", nomDe(cible), ".verrou");
    m_fd = open(nom.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (m_fd < 0) return;
    const int essais = attente == essayer ? 1 : 500;
    for (int essai = 0;; ++essai) {
        if (flock(m_fd, attente == toujours ? LOCK_EX : LOCK_EX | LOCK_NB) == 0) return;
        if (errno != EWOULDBLOCK && errno != EINTR) break;  // no lock on this file system
        if (attente != toujours && essai + 1 >= essais) {
            m_occupe = true;
            break;
        }
        if (attente != toujours) usleep(10000);
    }
    close(m_fd);
    m_fd = -1;
}

Verrou::~Verrou() {
    if (m_fd >= 0) close(m_fd);  // closing releases the lock
}

Lecture lireFichierGarde(const std::string& chemin, const char* quoi) {
    Lecture l;
    std::error_code ec;
    const std::string cle = fs::absolute(chemin, ec).lexically_normal().string();
    {
        std::lock_guard<std::mutex> g(verrouIllisibles);
        if (illisibles().count(cle)) {
            l.etat = Lecture::Illisible;
            return l;
        }
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
    {
        std::lock_guard<std::mutex> g(verrouIllisibles);
        illisibles().insert(cle);
    }
    l.etat = Lecture::Illisible;
    l.premiereFois = true;
    std::fprintf(stderr, "%s: %s \"%s\" %s; it is left untouched until the program ends\n",
                 program_invocation_short_name, quoi, chemin.c_str(), raisonLecture(erreur).c_str());
    return l;
}

namespace {

// The update itself, under a lock already held.
Maj majSousVerrou(const std::string& chemin, const char* quoi, const Fusion& fusion, Lecture* lu) {
    const Lecture l = lireFichierGarde(chemin, quoi);
    if (lu) *lu = l;
    if (l.etat == Lecture::Illisible) return Maj::Illisible;
    const std::optional<std::string> texte = fusion(l.etat == Lecture::Lu ? &l.texte : nullptr);
    if (!texte) return Maj::Inchange;
    return ecrireFichierAtomique(chemin, *texte) ? Maj::Ecrit : Maj::Echec;
}

void finirAttente(const std::string& chemin) {
    EnAttente& e = enAttente();
    std::lock_guard<std::mutex> g(e.mutex);
    e.fichiers.erase(e.fichiers.find(chemin));
    e.fini.notify_all();
}

// Runs the update on a thread of its own as soon as the lock is free; false
// when no thread can be started.
bool plusTardAuFond(const std::string& chemin, const std::string& quoi, const Fusion& fusion) {
    {
        std::lock_guard<std::mutex> g(enAttente().mutex);
        enAttente().fichiers.insert(chemin);
    }
    try {
        std::thread([chemin, quoi, fusion] {
            {
                Verrou verrou(chemin, Verrou::toujours);
                majSousVerrou(chemin, quoi.c_str(), fusion, nullptr);
            }
            finirAttente(chemin);
        }).detach();
        return true;
    } catch (const std::system_error&) {
        finirAttente(chemin);
        return false;
    }
}

}  // namespace

Maj mettreAJourFichier(const std::string& chemin, const char* quoi, const Fusion& fusion, Lecture* lu,
                       const Fusion& plusTard) {
    // An unreadable file is left alone, without even a lock file beside it;
    // any other is read again once the lock is held.
    Lecture l = lireFichierGarde(chemin, quoi);
    if (l.etat == Lecture::Illisible) {
        if (lu) *lu = l;
        return Maj::Illisible;
    }
    const Verrou verrou(chemin, plusTard ? Verrou::essayer : Verrou::borne);
    if (verrou.tenu()) return majSousVerrou(chemin, quoi, fusion, lu);
    if (lu) *lu = l;
    if (plusTard && plusTardAuFond(chemin, quoi, plusTard)) return Maj::Attente;
    std::fprintf(stderr, "%s: %s stays locked by another program; it is not written\n",
                 program_invocation_short_name, chemin.c_str());
    return Maj::Echec;
}

int misesAJourEnAttente() {
    std::lock_guard<std::mutex> g(enAttente().mutex);
    return static_cast<int>(enAttente().fichiers.size());
}

bool attendreMisesAJour(int ms) {
    EnAttente& e = enAttente();
    std::unique_lock<std::mutex> g(e.mutex);
    return e.fini.wait_for(g, std::chrono::milliseconds(ms), [&] { return e.fichiers.empty(); });
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
