// SPDX-License-Identifier: GPL-3.0-or-later
// The changes an editing session makes to its map: the cursor moved,
// resized and retyped as the editor always did, and every change to the
// placed objects made as one step of the history.
#include <cmath>

#include "reperes.h"
#include "session_edition.h"
#include "traduction.h"

namespace editeur {

Heros& Edition::edite() { return selection.active() ? joueur[selection.index()] : joueur.back(); }
const Heros& Edition::edite() const { return selection.active() ? joueur[selection.index()] : joueur.back(); }

std::vector<Heros*> Edition::edites() {
    if (!selection.active()) return {&joueur.back()};
    std::vector<Heros*> r;
    for (int i : selection.groupe()) r.push_back(&joueur[i]);
    return r;
}

// The held movement keys, in the order w, s, d, q, a, e; a gesture on the
// chosen objects ends when they are all let go.
void Edition::bouger() {
    const double pas[6][3] = {{-vitesse, 0, 0}, {vitesse, 0, 0}, {0, 0, -vitesse},
                              {0, vitesse, 0},  {0, -vitesse, 0}, {0, 0, vitesse}};
    bool tenue = false;
    for (int i : {0, 1, 3, 2, 4, 5})
        if (direction[i]) {
            avantChangement();
            for (Heros* h : edites()) h->deplacer(pas[i][0], pas[i][1], pas[i][2]);
            apresChangement();
            tenue = true;
        }
    if (!tenue && !glisse) fermerGeste();
}

void Edition::agrandir(double x, double y, double z) {
    avantChangement();
    for (Heros* h : edites()) h->agrandir(x, y, z);
    apresChangement();
}

// t and r: the chosen objects' kind, or the cursor's and the next objects'.
void Edition::changerType(int pas) {
    if (selection.active()) {
        avantChangement();
        for (Heros* h : edites()) {
            // A record kept from the file takes the palette's first or last kind.
            const int k = h->getObj() < 0 ? (pas > 0 ? 0 : kNombreTypes - 1)
                                          : (h->getObj() + pas + kNombreTypes) % kNombreTypes;
            h->changerObj(k);
            h->changerTexture(gestionT->intToTexture(k));
        }
        apresChangement(false);
        return;
    }
    objet_courant = (objet_courant + pas + kNombreTypes) % kNombreTypes;
    texture_courante = objet_courant;
    joueur.back().changerObj(objet_courant);
    joueur.back().changerTexture(gestionT->intToTexture(texture_courante));
}

// The chosen objects are about to change: the gesture starts with them as they are.
void Edition::avantChangement() {
    if (!selection.active() || gesteIndices == selection.groupe()) return;
    fermerGeste();
    gesteIndices = selection.groupe();
    for (int i : gesteIndices) gesteAvant.push_back(joueur[i]);
}

// Snapped when snapping is on (and `placement` changed); a group is drawn
// again from the list.
void Edition::apresChangement(bool placement) {
    if (aimant && placement)
        for (Heros* h : edites()) aimanter(*h);
    if (selection.groupe().size() > 1) {
        lot.perimer();
        lotDessus.perimer();
        instantPerime = true;
    }
}

// The gesture on the chosen objects becomes one step, if it changed anything.
void Edition::fermerGeste() {
    Pas pas;
    for (std::size_t k = 0; k < gesteIndices.size(); ++k) {
        const int i = gesteIndices[k];
        if (i < nbre_obj && !identiques(joueur[i], gesteAvant[k])) pas.remplacements.push_back({i, {gesteAvant[k]}, {joueur[i]}});
    }
    gesteIndices.clear();
    gesteAvant.clear();
    if (pas.remplacements.empty()) return;
    historique.noter(std::move(pas));
    instantPerime = true;
}

void Edition::faire(Pas pas) {
    fermerGeste();
    historique.faire(joueur, std::move(pas));
    apresModification();
}

void Edition::apresModification() {
    nbre_obj = static_cast<int>(joueur.size()) - 1;
    lot.perimer();
    lotDessus.perimer();
    instantPerime = true;
    selection.valider(nbre_obj);
}

Heros Edition::curseurNeuf(const Heros& a) const {
    return Heros(a.getX(), a.getY(), a.getZ(), 5, 2, 2, 2, 0, 0, 0, gestionT->intToTexture(texture_courante),
                 objet_courant);
}

// Return: the cursor stays where it stands as a placed object, and the
// cursor goes on as a copy of it with the current kind and texture.
void Edition::placer() {
    const Heros c = joueur.back();
    Pas pas;
    pas.remplacements.push_back({nbre_obj, {}, {c}});
    faire(std::move(pas));
    joueur.back() = Heros(c.getX(), c.getY(), c.getZ(), c.getVie(), c.getLX(), c.getLY(), c.getLZ(), c.getRX(),
                          c.getRY(), c.getRZ(), gestionT->intToTexture(texture_courante), objet_courant);
}

// Backspace: the last placed object becomes the cursor, the cursor is dropped.
void Edition::retirerDernier() {
    if (nbre_obj <= 0) return;
    Pas pas;
    pas.remplacements.push_back({nbre_obj - 1, {joueur[nbre_obj - 1]}, {}});
    pas.curseurAvant = joueur.back();
    pas.curseurApres = joueur[nbre_obj - 1];
    faire(std::move(pas));
}

// p: every placed object but the player's start is deleted; the start stays
// placed, and a fresh cursor of the current kind stands where it is.
void Edition::garderDepart() {
    if (nbre_obj <= 1) return;
    Pas pas;
    pas.remplacements.push_back({1, std::vector<Heros>(joueur.begin() + 1, joueur.begin() + nbre_obj), {}});
    pas.curseurAvant = joueur.back();
    pas.curseurApres = curseurNeuf(joueur[0]);
    faire(std::move(pas));
    selection.aucune();
}

// Delete: the chosen objects, never the player's start (the first record is
// the ball in the game; p keeps it too), as one step.
void Edition::supprimerChoisi() {
    if (!selection.active()) return;
    if (selection.contient(0)) afficher(tr("Le depart ne peut pas etre efface"));
    Pas pas;
    const std::vector<int>& g = selection.groupe();
    for (auto i = g.rbegin(); i != g.rend(); ++i)  // from the last: the others keep their places
        if (*i > 0) pas.remplacements.push_back({*i, {joueur[*i]}, {}});
    if (pas.remplacements.empty()) return;
    faire(std::move(pas));
    selection.aucune();
}

// Ctrl+D: a copy of the chosen objects just beside them (toward +y, past
// the whole group), placed last and chosen in their place.
void Edition::dupliquer() {
    if (!selection.active()) return;
    double bas = INFINITY, haut = -INFINITY;
    for (int i : selection.groupe()) {
        const Heros& h = joueur[i];
        const double l = std::fabs(h.rond() ? h.getLX() : h.getLY());
        bas = std::fmin(bas, h.getY() - l), haut = std::fmax(haut, h.getY() + l);
    }
    Pas pas;
    pas.remplacements.push_back({nbre_obj, {}, {}});
    std::vector<int> copies;
    for (int i : selection.groupe()) {
        pas.remplacements[0].apres.push_back(joueur[i]);
        pas.remplacements[0].apres.back().deplacer(0, std::fmax(1, haut - bas), 0);
        copies.push_back(nbre_obj + static_cast<int>(copies.size()));
    }
    faire(std::move(pas));
    selection.choisirTous(copies);
}

void Edition::annuler(bool refaire) {
    fermerGeste();
    const Pas* pas = refaire ? historique.refaire(joueur) : historique.annuler(joueur);
    if (!pas) {
        afficher(refaire ? tr("Rien a refaire") : tr("Rien a annuler"));
        return;
    }
    // The chosen object stays chosen through changes that keep the objects' places.
    if (pas->structurel()) selection.aucune();
    apresModification();
}

}  // namespace editeur
