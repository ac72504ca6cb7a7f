// SPDX-License-Identifier: GPL-3.0-or-later
// Maps published to a real server on both stores with the autopilot's run
// that finishes them: hostile uploads refused each with its word, the
// published ones listed, shown escaped, downloaded and counted, their runs
// verified and ranked after a restart, and removed from the command line.
#include <gtest/gtest.h>

#include "dossier.h"
#include "enveloppe_carte.h"
#include "moderation.h"
#include "support_serveur.h"

namespace {

std::string enveloppe(const std::string& titre, const std::string& auteur, const std::string& carte,
                      const std::string& apercu, const Course& c) {
    return ecrireEnveloppe({titre, auteur, carte, apercu, encoderCourse(c)});
}

std::string enveloppe(const CarteEssai& m, const std::string& titre = "Toboggan", const std::string& auteur = "Ana") {
    return enveloppe(titre, auteur, m.octets, pngUni(64, 48), m.course);
}

struct Cartes : testing::TestWithParam<Magasin> {
    DossierTemporaire dossier;
    DepotEssai essai{GetParam()};
    std::unique_ptr<ServeurEssai> serveur;
    void SetUp() override {
        if (!essai.absent.empty()) GTEST_SKIP() << "PostgreSQL: " << essai.absent;
        ASSERT_FALSE(carteEssai().course.empreinte.empty()) << "the autopilot did not finish the map";
        demarrer();
    }
    void demarrer() {
        ReglagesServeur r = reglagesCourses();
        r.cartesParJour = 3;
        serveur.reset();
        serveur = std::make_unique<ServeurEssai>(*essai.depot, r);
    }
    httplib::Result publier(const std::string& corps) {
        return serveur->client().Post("/carte", corps, "application/octet-stream");
    }
    std::string get(const std::string& chemin) {
        const auto r = serveur->client().Get(chemin.c_str());
        return r ? std::to_string(r->status) + "\n" + r->body : "no answer";
    }
};

TEST_P(Cartes, HostileUploadsAreRefusedWithTheirWordAndTheGoodOnesPublishedOnce) {
    const CarteEssai m0 = carteEssai(0), m1 = carteEssai(1), m2 = carteEssai(2), m3 = carteEssai(3);
    const Course& run = m1.course;
    Course court = run, ailleurs = run;
    court.entrees = Journal();
    Journal::Lecteur lecteur(run.entrees);
    EntreesPas pas;
    for (size_t i = 0; i + 1 < run.entrees.pas() && lecteur.suivant(pas); ++i) court.entrees.ajouter(pas);
    ailleurs.empreinte = m0.course.empreinte;
    const std::string bon = enveloppe(m1);
    const std::string inverse = ecrireEnveloppe({"T", "Ana", pngUni(8, 8), m1.octets, encoderCourse(run)});
    const struct {
        const char* quoi;
        std::string corps;
        int statut;
        std::string premiere;  // the answer's first line
    } cas[] = {
        {"a title with HTML", enveloppe(m0, "<script>alert(1)</script> & co"), 201, "publiee"},
        {"the same bytes again", enveloppe(m0, "Autre titre", "Bob"), 409, "existe"},
        {"a map too large", enveloppe("T", "Ana", std::string(kOctetsCarteMax + 1, '@'), "", run), 413, "refuse trop-gros"},
        {"a picture too large", enveloppe("T", "Ana", m1.octets, std::string(kOctetsApercuMax + 1, 'p'), run), 413,
         "refuse trop-gros"},
        {"a body too large", enveloppe("T", "Ana", m1.octets, "", run) + std::string(kCorpsCarteMax, 'x'), 413, ""},
        {"nothing a level holds", enveloppe("T", "Ana", "no record at all", "", run), 422, "refuse carte-illisible"},
        {"a ball that is not finite", enveloppe("T", "Ana", "@1,nan,0,0,3,1,1,1,0,0,0,b\n" + m1.octets, "", run), 422,
         "refuse carte-illisible"},
        {"a block that is not finite", enveloppe("T", "Ana", m1.octets + "@2,inf,0,0,1,1,1,1,0,0,0,c\n", "", run), 422,
         "refuse carte-illisible"},
        {"a run that does not finish", enveloppe("T", "Ana", m1.octets, "", court), 422, "refuse sans-arrivee"},
        {"a run of another map", enveloppe("T", "Ana", m1.octets, "", ailleurs), 422, "refuse sans-arrivee"},
        {"a picture that is not a PNG", enveloppe("T", "Ana", m1.octets, "GIF89a" + std::string(40, '\0'), run), 400,
         "refuse illisible"},
        {"a picture too wide", enveloppe("T", "Ana", m1.octets, pngUni(513, 4), run), 400, "refuse illisible"},
        {"a tab in the title", enveloppe(m1, "un\tdeux"), 400, "refuse illisible"},
        {"an author too long", enveloppe(m1, "T", std::string(25, 'a')), 400, "refuse illisible"},
        {"a truncated envelope", bon.substr(0, bon.size() - 3), 400, "refuse illisible"},
        {"bytes after the run", bon + "x", 400, "refuse illisible"},
        {"sections out of order", inverse, 400, "refuse illisible"},
        {"a size with a leading zero", "vorna-carte 1\ntitre T\nauteur A\ncarte 01\n@", 400, "refuse illisible"},
        {"another version", "vorna-carte 2" + bon.substr(13), 400, "refuse illisible"},
        {"a path for a name", enveloppe(m1, "../../etc/passwd", "a/b"), 201, "publiee"},
        {"the third of the day", enveloppe(m2), 201, "publiee"},
        {"a flood from one address", enveloppe(m3), 429, "refuse trop-de-cartes"},
        {"the same bytes past the limit", enveloppe(m0), 409, "existe"},
    };
    std::vector<std::string> ids;
    for (const auto& k : cas) {
        SCOPED_TRACE(k.quoi);
        const auto r = publier(k.corps);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, k.statut) << r->body;
        if (!k.premiere.empty()) {
            EXPECT_EQ(r->body.substr(0, r->body.find('\n')), k.premiere) << r->body;
        }
        if (r->status == 201 || r->status == 409) {
            const std::string id = r->body.substr(r->body.find("\nid ") + 4, r->body.find("\nadresse") - r->body.find("\nid ") - 4);
            EXPECT_NE(r->body.find("\nadresse /maps/" + id + "\n"), std::string::npos) << r->body;
            ids.push_back(id);
        }
    }
    ASSERT_EQ(ids, (std::vector<std::string>{"1", "1", "2", "3", "1"}));
    EXPECT_EQ(essai.depot->nombreCartes(), 3);

    // The HTML title shown as text; the author's run its first record, once.
    const std::string page = get("/maps/1");
    EXPECT_EQ(page.rfind("200\n", 0), 0u) << page;
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; co"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("src=\"/maps/1/apercu.png\""), std::string::npos);
    const std::vector<Entree> record = essai.depot->classement(0, 10, 0, m0.course.empreinte);
    ASSERT_EQ(record.size(), 1u);
    EXPECT_TRUE(record[0].nom == "Ana" && record[0].verifie && record[0].points == m0.course.points);
    EXPECT_EQ(get("/maps/1/apercu.png"), "200\n" + pngUni(64, 48));
    EXPECT_NE(get("/maps/1.json").find("\"titre\":\"\\u003cscript\\u003ealert(1)\\u003c/script\\u003e \\u0026 co\""),
              std::string::npos);

    // A download is the bytes under the map's number, never its title; one play per address a day.
    const auto telecharge = serveur->client().Get("/maps/2/carte.txt");
    ASSERT_TRUE(telecharge && telecharge->status == 200);
    EXPECT_EQ(telecharge->body, m1.octets);
    EXPECT_EQ(telecharge->get_header_value("Content-Disposition"), "attachment; filename=\"carte-2.txt\"");
    EXPECT_EQ(get("/maps/2/carte.txt"), "200\n" + m1.octets);
    const std::string liste = get("/maps.txt?tri=joues");
    const std::string points = std::to_string(run.points), chrono = std::to_string(run.chrono);
    EXPECT_EQ(liste, "200\nmaps 3 page 1 pages 1\n2\t" + m1.course.empreinte + "\t" + points + "\t" + chrono +
                         "\ta/b\t1\ta/b\t../../etc/passwd\n3\t" + m2.course.empreinte + "\t" + points + "\t" + chrono +
                         "\tAna\t0\tAna\tToboggan\n1\t" + m0.course.empreinte + "\t" + points + "\t" + chrono +
                         "\tAna\t0\tAna\t<script>alert(1)</script> & co\n");
    EXPECT_EQ(get("/maps.txt?page=2"), "200\nmaps 3 page 2 pages 1\n");
    for (const char* absent : {"/maps/4", "/maps/4/carte.txt", "/maps.txt?tri=x", "/maps?page=0"})
        EXPECT_EQ(get(absent).substr(0, 4), "404\n") << absent;
    EXPECT_NE(get("/maps").find("href=\"/maps/3\">Toboggan</a>"), std::string::npos);
    EXPECT_NE(get("/").find("href=\"/maps\""), std::string::npos);
}

TEST_P(Cartes, APublishedMapsRunsAreVerifiedAndRankedAfterARestartAndItIsRemovedWithItsScores) {
    const CarteEssai m = carteEssai(4);
    const std::string course = encoderCourse(m.course);
    EXPECT_EQ(serveur->client().Post("/course", course, "text/plain")->status, 404) << "a map not published";
    ASSERT_EQ(publier(enveloppe(m, "Sans image", "Ana"))->status, 201);
    demarrer();  // the maps stored are known again at start
    const auto r = serveur->client().Post("/course", course, "text/plain");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200) << r->body;
    EXPECT_NE(r->body.find("\nplace 1\n"), std::string::npos) << r->body;
    EXPECT_EQ(get("/map/" + m.course.empreinte + "/record.qzg").substr(0, 4), "200\n");

    EXPECT_EQ(retirerCarte(*essai.depot, 1), 0);
    EXPECT_EQ(retirerCarte(*essai.depot, 1), 1);
    EXPECT_EQ(get("/maps/1").substr(0, 4), "404\n");
    EXPECT_TRUE(essai.depot->classement(0, 10, 0, m.course.empreinte).empty());
    EXPECT_EQ(get("/maps.txt"), "200\nmaps 0 page 1 pages 1\n");
}

INSTANTIATE_TEST_SUITE_P(Magasins, Cartes, testing::Values(Magasin::Sqlite, Magasin::Postgres),
                         [](const auto& i) { return i.param == Magasin::Sqlite ? "Sqlite" : "Postgres"; });

}  // namespace
