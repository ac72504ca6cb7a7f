// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_TEXTES_PAGES_H
#define VORNA_SCORES_TEXTES_PAGES_H

#include <string>

// The pages in the visitor's language. They are written in French; each
// text is looked up, whole, in the table of the others (English, German,
// Spanish, Italian, Portuguese of Brazil), and shown as written when the
// language is French or the table lacks it.

// The language of a request's Accept-Language: the one of highest weight
// the pages have ("fr", "en", "de", "es", "it", "pt-BR"), a region of it
// counting as it ("en-GB", "pt-PT"); French when none is.
std::string langueVisiteur(const std::string& acceptLanguage);

// The language of the pages being built on this thread ("fr" unless set).
const std::string& languePages();

// Sets the pages' language on this thread for the life of the object.
class LanguePages {
public:
    explicit LanguePages(const std::string& langue);
    ~LanguePages();
    LanguePages(const LanguePages&) = delete;
    LanguePages& operator=(const LanguePages&) = delete;

private:
    std::string m_avant;
};

// `texte` in the pages' language, with %1, %2… replaced by `a`, `b`…
std::string textePage(const std::string& texte, const std::string& a = "", const std::string& b = "",
                      const std::string& c = "");

#endif
