// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogues against the texts of the sources (po/vorna.pot): every
// language has every text, which the font can draw and which fits where it
// shows; the characters of a text; and the language rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <tuple>

#include "dossier.h"
#include "langue.h"
#include "texte.h"
#include "traduction.h"

namespace {

struct Entree {
    std::string contexte, id, traduction, lieux;
    bool floue = false;
};

// The entries of a .po or .pot file, by context and id, each ended by a blank
// line (strings on one line or continued; the header left out).
std::map<std::string, Entree> lirePo(const std::string& chemin) {
    std::ifstream f(chemin);
    std::map<std::string, Entree> r;
    Entree e;
    std::string ligne, *champ = nullptr;
    const auto ranger = [&] {
        if (!e.id.empty()) r[e.contexte + '\004' + e.id] = e;
        e = Entree{};
    };
    const std::regex chaine("^(msgctxt |msgid |msgstr )?\"(.*)\"$");
    std::smatch m;
    while (std::getline(f, ligne)) {
        if (ligne.empty()) ranger(), champ = nullptr;
        if (ligne.rfind("#,", 0) == 0 && ligne.find("fuzzy") != std::string::npos) e.floue = true;
        if (ligne.rfind("#: ", 0) == 0) e.lieux += ligne.substr(2);
        if (!std::regex_match(ligne, m, chaine)) continue;
        if (m[1].length()) champ = m[1] == "msgctxt " ? &e.contexte : m[1] == "msgid " ? &e.id : &e.traduction;
        if (champ) *champ += std::regex_replace(m[2].str(), std::regex(R"(\\(.))"), "$1");
    }
    ranger();
    return r;
}

TEST(Catalogue, EveryCatalogueHasEveryTextTheFontDrawsNoWiderThanItsPlace) {
    const auto textes = lirePo(VORNA_SOURCE_DIR "/po/vorna.pot");
    ASSERT_GT(textes.size(), 100u);
    for (const LangueProposee& l : languesProposees()) {
        const auto catalogue = lirePo(VORNA_SOURCE_DIR "/po/" + std::string(l.code) + ".po");
        for (const auto& [cle, t] : textes) {
            const auto c = catalogue.find(cle);
            ASSERT_NE(c, catalogue.end()) << l.code << ": " << t.id;
            const std::string& s = c->second.traduction;
            EXPECT_TRUE(!s.empty() && !c->second.floue) << l.code << ": " << t.id;
            const bool pageWeb = std::regex_match(t.lieux, std::regex("( server/[^ ]+)+"));  // the score server's
            if (t.contexte == "terminal" || t.contexte == "fenetre" || pageWeb) continue;  // not drawn with the font
            // The values put in a format take their own place.
            const std::u32string dessine = enCaracteres(std::regex_replace(s, std::regex("%[a-z]+"), ""));
            for (char32_t x : dessine)
                EXPECT_TRUE(x == ' ' || (celluleGlyphe(x) && celluleGlyphe(x) != celluleManquante()))
                    << l.code << ": \"" << s << "\" draws no U+" << std::hex << static_cast<unsigned>(x);
            EXPECT_LE(nombreCaracteres(s), std::max<size_t>(40, nombreCaracteres(t.id))) << l.code << ": " << s;
        }
    }
}

// UTF-8 read character by character, a stray byte as one character of its
// own; the font draws Latin-1 and Latin Extended-A, the placeholder for the rest.
TEST(Catalogue, TextsAreReadAsUtf8AndTheFontDrawsTheLettersOfTheLanguages) {
    const struct {
        const char* texte;
        std::u32string caracteres;
    } kCas[] = {
        {"Fant\xc3\xb4me", U"Fant\u00f4me"},
        {"\xc2\xbf\xc5\x93\xe2\x80\xa6!", U"\u00bf\u0153\u2026!"},
        {"a\xe9" "b\xff", U"a\ufffdb\ufffd"},            // Latin-1 bytes
        {"\xc3", U"\ufffd"},                                // a cut sequence
        {"\xc0\xaf\xed\xa0\x80", U"\ufffd\ufffd\ufffd\ufffd\ufffd"},  // overlong, surrogate
        {"\xf0\x9f\x8e\xb2", U"\U0001f3b2"},
    };
    for (const auto& c : kCas) {
        EXPECT_EQ(enCaracteres(c.texte), c.caracteres) << c.texte;
        EXPECT_EQ(enCaracteres(enUtf8(c.caracteres)), c.caracteres) << c.texte;
    }
    for (char32_t x = 0x21; x <= 0x17F; ++x) {
        if ((x >= 0x7F && x <= 0xA0) || x == 0xAD) continue;  // controls, no-break space, soft hyphen
        const int g = celluleGlyphe(x);
        const bool ancienne = std::u32string(U";<>@").find(x) != std::u32string::npos;  // drawn as . ' - ,
        EXPECT_TRUE(g && g != celluleManquante() && (ancienne || caractereDeCellule(g - '0') == x))
            << std::hex << static_cast<unsigned>(x);
    }
    EXPECT_EQ(celluleGlyphe('A'), 'A');  // the cells of old keep their places
    EXPECT_EQ(celluleGlyphe(' '), 0);
    EXPECT_EQ(celluleGlyphe(U'\u4e2d'), celluleManquante());
    EXPECT_LT(celluleManquante() - '0', kColonnesAtlas * (kLignesAtlas - 1));  // the last row stays empty
}

TEST(Catalogue, TheLanguageIsTheFirstVariableSetFrenchForFrAndC) {
    const auto catalogue = [](const std::string& l) { return l == "en" || l == "pt_BR"; };
    const struct {
        std::vector<std::string> variables;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* langue;
    } kCas[] = {
        {{"", "", "", ""}, ""},
        {{"", "C", "", "en_GB.UTF-8"}, ""},
        {{"", "", "POSIX", ""}, ""},
        {{"", "", "", "fr_CA.UTF-8"}, "fr"},
        {{"", "", "", "de_DE.UTF-8"}, "en"},
        {{"de:fr", "", "", "C"}, "fr"},
        {{"pt_BR.UTF-8@x", "", "", ""}, "pt_BR"},
        {{"pt_PT:de", "", "", ""}, "en"},
        {{"", "en_US", "fr_FR", ""}, "en"},
    };
    for (const auto& c : kCas) EXPECT_EQ(langueDesVariables(c.variables, catalogue), c.langue) << c.variables[0] + c.variables[3];
}

// A translation is never a format of its own: one that takes other values
// than its text is ignored, and named once.
TEST(Catalogue, ATranslationTakingOtherValuesThanItsTextIsIgnoredAndNamedOnce) {
    for (const auto& [texte, traduction, memes] :
         {std::tuple{"%d", "%i", true}, {"%d", "%s", false}, {"%d", "%ld", false}, {"%d %d", "%d", false},
          {"%s %d", "%2$s %1$d", false}, {"%1$s %2$d", "%2$d %1$s", true}, {"%*d", "%*d!", true},
          {"%*d", "%d", false}, {"100%% %s", "%s 100 %%", true}, {"%5.2f", "%f", true}, {"a", "%n", false},
          {"%1$d %1$s", "%1$d %1$s", false}})
        EXPECT_EQ(memesConversions(texte, traduction), memes) << texte << " / " << traduction;
    DossierTemporaire d;
    creerDossiers("l/en/LC_MESSAGES");
    ecrireFichier("en.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                           "msgid \"-Volume musique %d\"\nmsgstr \"-Music volume %s\"\n\n"
                           "msgid \"-Volume effets %d\"\nmsgstr \"-Effects volume %d\"\n");
    ASSERT_EQ(std::system("msgfmt -o l/en/LC_MESSAGES/vorna.mo en.po"), 0);
    fixerDossierCatalogues(std::filesystem::absolute("l").string());
    choisirLangue("en");
    std::string premier;
    const std::string err = sortieErreur([&] {
        premier = formater(tr("-Volume musique %d"), 3);
        EXPECT_EQ(formater(tr("-Volume musique %d"), 4), "-Volume musique 4");
    });
    EXPECT_EQ(premier + ", " + formater(tr("-Volume effets %d"), 5), "-Volume musique 3, -Effects volume 5");
    EXPECT_EQ(lignes(err).size(), 1u) << err;
    EXPECT_NE(err.find("\"-Music volume %s\""), std::string::npos) << err;
    fixerDossierCatalogues("");
    choisirLangue("auto");
}

}  // namespace
