// SPDX-License-Identifier: GPL-3.0-or-later
#include <boost/beast/http.hpp>
#include <boost/optional.hpp>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "http_etat.h"

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

const size_t kViderAuPlus = 4 << 20;         // what a refused client may still send before the close
const auto kDelaiVider = std::chrono::seconds(2);

bool fauteDeForme(const beast::error_code& ec) {
    static const auto& http = beast::http::make_error_code(beast::http::error::bad_target).category();
    return &ec.category() == &http && ec != beast::http::error::end_of_stream &&
           ec != beast::http::error::partial_message;
}

}  // namespace

struct Connexion::Detail {
    beast::flat_buffer tampon;
    boost::optional<http::request_parser<http::string_body>> analyseur;
    unsigned version = 11;
    bool garder = false, tete = false;
};

Connexion::Connexion(net::ip::tcp::socket prise, std::shared_ptr<ServeurHttp::Etat> etat, std::string adresse)
    : m_d(std::make_unique<Detail>()), m_flux(std::move(prise)), m_etat(std::move(etat)), m_adresse(std::move(adresse)) {}

Connexion::~Connexion() { m_etat->quitter(this, m_adresse); }

void Connexion::demarrer() {
    {
        std::lock_guard<std::mutex> verrou(m_etat->mutex);
        m_etat->connexions.insert(this);
    }
    net::dispatch(m_flux.get_executor(), [soi = shared_from_this()] { soi->lire(); });
}

void Connexion::arreter() {
    // Between two requests of a kept-alive connection: nothing was asked yet.
    if (m_servie && !m_enCours && !m_fermee && !(m_d->analyseur && m_d->analyseur->got_some())) fermer(false);
}

void Connexion::couper() {
    beast::error_code e;
    m_flux.socket().close(e);
}

void Connexion::lire() {
    if (m_servie && m_etat->arrete()) return fermer(false);
    m_d->analyseur.emplace();
    m_d->analyseur->header_limit(static_cast<std::uint32_t>(m_etat->reglages.entetesMax));
    // The parser checks a Content-Length against its bound as soon as it reads
    // the header: it starts from the largest bound, lowered to the path's once
    // the path is known.
    size_t plusGrand = m_etat->reglages.corpsMax;
    for (const auto& c : m_etat->reglages.corpsMaxParChemin) plusGrand = std::max(plusGrand, c.second);
    m_d->analyseur->body_limit(plusGrand);
    // One deadline for the whole request, headers and body: a client that
    // trickles its bytes is cut like one that sends nothing.
    m_flux.expires_after(m_etat->reglages.delaiRequete);
    http::async_read_header(m_flux, m_d->tampon, *m_d->analyseur,
                            [soi = shared_from_this()](beast::error_code ec, size_t) { soi->enTete(ec); });
}

void Connexion::enTete(beast::error_code ec) {
    if (m_fermee) return;
    if (ec) return lu(ec);
    // The body's bound is the path's, when it has one of its own.
    const auto cible = m_d->analyseur->get().target();
    const auto chemin = cible.substr(0, cible.find('?'));
    size_t limite = m_etat->reglages.corpsMax;
    for (const auto& c : m_etat->reglages.corpsMaxParChemin)
        if (chemin == c.first) limite = c.second;
    const auto longueur = m_d->analyseur->content_length();
    if (longueur && *longueur > limite) return refuser(413);
    m_d->analyseur->body_limit(limite);
    http::async_read(m_flux, m_d->tampon, *m_d->analyseur,
                     [soi = shared_from_this()](beast::error_code ec, size_t) { soi->lu(ec); });
}

void Connexion::lu(beast::error_code ec) {
    if (m_fermee) return;
    if (ec == http::error::header_limit) return refuser(431);
    if (ec == http::error::body_limit) return refuser(413);
    if (fauteDeForme(ec)) return refuser(400);  // two different Content-Length among them
    if (ec) return fermer(false);               // gone, or too slow
    traiter();
}

void Connexion::traiter() {
    auto& r = m_d->analyseur->get();
    Demande& d = m_demande;
    d = Demande();
    d.methode = std::string(r.method_string());
    d.cible = std::string(r.target());
    const size_t q = d.cible.find('?');
    d.chemin = decoderUrl(d.cible.substr(0, q), false);
    if (q != std::string::npos) lireParametres(d.cible.substr(q + 1), d.params);
    for (const auto& champ : r) d.entetes.emplace_back(std::string(champ.name_string()), std::string(champ.value()));
    d.corps = std::move(r.body());
    if (d.entete("Content-Type").rfind("application/x-www-form-urlencoded", 0) == 0) lireParametres(d.corps, d.params);
    d.adresse = m_adresse;
    m_d->version = r.version();
    m_d->garder = r.keep_alive();
    m_d->tete = r.method() == http::verb::head;
    if (m_d->tete) d.methode = "GET";  // answered as a GET, without the body
    m_enCours = true;
    auto fait = std::make_shared<std::atomic<bool>>(false);
    Repondre repondre = [soi = shared_from_this(), fait](Reponse rep) {
        if (fait->exchange(true)) return;
        net::post(soi->m_flux.get_executor(), [soi, rep = std::move(rep)]() mutable {
            soi->ecrire(std::move(rep), soi->m_d->garder, false);
        });
    };
    try {
        m_etat->traiter(d, repondre);
    } catch (const std::exception& x) {
        std::fprintf(stderr, "vorna-scores: %s\n", x.what());
        repondre(m_etat->erreur(500));
    }
}

void Connexion::refuser(int statut) {
    m_demande = Demande();
    m_demande.adresse = m_adresse;
    if (m_d->analyseur && m_d->analyseur->is_header_done()) {
        m_demande.methode = std::string(m_d->analyseur->get().method_string());
        m_demande.cible = std::string(m_d->analyseur->get().target());
    }
    m_d->tete = false;
    ecrire(m_etat->erreur(statut), false, true);
}

void Connexion::ecrire(Reponse r, bool garder, bool vider) {
    if (m_fermee) return;
    m_etat->journal(m_demande, r);
    auto rep = std::make_shared<http::response<http::string_body>>(static_cast<http::status>(r.statut), m_d->version);
    for (const auto& e : m_etat->entetesCommuns) rep->set(e.first, e.second);
    for (const auto& e : r.entetes) rep->set(e.first, e.second);
    rep->set(http::field::content_type, r.type);
    rep->body() = std::move(r.corps);
    rep->prepare_payload();
    if (m_d->tete) rep->body().clear();  // the length stays the GET's
    garder = garder && !m_etat->arrete();
    rep->keep_alive(garder);
    m_flux.expires_after(m_etat->reglages.delaiEcriture);
    http::async_write(m_flux, *rep, [soi = shared_from_this(), rep, garder, vider](beast::error_code ec, size_t) {
        soi->m_enCours = false;
        soi->m_servie = true;
        if (ec || !garder) return soi->fermer(vider && !ec);
        soi->lire();
    });
}

void Connexion::fermer(bool vider) {
    if (m_fermee) return;
    beast::error_code e;
    m_flux.socket().shutdown(net::ip::tcp::socket::shutdown_send, e);
    if (!vider) {
        m_fermee = true;
        m_flux.close();
        return;
    }
    m_flux.expires_after(kDelaiVider);
    viderPuisFermer(std::make_shared<std::vector<char>>(16384), 0);
}

void Connexion::viderPuisFermer(std::shared_ptr<std::vector<char>> tampon, size_t lus) {
    m_flux.async_read_some(net::buffer(*tampon), [soi = shared_from_this(), tampon, lus](beast::error_code ec, size_t n) {
        if (ec || lus + n > kViderAuPlus) return soi->fermer(false);
        soi->viderPuisFermer(tampon, lus + n);
    });
}
