// SPDX-License-Identifier: GPL-3.0-or-later
// The race against the level's best ghost: a translucent ball that follows
// the best run's positions step by step. It does not collide, sounds
// nothing and is not recorded; G hides or shows it.
//
// The best ghost starts with the last step of its start phase (the ball at
// the start), and its position n is where that run was after n steps of
// play. The race shows position n once this run has played n steps since
// it last (re)started: steps paused or in a start phase do not count, as
// they record nothing or only the start, while the player's falls do. After
// its last position the ball rests where that run finished.
//
// The ghost raced is the player's own best, or the world's: the best
// verified run the score server holds, fetched as the level starts and kept
// in the player's folder. Until it comes the one kept before is raced; once
// it comes it is raced at once, from the step the race is at.

#include <algorithm>
#include <cerrno>

#include "fichier_fantome.h"
#include "partie.h"
#include "scene.h"

void Partie::courseDemander() {
    if (!m.m_courseMondiale) return;
    mondial = std::make_unique<FantomeMondial>(m.m_scenario ? m.m_mapScenario : 0, empreinteNiveau);
    mondial->demander();
}

void Partie::courseSuivre() {
    if (mondial && mondial->suivre()) courseCharger();
}

void Partie::courseCharger() {
    course.clear();
    courseARecharger = false;
    const std::string nom = mondial ? mondial->fichier() : nomFantomeRecord(parcours());
    if (nom.empty()) return;
    FichierLu f = ouvrirLecture(nom);
    if (!f) {
        if (errno != ENOENT) signalerLecture(nom, "best ghost", errno);
        return;
    }
    LecteurFantome lecteur(std::move(f));
    std::string niveauLu;
    if (lecteur.lireEntete(niveauLu)) course = lecteur.positions(kEchantillonsMax);
}

bool Partie::positionCourse(double alpha, std::array<double, 3>& p) const {
    if (course.empty() || !m.m_course) return false;
    const size_t dernier = course.size() - 1;
    const std::array<float, 3>& a = course[std::min<size_t>(static_cast<size_t>(pasCoursePrecedent), dernier)];
    const std::array<float, 3>& b = course[std::min<size_t>(static_cast<size_t>(sim->pasCourse()), dernier)];
    // Started again: no sliding back to the start.
    if (alpha >= 1 || sim->pasCourse() < pasCoursePrecedent) alpha = 1;
    for (int i = 0; i < 3; ++i) p[i] = alpha >= 1 ? b[i] : a[i] + (b[i] - a[i]) * alpha;
    return true;
}

void Partie::courseDessiner(double alpha) {
    std::array<double, 3> p;
    if (!positionCourse(alpha, p)) return;
    const Heros& b = sim->balle();
    Heros fantome(p[0], p[1], p[2], 1, b.getLX(), b.getLY(), b.getLZ(), 0, 0, 0, b.getTexture());
    // Blue, its pattern in bluish white, half seen through, and darkened
    // with the scene.
    const int gris = std::min(sim->mort().getR(), 178);
    auto ton = [gris](int c) { return static_cast<GLubyte>(c * gris / 178); };
    const GLubyte teinte[4] = {ton(80), ton(120), ton(220), 128};
    const GLubyte clair[3] = {ton(220), ton(235), ton(255)};
    dessinerBalleTranslucide(fantome, teinte, clair);
}
