// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's picture: the turning background, the title lines, the entries
// of the screen in use or the end screen, and the notice of what went wrong.

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

#include "menu_principal.h"
#include "scene.h"
#include "systeme.h"
#include "texte.h"
#include "traduction.h"
#include "version.h"

namespace {

// The third title line: the game's web site.
const char* const kAdresseSite = "www.vorna-game.org";

const GLubyte kGrisSelection[3] = {168, 125, 104};
const GLubyte kAvertissement[3] = {255, 210, 90};

// How long the menu shows what went wrong in the activity it launched.
const Uint32 kDureeAnnonce = 3000;

}  // namespace

void MenuPrincipal::imprimer(const char* texte, int pos, double y) {
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    instant.textes.push_back({texte, pos, y, static_cast<int>(c[0] * 255 + 0.5),
                              static_cast<int>(c[1] * 255 + 0.5), static_cast<int>(c[2] * 255 + 0.5)});
    Texte::mervoprint(texte, s.textureFont, pos, 0, y, s.hauteur, s.largeur);
}

void MenuPrincipal::imprimerEn(const GLubyte* couleur, const char* texte, double y) {
    glColor3ubv(couleur);
    imprimer(texte, -1, y);
    glColor3ubv(kBlanc);
}

void MenuPrincipal::entree(const char* texte, unsigned int index, double y) {
    if (choix == index) glColor3ubv(kSelection);
    imprimer(texte, -1, y);
    glColor3ubv(kBlanc);
}

void MenuPrincipal::dessinerEntrees() {
    if (choix1 == 1) {
        entree(tr("Jouer"), 0, 0.1);
        imprimerEn(choix == 1 ? kGrisSelection : kGris, tr("Multijoueur"), 0);
        entree(tr("Options"), 2, -0.1);
        entree(tr("Quitter"), 3, -0.2);
    }
    if (choix2 == 1) {
        entree(tr("Scenario"), 0, 0.2);
        entree(tr("Map perso"), 1, 0.1);
        entree(tr("Maps en ligne"), 2, 0);
        entree(tr("Fantome"), 3, -0.1);
        entree(tr("Retour"), 4, -0.2);
    } else if (choix2 == 3) {
        dessinerOptions();
    } else if (choix2 == 4) {
        dessinerTouches();
    } else if (choix2 == 0) {
        dessinerListe();
    }
}

// Every scenario level finished: said, with the total of their records.
// A set's says its title above.
void MenuPrincipal::dessinerFin() {
    long long total = totalSerie;
    if (const Serie* serie = series.trouver(s.serieFinie))
        imprimer(serie->titre.c_str(), -1, 0.2);
    else
        for (const auto& n : records.niveaux)
            if (n.first >= 1 && n.first <= nomSce.size()) total += n.second.points;
    imprimer(tr("Tous les niveaux sont finis"), -1, 0.1);
    imprimer(formater(tr("Total des records : %lld points"), total).c_str(), -1, 0);
    imprimerEn(kSelection, tr("Retour"), -0.2);
}

// The background turned `alpha` of the way from the step before to the last one.
void MenuPrincipal::dessiner(double alpha) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (logoVu) return s.logo.dessiner(s.hauteur, s.largeur);

    teinte.appliquer();
    glDisable(GL_FOG);
    const double r = rotAvant + (rot - rotAvant) * alpha;
    glRotated(r, 0, 0, 1);
    const Heros& b = joueur[0];
    gluLookAt(b.getX() + 10, b.getY(), b.getZ() + 12, b.getX(), b.getY(), b.getZ(), 0, 0, 1);
    glRotated(-r, 0, 0, 1);

    dessinerObjets(lot, tableaucube, nullptr, tableausphere, joueur[0]);
    dessinerCiel(*res.skybox);

    // No text while the fade runs, nor on the frame an activity returned in
    // (the menu is rebuilt right after it).
    if (res.fondublanc.getF() || s.continuer != 2) return;
    imprimer("Vorna v" VORNA_VERSION, 1, 0);
    imprimer("by Mervo", 2, 0);
    imprimer(kAdresseSite, 0, 0);
    s.finScenario ? dessinerFin() : dessinerEntrees();
    if (!annonce.empty() && !debutAnnonce) debutAnnonce = sys::ticks();
    if (!annonce.empty() && sys::ticks() - debutAnnonce < kDureeAnnonce)
        imprimerEn(kAvertissement, annonce.c_str(), -0.85);
}
