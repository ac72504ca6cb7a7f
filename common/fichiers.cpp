#include "fichiers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu) {
    return remplacerFichier(chemin, contenu, chemin + ".tmp");
}

bool remplacerFichier(const std::string& chemin, const std::string& contenu,
                      const std::string& temporaire) {
    unlink(temporaire.c_str());
    const int fd = open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        std::fprintf(stderr, "vorna: cannot write %s: %s\n", temporaire.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = true;
    for (size_t fait = 0; ok && fait < contenu.size();) {
        const ssize_t n = write(fd, contenu.data() + fait, contenu.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) fait += static_cast<size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    int erreur = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        erreur = errno;
    }
    if (ok && std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        ok = false;
        erreur = errno;
    }
    if (ok) return true;
    std::fprintf(stderr, "vorna: cannot write %s: %s\n", chemin.c_str(), std::strerror(erreur ? erreur : EIO));
    unlink(temporaire.c_str());
    return false;
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
