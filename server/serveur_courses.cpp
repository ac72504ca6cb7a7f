// SPDX-License-Identifier: GPL-3.0-or-later
// The runs: received, played again, kept, named, and served back as ghosts.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <regex>

#include "jeton.h"
#include "pages.h"
#include "reponse_texte.h"
#include "scenarios.h"
#include "serveur.h"

namespace {

const int64_t kJour = 24 * 60 * 60;
const size_t kFantomesGardes = 64;

int64_t maintenant() { return static_cast<int64_t>(std::time(nullptr)); }
double secondes() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Reponse refusDuVerdict(const Verification& v) {
    switch (v.verdict) {
    case Verification::TropLong:
        return refus(413, "trop-long", "Cette course est trop longue pour être vérifiée.");
    case Verification::NiveauIllisible:
        return refus(404, "niveau-inconnu", "Ce serveur ne connaît pas ce niveau.");
    default:
        return refus(422, "resultat-different",
                     "Rejouée ici, cette course n'arrive pas au même résultat : elle n'est pas classée.");
    }
}

}  // namespace

bool ServeurScores::traiterCourses(const Demande& d, Repondre& repondre) {
    static const std::regex kRecord(R"(/niveau/(\d{1,6})/record\.qzg)");
    static const std::regex kRecordCarte(R"(/map/([0-9a-f]{64})/record\.qzg)");
    std::smatch m;
    const bool get = d.methode == "GET";
    if (d.methode == "POST" && d.chemin == "/course") return recevoirCourse(d, std::move(repondre)), true;
    if (get && d.chemin == "/nom")
        return avecDepot(std::move(repondre), [this, d](Reponse& r) { formulaireCourse(d, r); }), true;
    if (get && d.chemin == "/records.txt")
        return avecDepot(std::move(repondre), [this](Reponse& r) { records(r); }), true;
    if (get && std::regex_match(d.chemin, m, kRecord)) {
        const int n = std::stoi(m[1].str());
        return avecDepot(std::move(repondre), [this, n](Reponse& r) { fantomeRecord(r, n, ""); }), true;
    }
    if (get && std::regex_match(d.chemin, m, kRecordCarte)) {
        const std::string carte = m[1].str();
        return avecDepot(std::move(repondre), [this, carte](Reponse& r) { fantomeRecord(r, 0, carte); }), true;
    }
    return false;
}

void ServeurScores::recevoirCourse(const Demande& d, Repondre repondre) {
    const std::string qui = adresse(d);
    if (!m_limiteCourses.accepter(qui, secondes())) {
        Reponse r = refus(429, "trop-de-courses", "Cette adresse a envoyé trop de courses : " +
                                                      std::to_string(m_reglages.limiteParMinute) +
                                                      " par minute au plus. Réessayez dans une minute.");
        r.entete("Retry-After", "60");
        return repondre(std::move(r));
    }
    auto travail = [this, corps = d.corps, qui, repondre]() {
        Course c;
        std::string pourquoi;
        if (!decoderCourse(corps, c, pourquoi)) {
            if (pourquoi == "run too long")
                return repondre(refus(413, "trop-long", "Cette course est trop longue pour être vérifiée."));
            return repondre(refus(400, "illisible", "Ce n'est pas une course que ce serveur sait lire."));
        }
        const auto niveau = m_niveaux->parEmpreinte(c.empreinte);
        if (!niveau || niveau->numero != c.niveau)
            return repondre(refus(404, "niveau-inconnu", "Ce serveur ne connaît pas ce niveau."));
        const Verification v = m_verificateur.verifier(c, *niveau);
        if (v.verdict != Verification::Verifiee) {
            std::fprintf(stderr, "vorna-scores: a run of %s from %s refused: %s\n", niveau->chemin.c_str(),
                         qui.c_str(), v.pourquoi.c_str());
            return repondre(refusDuVerdict(v));
        }
        // The store is written off these threads, with the pages.
        avecDepot(repondre, [this, c, niveau, qui](Reponse& r) { r = garderCourse(c, *niveau, qui); });
    };
    if (!m_verificateur.soumettre(std::move(travail))) {
        Reponse r = refus(503, "occupe", "Trop de courses attendent d'être vérifiées ; réessayez dans une minute.");
        r.entete("Retry-After", "60");
        repondre(std::move(r));
    }
}

Reponse ServeurScores::garderCourse(const Course& c, const NiveauConnu& niveau, const std::string& qui) {
    CourseRecue recue;
    recue.niveau = niveau.numero;
    recue.empreinte = c.empreinte;
    recue.points = c.points;
    recue.chrono = c.chrono;
    recue.arrivee = static_cast<int64_t>(c.entrees.pas());
    recue.entrees = c.entrees.texte();
    recue.adresse = qui;
    recue.date = maintenant();
    const CourseGardee g = m_depot.garderCourse(recue, nouveauJeton());
    const Place p = m_depot.place(g.id);
    return texte(200, "verifie\nid " + std::to_string(g.id) + "\nplace " + std::to_string(p.rang) +
                          "\nnom /nom?jeton=" + g.jeton + "\n");
}

void ServeurScores::formulaireCourse(const Demande& d, Reponse& r) {
    int niveau = 0, points = 0;
    if (d.nombreDe("jeton") != 1 || !formeDeJeton(d.param("jeton")) ||
        !m_depot.attente(d.param("jeton"), maintenant() - kJour, niveau, points))
        return void(r = erreur(410, textePage("Course sans nom à donner"),
                               textePage("Cette course n'attend pas de nom : elle est nommée, a plus de 24 heures, "
                                         "ou n'a jamais été reçue.")));
    r.entete("Cache-Control", "no-store");
    r.type = "text/html; charset=utf-8";
    r.corps = pageFormulaire(niveau, points, d.param("jeton"), !m_reglages.logo.empty());
}

void ServeurScores::fantomeRecord(Reponse& r, int numero, const std::string& carte) {
    const auto niveau = carte.empty() ? m_niveaux->parNumero(numero) : m_niveaux->parEmpreinte(carte);
    CourseStockee meilleure;
    if (!niveau || !m_depot.meilleureCourse(numero, carte, meilleure) || meilleure.empreinte != niveau->empreinte)
        return void(r = erreur(404, textePage("Pas de record"), textePage("Ce niveau n'a pas encore de course vérifiée.")));
    std::string fantome;
    {
        std::lock_guard<std::mutex> verrou(m_mutexFantomes);
        const auto i = m_fantomes.find(meilleure.id);
        if (i != m_fantomes.end()) fantome = i->second;
    }
    if (fantome.empty()) {
        Course c;
        c.niveau = meilleure.niveau;
        c.empreinte = meilleure.empreinte;
        c.points = meilleure.points;
        c.chrono = meilleure.chrono;
        if (!c.entrees.lire(meilleure.entrees, kPasCourseMax))
            return void(r = erreur(404, textePage("Pas de record"), textePage("Le record de ce niveau est illisible.")));
        const Verification v = m_verificateur.verifier(c, *niveau);
        if (v.verdict == Verification::Verifiee) fantome = fantomeDeCourse(*v.simulation, niveau->chemin);
        if (fantome.empty())
            return void(r = erreur(404, textePage("Pas de record"), textePage("Le record de ce niveau ne se rejoue plus.")));
        std::lock_guard<std::mutex> verrou(m_mutexFantomes);
        if (m_fantomes.size() >= kFantomesGardes) m_fantomes.clear();
        m_fantomes[meilleure.id] = fantome;
    }
    r.type = "application/octet-stream";
    r.entete("ETag", "\"" + std::to_string(meilleure.id) + "\"");
    r.corps = std::move(fantome);
}

void ServeurScores::records(Reponse& r) {
    std::string lignes;
    for (unsigned n = 1; n <= kNombreScenarios; ++n) {
        const std::vector<Entree> premier = m_depot.classement(static_cast<int>(n), 1, 0);
        if (premier.empty() || !premier[0].verifie) continue;
        const Entree& e = premier[0];
        lignes += std::to_string(n) + " " + std::to_string(e.points) + " " + std::to_string(e.chrono) + " " + e.nom + "\n";
    }
    r = texte(200, lignes);
}
