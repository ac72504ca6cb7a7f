// SPDX-License-Identifier: GPL-3.0-or-later
#include "lecture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Why a file of this kind and size is not read; 0 when it is.
int refus(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    if (st.st_size > kTailleMaxLecture) return EFBIG;
    return 0;
}

}  // namespace

FichierLu ouvrirLecture(const std::string& chemin) {
    // Looked at first, so a device is never even opened; looked at again once
    // open, in case the path changed in between.
    struct stat st;
    if (stat(chemin.c_str(), &st) != 0) return nullptr;
    if (const int r = refus(st)) {
        errno = r;
        return nullptr;
    }
    // O_NONBLOCK: opening a FIFO with no writer would wait for one for ever.
    const int fd = open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    int erreur = fstat(fd, &st) != 0 ? errno : refus(st);
    // A regular file reads the same with or without O_NONBLOCK; it is taken
    // off anyway so the stream behaves as any other.
    if (!erreur) {
        const int drapeaux = fcntl(fd, F_GETFL);
        if (drapeaux >= 0) fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    }
    std::FILE* f = erreur ? nullptr : fdopen(fd, "r");
    if (!f) {
        if (!erreur) erreur = errno;
        close(fd);
        errno = erreur;
        return nullptr;
    }
    return FichierLu(f);
}

std::string raisonLecture(int erreur) {
    switch (erreur) {
    case ENOENT: return "is missing";
    case EISDIR:
    case EINVAL: return "is not a regular file";
    case EFBIG: return "is larger than 64 MB";
    default: return std::string("cannot be read (") + std::strerror(erreur) + ")";
    }
}

void signalerLecture(const std::string& chemin, const char* quoi, int erreur) {
    std::fprintf(stderr, "%s: %s \"%s\" %s\n", program_invocation_short_name, quoi, chemin.c_str(),
                 raisonLecture(erreur).c_str());
}

FichierLu ouvrirLecture(const std::string& chemin, const char* quoi) {
    FichierLu f = ouvrirLecture(chemin);
    if (!f) {
        const int erreur = errno;
        signalerLecture(chemin, quoi, erreur);
        errno = erreur;
    }
    return f;
}

bool verifierLecture(const std::string& chemin, const char* quoi) {
    return ouvrirLecture(chemin, quoi) != nullptr;
}
