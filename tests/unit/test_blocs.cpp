// What the special blocks do to a ball that lands on them, and the pick-ups.
#include <gtest/gtest.h>

#include <algorithm>

#include "monde_physique.h"

namespace {

using namespace monde;

const std::string kBois = "data/sound/bois.wav";
const std::string kTriangle = "data/sound/triangle.wav";
const std::string kSpring = "data/sound/spring.wav";
const std::string kArriveeWav = "data/sound/arrivee.wav";
const std::string kFall = "data/sound/fall.wav";

using Blocs = Monde;

Cube lointainBloc() { return bloc(1000, 1000, 1000, 1, 1, 1); }

// A floor block of class `classe` whose top face is at 0, under x = cx.
Cube dalle(double cx, const std::string& classe, double cy = 0) {
    return bloc(cx, cy, -1, 2, 2, 1, classe);
}

// A ball of radius 1 on (or just above) the block under x = cx, falling at vz.
Heros surDalle(double cx, double vz, double cy = 0) {
    Heros b = balle(cx, cy, 1.001);
    b.setSZ(vz);
    return b;
}

TEST_F(Blocs, TurboPushesTowardMinusXOnEveryLandingWhateverItsTurnOrTheHeading) {
    Cube turbo(0, 0, -1, 1, 5, 5, 1, 0, 0, 90, 0, "turbo", false);  // turned a quarter
    blocs = {turbo};
    Heros b = balle(0, 0, 1);
    b.setSY(0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSX(), -0.02);
    EXPECT_EQ(b.getSY(), 0.2);
    EXPECT_EQ(b.getSZ(), 0.0);
    EXPECT_TRUE(jeu.getRoll());
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_DOUBLE_EQ(b.getSX(), -0.04);
    // Bouncing on it pushes too.
    b.setSZ(-0.2);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_DOUBLE_EQ(b.getSX(), -0.06);
    EXPECT_EQ(b.getSZ(), 0.05);
    // Sideways queries never push.
    jeu.collisionDetect(1, 0, 0, &b, blocs);
    jeu.collisionDetect(0, 1, 0, &b, blocs);
    EXPECT_DOUBLE_EQ(b.getSX(), -0.06);
}

TEST_F(Blocs, ABallRollingAcrossATurboGainsSpeedOnEveryFrameOfContact) {
    // A turbo over x −20 … 0, then a long plain floor; the turbo comes first
    // in the course, so it acts whenever it carries the ball.
    blocs = {bloc(-10, 0, -1, 10, 50, 1, "turbo"), bloc(-510, 0, -1, 490, 50, 1)};
    Heros b = balle(0, 0, 0.5, 0.5);
    int contact = 0, libre = 0;
    double pire = 0;
    for (int i = 0; i < 150; ++i) {
        const double avant = b.getSX();
        image(jeu, b, blocs);
        ASSERT_EQ(b.getZ(), 0.5) << "frame " << i;
        const bool surTurbo = b.getX() - 0.5 < -0.2 && b.getX() + 0.5 > -19.8;
        // Friction and the soft limit act after the push.
        double attendu = avant + (surTurbo ? -0.02 : 0.0);
        if (attendu <= -0.005)
            attendu += 0.005;
        else if (attendu < 0)
            attendu = 0;
        if (attendu <= -0.4) attendu += 0.01;
        EXPECT_NEAR(b.getSX(), attendu, 1e-9) << "frame " << i;
        (surTurbo ? contact : libre)++;
        pire = std::min(pire, b.getSX());
    }
    EXPECT_GT(contact, 30);
    EXPECT_GT(libre, 30);
    // The push outruns the soft limit while the ball is on the turbo.
    EXPECT_LT(pire, -0.45);
    // Off it, the ball slows back under the limit.
    EXPECT_GT(b.getSX(), -0.4);
}

TEST_F(Blocs, ACheckpointStoresAPointAboveItselfOnce) {
    blocs = {lointainBloc(), dalle(-10, "cube"), bloc(3, 4, -1.5, 2, 2, 1.5, "sauvegarde")};
    Heros b = balle(3, 4, 1.001);
    b.setSZ(-0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 2u);
    EXPECT_EQ(jeu.getXSave(), 3);
    EXPECT_EQ(jeu.getYSave(), 4);
    EXPECT_DOUBLE_EQ(jeu.getZSave(), 2.1);  // 2.1 above the top face
    EXPECT_EQ(b.getSZ(), 0.05);             // a solid floor: it bounces
    EXPECT_EQ(sons(), (Sons{{kBois, 50}, {kTriangle, 255}}));

    // Landing on it again, even once the message is gone, does nothing.
    jeu.setCheckpoint(false);
    jeu.setSave(0, 0, 0);
    b.setSZ(0);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getXSave(), 0);
    EXPECT_TRUE(sons().empty());
}

TEST_F(Blocs, CheckpointsCountOnlyInIncreasingCourseOrder) {
    blocs = {dalle(0, "sauvegarde"), dalle(10, "cube"), dalle(20, "sauvegarde"),
             dalle(30, "sauvegarde")};
    // The first block of the course can never be taken.
    Heros b = surDalle(0, 0);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 0u);
    EXPECT_TRUE(sons().empty());

    Heros c = surDalle(30, 0);
    jeu.collisionDetect(0, 0, 1, &c, blocs);
    EXPECT_EQ(jeu.getLastCheckpoint(), 3u);
    EXPECT_EQ(jeu.getXSave(), 30);
    EXPECT_EQ(sons(), (Sons{{kTriangle, 255}}));

    jeu.setCheckpoint(false);
    Heros d = surDalle(20, 0);
    jeu.collisionDetect(0, 0, 1, &d, blocs);
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 3u);
    EXPECT_EQ(jeu.getXSave(), 30);
    EXPECT_TRUE(sons().empty());

    // A new run starts over.
    jeu.resetDonnees();
    jeu.setDebut(false);
    jeu.collisionDetect(0, 0, 1, &d, blocs);
    EXPECT_EQ(jeu.getLastCheckpoint(), 2u);
    EXPECT_EQ(jeu.getXSave(), 20);
}

TEST_F(Blocs, ALaunchPadSendsTheBallUpAtHalfAUnitWhateverItsFall) {
    blocs = {dalle(0, "jump")};
    for (double vz : {0.0, -0.005, -0.2, -0.9}) {
        Heros b = balle(0, 0, 1.001 - vz);
        b.setSZ(vz);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << vz;
        EXPECT_EQ(b.getSZ(), 0.5) << vz;  // no gravity on top
        EXPECT_EQ(sons(), (Sons{{kSpring, 255}})) << vz;
    }
    EXPECT_FALSE(jeu.getRoll());
}

TEST_F(Blocs, TheFinishWinsAndSoundsOnlyOnce) {
    blocs = {dalle(0, kArrivee)};
    Heros b = balle(0, 0, 2);
    b.setSZ(-0.1);
    int frames = 0;
    while (!b.getWin() && frames < 50) {
        image(jeu, b, blocs);
        ++frames;
    }
    ASSERT_TRUE(b.getWin());
    const double x = b.getX(), z = b.getZ(), vz = b.getSZ();
    EXPECT_LT(vz, -0.01);  // no bounce: the finish keeps the fall speed
    EXPECT_EQ(sons(), (Sons{{kArriveeWav, 255}}));

    // The ball stays where it finished, neither bouncing nor gaining gravity.
    Touches t;
    t.haut = true;
    for (int i = 0; i < 5; ++i) image(jeu, b, blocs, t);
    EXPECT_EQ(b.getZ(), z);
    EXPECT_EQ(b.getX(), x);
    EXPECT_EQ(b.getSZ(), vz);
    EXPECT_TRUE(b.getWin());
    EXPECT_TRUE(sons().empty());
}

TEST_F(Blocs, AFallZoneRequestsAFallAndSoundsOncePerFall) {
    blocs = {dalle(0, "limite")};
    Heros b = surDalle(0, -0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(b.getTombe2());
    EXPECT_EQ(b.getSZ(), -0.2);  // kept: no bounce, no gravity
    EXPECT_EQ(sons(), (Sons{{kFall, 255}}));
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_TRUE(sons().empty());

    // Once the run has started the fall, a further landing is silent too.
    b.tombe2(false);
    b.tombe(true);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_TRUE(b.getTombe2());
    EXPECT_TRUE(sons().empty());

    // Put back, the next fall sounds again.
    b.tombe(false);
    b.tombe2(false);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(sons(), (Sons{{kFall, 255}}));
    EXPECT_FALSE(jeu.getRoll());
}

TEST_F(Blocs, ABallFallsThroughAFallZoneAtTheSpeedItHad) {
    blocs = {dalle(0, "limite")};
    Heros b = balle(0, 0, 1.5);
    b.setSZ(-0.1);
    for (int i = 0; i < 30; ++i) image(jeu, b, blocs);
    // Carried through the zone without gravity, then falling freely below it.
    EXPECT_LT(b.getZ() + 1, -2.0);
    EXPECT_LT(b.getSZ(), -0.1);
    EXPECT_TRUE(b.getTombe2());
    EXPECT_EQ(sons(), (Sons{{kFall, 255}}));
}

TEST_F(Blocs, ButtonsAndDoorsCarryTheBallWithoutEffect) {
    for (const std::string classe : {"bouton", "porte"}) {
        blocs = {dalle(0, classe)};
        Heros b = surDalle(0, -0.2);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << classe;
        EXPECT_EQ(b.getSZ(), -0.2) << classe;
        EXPECT_EQ(b.getSX(), 0.0);
        EXPECT_FALSE(b.getWin());
        EXPECT_FALSE(b.getTombe2());
    }
    EXPECT_FALSE(jeu.getRoll());
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_TRUE(sons().empty());
}

// Pick-ups.

Bonus bonus(double x, double y, double z, double rayon, const std::string& classe) {
    return Bonus(x, y, z, 1, rayon, rayon, rayon, 0, 0, 0, 0, classe);
}

TEST_F(Blocs, APickUpIsTakenWithinTheBallsRadiusPlusHalfItsOwn) {
    Heros b = balle(0, 0, 0, 1);
    // mindis = 1 + 2 / 2 = 2.
    Bonus juste = bonus(2, 0, 0, 2, "vie");
    Bonus loin = bonus(2 + 1.0 / 1024, 0, 0, 2, "vie");
    Bonus rayonEntier = bonus(2.5, 0, 0, 2, "vie");  // within 1 + 2, not 1 + 1
    jeu.verifieBonus(&b, &juste);
    jeu.verifieBonus(&b, &loin);
    jeu.verifieBonus(&b, &rayonEntier);
    EXPECT_FALSE(juste.getExiste());
    EXPECT_TRUE(loin.getExiste());
    EXPECT_TRUE(rayonEntier.getExiste());

    // The distance is measured in three dimensions.
    Heros c = balle(0, 0, 0, 3);
    Bonus diagonale = bonus(3, 0, 4, 4, "vie");  // 5 apart, mindis 5
    Bonus dessus = bonus(1.5, 0, 4.5, 1, "vie");  // 1.5 apart along x only
    jeu.verifieBonus(&c, &diagonale);
    jeu.verifieBonus(&c, &dessus);
    EXPECT_FALSE(diagonale.getExiste());
    EXPECT_TRUE(dessus.getExiste());
}

TEST_F(Blocs, ALifePickUpAddsOneLifeOnceAndASpeedPickUpRaisesTheLimit) {
    Heros b = balle(0, 0, 0);
    Bonus vie = bonus(0.5, 0, 0, 1, "vie");
    jeu.verifieBonus(&b, &vie);
    jeu.verifieBonus(&b, &vie);  // taken: not again
    EXPECT_EQ(b.getVie(), 4);
    Bonus vitesse = bonus(0, 0.5, 0, 1, "speed");
    jeu.verifieBonus(&b, &vitesse);
    jeu.verifieBonus(&b, &vitesse);
    EXPECT_DOUBLE_EQ(b.getSM(), 0.5);
    // Any other kind is taken with no effect.
    Bonus autre = bonus(0, 0, 0.5, 1, "cube");
    jeu.verifieBonus(&b, &autre);
    EXPECT_FALSE(autre.getExiste());
    EXPECT_EQ(b.getVie(), 4);
    EXPECT_DOUBLE_EQ(b.getSM(), 0.5);
    // The "bonus" sound has no sample: pick-ups are silent.
    EXPECT_TRUE(sons().empty());
}

TEST_F(Blocs, TwoPickUpsTouchedInOneFrameAreBothTaken) {
    Heros b = balle(0, 0, 0);
    std::vector<Bonus> bonus_ = {bonus(0.5, 0, 0, 1, "vie"), bonus(-0.5, 0, 0, 1, "vie"),
                                 bonus(9, 0, 0, 1, "vie")};
    for (Bonus& p : bonus_) jeu.verifieBonus(&b, &p);
    EXPECT_FALSE(bonus_[0].getExiste());
    EXPECT_FALSE(bonus_[1].getExiste());
    EXPECT_TRUE(bonus_[2].getExiste());
    EXPECT_EQ(b.getVie(), 5);
}

}  // namespace
