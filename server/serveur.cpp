// SPDX-License-Identifier: GPL-3.0-or-later
#include "serveur.h"

#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <ctime>

#include "jeton.h"
#include "nom_joueur.h"
#include "pages.h"
#include "requete_score.h"
#include "scenarios.h"

namespace {

const int64_t kJour = 24 * 60 * 60;
const int kTaillePage = 100;
const char* const kHtml = "text/html; charset=utf-8";

int64_t maintenant() { return static_cast<int64_t>(std::time(nullptr)); }
double secondes() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void erreur(httplib::Response& res, int statut, const std::string& titre, const std::string& message) {
    res.status = statut;
    res.set_content(pageErreur(titre, message), kHtml);
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

void journal(const std::string& adresse, const httplib::Request& req, const httplib::Response& res) {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    char date[32] = "";
    if (gmtime_r(&t, &tm)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
    // A request refused before it was read (too long a line) has no address nor method.
    const auto ouTiret = [](const std::string& s) { return s.empty() ? std::string("-") : cibleLisible(s); };
    std::fprintf(stderr, "%s %s %s %s %d %zu\n", date, ouTiret(adresse).c_str(), ouTiret(req.method).c_str(),
                 ouTiret(req.target).c_str(), res.status, res.body.size());
}

}  // namespace

ServeurScores::ServeurScores(Depot& depot, ReglagesServeur reglages)
    : m_depot(depot), m_reglages(std::move(reglages)), m_limiteScores(m_reglages.limiteParMinute),
      m_limiteNoms(m_reglages.limiteParMinute) {
    using namespace httplib;
    // Enough threads for many slow clients; each connection holds one.
    m_http.new_task_queue = [] { return new ThreadPool(32); };
    m_http.set_socket_options([this](socket_t prise) {
        int oui = 1;
        setsockopt(prise, SOL_SOCKET, SO_REUSEADDR, &oui, sizeof oui);
        m_prise = prise;
    });
    // Headers and body leave in separate writes: no waiting for the delayed ACK.
    m_http.set_tcp_nodelay(true);
    m_http.set_payload_max_length(4096).set_keep_alive_timeout(2).set_read_timeout(5).set_write_timeout(5);
    m_http.set_default_headers({{"Content-Security-Policy", "default-src 'none'; img-src 'self'; "
                                 "style-src 'unsafe-inline'; form-action 'self'; frame-ancestors 'none'"},
                                {"X-Content-Type-Options", "nosniff"}, {"Referrer-Policy", "same-origin"}});
    m_http.Get("/", [this](const Request&, Response& res) { accueil(res); });
    m_http.Get("/writescorevorna.php", [this](const Request& req, Response& res) { scoreDuJeu(req, res); });
    m_http.Post("/nommer", [this](const Request& req, Response& res) { nommer(req, res); });
    m_http.Get(R"(/niveau/(\d{1,6}))", [this](const Request& req, Response& res) { niveau(req, res, false); });
    m_http.Get(R"(/niveau/(\d{1,6})\.json)", [this](const Request& req, Response& res) { niveau(req, res, true); });
    m_http.Get("/logo.jpg", [this](const Request&, Response& res) {
        if (m_reglages.logo.empty()) return erreur(res, 404, "Page introuvable", "Pas de logo ici.");
        res.set_header("Cache-Control", "max-age=86400");
        res.set_content(m_reglages.logo, "image/jpeg");
    });
    m_http.set_error_handler(Server::HandlerWithResponse([](const Request&, Response& res) {
        if (!res.body.empty()) return Server::HandlerResponse::Unhandled;
        if (res.status == 404) erreur(res, 404, "Page introuvable", "Il n'y a rien à cette adresse.");
        else if (res.status == 413 || res.status == 414 || res.status == 431)
            erreur(res, res.status, "Requête trop grande", "Cette requête dépasse la taille permise.");
        else
            erreur(res, res.status, "Requête refusée", "Ce serveur ne comprend pas cette requête.");
        return Server::HandlerResponse::Handled;
    }));
    m_http.set_exception_handler([](const Request&, Response& res, std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            std::fprintf(stderr, "vorna-scores: %s\n", x.what());
        }
        erreur(res, 500, "Erreur du serveur", "Les scores ne sont pas joignables ; réessayez plus tard.");
    });
    m_http.set_logger([this](const Request& req, const Response& res) { journal(adresse(req), req, res); });
}

int ServeurScores::lier(const std::string& adresse, int port) {
    const int lie = port == 0 ? m_http.bind_to_any_port(adresse) : m_http.bind_to_port(adresse, port) ? port : -1;
    // The library queues 5 connections only: a burst of clients would see
    // their connections dropped and retried a second later.
    if (lie > 0) ::listen(m_prise, SOMAXCONN);
    return lie;
}

bool ServeurScores::servir() { return m_http.listen_after_bind(); }

std::string ServeurScores::adresse(const httplib::Request& req) const {
    if (!m_reglages.derriereProxy || !req.has_header("X-Forwarded-For")) return req.remote_addr;
    // The proxy appends the address it saw; what comes before is the client's say.
    const std::string chaine = req.get_header_value("X-Forwarded-For");
    std::string a = chaine.substr(chaine.find_last_of(',') == std::string::npos ? 0 : chaine.find_last_of(',') + 1);
    a.erase(0, a.find_first_not_of(' '));
    a.erase(a.find_last_not_of(' ') + 1);
    return a.substr(0, 64);
}

void ServeurScores::purgerDeTempsEnTemps(int64_t t) {
    int64_t derniere = m_dernierePurge.load();
    if (t - derniere >= 60 && m_dernierePurge.compare_exchange_strong(derniere, t)) m_depot.purger(t - kJour);
}

void ServeurScores::scoreDuJeu(const httplib::Request& req, httplib::Response& res) {
    if (!m_limiteScores.accepter(adresse(req), secondes())) {
        res.set_header("Retry-After", "60");
        return erreur(res, 429, "Trop de scores", "Cette adresse a envoyé trop de scores : " +
                      std::to_string(m_reglages.limiteParMinute) + " par minute au plus. Réessayez dans une minute.");
    }
    ScoreRecu s;
    const std::string faute = lireScore(req.params, s);
    if (!faute.empty()) return erreur(res, 400, "Lien de score refusé", faute);
    const int64_t t = maintenant();
    purgerDeTempsEnTemps(t);
    const std::string jeton = nouveauJeton();
    m_depot.garderEnAttente(jeton, s.niveau, s.points, t);
    res.set_header("Cache-Control", "no-store");
    res.set_content(pageFormulaire(s.niveau, s.points, jeton), kHtml);
}

void ServeurScores::nommer(const httplib::Request& req, httplib::Response& res) {
    if (!m_limiteNoms.accepter(adresse(req), secondes())) {
        res.set_header("Retry-After", "60");
        return erreur(res, 429, "Trop de noms", "Cette adresse a envoyé trop de noms. Réessayez dans une minute.");
    }
    if (req.get_param_value_count("jeton") != 1 || req.get_param_value_count("nom") != 1 ||
        !formeDeJeton(req.get_param_value("jeton")))
        return erreur(res, 400, "Formulaire refusé", "Ce formulaire ne vient pas de ce serveur.");
    std::string faute;
    const std::string nom = nettoyerNom(req.get_param_value("nom"), faute);
    if (nom.empty())
        return erreur(res, 400, "Nom refusé", faute + " Revenez à la page précédente pour en choisir un autre.");
    const Nommage n = m_depot.nommer(req.get_param_value("jeton"), nom, maintenant() - kJour);
    if (n.etat == Nommage::Inconnu)
        return erreur(res, 410, "Score expiré",
                      "Ce score n'attend plus de nom : il a plus de 24 heures ou n'a jamais été reçu.");
    res.set_redirect("/niveau/" + std::to_string(n.niveau) + "?nouveau=" + std::to_string(n.id) + "#nouveau", 303);
}

void ServeurScores::niveau(const httplib::Request& req, httplib::Response& res, bool enJson) {
    const int n = std::stoi(req.matches[1].str());
    if (!niveauScenario(static_cast<unsigned>(n)))
        return erreur(res, 404, "Niveau inconnu", "Les niveaux vont de 1 à 14.");
    const std::vector<Entree> liste = m_depot.classement(n, kTaillePage);
    if (enJson) return res.set_content(jsonNiveau(n, liste), "application/json");
    Place nouveau;
    const std::string id = req.get_param_value("nouveau");
    if (!id.empty() && id.size() < 19 && id.find_first_not_of("0123456789") == std::string::npos)
        nouveau = m_depot.place(std::stoll(id));
    if (nouveau.niveau != n) nouveau = Place();
    res.set_content(pageNiveau(n, liste, nouveau.entree, nouveau.rang), kHtml);
}

void ServeurScores::accueil(httplib::Response& res) {
    std::vector<Entree> meilleurs;
    for (unsigned n = 1; n <= kNombreScenarios; ++n) {
        const std::vector<Entree> premier = m_depot.classement(static_cast<int>(n), 1);
        meilleurs.push_back(premier.empty() ? Entree() : premier[0]);
    }
    res.set_content(pageAccueil(meilleurs), kHtml);
}
