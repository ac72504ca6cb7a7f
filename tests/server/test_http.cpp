// SPDX-License-Identifier: GPL-3.0-or-later
// The server's answers to good and bad requests, through cpp-httplib's client.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "dossier.h"
#include "support_serveur.h"

namespace {

// Rows of a table of the SQLite file (the store has no count of its own).
int lignesDe(const char* table) {
    sqlite3* base = nullptr;
    sqlite3_open("scores.sqlite", &base);
    int n = -1;
    sqlite3_exec(base, (std::string("SELECT COUNT(*) FROM ") + table).c_str(),
                 [](void* v, int, char** c, char**) { return *static_cast<int*>(v) = std::atoi(c[0]), 0; }, &n, nullptr);
    sqlite3_close(base);
    return n;
}

struct Http : testing::Test {
    DossierTemporaire dossier;
    DepotEssai essai{Magasin::Sqlite};
};

TEST_F(Http, GoodLinksAskANameBadOnesSayWhyAndOnlyGoodNamesAreKeptOnce) {
    ServeurEssai s(*essai.depot);
    auto client = s.client();
    const std::string gros(1 << 20, 'x'), bon = lienScore(3, 1000);
    // Method, target, body ("{j}": the token of a fresh form, "{J}": the last one), status, what the answer holds.
    const struct { const char *methode, *cible; std::string corps; int statut; const char* contient; } cas[] = {
        {"GET", bon.c_str(), "", 200, "<h1>3.Flux</h1>"},
        {"GET", "/writescorevorna.php?map=3&a=3000&v=14&score=1000&act=2", "", 200, "1000 points"},  // any order
        {"GET", "/writescorevorna.php?act=2&score=-12&map=3&v=14&a=-36", "", 200, "-12 points"},
        {"GET", "/writescorevorna.php?act=2&score=1000&map=3&v=14&a=3001", "", 400, "contrôle ne correspond pas"},
        {"GET", "/writescorevorna.php?act=2&score=1000&map=3&v=14", "", 400, "manque le paramètre « a »"},
        {"GET", "/writescorevorna.php?act=2&score=1&score=3&map=3&v=14&a=3", "", 400, "« score » est donné plusieurs"},
        {"GET", "/writescorevorna.php?act=2&score=1000&map=3&v=14&a=3000&x=1", "", 400, "Paramètre inconnu : « x »"},
        {"GET", "/writescorevorna.php?act=2&score=99999999999&map=3&v=14&a=3", "", 400, "« score » n&#39;est pas un nombre"},
        {"GET", "/writescorevorna.php?act=2&score=0100&map=3&v=14&a=300", "", 400, "pas un nombre entier"},
        {"GET", "/writescorevorna.php?act=2&score=2101&map=3&v=14&a=6303", "", 400, "impossible au niveau 3 (au plus 2100)"},
        {"GET", "/writescorevorna.php?act=2&score=-2877901&map=3&v=14&a=-8633703", "", 400, "impossible"},
        {"GET", "/writescorevorna.php?act=2&score=100&map=15&v=14&a=1500", "", 400, "de 1 à 14"},
        {"GET", "/writescorevorna.php?act=1&score=100&map=3&v=14&a=300", "", 400, "act doit valoir 2"},
        {"GET", "/writescorevorna.php?act=2&score=100&map=3&v=13&a=300", "", 400, "v doit valoir 14"},
        {"POST", "/nommer", "jeton={j}&nom=%20Ana%20", 303, ""},
        {"POST", "/nommer", "jeton={J}&nom=Bob", 303, ""},  // the second submit names nothing
        {"POST", "/nommer", "jeton={j}&nom=%3Csvg%20onload%3Dalert(1)%3E", 303, ""},
        {"POST", "/nommer", "jeton={j}&nom=%27%3B%20DROP%20TABLE%20scores%3B%20--", 303, ""},
        {"POST", "/nommer", "jeton={j}&nom=%3Cscript%3Ealert(1)%3C%2Fscript%3E", 400, "dépasse 24 caractères"},
        {"POST", "/nommer", "jeton={J}&nom=%20%09", 400, "Le nom est vide"},
        {"POST", "/nommer", "jeton={J}&nom=a%01b", 400, "caractère de contrôle"},
        {"POST", "/nommer", "jeton={J}&nom=a%E2%80%AEb", 400, "caractère de contrôle"},
        {"POST", "/nommer", "jeton={J}&nom=%C0%AF", 400, "UTF-8 valide"},
        {"POST", "/nommer", "jeton={J}&nom=%C2%A0%C2%A0", 400, "aucun caractère visible"},  // no-break spaces
        {"POST", "/nommer", "jeton={J}&nom=%E3%85%A4%E2%80%83", 400, "aucun caractère visible"},  // a filler, an em space
        {"POST", "/nommer", "jeton={J}&nom=a%D8%9Cb", 400, "caractère de contrôle"},  // the Arabic letter mark
        {"POST", "/nommer", "jeton={J}&nom=a%E2%80%A8b", 400, "caractère de contrôle"},  // a line separator
        {"POST", "/nommer", "jeton=0123456789abcdef0123456789abcdef&nom=Zoe", 410, "plus de 24 heures"},
        {"POST", "/nommer", "jeton=..%2Fx&nom=Zoe", 400, "ne vient pas de ce serveur"},
        {"POST", "/nommer", "jeton={J}", 400, "ne vient pas de ce serveur"},
        {"POST", "/nommer", "jeton={J}&nom=" + gros, 413, "dépasse la taille"},
        {"GET", "/niveau/15", "", 404, "de 1 à 14"},
        {"GET", "/niveau/1x", "", 404, "rien à cette adresse"},
        {"GET", "/logo.jpg", "", 200, "JPEG"},
    };
    std::string jeton, redirection;
    for (const auto& c : cas) {
        std::string corps = c.corps;
        if (corps.find("{j}") != std::string::npos) jeton = jetonDe(client.Get(bon.c_str())->body);
        for (const char* m : {"{j}", "{J}"})
            if (corps.find(m) != std::string::npos) corps.replace(corps.find(m), 3, jeton);
        const auto r = c.methode[0] == 'G' ? client.Get(c.cible)
                                           : client.Post(c.cible, corps, "application/x-www-form-urlencoded");
        ASSERT_TRUE(r) << c.cible;
        EXPECT_EQ(r->status, c.statut) << c.cible << " " << corps.substr(0, 80);
        EXPECT_NE(r->body.find(c.contient), std::string::npos) << c.cible << " " << corps.substr(0, 80) << "\n" << r->body;
        if (c.statut == 303 && corps.find("Bob") != std::string::npos) {
            EXPECT_EQ(r->get_header_value("Location"), redirection) << "a second submit leads to the same entry";
        }
        if (c.statut == 303 && redirection.empty()) redirection = r->get_header_value("Location");
    }
    EXPECT_EQ(lignesDe("scores"), 3);
    EXPECT_EQ(lignesDe("en_attente"), 3 + 4) << "only the good links keep a pending score";
    const std::string page = client.Get("/niveau/3")->body, json = client.Get("/niveau/3.json")->body;
    for (const char* texte : {"&lt;svg onload=alert(1)&gt;", "&#39;; DROP TABLE scores; --", ">Ana<"})
        EXPECT_NE(page.find(texte), std::string::npos) << texte;
    EXPECT_EQ(page.find("<svg"), std::string::npos);
    EXPECT_NE(json.find("{\"rang\":1,\"nom\":\"Ana\",\"points\":1000,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"\\u003csvg onload=alert(1)\\u003e\""), std::string::npos) << json;
    const std::string accueil = client.Get("/")->body;
    EXPECT_NE(accueil.find("3.Flux</a></td><td class=\"n\">1000</td><td class=\"nom\">Ana<"), std::string::npos);
    EXPECT_NE(accueil.find("14.Cage"), std::string::npos);
    EXPECT_NE(client.Get(redirection.substr(0, redirection.find('#')).c_str())->body.find("<tr class=\"nouveau\" id=\"nouveau\"><td class=\"n\">1</td>"
                                                         "<td class=\"nom\">Ana<"), std::string::npos);
}

TEST_F(Http, TenScoreLinksAMinuteFromOneAddressThen429AndBehindAProxyItsLastForwardedAddressCounts) {
    for (const bool proxy : {false, true}) {
        ServeurEssai s(*essai.depot, {10, proxy, "", {}, nullptr, 2, 10});
        auto client = s.client();
        const httplib::Headers de = {{"X-Forwarded-For", "198.51.100.7, 203.0.113.1"}};
        for (int i = 1; i <= 11; ++i) EXPECT_EQ(client.Get(lienScore(1, i).c_str(), de)->status, i <= 10 ? 200 : 429) << i;
        const auto autre = client.Get(lienScore(1, 12).c_str(), {{"X-Forwarded-For", "203.0.113.2"}});
        EXPECT_EQ(autre->status, proxy ? 200 : 429);
        EXPECT_EQ(autre->get_header_value("Retry-After"), proxy ? "" : "60");
        EXPECT_EQ(client.Get("/logo.jpg")->status, 404) << "no logo, no picture";
        const std::string accueil = client.Get("/")->body;
        EXPECT_TRUE(accueil.find("<img") == std::string::npos && accueil.find(">Vorna</a></header>") != std::string::npos);
    }
    EXPECT_EQ(lignesDe("en_attente"), 10 + 11);
}

TEST_F(Http, EveryScoreIsKeptAndTheLeaderboardAndItsJsonGoPastTheTopHundredByPages) {
    for (int i = 0; i < 150; ++i) {
        essai.depot->garderEnAttente("p" + std::to_string(i), 4, 1000 + i, 100);
        essai.depot->nommer("p" + std::to_string(i), "n" + std::to_string(i), 0);
    }
    ServeurEssai s(*essai.depot);
    auto client = s.client();
    // Target, status, what the answer holds, what it does not.
    const struct { const char *cible; int statut; const char *contient, *pas; } cas[] = {
        {"/niveau/4", 200, "<a href=\"/niveau/4?page=2\">Suivants", "Précédents"},
        {"/niveau/4?page=2", 200, "<td class=\"n\">150</td><td class=\"nom\">n0<", "Suivants"},
        {"/niveau/4.json?page=2", 200, "\"page\":2,\"suite\":false,\"scores\":[{\"rang\":101,\"nom\":\"n49\"", "n50\""},
        {"/niveau/4.json", 200, "\"suite\":true", "\"rang\":101"},
        {"/niveau/4?page=3", 200, "Aucun score sur cette page", "<table>"},
        {"/niveau/4?page=0", 404, "Les pages d&#39;un classement", "<table>"},
        {"/niveau/4?page=2x", 404, "Les pages d&#39;un classement", "<table>"},
    };
    for (const auto& c : cas) {
        const auto r = client.Get(c.cible);
        ASSERT_TRUE(r) << c.cible;
        EXPECT_EQ(r->status, c.statut) << c.cible;
        EXPECT_NE(r->body.find(c.contient), std::string::npos) << c.cible << "\n" << r->body;
        EXPECT_EQ(r->body.find(c.pas), std::string::npos) << c.cible;
    }
    // A name given beyond the top hundred leads to the page that shows it.
    const std::string jeton = jetonDe(client.Get(lienScore(4, 900).c_str())->body);
    const auto r = client.Post("/nommer", "jeton=" + jeton + "&nom=Lou", "application/x-www-form-urlencoded");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->get_header_value("Location"), "/niveau/4?page=2&nouveau=151#nouveau");
}

// The pages follow the visitor's Accept-Language, by weight, a region
// counting as its language; French when none matches; said in the answer.
TEST_F(Http, ThePagesFollowTheVisitorsLanguageAndFrenchWhenNoneMatches) {
    essai.depot->garderEnAttente("a", 2, 700, 100);
    essai.depot->nommer("a", "Ana", 0);
    ServeurEssai s(*essai.depot);
    auto client = s.client();
    const std::string lien = lienScore(2, 800);
    const struct { const char *cible, *langues, *langue, *contient; } cas[] = {
        {"/", "", "fr", "<th>Joueur</th>"},
        {"/", "en-GB,en;q=0.8", "en", "<th>Player</th>"},
        {"/", "nl, de;q=0.5, en;q=0.4", "de", "Alle Level"},
        {"/niveau/2", "pt-BR", "pt-BR", "<th>Posição</th>"},
        {"/niveau/2", "es;q=0, it;q=0.1", "it", "Questa classifica in JSON"},
        {"/niveau/9", "ES", "es", "Aún no hay puntuaciones."},
        {"/nulle-part", "en", "en", "There is nothing at this address."},
        {"/nulle-part", "ja, *", "fr", "Il n&#39;y a rien à cette adresse."},
        {lien.c_str(), "de", "de", "Dein Ergebnis: <b>800 Punkte</b>"},
    };
    for (const auto& c : cas) {
        const auto r = client.Get(c.cible, {{"Accept-Language", c.langues}});
        ASSERT_TRUE(r) << c.cible;
        EXPECT_NE(r->body.find(c.contient), std::string::npos) << c.langues << "\n" << r->body;
        EXPECT_NE(r->body.find("<html lang=\"" + std::string(c.langue) + "\">"), std::string::npos) << c.langues;
        EXPECT_EQ(r->get_header_value("Content-Language"), c.langue);
        EXPECT_EQ(r->get_header_value("Vary"), "Accept-Language");
    }
}

}  // namespace
