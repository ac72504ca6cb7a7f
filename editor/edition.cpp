// SPDX-License-Identifier: GPL-3.0-or-later
#include "edition.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "cadre.h"
#include "course_auteur.h"
#include "dossier_joueur.h"
#include "fenetre.h"
#include "niveau.h"
#include "processus.h"
#include "repertoire.h"
#include "sauvetage.h"
#include "session_edition.h"
#include "systeme.h"
#include "texture.h"
#include "traduction.h"

namespace editeur {

namespace {

InstantEdition instant;

const char* const kNouvelleMap = "nomap";
const Uint32 kDureeMessage = 3000;  // ms a notice stays on screen

bool entreeExiste(const std::string& chemin) {
    struct stat s;
    return lstat(chemin.c_str(), &s) == 0;
}

bool finitPar(const std::string& s, const std::string& fin) {
    return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
}

// A scenario level the editor cannot save in place: its folder is the
// installation's, reached by a link from the player's folder, or the file
// or its folder cannot be written.
bool niveauProtege(const std::string& chemin) {
    struct stat s;
    const std::string dossier = chemin.substr(0, chemin.rfind('/'));
    if (lstat(dossier.c_str(), &s) == 0 && S_ISLNK(s.st_mode)) return true;
    return access(dossier.c_str(), W_OK) != 0 || access(chemin.c_str(), W_OK) != 0;
}

}  // namespace

Edition::Edition(const std::string& map, int nombreMaps) {
    perspectiveScene();  // the window's aspect, 70° vertically
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);

    gestionT = std::make_unique<GestionTexture>();
    gestionT->initialiserTextures();
    textureTexte = loadTexture("data/font1.TGA", true);
    if (!textureTexte) std::fprintf(stderr, "bramelt: cannot load data/font1.TGA; no text is shown\n");
    texte = std::make_unique<Texte>(textureTexte, 640, 480);

    if (map == kNouvelleMap) {
        nouvelleMap(nombreMaps);
    } else if (charger("maps/" + map)) {
        if (map.rfind("niveau/", 0) == 0 && niveauProtege(mapALoad)) copierNiveau(map.substr(7));
    } else {
        // Never written over: it may be unreadable for a while, or a text
        // that is not a level at all.
        nouvelleMap(static_cast<int>(listerFichiers("./maps", ".txt").size()));
        std::fprintf(stderr,
                     "bramelt: maps/%s cannot be opened or holds no record; editing a new map "
                     "instead, saved as %s\n",
                     map.c_str(), mapALoad.c_str());
    }
    // The cursor starts as the player's start, with its texture.
    objet_courant = texture_courante = 0;
    joueur.back().changerObj(objet_courant);
    joueur.back().changerTexture(gestionT->intToTexture(texture_courante));
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

Edition::~Edition() {
    libererTexture(textureTexte);
}

void Edition::nouvelleMap(int nombreMaps) {
    joueur.clear();
    mapALoad = nomMapLibre(nombreMaps + 1, &numeroNouvelle);
    nomAChoisir = true;
    joueur.emplace_back(2, 2, 20, 5, 2, 2, 2, 0, 0, 0, gestionT->intToTexture(2), 0);
    nbre_obj = 0;
    lot.perimer();
    lotDessus.perimer();
}

bool Edition::charger(const std::string& chemin) {
    std::vector<Enregistrement> lus;
    if (!lireNiveau(chemin, lus)) return false;
    joueur.clear();
    for (const Enregistrement& e : lus) joueur.push_back(objetDe(e, joueur.empty()));
    const Heros& depart = joueur[0];
    joueur.emplace_back(depart.getX(), depart.getY(), depart.getZ(), 5, 2, 2, 2, 0, 0, 0,
                        gestionT->intToTexture(2), 0);
    nbre_obj = static_cast<int>(lus.size());
    lot.perimer();
    lotDessus.perimer();
    mapALoad = chemin;
    nomAChoisir = false;
    surDisque = empreinteDe(chemin);
    return true;
}

// A scenario level of the installation (`fichier` in maps/niveau/): saved
// as a copy among the player's maps, "maps/map4.txt" or the next
// "maps/map4-N.txt" free, which the user is told.
void Edition::copierNiveau(const std::string& fichier) {
    copieDe = "maps/" + fichier.substr(0, fichier.rfind('.')) + ".txt";
    numeroNouvelle = 1;
    mapALoad = entreeExiste(copieDe) ? nomSuivant() : copieDe;
    nomAChoisir = true;
    copieNiveau = true;
    afficher(formater(tr("Niveau protege: copie dans %s"), mapALoad.substr(5).c_str()));
}

// The object a record makes (`premier`: the first of a file, the start).
Heros Edition::objetDe(const Enregistrement& e, bool premier) const {
    const int type = typeEditeurDe(e.type, premier);
    if (type < 0) return Heros::garde(e, gestionT->intToTexture(indexDuMot(e.texture)));
    Heros h(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz,
            gestionT->intToTexture(indexTextureLu(type, e.texture)), type);
    // Saved again with its own word: a decoration's "textureJump" is not lost.
    h.garderMot(e.texture);
    return h;
}

void Edition::jouer() {
    // The X server gone, the program is ended from within X: the rescue copy
    // is written on the way out.
    surPerteAffichage([](void* e) { static_cast<Edition*>(e)->sauvetage(); }, this);
    // A signal ends the session as the program ends: at the next frame.
    while (continuer && !sys::arretDemande()) {
        evenements();
        suivrePublication();
        bouger();
        dessiner();
        rythme();
    }
    surPerteAffichage(nullptr, nullptr);
    if (sys::arretDemande()) sauvetage();
}

// Saves the placed objects (never the cursor) once at least two are placed;
// over a file changed on the disk since, only once the user said how.
bool Edition::sauver() {
    fermerGeste();
    if (nbre_obj <= 1) {
        afficher(tr("Placez au moins deux objets"));
        return false;
    }
    if (!nomAChoisir) {
        const Empreinte maintenant = empreinteDe(mapALoad);
        if (maintenant.existe && maintenant != surDisque) {
            conflit = true;
            aide = question = false;
            return false;
        }
    }
    return enregistrer();
}

// Space on the question before saving over a changed map replaces it;
// Return keeps both (ours under the next free "NAME-N.txt"); any other key
// saves nothing.
void Edition::repondreConflit(SDL_Keycode k) {
    conflit = false;
    bool sauve = false;
    if (k == SDLK_SPACE) {
        sauve = enregistrer();
    } else if (k == SDLK_RETURN) {
        copieDe = mapALoad;
        numeroNouvelle = 1;
        mapALoad = nomSuivant();
        nomAChoisir = true;
        sauve = enregistrer();
    }
    if (sauve && partirApres) continuer = 0;
    partirApres = false;
}

bool Edition::enregistrer() {
    if (!ecrire(enregistrementsPlaces())) {
        std::fprintf(stderr, "bramelt: the map is not saved; it stays in the editor, "
                             "press Space to try again\n");
        afficher(tr("Sauvegarde impossible"));
        return false;
    }
    historique.marquerSauve();
    surDisque = empreinteDe(mapALoad);
    afficher(formater(copieNiveau ? tr("Niveau protege, copie sauvee: %s") : tr("Sauvee: %s"),
                      mapALoad.substr(5).c_str()));
    copieNiveau = false;
    return true;
}

// The records of the placed objects, the cursor left out.
std::vector<Enregistrement> Edition::enregistrementsPlaces() const {
    std::vector<Enregistrement> r;
    for (int i = 0; i < nbre_obj; ++i)
        r.push_back(joueur[i].enregistrement(intToCharTexture(gestionT->textureToInt(joueur[i].getText()))));
    return r;
}

// Ended by a signal: placed objects not saved yet are not lost, they go to a
// rescue copy (never over the map itself).
void Edition::sauvetage() {
    if (historique.modifie() && nbre_obj > 0) ecrireSauvetage(mapALoad, enregistrementsPlaces());
}

bool Edition::ecrire(const std::vector<Enregistrement>& enregistrements) {
    if (!nomAChoisir) return ecrireNiveau(mapALoad, enregistrements);
    // A file that appeared under the new map's name since the session began
    // is left alone: the next free number is taken.
    for (int essais = 0; essais < 1000; ++essais) {
        if (ecrireNiveau(mapALoad, enregistrements, false)) {
            nomAChoisir = false;
            return true;
        }
        if (errno != EEXIST) return false;
        mapALoad = nomSuivant();
    }
    return false;
}

// The next name a map not saved yet may take: a new map's next free number,
// or beside the map it was kept apart from, "maps/NAME-N.txt".
std::string Edition::nomSuivant() {
    if (copieDe.empty()) return nomMapLibre(numeroNouvelle + 1, &numeroNouvelle);
    const std::string base = finitPar(copieDe, ".txt") ? copieDe.substr(0, copieDe.size() - 4) : copieDe;
    std::string chemin;
    do chemin = base + "-" + std::to_string(++numeroNouvelle) + ".txt";
    while (entreeExiste(chemin));
    return chemin;
}

// The play-test: the map saved, then the game started on it; the editor
// waits for the run to end.
void Edition::essayer() {
    if (nbre_obj <= 1) {
        afficher(tr("Placez d'abord deux objets"));
        return;
    }
    if (!sauver()) return;
    const std::string fichier = mapALoad.substr(5);  // after "maps/"
    if (!finitPar(fichier, ".txt")) {
        afficher(tr("Le jeu ne lit que les maps .txt"));
        return;
    }
    const std::string nom = fichier.substr(0, fichier.size() - 4);
    const std::string vorna = cheminProgramme("vorna");
    // The game writes there the runs that finish the map: the last one is
    // kept for publishing the map as it is saved now.
    const std::string sortie = "data/joueur/.course-essai-" + std::to_string(getpid());
    mkdir("data/joueur", 0777);
    std::remove(sortie.c_str());
    // A signal to the editor ends the game too; the editor then ends as usual.
    const Lancement l = lancerProgramme({vorna, "--map", nom, "--course-sortie", sortie}, true,
                                        [] { return sys::arretDemande(); });
    std::string carte;
    if (lireOctets(mapALoad, carte) && garderCourseAuteur(sortie, empreinteCarte(carte)))
        afficher(tr("Map finie: F9 la publie"));
    std::remove(sortie.c_str());
    if (sys::arretDemande()) return;
    if (!l.demarre) {
        std::fprintf(stderr, "bramelt: cannot start %s: %s\n", vorna.c_str(), std::strerror(l.erreur));
        afficher(tr("Impossible de lancer vorna"));
    } else if (l.statut != 0) {
        std::fprintf(stderr, "bramelt: vorna --map %s ended with status %d\n", nom.c_str(), l.statut);
        afficher(tr("Le jeu s'est arrete sur une erreur"));
    }
    // What was typed meanwhile went to the game; a close request still counts.
    SDL_Event e;
    while (sys::pollEvent(&e))
        if (e.type == SDL_QUIT) demanderDepart(true);
    for (int& d : direction) d = 0;
    repere = sys::ticks();
}

void Edition::afficher(const std::string& t) {
    message = t;
    finMessage = sys::ticks() + kDureeMessage;
}

// A frame lasts its work plus 30 ms, or 60 ms when no 100 ms mark has passed.
void Edition::rythme() {
    const Uint32 maintenant = sys::ticks();
    if (maintenant - repere > 100)
        repere = maintenant;
    else
        sys::delay(30);
    sys::delay(30);
}

void Edition::instantane() {
    instant.frame = ++frames;
    // The whole map when its list changed, else the objects that may change every frame.
    if (instantPerime || instant.objets.size() != joueur.size()) {
        instant.objets = joueur;
        instantPerime = false;
    } else {
        instant.objets.back() = joueur.back();
        for (int i : selection.groupe()) instant.objets[i] = joueur[i];
    }
    instant.nbre_obj = nbre_obj;
    instant.objet_courant = objet_courant;
    instant.vue = vue;
    instant.distanceCam = distanceCam;
    instant.mapALoad = mapALoad;
    instant.modifiee = historique.modifie();
    instant.message = message;
    instant.publication = publication.lignes();
    instant.selection = selection.index();
    instant.groupe = selection.groupe();
    instant.grille = grille;
    instant.aimant = aimant;
    instant.dessus = dessus;
    instant.aide = aide;
    instant.question = question;
    instant.conflit = conflit;
    instant.vueImage = vueImage;
}

// The frame drawn is shown; the tests see the session as it is then.
void Edition::montrer() {
    instantane();
    glFlush();
    instant.swap = true;
    sys::swapBuffers();
    instant.swap = false;
}

std::string nomMapLibre(int premier, int* numero) {
    int n = premier < 1 ? 1 : premier;
    std::string chemin;
    for (;; ++n) {
        chemin = "maps/mapperso" + std::to_string(n) + ".txt";
        if (!entreeExiste(chemin)) break;
    }
    if (numero) *numero = n;
    return chemin;
}

void jouer(const std::string& map, int nombreMaps) {
    Edition edition(map, nombreMaps);
    edition.jouer();
}

const InstantEdition& instantEdition() { return instant; }

}  // namespace editeur
