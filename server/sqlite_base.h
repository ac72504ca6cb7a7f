// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_SQLITE_BASE_H
#define VORNA_SCORES_SQLITE_BASE_H

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "depot.h"

// The few pieces the SQLite store is made of: statements, transactions and
// the connections that read beside the one that writes.
namespace sqlite_base {

// A lock another connection holds past the wait is the database being busy, not broken.
[[noreturn]] inline void echouer(sqlite3* base, const std::string& message) {
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

inline void executer(sqlite3* base, const char* sql) {
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
inline Base ouvrir(const std::string& chemin, int drapeaux) {
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

}  // namespace sqlite_base

#endif
