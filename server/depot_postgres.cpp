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
    "CREATE INDEX IF NOT EXISTS en_attente_recu ON en_attente (recu);"
    "CREATE TABLE IF NOT EXISTS courses (id BIGINT PRIMARY KEY, cle TEXT NOT NULL UNIQUE, niveau INTEGER NOT NULL,"
    " empreinte TEXT NOT NULL, points INTEGER NOT NULL, chrono BIGINT NOT NULL, arrivee BIGINT NOT NULL,"
    " entrees BYTEA NOT NULL, adresse TEXT NOT NULL, recu BIGINT NOT NULL, jeton TEXT NOT NULL);"
    // What the tables of a store made before runs were verified lack.
    "ALTER TABLE scores ADD COLUMN IF NOT EXISTS verifie INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE scores ADD COLUMN IF NOT EXISTS chrono BIGINT NOT NULL DEFAULT 0;"
    "ALTER TABLE scores ADD COLUMN IF NOT EXISTS carte TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE en_attente ADD COLUMN IF NOT EXISTS course_id BIGINT;"
    "CREATE INDEX IF NOT EXISTS scores_rang ON scores (niveau, carte, verifie DESC, points DESC, chrono, date, id);";

#define VORNA_COURSE_CHOISIE                                                                              \
    "SELECT c.id, c.niveau, c.empreinte, c.points, c.chrono, c.entrees, s.verifie, s.nom FROM courses c" \
    " JOIN scores s ON s.id = c.id "

// The statements every connection prepares; parameters are never spliced into SQL.
const char* const kRequetes[][2] = {
    {"attendre", "INSERT INTO en_attente (jeton, niveau, points, recu) VALUES ($1, $2, $3, $4)"},
    {"attente", "SELECT niveau, points, recu, score_id, course_id FROM en_attente WHERE jeton = $1 FOR UPDATE"},
    {"nommerCourse", "UPDATE scores SET nom = $1 WHERE id = $2"},
    {"inscrire", "INSERT INTO scores (niveau, points, nom, date) VALUES ($1, $2, $3, $4) RETURNING id"},
    {"nomme", "UPDATE en_attente SET score_id = $1 WHERE jeton = $2"},
    {"purger", "DELETE FROM en_attente WHERE recu <= $1"},
    {"enAttente", "SELECT niveau, points FROM en_attente WHERE jeton = $1 AND recu > $2 AND score_id IS NULL"},
    {"classement", "SELECT id, nom, points, date, verifie, chrono FROM scores WHERE niveau = $1 AND carte = ''"
                   " AND nom <> '' ORDER BY verifie DESC, points DESC, chrono, date, id LIMIT $2 OFFSET $3"},
    {"place", "SELECT e.id, e.nom, e.points, e.date, e.verifie, e.chrono, e.niveau, 1 + (SELECT COUNT(*) FROM scores s"
              " WHERE s.niveau = e.niveau AND s.carte = e.carte AND s.nom <> '' AND s.id <> e.id AND (s.verifie > e.verifie"
              " OR (s.verifie = e.verifie AND (s.points > e.points OR (s.points = e.points AND (s.chrono < e.chrono"
              " OR (s.chrono = e.chrono AND (s.date < e.date OR (s.date = e.date AND s.id < e.id)))))))))"
              " FROM scores e WHERE e.id = $1"},
    {"dejaGardee", "SELECT id, jeton FROM courses WHERE cle = $1"},
    {"inscrireCourse", "INSERT INTO scores (niveau, points, nom, date, verifie, chrono, carte)"
                       " VALUES ($1, $2, '', $3, 1, $4, $5) RETURNING id"},
    {"garderCourse", "INSERT INTO courses (id, cle, niveau, empreinte, points, chrono, arrivee, entrees, adresse,"
                     " recu, jeton) VALUES ($1, $2, $3, $4, $5, $6, $7, $8::bytea, $9, $10, $11)"},
    {"attendreCourse", "INSERT INTO en_attente (jeton, niveau, points, recu, course_id) VALUES ($1, $2, $3, $4, $5)"},
    {"meilleure", VORNA_COURSE_CHOISIE "WHERE s.niveau = $1 AND s.carte = $2 AND s.nom <> '' AND s.verifie = 1"
                  " ORDER BY s.points DESC, s.chrono, s.date, s.id LIMIT 1"},
    {"lot", VORNA_COURSE_CHOISIE "WHERE c.id > $1 ORDER BY c.id LIMIT 100"},
    {"marquer", "UPDATE scores SET verifie = $1 WHERE id = $2"},
    {"retirer", "WITH choisis AS (SELECT id FROM scores WHERE id = $1), a AS (DELETE FROM courses WHERE id IN"
                " (SELECT id FROM choisis)), b AS (DELETE FROM en_attente WHERE course_id IN (SELECT id FROM choisis)"
                " OR score_id IN (SELECT id FROM choisis)) DELETE FROM scores WHERE id IN (SELECT id FROM choisis)"},
    {"retirerNom", "WITH choisis AS (SELECT id FROM scores WHERE nom = $1 AND nom <> ''), a AS (DELETE FROM courses"
                   " WHERE id IN (SELECT id FROM choisis)), b AS (DELETE FROM en_attente WHERE course_id IN"
                   " (SELECT id FROM choisis) OR score_id IN (SELECT id FROM choisis))"
                   " DELETE FROM scores WHERE id IN (SELECT id FROM choisis)"},
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
            if (!attente[0][4].is_null()) {  // a verified run: its entry is there, waiting for the name
                n.id = attente[0][4].as<int64_t>();
                w.exec_prepared0("nommerCourse", nom, n.id);
            } else {
                n.id = w.exec_prepared1("inscrire", n.niveau, attente[0][1].as<int>(), nom,
                                        attente[0][2].as<int64_t>())[0].as<int64_t>();
            }
            w.exec_prepared0("nomme", n.id, jeton);
            w.commit();
            n.etat = Nommage::Nomme;
            return n;
        });
    }

    bool attente(const std::string& jeton, int64_t perime, int& niveau, int& points) override {
        return faire([&](pqxx::connection& c) {
            pqxx::read_transaction w(c);
            const pqxx::result r = w.exec_prepared("enAttente", jeton, perime);
            if (r.empty()) return false;
            niveau = r[0][0].as<int>();
            points = r[0][1].as<int>();
            return true;
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
            for (const auto& r : w.exec_prepared("classement", niveau, nombre, debut)) liste.push_back(entree(r));
            return liste;
        });
    }

    Place place(int64_t id) override {
        return faire([&](pqxx::connection& c) {
            pqxx::read_transaction w(c);
            const pqxx::result r = w.exec_prepared("place", id);
            Place p;
            if (!r.empty()) p = {entree(r[0]), r[0][6].as<int>(), r[0][7].as<int>()};
            return p;
        });
    }

    CourseGardee garderCourse(const CourseRecue& c, const std::string& jeton) override {
        const std::string cle = cleCourse(c.empreinte, c.entrees);
        const std::string entrees = enHex(compresser(c.entrees));
        return faire([&](pqxx::connection& cx) {
            pqxx::work w(cx);
            // One run at a time per key: a second post of the same run waits, then finds it.
            w.exec_params("SELECT pg_advisory_xact_lock(hashtext($1))", cle);
            const pqxx::result deja = w.exec_prepared("dejaGardee", cle);
            if (!deja.empty()) return CourseGardee{deja[0][0].as<int64_t>(), deja[0][1].as<std::string>(), false};
            const int64_t id = w.exec_prepared1("inscrireCourse", c.niveau, c.points, c.date, c.chrono,
                                                c.niveau > 0 ? std::string() : c.empreinte)[0].as<int64_t>();
            w.exec_prepared0("garderCourse", id, cle, c.niveau, c.empreinte, c.points, c.chrono, c.arrivee, entrees,
                             c.adresse, c.date, jeton);
            w.exec_prepared0("attendreCourse", jeton, c.niveau, c.points, c.date, id);
            w.commit();
            return CourseGardee{id, jeton, true};
        });
    }

    bool meilleureCourse(int niveau, const std::string& carte, CourseStockee& c) override {
        return faire([&](pqxx::connection& cx) {
            pqxx::read_transaction w(cx);
            const pqxx::result r = w.exec_prepared("meilleure", niveau, carte);
            if (r.empty()) return false;
            c = course(r[0]);
            return true;
        });
    }

    void parcourirCourses(const std::function<void(const CourseStockee&)>& visiteur) override {
        std::vector<CourseStockee> lot;
        for (int64_t apres = 0;; apres = lot.back().id) {
            lot = faire([&](pqxx::connection& cx) {
                pqxx::read_transaction w(cx);
                std::vector<CourseStockee> l;
                for (const auto& r : w.exec_prepared("lot", apres)) l.push_back(course(r));
                return l;
            });
            for (const CourseStockee& c : lot) visiteur(c);
            if (lot.empty()) return;
        }
    }

    void marquerCourse(int64_t id, bool verifie) override { ecrire("marquer", verifie ? 1 : 0, id); }
    int retirer(int64_t id) override { return ecrire("retirer", id); }
    int retirerNom(const std::string& nom) override { return ecrire("retirerNom", nom); }

private:
    static Entree entree(const pqxx::row& r) {
        return {r[0].as<int64_t>(), r[1].as<std::string>(), r[2].as<int>(), r[3].as<int64_t>(), r[4].as<int>() != 0,
                r[5].as<int64_t>()};
    }
    static CourseStockee course(const pqxx::row& r) {
        return {r[0].as<int64_t>(), r[1].as<int>(), r[2].as<std::string>(), r[3].as<int>(), r[4].as<int64_t>(),
                decompresser(pqxx::binarystring(r[5]).str()), r[6].as<int>() != 0, r[7].as<std::string>()};
    }
    // Bytes as PostgreSQL reads a bytea written in hexadecimal.
    static std::string enHex(const std::string& octets) {
        static const char kChiffres[] = "0123456789abcdef";
        std::string r = "\\x";
        for (unsigned char o : octets) r += kChiffres[o >> 4], r += kChiffres[o & 15];
        return r;
    }
    // One prepared write in its own transaction; the rows it changed.
    template <typename... Args>
    int ecrire(const char* requete, const Args&... args) {
        return faire([&](pqxx::connection& c) {
            pqxx::work w(c);
            const int n = static_cast<int>(w.exec_prepared(requete, args...).affected_rows());
            w.commit();
            return n;
        });
    }

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
