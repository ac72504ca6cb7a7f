// The ball against the course: walls, floors, ceilings, gravity, and how a
// frame's moves play out over several frames.
#include <gtest/gtest.h>

#include <cmath>

#include "monde_physique.h"

namespace {

using namespace monde;

const std::string kBois = "data/sound/bois.wav";

using Collision = Monde;

// A block far from everything, so that the block under test is not the first
// of the course (the first one never stops a ball moving toward −x).
Cube lointain() { return bloc(1000, 1000, 1000, 1, 1, 1); }

TEST_F(Collision, TheWorkedWallExampleBlocksBouncesAtHalfSpeedAndKnocks) {
    // A ball of radius 1 at x = 10 moving at −0.3 toward a block over x 5 … 9.
    blocs = {lointain(), bloc(7, 0, 0, 2, 5, 5)};
    Heros b = balle(10, 0, 0);
    b.setSX(-0.3);
    EXPECT_FALSE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    EXPECT_EQ(b.getSX(), -0.3);  // the query itself changes nothing
    EXPECT_EQ(b.getSZ(), 0.0);   // and an x query applies no gravity

    image(jeu, b, blocs);
    EXPECT_DOUBLE_EQ(b.getX(), 10.15);
    EXPECT_DOUBLE_EQ(b.getSX(), 0.15 - 0.005);  // friction after the move
    EXPECT_EQ(sons(), (Sons{{kBois, 150}}));
}

TEST_F(Collision, TheFirstBlockNeverStopsABallMovingTowardMinusX) {
    blocs = {bloc(7, 0, 0, 2, 5, 5)};
    Heros b = balle(10, 0, 0);
    b.setSX(-0.3);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    // Toward +x the same first block is a wall.
    Heros c = balle(4, 0, 0);
    c.setSX(0.3);
    EXPECT_FALSE(jeu.collisionDetect(1, 0, 0, &c, blocs));
    // Toward ±y as well.
    Heros d = balle(7, 6.1, 0);
    d.setSY(-0.3);
    EXPECT_FALSE(jeu.collisionDetect(0, 1, 0, &d, blocs));
    Heros e = balle(7, -6.1, 0);
    e.setSY(0.3);
    EXPECT_FALSE(jeu.collisionDetect(0, 1, 0, &e, blocs));
}

// A wall along one axis (0: x, 1: y) on one side (+1 or −1) of a ball of
// radius 1 at the origin, with `ecart` between the ball's side and the wall.
struct Sens {
    int axe;
    int signe;
};

class Murs : public Monde, public ::testing::WithParamInterface<Sens> {
protected:
    // Whether the move query along the axis answers "free".
    bool libre(double ecart, double vitesse, const std::string& classe = "cube",
               double decalage = 0) {
        const Sens s = GetParam();
        double c[3] = {0, 0, 0}, l[3] = {5, 5, 5};
        c[s.axe] = s.signe * (1 + ecart + 2);
        l[s.axe] = 2;
        c[1 - s.axe] = decalage;  // moves the wall across the ball's path
        blocs = {lointain(), bloc(c[0], c[1], c[2], l[0], l[1], l[2], classe)};
        Heros b = balle(0, 0, 0);
        if (s.axe == 0)
            b.setSX(s.signe * vitesse);
        else
            b.setSY(s.signe * vitesse);
        bool r = jeu.collisionDetect(s.axe == 0, s.axe == 1, 0, &b, blocs);
        EXPECT_EQ(b.getSZ(), 0.0);
        return r;
    }
};

TEST_P(Murs, AWallWithinOneFramesReachStopsTheBall) {
    EXPECT_FALSE(libre(0.25, 0.25));  // exactly one frame away
    EXPECT_TRUE(libre(0.25 + 1.0 / 1024, 0.25));
    EXPECT_FALSE(libre(0, 0.25));
    EXPECT_FALSE(libre(0.125, 0.25));
    EXPECT_TRUE(libre(0.5, 0.25));
    // A still ball is never stopped, whatever is against it.
    EXPECT_TRUE(libre(0, 0));
    // Nor is a ball moving away from the wall.
    EXPECT_TRUE(libre(0, -0.25));
}

TEST_P(Murs, AWallMustOverlapThePathByMoreThanTheMargin) {
    // The ball spans −1 … 1 across its path; a wall of half-width 5 moved by
    // 5.75 overlaps it by 0.25, by 5.8125 only by 0.1875.
    EXPECT_FALSE(libre(0.125, 0.25, "cube", 5.75));
    EXPECT_FALSE(libre(0.125, 0.25, "cube", -5.75));
    EXPECT_TRUE(libre(0.125, 0.25, "cube", 5.8125));
    EXPECT_TRUE(libre(0.125, 0.25, "cube", -5.8125));
}

TEST_P(Murs, EveryClassButTheFallZoneIsAWall) {
    for (const std::string classe :
         {"cube", kDepart, "turbo", "sauvegarde", "jump", kArrivee, "bouton", "porte"})
        EXPECT_FALSE(libre(0.125, 0.25, classe)) << classe;
    EXPECT_TRUE(libre(0.125, 0.25, "limite"));
    EXPECT_TRUE(sons().empty());  // walls knock only through the run's bounce
}

INSTANTIATE_TEST_SUITE_P(QuatreSens, Murs,
                         ::testing::Values(Sens{0, 1}, Sens{0, -1}, Sens{1, 1}, Sens{1, -1}),
                         [](const auto& info) {
                             return std::string(info.param.axe == 0 ? "x" : "y") +
                                    (info.param.signe > 0 ? "Plus" : "Moins");
                         });

TEST_F(Collision, AFloorUnderTheBallsSideIsNotAWall) {
    // Resting on a floor, the floor's own side does not stop the ball: only
    // blocks reaching more than 0.2 above its bottom do.
    blocs = {lointain(), sol(0), bloc(2.125, 0, -0.8125, 1, 5, 1)};  // a step 0.1875 high
    Heros b = balle(0, 0, 1);
    b.setSX(0.25);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    blocs[2] = bloc(2.125, 0, -0.75, 1, 5, 1);  // 0.25 high
    EXPECT_FALSE(jeu.collisionDetect(1, 0, 0, &b, blocs));
}

TEST_F(Collision, LandingBouncesAQuarterUpAndKnocksWithTheNewSpeed) {
    blocs = {sol(0)};
    Heros b = balle(0, 0, 1.1);  // bottom 0.1 above the floor
    b.setSZ(-0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(b.getSZ(), 0.05);
    EXPECT_FALSE(jeu.getRoll());
    EXPECT_EQ(sons(), (Sons{{kBois, 50}}));

    b.setSZ(-0.02);
    b.setZ(1.02);  // bottom 0.02 above
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(b.getSZ(), 0.005);
    EXPECT_FALSE(jeu.getRoll());
    EXPECT_EQ(sons(), (Sons{{kBois, 5}}));
}

TEST_F(Collision, SlowLandingsStopDeadAndRoll) {
    blocs = {sol(0)};
    for (double v : {-0.005, -0.01, 0.0}) {
        jeu.setRoll(false);
        Heros b = balle(0, 0, 1.001);
        b.setSZ(v);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << v;
        EXPECT_EQ(b.getSZ(), 0.0) << v;
        EXPECT_TRUE(jeu.getRoll()) << v;
    }
    EXPECT_TRUE(sons().empty());
}

TEST_F(Collision, EverySolidFloorBouncesAndRests) {
    for (const std::string classe : {"cube", kDepart, "turbo", "sauvegarde"}) {
        blocs = {sol(0, classe)};
        Heros b = balle(0, 0, 1);
        b.setSZ(-0.2);
        jeu.collisionDetect(0, 0, 1, &b, blocs);
        EXPECT_EQ(b.getSZ(), 0.05) << classe;
        jeu.setRoll(false);
        b.setSZ(0);
        jeu.collisionDetect(0, 0, 1, &b, blocs);
        EXPECT_TRUE(jeu.getRoll()) << classe;
    }
}

TEST_F(Collision, ABallRestingOnAFloorStaysThereFrameAfterFrame) {
    blocs = {sol(0)};
    Heros b = balle(0, 0, 1);  // bottom exactly on the top face, still
    for (int i = 0; i < 20; ++i) {
        jeu.setRoll(false);
        image(jeu, b, blocs);
        EXPECT_EQ(b.getZ(), 1.0);
        EXPECT_EQ(b.getSZ(), 0.0);
        EXPECT_TRUE(jeu.getRoll());
    }
    EXPECT_TRUE(sons().empty());
}

TEST_F(Collision, TheLandingTestWidensTheFloorByTheFallSpeedAndATolerance) {
    // Floor over z −2 … 0; falling at −0.25 the ball is caught with its bottom
    // anywhere in −2.26 … 0.26.
    blocs = {sol(0)};
    auto attrape = [&](double bas, double vz) {
        Heros b = balle(0, 0, bas + 1);
        b.setSZ(vz);
        bool libre = jeu.collisionDetect(0, 0, 1, &b, blocs);
        if (libre) {
            EXPECT_DOUBLE_EQ(b.getSZ(), vz - 0.01);  // missed: gravity
        }
        return !libre;
    };
    EXPECT_TRUE(attrape(0.25 + 0.0099, -0.25));
    EXPECT_FALSE(attrape(0.25 + 0.0101, -0.25));
    EXPECT_TRUE(attrape(-2 - 0.25 - 0.0099, -0.25));
    EXPECT_FALSE(attrape(-2 - 0.25 - 0.0101, -0.25));
    EXPECT_TRUE(attrape(-1, -0.25));
    // At rest only the tolerance is left.
    EXPECT_TRUE(attrape(0.0099, 0));
    EXPECT_FALSE(attrape(0.0101, 0));
    EXPECT_TRUE(attrape(-2.0099, 0));
    EXPECT_FALSE(attrape(-2.0101, 0));
}

TEST_F(Collision, AFloorMustOverlapTheBallByMoreThanTheMargin) {
    // The ball spans x −1 … 1; a floor ending at x = −0.8 only overlaps 0.2.
    auto porte = [&](double bord, double axe) {
        Cube c = axe == 0 ? bloc(bord - 5, 0, -1, 5, 5, 1) : bloc(0, bord - 5, -1, 5, 5, 1);
        blocs = {c};
        Heros b = balle(0, 0, 1);
        return !jeu.collisionDetect(0, 0, 1, &b, blocs);
    };
    EXPECT_TRUE(porte(-0.75, 0));
    EXPECT_FALSE(porte(-0.8125, 0));
    EXPECT_TRUE(porte(-0.75, 1));
    EXPECT_FALSE(porte(-0.8125, 1));
}

TEST_F(Collision, CeilingsStopTheClimbAndSolidOnesBounceItBack) {
    Cube plafond = bloc(0, 0, 4, 50, 50, 1);  // z 3 … 5
    blocs = {plafond};
    Heros b = balle(0, 0, 1.9);  // top at 2.9
    b.setSZ(0.2);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(b.getSZ(), -0.05);
    EXPECT_EQ(sons(), (Sons{{kBois, 50}}));  // the magnitude of −50

    b.setSZ(0.02);
    b.setZ(1.99);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(b.getSZ(), -0.005);
    EXPECT_EQ(sons(), (Sons{{kBois, 5}}));

    b.setSZ(0.01);
    b.setZ(1.995);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_EQ(b.getSZ(), 0.0);
    EXPECT_TRUE(sons().empty());
    EXPECT_FALSE(jeu.getRoll());

    // Out of reach: the climb goes on, slowed by gravity.
    b.setZ(1.7);
    b.setSZ(0.2);
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSZ(), 0.19);
}

TEST_F(Collision, AnyOtherCeilingStopsTheClimbWithoutTouchingTheSpeedOrActing) {
    for (const std::string classe : {"jump", "limite", kArrivee, "bouton", "porte"}) {
        blocs = {bloc(0, 0, 4, 50, 50, 1, classe)};
        Heros b = balle(0, 0, 1.9);
        b.setSZ(0.2);
        EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs)) << classe;
        EXPECT_EQ(b.getSZ(), 0.2) << classe;
        EXPECT_FALSE(b.getWin());
        EXPECT_FALSE(b.getTombe2());
    }
    EXPECT_TRUE(sons().empty());
}

TEST_F(Collision, AnAirborneBallGainsGravityOnlyFromTheVerticalQuery) {
    blocs = {sol(0)};
    Heros b = balle(0, 0, 10);
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.01);
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.02);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    EXPECT_TRUE(jeu.collisionDetect(0, 1, 0, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.02);
    // With no course at all the ball just falls.
    std::vector<Cube> vide;
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, vide));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.03);
    b.setSX(-0.3);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, vide));
    // A frozen ball gets no gravity.
    b.setPause(true);
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_DOUBLE_EQ(b.getSZ(), -0.03);
}

TEST_F(Collision, DuringTheStartPhaseEveryQueryIsFreeAndNothingHappens) {
    jeu.setDebut(true);
    blocs = {lointain(), bloc(7, 0, 0, 2, 5, 5), sol(0, kArrivee), bloc(0, 0, 4, 50, 50, 1)};
    Heros b = balle(10, 0, 1);
    b.setSX(-0.3);
    b.setSZ(-0.2);
    EXPECT_TRUE(jeu.collisionDetect(1, 0, 0, &b, blocs));
    EXPECT_TRUE(jeu.collisionDetect(0, 1, 0, &b, blocs));
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    Heros haut = balle(0, 0, 10);
    EXPECT_TRUE(jeu.collisionDetect(0, 0, 1, &haut, blocs));
    EXPECT_EQ(haut.getSZ(), 0.0);  // no gravity
    EXPECT_EQ(b.getSZ(), -0.2);
    EXPECT_EQ(b.getSX(), -0.3);
    EXPECT_FALSE(b.getWin());
    EXPECT_FALSE(jeu.getRoll());
    EXPECT_TRUE(sons().empty());

    // The ball hangs in place through a whole frame.
    Heros c = balle(0, 0, 10);
    image(jeu, c, blocs, Touches{true, false, true, false});
    EXPECT_EQ(c.getZ(), 10);
    EXPECT_EQ(c.getX(), 0);
    EXPECT_EQ(c.getSX(), 0);
}

TEST_F(Collision, OnTwoBlocksOnlyTheEarlierOneActs) {
    // The ball straddles two floors at the same height.
    Heros b = balle(0, 0, 1);
    b.setSZ(-0.005);
    blocs = {lointain(), bloc(-2, 0, -1, 2.5, 5, 1, "cube"), bloc(2, 0, -1, 2.5, 5, 1, "sauvegarde")};
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_FALSE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 0u);
    std::swap(blocs[1], blocs[2]);
    EXPECT_FALSE(jeu.collisionDetect(0, 0, 1, &b, blocs));
    EXPECT_TRUE(jeu.getCheckpoint());
    EXPECT_EQ(jeu.getLastCheckpoint(), 1u);

    // A launch pad listed before a floor launches; listed after, it does not.
    b.setSZ(-0.2);
    blocs = {lointain(), bloc(-2, 0, -1, 2.5, 5, 1, "jump"), bloc(2, 0, -1, 2.5, 5, 1)};
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(b.getSZ(), 0.5);
    b.setSZ(-0.2);
    std::swap(blocs[1], blocs[2]);
    jeu.collisionDetect(0, 0, 1, &b, blocs);
    EXPECT_EQ(b.getSZ(), 0.05);
}

// Several frames of play.

TEST_F(Collision, ABallDroppedOntoAFloorSettlesAndThenRests) {
    blocs = {sol(0)};
    Heros b = balle(0, 0, 3, 0.5);
    for (int i = 0; i < 400; ++i) {
        jeu.setRoll(false);
        image(jeu, b, blocs);
    }
    ASSERT_EQ(b.getSZ(), 0.0);
    EXPECT_NEAR(b.getZ() - 0.5, 0.0, 0.02);  // on the top face, within the tolerance
    const double repos = b.getZ();
    for (int i = 0; i < 20; ++i) {
        jeu.setRoll(false);
        image(jeu, b, blocs);
        EXPECT_EQ(b.getZ(), repos);
        EXPECT_EQ(b.getSZ(), 0.0);
        EXPECT_TRUE(jeu.getRoll());
    }
    // It bounced a few times, the first impact the loudest.
    Sons s = sons();
    ASSERT_GE(s.size(), 2u);
    for (size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].first, kBois);
        EXPECT_LE(s[i].second, s[0].second);
    }
}

TEST_F(Collision, ABallRolledOffAnEdgeFalls) {
    blocs = {bloc(0, 0, -1, 5, 5, 1)};  // x −5 … 5, top at 0
    Heros b = balle(0, 0, 0.5, 0.5);
    bool tombe = false;
    for (int i = 0; i < 200 && b.getZ() > -20; ++i) {
        Touches t;
        t.bas = true;  // thrust toward +x
        image(jeu, b, blocs, t);
        if (b.getX() - 0.5 < 4.8) {
            // Its side still lies more than 0.2 over the floor: carried.
            EXPECT_FALSE(tombe);
            EXPECT_EQ(b.getZ(), 0.5) << "frame " << i;
        } else {
            tombe = true;
            EXPECT_LT(b.getSZ(), 0.0) << "frame " << i;
        }
    }
    EXPECT_TRUE(tombe);
    EXPECT_LT(b.getZ(), -20);
}

TEST_F(Collision, ABallThrustIntoAWallBouncesBackAndKnocks) {
    blocs = {sol(0), bloc(3, 0, 1, 1, 5, 2)};  // a wall from x = 2
    Heros b = balle(0, 0, 1);
    Touches t;
    t.bas = true;
    int frames = 0;
    while (b.getSX() >= 0 && frames < 100) {
        image(jeu, b, blocs, t);
        ++frames;
        EXPECT_LE(b.getX() + 1, 2.0);  // never into the wall
    }
    EXPECT_LT(frames, 100);
    EXPECT_LT(b.getSX(), 0);
    Sons s = sons();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].first, kBois);
    EXPECT_GT(s[0].second, 0);
}

}  // namespace
