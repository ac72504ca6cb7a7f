// SPDX-License-Identifier: GPL-3.0-or-later
// The maps players publish: received with a run of their author that
// finishes them, checked as the game reads them, kept once per content, and
// listed, shown and served back to download.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <regex>

#include "controle_carte.h"
#include "empreinte.h"
#include "enveloppe_carte.h"
#include "jeton.h"
#include "nom_joueur.h"
#include "pages_cartes.h"
#include "reponse_texte.h"
#include "serveur.h"

namespace {

const int64_t kJour = 24 * 60 * 60;
const int kCartesParPage = 50;
const int kPagesMax = 100000;

int64_t maintenant() { return static_cast<int64_t>(std::time(nullptr)); }
double secondes() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Reponse illisible(const std::string& phrase) { return refus(400, "illisible", phrase); }

// The page number of `?page=P` (1 when absent), 0 when it is not one.
int numeroPage(const Demande& d) {
    const std::string p = d.param("page");
    if (d.nombreDe("page") > 1) return 0;
    if (p.empty()) return 1;
    if (p.size() > 6 || p.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int n = std::atoi(p.c_str());
    return n <= kPagesMax ? n : 0;
}

}  // namespace

void ServeurScores::chargerCartes() {
    try {
        int n = 0;
        m_depot.parcourirCartes([&](const std::string& octets) { n += m_niveaux->ajouterCarte(octets) ? 1 : 0; });
        if (n > 0) std::fprintf(stderr, "vorna-scores: %d published maps verify their runs\n", n);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorna-scores: the published maps cannot be read (%s); their runs are refused\n",
                     e.what());
    }
}

bool ServeurScores::traiterCartes(const Demande& d, Repondre& repondre) {
    static const std::regex kListe(R"(/maps(\.json|\.txt)?)");
    static const std::regex kCarte(R"(/maps/(\d{1,15})(\.json|/carte\.txt|/apercu\.png)?)");
    std::smatch m;
    if (d.methode == "POST" && d.chemin == "/carte") return recevoirCarte(d, std::move(repondre)), true;
    if (d.methode != "GET") return false;
    if (std::regex_match(d.chemin, m, kListe)) {
        const std::string format = m[1].matched ? m[1].str().substr(1) : "html";
        return avecDepot(std::move(repondre), [this, d, format](Reponse& r) { listeCartes(d, r, format); }), true;
    }
    if (std::regex_match(d.chemin, m, kCarte)) {
        const int64_t id = std::stoll(m[1].str());
        const std::string quoi = m[2].matched ? m[2].str() : "";
        const std::string qui = adresse(d);
        return avecDepot(std::move(repondre), [this, id, quoi, qui](Reponse& r) { carte(r, id, quoi, qui); }), true;
    }
    return false;
}

void ServeurScores::recevoirCarte(const Demande& d, Repondre repondre) {
    const std::string qui = adresse(d);
    if (!m_limiteCartes.accepter(qui, secondes())) {
        Reponse r = refus(429, "trop-de-cartes", "Cette adresse a envoyé trop de cartes ; réessayez dans une minute.");
        r.entete("Retry-After", "60");
        return repondre(std::move(r));
    }
    EnveloppeCarte e;
    std::string pourquoi;
    const LectureEnveloppe lue = lireEnveloppe(d.corps, e, pourquoi);
    if (lue == LectureEnveloppe::TropGrosse)
        return repondre(refus(413, "trop-gros", "Cette carte est trop grosse : 256 Ko pour la carte et 64 Ko pour "
                                                "son aperçu au plus."));
    if (lue == LectureEnveloppe::Illisible)
        return repondre(illisible("Ce n'est pas une publication de carte que ce serveur sait lire (" + pourquoi + ")."));
    Carte carte;
    std::string faute;
    carte.titre = nettoyerTitre(e.titre, faute);
    if (carte.titre.empty()) return repondre(illisible(faute));
    carte.auteur = nettoyerNom(e.auteur, faute);
    if (carte.auteur.empty()) return repondre(illisible(faute));
    if (!e.apercu.empty() && !apercuValide(e.apercu))
        return repondre(illisible("L'aperçu n'est pas une image PNG d'au plus 512 × 512 pixels."));
    carte.octets = std::move(e.carte);
    carte.apercu = std::move(e.apercu);
    carte.aApercu = !carte.apercu.empty();
    carte.adresse = qui;
    // The map is read and its run played again on the verifying threads.
    auto travail = [this, carte, course = std::move(e.course), repondre]() mutable {
        std::string raison;
        if (!carteJouable(carte.octets, raison)) return repondre(refus(422, "carte-illisible", raison));
        const auto niveau = niveauCarte(carte.octets);
        carte.empreinte = niveau->empreinte;
        Course c;
        if (!decoderCourse(course, c, raison))
            return repondre(illisible("La course jointe n'est pas une course que ce serveur sait lire."));
        if (c.niveau != 0 || c.empreinte != carte.empreinte)
            return repondre(refus(422, "sans-arrivee", "La course jointe est celle d'une autre carte."));
        const Verification v = m_verificateur.verifier(c, *niveau);
        if (v.verdict != Verification::Verifiee) {
            std::fprintf(stderr, "vorna-scores: a map from %s refused, its run: %s\n", carte.adresse.c_str(),
                         v.pourquoi.c_str());
            return repondre(refus(422, "sans-arrivee", "Rejouée ici, la course jointe n'arrive pas au bout de cette "
                                                       "carte : jouez-la jusqu'à l'arrivée avant de la publier."));
        }
        const std::string auteur = carte.auteur;
        avecDepot(repondre, [this, carte, c, auteur](Reponse& r) { r = garderCarte(carte, c, auteur); });
    };
    if (!m_verificateur.soumettre(std::move(travail))) {
        Reponse r = refus(503, "occupe", "Trop de courses attendent d'être vérifiées ; réessayez dans une minute.");
        r.entete("Retry-After", "60");
        repondre(std::move(r));
    }
}

Reponse ServeurScores::garderCarte(const Carte& recue, const Course& c, const std::string& auteur) {
    Carte carte = recue;
    carte.date = maintenant();
    int64_t id = m_depot.idCarte(carte.empreinte);
    const bool existe = id != 0;
    if (!existe) {
        if (m_reglages.cartesParJour > 0 && m_depot.cartesDepuis(carte.adresse, carte.date - kJour) >= m_reglages.cartesParJour) {
            Reponse r = refus(429, "trop-de-cartes", "Cette adresse a déjà publié " +
                                                         std::to_string(m_reglages.cartesParJour) +
                                                         " cartes aujourd'hui ; réessayez demain.");
            r.entete("Retry-After", "3600");
            return r;
        }
        bool nouvelle = false;
        id = m_depot.publierCarte(carte, nouvelle);
        if (nouvelle)
            std::fprintf(stderr, "vorna-scores: map %lld published from %s\n", static_cast<long long>(id),
                         carte.adresse.c_str());
    }
    m_niveaux->ajouterCarte(carte.octets);
    // The author's run is the map's first record, under the author's name.
    CourseRecue course;
    course.empreinte = carte.empreinte;
    course.points = c.points;
    course.chrono = c.chrono;
    course.arrivee = static_cast<int64_t>(c.entrees.pas());
    course.entrees = c.entrees.texte();
    course.adresse = carte.adresse;
    course.date = carte.date;
    const CourseGardee g = m_depot.garderCourse(course, nouveauJeton());
    m_depot.nommer(g.jeton, auteur, carte.date - kJour);
    const std::string suite = "id " + std::to_string(id) + "\nadresse /maps/" + std::to_string(id) + "\n";
    return existe ? texte(409, "existe\n" + suite) : texte(201, "publiee\n" + suite);
}

void ServeurScores::listeCartes(const Demande& d, Reponse& r, const std::string& format) {
    const std::string tri = d.param("tri");
    const int page = numeroPage(d);
    if (d.nombreDe("tri") > 1 || (tri != "" && tri != "recent" && tri != "joues") || page < 1)
        return void(r = erreur(404, textePage("Page inconnue"), textePage("Il n'y a rien à cette adresse.")));
    PageCartes p;
    p.parParties = tri == "joues";
    p.page = page;
    p.total = m_depot.nombreCartes();
    p.pages = static_cast<int>(std::max<int64_t>(1, (p.total + kCartesParPage - 1) / kCartesParPage));
    for (Carte& c : m_depot.cartes(p.parParties, kCartesParPage, (page - 1) * kCartesParPage)) {
        const std::vector<Entree> premier = m_depot.classement(0, 1, 0, c.empreinte);
        p.cartes.push_back({std::move(c), premier.empty() ? Entree() : premier[0]});
    }
    if (format == "txt") return void(r = texte(200, texteCartes(p)));
    r.type = format == "json" ? "application/json" : "text/html; charset=utf-8";
    r.corps = format == "json" ? jsonCartes(p) : pageCartes(p, !m_reglages.logo.empty());
}

void ServeurScores::carte(Reponse& r, int64_t id, const std::string& quoi, const std::string& qui) {
    Carte c;
    if (!m_depot.carte(id, c))
        return void(r = erreur(404, textePage("Carte introuvable"), textePage("Il n'y a pas de carte à ce numéro.")));
    if (quoi == "/apercu.png") {
        if (!c.aApercu) return void(r = erreur(404, textePage("Pas d'aperçu"), textePage("Cette carte n'a pas d'aperçu.")));
        r.type = "image/png";
        r.entete("Cache-Control", "max-age=86400");
        return void(r.corps = std::move(c.apercu));
    }
    if (quoi == "/carte.txt") {
        const int64_t jour = maintenant() / kJour;
        bool compte = false;
        {
            std::lock_guard<std::mutex> verrou(m_mutexParties);
            if (jour != m_jourParties || m_parties.size() > 1000000) m_parties.clear(), m_jourParties = jour;
            compte = m_parties.insert(std::to_string(id) + " " + qui).second;
        }
        if (compte) m_depot.jouerCarte(id);
        r.type = "text/plain; charset=ISO-8859-1";
        // Its number names the file: never a title, which could hold a path.
        r.entete("Content-Disposition", "attachment; filename=\"carte-" + std::to_string(id) + ".txt\"");
        return void(r.corps = std::move(c.octets));
    }
    const std::vector<Entree> classement = m_depot.classement(0, 100, 0, c.empreinte);
    r.type = quoi == ".json" ? "application/json" : "text/html; charset=utf-8";
    r.corps = quoi == ".json" ? jsonCarte(c, classement) : pageCarte(c, classement, !m_reglages.logo.empty());
}
