// SPDX-License-Identifier: GPL-3.0-or-later
// The finish: the end-of-level menu, the closing fade, the progress update and
// the online score.

#include "fichiers.h"
#include "navigateur.h"
#include "partie.h"
#include "progression.h"
#include "score.h"
#include "systeme.h"
#include "texte.h"
#include "textes_partie.h"
#include "traduction.h"

// The end-of-level menu acts when Return is pressed.
void Partie::appuiEntree() {
    Heros& b = balle();
    m.m_son.jouerPreSon("bouton", -1);
    switch (choixSend) {
        case 0:  // "Niveau suivant"
            b.setSX(0); b.setSY(0); b.setSZ(0);
            sys::keyRepeat(10, 10);
            finpartie = true;
            ecrireEnvoyer = false;
            niveau = 99;
            m.m_suivant = true;
            break;
        case 1:  // "Recommencer"
            recommencerFinDeNiveau();
            break;
        case 2:  // "Envoyer son score en ligne"
            if (m.m_scenario && !m.sendScoreOnline(score)) messageRecord = tr("Navigateur introuvable");
            break;
        case 3:  // "Enregistrer le fantome"
            renameghost = true;
            fantomeVerifier();
            break;
        case 4:  // "Menu principal"
            if (ecrireEnvoyer) {
                b.setSX(0); b.setSY(0); b.setSZ(0);
                sys::keyRepeat(10, 10);
                finpartie = true;
                ecrireEnvoyer = false;
                niveau = 99;
            }
            break;
    }
}

void Partie::recommencerFinDeNiveau() {
    Heros& b = balle();
    b.setSX(0); b.setSY(0); b.setSZ(0);
    b.setX(m.m_x_depart);
    b.setY(m.m_y_depart);
    b.setZ(m.m_z_depart);
    b.setPause(false);
    sys::keyRepeat(10, 10);
    recommencerCommun();
    points = points_depart;
    if (m.m_fantome) fantomeRecommencer();
    b.win(false);
    ecrireEnvoyer = false;
    finpartie = false;
    FSOUND_SetPaused(1, 0);
}

// Each frame after the finish: the menu opens on the first one; once the
// player has left it, the scene fades out and the run ends.
void Partie::finDeNiveau() {
    if (!finpartie) {
        if (!ecrireEnvoyer) {
            noterRecord();
            majProgression();
        }
        FSOUND_SetPaused(1, 1);
        sys::keyRepeat(400, 200);
        ecrireEnvoyer = true;
        return;
    }
    mort.setF(true);
    if (mort.getR() > 4) {
        mort.fR(-5);
        mort.fG(-5);
        mort.fB(-5);
    } else {
        continuer = 0;
        balle().win(false);
    }
}

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
    imprimer(texteFinNiveau(points, static_cast<int>(tempsActuel3 - tempsPrecedent3)), -1, 0.2);
    for (int i = 0; i < 5; ++i) {
        if (choixSend == i) glColor3ubv(kSelection);
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
