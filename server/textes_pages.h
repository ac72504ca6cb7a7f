// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_TEXTES_PAGES_H
#define VORNA_SCORES_TEXTES_PAGES_H

#include <map>
#include <string>
#include <vector>

#include "catalogue_mo.h"

// The pages in the visitor's language. They are written in French, and their
// texts are message ids of the game's own catalogues (po/): xgettext finds
// them as the first value of textePage. The server reads the compiled
// catalogues once, at start; each text is then looked up, whole, in the
// catalogue of the request's language, and shown as written when the
// language is French or the catalogue lacks it.

// The catalogues of the pages, by language tag ("en", "pt-BR"). Read-only once
// loaded: the threads of the server share them without a lock.
class TextesPages {
public:
    // Every <dossier>/<l>/LC_MESSAGES/<domaine>.mo, the first of `domaines`
    // present in each language folder "l" ("pt_BR" gives the tag "pt-BR"). A
    // catalogue that cannot be read is named on standard error and left out:
    // its language gets the French pages.
    void charger(const std::string& dossier, const std::vector<std::string>& domaines);

    // The tags with a catalogue, in order.
    std::vector<std::string> langues() const;

    // The language of a request's Accept-Language: of the tags given a weight
    // above zero, the one of highest weight (the first of equals) that is
    // French or has a catalogue, a tag's region ("en-GB") or a region of
    // another country ("pt-PT" for "pt-BR") counting as its language; French
    // when none is.
    std::string langueVisiteur(const std::string& acceptLanguage) const;

    // The catalogue of a language tag (null for none).
    const CatalogueMo* catalogue(const std::string& langue) const;

private:
    std::map<std::string, CatalogueMo> m_catalogues;
};

// The language of the pages being built on this thread ("fr" unless set).
const std::string& languePages();

// Sets the pages' language on this thread, and the catalogue its texts come
// from, for the life of the object.
class LanguePages {
public:
    LanguePages(const TextesPages& textes, const std::string& langue);
    ~LanguePages();
    LanguePages(const LanguePages&) = delete;
    LanguePages& operator=(const LanguePages&) = delete;

private:
    std::string m_langue;
    const CatalogueMo* m_catalogue;
};

// `texte` in the pages' language, with %1, %2… replaced by `a`, `b`…
std::string textePage(const std::string& texte, const std::string& a = "", const std::string& b = "",
                      const std::string& c = "");

#endif
