// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LECTURE_H
#define VORNA_LECTURE_H

#include <cstdio>
#include <memory>
#include <string>

// Opening the files the programs read (levels, ghosts, the progress file,
// images, sounds, music) without being taken in by what lies at their path:
// only a regular file is read (a link is followed, so a link to a level is
// fine and a link to a device is not), never one larger than 64 MB, and the
// open itself never blocks (a FIFO is refused before anything is read).

const long long kTailleMaxLecture = 64LL * 1024 * 1024;

struct FermerFichier {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FichierLu = std::unique_ptr<std::FILE, FermerFichier>;

// Opens `chemin` for reading, silently. On refusal returns null with errno
// telling why: ENOENT (missing), EISDIR or EINVAL (a folder, a device, a
// FIFO, a socket), EFBIG (larger than 64 MB), or the system's reason.
FichierLu ouvrirLecture(const std::string& chemin);

// The same, saying why on refusal in one line on standard error:
// `<program>: <quoi> "<chemin>" is missing` (or "is not a regular file",
// "is larger than 64 MB", "cannot be read (<reason>)").
FichierLu ouvrirLecture(const std::string& chemin, const char* quoi);

// For loaders that open the file themselves (SDL_image, SDL_mixer): true
// when ouvrirLecture would open `chemin`; otherwise false after the line.
bool verifierLecture(const std::string& chemin, const char* quoi);

// The line for a refusal whose reason is `erreur` (an errno value), and the
// words of that reason ("is missing", "is not a regular file", ...).
void signalerLecture(const std::string& chemin, const char* quoi, int erreur);
std::string raisonLecture(int erreur);

#endif
