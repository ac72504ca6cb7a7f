// SPDX-License-Identifier: GPL-3.0-or-later
// A run as it travels to the score server: the level's fingerprint and the
// text of a run, read back to the same bytes, anything else refused.
#include <gtest/gtest.h>

#include "course.h"
#include "empreinte.h"

TEST(Empreinte, VecteursConnus) {
    const struct {
        std::string octets, hex;
    } cas[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
    };
    for (const auto& c : cas) EXPECT_EQ(empreinte(c.octets), c.hex) << c.octets.size() << " bytes";
}

TEST(Course, RelueEnMemesOctetsEtRefusee) {
    Course c;
    c.niveau = 3;
    c.empreinte = empreinte("@1,0,0,0");
    c.points = -5;
    c.chrono = 12;
    c.entrees.ajouter({{Touche::Haut, true}});
    for (int i = 0; i < 30; ++i) c.entrees.ajouter({});
    c.entrees.ajouter({{Touche::Haut, false}, {Touche::Droite, true}});
    const std::string texte = encoderCourse(c);
    Course lue;
    std::string pourquoi;
    ASSERT_TRUE(decoderCourse(texte, lue, pourquoi)) << pourquoi;
    EXPECT_EQ(lue, c);
    EXPECT_EQ(encoderCourse(lue), texte);
    EXPECT_EQ(lue.entrees.pas(), 32u);

    const auto remplacer = [&](const std::string& de, const std::string& par) {
        std::string t = texte;
        return t.replace(t.find(de), de.size(), par);
    };
    const struct {
        std::string texte, pourquoi;
    } refus[] = {
        {"", "not a run"},
        {texte + "x", "malformed run"},
        {remplacer("niveau 3", "niveau 03"), "malformed run"},
        {remplacer("points -5", "points -0"), "malformed run"},
        {remplacer("chrono 12", "chrono 33"), "malformed run"},  // the chronometer past the finish
        {remplacer("\nchrono", "\r\nchrono"), "malformed run"},
        {remplacer("empreinte ", "empreinte A"), "malformed level hash"},
        {remplacer("arrivee 32", "arrivee 9999999"), "run too long"},
        {remplacer("arrivee 32", "arrivee 31"), "malformed inputs"},
        {remplacer("H.30.", "H.1.29."), "malformed inputs"},  // not the shortest form
        {remplacer("H.30.", "H.30"), "malformed inputs"},
    };
    for (const auto& r : refus) {
        EXPECT_FALSE(decoderCourse(r.texte, lue, pourquoi)) << r.texte;
        EXPECT_EQ(pourquoi, r.pourquoi) << r.texte;
    }
}
