// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification.h"

#include "lecture_niveau.h"
#include "texte_fantome.h"

namespace {

Verification refus(Verification v, Verification::Verdict verdict, const std::string& pourquoi) {
    v.verdict = verdict;
    v.pourquoi = pourquoi;
    return v;
}

}  // namespace

Simulation::Depart departCourse(int pointsScenario) {
    Simulation::Depart d;
    d.scenario = pointsScenario > 0;
    if (d.scenario) d.pointsDepart = pointsScenario;
    d.fantome = true;
    return d;
}

Verification verifierCourse(const Course& course, const std::string& octetsNiveau, const Simulation::Depart& depart,
                            size_t pasMax, const std::function<bool()>& continuer, size_t intervalle) {
    Verification v;
    ContenuNiveau contenu;
    if (!chargerNiveauOctets(octetsNiveau, ReglesNiveau(), contenu))
        return refus(std::move(v), Verification::NiveauIllisible, "the level holds no course");
    v.simulation = std::make_unique<Simulation>(balleDuNiveau(contenu), std::move(contenu.cubes),
                                                std::move(contenu.bonus), depart);
    const size_t n = course.entrees.pas();
    if (n > pasMax) return refus(std::move(v), Verification::TropLong, "more steps than a run may take");
    Simulation& sim = *v.simulation;
    Journal::Lecteur lecteur(course.entrees);
    EntreesPas entrees;
    for (size_t i = 0; lecteur.suivant(entrees); ++i) {
        if (continuer && intervalle > 0 && i % intervalle == 0 && i > 0 && !continuer())
            return refus(std::move(v), Verification::TropLong, "the replay took too long");
        if (sim.continuer() != 2) return refus(std::move(v), Verification::ResultatDifferent, "the run ended early");
        sim.pas(entrees);
        if (!sim.sorties().arrivee) continue;
        if (i + 1 != n)
            return refus(std::move(v), Verification::ResultatDifferent, "the finish is reached before the last step");
        if (sim.score() != course.points) return refus(std::move(v), Verification::ResultatDifferent, "other points");
        if (sim.pasChrono() != course.chrono)
            return refus(std::move(v), Verification::ResultatDifferent, "another chronometer");
        v.verdict = Verification::Verifiee;
        return v;
    }
    return refus(std::move(v), Verification::ResultatDifferent, "the finish is not reached");
}

std::string fantomeDeCourse(const Simulation& sim, const std::string& cheminNiveau) {
    if (!sim.complets()) return std::string();
    return texteFantome(cheminNiveau, sim.echantillons(), sim.debutChrono(), &sim.journal());
}
