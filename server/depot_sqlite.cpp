// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_sqlite.h"

#include <sqlite3.h>

#include <functional>
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
    "CREATE INDEX IF NOT EXISTS en_attente_recu ON en_attente (recu);"
    "CREATE TABLE IF NOT EXISTS courses (id INTEGER PRIMARY KEY, cle TEXT NOT NULL UNIQUE, niveau INTEGER NOT NULL,"
    " empreinte TEXT NOT NULL, points INTEGER NOT NULL, chrono INTEGER NOT NULL, arrivee INTEGER NOT NULL,"
    " entrees BLOB NOT NULL, adresse TEXT NOT NULL, recu INTEGER NOT NULL, jeton TEXT NOT NULL);";

// What the tables of a store made before runs were verified lack.
const char* const kColonnes[][3] = {
    {"scores", "verifie", "INTEGER NOT NULL DEFAULT 0"},
    {"scores", "chrono", "INTEGER NOT NULL DEFAULT 0"},
    {"scores", "carte", "TEXT NOT NULL DEFAULT ''"},
    {"en_attente", "course_id", "INTEGER"},
};
const char* const kIndexRang =
    "CREATE INDEX IF NOT EXISTS scores_rang ON scores (niveau, carte, verifie DESC, points DESC, chrono, date, id)";

// The entry and its rank: one more than the named entries of its leaderboard ahead of it.
const char* const kPlace =
    "SELECT e.id, e.nom, e.points, e.date, e.verifie, e.chrono, e.niveau, 1 + (SELECT COUNT(*) FROM scores s"
    " WHERE s.niveau = e.niveau AND s.carte = e.carte AND s.nom <> '' AND s.id <> e.id AND (s.verifie > e.verifie"
    " OR (s.verifie = e.verifie AND (s.points > e.points OR (s.points = e.points AND (s.chrono < e.chrono"
    " OR (s.chrono = e.chrono AND (s.date < e.date OR (s.date = e.date AND s.id < e.id)))))))))"
    " FROM scores e WHERE e.id = ?";
const char* const kCourse =
    "SELECT c.id, c.niveau, c.empreinte, c.points, c.chrono, c.entrees, s.verifie, s.nom FROM courses c"
    " JOIN scores s ON s.id = c.id ";

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
    Requete& lierOctets(int i, const std::string& v) {
        if (sqlite3_bind_blob(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) != SQLITE_OK)
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
    std::string octets(int c) const {
        const auto* o = static_cast<const char*>(sqlite3_column_blob(m_stmt, c));
        return o ? std::string(o, static_cast<size_t>(sqlite3_column_bytes(m_stmt, c))) : std::string();
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
        for (const auto& c : kColonnes) {
            Requete info(m_base, ("PRAGMA table_info(" + std::string(c[0]) + ")").c_str());
            bool presente = false;
            while (info.ligne()) presente = presente || info.texte(1) == c[1];
            if (!presente)
                executer(m_base, ("ALTER TABLE " + std::string(c[0]) + " ADD COLUMN " + c[1] + " " + c[2]).c_str());
        }
        executer(m_base, kIndexRang);
    }

    void garderEnAttente(const std::string& jeton, int niveau, int points, int64_t date) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "INSERT INTO en_attente (jeton, niveau, points, recu) VALUES (?, ?, ?, ?)")
            .lier(1, jeton).lier(2, niveau).lier(3, points).lier(4, date).ligne();
    }

    Nommage nommer(const std::string& jeton, const std::string& nom, int64_t perime) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Transaction t(m_base);
        Requete attente(m_base, "SELECT niveau, points, recu, score_id, course_id FROM en_attente WHERE jeton = ?");
        attente.lier(1, jeton);
        Nommage n;
        if (!attente.ligne() || attente.entier(2) <= perime) return n;
        n.niveau = static_cast<int>(attente.entier(0));
        if (!attente.nul(3)) {
            n.etat = Nommage::DejaNomme;
            n.id = attente.entier(3);
            return n;
        }
        if (!attente.nul(4)) {  // a verified run: its entry is there, waiting for the name
            n.id = attente.entier(4);
            Requete(m_base, "UPDATE scores SET nom = ? WHERE id = ?").lier(1, nom).lier(2, n.id).ligne();
        } else {
            Requete(m_base, "INSERT INTO scores (niveau, points, nom, date) VALUES (?, ?, ?, ?)")
                .lier(1, n.niveau).lier(2, attente.entier(1)).lier(3, nom).lier(4, attente.entier(2)).ligne();
            n.id = sqlite3_last_insert_rowid(m_base);
        }
        Requete(m_base, "UPDATE en_attente SET score_id = ? WHERE jeton = ?").lier(1, n.id).lier(2, jeton).ligne();
        t.valider();
        n.etat = Nommage::Nomme;
        return n;
    }

    bool attente(const std::string& jeton, int64_t perime, int& niveau, int& points) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, "SELECT niveau, points FROM en_attente WHERE jeton = ? AND recu > ? AND score_id IS NULL");
        if (!r.lier(1, jeton).lier(2, perime).ligne()) return false;
        niveau = static_cast<int>(r.entier(0));
        points = static_cast<int>(r.entier(1));
        return true;
    }

    int purger(int64_t perime) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "DELETE FROM en_attente WHERE recu <= ?").lier(1, perime).ligne();
        return sqlite3_changes(m_base);
    }

    std::vector<Entree> classement(int niveau, int nombre, int debut) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, "SELECT id, nom, points, date, verifie, chrono FROM scores WHERE niveau = ? AND carte = ''"
                         " AND nom <> '' ORDER BY verifie DESC, points DESC, chrono, date, id LIMIT ? OFFSET ?");
        r.lier(1, niveau).lier(2, nombre).lier(3, debut);
        std::vector<Entree> liste;
        while (r.ligne()) liste.push_back(entree(r));
        return liste;
    }

    Place place(int64_t id) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, kPlace);
        r.lier(1, id);
        Place p;
        if (r.ligne()) p = {entree(r), static_cast<int>(r.entier(6)), static_cast<int>(r.entier(7))};
        return p;
    }

    CourseGardee garderCourse(const CourseRecue& c, const std::string& jeton) override {
        const std::string cle = cleCourse(c.empreinte, c.entrees);
        const std::string entrees = compresser(c.entrees);
        std::lock_guard<std::mutex> verrou(m_mutex);
        Transaction t(m_base);
        Requete deja(m_base, "SELECT id, jeton FROM courses WHERE cle = ?");
        if (deja.lier(1, cle).ligne()) return {deja.entier(0), deja.texte(1), false};
        Requete(m_base, "INSERT INTO scores (niveau, points, nom, date, verifie, chrono, carte)"
                        " VALUES (?, ?, '', ?, 1, ?, ?)")
            .lier(1, c.niveau).lier(2, c.points).lier(3, c.date).lier(4, c.chrono)
            .lier(5, c.niveau > 0 ? std::string() : c.empreinte).ligne();
        const int64_t id = sqlite3_last_insert_rowid(m_base);
        Requete(m_base, "INSERT INTO courses (id, cle, niveau, empreinte, points, chrono, arrivee, entrees, adresse,"
                        " recu, jeton) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .lier(1, id).lier(2, cle).lier(3, c.niveau).lier(4, c.empreinte).lier(5, c.points).lier(6, c.chrono)
            .lier(7, c.arrivee).lierOctets(8, entrees).lier(9, c.adresse).lier(10, c.date).lier(11, jeton).ligne();
        Requete(m_base, "INSERT INTO en_attente (jeton, niveau, points, recu, course_id) VALUES (?, ?, ?, ?, ?)")
            .lier(1, jeton).lier(2, c.niveau).lier(3, c.points).lier(4, c.date).lier(5, id).ligne();
        t.valider();
        return {id, jeton, true};
    }

    bool meilleureCourse(int niveau, const std::string& carte, CourseStockee& c) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, (std::string(kCourse) + "WHERE s.niveau = ? AND s.carte = ? AND s.nom <> '' AND"
                          " s.verifie = 1 ORDER BY s.points DESC, s.chrono, s.date, s.id LIMIT 1").c_str());
        if (!r.lier(1, niveau).lier(2, carte).ligne()) return false;
        c = course(r);
        return true;
    }

    void parcourirCourses(const std::function<void(const CourseStockee&)>& visiteur) override {
        std::vector<CourseStockee> lot;
        for (int64_t apres = 0;; apres = lot.back().id) {
            lot.clear();
            {
                const auto base = m_lecteurs.emprunter();
                Requete r(*base, (std::string(kCourse) + "WHERE c.id > ? ORDER BY c.id LIMIT 100").c_str());
                r.lier(1, apres);
                while (r.ligne()) lot.push_back(course(r));
            }
            for (const CourseStockee& c : lot) visiteur(c);
            if (lot.empty()) return;
        }
    }

    void marquerCourse(int64_t id, bool verifie) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "UPDATE scores SET verifie = ? WHERE id = ?").lier(1, verifie ? 1 : 0).lier(2, id).ligne();
    }

    int retirer(int64_t id) override {
        return retirerOu("id = ?1", [id](Requete& r) { r.lier(1, id); });
    }

    int retirerNom(const std::string& nom) override {
        return retirerOu("nom = ?1 AND nom <> ''", [&nom](Requete& r) { r.lier(1, nom); });
    }

private:
    static Entree entree(const Requete& r) {
        return {r.entier(0), r.texte(1), static_cast<int>(r.entier(2)), r.entier(3), r.entier(4) != 0, r.entier(5)};
    }
    static CourseStockee course(const Requete& r) {
        return {r.entier(0), static_cast<int>(r.entier(1)), r.texte(2), static_cast<int>(r.entier(3)), r.entier(4),
                decompresser(r.octets(5)), r.entier(6) != 0, r.texte(7)};
    }
    // Removes the entries chosen by `condition` (its parameter ?1 bound by
    // `lier`), their runs and pending names; their count.
    int retirerOu(const std::string& condition, const std::function<void(Requete&)>& lier) {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Transaction t(m_base);
        const std::string choisis = "(SELECT id FROM scores WHERE " + condition + ")";
        for (const std::string& sql : {"DELETE FROM courses WHERE id IN " + choisis,
                                       "DELETE FROM en_attente WHERE course_id IN " + choisis +
                                           " OR score_id IN " + choisis,
                                       "DELETE FROM scores WHERE " + condition}) {
            Requete r(m_base, sql.c_str());
            lier(r);
            r.ligne();
        }
        const int n = sqlite3_changes(m_base);
        t.valider();
        return n;
    }

    Base m_ecrivain;
    sqlite3* m_base;
    std::mutex m_mutex;  // one write at a time on the writing connection
    Lecteurs m_lecteurs;
};

}  // namespace

std::unique_ptr<Depot> ouvrirDepotSqlite(const std::string& chemin) { return std::make_unique<DepotSqlite>(chemin); }
