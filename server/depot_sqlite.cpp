// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_sqlite.h"

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS scores (id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " niveau INTEGER NOT NULL, points INTEGER NOT NULL, nom TEXT NOT NULL, date INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_classement ON scores (niveau, points DESC, date, id);"
    "CREATE TABLE IF NOT EXISTS en_attente (jeton TEXT PRIMARY KEY, niveau INTEGER NOT NULL,"
    " points INTEGER NOT NULL, recu INTEGER NOT NULL, score_id INTEGER);"
    "CREATE INDEX IF NOT EXISTS en_attente_recu ON en_attente (recu);";

// The entry and its rank: the entries of its level ahead of it, and itself.
const char* const kPlace =
    "SELECT e.id, e.nom, e.points, e.date, e.niveau, (SELECT COUNT(*) FROM scores s WHERE s.niveau = e.niveau"
    " AND (s.points > e.points OR (s.points = e.points AND (s.date < e.date OR (s.date = e.date AND s.id <= e.id)))))"
    " FROM scores e WHERE e.id = ?";

// A lock another connection holds past the wait is the database being busy, not broken.
[[noreturn]] void echouer(sqlite3* base, const std::string& message) {
    const int code = sqlite3_errcode(base) & 0xFF;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) throw DepotIndisponible("sqlite: " + message);
    throw std::runtime_error("sqlite: " + message);
}

// One prepared statement: parameters bound from 1, rows stepped through.
class Requete {
public:
    Requete(sqlite3* base, const char* sql) : m_base(base) {
        if (sqlite3_prepare_v2(base, sql, -1, &m_stmt, nullptr) != SQLITE_OK) echec();
    }
    ~Requete() { sqlite3_finalize(m_stmt); }
    Requete(const Requete&) = delete;
    Requete& operator=(const Requete&) = delete;

    Requete& lier(int i, int64_t v) {
        if (sqlite3_bind_int64(m_stmt, i, v) != SQLITE_OK) echec();
        return *this;
    }
    Requete& lier(int i, const std::string& v) {
        if (sqlite3_bind_text(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) != SQLITE_OK)
            echec();
        return *this;
    }
    // True while there is a row to read.
    bool ligne() {
        const int r = sqlite3_step(m_stmt);
        if (r != SQLITE_ROW && r != SQLITE_DONE) echec();
        return r == SQLITE_ROW;
    }
    int64_t entier(int c) const { return sqlite3_column_int64(m_stmt, c); }
    bool nul(int c) const { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }
    std::string texte(int c) const {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
        return t ? std::string(t, static_cast<size_t>(sqlite3_column_bytes(m_stmt, c))) : std::string();
    }

private:
    [[noreturn]] void echec() const { echouer(m_base, sqlite3_errmsg(m_base)); }
    sqlite3* m_base;
    sqlite3_stmt* m_stmt = nullptr;
};

void executer(sqlite3* base, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(base, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string texte = message ? message : sqlite3_errmsg(base);
        sqlite3_free(message);
        echouer(base, texte);
    }
}

// BEGIN IMMEDIATE ... COMMIT, rolled back when left by an exception.
class Transaction {
public:
    explicit Transaction(sqlite3* base) : m_base(base) { executer(base, "BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!m_fini) sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void valider() {
        executer(m_base, "COMMIT");
        m_fini = true;
    }

private:
    sqlite3* m_base;
    bool m_fini = false;
};

using Base = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

// A connection to the file, waiting a few seconds at most for another's write.
Base ouvrir(const std::string& chemin, int drapeaux) {
    sqlite3* b = nullptr;
    const int r = sqlite3_open_v2(chemin.c_str(), &b, drapeaux, nullptr);
    Base base(b, sqlite3_close);
    if (r != SQLITE_OK)
        throw std::runtime_error("sqlite: " + chemin + ": " + (b ? sqlite3_errmsg(b) : "out of memory"));
    sqlite3_busy_timeout(b, 3000);
    return base;
}

// The connections that read, each lent to one thread at a time: in WAL
// mode they read on while a write is under way.
class Lecteurs {
public:
    explicit Lecteurs(std::string chemin) : m_chemin(std::move(chemin)) {}
    class Pret {
    public:
        Pret(Lecteurs& l, Base b) : m_lecteurs(l), m_base(std::move(b)) {}
        ~Pret() {
            std::lock_guard<std::mutex> verrou(m_lecteurs.m_mutex);
            m_lecteurs.m_libres.push_back(std::move(m_base));
        }
        sqlite3* operator*() const { return m_base.get(); }

    private:
        Lecteurs& m_lecteurs;
        Base m_base;
    };
    Pret emprunter() {
        {
            std::lock_guard<std::mutex> verrou(m_mutex);
            if (!m_libres.empty()) {
                Base b = std::move(m_libres.back());
                m_libres.pop_back();
                return Pret(*this, std::move(b));
            }
        }
        return Pret(*this, ouvrir(m_chemin, SQLITE_OPEN_READONLY));
    }

private:
    std::string m_chemin;
    std::mutex m_mutex;
    std::vector<Base> m_libres;
};

class DepotSqlite : public Depot {
public:
    explicit DepotSqlite(const std::string& chemin)
        : m_ecrivain(ouvrir(chemin, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)), m_base(m_ecrivain.get()),
          m_lecteurs(chemin) {
        // A file the server cannot write would start and then fail every score.
        if (sqlite3_db_readonly(m_base, "main") == 1) throw std::runtime_error("sqlite: " + chemin + " is read-only");
        // The log keeps the file whole through a crash and lets reads go on
        // beside a write; NORMAL syncs at checkpoints.
        executer(m_base, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        executer(m_base, kSchema);
    }

    void garderEnAttente(const std::string& jeton, int niveau, int points, int64_t date) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "INSERT INTO en_attente (jeton, niveau, points, recu) VALUES (?, ?, ?, ?)")
            .lier(1, jeton).lier(2, niveau).lier(3, points).lier(4, date).ligne();
    }

    Nommage nommer(const std::string& jeton, const std::string& nom, int64_t perime) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Transaction t(m_base);
        Requete attente(m_base, "SELECT niveau, points, recu, score_id FROM en_attente WHERE jeton = ?");
        attente.lier(1, jeton);
        Nommage n;
        if (!attente.ligne() || attente.entier(2) <= perime) return n;
        n.niveau = static_cast<int>(attente.entier(0));
        if (!attente.nul(3)) {
            n.etat = Nommage::DejaNomme;
            n.id = attente.entier(3);
            return n;
        }
        Requete(m_base, "INSERT INTO scores (niveau, points, nom, date) VALUES (?, ?, ?, ?)")
            .lier(1, n.niveau).lier(2, attente.entier(1)).lier(3, nom).lier(4, attente.entier(2)).ligne();
        n.id = sqlite3_last_insert_rowid(m_base);
        Requete(m_base, "UPDATE en_attente SET score_id = ? WHERE jeton = ?").lier(1, n.id).lier(2, jeton).ligne();
        t.valider();
        n.etat = Nommage::Nomme;
        return n;
    }

    int purger(int64_t perime) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "DELETE FROM en_attente WHERE recu <= ?").lier(1, perime).ligne();
        return sqlite3_changes(m_base);
    }

    std::vector<Entree> classement(int niveau, int nombre, int debut) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, "SELECT id, nom, points, date FROM scores WHERE niveau = ?"
                         " ORDER BY points DESC, date, id LIMIT ? OFFSET ?");
        r.lier(1, niveau).lier(2, nombre).lier(3, debut);
        std::vector<Entree> liste;
        while (r.ligne()) liste.push_back({r.entier(0), r.texte(1), static_cast<int>(r.entier(2)), r.entier(3)});
        return liste;
    }

    Place place(int64_t id) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, kPlace);
        r.lier(1, id);
        Place p;
        if (r.ligne() && r.entier(5) > 0)
            p = {{r.entier(0), r.texte(1), static_cast<int>(r.entier(2)), r.entier(3)}, static_cast<int>(r.entier(4)),
                 static_cast<int>(r.entier(5))};
        return p;
    }

private:
    Base m_ecrivain;
    sqlite3* m_base;
    std::mutex m_mutex;  // one write at a time on the writing connection
    Lecteurs m_lecteurs;
};

}  // namespace

std::unique_ptr<Depot> ouvrirDepotSqlite(const std::string& chemin) { return std::make_unique<DepotSqlite>(chemin); }
