// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_POSTGRES_RESERVE_H
#define VORNA_SCORES_POSTGRES_RESERVE_H

#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <pqxx/pqxx>
#include <string>
#include <thread>
#include <vector>

#include "depot.h"

// The PostgreSQL store's connections: a few, lent one operation at a time,
// each watched so that a server that stopped answering is given up.
namespace postgres_reserve {

using Horloge = std::chrono::steady_clock;
// Connecting, waiting for a free connection, and each operation once it has
// one: a database that does not answer within these is given up for now.
const int kConnexion = 3;
const auto kAttente = std::chrono::seconds(3);
const auto kOperation = std::chrono::seconds(4);

// The URL with a time-out on connecting, unless it says one.
inline std::string avecDelai(const std::string& uri) {
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
    // `preparer` readies each connection opened (its prepared statements).
    Reserve(std::string uri, int taille, std::function<void(pqxx::connection&)> preparer)
        : m_uri(avecDelai(uri)), m_taille(taille), m_preparer(std::move(preparer)) {}

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
        m_preparer(*c);
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
    std::function<void(pqxx::connection&)> m_preparer;
    int m_ouvertes = 0;
    std::vector<std::unique_ptr<pqxx::connection>> m_connexions;
    std::mutex m_mutex;
    std::condition_variable m_libre;
    Guet m_guet;
};

}  // namespace postgres_reserve

#endif
