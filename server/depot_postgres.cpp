// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_postgres.h"
#include "postgres_reserve.h"

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
    "CREATE TABLE IF NOT EXISTS cartes (id BIGSERIAL PRIMARY KEY, empreinte TEXT NOT NULL UNIQUE,"
    " octets BYTEA NOT NULL, titre TEXT NOT NULL, auteur TEXT NOT NULL, apercu BYTEA NOT NULL, date BIGINT NOT NULL,"
    " adresse TEXT NOT NULL, parties BIGINT NOT NULL DEFAULT 0);"
    "CREATE INDEX IF NOT EXISTS cartes_adresse ON cartes (adresse, date);"
    "CREATE INDEX IF NOT EXISTS scores_rang ON scores (niveau, carte, verifie DESC, points DESC, chrono, date, id);";

#define VORNA_COURSE_CHOISIE                                                                              \
    "SELECT c.id, c.niveau, c.empreinte, c.points, c.chrono, c.entrees, s.verifie, s.nom FROM courses c" \
    " JOIN scores s ON s.id = c.id "

#define VORNA_CARTE_CHOISIE "SELECT id, empreinte, titre, auteur, length(apercu) > 0, date, adresse, parties"

// The statements every connection prepares; parameters are never spliced into SQL.
const char* const kRequetes[][2] = {
    {"attendre", "INSERT INTO en_attente (jeton, niveau, points, recu) VALUES ($1, $2, $3, $4)"},
    {"attente", "SELECT niveau, points, recu, score_id, course_id FROM en_attente WHERE jeton = $1 FOR UPDATE"},
    {"nommerCourse", "UPDATE scores SET nom = $1 WHERE id = $2"},
    {"inscrire", "INSERT INTO scores (niveau, points, nom, date) VALUES ($1, $2, $3, $4) RETURNING id"},
    {"nomme", "UPDATE en_attente SET score_id = $1 WHERE jeton = $2"},
    {"purger", "DELETE FROM en_attente WHERE recu <= $1"},
    {"enAttente", "SELECT niveau, points FROM en_attente WHERE jeton = $1 AND recu > $2 AND score_id IS NULL"},
    {"classement", "SELECT id, nom, points, date, verifie, chrono FROM scores WHERE niveau = $1 AND carte = $4"
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
    {"carteDeja", "SELECT id FROM cartes WHERE empreinte = $1"},
    {"publier", "INSERT INTO cartes (empreinte, octets, titre, auteur, apercu, date, adresse)"
                " VALUES ($1, $2::bytea, $3, $4, $5::bytea, $6, $7) RETURNING id"},
    {"carte", VORNA_CARTE_CHOISIE ", octets, apercu FROM cartes WHERE id = $1"},
    {"cartesRecentes", VORNA_CARTE_CHOISIE " FROM cartes ORDER BY id DESC LIMIT $1 OFFSET $2"},
    {"cartesJouees", VORNA_CARTE_CHOISIE " FROM cartes ORDER BY parties DESC, id DESC LIMIT $1 OFFSET $2"},
    {"nombreCartes", "SELECT COUNT(*) FROM cartes"},
    {"cartesDepuis", "SELECT COUNT(*) FROM cartes WHERE adresse = $1 AND date > $2"},
    {"carteSuivante", "SELECT id, octets FROM cartes WHERE id > $1 ORDER BY id LIMIT 1"},
    {"jouer", "UPDATE cartes SET parties = parties + 1 WHERE id = $1"},
    {"retirerCarte", "WITH choisis AS (SELECT s.id FROM scores s JOIN cartes m ON m.empreinte = s.carte WHERE m.id = $1),"
                     " a AS (DELETE FROM courses WHERE id IN (SELECT id FROM choisis)), b AS (DELETE FROM en_attente"
                     " WHERE course_id IN (SELECT id FROM choisis) OR score_id IN (SELECT id FROM choisis)),"
                     " c AS (DELETE FROM scores WHERE id IN (SELECT id FROM choisis)) DELETE FROM cartes WHERE id = $1"},
    {"marquer", "UPDATE scores SET verifie = $1 WHERE id = $2"},
    {"retirer", "WITH choisis AS (SELECT id FROM scores WHERE id = $1), a AS (DELETE FROM courses WHERE id IN"
                " (SELECT id FROM choisis)), b AS (DELETE FROM en_attente WHERE course_id IN (SELECT id FROM choisis)"
                " OR score_id IN (SELECT id FROM choisis)) DELETE FROM scores WHERE id IN (SELECT id FROM choisis)"},
    {"retirerNom", "WITH choisis AS (SELECT id FROM scores WHERE nom = $1 AND nom <> ''), a AS (DELETE FROM courses"
                   " WHERE id IN (SELECT id FROM choisis)), b AS (DELETE FROM en_attente WHERE course_id IN"
                   " (SELECT id FROM choisis) OR score_id IN (SELECT id FROM choisis))"
                   " DELETE FROM scores WHERE id IN (SELECT id FROM choisis)"},
};

using namespace postgres_reserve;

class DepotPostgres : public Depot {
public:
    DepotPostgres(const std::string& uri, int connexions)
        : m_reserve(uri, connexions, [](pqxx::connection& c) {
              for (const auto& r : kRequetes) c.prepare(r[0], r[1]);
          }) {
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

    std::vector<Entree> classement(int niveau, int nombre, int debut, const std::string& carte) override {
        return faire([&](pqxx::connection& c) {
            pqxx::read_transaction w(c);
            std::vector<Entree> liste;
            for (const auto& r : w.exec_prepared("classement", niveau, nombre, debut, carte)) liste.push_back(entree(r));
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

    int64_t publierCarte(const Carte& c, bool& nouvelle) override {
        const std::string octets = enHex(c.octets), apercu = enHex(c.apercu);
        return faire([&](pqxx::connection& cx) {
            pqxx::work w(cx);
            // One publication of the same bytes at a time: a second waits, then finds the first.
            w.exec_params("SELECT pg_advisory_xact_lock(hashtext($1))", c.empreinte);
            const pqxx::result deja = w.exec_prepared("carteDeja", c.empreinte);
            nouvelle = deja.empty();
            if (!nouvelle) return deja[0][0].as<int64_t>();
            const int64_t id = w.exec_prepared1("publier", c.empreinte, octets, c.titre, c.auteur, apercu, c.date,
                                                c.adresse)[0].as<int64_t>();
            w.commit();
            return id;
        });
    }

    bool carte(int64_t id, Carte& c) override {
        return faire([&](pqxx::connection& cx) {
            pqxx::read_transaction w(cx);
            const pqxx::result r = w.exec_prepared("carte", id);
            if (r.empty()) return false;
            c = carteLue(r[0]);
            c.octets = pqxx::binarystring(r[0][8]).str();
            c.apercu = pqxx::binarystring(r[0][9]).str();
            return true;
        });
    }

    std::vector<Carte> cartes(bool parParties, int nombre, int debut) override {
        return faire([&](pqxx::connection& cx) {
            pqxx::read_transaction w(cx);
            std::vector<Carte> liste;
            for (const auto& r : w.exec_prepared(parParties ? "cartesJouees" : "cartesRecentes", nombre, debut))
                liste.push_back(carteLue(r));
            return liste;
        });
    }

    int64_t nombreCartes() override { return lireEntier("nombreCartes"); }
    int64_t idCarte(const std::string& empreinte) override {
        return faire([&](pqxx::connection& cx) {
            pqxx::read_transaction w(cx);
            const pqxx::result r = w.exec_prepared("carteDeja", empreinte);
            return r.empty() ? int64_t{0} : r[0][0].as<int64_t>();
        });
    }
    int cartesDepuis(const std::string& adresse, int64_t depuis) override {
        return static_cast<int>(lireEntier("cartesDepuis", adresse, depuis));
    }

    void parcourirCartes(const std::function<void(const std::string&)>& visiteur) override {
        for (int64_t apres = 0;;) {
            std::string octets;
            const bool encore = faire([&](pqxx::connection& cx) {
                pqxx::read_transaction w(cx);
                const pqxx::result r = w.exec_prepared("carteSuivante", apres);
                if (r.empty()) return false;
                apres = r[0][0].as<int64_t>();
                octets = pqxx::binarystring(r[0][1]).str();
                return true;
            });
            if (!encore) return;
            visiteur(octets);
        }
    }

    void jouerCarte(int64_t id) override { ecrire("jouer", id); }
    int retirerCarte(int64_t id) override { return ecrire("retirerCarte", id); }

private:
    static Carte carteLue(const pqxx::row& r) {
        Carte c;
        c.id = r[0].as<int64_t>(), c.empreinte = r[1].as<std::string>(), c.titre = r[2].as<std::string>();
        c.auteur = r[3].as<std::string>(), c.aApercu = r[4].as<bool>(), c.date = r[5].as<int64_t>();
        c.adresse = r[6].as<std::string>(), c.parties = r[7].as<int64_t>();
        return c;
    }
    template <typename... Args>
    int64_t lireEntier(const char* requete, const Args&... args) {
        return faire([&](pqxx::connection& cx) {
            pqxx::read_transaction w(cx);
            const pqxx::row r = w.exec_prepared1(requete, args...);
            return r[0].as<int64_t>();
        });
    }
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
