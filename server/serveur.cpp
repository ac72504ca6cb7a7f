// SPDX-License-Identifier: GPL-3.0-or-later
#include "serveur.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <regex>

#include "enveloppe_carte.h"
#include "jeton.h"
#include "nom_joueur.h"
#include "pages.h"
#include "requete_score.h"
#include "scenarios.h"
#include "textes_pages.h"

namespace {

const int64_t kJour = 24 * 60 * 60;
const int kTaillePage = 100;
const int kPagesMax = 100000;
const char* const kHtml = "text/html; charset=utf-8";
const size_t kCorpsCourseMax = 2u << 20;  // a run of two hours holds far less

int64_t maintenant() { return static_cast<int64_t>(std::time(nullptr)); }
double secondes() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The request line as logged: bytes outside printable ASCII as %XX, cut at 200.
std::string cibleLisible(const std::string& cible) {
    std::string s;
    for (size_t i = 0; i < cible.size() && i < 200; ++i) {
        const auto c = static_cast<unsigned char>(cible[i]);
        if (c > 0x20 && c < 0x7F) {
            s += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            s += hex;
        }
    }
    return cible.size() > 200 ? s + "..." : s;
}

void journal(const std::string& adresse, const Demande& req, const Reponse& res) {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    char date[32] = "";
    if (gmtime_r(&t, &tm)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
    // A request refused before its headers were whole has no method nor target.
    const auto ouTiret = [](const std::string& s) { return s.empty() ? std::string("-") : cibleLisible(s); };
    std::fprintf(stderr, "%s %s %s %s %d %zu\n", date, ouTiret(adresse).c_str(), ouTiret(req.methode).c_str(),
                 ouTiret(req.cible).c_str(), res.statut, res.corps.size());
}

}  // namespace

ServeurScores::ServeurScores(Depot& depot, ReglagesServeur reglages)
    : m_depot(depot), m_reglages(std::move(reglages)), m_limiteScores(m_reglages.limiteParMinute),
      m_limiteNoms(m_reglages.limiteParMinute), m_limiteCourses(m_reglages.limiteParMinute),
      m_limiteCartes(m_reglages.limiteParMinute),
      m_niveaux(m_reglages.niveaux ? m_reglages.niveaux : std::make_shared<NiveauxConnus>()),
      m_verificateur(m_reglages.filsVerification, 64, m_reglages.secondesCpuCourse),
      m_http(
          [this] {
              ReglagesHttp h = m_reglages.http;
              // Behind a proxy every client comes from its address: the proxy caps them.
              if (m_reglages.derriereProxy) h.connexionsParAdresse = 0;
              h.corpsMaxParChemin.emplace_back("/course", kCorpsCourseMax);
              h.corpsMaxParChemin.emplace_back("/carte", kCorpsCarteMax);
              return h;
          }(),
          [this](const Demande& d, Repondre r) { traiter(d, std::move(r)); },
          [this](int statut) {
              if (statut == 413 || statut == 431)
                  return erreur(statut, textePage("Requête trop grande"), textePage("Cette requête dépasse la taille permise."));
              return erreur(statut, textePage("Requête refusée"), textePage("Ce serveur ne comprend pas cette requête."));
          },
          [this](const Demande& d, const Reponse& r) { journal(adresse(d), d, r); },
          {{"Content-Security-Policy", "default-src 'none'; img-src 'self'; "
                                       "style-src 'unsafe-inline'; form-action 'self'; frame-ancestors 'none'"},
           {"X-Content-Type-Options", "nosniff"}, {"Referrer-Policy", "same-origin"}}) {
    if (!m_reglages.textes) m_reglages.textes = std::make_shared<TextesPages>();
    chargerCartes();
}

int ServeurScores::lier(const std::string& adresse, int port) { return m_http.lier(adresse, port); }

Reponse ServeurScores::erreur(int statut, const std::string& titre, const std::string& message) const {
    Reponse r;
    r.statut = statut;
    r.type = kHtml;
    r.corps = pageErreur(titre, message, !m_reglages.logo.empty());
    return r;
}

void ServeurScores::traiter(const Demande& d, Repondre repondre) {
    // The pages in the visitor's language, said with the answer.
    const std::string langue = m_reglages.textes->langueVisiteur(d.entete("Accept-Language"));
    const LanguePages enLangue(*m_reglages.textes, langue);
    repondre = [repondre, langue](Reponse r) {
        r.entete("Content-Language", langue);
        r.entete("Vary", "Accept-Language");
        repondre(std::move(r));
    };
    static const std::regex kNiveau(R"(/niveau/(\d{1,6})(\.json)?)");
    std::smatch m;
    const bool get = d.methode == "GET";
    if (get && d.chemin == "/logo.jpg") {
        if (m_reglages.logo.empty()) return repondre(erreur(404, textePage("Page introuvable"), textePage("Pas de logo ici.")));
        Reponse r;
        r.entete("Cache-Control", "max-age=86400");
        r.type = "image/jpeg";
        r.corps = m_reglages.logo;
        return repondre(std::move(r));
    }
    if (traiterCourses(d, repondre) || traiterCartes(d, repondre)) return;
    if (get && d.chemin == "/") return avecDepot(repondre, [this](Reponse& r) { accueil(r); });
    if (get && d.chemin == "/writescorevorna.php")
        return avecDepot(repondre, [this, d](Reponse& r) { scoreDuJeu(d, r); });
    if (d.methode == "POST" && d.chemin == "/nommer")
        return avecDepot(repondre, [this, d](Reponse& r) { nommer(d, r); });
    if (get && std::regex_match(d.chemin, m, kNiveau)) {
        const int n = std::stoi(m[1].str());
        const bool enJson = m[2].matched;
        return avecDepot(repondre, [this, d, n, enJson](Reponse& r) { niveau(d, r, n, enJson); });
    }
    repondre(erreur(404, textePage("Page introuvable"), textePage("Il n'y a rien à cette adresse.")));
}

void ServeurScores::avecDepot(Repondre repondre, std::function<void(Reponse&)> page) {
    m_http.enFond([this, repondre, page, langue = languePages()] {
        const LanguePages enLangue(*m_reglages.textes, langue);
        Reponse r;
        try {
            page(r);
        } catch (const DepotIndisponible& x) {
            std::fprintf(stderr, "vorna-scores: %s\n", x.what());
            r = erreur(503, textePage("Scores indisponibles"),
                       textePage("Les scores ne sont pas joignables pour l'instant ; réessayez dans une minute."));
            r.entete("Retry-After", "60");
        } catch (const std::exception& x) {
            std::fprintf(stderr, "vorna-scores: %s\n", x.what());
            r = erreur(500, textePage("Erreur du serveur"), textePage("Les scores ne sont pas joignables ; réessayez plus tard."));
        }
        repondre(std::move(r));
    });
}

std::string ServeurScores::adresse(const Demande& req) const {
    if (!m_reglages.derriereProxy || !req.aEntete("X-Forwarded-For")) return req.adresse;
    // The proxy appends the address it saw; what comes before is the client's say.
    const std::string chaine = req.entete("X-Forwarded-For");
    std::string a = chaine.substr(chaine.find_last_of(',') == std::string::npos ? 0 : chaine.find_last_of(',') + 1);
    a.erase(0, a.find_first_not_of(' '));
    a.erase(a.find_last_not_of(' ') + 1);
    return a.substr(0, 64);
}

void ServeurScores::purgerDeTempsEnTemps(int64_t t) {
    int64_t derniere = m_dernierePurge.load();
    if (t - derniere >= 60 && m_dernierePurge.compare_exchange_strong(derniere, t)) m_depot.purger(t - kJour);
}

void ServeurScores::scoreDuJeu(const Demande& req, Reponse& res) {
    if (!m_limiteScores.accepter(adresse(req), secondes())) {
        res = erreur(429, textePage("Trop de scores"),
                     textePage("Cette adresse a envoyé trop de scores : %1 par minute au plus. Réessayez dans une minute.",
                               std::to_string(m_reglages.limiteParMinute)));
        return res.entete("Retry-After", "60");
    }
    ScoreRecu s;
    const std::string faute = lireScore(req.params, s);
    if (!faute.empty()) return void(res = erreur(400, textePage("Lien de score refusé"), faute));
    const int64_t t = maintenant();
    purgerDeTempsEnTemps(t);
    const std::string jeton = nouveauJeton();
    m_depot.garderEnAttente(jeton, s.niveau, s.points, t);
    res.entete("Cache-Control", "no-store");
    res.type = kHtml;
    res.corps = pageFormulaire(s.niveau, s.points, jeton, !m_reglages.logo.empty());
}

void ServeurScores::nommer(const Demande& req, Reponse& res) {
    if (!m_limiteNoms.accepter(adresse(req), secondes())) {
        res = erreur(429, textePage("Trop de noms"), textePage("Cette adresse a envoyé trop de noms. Réessayez dans une minute."));
        return res.entete("Retry-After", "60");
    }
    if (req.nombreDe("jeton") != 1 || req.nombreDe("nom") != 1 || !formeDeJeton(req.param("jeton")))
        return void(res = erreur(400, textePage("Formulaire refusé"), textePage("Ce formulaire ne vient pas de ce serveur.")));
    std::string faute;
    const std::string nom = nettoyerNom(req.param("nom"), faute);
    if (nom.empty())
        return void(res = erreur(400, textePage("Nom refusé"),
                                 // the reasons of a name refused are French only
                                 faute + " Revenez à la page précédente pour en choisir un autre."));
    const Nommage n = m_depot.nommer(req.param("jeton"), nom, maintenant() - kJour);
    if (n.etat == Nommage::Inconnu)
        return void(res = erreur(410, textePage("Score expiré"),
                                 textePage("Ce score n'attend plus de nom : il a plus de 24 heures ou n'a jamais été reçu.")));
    // To the page of the leaderboard that holds it.
    if (n.niveau == 0) return void((res.statut = 303, res.entete("Location", "/")));
    const int rang = m_depot.place(n.id).rang;
    const std::string page = rang > kTaillePage ? "page=" + std::to_string((rang - 1) / kTaillePage + 1) + "&" : "";
    res.statut = 303;
    res.entete("Location", "/niveau/" + std::to_string(n.niveau) + "?" + page + "nouveau=" + std::to_string(n.id) +
                               "#nouveau");
}

void ServeurScores::niveau(const Demande& req, Reponse& res, int n, bool enJson) {
    if (!niveauScenario(static_cast<unsigned>(n)))
        return void(res = erreur(404, textePage("Niveau inconnu"), textePage("Les niveaux vont de 1 à 14.")));
    const std::string p = req.param("page");
    const bool pageLisible = p.size() <= 6 && p.find_first_not_of("0123456789") == std::string::npos;
    const int page = p.empty() ? 1 : pageLisible ? std::atoi(p.c_str()) : 0;
    if (page < 1 || page > kPagesMax || req.nombreDe("page") > 1)
        return void(res = erreur(404, textePage("Page inconnue"),
                                 textePage("Les pages d'un classement vont de 1 à %1.", std::to_string(kPagesMax))));
    const int premier = (page - 1) * kTaillePage;
    std::vector<Entree> liste = m_depot.classement(n, kTaillePage + 1, premier);
    const bool suite = liste.size() > static_cast<size_t>(kTaillePage);
    if (suite) liste.pop_back();
    const Tranche t{n, page, premier + 1, suite};
    res.type = enJson ? "application/json" : kHtml;
    if (enJson) return void(res.corps = jsonNiveau(t, liste));
    Place nouveau;
    const std::string id = req.param("nouveau");
    if (!id.empty() && id.size() < 19 && id.find_first_not_of("0123456789") == std::string::npos)
        nouveau = m_depot.place(std::stoll(id));
    if (nouveau.niveau != n || nouveau.entree.nom.empty()) nouveau = Place();
    res.corps = pageNiveau(t, liste, nouveau.entree, nouveau.rang, !m_reglages.logo.empty());
}

void ServeurScores::accueil(Reponse& res) {
    std::vector<Entree> meilleurs;
    for (unsigned n = 1; n <= kNombreScenarios; ++n) {
        const std::vector<Entree> premier = m_depot.classement(static_cast<int>(n), 1, 0);
        meilleurs.push_back(premier.empty() ? Entree() : premier[0]);
    }
    res.type = kHtml;
    res.corps = pageAccueil(meilleurs, !m_reglages.logo.empty());
}
