// SPDX-License-Identifier: GPL-3.0-or-later
// What the game makes of the score server's answers, and the world's
// records fetched from a server started here.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "dossier.h"
#include "envoi_course.h"
#include "mondial.h"
#include "score.h"
#include "serveur_hostile.h"

namespace {

TEST(ReponseCourse, OnlyTheServersOwnWordsCountAnythingElseIsAServerOutOfReach) {
    using R = ReponseCourse;
    const struct { long statut; std::string corps, erreur; R::Issue issue; std::string ecran; } cas[] = {
        {200, "verifie\nid 7\nplace 12\nnom /nom?jeton=x\n", "", R::Verifiee, "Score verifie : 12e place"},
        {200, "verifie\r\nid 7\r\nplace 1\r\nnom /n\r\n", "", R::Verifiee, "Score verifie : 1e place"},
        {200, "verifie\nid 7\nplace 0\nnom /n\n", "", R::Injoignable, "Serveur des scores injoignable"},
        {200, "verifie\nid 7\nplace 3\nnom http://ailleurs/\n", "", R::Injoignable, "Serveur des scores injoignable"},
        {200, "verifie\nid 7\nplace 3\nnom /a b\n", "", R::Injoignable, "Serveur des scores injoignable"},
        {200, "<html>", "", R::Injoignable, "Serveur des scores injoignable"},
        {413, "refuse trop-long\nCourse trop longue.\n", "", R::Refusee, "Course trop longue."},
        {404, "refuse niveau-inconnu\n\x01\n", "", R::Injoignable, "Serveur des scores injoignable"},
        {429, "", "", R::Refusee, "Trop d'envois : reessayer plus tard"},
        {503, "refuse x\ny\n", "", R::Injoignable, "Serveur des scores injoignable"},
        {0, "", "Connection refused", R::Injoignable, "Serveur des scores injoignable"},
    };
    for (const auto& c : cas) {
        RequeteHttp::Reponse h;
        h.statut = c.statut, h.corps = c.corps, h.erreur = c.erreur;
        const R r = lireReponseCourse(h);
        EXPECT_EQ(r.issue, c.issue) << c.statut << " " << c.corps;
        EXPECT_EQ(texteReponseCourse(r), c.ecran) << c.corps;
    }
    RequeteHttp::Reponse h;
    h.statut = 200, h.corps = "verifie\nid 7\nplace 3\nnom /nom?jeton=x\n";
    EXPECT_EQ(lireReponseCourse(h).nom, "/nom?jeton=x");
}

TEST(RecordsMondiaux, TheListReadsLevelByLevelIsKeptAndServesWhenTheServerIsAway) {
    const auto lus = lireRecordsMondiaux("3 1500 900 Ana Maria\n4 -2 10 x\nbad line\n0 1 1 z\n5 1 -1 y\n6 1 2\n");
    const std::map<unsigned int, RecordMondial> attendus = {
        {3, {1500, 900, "Ana Maria"}}, {4, {-2, 10, "x"}}, {6, {1, 2, ""}}};
    EXPECT_EQ(lus, attendus);

    DossierTemporaire d;
    mkdir("data", 0777), mkdir("data/joueur", 0777);
    for (const bool present : {true, false}) {  // fetched, then the server away: the list kept
        ServeurHostile serveur(present ? ServeurHostile::Fixe : ServeurHostile::Refuse,
                               {{"/records.txt", ServeurHostile::http(200, "3 1500 900 Ana\n")}});
        setServeurScore(serveur.adresse());
        RecordsMondiaux m;
        m.charger(true);
        bool venu = false;
        for (int i = 0; i < (present ? 500 : 30) && !venu; ++i) venu = m.suivre(), usleep(10000);
        EXPECT_EQ(venu, present);
        ASSERT_NE(m.trouver(3), nullptr);
        EXPECT_EQ(m.trouver(3)->nom, "Ana");
    }
    setServeurScore(kServeurScore);
}

}  // namespace
