#ifndef VORNA_TEXTE_H
#define VORNA_TEXTE_H

// Prints a line of text over the scene with the 10 × 10 bitmap font atlas.
class Texte {
public:
    // `hauteur` and `largeur` are the window's width and height in pixels (the
    // game passes 640, 480). `pos` places the text: 0 bottom-left, 1 top-left,
    // 2 top-right, 3 bottom-right, 4 centre; any other value centres it
    // horizontally on (posx, posy), fractions of the half-width and
    // half-height. Leaves the 70° scene perspective as the projection and
    // depth testing on.
    static void mervoprint(const char* texte, unsigned int texture, int pos, double posx,
                           double posy, int hauteur, int largeur);
};

#endif
