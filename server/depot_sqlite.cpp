// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot_sqlite.h"
#include "sqlite_base.h"

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
    " entrees BLOB NOT NULL, adresse TEXT NOT NULL, recu INTEGER NOT NULL, jeton TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS cartes (id INTEGER PRIMARY KEY AUTOINCREMENT, empreinte TEXT NOT NULL UNIQUE,"
    " octets BLOB NOT NULL, titre TEXT NOT NULL, auteur TEXT NOT NULL, apercu BLOB NOT NULL, date INTEGER NOT NULL,"
    " adresse TEXT NOT NULL, parties INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX IF NOT EXISTS cartes_adresse ON cartes (adresse, date);";
const char* const kCarte = "SELECT id, empreinte, titre, auteur, length(apercu) > 0, date, adresse, parties";

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

using namespace sqlite_base;

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

    std::vector<Entree> classement(int niveau, int nombre, int debut, const std::string& carte) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, "SELECT id, nom, points, date, verifie, chrono FROM scores WHERE niveau = ? AND carte = ?"
                         " AND nom <> '' ORDER BY verifie DESC, points DESC, chrono, date, id LIMIT ? OFFSET ?");
        r.lier(1, niveau).lier(2, carte).lier(3, nombre).lier(4, debut);
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

    int64_t publierCarte(const Carte& c, bool& nouvelle) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Transaction t(m_base);
        Requete deja(m_base, "SELECT id FROM cartes WHERE empreinte = ?");
        nouvelle = !deja.lier(1, c.empreinte).ligne();
        if (!nouvelle) return deja.entier(0);
        Requete(m_base, "INSERT INTO cartes (empreinte, octets, titre, auteur, apercu, date, adresse)"
                        " VALUES (?, ?, ?, ?, ?, ?, ?)")
            .lier(1, c.empreinte).lierOctets(2, c.octets).lier(3, c.titre).lier(4, c.auteur).lierOctets(5, c.apercu)
            .lier(6, c.date).lier(7, c.adresse).ligne();
        const int64_t id = sqlite3_last_insert_rowid(m_base);
        t.valider();
        return id;
    }

    bool carte(int64_t id, Carte& c) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, (std::string(kCarte) + ", octets, apercu FROM cartes WHERE id = ?").c_str());
        if (!r.lier(1, id).ligne()) return false;
        c = carteLue(r);
        c.octets = r.octets(8);
        c.apercu = r.octets(9);
        return true;
    }

    std::vector<Carte> cartes(bool parParties, int nombre, int debut) override {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, (std::string(kCarte) + " FROM cartes ORDER BY " +
                          (parParties ? "parties DESC, " : "") + "id DESC LIMIT ? OFFSET ?").c_str());
        r.lier(1, nombre).lier(2, debut);
        std::vector<Carte> liste;
        while (r.ligne()) liste.push_back(carteLue(r));
        return liste;
    }

    int64_t idCarte(const std::string& empreinte) override {
        return compter("SELECT id FROM cartes WHERE empreinte = ?", [&](Requete& r) { r.lier(1, empreinte); });
    }

    int64_t nombreCartes() override { return compter("SELECT COUNT(*) FROM cartes", [](Requete&) {}); }

    int cartesDepuis(const std::string& adresse, int64_t depuis) override {
        return static_cast<int>(compter("SELECT COUNT(*) FROM cartes WHERE adresse = ? AND date > ?",
                                        [&](Requete& r) { r.lier(1, adresse).lier(2, depuis); }));
    }

    void parcourirCartes(const std::function<void(const std::string&)>& visiteur) override {
        for (int64_t apres = 0;;) {
            std::string octets;
            {
                const auto base = m_lecteurs.emprunter();
                Requete r(*base, "SELECT id, octets FROM cartes WHERE id > ? ORDER BY id LIMIT 1");
                if (!r.lier(1, apres).ligne()) return;
                apres = r.entier(0);
                octets = r.octets(1);
            }
            visiteur(octets);
        }
    }

    void jouerCarte(int64_t id) override {
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "UPDATE cartes SET parties = parties + 1 WHERE id = ?").lier(1, id).ligne();
    }

    int retirerCarte(int64_t id) override {
        std::string empreinte;
        {
            const auto base = m_lecteurs.emprunter();
            Requete r(*base, "SELECT empreinte FROM cartes WHERE id = ?");
            if (!r.lier(1, id).ligne()) return 0;
            empreinte = r.texte(0);
        }
        // Its leaderboard goes first: a failure in between leaves the map, to be removed again.
        retirerOu("carte = ?1 AND carte <> ''", [&](Requete& r) { r.lier(1, empreinte); });
        std::lock_guard<std::mutex> verrou(m_mutex);
        Requete(m_base, "DELETE FROM cartes WHERE id = ?").lier(1, id).ligne();
        return sqlite3_changes(m_base);
    }

private:
    static Carte carteLue(const Requete& r) {
        Carte c;
        c.id = r.entier(0), c.empreinte = r.texte(1), c.titre = r.texte(2), c.auteur = r.texte(3);
        c.aApercu = r.entier(4) != 0, c.date = r.entier(5), c.adresse = r.texte(6), c.parties = r.entier(7);
        return c;
    }
    int64_t compter(const char* sql, const std::function<void(Requete&)>& lier) {
        const auto base = m_lecteurs.emprunter();
        Requete r(*base, sql);
        lier(r);
        return r.ligne() ? r.entier(0) : 0;
    }
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
