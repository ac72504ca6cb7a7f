// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_postgres.h"

#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <pqxx/pqxx>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS scores (id BIGSERIAL PRIMARY KEY, niveau INTEGER NOT NULL,"
    " points INTEGER NOT NULL, nom TEXT NOT NULL, date BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_classement ON scores (niveau, points DESC, date, id);"
    "CREATE TABLE IF NOT EXISTS en_attente (jeton TEXT PRIMARY KEY, niveau INTEGER NOT NULL,"
    " points INTEGER NOT NULL, recu BIGINT NOT NULL, score_id BIGINT);"
    "CREATE INDEX IF NOT EXISTS en_attente_recu ON en_attente (recu);";

// The statements every connection prepares; parameters are never spliced into SQL.
const char* const kRequetes[][2] = {
    {"attendre", "INSERT INTO en_attente (jeton, niveau, points, recu) VALUES ($1, $2, $3, $4)"},
    {"attente", "SELECT niveau, points, recu, score_id FROM en_attente WHERE jeton = $1 FOR UPDATE"},
    {"inscrire", "INSERT INTO scores (niveau, points, nom, date) VALUES ($1, $2, $3, $4) RETURNING id"},
    {"marquer", "UPDATE en_attente SET score_id = $1 WHERE jeton = $2"},
    {"purger", "DELETE FROM en_attente WHERE recu <= $1"},
    {"classement", "SELECT id, nom, points, date FROM scores WHERE niveau = $1"
                   " ORDER BY points DESC, date, id LIMIT $2 OFFSET $3"},
    {"place", "SELECT e.id, e.nom, e.points, e.date, e.niveau, (SELECT COUNT(*) FROM scores s"
              " WHERE s.niveau = e.niveau AND (s.points > e.points OR (s.points = e.points AND (s.date < e.date"
              " OR (s.date = e.date AND s.id <= e.id))))) FROM scores e WHERE e.id = $1"},
};

using Horloge = std::chrono::steady_clock;
// Connecting, waiting for a free connection, and each operation once it has
// one: a database that does not answer within these is given up for now.
const int kConnexion = 3;
const auto kAttente = std::chrono::seconds(3);
const auto kOperation = std::chrono::seconds(4);

// The URL with a time-out on connecting, unless it says one.
std::string avecDelai(const std::string& uri) {
    if (uri.find("connect_timeout=") != std::string::npos) return uri;
    return uri + (uri.find('?') == std::string::npos ? "?" : "&") + "connect_timeout=" + std::to_string(kConnexion);
}

// Cuts the connections whose operation runs past its deadline. A server
// that stopped answering never ends a statement by itself: its socket is
// shut down, and the thread waiting on it gets an error at once.
class Guet {
public:
    Guet() : m_fil([this] { veiller(); }) {}
    ~Guet() {
        {
            std::lock_guard<std::mutex> verrou(m_mutex);
            m_fin = true;
        }
        m_reveil.notify_all();
        m_fil.join();
    }
    int surveiller(int prise, Horloge::time_point limite) {
        std::lock_guard<std::mutex> verrou(m_mutex);
        m_surveilles[++m_dernier] = {prise, limite, false};
        m_reveil.notify_all();
        return m_dernier;
    }
    // Stops watching; true when it had to cut.
    bool lacher(int id) {
        std::lock_guard<std::mutex> verrou(m_mutex);
        const bool coupe = m_surveilles[id].coupe;
        m_surveilles.erase(id);
        return coupe;
    }

private:
    struct Surveille {
        int prise;
        Horloge::time_point limite;
        bool coupe;
    };
    void veiller() {
        std::unique_lock<std::mutex> verrou(m_mutex);
        while (!m_fin) {
            auto prochaine = Horloge::time_point::max();
            for (auto& s : m_surveilles) {
                if (!s.second.coupe && s.second.limite <= Horloge::now()) {
                    ::shutdown(s.second.prise, SHUT_RDWR);
                    s.second.coupe = true;
                }
                if (!s.second.coupe) prochaine = std::min(prochaine, s.second.limite);
            }
            if (prochaine == Horloge::time_point::max()) m_reveil.wait(verrou);
            else m_reveil.wait_until(verrou, prochaine);
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_reveil;
    std::map<int, Surveille> m_surveilles;
    int m_dernier = 0;
    bool m_fin = false;
    std::thread m_fil;
};

// A few connections lent to one thread at a time, each loan watched; a
// broken or cut one is dropped and the next loan opens a fresh one.
class Reserve {
public:
    Reserve(std::string uri, int taille) : m_uri(avecDelai(uri)), m_taille(taille) {}

    class Pret {
    public:
        Pret(Reserve& r, std::unique_ptr<pqxx::connection> c, bool& coupe)
            : m_reserve(r), m_c(std::move(c)), m_coupe(coupe),
              m_guet(r.m_guet.surveiller(m_c->sock(), Horloge::now() + kOperation)) {}
        Pret(Pret&& p) noexcept : m_reserve(p.m_reserve), m_c(std::move(p.m_c)), m_coupe(p.m_coupe), m_guet(p.m_guet) {}
        ~Pret() {
            if (!m_c) return;
            if (m_reserve.m_guet.lacher(m_guet)) {
                m_coupe = true;
                m_c.reset();
            }
            m_reserve.rendre(std::move(m_c));
        }
        pqxx::connection& operator*() { return *m_c; }

    private:
        Reserve& m_reserve;
        std::unique_ptr<pqxx::connection> m_c;
        bool& m_coupe;
        int m_guet;
    };

    // A connection for one operation; `coupe` is set when the operation ran out of time.
    Pret emprunter(bool& coupe) {
        std::unique_lock<std::mutex> verrou(m_mutex);
        if (!m_libre.wait_for(verrou, kAttente, [this] { return !m_connexions.empty() || m_ouvertes < m_taille; }))
            throw DepotIndisponible("postgresql: no connection free within " + std::to_string(kAttente.count()) + " s");
        if (!m_connexions.empty()) {
            auto c = std::move(m_connexions.back());
            m_connexions.pop_back();
            return Pret(*this, std::move(c), coupe);
        }
        ++m_ouvertes;
        verrou.unlock();
        try {
            return Pret(*this, ouvrir(), coupe);
        } catch (...) {
            rendre(nullptr);
            throw;
        }
    }

private:
    std::unique_ptr<pqxx::connection> ouvrir() const {
        auto c = std::make_unique<pqxx::connection>(m_uri);
        c->set_client_encoding("UTF8");
        for (const auto& r : kRequetes) c->prepare(r[0], r[1]);
        return c;
    }
    void rendre(std::unique_ptr<pqxx::connection> c) {
        {
            std::lock_guard<std::mutex> verrou(m_mutex);
            if (c && c->is_open())
                m_connexions.push_back(std::move(c));
            else
                --m_ouvertes;
        }
        m_libre.notify_one();
    }

    std::string m_uri;
    int m_taille;
    int m_ouvertes = 0;
    std::vector<std::unique_ptr<pqxx::connection>> m_connexions;
    std::mutex m_mutex;
    std::condition_variable m_libre;
    Guet m_guet;
};

class DepotPostgres : public Depot {
public:
    DepotPostgres(const std::string& uri, int connexions) : m_reserve(uri, connexions) {
        faire([](pqxx::connection& c) {
            pqxx::work w(c);
            // Two servers starting on one database make the tables one at a time.
            w.exec("SELECT pg_advisory_xact_lock(4747)");
            w.exec(kSchema);
            w.commit();
        });
    }

    void garderEnAttente(const std::string& jeton, int niveau, int points, int64_t date) override {
        faire([&](pqxx::connection& c) {
            pqxx::work w(c);
            w.exec_prepared("attendre", jeton, niveau, points, date);
            w.commit();
        });
    }

    Nommage nommer(const std::string& jeton, const std::string& nom, int64_t perime) override {
        return faire([&](pqxx::connection& c) {
            pqxx::work w(c);
            // The row stays locked to the end: a second submit waits, then sees it named.
            const pqxx::result attente = w.exec_prepared("attente", jeton);
            Nommage n;
            if (attente.empty() || attente[0][2].as<int64_t>() <= perime) return n;
            n.niveau = attente[0][0].as<int>();
            if (!attente[0][3].is_null()) {
                n.etat = Nommage::DejaNomme;
                n.id = attente[0][3].as<int64_t>();
                return n;
            }
            n.id = w.exec_prepared1("inscrire", n.niveau, attente[0][1].as<int>(), nom, attente[0][2].as<int64_t>())[0]
                       .as<int64_t>();
            w.exec_prepared0("marquer", n.id, jeton);
            w.commit();
            n.etat = Nommage::Nomme;
            return n;
        });
    }

    int purger(int64_t perime) override {
        return faire([&](pqxx::connection& c) {
            pqxx::work w(c);
            const int n = static_cast<int>(w.exec_prepared("purger", perime).affected_rows());
            w.commit();
            return n;
        });
    }

    std::vector<Entree> classement(int niveau, int nombre, int debut) override {
        return faire([&](pqxx::connection& c) {
            pqxx::read_transaction w(c);
            std::vector<Entree> liste;
            for (const auto& r : w.exec_prepared("classement", niveau, nombre, debut))
                liste.push_back({r[0].as<int64_t>(), r[1].as<std::string>(), r[2].as<int>(), r[3].as<int64_t>()});
            return liste;
        });
    }

    Place place(int64_t id) override {
        return faire([&](pqxx::connection& c) {
            pqxx::read_transaction w(c);
            const pqxx::result r = w.exec_prepared("place", id);
            Place p;
            if (!r.empty())
                p = {{r[0][0].as<int64_t>(), r[0][1].as<std::string>(), r[0][2].as<int>(), r[0][3].as<int64_t>()},
                     r[0][4].as<int>(), r[0][5].as<int>()};
            return p;
        });
    }

private:
    // Runs `f` on a lent connection; a connection lost or cut for its
    // slowness makes it DepotIndisponible.
    template <typename F>
    auto faire(F&& f) -> decltype(f(std::declval<pqxx::connection&>())) {
        bool coupe = false;
        try {
            auto c = m_reserve.emprunter(coupe);
            return f(*c);
        } catch (const DepotIndisponible&) {
            throw;
        } catch (const pqxx::broken_connection& e) {
            throw DepotIndisponible(std::string("postgresql: ") + e.what());
        } catch (const std::exception& e) {
            if (coupe)
                throw DepotIndisponible("postgresql: no answer within " + std::to_string(kOperation.count()) + " s");
            throw;
        }
    }

    Reserve m_reserve;
};

}  // namespace

std::unique_ptr<Depot> ouvrirDepotPostgres(const std::string& uri, int connexions) {
    return std::make_unique<DepotPostgres>(uri, connexions);
}
