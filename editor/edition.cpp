#include "edition.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "cadre.h"
#include "dessin_rapide.h"
#include "dossier_joueur.h"
#include "lot_edition.h"
#include "niveau.h"
#include "palette.h"
#include "processus.h"
#include "repertoire.h"
#include "sauvetage.h"
#include "systeme.h"
#include "texte_editeur.h"
#include "texture.h"

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

// One editing session, from set-up to Escape.
class Edition {
public:
    Edition(const std::string& map, int nombreMaps);
    ~Edition();
    Edition(const Edition&) = delete;
    Edition& operator=(const Edition&) = delete;
    void jouer();

private:
    void nouvelleMap(int nombreMaps);
    bool charger(const std::string& chemin);
    void evenements();
    void toucheEnfoncee(SDL_Keycode k, int valeur);
    void toucheRelachee(SDL_Keycode k);
    void changerType(int pas);
    void placer();
    bool sauver();
    std::vector<Enregistrement> enregistrementsPlaces() const;
    void sauvetage();
    bool ecrire(const std::vector<Enregistrement>& enregistrements);
    void essayer();
    void afficher(const std::string& texte);
    void dessiner();
    void rythme();
    void instantane();
    Heros& courant() { return joueur[nbre_obj]; }

    std::unique_ptr<GestionTexture> gestionT;
    unsigned int textureTexte = 0;
    std::unique_ptr<Texte> texte;
    int continuer = 1;
    double vitesse = 1.0;
    double agrandissement = 1.0;
    int direction[6] = {0, 0, 0, 0, 0, 0};  // w (−X), s (+X), q (−Z), d (+Y), a (−Y), e (+Z)
    int nbre_obj = 0;
    int vue = 0;
    double distanceCam = 10.0;
    int objet_courant = 0, texture_courante = 0;
    std::vector<Heros> joueur;
    // The placed objects ready to draw; rebuilt when one is placed or deleted
    // (only the cursor changes otherwise).
    LotEdition lot;
    std::string mapALoad;
    // A new map's name is not the user's file until the first save made it:
    // until then an entry found under that name is never replaced.
    bool nomAChoisir = false;
    int numeroNouvelle = 0;
    bool modifiee = false;
    std::string message;
    Uint32 finMessage = 0;
    Uint32 repere = 0;  // the last 100 ms mark of the pacing
    int frames = 0;
};

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
    } else if (!charger("maps/" + map)) {
        // Never written over: it may be unreadable for a while, or a text
        // that is not a level at all.
        nouvelleMap(static_cast<int>(listerDossier("./maps", ".txt").size()));
        std::fprintf(stderr,
                     "bramelt: maps/%s cannot be opened or holds no record; editing a new map "
                     "instead, saved as %s\n",
                     map.c_str(), mapALoad.c_str());
    }
    // The cursor starts as the player's start, with its texture.
    objet_courant = texture_courante = 0;
    courant().changerObj(objet_courant);
    courant().changerTexture(gestionT->intToTexture(texture_courante));
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
}

bool Edition::charger(const std::string& chemin) {
    std::vector<Enregistrement> lus;
    if (!lireNiveau(chemin, lus)) return false;
    joueur.clear();
    for (const Enregistrement& e : lus) {
        const int type = typeEditeurDe(e.type);
        if (type < 0) {
            joueur.push_back(Heros::garde(e, gestionT->intToTexture(indexDuMot(e.texture))));
            continue;
        }
        joueur.emplace_back(e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz,
                            gestionT->intToTexture(indexTextureLu(type, e.texture)), type);
    }
    const Heros& depart = joueur[0];
    joueur.emplace_back(depart.getX(), depart.getY(), depart.getZ(), 5, 2, 2, 2, 0, 0, 0,
                        gestionT->intToTexture(2), 0);
    nbre_obj = static_cast<int>(lus.size());
    lot.perimer();
    mapALoad = chemin;
    nomAChoisir = false;
    return true;
}

void Edition::jouer() {
    // A signal ends the session as the program ends: at the next frame.
    while (continuer && !sys::arretDemande()) {
        evenements();
        const double pas[6][3] = {{-vitesse, 0, 0}, {vitesse, 0, 0}, {0, 0, -vitesse},
                                  {0, vitesse, 0},  {0, -vitesse, 0}, {0, 0, vitesse}};
        for (int i : {0, 1, 3, 2, 4, 5})  // w, s, d, q, a, e
            if (direction[i]) courant().deplacer(pas[i][0], pas[i][1], pas[i][2]);
        dessiner();
        rythme();
    }
    if (sys::arretDemande()) sauvetage();
}

void Edition::evenements() {
    SDL_Event e;
    while (sys::pollEvent(&e)) {
        switch (e.type) {
        case SDL_KEYDOWN: toucheEnfoncee(e.key.keysym.sym, 1); break;
        case SDL_KEYUP:
            toucheEnfoncee(e.key.keysym.sym, 0);
            toucheRelachee(e.key.keysym.sym);
            break;
        case SDL_MOUSEWHEEL:
            // One step per turn of the wheel: away from the user brings the
            // camera nearer.
            if (sys::molette(e) > 0 && distanceCam >= 5) distanceCam -= 3;
            if (sys::molette(e) < 0) distanceCam += 3;
            break;
        case SDL_QUIT: continuer = 0; break;
        default: break;
        }
    }
}

void Edition::toucheEnfoncee(SDL_Keycode k, int valeur) {
    const SDL_Keycode touches[6] = {SDLK_w, SDLK_s, SDLK_q, SDLK_d, SDLK_a, SDLK_e};
    for (int i = 0; i < 6; ++i)
        if (k == touches[i]) direction[i] = valeur;
}

void Edition::toucheRelachee(SDL_Keycode k) {
    const double a = agrandissement;
    switch (k) {
    case SDLK_UP: courant().agrandir(a, 0, 0); break;
    case SDLK_DOWN: courant().agrandir(-a, 0, 0); break;
    case SDLK_RIGHT: courant().agrandir(0, a, 0); break;
    case SDLK_LEFT: courant().agrandir(0, -a, 0); break;
    case SDLK_j: courant().agrandir(0, 0, a); break;
    case SDLK_n: courant().agrandir(0, 0, -a); break;
    case SDLK_t: changerType(1); break;
    case SDLK_r: changerType(-1); break;
    case SDLK_RETURN: placer(); break;
    case SDLK_BACKSPACE:
        if (nbre_obj > 0) {
            joueur.pop_back();
            --nbre_obj;
            modifiee = true;
            lot.perimer();
        }
        break;
    case SDLK_p:
        if (nbre_obj > 0) {
            joueur.erase(joueur.begin() + 1, joueur.end());
            nbre_obj = 0;
            modifiee = true;
            lot.perimer();
        }
        break;
    case SDLK_SPACE: sauver(); break;
    case SDLK_z: vue = 0; break;
    case SDLK_x: vue = 1; break;
    case SDLK_ESCAPE: continuer = 0; break;
    case SDLK_F5: essayer(); break;
    default: break;
    }
}

void Edition::changerType(int pas) {
    objet_courant = (objet_courant + pas + kNombreTypes) % kNombreTypes;
    texture_courante = objet_courant;
    courant().changerObj(objet_courant);
    courant().changerTexture(gestionT->intToTexture(texture_courante));
}

void Edition::placer() {
    const Heros& c = courant();
    Heros copie(c.getX(), c.getY(), c.getZ(), c.getVie(), c.getLX(), c.getLY(), c.getLZ(),
                c.getRX(), c.getRY(), c.getRZ(), gestionT->intToTexture(texture_courante),
                objet_courant);
    joueur.push_back(copie);
    ++nbre_obj;
    modifiee = true;
    lot.perimer();
}

// Saves the placed objects (never the cursor) once at least two are placed.
bool Edition::sauver() {
    if (nbre_obj <= 1) return false;
    if (!ecrire(enregistrementsPlaces())) {
        std::fprintf(stderr, "bramelt: the map is not saved; it stays in the editor, "
                             "press Space to try again\n");
        afficher("Sauvegarde impossible");
        return false;
    }
    modifiee = false;
    afficher("Sauvee: " + mapALoad.substr(5));
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
    if (modifiee && nbre_obj > 0) ecrireSauvetage(mapALoad, enregistrementsPlaces());
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
        mapALoad = nomMapLibre(numeroNouvelle + 1, &numeroNouvelle);
    }
    return false;
}

// The play-test: the map saved, then the game started on it; the editor
// waits for the run to end.
void Edition::essayer() {
    if (nbre_obj <= 1) {
        afficher("Placez d'abord deux objets");
        return;
    }
    if (!sauver()) return;
    const std::string fichier = mapALoad.substr(5);  // after "maps/"
    if (!finitPar(fichier, ".txt")) {
        afficher("Le jeu ne lit que les maps .txt");
        return;
    }
    const std::string nom = fichier.substr(0, fichier.size() - 4);
    const std::string vorna = cheminProgramme("vorna");
    const Lancement l = lancerProgramme({vorna, "--map", nom}, true);
    if (!l.demarre) {
        std::fprintf(stderr, "bramelt: cannot start %s: %s\n", vorna.c_str(), std::strerror(l.erreur));
        afficher("Impossible de lancer vorna");
    } else if (l.statut != 0) {
        std::fprintf(stderr, "bramelt: vorna --map %s ended with status %d\n", nom.c_str(), l.statut);
        afficher("Le jeu s'est arrete sur une erreur");
    }
    // What was typed meanwhile went to the game; a close request still counts.
    SDL_Event e;
    while (sys::pollEvent(&e))
        if (e.type == SDL_QUIT) continuer = 0;
    for (int& d : direction) d = 0;
    repere = sys::ticks();
}

void Edition::afficher(const std::string& t) {
    message = t;
    finMessage = sys::ticks() + kDureeMessage;
}

void Edition::dessiner() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    const Heros& c = courant();
    gluLookAt(c.getX() + distanceCam, c.getY(), c.getZ() + distanceCam, c.getX(), c.getY(), c.getZ(),
              0, 0, 1);
    if (dessinSimple())
        for (int i = 0; i <= nbre_obj; ++i) joueur[i].dessiner(vue);
    else
        lot.dessiner(joueur, nbre_obj, vue);

    texte->mervoprint(objToChar(objet_courant, "nature").c_str(), 1, 0, 0);
    texte->mervoprint(objToChar(objet_courant, "explication").c_str(), 0, 0, 0);
    if (modifiee) texte->mervoprint("Non sauvegardee", 2, 0, 0);
    if (!message.empty() && static_cast<Sint32>(finMessage - sys::ticks()) <= 0) message.clear();
    if (!message.empty()) {
        glColor3ub(221, 137, 107);
        texte->mervoprint(message.c_str(), -1, 0, 0.5);
        glColor3ub(255, 255, 255);
    }

    instantane();
    glFlush();
    instant.swap = true;
    sys::swapBuffers();
    instant.swap = false;
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
    instant.objets = joueur;
    instant.nbre_obj = nbre_obj;
    instant.objet_courant = objet_courant;
    instant.vue = vue;
    instant.distanceCam = distanceCam;
    instant.mapALoad = mapALoad;
    instant.modifiee = modifiee;
    instant.message = message;
}

}  // namespace

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
