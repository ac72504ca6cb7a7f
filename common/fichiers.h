// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FICHIERS_H
#define VORNA_FICHIERS_H

#include <functional>
#include <optional>
#include <string>

// How every file the programs write (progress, records, ghosts, maps, the
// player's folder's list of offered maps) is written, so that no user file
// is ever lost or left half-written, and two programs at once never undo
// each other's work.

// Where writing `chemin` lands: `chemin` itself, or for a symbolic link the
// file it leads to (a dangling link's target is created), so a file kept
// elsewhere through a link (a dotfiles manager) stays the one written. ""
// for a loop of links.
std::string cibleEcriture(const std::string& chemin);

// Writes `contenu` to a fresh temporary file of its own (mkstemp) beside the
// target of `chemin`, flushes it to the disk and renames it over the target:
// the file is whole, old or new, whatever happens. It keeps the permissions
// of the file it replaces. With `remplacer` false an existing `chemin` is
// never replaced: the call then returns false with errno EEXIST, silently.
// Otherwise returns false, after a line on standard error and leaving the
// old file untouched, when it cannot.
bool ecrireFichierAtomique(const std::string& chemin, const std::string& contenu, bool remplacer = true);

// Renames `source` to `cible` only if no file named `cible` exists. Returns
// false, leaving both files as they were, otherwise or on error.
bool renommerSansRemplacer(const std::string& source, const std::string& cible);

// An exclusive lock on a file's updates, held for the object's life: a
// flock on the hidden file ".NAME.verrou" beside the target of `chemin`.
// Programs that update one file take turns. How long it waits for another
// program's turn: not at all (essayer), up to 5 s (borne), or as long as it
// takes (toujours). Where no lock file can be made (a read-only folder) the
// update goes on without it; a lock held by another program is never
// passed over.
class Verrou {
public:
    enum Attente { essayer, borne, toujours };
    explicit Verrou(const std::string& chemin, Attente attente = borne);
    ~Verrou();
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;
    // False when another program held the lock all the while.
    bool tenu() const { return !m_occupe; }

private:
    int m_fd = -1;
    bool m_occupe = false;
};

// A file the programs read and write again (the progress, the records).
// Only a missing file (ENOENT) holds nothing; one that exists but cannot be
// read (its mode, an I/O error, a loop of links...) holds something unknown:
// it is left untouched for the rest of the program.
struct Lecture {
    enum Etat { Lu, Absent, Illisible } etat = Absent;
    std::string texte;
    // The first time this file is found unreadable: the caller says so on
    // screen (the line on standard error is already written).
    bool premiereFois = false;
};

// Reads `chemin` whole; `quoi` names it on standard error ("records file").
Lecture lireFichierGarde(const std::string& chemin, const char* quoi);

// What an update did. Attente: another program held the lock; the update
// is done later by a thread of its own (see mettreAJourFichier).
enum class Maj { Ecrit, Inchange, Illisible, Echec, Attente };

using Fusion = std::function<std::optional<std::string>(const std::string*)>;

// Under the lock of `chemin`: reads it again (lireFichierGarde) and writes
// what `fusion` makes of its text (null when the file is missing), through
// ecrireFichierAtomique; `fusion` returns nothing to leave the file as it
// is. An unreadable file is neither given to `fusion` nor written. `lu`
// receives the reading. A lock held 5 s by another program gives Echec,
// nothing written. With `plusTard`, the lock is only tried: when another
// program holds it, the call returns Attente at once and a thread of its own
// runs the same update with `plusTard` (which must hold copies of all it
// uses) once the lock is free, so a frame never waits for a lock.
Maj mettreAJourFichier(const std::string& chemin, const char* quoi, const Fusion& fusion, Lecture* lu = nullptr,
                       const Fusion& plusTard = nullptr);

// The updates left to later (Attente) and not done yet.
int misesAJourEnAttente();
// Waits up to `ms` milliseconds for them; true when none is left. At the
// program's end they get 10 s; those still waiting then are named on
// standard error.
bool attendreMisesAJour(int ms);

// A file name `prefixe` + `nom` + `suffixe` within the 255 bytes a file
// system allows, less `reserve` (for a number added later): when too long,
// `nom` is cut (never inside a UTF-8 character) and followed by '~' and 16
// hexadecimal digits of a hash of the whole of it, so two long names stay
// apart.
std::string nomDeFichierBorne(const std::string& prefixe, const std::string& nom, const std::string& suffixe,
                              size_t reserve = 0);

#endif
