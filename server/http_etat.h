// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the HTTP layer: what the listening side and the connections share.
#ifndef VORNA_SCORES_HTTP_ETAT_H
#define VORNA_SCORES_HTTP_ETAT_H

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>

#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "http.h"

class Connexion;

struct ServeurHttp::Etat : std::enable_shared_from_this<Etat> {
    Etat(ReglagesHttp r, Traiter t, PageErreur e, Journal j, std::vector<std::pair<std::string, std::string>> communs);

    void accepter();
    // Takes an accepted socket on, unless its address (or the server) has too many open.
    void accueillir(boost::asio::ip::tcp::socket prise);
    // On the listening strand: takes on the connections the system already
    // queued, listens no more, closes the idle ones, and ends when the
    // others are answered or `delaiArret` has passed.
    void arreter();
    // Called by a connection as it ends.
    void quitter(Connexion* c, const std::string& adresse);
    bool arrete();

    const ReglagesHttp reglages;
    const Traiter traiter;
    const PageErreur erreur;
    const Journal journal;
    const std::vector<std::pair<std::string, std::string>> entetesCommuns;

    boost::asio::io_context io;
    boost::asio::thread_pool travail;
    boost::asio::strand<boost::asio::io_context::executor_type> brin;  // the listening side's
    boost::asio::ip::tcp::acceptor accepteur;
    boost::asio::steady_timer borne, pause;
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> garde;

    std::mutex mutex;  // guards what follows
    std::unordered_map<std::string, int> parAdresse;
    std::unordered_set<Connexion*> connexions;
    bool enArret = false;

private:
    void finirSiVide();
};

// One client's connection: requests read whole within the deadline, each
// handed to `traiter`, its answer written, then the next one (keep-alive).
class Connexion : public std::enable_shared_from_this<Connexion> {
public:
    Connexion(boost::asio::ip::tcp::socket prise, std::shared_ptr<ServeurHttp::Etat> etat, std::string adresse);
    ~Connexion();
    void demarrer();
    // On its own strand: the server stops; an idle connection closes now.
    void arreter();
    // From any thread once the server is stopped: closes the socket.
    void couper();
    boost::asio::any_io_executor executeur() { return m_flux.get_executor(); }

private:
    void lire();
    void enTete(boost::beast::error_code ec);
    void lu(boost::beast::error_code ec);
    void traiter();
    void refuser(int statut);
    void ecrire(Reponse r, bool garder, bool vider);
    // Closes; when the client may still be sending (`vider`), reads what
    // comes for a while first, so that it gets the answer rather than a reset.
    void fermer(bool vider);
    void viderPuisFermer(std::shared_ptr<std::vector<char>> tampon, size_t lus);

    struct Detail;
    std::unique_ptr<Detail> m_d;
    boost::beast::tcp_stream m_flux;
    std::shared_ptr<ServeurHttp::Etat> m_etat;
    std::string m_adresse;
    Demande m_demande;
    bool m_servie = false, m_enCours = false, m_fermee = false;
};

#endif
