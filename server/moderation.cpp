// SPDX-License-Identifier: GPL-3.0-or-later
#include "moderation.h"

#include <cstdio>
#include <ctime>
#include <exception>

#include "verificateur.h"

namespace {

// "2026-12-08T04:50:00Z vorna-scores: <what>", as the server's log lines are dated.
void dire(const std::string& quoi) {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    char date[32] = "";
    if (gmtime_r(&t, &tm)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
    std::fprintf(stderr, "%s vorna-scores: %s\n", date, quoi.c_str());
}

template <typename F>
int enSurete(F&& f) {
    try {
        return f();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorna-scores: %s\n", e.what());
        return 1;
    }
}

}  // namespace

int retirerEntree(Depot& depot, int64_t id) {
    return enSurete([&] {
        const Place p = depot.place(id);
        if (depot.retirer(id) == 0) return dire("no entry " + std::to_string(id) + " to remove"), 1;
        dire("removed entry " + std::to_string(id) + " (level " + std::to_string(p.niveau) + ", " +
             std::to_string(p.entree.points) + " points, name \"" + p.entree.nom + "\")");
        return 0;
    });
}

int retirerNom(Depot& depot, const std::string& nom) {
    return enSurete([&] {
        const int n = depot.retirerNom(nom);
        dire("removed " + std::to_string(n) + " entr" + (n == 1 ? "y" : "ies") + " named \"" + nom + "\"");
        return n > 0 ? 0 : 1;
    });
}

int retirerCarte(Depot& depot, int64_t id) {
    return enSurete([&] {
        Carte c;
        if (!depot.carte(id, c) || depot.retirerCarte(id) == 0)
            return dire("no map " + std::to_string(id) + " to remove"), 1;
        dire("removed map " + std::to_string(id) + " (\"" + c.titre + "\" by \"" + c.auteur + "\", " + c.empreinte +
             ", published from " + c.adresse + ") with its scores");
        return 0;
    });
}

BilanReverification reverifier(Depot& depot, const NiveauxConnus& niveaux, double secondesCpu) {
    Verificateur verificateur(1, 1, secondesCpu);
    BilanReverification b;
    depot.parcourirCourses([&](const CourseStockee& s) {
        const auto niveau = niveaux.parEmpreinte(s.empreinte);
        Course c;
        c.niveau = s.niveau;
        c.empreinte = s.empreinte;
        c.points = s.points;
        c.chrono = s.chrono;
        bool juste = false;
        if (!niveau || niveau->numero != s.niveau)
            ++b.niveauInconnu;
        else if (c.entrees.lire(s.entrees, kPasCourseMax))
            juste = verificateur.verifier(c, *niveau).verdict == Verification::Verifiee;
        if (niveau && niveau->numero == s.niveau) ++(juste ? b.verifiees : b.refusees);
        if (juste != s.verifie) {
            depot.marquerCourse(s.id, juste);
            dire("run " + std::to_string(s.id) + (juste ? " verified again: ranked" : " no longer verified: unranked"));
        }
    });
    return b;
}

int reverifierEtDire(Depot& depot, const NiveauxConnus& niveaux, double secondesCpu) {
    return enSurete([&] {
        const BilanReverification b = reverifier(depot, niveaux, secondesCpu);
        dire("reverified: " + std::to_string(b.verifiees) + " runs verified, " + std::to_string(b.refusees) +
             " refused, " + std::to_string(b.niveauInconnu) + " on a level not known here (unranked)");
        return 0;
    });
}
