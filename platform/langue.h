// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LANGUE_H
#define VORNA_LANGUE_H

#include <functional>
#include <string>
#include <vector>

// The language both programs show their texts in. The texts are written in
// the code in French without its accents (the terminal's in English) and
// looked up through GNU gettext (traduction.h) in the catalogue of the
// language in use, <catalogues>/<language>/LC_MESSAGES/vorna.mo.
//
// The rule: the first non-empty of LANGUAGE (a colon list of languages),
// LC_ALL, LC_MESSAGES and LANG; in it the first entry that is French
// ("fr", "fr_CA.UTF-8"...), C or POSIX, or a language with a catalogue of
// its own ("pt_BR" or "pt" for "pt_BR.UTF-8"); when no entry is, English.
// Nothing set counts as C. C shows the texts as written; French is French
// even without its catalogue (then as written), which gives the accents and
// the terminal's texts (under the context "terminal").
//
// How it is applied, whatever locales the system has installed: the
// LC_MESSAGES locale becomes "C.UTF-8" (built into glibc 2.35 and later)
// and the language is put in LANGUAGE, which glibc's gettext reads ahead
// of the locale's own name once that is not plain "C"; for C the
// LC_MESSAGES locale stays "C" and nothing is looked up. No other locale
// category is touched (the level files are read and written with printf
// and scanf formats: LC_NUMERIC stays "C"), and the C library's own
// messages (strerror) are never looked up, so standard error stays English.

// The language the rule gives for the values of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG, in that order (empty for unset): "" for C, "fr" for
// French, else a language `aUnCatalogue` accepts, else "en".
std::string langueDesVariables(const std::vector<std::string>& variables,
                               const std::function<bool(const std::string&)>& aUnCatalogue);

// Binds the catalogues and applies the rule to the environment: called by
// each program before it prints anything (its --help follows the rule too).
void initialiserLangue();

// The languages both programs speak, in the order the Options screen goes
// round them after "auto": the code of each (its catalogue's folder) and
// its name in itself, so a player lost in another language finds it again.
struct LangueProposee {
    const char* code;
    const char* nom;
};
const std::vector<LangueProposee>& languesProposees();

// Applies a choice of the settings: the code of a language proposed, or
// anything else ("auto") for the rule. Texts looked up from then on are in
// that language.
void choisirLangue(const std::string& choix);

// The language in use: "" (C), "fr", "en", "pt_BR"...
const std::string& langueCourante();

// The folder of the catalogues: share/locale beside the program when it
// is there (a game folder), else the installation's, relative to the
// program as the shared folder is. A test may give its own.
std::string dossierCatalogues();
void fixerDossierCatalogues(const std::string& dossier);

// The environment as the user gave it ("NAME=value" each), for programs
// started from here (the game from the editor, the browser): without the
// LANGUAGE this program set for itself.
std::vector<std::string> environnementUtilisateur();

#endif
