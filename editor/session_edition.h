// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_SESSION_EDITION_H
#define VORNA_EDITEUR_SESSION_EDITION_H

#include <SDL.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apercu.h"
#include "empreinte.h"
#include "historique.h"
#include "lot_dessus.h"
#include "lot_edition.h"
#include "objet_editeur.h"
#include "palette.h"
#include "pointage.h"
#include "publication.h"
#include "selection.h"
#include "texte_editeur.h"

namespace editeur {

// One editing session, from set-up to the way out (see jouer in edition.h).
// Its work is shared by concern: set-up, the loop, saving and the play-test
// (edition.cpp); the keys and the mouse (commandes_edition.cpp); the
// changes made to the map, each a step of the history (changements.cpp),
// and copy and paste through the clipboard (presse_papiers.cpp);
// the drawing of a frame (dessin_edition.cpp); publishing the map on the
// score server (publier.cpp).
class Edition {
public:
    Edition(const std::string& map, int nombreMaps);
    ~Edition();
    Edition(const Edition&) = delete;
    Edition& operator=(const Edition&) = delete;
    void jouer();

private:
    // Set-up, loop, saving, play-test.
    void nouvelleMap(int nombreMaps);
    bool charger(const std::string& chemin);
    void copierNiveau(const std::string& fichier);
    Heros objetDe(const Enregistrement& e, bool premier) const;
    bool sauver();
    bool enregistrer();
    std::string nomSuivant();
    std::vector<Enregistrement> enregistrementsPlaces() const;
    void sauvetage();
    bool ecrire(const std::vector<Enregistrement>& enregistrements);
    void essayer();
    void afficher(const std::string& texte);
    void rythme();
    void instantane();
    void montrer();

    // Keys and mouse.
    void evenements();
    void toucheEnfoncee(SDL_Keycode k, Uint16 mod);
    void toucheRelachee(SDL_Keycode k, Uint16 mod);
    void toucheCtrl(SDL_Keycode k, bool maj);
    bool toucheNouvelle(SDL_Keycode k, bool maj);
    void touchePremiere(SDL_Keycode k);
    bool clic(int x, int y);
    // Dragging with the mouse (glisser.cpp).
    bool pointGlisse(int x, int y, double point[3]) const;
    void commencerGlisse(int x, int y);
    void glisser(int x, int y);
    void finirGlisse();
    // Choosing by a rectangle drawn with the right button (glisser.cpp).
    void commencerRectangle(int x, int y);
    void finirRectangle();
    void demanderDepart(bool fermeture);
    void repondre(SDL_Keycode k);
    void repondreConflit(SDL_Keycode k);
    bool panneau() const { return aide || question || conflit || publication.ouverte(); }

    // Publishing the map (publier.cpp).
    void publier();
    void envoyerPublication();
    void suivrePublication();
    ImageRgb imageApercu();

    // Changes to the map (changements.cpp).
    Heros& edite();
    const Heros& edite() const;
    // The chosen objects, or the cursor when none is chosen.
    std::vector<Heros*> edites();
    void bouger();
    void agrandir(double x, double y, double z);
    void changerType(int pas);
    void avantChangement();
    void apresChangement(bool placement = true);
    void fermerGeste();
    void faire(Pas pas);
    void apresModification();
    void placer();
    void retirerDernier();
    void garderDepart();
    void supprimerChoisi();
    void dupliquer();
    void copier(bool couper);
    void coller();
    void annuler(bool refaire);
    Heros curseurNeuf(const Heros& a) const;

    // Drawing.
    void dessiner();
    void dessinerScene();
    void dessinerTextes();

    std::unique_ptr<GestionTexture> gestionT;
    unsigned int textureTexte = 0;
    std::unique_ptr<Texte> texte;
    int continuer = 1;
    double vitesse = 1.0;
    double agrandissement = 1.0;
    int direction[6] = {0, 0, 0, 0, 0, 0};  // w (−X), s (+X), q (−Z), d (+Y), a (−Y), e (+Z)
    int nbre_obj = 0;                       // index of the cursor: the number of placed objects
    int vue = 0;
    double distanceCam = 10.0;
    int objet_courant = 0, texture_courante = 0;
    std::vector<Heros> joueur;  // the placed objects in order, the cursor last
    // The placed objects ready to draw; rebuilt when the list changes (the
    // cursor and the chosen object are drawn on their own).
    LotEdition lot;
    LotDessus lotDessus;  // the same for the overview
    std::string mapALoad;
    // A new map's name is not the user's file until the first save made it:
    // until then an entry found under that name is never replaced.
    bool nomAChoisir = false;
    int numeroNouvelle = 0;
    // The map's file as it was when opened or last saved: a file changed
    // since (another editor saved it) is not replaced without asking.
    Empreinte surDisque;
    // Keeping both: our map goes to "maps/NAME-N.txt" beside this one.
    std::string copieDe;
    bool copieNiveau = false;  // the map is a protected scenario level, not saved yet
    std::string message;
    Uint32 finMessage = 0;
    Uint32 repere = 0;  // the last 100 ms mark of the pacing
    int frames = 0;
    bool instantPerime = true;  // the objects shown to tests are to be copied whole

    Historique historique;
    Selection selection;
    // The chosen objects being moved or resized: where they stood before,
    // until the keys are let go and the whole gesture becomes one step.
    std::vector<int> gesteIndices;
    std::vector<Heros> gesteAvant;
    bool grille = false, aimant = false, dessus = false;
    bool aide = false, question = false;
    bool conflit = false;      // asking before saving over a map changed on the disk
    bool partirApres = false;  // the save asked for was the way out
    VueImage vueImage;                   // of the last frame drawn, for picking
    // A drag under way: the view it began in, where the object stood, the
    // offset from the point grabbed to its centre, up and down (Shift).
    struct Glisse {
        VueImage vue;
        double depart[3], prise[3];
        bool vertical;
    };
    std::optional<Glisse> glisse;
    // A rectangle being drawn with the right button: its corners in window
    // pixels, the view it was begun in; with Shift it adds to the group.
    struct Rectangle {
        VueImage vue;
        int x0, y0, x1, y1;
        bool ajouter;
    };
    std::optional<Rectangle> rectangle;
    bool majTenue = false;  // a Shift key is held
    std::map<SDL_Keycode, Uint16> mods;  // the modifiers each held key was pressed with
    std::set<SDL_Keycode> avalees;       // keys that closed a panel: their release does nothing
    Publication publication;
};

}  // namespace editeur

#endif
