// SPDX-License-Identifier: GPL-3.0-or-later
// The finish: the end-of-level menu's texts, the progress update and the
// run sent to the score server (the menu's rules are the run's, in the
// Simulation).

#include "fichiers.h"
#include "navigateur.h"
#include "partie.h"
#include "progression.h"
#include "score.h"
#include "series.h"
#include "texte.h"
#include "textes_partie.h"
#include "traduction.h"

// At the finish of the highest unlocked scenario level (whatever the
// player chooses next): the next level opens, in memory whatever becomes of
// the file.
void Partie::majProgression() {
    PlaceSerie& serie = m.m_serie;
    if (!serie.nom.empty()) {  // a level of a set: the set's own progress
        if (serie.niveau != serie.ouvert || serie.niveau >= serie.taille) return;
        preparerDossiersSeries();
        unsigned int ouvert = 0;
        Lecture lu;
        annoncerProgression(debloquerNiveau(serie.niveau + 1, ouvert, &lu, cheminProgressionSerie(serie.nom)), lu);
        serie.ouvert = ouvert;
        return;
    }
    if (!m.m_scenario || m.m_mapScenario != m.m_niveauMax || m.m_mapScenario >= m.m_mapsMax) return;
    unsigned int ouvert = 0;
    Lecture lu;
    const Maj maj = debloquerNiveau(m.m_mapScenario + 1, ouvert, &lu);
    m.m_niveauMax = ouvert;
    annoncerProgression(maj, lu);
}

// What the screen says of a progress file not written, or not yet.
void Partie::annoncerProgression(Maj maj, const Lecture& lu) {
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
    for (const std::string* t : {&messageEnvoi, &messageFantome, &messageRecord, &messageProgression}) {
        if (!t->empty()) imprimer(*t, -1, y);
        y -= 0.1 * lignesTexte(*t, glyphesParLigne(m.m_hauteur)).size();
    }
    textesRecord();
}

// The run as it reached the finish: its inputs from the level's loading to
// this step, its points and its chronometer in steps.
void Partie::noterCourse() {
    Course c;
    c.niveau = m.m_scenario ? static_cast<int>(m.m_mapScenario) : 0;
    c.empreinte = empreinteNiveau;
    c.points = sim->score();
    c.chrono = sim->pasChrono();
    c.entrees = sim->journal();
    courseFinie = c;
    m.m_derniereCourse = std::move(c);
}

// "Envoyer son score en ligne": one run on its way at a time; the run and
// the record stay kept here whatever the server says.
void Partie::envoyerCourse() {
    if (!courseFinie || envoi.enCours()) return;
    if (courseFinie->entrees.pas() > kPasCourseMax) {
        messageEnvoi = tr("Course trop longue pour le serveur");
        return;
    }
    if (envoi.envoyer(*courseFinie)) messageEnvoi = tr("Envoi du score...");
}

// At each frame: the server's answer once it came.
void Partie::suivreEnvoi() {
    ReponseCourse r;
    if (!envoi.suivre(r)) return;
    messageEnvoi = texteReponseCourse(r);
    // A failure: the screen's line on standard error too, with its cause.
    if (r.issue == ReponseCourse::Injoignable)
        std::fprintf(stderr, "vorna: %s (%s: %s)\n", messageEnvoi.c_str(), serveurScore().c_str(), r.raison.c_str());
    if (r.issue == ReponseCourse::Refusee)
        std::fprintf(stderr, "vorna: %s (refused: %s)\n", messageEnvoi.c_str(), r.mot.c_str());
    if (r.issue != ReponseCourse::Verifiee) return;
    // The player names the run on the server's page.
    const std::string url = racineServeur() + r.nom;
    std::printf("url:%s\n", url.c_str());
    std::fflush(stdout);
    if (!ouvrirUrl(url)) messageRecord = tr("Navigateur introuvable");
}
