// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_CATALOGUE_MO_H
#define VORNA_SCORES_CATALOGUE_MO_H

#include <string>
#include <unordered_map>

// A compiled GNU gettext catalogue (msgfmt's .mo), read whole into memory:
// the translation of each text by its message id. A text with a context is
// kept under "context\x04id", a plural under its singular with its first
// form; the header (the empty id) and the hash table are left out.
using CatalogueMo = std::unordered_map<std::string, std::string>;

// The catalogue in `octets`, written in either byte order. Every count,
// offset and length is checked against the size of the bytes: false, with
// what is wrong in `faute`, for bytes that are no catalogue or point past
// their end (nothing is kept in `textes` then).
bool lireMo(const std::string& octets, CatalogueMo& textes, std::string& faute);

#endif
