// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_MONDIAL_H
#define VORNA_MONDIAL_H

#include <map>
#include <string>

#include "requete_http.h"

// The world's best runs, as the score server knows them: each level's best
// verified run as a ghost to race, and the scenario levels' records for the
// menu. Both are fetched in the background, only when the player chose to
// race the world's record, and kept in the player's folder, so the last ones
// fetched serve when the server cannot be reached.

// Where they are kept.
extern const char* const kDossierMondial;  // "data/joueur/mondial"

// The world record's ghost of one level: the scenario level `niveau` (from
// 1), or with `niveau` 0 the free map whose file's SHA-256 is `empreinte`.
class FantomeMondial {
public:
    FantomeMondial(unsigned int niveau, const std::string& empreinte);
    // The file in the player's folder the ghost is kept in ("" for a free map
    // whose file could not be read).
    const std::string& fichier() const { return m_fichier; }
    // The path on the server: /niveau/N/record.qzg or /map/HASH/record.qzg.
    const std::string& chemin() const { return m_chemin; }
    // Starts fetching it from the score server in use.
    void demander();
    // Asked once a frame: true on the frame a new ghost came and was kept
    // in fichier(). A ghost that is none (no position line) is not kept.
    bool suivre();

private:
    std::string m_fichier, m_chemin;
    RequeteHttp m_requete;
    bool m_attendu = false;
};

// One scenario level's world record.
struct RecordMondial {
    int points = 0;
    long long pas = 0;  // the chronometer, in steps
    std::string nom;
    bool operator==(const RecordMondial& o) const { return points == o.points && pas == o.pas && nom == o.nom; }
};

// The text of /records.txt, one line "N POINTS CHRONO_STEPS NAME" a level;
// lines that are not such are skipped.
std::map<unsigned int, RecordMondial> lireRecordsMondiaux(const std::string& texte);

// The scenario levels' world records: those kept from the last fetch, and
// a fresh fetch in the background when asked.
class RecordsMondiaux {
public:
    // Reads the file kept; then, with `demander`, fetches the list again.
    void charger(bool demander);
    // Asked once a frame: the list fetched, kept once it came (true then).
    bool suivre();
    const RecordMondial* trouver(unsigned int niveau) const;

private:
    std::map<unsigned int, RecordMondial> m_records;
    RequeteHttp m_requete;
    bool m_attendu = false;
};

#endif
