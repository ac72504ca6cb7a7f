// SPDX-License-Identifier: GPL-3.0-or-later
#include "fantome.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "allure_replay.h"
#include "annonce.h"
#include "cadence.h"
#include "cadre.h"
#include "fichier_fantome.h"
#include "fondu.h"
#include "heros.h"
#include "niveau.h"
#include "scene.h"
#include "simulation.h"
#include "skybox.h"
#include "systeme.h"
#include "texte.h"
#include "textes_partie.h"
#include "texture.h"
#include "touches.h"

namespace {

// The replay's own textures, released when it returns.
struct TexturesReplay {
    unsigned int sphere, sol, caisse, jump, speed, arrivee, depart, sauvegarde, font;
    TexturesReplay()
        : sphere(loadTexture("data/bois.jpg", true)),
          sol(loadTexture("data/sol.jpg", true)),
          caisse(loadTexture("data/caisse.jpg", true)),
          jump(loadTexture("data/jump.jpg", true)),
          speed(loadTexture("data/speed.jpg", true)),
          arrivee(loadTexture("data/caisse2.jpg", true)),
          depart(loadTexture("data/depart.jpg", true)),
          sauvegarde(loadTexture("data/save.jpg", true)),
          font(loadTexture("data/font1.TGA", true)) {}
    ~TexturesReplay() {
        unsigned int noms[] = {sphere, sol, caisse, jump, speed, arrivee, depart, sauvegarde, font};
        for (unsigned int n : noms)
            libererTexture(n);
    }
    TexturesReplay(const TexturesReplay&) = delete;
    TexturesReplay& operator=(const TexturesReplay&) = delete;

    // A word names one of the eight course textures; any other word keeps
    // the previous record's texture.
    unsigned int parMot(const std::string& mot, unsigned int precedente) const {
        if (mot == "textureSphere") return sphere;
        if (mot == "textureCaisse") return caisse;
        if (mot == "textureSol") return sol;
        if (mot == "textureJump") return jump;
        if (mot == "textureSpeed") return speed;
        if (mot == "textureArrivee") return arrivee;
        if (mot == "textureDepart") return depart;
        if (mot == "textureSauvegarde") return sauvegarde;
        return precedente;
    }
};

InstantPartie instant;

// Says why the replay cannot start, on standard error and, through the menu,
// on screen.
void renoncer(const std::string& detail, const std::string& ligne) {
    std::fprintf(stderr, "vorna: cannot replay %s\n", detail.c_str());
    annoncer(ligne);
}

// One replay of a ghost: its set-up, then step after step (1/30 s each) its
// events, the positions read at the player's pace, the fall's fade and the
// clocks; frames drawn at the display's rate, the ball between the step
// before and the last one.
class Replay {
public:
    Replay(int hauteur, int largeur, const std::string& mapALoad)
        : hauteur(hauteur), largeur(largeur), nomAffiche(mapALoad) {}
    bool preparer();
    void jouer();

private:
    bool lireFantome();
    void evenements();
    void pas();
    void avancer();
    void dessiner(double alpha);
    void instantane();
    void minuteries();
    void auDepart() {
        balle().deplacer(x_depart - balle().getX(), y_depart - balle().getY(), z_depart + 5 - balle().getZ());
    }
    Heros& balle() { return joueur[0]; }

    const int hauteur, largeur;
    const std::string nomAffiche;
    TexturesReplay textures;  // first: loaded before anything else
    std::unique_ptr<Skybox> skybox;
    Fondu mort{255, 255, 255};
    std::unique_ptr<LecteurFantome> ghost;
    std::string niveauALoad;
    ContenuNiveau contenu;
    std::vector<Heros> joueur;
    LotBlocs lot;
    double x_depart = 0, y_depart = 0, z_depart = 0;
    double x_tombe = 0, y_tombe = 0, z_tombe = 0;
    double z_begin_tombe = 0;
    // The replay's clock, in steps: the chronometer (3) and a fall (4).
    long long tempsActuel3 = 0, tempsPrecedent3 = 0, tempsActuel4 = 0, tempsPrecedent4 = 0;
    Allure allure;
    std::vector<SDL_Keycode> relachees;  // keys released since the last step
    std::array<double, 3> precedente{};  // the ball where the step before left it
    Fondu teinte{255, 255, 255};         // the colour the step's picture is drawn in
    bool premierPas = true;
    std::string textes, coin;
    int continuer = 2;
    int frames = 0;
    // What the picture shows: the same as drawn last, it needs no drawing again.
    using Vue = std::tuple<std::array<double, 3>, std::array<double, 3>, std::array<double, 3>, bool,
                           std::array<int, 3>, bool, std::string, std::string>;
    Vue vue() const;
    Vue vueDessinee;
};

}  // namespace

const InstantPartie& instantReplay() { return instant; }

void jouerGhost(int hauteur, int largeur, std::string mapALoad) {
    instant = InstantPartie();
    Replay replay(hauteur, largeur, mapALoad);
    if (replay.preparer()) replay.jouer();
}

namespace {

// The ghost's header names a level of maps/; false, with the reason given,
// when it cannot be read.
bool Replay::lireFantome() {
    const std::string cheminGhost = "ghost/" + nomAffiche;
    FichierLu fichier = ouvrirLecture(cheminGhost, "ghost");
    if (!fichier) {
        annoncer(formater(tr("Fantome illisible : %s"), nomAffiche.c_str()));
        return false;
    }
    ghost = std::make_unique<LecteurFantome>(std::move(fichier));
    if (!ghost->lireEntete(niveauALoad)) {
        renoncer(cheminGhost + ": it names no level", formater(tr("Fantome vide : %s"), nomAffiche.c_str()));
        return false;
    }
    // A ghost only ever names a level of maps/: any other path (a device, a
    // file elsewhere) is not opened.
    if (!cheminNiveauAdmis(niveauALoad)) {
        renoncer(cheminGhost + ": its level \"" + niveauALoad + "\" lies outside maps/",
                 tr("Fantome refuse : niveau hors de maps"));
        return false;
    }
    return true;
}

bool Replay::preparer() {
    brouillard(0.87f, 0.54f, 0.43f);
    perspectiveScene();  // the window's aspect, 70° vertically
    glEnable(GL_DEPTH_TEST);
    skybox = std::make_unique<Skybox>("data/sky/sky.jpg");
    if (!lireFantome()) return false;

    ReglesNiveau regles;
    regles.typeMax = 7;
    regles.texture = [this](const std::string& mot, unsigned int precedente) {
        return textures.parMot(mot, precedente);
    };
    regles.textureInitiale = textures.caisse;  // the first record starts from the wall texture
    if (!chargerNiveau(niveauALoad, regles, contenu)) {
        renoncer("ghost/" + nomAffiche + ": its level " + niveauALoad + " cannot be read",
                 formater(tr("Niveau du fantome illisible : %s"), nomDeFichier(niveauALoad).c_str()));
        return false;
    }
    joueur.push_back(balleDuNiveau(contenu));
    lot = LotBlocs(contenu.cubes);
    ghost->rembobiner();

    x_depart = balle().getX(), y_depart = balle().getY(), z_depart = balle().getZ();
    z_begin_tombe = hauteurDeChute(contenu.cubes);
    eclairage();
    sys::keyRepeat(10, 10);
    sys::showCursor(false);
    precedente = {balle().getX(), balle().getY(), balle().getZ()};
    return true;
}

// Paused, once the picture stands still it is drawn no more: the loop waits
// for the next step or an event instead.
void Replay::jouer() {
    Cadence cadence(sys::ticks(), imagesMax());
    bool redessiner = true;  // the window may have lost its picture
    while (continuer == 2) {
        evenements();
        for (int n = cadence.pasDus(sys::ticks()); n > 0 && continuer == 2; --n) pas();
        if (redessiner || !allure.pause || vue() != vueDessinee) {
            dessiner(cadence.alpha(sys::ticks()));
            vueDessinee = vue();
            instantane();
            glFlush();
            sys::swapBuffers();
            if (const Uint32 attente = cadence.attente(sys::ticks())) sys::delay(attente);
            redessiner = false;
        } else {
            instantane();
            const Uint32 maintenant = sys::ticks();
            const int32_t pas = static_cast<int32_t>(cadence.echeance(cadence.pasFaits()) - maintenant);
            redessiner = sys::attendre(std::max<Uint32>(cadence.attente(maintenant), std::max(0, pas)));
        }
    }
}

Replay::Vue Replay::vue() const {
    const Heros& b = joueur[0];
    return Vue{{b.getX(), b.getY(), b.getZ()}, precedente, {x_tombe, y_tombe, z_tombe}, b.getTombe(),
               {teinte.getR(), teinte.getG(), teinte.getB()}, mort.getF(), textes, coin};
}

// One step: the clocks of the step before, the keys, the positions due, the fade.
void Replay::pas() {
    if (!premierPas) minuteries();
    premierPas = false;
    textes = texteChrono(millisecondes(tempsActuel3 - tempsPrecedent3));
    bool debut = false;
    for (SDL_Keycode k : relachees) {
        if (k == SDLK_RETURN) {
            debut = true;
            auDepart();
            ghost->rembobiner();
            allure.rembobiner();
            tempsPrecedent3 = tempsActuel3;
        } else {
            allure.touche(k);
        }
    }
    relachees.clear();
    precedente = {balle().getX(), balle().getY(), balle().getZ()};
    avancer();
    if (debut) precedente = {balle().getX(), balle().getY(), balle().getZ()};  // from the start, not slid there
    teinte = mort;
    if (balle().getTombe()) {
        mort.assombrir();
    } else {
        mort.setF(false);
        mort.setRGB(178, 178, 178);
    }
}

void Replay::evenements() {
    SDL_Event ev;
    if (sys::arretDemande()) continuer = 0;
    while (sys::pollEvent(&ev)) {
        if (ev.type == SDL_QUIT) {
            continuer = 0;
        } else if (ev.type == SDL_KEYUP && ev.key.keysym.sym == SDLK_ESCAPE) {
            continuer = 0;
        } else if (ev.type == SDL_KEYUP) {
            relachees.push_back(toucheRejeu(ev.key.keysym));  // as the player gave them; acted on by the next step
        } else if (ev.type == SDL_CONTROLLERDEVICEREMOVED) {
            allure.pause = true;  // a pad unplugged: the replay waits
        }
    }
}

// The fall noticed, then the positions due this step: at 2x two positions
// a step (the first only passed through), at 1/2x one every second step,
// none while paused.
void Replay::avancer() {
    Heros& b = balle();
    if (!b.getTombe() && b.getZ() < z_begin_tombe) {
        x_tombe = b.getX();
        y_tombe = b.getY();
        z_tombe = b.getZ();
        b.tombe(true);
    }
    for (int n = allure.aLire(); n > 0; --n) {
        float x, y, z;
        if (!ghost->suivante(x, y, z)) {
            continuer = 0;
            break;
        }
        b.setX(x);
        b.setY(y);
        b.setZ(z);
    }
    coin = allure.coin();
}

void Replay::dessiner(double alpha) {
    Heros b = balle();
    // Between the step before and the last one; a jump back to the start is shown at once.
    if (alpha < 1) {
        b.setX(precedente[0] + (b.getX() - precedente[0]) * alpha);
        b.setY(precedente[1] + (b.getY() - precedente[1]) * alpha);
        b.setZ(precedente[2] + (b.getZ() - precedente[2]) * alpha);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (!b.getTombe())
        gluLookAt(b.getX() + 10, b.getY(), b.getZ() + 12, b.getX(), b.getY(), b.getZ(), 0, 0, 1);
    else
        gluLookAt(x_tombe + 10, y_tombe, z_tombe + 12, b.getX(), b.getY(), b.getZ(), 0, 0, 1);

    teinte.appliquer();
    dessinerObjets(lot, contenu.cubes, nullptr, contenu.spheres, b);

    glDisable(GL_FOG);
    dessinerCielAutour(*skybox, b, x_tombe, y_tombe, z_tombe);
    if (!mort.getF()) glEnable(GL_FOG);

    glDisable(GL_LIGHTING);  // the texts take their colour as it is
    Texte::mervoprint(textes.c_str(), textures.font, 0, 0, 0, hauteur, largeur);
    Texte::mervoprint(nomAffiche.c_str(), textures.font, 1, 0, 0, hauteur, largeur);
    Texte::mervoprint(tr("3pv"), textures.font, 2, 0, 0, hauteur, largeur);
    if (!coin.empty()) Texte::mervoprint(coin.c_str(), textures.font, 3, 0, 0, hauteur, largeur);
    glEnable(GL_LIGHTING);
}

void Replay::instantane() {
    instant.frame = frames++;
    instant.x = balle().getX();
    instant.y = balle().getY();
    instant.z = balle().getZ();
    instant.tombe = balle().getTombe();
    instant.chrono = millisecondes(tempsActuel3 - tempsPrecedent3);
    instant.texteTemps = textes;
    instant.nomAffiche = nomAffiche;
    instant.continuer = continuer;
    instant.pause = allure.pause;
    instant.texteCoin = coin;
    instant.mortR = mort.getR();
    instant.mortG = mort.getG();
    instant.mortB = mort.getB();
    instant.mortF = mort.getF();
}

// The replay's clock, and the fall that ends 1.5 s (45 steps of the
// replay's time) after it began: back to the start.
void Replay::minuteries() {
    tempsActuel3 = tempsActuel4 = allure.temps();
    if (!balle().getTombe()) tempsPrecedent4 = tempsActuel4;
    if (tempsActuel4 - tempsPrecedent4 > 45) {
        balle().tombe(false);
        auDepart();
        tempsPrecedent3 = tempsActuel3;
    }
}

}  // namespace
