// SPDX-License-Identifier: GPL-3.0-or-later
#include "panneaux.h"

#include <GL/gl.h>

#include "texte.h"

namespace editeur {

namespace {

const int kLargeur = 640, kHauteur = 480;  // the design space
const double kTailleAide = 0.625;          // 20 × 15 pixels, a glyph every 10

// From pixels of the design space (y down) to the printer's units.
double ux(double x) { return 2 * x - kLargeur; }
double uy(double y) { return kHauteur - 2 * y; }

// A rectangle of black at `opacite` over the view (in pixels, y down).
void voile(double x0, double y0, double x1, double y1, float opacite) {
    debutTexte(kLargeur, kHauteur);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, opacite);
    glBegin(GL_QUADS);
    glVertex2d(ux(x0), uy(y1));
    glVertex2d(ux(x1), uy(y1));
    glVertex2d(ux(x1), uy(y0));
    glVertex2d(ux(x0), uy(y0));
    glEnd();
    glEnable(GL_TEXTURE_2D);
    finTexte(kLargeur, kHauteur);
    glColor3ub(255, 255, 255);
}

}  // namespace

void ecrireLigne(unsigned int police, const std::string& texte, double gauche, double haut, double taille) {
    debutTexte(kLargeur, kHauteur);
    glBindTexture(GL_TEXTURE_2D, police);
    const double l = 64 * taille, h = 48 * taille;  // units, as the printer's glyphs
    glBegin(GL_QUADS);
    for (std::size_t i = 0; i < texte.size(); ++i)
        if (const int cellule = celluleGlyphe(texte[i]))
            quadGlyphe(cellule, ux(gauche) + l / 2 * i, uy(haut) - h, l, h);
    glEnd();
    finTexte(kLargeur, kHauteur);
}

const std::vector<std::string>& lignesAide() {
    static const std::vector<std::string> lignes = {
        "Aide: toutes les touches. Une touche ferme cette page.",
        "w s, a d, q e   deplacer en x, en y, en z, tenues",
        "Haut Bas        demi-taille en x, plus 1, moins 1",
        "Droite Gauche   demi-taille en y, plus 1, moins 1",
        "j n             demi-taille en z, plus 1, moins 1",
        "t r             type suivant, precedent",
        "Entree          poser une copie du curseur",
        "Retour arriere  le dernier objet pose redevient curseur",
        "p               tout effacer sauf le depart",
        "Espace          sauver la map",
        "F5              sauver et essayer la map dans le jeu",
        "z x             depart plein, en fil de fer",
        "Molette         camera plus pres, plus loin",
        "Echap           revenir au curseur, ou quitter",
        "Tab, Maj Tab    choisir l'objet suivant, precedent",
        "Clic gauche     choisir l'objet vise, rien: le curseur",
        "Suppr           effacer l'objet choisi",
        "Ctrl D          dupliquer l'objet choisi a cote",
        "Ctrl Z          annuler",
        "Ctrl Y, Ctrl Maj Z  refaire",
        "G               grille au sol",
        "Maj G           aimanter: unites entieres, demi-tailles",
        "O               vue de dessus de toute la map",
        "F1              cette aide",
        "",
        "L'objet choisi, entoure, suit les touches du curseur:",
        "deplacer, demi-tailles, t r. Entree pose le curseur.",
    };
    return lignes;
}

void dessinerAide(unsigned int police) {
    const std::vector<std::string>& l = lignesAide();
    const double pas = 16, haut = (kHauteur - pas * l.size()) / 2;
    voile(0, 0, kLargeur, kHauteur, 0.8f);
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (i == 0) glColor3ub(221, 137, 107);
        ecrireLigne(police, l[i], 40, haut + pas * i, kTailleAide);
        glColor3ub(255, 255, 255);
    }
}

const std::vector<std::string>& lignesQuestion() {
    static const std::vector<std::string> lignes = {"Sauver les changements ?", "Espace: oui",
                                                    "Echap: quitter sans sauver", "Autre touche: rester"};
    return lignes;
}

void dessinerQuestion(unsigned int police) {
    const std::vector<std::string>& l = lignesQuestion();
    const double pas = 30, haut = (kHauteur - pas * l.size()) / 2;
    voile(100, haut - 20, kLargeur - 100, haut + pas * l.size() + 14, 0.85f);
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (i == 0) glColor3ub(221, 137, 107);
        ecrireLigne(police, l[i], (kLargeur - 16.0 * l[i].size()) / 2, haut + pas * i, 1);
        glColor3ub(255, 255, 255);
    }
}

}  // namespace editeur
