// SPDX-License-Identifier: GPL-3.0-or-later
// The ghost recording of a run: one position per step into a working file,
// kept under a numbered name at the end when the player asked for it.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "annonce.h"
#include "fichier_fantome.h"
#include "fichiers.h"
#include "partie.h"
#include "textes_partie.h"
#include "traduction.h"

namespace {

// The working file is hidden and its name holds no ".qzg": no list shows it
// and no kept ghost can bear its name. It carries the number of the process,
// so two programs sharing a ghost folder never write into one file.
const char* const kPrefixeTravail = ".enregistrement-";

std::string fichierTravail() { return std::string("ghost/") + kPrefixeTravail + std::to_string(getpid()); }

// The temporary file an earlier version wrote a best ghost to.
const char* const kSuffixeRecord = ".record";

// Removes the working files (and best ghosts being written) of programs that
// no longer run (a killed run leaves one behind).
void nettoyerTravail() {
    DIR* d = opendir("ghost");
    if (!d) return;
    const size_t n = std::strlen(kPrefixeTravail);
    while (dirent* e = readdir(d)) {
        if (std::strncmp(e->d_name, kPrefixeTravail, n) != 0) continue;
        char* fin = nullptr;
        const long pid = std::strtol(e->d_name + n, &fin, 10);
        if (*fin != '\0' && std::strcmp(fin, kSuffixeRecord) != 0) continue;
        const bool mort = pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (mort || pid == getpid()) unlink((std::string("ghost/") + e->d_name).c_str());
    }
    closedir(d);
}

const char* const kFantomePerdu = aTraduire("Fantome non enregistre : ecriture impossible");

}  // namespace

std::string Partie::nomFantome(int numero) const {
    return m.m_scenario ? formater("ghost/map%ughost%d.qzg", m.m_mapScenario, numero)
                        : "ghost/" + nomDeFichierBorne("", m.m_mapALoad, "ghost" + std::to_string(numero) + ".qzg");
}

void Partie::fantomeDebut() {
    numeroFantome = m.m_nbre_game + m.m_nombre_ghost + 1;
    ghost = nomFantome(numeroFantome);
    nettoyerTravail();
    const std::string travail = fichierTravail();
    // Created afresh, never through whatever may lie at that name.
    const int fd = open(travail.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    fghost = fd >= 0 ? fdopen(fd, "w") : nullptr;
    if (!fghost) {
        if (fd >= 0) close(fd);
        std::fprintf(stderr, "vorna: cannot record the ghost (%s: %s): playing without recording\n",
                     travail.c_str(), std::strerror(errno));
        ghost.clear();
        return;
    }
    messageFantome.clear();
    if (!ecrireEnteteFantome(fghost, cheminNiveau)) fantomeEchec(errno);
}

// The position the step took, at the end of the working file.
void Partie::fantomeEchantillon() {
    const Heros& b = sim->balle();
    if (fghost && !ecrirePositionFantome(fghost, b.getX(), b.getY(), b.getZ())) fantomeEchec(errno);
}

// The recording starts again with the run: the positions so far are dropped.
void Partie::fantomeRecommencer() {
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    fantomeDebut();
}

// Everything recorded so far on the disk: called when the player asks to
// keep the ghost, so a full disk is known while the end-of-level menu shows.
void Partie::fantomeVerifier() {
    if (fghost && (std::fflush(fghost) != 0 || fsync(fileno(fghost)) != 0)) fantomeEchec(errno);
}

// The recording cannot be written (a full disk): it is dropped, no ghost is
// kept from it, and the player is told.
void Partie::fantomeEchec(int erreur) {
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    std::remove(fichierTravail().c_str());
    ghost.clear();
    std::fprintf(stderr, "vorna: the ghost recording cannot be written (%s): no ghost is kept from it\n",
                 std::strerror(erreur ? erreur : EIO));
    messageFantome = tr(kFantomePerdu);
}

void Partie::fantomeFin() {
    const std::string travail = fichierTravail();
    if (!sim->renameghost()) {
        if (fghost) std::fclose(fghost);
        fghost = nullptr;
        std::remove(travail.c_str());
        return;
    }
    m.m_nbre_game += 1;
    if (fghost) {
        // The inputs of every step after the positions: the run can be
        // played again from them.
        int erreur = ecrireEntreesFantome(fghost, sim->journal()) ? 0 : errno;
        if (!erreur && std::fflush(fghost) != 0) erreur = errno;
        if (!erreur && fsync(fileno(fghost)) != 0) erreur = errno;
        if (std::fclose(fghost) != 0 && !erreur) erreur = errno;
        fghost = nullptr;
        if (erreur) fantomeEchec(erreur);
    }
    if (ghost.empty()) {
        if (!messageFantome.empty()) annoncer(messageFantome);
        return;
    }
    // An existing ghost is never replaced: the new one takes the next free
    // number (a player may have deleted ghosts, so numbers can meet).
    for (int n = numeroFantome; n < numeroFantome + 10000; ++n) {
        if (renommerSansRemplacer(travail, nomFantome(n))) return;
        if (errno != EEXIST) break;
    }
    std::fprintf(stderr, "vorna: cannot keep the ghost %s (%s); it is dropped\n", ghost.c_str(),
                 std::strerror(errno));
    std::remove(travail.c_str());
    annoncer(tr(kFantomePerdu));
}

// The positions of the run the chronometer timed become the level's best
// ghost `nom`, written whole under a temporary name of its own and renamed
// over the previous one. False, after a line on standard error, when it cannot be.
bool Partie::garderFantomeRecord(const std::string& nom) {
    if (!sim->complets()) {
        std::fprintf(stderr, "vorna: the run is too long to keep as the best ghost %s\n", nom.c_str());
        return false;
    }
    const std::string texte = texteFantome(cheminNiveau, sim->echantillons(), sim->debutChrono(), &sim->journal());
    return !texte.empty() && ecrireFichierAtomique(nom, texte);
}
