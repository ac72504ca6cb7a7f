// SPDX-License-Identifier: GPL-3.0-or-later
// Runs played by the autopilot through the rules core, posted to a real
// server on both stores: verified, kept once, ranked above the old link's
// scores, named, served back as the very ghost the game writes; refused
// when anything in them was changed; removed and verified again from the
// command line's operations.
#include <gtest/gtest.h>

#include "course_pilotee.h"
#include "dossier.h"
#include "empreinte.h"
#include "moderation.h"
#include "support_serveur.h"

namespace {

// One run of level 1 for every test: the autopilot's.
const CoursePilotee& pilotee() {
    static const CoursePilotee c = piloterCourse(1);
    return c;
}

struct Courses : testing::TestWithParam<Magasin> {
    DossierTemporaire dossier;
    DepotEssai essai{GetParam()};
    std::unique_ptr<ServeurEssai> serveur;
    void SetUp() override {
        if (!essai.absent.empty()) GTEST_SKIP() << "PostgreSQL: " << essai.absent;
        ASSERT_FALSE(pilotee().course.empreinte.empty()) << "the autopilot did not finish level 1";
        serveur = std::make_unique<ServeurEssai>(*essai.depot, reglagesCourses());
    }
    httplib::Result poster(const std::string& corps) {
        return serveur->client().Post("/course", corps, "text/plain");
    }
    // The value of line "CLE VALUE" of an answer.
    static std::string valeur(const std::string& corps, const std::string& cle) {
        const size_t i = corps.find("\n" + cle + " ");
        return i == std::string::npos ? "" : corps.substr(i + cle.size() + 2, corps.find('\n', i + 1) - i - cle.size() - 2);
    }
};

// The same run with its steps' inputs changed by `changer`, or dropped where it answers false.
std::string autresEntrees(const Course& c, const std::function<bool(size_t, EntreesPas&)>& changer) {
    Course r = c;
    r.entrees = Journal();
    Journal::Lecteur l(c.entrees);
    EntreesPas e;
    for (size_t i = 0; l.suivant(e); ++i)
        if (changer(i, e)) r.entrees.ajouter(e);
    return encoderCourse(r);
}

TEST_P(Courses, AFinishedRunIsVerifiedKeptOnceRankedAboveTheOldLinkNamedAndServedAsTheGamesGhost) {
    const Course& c = pilotee().course;
    auto client = serveur->client();
    // An old link's higher score, named.
    const std::string jetonAncien = jetonDe(client.Get(lienScore(1, c.points + 500).c_str())->body);
    ASSERT_EQ(client.Post("/nommer", "jeton=" + jetonAncien + "&nom=Ancien", "application/x-www-form-urlencoded")->status, 303);

    const auto r = poster(encoderCourse(c));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200) << r->body;
    EXPECT_EQ(r->body.rfind("verifie\nid ", 0), 0u) << r->body;
    EXPECT_EQ(valeur(r->body, "place"), "1");
    const std::string nom = valeur(r->body, "nom");
    const auto deNouveau = poster(encoderCourse(c));  // the very same run: the same answer, kept once
    EXPECT_TRUE(deNouveau && deNouveau->status == 200 && deNouveau->body == r->body);
    EXPECT_EQ(client.Get("/niveau/1/record.qzg")->status, 404) << "a run not named is not a record yet";

    const auto formulaire = client.Get(nom.c_str());
    ASSERT_TRUE(formulaire && formulaire->status == 200);
    const std::string jeton = jetonDe(formulaire->body);
    ASSERT_EQ(nom, "/nom?jeton=" + jeton);
    EXPECT_EQ(client.Post("/nommer", "jeton=" + jeton + "&nom=Pilote", "application/x-www-form-urlencoded")->status, 303);
    EXPECT_EQ(client.Get(nom.c_str())->status, 410);

    const std::vector<Entree> liste = essai.depot->classement(1, 10);
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_TRUE(liste[0].nom == "Pilote" && liste[0].verifie && liste[0].chrono == c.chrono && liste[0].points == c.points);
    EXPECT_TRUE(liste[1].nom == "Ancien" && !liste[1].verifie);
    const std::string json = client.Get("/niveau/1.json")->body;
    EXPECT_NE(json.find("\"nom\":\"Pilote\",\"points\":" + std::to_string(c.points) + ",\"verifie\":true,\"chrono\":" +
                        std::to_string(c.chrono)), std::string::npos) << json;
    EXPECT_NE(json.find("\"nom\":\"Ancien\",\"points\":" + std::to_string(c.points + 500) + ",\"verifie\":false,"),
              std::string::npos) << json;
    EXPECT_NE(client.Get("/niveau/1")->body.find("<td class=\"v\">vérifié</td>"), std::string::npos);
    EXPECT_EQ(client.Get("/records.txt")->body,
              "1 " + std::to_string(c.points) + " " + std::to_string(c.chrono) + " Pilote\n");

    const auto fantome = client.Get("/niveau/1/record.qzg");
    ASSERT_TRUE(fantome && fantome->status == 200);
    EXPECT_EQ(fantome->body, pilotee().fantome) << "the ghost served is the one the game writes";
    EXPECT_EQ(client.Get("/niveau/2/record.qzg")->status, 404);
    EXPECT_EQ(client.Get(("/map/" + std::string(64, 'a') + "/record.qzg").c_str())->status, 404);
}

TEST_P(Courses, EveryChangedOrBrokenRunIsRefusedWithItsWord) {
    const Course& c = pilotee().course;
    const std::string hex2 = empreinte(piloterCourse(2).octetsNiveau);
    const auto modifiee = [&](const std::function<void(Course&)>& f) {
        Course m = c;
        f(m);
        return encoderCourse(m);
    };
    const struct {
        const char* quoi;
        std::string corps;
        int statut;
        const char* mot;
    } cas[] = {
        {"points + 1", modifiee([](Course& m) { m.points += 1; }), 422, "resultat-different"},
        {"chrono - 1", modifiee([](Course& m) { m.chrono -= 1; }), 422, "resultat-different"},
        {"one input more", autresEntrees(c, [&](size_t i, EntreesPas& e) {
             if (i == c.entrees.pas() / 2) e.push_back({Touche::Gauche, true});
             return true;
         }), 422, "resultat-different"},
        {"cut short", autresEntrees(c, [&](size_t i, EntreesPas&) { return i + 1 < c.entrees.pas(); }), 422,
         "resultat-different"},
        {"level 2's hash", modifiee([&](Course& m) { m.niveau = 2, m.empreinte = hex2; }), 422, "resultat-different"},
        {"level 2's hash as level 1", modifiee([&](Course& m) { m.empreinte = hex2; }), 404, "niveau-inconnu"},
        {"a level not known", modifiee([](Course& m) { m.empreinte = std::string(64, 'b'); }), 404, "niveau-inconnu"},
        {"ten million steps", modifiee([](Course& m) {
             m.entrees = Journal();
             m.entrees.lire("10000000.", 20000000);
             m.chrono = 1;
         }), 413, "trop-long"},
        {"garbage", std::string("\x01\xff garbage\n", 11), 400, "illisible"},
        {"empty", "", 400, "illisible"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.quoi);
        const auto r = poster(k.corps);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, k.statut) << r->body;
        EXPECT_EQ(r->body.rfind(std::string("refuse ") + k.mot + "\n", 0), 0u) << r->body;
    }
    EXPECT_TRUE(essai.depot->classement(1, 10).empty());
    EXPECT_EQ(serveur->client().Post("/course", std::string(3u << 20, 'x'), "text/plain")->status, 413);
}

TEST_P(Courses, RemovedByIdOrNameAndVerifiedAgainOnTheLevelsKnown) {
    Depot& d = *essai.depot;
    CourseRecue r{1, pilotee().course.empreinte, pilotee().course.points, pilotee().course.chrono,
                  static_cast<int64_t>(pilotee().course.entrees.pas()), pilotee().course.entrees.texte(), "127.0.0.1", 100};
    const CourseGardee g = d.garderCourse(r, "jeton1");
    EXPECT_TRUE(g.nouvelle);
    EXPECT_FALSE(d.garderCourse(r, "jeton2").nouvelle);
    ASSERT_EQ(d.nommer("jeton1", "Triche", 0).etat, Nommage::Nomme);
    d.garderEnAttente("jeton3", 1, 99999, 100);
    ASSERT_EQ(d.nommer("jeton3", "Triche", 0).etat, Nommage::Nomme);

    NiveauxConnus aucun;
    EXPECT_EQ(reverifierEtDire(d, aucun, 10), 0);
    EXPECT_FALSE(d.classement(1, 10)[0].verifie) << "a run whose level is gone is no longer ranked as verified";
    const BilanReverification b = reverifier(d, *niveauxDuJeu(), 10);
    EXPECT_TRUE(b.verifiees == 1 && b.refusees == 0 && b.niveauInconnu == 0);
    EXPECT_EQ(d.classement(1, 10)[0].id, g.id);
    EXPECT_EQ(retirerEntree(d, g.id), 0);
    EXPECT_EQ(retirerEntree(d, g.id), 1);
    EXPECT_EQ(d.classement(1, 10).size(), 1u);
    EXPECT_TRUE(d.garderCourse(r, "jeton4").nouvelle) << "a removed run may come again";
    EXPECT_EQ(retirerNom(d, "Triche"), 0);
    EXPECT_TRUE(d.classement(1, 10).empty());
    EXPECT_EQ(retirerNom(d, "Personne"), 1);
}

INSTANTIATE_TEST_SUITE_P(Magasins, Courses, testing::Values(Magasin::Sqlite, Magasin::Postgres),
                         [](const auto& i) { return i.param == Magasin::Sqlite ? "Sqlite" : "Postgres"; });

}  // namespace
