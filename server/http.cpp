// SPDX-License-Identifier: GPL-3.0-or-later
#include "http.h"

#include <cerrno>
#include <thread>

#include "http_etat.h"

namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace {

// The peer's address; an IPv4 client of a dual-stack socket as plain IPv4.
std::string adresseDe(const tcp::socket& prise) {
    boost::system::error_code e;
    const tcp::endpoint pair = prise.remote_endpoint(e);
    if (e) return "";
    net::ip::address a = pair.address();
    if (a.is_v6() && a.to_v6().is_v4_mapped()) a = net::ip::make_address_v4(net::ip::v4_mapped, a.to_v6());
    return a.to_string();
}

}  // namespace

ServeurHttp::Etat::Etat(ReglagesHttp r, Traiter t, PageErreur e, Journal j,
                        std::vector<std::pair<std::string, std::string>> communs)
    : reglages(r), traiter(std::move(t)), erreur(std::move(e)), journal(std::move(j)),
      entetesCommuns(std::move(communs)), travail(static_cast<size_t>(r.filsTravail)), brin(net::make_strand(io)),
      accepteur(brin), borne(brin), pause(brin), garde(io.get_executor()) {}

bool ServeurHttp::Etat::arrete() {
    std::lock_guard<std::mutex> verrou(mutex);
    return enArret;
}

void ServeurHttp::Etat::accepter() {
    accepteur.async_accept(net::make_strand(io), [soi = shared_from_this()](boost::system::error_code e, tcp::socket s) {
        // Accepted as the listening stopped: it is served all the same.
        if (!e) soi->accueillir(std::move(s));
        if (!soi->accepteur.is_open()) return;
        if (!e) return soi->accepter();
        // Out of descriptors (or some passing fault): breathe, then listen again.
        soi->pause.expires_after(std::chrono::milliseconds(50));
        soi->pause.async_wait([soi](boost::system::error_code) {
            if (soi->accepteur.is_open()) soi->accepter();
        });
    });
}

void ServeurHttp::Etat::accueillir(tcp::socket prise) {
    const std::string adresse = adresseDe(prise);
    if (adresse.empty()) return;
    {
        std::lock_guard<std::mutex> verrou(mutex);
        const int cap = reglages.connexionsParAdresse;
        // Beyond the caps the connection is closed at once: a client that
        // holds many open cannot take the server from the others.
        if (static_cast<int>(connexions.size()) >= reglages.connexionsMax || (cap > 0 && parAdresse[adresse] >= cap)) {
            if (parAdresse[adresse] == 0) parAdresse.erase(adresse);
            return;
        }
        ++parAdresse[adresse];
    }
    std::make_shared<Connexion>(std::move(prise), shared_from_this(), adresse)->demarrer();
}

void ServeurHttp::Etat::quitter(Connexion* c, const std::string& adresse) {
    std::lock_guard<std::mutex> verrou(mutex);
    connexions.erase(c);
    if (--parAdresse[adresse] <= 0) parAdresse.erase(adresse);
    if (enArret && connexions.empty()) net::post(brin, [this] { finirSiVide(); });
}

void ServeurHttp::Etat::arreter() {
    {
        std::lock_guard<std::mutex> verrou(mutex);
        if (enArret) return;
        enArret = true;
    }
    boost::system::error_code e;
    if (accepteur.is_open()) {
        // The system completed these connections already: their clients wait for an answer.
        accepteur.non_blocking(true, e);
        for (;;) {
            tcp::socket s(net::make_strand(io));
            accepteur.accept(s, e);
            if (e) break;
            accueillir(std::move(s));
        }
        accepteur.close(e);
    }
    pause.cancel();
    {
        std::lock_guard<std::mutex> verrou(mutex);
        for (Connexion* c : connexions)
            if (auto vive = c->weak_from_this().lock()) net::post(vive->executeur(), [vive] { vive->arreter(); });
    }
    borne.expires_after(reglages.delaiArret);
    borne.async_wait([this](boost::system::error_code ec) {
        if (!ec) io.stop();
    });
    finirSiVide();
}

void ServeurHttp::Etat::finirSiVide() {
    std::lock_guard<std::mutex> verrou(mutex);
    if (!enArret || !connexions.empty()) return;
    borne.cancel();
    garde.reset();
}

ServeurHttp::ServeurHttp(ReglagesHttp reglages, Traiter traiter, PageErreur erreur, Journal journal,
                         std::vector<std::pair<std::string, std::string>> entetesCommuns)
    : m_etat(std::make_shared<Etat>(reglages, std::move(traiter), std::move(erreur), std::move(journal),
                                    std::move(entetesCommuns))) {}

ServeurHttp::~ServeurHttp() {
    m_etat->travail.stop();
    m_etat->travail.join();
}

int ServeurHttp::lier(const std::string& adresse, int port) {
    boost::system::error_code e;
    tcp::resolver resolveur(m_etat->io);
    const auto trouves = resolveur.resolve(adresse, std::to_string(port), tcp::resolver::passive, e);
    if (e || trouves.empty()) {
        errno = EADDRNOTAVAIL;
        return -1;
    }
    const tcp::endpoint point = *trouves.begin();
    tcp::acceptor& a = m_etat->accepteur;
    a.open(point.protocol(), e);
    if (!e) a.set_option(net::socket_base::reuse_address(true), e);
    // "::" listens on IPv4 as well.
    if (!e && point.address().is_v6()) a.set_option(net::ip::v6_only(!point.address().is_unspecified()), e);
    if (!e) a.bind(point, e);
    if (!e) a.listen(net::socket_base::max_listen_connections, e);
    const int lie = e ? -1 : a.local_endpoint(e).port();
    if (e) {
        errno = e.value();
        a.close(e);
        return -1;
    }
    return lie;
}

bool ServeurHttp::servir() {
    Etat& etat = *m_etat;
    if (!etat.accepteur.is_open()) return false;
    net::post(etat.brin, [&etat] { etat.accepter(); });
    std::vector<std::thread> fils;
    for (int i = 1; i < etat.reglages.filsReseau; ++i) fils.emplace_back([&etat] { etat.io.run(); });
    etat.io.run();
    for (std::thread& f : fils) f.join();
    // Past the bound: what is still open is cut, and the work waiting for a
    // thread is dropped; then the last handlers run down.
    etat.travail.stop();
    etat.travail.join();
    {
        std::lock_guard<std::mutex> verrou(etat.mutex);
        for (Connexion* c : etat.connexions) c->couper();
    }
    etat.garde.reset();
    etat.io.restart();
    etat.io.run_for(std::chrono::seconds(2));
    return true;
}

void ServeurHttp::arreter() {
    net::post(m_etat->brin, [etat = m_etat] { etat->arreter(); });
}

void ServeurHttp::enFond(std::function<void()> travail) { net::post(m_etat->travail, std::move(travail)); }
