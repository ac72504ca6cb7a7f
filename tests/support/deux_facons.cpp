// SPDX-License-Identifier: GPL-3.0-or-later
#include "deux_facons.h"

#include <gtest/gtest.h>

#include "dessin_rapide.h"
#include "fenetre_test.h"

std::vector<uint64_t> empreintesImages(bool simple, const ScriptImages& script,
                                       const std::function<void()>& activite) {
    reinitialiserGL();
    choisirDessinSimple(simple);
    SystemeScript systeme;
    std::vector<uint64_t> r;
    systeme.surImage([&](int f) {
        r.push_back(empreinteEcran());
        if (script.image) script.image(systeme, f);
    });
    if (script.debut) script.debut(systeme);
    activite();
    choisirDessinSimple(false);
    return r;
}

void memesImages(const ScriptImages& script, const std::function<void()>& activite,
                 const std::string& quoi, std::size_t framesMin) {
    const std::vector<uint64_t> rapide = empreintesImages(false, script, activite);
    const std::vector<uint64_t> simple = empreintesImages(true, script, activite);
    ASSERT_EQ(rapide.size(), simple.size()) << quoi;
    EXPECT_GE(rapide.size(), framesMin) << quoi;
    for (std::size_t f = 0; f < rapide.size(); ++f)
        ASSERT_EQ(rapide[f], simple[f]) << quoi << ": frame " << f << " differs";
}
