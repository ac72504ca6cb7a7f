// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing of an editing session's frame: the map seen from the camera
// that follows the edited object (or from above), what helps to place it,
// and the texts over the view.
#include <GL/gl.h>

#include <algorithm>

#include "camera_edition.h"
#include "dessin_rapide.h"
#include "panneaux.h"
#include "reperes.h"
#include "session_edition.h"
#include "systeme.h"
#include "texte.h"
#include "traduction.h"

namespace editeur {

namespace {

const double kPetit = 0.75;  // the size of the coordinates' lines: 24 × 18 pixels a glyph
const double kPetitPanneau = 0.625;  // the publishing panel's: a title of 60 characters fits

}  // namespace

void Edition::dessiner() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    dessinerScene();
    dessinerTextes();
    montrer();
}

// The placed objects in order, the chosen one after them and the cursor last.
void Edition::dessinerScene() {
    const Heros& suivi = edite();
    if (dessus)
        debutVueDessus(joueur);
    else
        regarder(suivi, distanceCam);
    vueImage = lireVue();
    const int choisi = selection.index();
    if (dessinSimple()) {
        for (int i = 0; i < nbre_obj; ++i)
            if (i != choisi) joueur[i].dessiner(vue);
        if (choisi >= 0) joueur[choisi].dessiner(vue);
        joueur[nbre_obj].dessiner(vue);
    } else if (dessus) {
        lotDessus.dessiner(joueur, nbre_obj, choisi, vue, kVersOeilDessus);
        if (choisi >= 0) joueur[choisi].dessiner(vue);
        joueur[nbre_obj].dessiner(vue);
    } else {
        lot.dessiner(joueur, nbre_obj, vue, choisi);
    }
    if (grille) dessinerGrille(suivi);
    bool touche = false;
    const double bas = hauteurDessous(joueur, nbre_obj + 1, choisi >= 0 ? choisi : nbre_obj, suivi, &touche);
    dessinerLigneChute(suivi, bas, touche);
    for (int i : selection.groupe()) dessinerContour(joueur[i]);
    if (dessus) finVueDessus();
    if (rectangle) dessinerRectangle(rectangle->x0, rectangle->y0, rectangle->x1, rectangle->y1, vueImage.hauteurFenetre);
}

// Top left the kind of the edited object (and the chosen object's number,
// after how many are chosen when more than one is),
// under it where it stands and its sizes, the cursor's place too when an
// object is chosen; bottom left the kind's help; top right the unsaved mark.
void Edition::dessinerTextes() {
    if (aide) {  // alone over the view: nothing shows through its lines
        dessinerAide(textureTexte);
        return;
    }
    const Heros& s = edite();
    const bool choisi = selection.active();
    const int groupe = static_cast<int>(selection.groupe().size());
    std::string nom = choisi ? std::to_string(selection.index() + 1) + ": " + nomDuType(s)
                             : objToChar(objet_courant, "nature");
    if (groupe > 1) nom = formater(tr("%d choisis"), groupe) + "  " + nom;
    const std::string aide = choisi ? explicationDuType(s) : objToChar(objet_courant, "explication");
    const std::string place = coordonnees(s);
    const Heros& c = joueur.back();
    const std::string curseur = choisi ? std::string(tr("curseur")) + " x " + nombreCourt(c.getX()) + " y " +
                                             nombreCourt(c.getY()) + " z " + nombreCourt(c.getZ())
                                       : "";
    const std::string nonSauvee = historique.modifie() ? tr("Non sauvegardee") : "";
    // Dark bands behind them (a glyph every 16 pixels, 12 for the small lines).
    bandeau(0, 0, std::max({16.0 * nom.size(), 12.0 * place.size(), 12.0 * curseur.size()}) + 6, choisi ? 62 : 44);
    bandeau(0, 454, 16.0 * aide.size() + 6, 480);
    if (!nonSauvee.empty()) bandeau(640 - 16.0 * (nonSauvee.size() + 1) - 6, 0, 640, 26);
    texte->mervoprint(nom.c_str(), 1, 0, 0);
    texte->mervoprint(aide.c_str(), 0, 0, 0);
    ecrireLigne(textureTexte, place, 0, 24, kPetit);
    if (choisi) ecrireLigne(textureTexte, curseur, 0, 42, kPetit);
    if (!nonSauvee.empty()) texte->mervoprint(nonSauvee.c_str(), 2, 0, 0);
    if (!message.empty() && static_cast<Sint32>(finMessage - sys::ticks()) <= 0) message.clear();
    if (!message.empty()) {
        glColor3ubv(kSelection);
        texte->mervoprint(message.c_str(), -1, 0, 0.5);
        glColor3ub(255, 255, 255);
    }
    if (question) dessinerQuestion(textureTexte, lignesQuestion());
    if (conflit) dessinerQuestion(textureTexte, lignesConflit());
    if (publication.ouverte()) dessinerQuestion(textureTexte, publication.lignes(), kPetitPanneau);
}

}  // namespace editeur
