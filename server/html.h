// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_HTML_H
#define VORNA_SCORES_HTML_H

#include <cstdint>
#include <string>

// `texte` safe inside HTML text and attribute values: & < > " ' escaped.
std::string echapperHtml(const std::string& texte);

// A date of the leaderboards, "2026-12-07 14:03 UTC".
std::string dateLisible(int64_t date);
// The same as JSON gives it, "2026-12-07T14:03:00Z".
std::string dateIso(int64_t date);

// A whole page in the game's look: the night-blue of its sky, white text,
// the orange of its menu highlight, its logo on top linking to the home page
// (without `logo`, the game's name as a heading). `titre` is plain text,
// `corps` HTML already escaped. No script; readable on a phone (the width
// follows the screen; a date never wraps).
std::string pageHtml(const std::string& titre, const std::string& corps, bool logo);

#endif
