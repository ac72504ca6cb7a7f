// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CARACTERES_H
#define VORNA_CARACTERES_H

#include <string>

// The characters of a text and the cells of the bitmap font that draw them.
//
// Texts are UTF-8. A byte that begins no well-formed sequence (a Latin-1
// file name, a cut sequence) counts as one character of its own, the
// replacement character U+FFFD, so a text never loses a character.
std::u32string enCaracteres(const std::string& texte);
std::string enUtf8(const std::u32string& texte);
// The characters of a text, as enCaracteres counts them.
std::size_t nombreCaracteres(const std::string& texte);

// The font atlas (data/font1.TGA) is a grid of cells 10 to a row, 102.4
// texels square, rows from the top of the image: cells 0 … 74 hold the
// characters '0' … 'z' (with '.', '\'', '-' and ',' in the cells of '<',
// '>', '@' and ';', which draw them too), cells 75 … 99 stay empty, and from
// cell 100 on come the rest of ASCII's punctuation, Latin-1, Latin
// Extended-A, typographic quotes and dashes, and last the placeholder drawn
// for any character the font lacks. An atlas of 10 rows (the font of old)
// has only the first 100 cells.
constexpr int kColonnesAtlas = 10;
constexpr int kLignesAtlas = 40;
constexpr int kPremiereCelluleAjoutee = 100;
constexpr char32_t kCaractereManquant = U'\uFFFD';

// The character cell `cellule` holds (kCaractereManquant for the
// placeholder's), or 0 for an empty cell.
char32_t caractereDeCellule(int cellule);
// The code of the cell that draws `c`, '0' plus the cell's number (so '0' …
// 'z' are their own codes); 0 when it draws nothing (space, a no-break
// space, a soft hyphen, control characters); the placeholder's when the
// font lacks it.
int celluleGlyphe(char32_t c);
// The placeholder's code.
int celluleManquante();

#endif
