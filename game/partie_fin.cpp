// SPDX-License-Identifier: GPL-3.0-or-later
// The finish: the end-of-level menu's texts, the progress update and the
// online score (the menu's rules are the run's, in the Simulation).

#include "fichiers.h"
#include "navigateur.h"
#include "partie.h"
#include "progression.h"
#include "score.h"
#include "texte.h"
#include "textes_partie.h"
#include "traduction.h"

// At the finish of the highest unlocked scenario level (whatever the
// player chooses next): the next level opens, in memory whatever becomes of
// the file.
void Partie::majProgression() {
    if (!m.m_scenario || m.m_mapScenario != m.m_niveauMax || m.m_mapScenario >= m.m_mapsMax) return;
    unsigned int ouvert = 0;
    Lecture lu;
    const Maj maj = debloquerNiveau(m.m_mapScenario + 1, ouvert, &lu);
    m.m_niveauMax = ouvert;
    if (lu.premiereFois)
        messageProgression = tr(kProgressionIllisible);
    else if (maj == Maj::Echec)
        messageProgression = tr("Progression non enregistree");
    else if (maj == Maj::Attente)
        messageProgression = tr("Progression en attente : fichier verrouille");
}

void Partie::textesFin() {
    static const char* const kItems[5] = {aTraduire("Niveau suivant"), aTraduire("Recommencer"),
                                          aTraduire("Envoyer son score en ligne"),
                                          aTraduire("Enregistrer le fantome"), aTraduire("Menu principal")};
    imprimer(texteFinNiveau(sim->points(), sim->chrono()), -1, 0.2);
    for (int i = 0; i < 5; ++i) {
        if (sim->choixSend() == i) glColor3ubv(kSelection);
        imprimer(tr(kItems[i]), -1, 0.1 - 0.1 * i);
        glColor3ub(255, 255, 255);
    }
    // The warnings, one under the other.
    double y = -0.5;
    for (const std::string* t : {&messageFantome, &messageRecord, &messageProgression}) {
        if (!t->empty()) imprimer(*t, -1, y);
        y -= 0.1 * lignesTexte(*t, glyphesParLigne(m.m_hauteur)).size();
    }
    textesRecord();
}

bool Jeu::sendScoreOnline(int score) {
    const std::string url = urlScore(score, m_mapScenario);
    const bool ouvert = ouvrirUrl(url);
    std::printf("url:%s\n", url.c_str());
    std::fflush(stdout);
    return ouvert;
}
