// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEXTE_H
#define VORNA_TEXTE_H

#include <functional>
#include <string>
#include <vector>

#include "caracteres.h"

// Prints a line of text over the scene with the 10 × 10 bitmap font atlas.
class Texte {
public:
    // `hauteur` and `largeur` are the window's width and height in pixels (the
    // game passes 640, 480): the design, scaled and centred in a window of
    // another size (cadre.h). `pos` places the text: 0 bottom-left, 1 top-left,
    // 2 top-right, 3 bottom-right, 4 centre; any other value centres it
    // horizontally on (posx, posy), fractions of the half-width and
    // half-height. A text wider than the window is printed on several lines
    // (lignesTexte), placed as disposerTexte says. Leaves the 70° scene
    // perspective as the projection and depth testing on.
    static void mervoprint(const char* texte, unsigned int texture, int pos, double posx,
                           double posy, int hauteur, int largeur);
};

// Texts are UTF-8 (caracteres.h); widths and line breaks count characters.

// The most characters a line shows in a window `hauteur` pixels wide at the
// position code `pos`: each takes half a glyph quad, its ink in the left
// half of the quad (40 at 640; 39 from the right corners, which keep a
// margin).
int glyphesParLigne(int hauteur, int pos = -1);

// The lines a text is printed on: broken at each line feed, and where a
// line holds more than `glyphes` characters at its last space that fits (a
// longer word is cut).
std::vector<std::string> lignesTexte(const std::string& texte, int glyphes);

// Where each glyph of a text goes, in the printer's units (half pixels, the
// origin at the window's centre): its atlas cell character and the bottom-
// left corner of its quad. One line is placed as the position code says;
// the lines of a longer text follow it downwards (upwards from the bottom
// corners), each placed alike, the whole kept inside the window.
struct GlypheTexte {
    int cellule;
    double gauche, bas;
};
std::vector<GlypheTexte> disposerTexte(const std::string& texte, int pos, double posx, double posy, int hauteur,
                                       int largeur);

// A dark outline, two design pixels wide, round every glyph Texte prints, so
// a text reads over any scene: black round white, the highlight and the grey
// alike; not without a font (texture 0: plain blocks). Off until a program
// turns it on (the game does, from its settings).
void contourTexte(bool actif);

// What one print put on the screen, for whoever watches the texts drawn (a
// test measuring them): its glyphs (as disposerTexte places them), each
// `largeurGlyphe` × `hauteurGlyphe` units, the font texture and the design size.
struct ImpressionTexte {
    std::string texte;
    std::vector<GlypheTexte> glyphes;
    unsigned int texture;
    int hauteur, largeur;
    double largeurGlyphe = 64, hauteurGlyphe = 48;
};
// Called after each print until given another (nullptr: no one watches).
void observerTextes(std::function<void(const ImpressionTexte&)> observateur);
// A print's glyph quads in the current colour, inside the flat text view
// (debutTexte) with its font bound.
void quadsTexte(const ImpressionTexte& i);
// The same over the dark outline when it is on and there is a font (no
// outline round the plain blocks drawn without one), then told to the
// watcher: what every printer of the font draws a text with.
void imprimerGlyphes(const ImpressionTexte& i);
// The texture bound to GL_TEXTURE_2D (the font, for a printer that did not bind it).
unsigned int textureLiee();

// The pieces every printer of the font shares (the game's and the editor's).

// The colour of the chosen entry of a list, of titles and of notices: (221, 137, 107).
extern const unsigned char kSelection[3];

// Sets up the flat view text is drawn in: no depth test, an orthographic
// projection from (−hauteur, −largeur) to (hauteur, largeur), so one unit is
// half a pixel of a hauteur × largeur design (scaled and centred in the
// window, cadre.h), a pushed identity model-view and alpha blending.
void debutTexte(int hauteur, int largeur);
// Undoes it (given the same design size): no blending, the model-view
// popped, the 70° scene perspective of the window (cadre.h) as the
// projection, which stays the current matrix mode, and the depth test back on.
void finTexte(int hauteur, int largeur);

// The rows of cells of the font atlas bound to GL_TEXTURE_2D: 10 for every
// width of its image (40 for the game's, 10 for a font of old).
int lignesAtlas();

// How many of the first levels of a font atlas (`largeur` × `hauteur` texels)
// no window on this computer's screens ever samples: glyphs drawn with at
// least two texels a pixel never read the first level, so the atlas can be
// kept from its second on, the same pixels in a quarter of the room (the
// shipped font on a screen up to 1280 × 1024 or 1366 × 768). 0 or 1.
int niveauxPoliceInutiles(int largeur, int hauteur);

// One glyph quad of the cell code `cellule` (celluleGlyphe) in an atlas of
// `lignes` rows, its bottom-left corner at (gauche, bas), `largeur` ×
// `hauteur` units; call inside glBegin(GL_QUADS). A cell the atlas lacks
// draws nothing.
void quadGlyphe(int cellule, int lignes, double gauche, double bas, double largeur, double hauteur);

#endif
