// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TRADUCTION_H
#define VORNA_TRADUCTION_H

#include <libintl.h>

#include <string>

// Every text the programs show goes through these, in the language in use
// (langue.h). The text in the code is the message id: on screen the French
// a French player sees, in the terminal the English. xgettext finds them by
// these names (po/CMakeLists.txt); a text of the game's font must use only
// the characters it draws, and the catalogue test checks every translation.

// The text in the language in use (the compiler checks a format inside it
// against the values given with it). A translation whose printf conversions
// differ from its text's (another kind, number or order of values) is never
// used: the text is shown as written, and the translation named once on
// standard error.
const char* tr(const char* texte) __attribute__((format_arg(1)));

// Marks a text of a table for the catalogue; tr translates it where it is shown.
constexpr const char* aTraduire(const char* texte) { return texte; }
// The same for a text trContexte translates.
constexpr const char* aTraduireContexte(const char*, const char* texte) { return texte; }

// The text in the language in use, told apart from the same text elsewhere
// by `contexte`. The contexts "terminal" (standard output) and "fenetre"
// (window captions) mark texts not drawn with the game's font.
const char* trContexte(const char* contexte, const char* texte) __attribute__((format_arg(2)));

// True when `traduction` takes the same values as `texte` as a printf
// format: the same conversions, each with its length modifier, and the same
// '*' widths and precisions, by position ("%2$s") or in order.
bool memesConversions(const char* texte, const char* traduction);

// printf into a std::string (of any length); with tr,
// the format is translated and the values put in.
std::string formater(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
