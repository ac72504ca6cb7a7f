// SPDX-License-Identifier: GPL-3.0-or-later
#include "deux_facons.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "dessin_rapide.h"
#include "fenetre_test.h"

namespace {

// The most pixels differing in one frame, and where.
struct Ecart {
    std::size_t pixels = 0, total = 1;
    std::string ou;
    double part() const { return 100.0 * pixels / total; }
    bool operator<(const Ecart& e) const { return pixels * e.total < e.pixels * total; }
};
Ecart ecartDuTest;  // the largest seen by the current test
bool comparaisonFaite = false;

struct Rapport : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& t) override {
        if (!comparaisonFaite) return;
        std::printf("[ fast/plain ] %s: at most %.4f %% of a frame's pixels differ (%zu of %zu, %s)\n", t.name(),
                    ecartDuTest.part(), ecartDuTest.pixels, ecartDuTest.total, ecartDuTest.ou.c_str());
        ecartDuTest = Ecart{};
        comparaisonFaite = false;
    }
};

// Runs `activite` drawn one way, from the same GL state, `parImage` called on
// every frame before the script's own reaction.
void parcourir(bool simple, const ScriptImages& script, const std::function<void()>& activite,
               const std::function<void()>& parImage) {
    reinitialiserGL();
    choisirDessinSimple(simple);
    SystemeScript systeme;
    systeme.surImage([&](int f) {
        parImage();
        if (script.image) script.image(systeme, f);
    });
    if (script.debut) script.debut(systeme);
    activite();
    choisirDessinSimple(false);
}

}  // namespace

std::vector<uint64_t> empreintesImages(bool simple, const ScriptImages& script,
                                       const std::function<void()>& activite) {
    std::vector<uint64_t> r;
    parcourir(simple, script, activite, [&] { r.push_back(empreinteEcran()); });
    return r;
}

void memesImages(const ScriptImages& script, const std::function<void()>& activite,
                 const std::string& quoi, std::size_t framesMin) {
    static const bool inscrit = (::testing::UnitTest::GetInstance()->listeners().Append(new Rapport), true);
    (void)inscrit;
    std::vector<std::vector<Pixel>> rapide;
    parcourir(false, script, activite, [&] { rapide.push_back(lireEcran()); });
    std::size_t f = 0;
    Ecart pire;
    parcourir(true, script, activite, [&] {
        if (f < rapide.size()) {
            const std::vector<Pixel> simple = lireEcran();
            std::size_t d = 0;
            for (std::size_t i = 0; i < simple.size(); ++i) d += i >= rapide[f].size() || simple[i] != rapide[f][i];
            const Ecart e{d, simple.size(), quoi + ", frame " + std::to_string(f)};
            if (f == 0 || pire < e) pire = e;
        }
        ++f;
    });
    ASSERT_EQ(rapide.size(), f) << quoi;
    EXPECT_GE(rapide.size(), framesMin) << quoi;
    EXPECT_TRUE(pire.pixels * 1000 <= pire.total) << pire.ou << ": " << pire.pixels << " pixels differ, " << pire.part() << " %";
    if (!comparaisonFaite || ecartDuTest < pire) ecartDuTest = pire;
    comparaisonFaite = true;
    ::testing::Test::RecordProperty("ecart_max", std::to_string(ecartDuTest.part()) + " %");
}
