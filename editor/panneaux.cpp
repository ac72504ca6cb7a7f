// SPDX-License-Identifier: GPL-3.0-or-later
#include "panneaux.h"

#include <GL/gl.h>

#include <algorithm>

#include "systeme.h"
#include "texte.h"
#include "traduction.h"

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

void bandeau(double x0, double y0, double x1, double y1) { voile(x0, y0, x1, y1, 0.85f); }

void ecrireLigne(unsigned int police, const std::string& texte, double gauche, double haut, double taille) {
    sys::texteDessine(texte);
    debutTexte(kLargeur, kHauteur);
    glBindTexture(GL_TEXTURE_2D, police);
    ImpressionTexte i{texte, {}, police, kLargeur, kHauteur, 64 * taille, 48 * taille};  // as the printer's glyphs
    const std::u32string t = enCaracteres(texte);
    for (std::size_t k = 0; k < t.size(); ++k)
        if (const int cellule = celluleGlyphe(t[k]))
            i.glyphes.push_back({cellule, ux(gauche) + i.largeurGlyphe / 2 * k, uy(haut) - i.hauteurGlyphe});
    imprimerGlyphes(i);
    finTexte(kLargeur, kHauteur);
}

namespace {

const char* const kTitreAide = aTraduire("Aide: toutes les touches. Une touche ferme cette page.");

// Every key and what it does, in two columns.
struct LigneAide {
    const char* touches;
    const char* effet;
};
const LigneAide kAide[] = {
    {aTraduire("w s, a d, q e"), aTraduire("deplacer en x, en y, en z, tenues")},
    {aTraduire("Haut Bas"), aTraduire("demi-taille en x, plus 1, moins 1")},
    {aTraduire("Droite Gauche"), aTraduire("demi-taille en y, plus 1, moins 1")},
    {aTraduire("j n"), aTraduire("demi-taille en z, plus 1, moins 1")},
    {aTraduire("t r"), aTraduire("type suivant, precedent")},
    {aTraduire("Entree"), aTraduire("poser une copie du curseur")},
    {aTraduire("Retour arriere"), aTraduire("le dernier objet pose redevient curseur")},
    {aTraduire("p"), aTraduire("tout effacer sauf le depart")},
    {aTraduire("Espace"), aTraduire("sauver la map")},
    {aTraduire("F5"), aTraduire("sauver et essayer la map dans le jeu")},
    {aTraduire("z x"), aTraduire("depart plein, en fil de fer")},
    {aTraduire("Molette"), aTraduire("camera plus pres, plus loin")},
    {aTraduire("Echap"), aTraduire("revenir au curseur, ou quitter")},
    {aTraduire("Tab, Maj Tab"), aTraduire("choisir l'objet suivant, precedent")},
    {aTraduire("Clic gauche"), aTraduire("choisir l'objet vise, rien: le curseur")},
    {aTraduire("Maj clic"), aTraduire("ajouter l'objet vise au groupe, ou l'oter")},
    {aTraduire("Glisser droit"), aTraduire("choisir les objets du rectangle")},
    {aTraduire("Ctrl A"), aTraduire("choisir tous les objets")},
    {aTraduire("Glisser gauche"), aTraduire("deplacer au sol, avec Maj en hauteur")},
    {aTraduire("Suppr"), aTraduire("effacer les objets choisis, pas le depart")},
    {aTraduire("Ctrl D"), aTraduire("dupliquer les objets choisis a cote")},
    {aTraduire("Ctrl C, Ctrl X"), aTraduire("copier, couper les objets choisis")},
    {aTraduire("Ctrl V"), aTraduire("coller au curseur")},
    {aTraduire("Ctrl Z"), aTraduire("annuler")},
    {aTraduire("Ctrl Y, Ctrl Maj Z"), aTraduire("refaire")},
    {aTraduire("G"), aTraduire("grille au sol")},
    {aTraduire("Maj G"), aTraduire("aimanter: unites entieres, demi-tailles")},
    {aTraduire("O"), aTraduire("vue de dessus de toute la map")},
    {aTraduire("F11, Alt Entree"), aTraduire("plein ecran, ou fenetre")},
    {aTraduire("F1"), aTraduire("cette aide")},
    {aTraduire("F9"), aTraduire("publier en ligne la map finie avec F5")},
};

// Said under the keys.
const char* const kNotesAide[] = {aTraduire("Touches et souris agissent sur tous les objets choisis.")};

const char* const kQuestion[] = {aTraduire("Sauver les changements ?"), aTraduire("Espace: oui"),
                                 aTraduire("Echap: quitter sans sauver"), aTraduire("Autre touche: rester")};

const char* const kConflit[] = {aTraduire("La map a change sur le disque :"), aTraduire("Espace: remplacer"),
                                aTraduire("Entree: garder les deux"), aTraduire("Autre touche: ne pas sauver")};

template <std::size_t N>
std::vector<std::string> traduites(const char* const (&lignes)[N]) {
    std::vector<std::string> r;
    for (const char* l : lignes) r.push_back(tr(l));
    return r;
}

}  // namespace

// The second column starts two glyphs after the longest key, in the language in use.
std::size_t colonneAide() {
    std::size_t n = 0;
    for (const LigneAide& l : kAide) n = std::max(n, nombreCaracteres(tr(l.touches)));
    return n + 2;
}

std::vector<std::string> lignesAide() {
    std::vector<std::string> r = {tr(kTitreAide)};
    const std::size_t colonne = colonneAide();
    for (const LigneAide& l : kAide) {
        std::string t = tr(l.touches);
        r.push_back(t + std::string(colonne - nombreCaracteres(t), ' ') + tr(l.effet));
    }
    r.push_back("");
    for (const char* n : kNotesAide) r.push_back(tr(n));
    return r;
}

// Over an opaque-enough veil, with nothing else drawn over it: the lines in
// the glyphs' own grid, so the columns stay aligned at every size.
void dessinerAide(unsigned int police) {
    const std::vector<std::string> l = lignesAide();
    const double pas = std::min(16.0, (kHauteur - 16.0) / l.size()), haut = (kHauteur - pas * l.size()) / 2;
    voile(0, 0, kLargeur, kHauteur, 0.85f);
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (i == 0) glColor3ubv(kSelection);
        ecrireLigne(police, l[i], 20, haut + pas * i, kTailleAide);
        glColor3ub(255, 255, 255);
    }
}

std::vector<std::string> lignesQuestion() { return traduites(kQuestion); }

std::vector<std::string> lignesConflit() { return traduites(kConflit); }

void dessinerQuestion(unsigned int police, const std::vector<std::string>& l, double taille) {
    const double pas = 30 * taille, haut = (kHauteur - pas * l.size()) / 2, glyphe = 16 * taille;
    // The veil 440 pixels wide, wider for longer lines.
    std::size_t glyphes = 0;
    for (const std::string& t : l) glyphes = std::max(glyphes, nombreCaracteres(t));
    const double demi = std::max(220.0, glyphe / 2 * glyphes + 12);
    voile(kLargeur / 2 - demi, haut - 20, kLargeur / 2 + demi, haut + pas * l.size() + 14, 0.85f);
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (i == 0) glColor3ubv(kSelection);
        ecrireLigne(police, l[i], (kLargeur - glyphe * nombreCaracteres(l[i])) / 2, haut + pas * i, taille);
        glColor3ub(255, 255, 255);
    }
}

}  // namespace editeur
