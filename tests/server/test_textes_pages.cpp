// SPDX-License-Identifier: GPL-3.0-or-later
// The pages' texts from the compiled catalogues: the .mo reader on good and
// hostile bytes, the language of a visitor, a text no catalogue has.
#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue_mo.h"
#include "dossier.h"
#include "textes_pages.h"

namespace {

const char* const kPo =
    "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\nPlural-Forms: nplurals=2; plural=n != 1;\\n\"\n\n"
    "msgid \"Temps\"\nmsgstr \"Time\"\n\n"
    "msgid \"par %1\"\nmsgstr \"by %1, a translation long enough to be cut\"\n\n"
    "msgctxt \"terminal\"\nmsgid \"Temps\"\nmsgstr \"Time taken\"\n\n"
    "msgid \"%d fois\"\nmsgid_plural \"%d fois\"\nmsgstr[0] \"%d time\"\nmsgstr[1] \"%d times\"\n";

// kPo compiled by msgfmt in one byte order.
std::string compile(bool grosBout) {
    ecrireFichier("t.po", kPo);
    EXPECT_EQ(std::system(grosBout ? "msgfmt --endianness=big -o t.mo t.po" : "msgfmt --endianness=little -o t.mo t.po"), 0);
    return lireFichier("t.mo");
}

// The 32-bit word at `position` replaced, in the file's byte order.
void ecrireMot(std::string& o, size_t position, uint32_t v, bool grosBout) {
    for (int i = 0; i < 4; ++i) o[position + (grosBout ? 3 - i : i)] = static_cast<char>(v >> (8 * i));
}

TEST(TextesPages, TheMoReaderTakesBothByteOrdersAndRefusesWhatPointsPastTheEnd) {
    DossierTemporaire d;
    const struct {
        const char* cas;
        int position;  // of a word replaced by `mot` (-1: none)
        uint32_t mot;
        int coupe;  // bytes cut off the end
        const char* faute;  // empty: read
    } kCas[] = {
        {"good", -1, 0, 0, ""},
        {"cut in the header", -1, 0, -12, "too short"},
        {"cut in the last text", -1, 0, 10, "goes past the end"},
        {"magic", 0, 0x12345678, 0, "no magic number"},
        {"revision", 4, 0x00020000, 0, "unknown revision"},
        {"huge count", 8, 0xffffffff, 0, "tables of 4294967295 texts"},
        {"table past the end", 16, 0xfffffff0, 0, "go past the end"},
        {"text past the end", 32, 0xfffffff0, 0, "text 0 goes past the end"},
        {"length past the end", 28, 0x7fffffff, 0, "text 0 goes past the end"},
    };
    for (const bool grosBout : {false, true}) {
        const std::string bon = compile(grosBout);
        for (const auto& c : kCas) {
            std::string o = bon;
            if (c.position >= 0) ecrireMot(o, static_cast<size_t>(c.position), c.mot, grosBout);
            o.resize(c.coupe < 0 ? -c.coupe : o.size() - c.coupe);
            CatalogueMo textes;
            std::string faute;
            EXPECT_EQ(lireMo(o, textes, faute), !*c.faute) << c.cas << (grosBout ? " big" : " little");
            EXPECT_NE(faute.find(c.faute), std::string::npos) << c.cas << ": " << faute;
            if (*c.faute) {
                EXPECT_TRUE(textes.empty()) << c.cas;
                continue;
            }
            EXPECT_EQ(textes, (CatalogueMo{{"Temps", "Time"},
                                           {"par %1", "by %1, a translation long enough to be cut"},
                                           {std::string("terminal\x04Temps"), "Time taken"},
                                           {"%d fois", "%d time"}}));
        }
    }
}

// A language whose catalogue is refused is named once and gets the French
// pages; a text its catalogue lacks shows in French.
TEST(TextesPages, TheVisitorGetsALanguageWithACatalogueAndFrenchForTheRest) {
    DossierTemporaire d;
    creerDossiers("l/en/LC_MESSAGES");
    creerDossiers("l/pt_BR/LC_MESSAGES");
    creerDossiers("l/de/LC_MESSAGES");
    ecrireFichier("l/en/LC_MESSAGES/vorna-scores.mo", compile(false));
    ecrireFichier("l/pt_BR/LC_MESSAGES/vorna.mo", compile(true));
    ecrireFichier("l/de/LC_MESSAGES/vorna-scores.mo", compile(false).substr(0, 40));
    TextesPages t;
    const std::string err = sortieErreur([&] { t.charger("l", {"vorna-scores", "vorna"}); });
    EXPECT_EQ(lignes(err).size(), 1u) << err;
    EXPECT_NE(err.find("l/de/LC_MESSAGES/vorna-scores.mo: its tables"), std::string::npos) << err;
    EXPECT_EQ(t.langues(), (std::vector<std::string>{"en", "pt-BR"}));
    const struct { const char *acceptLanguage, *langue, *temps, *nom; } kCas[] = {
        {"en-US", "en", "Time", "Nom"},          {"de, pt;q=0.9", "pt-BR", "Time", "Nom"},
        {"de", "fr", "Temps", "Nom"},            {"EN;q=0.2, fr-CA;q=0.5", "fr", "Temps", "Nom"},
        {"en;q=0, *", "fr", "Temps", "Nom"},     {"", "fr", "Temps", "Nom"},
    };
    for (const auto& c : kCas) {
        const LanguePages enLangue(t, t.langueVisiteur(c.acceptLanguage));
        EXPECT_EQ(languePages(), c.langue) << c.acceptLanguage;
        EXPECT_EQ(textePage("Temps") + " " + textePage("Nom"), std::string(c.temps) + " " + c.nom) << c.acceptLanguage;
    }
    const LanguePages enAnglais(t, "en");
    EXPECT_EQ(textePage("par %1", "Ana"), "by Ana, a translation long enough to be cut");
    EXPECT_EQ(textePage("%1 et %2, %1 %4", "%2", "b"), "%2 et b, %2 %4");  // a value is never read as a mark
}

}  // namespace
