// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_postgres.h"

#include <condition_variable>
#include <mutex>
#include <pqxx/pqxx>
#include <stdexcept>
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
                   " ORDER BY points DESC, date, id LIMIT $2"},
    {"place", "SELECT e.id, e.nom, e.points, e.date, e.niveau, (SELECT COUNT(*) FROM scores s"
              " WHERE s.niveau = e.niveau AND (s.points > e.points OR (s.points = e.points AND (s.date < e.date"
              " OR (s.date = e.date AND s.id <= e.id))))) FROM scores e WHERE e.id = $1"},
};

// A few connections lent to one thread at a time; a broken one is dropped
// and the next loan opens a fresh one.
class Reserve {
public:
    Reserve(std::string uri, int taille) : m_uri(std::move(uri)), m_taille(taille) {}

    class Pret {
    public:
        Pret(Reserve& r, std::unique_ptr<pqxx::connection> c) : m_reserve(r), m_c(std::move(c)) {}
        ~Pret() { m_reserve.rendre(std::move(m_c)); }
        pqxx::connection& operator*() { return *m_c; }

    private:
        Reserve& m_reserve;
        std::unique_ptr<pqxx::connection> m_c;
    };

    Pret emprunter() {
        std::unique_lock<std::mutex> verrou(m_mutex);
        m_libre.wait(verrou, [this] { return !m_connexions.empty() || m_ouvertes < m_taille; });
        if (!m_connexions.empty()) {
            auto c = std::move(m_connexions.back());
            m_connexions.pop_back();
            return Pret(*this, std::move(c));
        }
        ++m_ouvertes;
        verrou.unlock();
        try {
            return Pret(*this, ouvrir());
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
};

class DepotPostgres : public Depot {
public:
    DepotPostgres(const std::string& uri, int connexions) : m_reserve(uri, connexions) {
        auto c = m_reserve.emprunter();
        pqxx::work w(*c);
        // Two servers starting on one database make the tables one at a time.
        w.exec("SELECT pg_advisory_xact_lock(4747)");
        w.exec(kSchema);
        w.commit();
    }

    void garderEnAttente(const std::string& jeton, int niveau, int points, int64_t date) override {
        auto c = m_reserve.emprunter();
        pqxx::work w(*c);
        w.exec_prepared("attendre", jeton, niveau, points, date);
        w.commit();
    }

    Nommage nommer(const std::string& jeton, const std::string& nom, int64_t perime) override {
        auto c = m_reserve.emprunter();
        pqxx::work w(*c);
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
    }

    int purger(int64_t perime) override {
        auto c = m_reserve.emprunter();
        pqxx::work w(*c);
        const int n = static_cast<int>(w.exec_prepared("purger", perime).affected_rows());
        w.commit();
        return n;
    }

    std::vector<Entree> classement(int niveau, int nombre) override {
        auto c = m_reserve.emprunter();
        pqxx::read_transaction w(*c);
        std::vector<Entree> liste;
        for (const auto& r : w.exec_prepared("classement", niveau, nombre))
            liste.push_back({r[0].as<int64_t>(), r[1].as<std::string>(), r[2].as<int>(), r[3].as<int64_t>()});
        return liste;
    }

    Place place(int64_t id) override {
        auto c = m_reserve.emprunter();
        pqxx::read_transaction w(*c);
        const pqxx::result r = w.exec_prepared("place", id);
        Place p;
        if (!r.empty())
            p = {{r[0][0].as<int64_t>(), r[0][1].as<std::string>(), r[0][2].as<int>(), r[0][3].as<int64_t>()},
                 r[0][4].as<int>(), r[0][5].as<int>()};
        return p;
    }

private:
    Reserve m_reserve;
};

}  // namespace

std::unique_ptr<Depot> ouvrirDepotPostgres(const std::string& uri, int connexions) {
    return std::make_unique<DepotPostgres>(uri, connexions);
}
