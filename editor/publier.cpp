// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing the map being edited on the score server: the map as saved,
// its overview as a small picture and the author's run that finishes it
// (kept by the play-test), under the author's name and a title typed in a
// panel; the answer shown there, a published map's page opened in the browser.
#include <GL/gl.h>

#include <cstdio>

#include "camera_edition.h"
#include "course_auteur.h"
#include "dessin_rapide.h"
#include "navigateur.h"
#include "reglages.h"
#include "score.h"
#include "session_edition.h"
#include "traduction.h"

namespace editeur {

namespace {

// What the author is told when the map cannot be published yet.
const char* const kFinir = aTraduire("Finissez la map avec F5 avant de la publier");

}  // namespace

// The key: the panel opens on a saved map that the author finished since it
// was saved, with the name and the title typed last time.
void Edition::publier() {
    fermerGeste();
    std::string carte;
    const bool sauvee = !nomAChoisir && !historique.modifie() && lireOctets(mapALoad, carte);
    if (!sauvee || !courseAuteur(empreinteCarte(carte))) {
        afficher(tr(kFinir));
        return;
    }
    if (carte.size() > kCarteMax) {
        afficher(tr("Map trop grosse pour le serveur"));
        return;
    }
    const Reglages r = lireReglages(kFichierReglages, nullptr, false);
    std::string nom = mapALoad.substr(mapALoad.rfind('/') + 1);
    nom = nom.substr(0, nom.rfind('.'));
    publication.ouvrir(r.auteurCartes, r.titreCarte.empty() ? nom : r.titreCarte);
}

// Return in the panel: the name and title kept for next time, then the map
// on its way.
void Edition::envoyerPublication() {
    const std::string auteur = publication.auteur(), titre = publication.titre();
    bool attente = false;  // a lock held by the game: the settings are written later
    modifierReglages([auteur, titre](Reglages& r) { r.auteurCartes = auteur, r.titreCarte = titre; },
                     kFichierReglages, &attente);
    std::string carte;
    const std::optional<Course> course = lireOctets(mapALoad, carte) ? courseAuteur(empreinteCarte(carte)) : std::nullopt;
    if (!course) {  // the file changed on the disk meanwhile
        publication.montrer({tr("Publication refusee"), tr(kFinir)});
        return;
    }
    const std::string apercu = apercuPng(imageApercu(), kApercuMax);
    const std::string url = racineServeur() + "/carte";
    if (!publication.envoyer(url, enveloppeCarte(titre, auteur, carte, apercu, encoderCourse(*course))))
        publication.montrer({tr("Serveur injoignable"), tr("Reessayez plus tard")});
}

// At each frame: the answer once it came, on screen and on standard error;
// the page of a map published, or published already, opened in the browser.
void Edition::suivrePublication() {
    ReponseCarte r;
    if (!publication.suivre(r)) return;
    const std::vector<std::string> l = lignesReponseCarte(r);
    publication.montrer(l);
    if (r.issue == ReponseCarte::Injoignable)
        std::fprintf(stderr, "bramelt: %s (%s: %s)\n", l[0].c_str(), serveurScore().c_str(), r.raison.c_str());
    else if (r.issue == ReponseCarte::Refusee)
        std::fprintf(stderr, "bramelt: %s: %s (%s)\n", l[0].c_str(), r.phrase.c_str(), r.mot.c_str());
    else
        std::fprintf(stderr, "bramelt: %s: %s%s\n", l[0].c_str(), racineServeur().c_str(), r.adresse.c_str());
    if (r.issue == ReponseCarte::Publiee || r.issue == ReponseCarte::Existe) {
        if (!ouvrirUrl(racineServeur() + r.adresse)) afficher(tr("Navigateur introuvable"));
    }
}

// The overview of the placed objects alone (no cursor, no marks) drawn into
// the back buffer and read back; the next frame draws over it.
ImageRgb Edition::imageApercu() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    debutVueDessus(std::vector<Heros>(joueur.begin(), joueur.begin() + nbre_obj));
    if (dessinSimple()) {
        for (int i = 0; i < nbre_obj; ++i) joueur[i].dessiner(vue);
    } else {
        lotDessus.dessiner(joueur, nbre_obj, -1, vue, kVersOeilDessus);
    }
    finVueDessus();
    return lireImage();
}

}  // namespace editeur
