// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogues against the texts of the sources (po/vorna.pot): every text
// has its English, which the font can draw and which fits where it shows;
// and the language rule.
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
    std::string contexte, id, traduction;
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
        if (!std::regex_match(ligne, m, chaine)) continue;
        if (m[1].length()) champ = m[1] == "msgctxt " ? &e.contexte : m[1] == "msgid " ? &e.id : &e.traduction;
        if (champ) *champ += std::regex_replace(m[2].str(), std::regex(R"(\\(.))"), "$1");
    }
    ranger();
    return r;
}

TEST(Catalogue, EveryTextHasAnEnglishTheFontDrawsNoWiderThanItsPlace) {
    const auto textes = lirePo(VORNA_SOURCE_DIR "/po/vorna.pot");
    const auto anglais = lirePo(VORNA_SOURCE_DIR "/po/en.po");
    ASSERT_GT(textes.size(), 100u);
    for (const auto& [cle, t] : textes) {
        const auto en = anglais.find(cle);
        ASSERT_NE(en, anglais.end()) << t.id;
        const std::string& s = en->second.traduction;
        EXPECT_TRUE(!s.empty() && !en->second.floue) << t.id;
        if (t.contexte == "terminal" || t.contexte == "fenetre") continue;  // not drawn with the font
        // The values put in a format take their own place.
        const std::string dessine = std::regex_replace(s, std::regex("%[a-z]+"), "");
        for (char c : dessine) EXPECT_TRUE(c == ' ' || celluleGlyphe(c)) << '"' << s << "\" draws no '" << c << "'";
        EXPECT_LE(s.size(), std::max<size_t>(40, t.id.size())) << s;
    }
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
