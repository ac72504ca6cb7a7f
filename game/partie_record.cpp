// SPDX-License-Identifier: GPL-3.0-or-later
// The level's record: noted at the finish whatever the player chooses next,
// with the run kept as the level's best ghost when ghost saving is on.

#include "fichiers.h"
#include "partie.h"
#include "series.h"
#include "traduction.h"

Parcours Partie::parcours() const {
    Parcours p;
    p.scenario = m.m_scenario;
    p.niveau = m.m_mapScenario;
    p.map = m.m_mapALoad;
    if (!m.m_serie.nom.empty()) {  // a level of a set: its own records and best ghost
        p.scenario = true;
        p.niveau = m.m_serie.niveau;
        p.serie = m.m_serie.nom;
    }
    return p;
}

// On the first frame after the finish. The file is read again under its
// lock and merged, so a record made meanwhile by another program is not
// lost; one that cannot be read keeps this program's records in memory.
void Partie::noterRecord() {
    texteRecord.clear();
    messageRecord.clear();
    const Parcours p = parcours();
    const ResultatRecord r = enregistrerRecord(p, Record{sim->points(), sim->chrono()}, fichierRecords(p));
    if (r.premiereFois)
        messageRecord = tr(kRecordsIllisibles);
    else if (r.ecriture == Maj::Echec)
        messageRecord = tr("Record non enregistre : ecriture impossible");
    else if (r.ecriture == Maj::Attente)
        messageRecord = tr("Record en attente : fichier verrouille");
    if (!r.meilleur) return;
    if (r.ancien) texteRecord = tr("Nouveau record");
    const std::string nom = nomFantomeRecord(p);
    if (!m.m_fantome || nom.empty()) return;
    if (garderFantomeRecord(nom))
        courseARecharger = true;
    else
        messageRecord = tr("Fantome du record non enregistre");
}

// Over the end-of-level line, and under the menu's own warning.
void Partie::textesRecord() {
    if (!texteRecord.empty()) {
        glColor3ub(255, 210, 90);
        imprimer(texteRecord, -1, 0.3);
        glColor3ub(255, 255, 255);
    }
}
