#include "fichiers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu) {
    const std::string temporaire = chemin + ".tmp";
    FILE* f = std::fopen(temporaire.c_str(), "w");
    if (!f) {
        std::fprintf(stderr, "vorna: cannot write %s: %s\n", temporaire.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        std::fprintf(stderr, "vorna: cannot write %s: %s\n", chemin.c_str(), std::strerror(errno));
        std::remove(temporaire.c_str());
        return false;
    }
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
