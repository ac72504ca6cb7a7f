// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "annonce.h"
#include "cadence.h"
#include "cadre.h"
#include "fantome.h"
#include "liste_defilante.h"
#include "maps_en_ligne.h"
#include "menu_series.h"
#include "niveau.h"
#include "progression.h"
#include "mondial.h"
#include "records.h"
#include "reglages_menu.h"
#include "repertoire.h"
#include "scenarios.h"
#include "scene.h"
#include "score.h"
#include "systeme.h"
#include "texte.h"
#include "touches_menu.h"
#include "traduction.h"
#include "version.h"

void lireProgression(Jeu& jeu) {
    bool illisible = false;
    jeu.setNiveauMax(lireProgression(kFichierProgression, &illisible));
    if (illisible) annoncer(tr(kProgressionIllisible));
}

namespace {

// The third title line: the game's web site.
const char* const kAdresseSite = "www.vorna-game.org";

const GLubyte kBlanc[3] = {255, 255, 255};
const GLubyte kGris[3] = {125, 125, 125};
const GLubyte kGrisSelection[3] = {168, 125, 104};
const GLubyte kAvertissement[3] = {255, 210, 90};

// The entries a list shows at once: more would run off the screen. The
// online maps keep a line above and below for their title and the record.
const size_t kVisibles = 15;
const size_t kVisiblesEnLigne = 13;

// How long the menu shows what went wrong in the activity it launched.
const Uint32 kDureeAnnonce = 3000;

InstantMenu instant;

std::string sansExtension(const std::string& nom) {
    return nom.size() >= 4 ? nom.substr(0, nom.size() - 4) : std::string();
}

// The menu between two activities: built from disk, then run frame by frame
// until the player quits or an activity has been launched and has returned.
class MenuPrincipal {
public:
    MenuPrincipal(Shell& shell, RessourcesMenu& r) : s(shell), res(r), jeu(*r.jeu) {}
    void construire();
    void frame(Cadence& cadence);

private:
    // The background's level, with the textures it names (those loaded).
    bool chargerDecor();
    // A piece of what the logo leaves to load, or all of it.
    void charger(bool tout);
    void pas();
    void dessiner(double alpha);
    void evenements();
    void toucheRelachee(SDL_Keycode k);
    void entree();
    void ecranHaut() { choix1 = 1; choix2 = -1; choix = 0; choixMax = 4; }
    void ecranJouer() { choix1 = 0; choix2 = 1; choix3 = -1; choix = 0; choixMax = 5; }
    // Scenario (0), map (1), ghost (2), a set's levels (3) or online maps (4) list, with `entrees` reachable entries.
    void ouvrirListe(int liste, unsigned int entrees) {
        choix = 0; choix2 = 0; choix3 = liste; choixMax = entrees; premier = 0;
    }
    // The scenario list: its unlocked levels, then the level sets (over the
    // locked levels, which the highlight passes over).
    void ouvrirScenario() {
        const unsigned int n = static_cast<unsigned int>(nomSce.size());
        ouvrirListe(0, series.series().empty() ? std::min(jeu.getNiveauMax(), n)
                                               : n + static_cast<unsigned int>(series.series().size()));
    }
    bool verrouille(size_t i) const { return choix3 == 0 && i < nomSce.size() && i >= jeu.getNiveauMax(); }
    void passerVerrouilles(int sens) {
        for (unsigned int k = 0; k < choixMax && verrouille(choix); ++k)
            choix = sens < 0 ? (choix == 0 ? choixMax - 1 : choix - 1) : (choix + 1) % choixMax;
    }
    bool entreeSerie();
    void lancement() {
        res.fondublanc.setF(true);
        choix = 0; choix1 = 0; choix2 = 0; choix3 = 0; choixMax = 4;
    }
    void lancer();
    // A free map chosen: the launch fade starts.
    void lancerMap(const std::string& nom) {
        jeu.setScenario(false);
        futureMap = nom;
        lancement();
    }
    bool surEnLigne() const { return choix2 == 0 && choix3 == 4 && !res.fondublanc.getF(); }
    void suivreEnLigne();
    void dessinerEnLigne();
    // Changes a setting; a change the file could not keep, or not yet, is said on screen.
    void regler(int i, int pas, bool boucler) {
        bool enAttente = false;
        if (changerReglage(i, pas, boucler, res.reglages, jeu, &enAttente) && !enAttente) return;
        annonce = enAttente ? tr("Reglage en attente : fichier verrouille") : tr("Reglage non enregistre");
        debutAnnonce = 0;
    }
    // The setting highlighted on the Options screen (reglages_menu.h), or −1.
    int reglage() const { return choix2 == 3 && choix >= 2 ? static_cast<int>(choix) - 2 : -1; }
    // The screen of the run's keys (choix2 4), opened from the Options.
    void ecranTouches(bool ouvrir) {
        choix1 = 0, choix2 = ouvrir ? 4 : 3;
        choix = ouvrir ? 0 : 2 + kReglageTouches;
        choixMax = ouvrir ? kEntreesTouches : 2 + kReglagesMenu;
    }
    void nonEnregistre() { annonce = tr("Reglage non enregistre"), debutAnnonce = 0; }
    void dessinerEntrees();
    void dessinerFin();
    void entree(const char* texte, unsigned int index, double y);
    void liste(const std::vector<std::string>& noms, bool scenario, size_t visibles = kVisibles);
    void lancerSerie();
    void imprimer(const char* texte, int pos, double y) {
        GLfloat c[4];
        glGetFloatv(GL_CURRENT_COLOR, c);
        instant.textes.push_back({texte, pos, y, static_cast<int>(c[0] * 255 + 0.5),
                                  static_cast<int>(c[1] * 255 + 0.5), static_cast<int>(c[2] * 255 + 0.5)});
        Texte::mervoprint(texte, s.textureFont, pos, 0, y, s.hauteur, s.largeur);
    }
    void instantane();
    void jouerSon(FSOUND_SAMPLE* e) { FSOUND_PlaySound(FSOUND_FREE, e); }

    Shell& s;
    RessourcesMenu& res;
    Jeu& jeu;

    unsigned int choix = 0;
    unsigned int choixMax = 4;
    size_t premier = 0;  // the first entry shown of a list longer than the screen
    int choix1 = 1, choix2 = -1, choix3 = -1;
    bool ghost = false;
    std::string futureMap = "aucune";
    std::vector<std::string> nomMap, nomSce, nomGhost;
    int tailleNomMap = -1, tailleNomSce = -1, tailleNomGhost = -1;
    double rot = 0;
    // As the last step found them: the picture goes from there to now.
    double rotAvant = 0;
    bool logoVu = false;  // the logo showed: the step's picture is the logo's
    Fondu teinte{255, 255, 255};
    std::vector<Cube> tableaucube;
    std::vector<Sphere> tableausphere;
    std::vector<Heros> joueur;
    LotBlocs lot;
    Records records;      // the best points shown after the unlocked scenario levels
    RecordsMondiaux mondiaux;  // and the world's, when known
    std::string annonce;  // what went wrong in the last activity, shown for a while
    Uint32 debutAnnonce = 0;
    EcranTouches touches;
    MenuSeries series;       // the level sets listed after the scenario's levels
    long long totalSerie = 0;  // the records of the set whose end screen shows
    MapsEnLigne enLigne;  // the maps published on the score server
};

bool MenuPrincipal::chargerDecor() {
    tableaucube.clear();
    lot.vider();
    tableausphere.clear();
    joueur.clear();
    ContenuNiveau contenu;
    if (!chargerNiveau("maps/menu/menu.txt", reglesMenu(res.textureGestion), contenu)) {
        std::fprintf(stderr, "vorna: the menu's level maps/menu/menu.txt cannot be read; quitting\n");
        s.continuer = 0;
        s.echec = true;
        return false;
    }
    joueur.push_back(balleDuNiveau(contenu));
    tableaucube = std::move(contenu.cubes);
    tableausphere = std::move(contenu.spheres);
    lot = LotBlocs(tableaucube);
    return true;
}

void MenuPrincipal::charger(bool tout) {
    if (res.aCharger.empty()) return;
    while (res.chargerSuivant() && tout) continue;
    // The background again, with its textures now there.
    if (res.aCharger.empty()) chargerDecor();
}

void MenuPrincipal::construire() {
    s.continuer = 2;
    if (!chargerDecor()) return;

    rot = rotAvant = 0;
    logoVu = s.logo.logo;
    teinte = res.fondublanc;
    s.logo.couleur = 0;
    s.logo.compteur_logo = 0;
    choix = 0;
    choix1 = 1;
    choix2 = -1;
    choix3 = -1;
    choixMax = 4;
    ghost = false;

    nomMap.clear();
    for (const std::string& n : listerFichiers("./maps", ".txt")) nomMap.push_back(sansExtension(n));
    tailleNomMap = static_cast<int>(nomMap.size()) - 1;
    futureMap = "aucune";

    nomSce.clear();
    const std::vector<std::string> scenarios = listerFichiers("./maps/niveau", ".qzm");
    for (size_t k = 0; k < scenarios.size(); ++k)
        nomSce.push_back(k < kNombreScenarios ? niveauScenario(k + 1)->titre : sansExtension(scenarios[k]));
    tailleNomSce = static_cast<int>(nomSce.size()) - 1;
    // Said once, at the first build (the one the logo shows over).
    struct stat st;
    if (s.logo.logo && (stat("maps/niveau", &st) != 0 || !S_ISDIR(st.st_mode)))
        std::fprintf(stderr, "vorna: no maps/niveau/ folder: there is no scenario level to play\n");
    jeu.setMapsMax(static_cast<unsigned int>(nomSce.size()));
    series.charger();
    const Serie* finie = s.finScenario ? series.trouver(s.serieFinie) : nullptr;
    totalSerie = finie ? MenuSeries::total(*finie) : 0;
    bool illisibles = false;
    records = recordsConnus(&illisibles);
    mondiaux.charger(jeu.getCourseMondiale());

    nomGhost.clear();
    for (const std::string& n : listerFichiers("./ghost", ".qzg")) nomGhost.push_back(sansExtension(n));
    tailleNomGhost = static_cast<int>(nomGhost.size()) - 1;
    jeu.setNombreGhost(tailleNomGhost);

    glDisable(GL_LIGHTING);
    sys::keyRepeat(400, 200);
    sys::showCursor(false);
    annonce = prendreAnnonce();  // at start-up, an unreadable progress file
    if (illisibles) annonce += (annonce.empty() ? "" : "\n") + std::string(tr(kRecordsIllisibles));
    debutAnnonce = 0;  // its time counts from its first showing (after the logo)
}

void MenuPrincipal::evenements() {
    SDL_Event e;
    if (sys::arretDemande()) s.continuer = 0;  // from any screen, the logo too
    while (sys::pollEvent(&e)) {
        if (s.logo.logo) continue;  // the logo swallows every event, the close request too
        bool ecrit = true;
        if (choix2 == 4 && touches.prendre(e, res.reglages, ecrit)) {  // a key being given
            if (!ecrit) nonEnregistre();
            continue;
        }
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) e.key.keysym.sym = toucheMenu(e.key.keysym);
        if (e.type == SDL_QUIT) {
            s.continuer = 0;
        } else if (s.finScenario) {  // the end screen: Return or Escape goes back to the menu
            if (e.type == SDL_KEYUP && (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_ESCAPE)) {
                jouerSon(res.bouton);
                s.finScenario = false;
                s.serieFinie.clear();
            }
        } else if (sys::molette(e) && choix2 == 0 && choix3 >= 0 && choixMax > 0) {
            // In a list the wheel moves the choice as Up and Down do.
            jouerSon(res.cursor);
            choix = sys::molette(e) > 0 ? (choix == 0 ? choixMax - 1 : choix - 1) : (choix + 1) % choixMax;
            passerVerrouilles(-sys::molette(e));
        } else if (e.type == SDL_KEYDOWN) {
            if (e.key.keysym.sym == SDLK_UP) {
                jouerSon(res.cursor);
                if (choixMax > 0) choix = choix == 0 ? choixMax - 1 : choix - 1;
                passerVerrouilles(-1);
            } else if (e.key.keysym.sym == SDLK_DOWN) {
                jouerSon(res.cursor);
                if (choixMax > 0) choix = choix >= choixMax - 1 ? 0 : choix + 1;
                passerVerrouilles(1);
            } else if ((e.key.keysym.sym == SDLK_LEFT || e.key.keysym.sym == SDLK_RIGHT) && surEnLigne()) {
                jouerSon(res.cursor);  // the other list: the newest maps or the most played
                enLigne.changerTri();
                choix = 0, premier = 0;
            } else if ((e.key.keysym.sym == SDLK_LEFT || e.key.keysym.sym == SDLK_RIGHT) && reglage() >= 0) {
                regler(reglage(), e.key.keysym.sym == SDLK_RIGHT ? 1 : -1, false);
                jouerSon(res.cursor);
            }
        } else if (e.type == SDL_KEYUP) {
            toucheRelachee(e.key.keysym.sym);
        }
    }
}

void MenuPrincipal::toucheRelachee(SDL_Keycode k) {
    if (k == SDLK_UP || k == SDLK_DOWN) {
        jouerSon(res.cursor);
    } else if (k == SDLK_ESCAPE) {
        if (choix1 == 1)
            s.continuer = 0;
        else if (choix2 == 4)
            ecranTouches(false);
        else if (choix2 == 1 || choix2 == 2 || choix2 == 3)
            ecranHaut();
        else if (choix3 == 3) {  // a set's levels: back to the scenario list, on the set
            const size_t k = series.ouverte();
            ouvrirScenario();
            choix = static_cast<unsigned int>(nomSce.size() + k);
        } else if (choix3 == 0 || choix3 == 1 || choix3 == 2 || choix3 == 4) {
            if (choix3 == 4) enLigne.abandonner();  // a download on its way is forgotten
            ecranJouer();
        }
    } else if (k == SDLK_RETURN) {
        jouerSon(res.bouton);
        // Once a choice is made its fade runs to the launch; a second Return
        // cannot change what is launched.
        if (!res.fondublanc.getF()) entree();
    }
}

void MenuPrincipal::entree() {
    if (choix2 == 4) {  // the keys: an action's, the defaults, or back
        if (choix == kEntreeRetour) return ecranTouches(false);
        if (!touches.choisir(static_cast<int>(choix), res.reglages)) nonEnregistre();
        return;
    }
    if (reglage() == kReglageTouches) return ecranTouches(true);
    if (reglage() >= 0) {  // Options: a setting, a step up
        regler(reglage(), 1, true);
        return;
    }
    // The list rule: a chosen entry starts the launch fade.
    if (entreeSerie()) return;
    if (choix3 == 0) {
        const bool existe = choix < nomSce.size() && choix < jeu.getNiveauMax();
        if (existe) {
            jeu.setScenario(true);
            jeu.setMapScenario(choix + 1);
            futureMap = nomSce[choix];
            lancement();
        }
    } else if (choix3 == 1) {
        if (choix < nomMap.size()) lancerMap(nomMap[choix]);
    } else if (choix3 == 4) {
        std::string nom;  // one downloaded already plays at once, else when it came
        if (enLigne.choisir(choix, nom)) lancerMap(nom);
    } else if (choix3 == 2) {
        if (choix < nomGhost.size()) {
            futureMap = nomGhost[choix] + ".qzg";
            ghost = true;
            lancement();
        }
    }

    // The entry rule, by the highlighted position.
    switch (choix) {
        case 0:
            if (choix2 == 1) {  // Play: "Scenario"
                // The highlight only reaches unlocked levels that exist, and the sets.
                ouvrirScenario();
            } else if (choix1 == 1) {  // Top: "Jouer"
                ecranJouer();
            }
            if (choix2 == 3) regler(kReglageSauverFantome, 1, false);  // Options: ghost saving
            break;
        case 1:
            if (choix2 == 1) ouvrirListe(1, static_cast<unsigned>(tailleNomMap + 1));  // Play: "Map perso"
            if (choix2 == 3) ecranHaut();  // Options: "Retour"
            break;                          // Top: "Multijoueur" does nothing
        case 2:
            if (choix2 == 1) {  // Play: "Maps en ligne"
                ouvrirListe(4, static_cast<unsigned>(enLigne.maps().size()));
                enLigne.ouvrir();
            } else if (choix1 == 1) {  // Top: "Options"
                choix = 2;  // the first entry, at the top
                choix1 = 0;
                choix2 = 3;
                choixMax = 2 + kReglagesMenu;
            }
            break;
        case 3:
            if (choix1 == 1) s.continuer = 0;  // Top: "Quitter"
            if (choix2 == 1) ouvrirListe(2, static_cast<unsigned>(tailleNomGhost + 1));  // Play: "Fantome"
            break;
        case 4:
            if (choix2 == 1) {  // Play: "Retour"
                choix = 0;
                choix1 = 1;
                choix2 = 0;
                choixMax = 4;
            }
            break;
        default:
            break;
    }
}

void MenuPrincipal::lancer() {
    // The activity starts as from a cleared frame (its light is placed in
    // the model-view in use).
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    s.continuer = 1;
    res.fondublanc.setF(false);
    res.fondublanc.setRGB(255, 255, 255);
    if (!ghost) {
        FSOUND_Stream_Stop(s.musique);
        jeu.setMap(futureMap);
        jeu.jouer();
        const bool serie = !jeu.getSerie().nom.empty();
        if (serie) lancerSerie();
        while (!serie && jeu.getSuivant() && !sys::arretDemande()) {
            // After the last scenario level, the end screen: there is no next one.
            if (jeu.getScenario() && jeu.getMapScenario() >= jeu.getMapsMax()) {
                s.finScenario = true;
                break;
            }
            jeu.setMapScenario(jeu.getMapScenario() + 1);
            jeu.jouer();
        }
        FSOUND_Stream_Play(FSOUND_FREE, s.musique);
    } else {
        ghost = false;
        jouerGhost(s.hauteur, s.largeur, futureMap);
    }
    if (sys::arretDemande()) s.continuer = 0;
}

// A level set chosen in the scenario list opens its own list of levels; a
// level chosen there is launched. True when the entry was a set's.
bool MenuPrincipal::entreeSerie() {
    const size_t n = nomSce.size();
    if (choix3 == 0 && choix2 == 0 && choix >= n && choix < n + series.series().size()) {
        series.ouvrir(choix - n);
        ouvrirListe(3, series.ouverts());
        return true;
    }
    if (choix3 != 3) return false;
    if (choix < series.ouverts()) {
        jeu.setScenario(false);
        jeu.setSerie(series.place(choix + 1));
        futureMap = series.niveaux()[choix];
        lancement();
    }
    return true;
}

// A set's levels one after the other while "Niveau suivant" is chosen; after
// its last one, its end screen.
void MenuPrincipal::lancerSerie() {
    const Serie serie = series.serie();
    while (jeu.getSuivant() && !sys::arretDemande()) {
        PlaceSerie p = jeu.getSerie();
        if (p.niveau >= p.taille) {
            s.finScenario = true;
            s.serieFinie = p.nom;
            break;
        }
        ++p.niveau;
        jeu.setSerie(p);
        jeu.setMap(MenuSeries::map(serie, p.niveau));
        jeu.jouer();
    }
    jeu.setSerie(PlaceSerie());
}

void MenuPrincipal::entree(const char* texte, unsigned int index, double y) {
    if (choix == index) glColor3ubv(kSelection);
    imprimer(texte, -1, y);
    glColor3ubv(kBlanc);
}

// A list longer than the screen shows kVisibles entries, the choice always
// among them, with "..." above and below where more entries lie.
// In the scenario list the levels past the unlocked ones are grey, and
// the sets after them; in a set's list its levels past the unlocked ones.
void MenuPrincipal::liste(const std::vector<std::string>& noms, bool scenario, size_t visibles) {
    const bool serie = choix3 == 3;
    const size_t niveaux = serie ? noms.size() : nomSce.size();
    const size_t ouverts = serie ? series.ouverts() : jeu.getNiveauMax();
    const Records& recs = serie ? series.records() : records;
    const FenetreListe f = fenetreListe(noms.size(), visibles, choix, premier);
    const size_t debut = f.debut, fin = f.fin;
    const double bord = (static_cast<double>(visibles) + 1) / 20.0;  // a line beyond the slice
    if (f.plusHaut) imprimer("...", -1, bord);
    if (f.plusBas) imprimer("...", -1, -bord);
    const int taille = static_cast<int>(fin - debut) - 1;
    mondiaux.suivre();
    for (size_t i = debut; i < fin; ++i) {
        const double y = taille / 20.0 - (i - debut) / 10.0;
        const bool niveau = scenario && i < niveaux;
        const bool verrouille = niveau && i >= ouverts;
        // The scenario levels' titles in the player's language; names of files as they are.
        std::string texte = niveau && !serie && i < kNombreScenarios ? tr(noms[i].c_str()) : noms[i];
        if (verrouille) {
            glColor3ubv(kGris);
            imprimer(texte.c_str(), -1, y);
            glColor3ubv(kBlanc);
        } else {
            Parcours p;
            p.niveau = static_cast<unsigned int>(i + 1);
            if (const Record* r = niveau ? recs.trouver(p) : nullptr)
                texte += " - " + std::to_string(r->points);
            if (const RecordMondial* w = niveau && !serie ? mondiaux.trouver(p.niveau) : nullptr)
                texte += formater(tr(" (monde %d)"), w->points);
            entree(texte.c_str(), static_cast<unsigned>(i), y);
        }
    }
}

void MenuPrincipal::dessinerEntrees() {
    if (choix1 == 1) {
        entree(tr("Jouer"), 0, 0.1);
        glColor3ubv(choix == 1 ? kGrisSelection : kGris);
        imprimer(tr("Multijoueur"), -1, 0);
        glColor3ubv(kBlanc);
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
        // The settings above ghost saving, from the top: Up from ghost saving
        // reaches the last of them, Down from "Retour" the first.
        for (int i = 0; i < kReglagesMenu; ++i)
            entree(texteReglage(i, res.reglages, jeu).c_str(), 2 + i, 0.1 * (kReglagesMenu - i));
        entree(jeu.getFantome() ? tr("-Tjrs sauver fantome") : tr("-Jamais sauver fantome"), 0, 0);
        entree(tr("Retour"), 1, -0.1);
    } else if (choix2 == 4) {
        for (int i = 0; i < kEntreesTouches; ++i)
            entree(touches.texte(i, res.reglages).c_str(), static_cast<unsigned>(i), 0.6 - 0.1 * i);
        if (!touches.message().empty()) imprimer(touches.message().c_str(), -1, -0.75);
    } else if (choix2 == 0 && choix3 == 0) {
        std::vector<std::string> noms = nomSce;
        for (const std::string& t : series.titres()) noms.push_back(t);
        liste(noms, true);
    } else if (choix2 == 0 && choix3 == 3) {
        liste(series.niveaux(), true);
    } else if (choix2 == 0 && choix3 == 1) {
        liste(nomMap, false);
    } else if (choix2 == 0 && choix3 == 2) {
        liste(nomGhost, false);
    } else if (choix2 == 0 && choix3 == 4) {
        dessinerEnLigne();
    }
}

// The online maps: the list's title above, one line per map, why it is
// empty in its place, and the download's state or the highlighted map's
// record below.
void MenuPrincipal::dessinerEnLigne() {
    imprimer(enLigne.titre().c_str(), -1, 0.8);
    const std::vector<std::string> etat = enLigne.etatTexte();
    for (size_t k = 0; k < etat.size(); ++k) imprimer(etat[k].c_str(), -1, 0.05 - 0.1 * static_cast<double>(k));
    std::vector<std::string> lignes;
    for (const MapEnLigne& m : enLigne.maps()) lignes.push_back(texteMapEnLigne(m));
    liste(lignes, false, kVisiblesEnLigne);
    const std::string detail = enLigne.detail(choix);
    if (!detail.empty()) imprimer(detail.c_str(), -1, -0.8);
}

// At each frame: the list as it came (the highlight kept on it), and a map
// downloaded played at once while its screen shows.
void MenuPrincipal::suivreEnLigne() {
    std::string nom;
    const bool arrivee = enLigne.suivre(nom);
    if (!surEnLigne()) return;
    choixMax = static_cast<unsigned int>(enLigne.maps().size());
    if (choix >= choixMax) choix = choixMax ? choixMax - 1 : 0;
    if (arrivee) lancerMap(nom);
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
    glColor3ubv(kSelection);
    imprimer(tr("Retour"), -1, -0.2);
    glColor3ubv(kBlanc);
}

void MenuPrincipal::instantane() {
    instant.logo = s.logo.logo;
    instant.choix = choix;
    instant.choixMax = choixMax;
    instant.choix1 = choix1;
    instant.choix2 = choix2;
    instant.choix3 = choix3;
    instant.fondu = res.fondublanc.getF();
    instant.fonduR = res.fondublanc.getR();
    instant.continuer = s.continuer;
    instant.ghost = ghost;
    instant.futureMap = futureMap;
}

// One step of 1/30 s: the logo's, or the launch fade's and the background's
// turn. The picture shows the fade as the step found it.
void MenuPrincipal::pas() {
    logoVu = s.logo.logo;
    rotAvant = rot;
    teinte = res.fondublanc;
    // All is loaded once the logo has come in, however few its frames were.
    if (!s.logo.logo || s.logo.finlogo) charger(true);
    if (s.logo.logo) return s.logo.pas(s.musique);
    // The launch fade: down by 5 a step, then the activity starts (not when
    // the program is ending).
    Fondu& fondu = res.fondublanc;
    if (fondu.getF() && !fondu.assombrir() && s.continuer == 2) lancer();
    rot += 0.1;
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
    if (!annonce.empty() && sys::ticks() - debutAnnonce < kDureeAnnonce) {
        glColor3ubv(kAvertissement);
        imprimer(annonce.c_str(), -1, -0.85);
        glColor3ubv(kBlanc);
    }
}

// The keys at once, the steps the clock gives, then a frame at the
// display's rate.
void MenuPrincipal::frame(Cadence& cadence) {
    instant.textes.clear();
    evenements();
    suivreEnLigne();
    for (int n = cadence.pasDus(sys::ticks()); n > 0; --n) pas();
    dessiner(cadence.alpha(sys::ticks()));

    instantane();
    ++instant.frame;
    glFlush();
    instant.swap = true;
    sys::swapBuffers();
    instant.swap = false;
    // One piece of what is left to load in the time the logo's frame leaves.
    if (s.logo.logo) charger(false);
    if (const Uint32 attente = cadence.attente(sys::ticks())) sys::delay(attente);
}

}  // namespace

const InstantMenu& instantMenu() { return instant; }

void boucleMenu(Shell& shell, RessourcesMenu& ressources) {
    MenuPrincipal menu(shell, ressources);
    menu.construire();
    Cadence cadence(sys::ticks(), imagesMax());
    while (shell.continuer == 2) menu.frame(cadence);
}
