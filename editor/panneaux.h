// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_PANNEAUX_H
#define VORNA_EDITEUR_PANNEAUX_H

#include <string>
#include <vector>

namespace editeur {

// Text the editor shows over its view besides the printer's placed lines:
// lines of any size, the help screen and the question before leaving. All
// of it is laid out in the 640 × 480 design space of the text printer
// (debutTexte), in pixels from its top-left corner, so it scales with it.

// A line of glyphs `taille` times the printer's own (32 × 24 pixels, a new
// glyph every 16), in the current colour, its top-left corner at (gauche, haut).
void ecrireLigne(unsigned int police, const std::string& texte, double gauche, double haut, double taille);

// A dark band behind lines over the view (in pixels of the design space, y
// down): black at 85 %, so that white text keeps a contrast of at least
// 4.5 : 1 over any texture.
void bandeau(double x0, double y0, double x1, double y1);

// The help screen: every key, the first line a title, over a dark veil; its
// lines in the language in use.
std::vector<std::string> lignesAide();
void dessinerAide(unsigned int police);

// The question asked before leaving a map with changes not saved, and the
// one asked before saving over a map that changed on the disk since it was
// opened or saved; either drawn with its veil as wide as its longest line
// needs, the first line a title, its glyphs `taille` times the printer's.
std::vector<std::string> lignesQuestion();
std::vector<std::string> lignesConflit();
void dessinerQuestion(unsigned int police, const std::vector<std::string>& lignes, double taille = 1);

}  // namespace editeur

#endif
