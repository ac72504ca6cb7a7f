// The level's record: noted at the finish whatever the player chooses next,
// with the run kept as the level's best ghost when ghost saving is on.

#include "fichiers.h"
#include "partie.h"

Parcours Partie::parcours() const {
    Parcours p;
    p.scenario = m.m_scenario;
    p.niveau = m.m_mapScenario;
    p.map = m.m_mapALoad;
    return p;
}

// On the first frame after the finish. The file is read again here, so a
// record made meanwhile by another program is not lost, and a damaged file
// is written whole again.
void Partie::noterRecord() {
    texteRecord.clear();
    messageRecord.clear();
    const Parcours p = parcours();
    Records records = lireRecords();
    const bool ancien = records.trouver(p) != nullptr;
    if (!records.proposer(p, Record{points, static_cast<int>(tempsActuel3 - tempsPrecedent3)})) return;
    if (ancien) texteRecord = "Nouveau record";
    if (!ecrireFichierAtomique(kFichierRecords, texteRecords(records)))
        messageRecord = "Record non enregistre : ecriture impossible";
    const std::string nom = nomFantomeRecord(p);
    if (!m.m_fantome || nom.empty()) return;
    if (garderFantomeRecord(nom))
        courseARecharger = true;
    else
        messageRecord = "Fantome du record non enregistre";
}

// Over the end-of-level line, and under the menu's own warning.
void Partie::textesRecord() {
    if (!texteRecord.empty()) {
        glColor3ub(255, 210, 90);
        imprimer(texteRecord, -1, 0.3);
        glColor3ub(255, 255, 255);
    }
    if (!messageRecord.empty()) imprimer(messageRecord, -1, -0.6);
}
