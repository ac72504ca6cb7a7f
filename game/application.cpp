// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "bibliotheques.h"
#include "cadence.h"
#include "cadre.h"
#include "course.h"
#include "dossier_joueur.h"
#include "fenetre.h"
#include "fichiers.h"
#include "fsound.h"
#include "jeu.h"
#include "langue.h"
#include "lecture.h"
#include "manettes.h"
#include "menu.h"
#include "niveau.h"
#include "options.h"
#include "reglages.h"
#include "repertoire.h"
#include "score.h"
#include "systeme.h"
#include "texte.h"
#include "texture.h"
#include "touches.h"
#include "traduction.h"
#include "version.h"

namespace {

// The usage line (standard error says it after a wrong option, in English
// as every line there), then the help, in the language of the environment.
const char* const kSynopsis =
    "usage: vorna [--map NAME] [--course-sortie FILE] [--score-server HOST[:PORT]] [--help] [--version]\n";
const char* const kAide = aTraduireContexte(
    "terminal",
    "Vorna, the ball-rolling game. Start it in its game folder (with data/ and\n"
    "maps/menu/menu.txt); with no option it shows the logo and the main menu.\n"
    "Installed, it keeps the player's progress, records, ghosts and maps in\n"
    "$XDG_DATA_HOME/vorna (~/.local/share/vorna) and works there.\n"
    "  --map NAME   play the free map maps/NAME.txt at once, without the logo and\n"
    "               the menu, and quit when the run ends\n"
    "  --score-server HOST[:PORT]\n"
    "               send the scores of this run to that server instead of\n"
    "               $VORNA_SCORE_SERVER or www.vorna-game.org\n"
    "  --help       show this help\n"
    "  --version    show the version\n");
// The option the editor's play-test adds.
const char* const kAideCourse = aTraduireContexte(
    "terminal",
    "  --course-sortie FILE\n"
    "               with --map: write each run that reaches the finish to FILE\n"
    "               (the editor keeps it for publishing the map)\n");

// The window's size and full-screen state, and the racing ghost switched
// with G, kept for the next start when they changed.
void garderFenetre(const Reglages& r, bool course) {
    int l, h;
    tailleFenetre(l, h);
    const bool plein = pleinEcran();
    if (l == r.largeurJeu && h == r.hauteurJeu && plein == r.pleinEcranJeu && course == r.fantomeCourse) return;
    modifierReglages([&](Reglages& f) {
        f.largeurJeu = l;
        f.hauteurJeu = h;
        f.pleinEcranJeu = plein;
        f.fantomeCourse = course;
    });
}

bool dossierJeuPresent() {
    struct stat s;
    return stat("data", &s) == 0 && S_ISDIR(s.st_mode);
}

std::string dossierCourant() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("the current folder");
}

// What the program cannot start without, said on standard error: 1, or 0
// when all is there.
int verifierDepart(const Options& options) {
    if (!dossierJeuPresent()) {
        std::fprintf(stderr,
                     "vorna: no data/ folder in %s; start vorna from its game folder "
                     "(cd build/game && ./vorna), or run `make run` in the source tree\n",
                     dossierCourant().c_str());
        return 1;
    }
    if (!affichageDisponible()) {
        std::fprintf(stderr, "vorna: no graphical display (DISPLAY is not set); "
                             "vorna needs an X display with OpenGL\n");
        return 1;
    }
    if (!options.map.empty() && access(cheminMapPerso(options.map).c_str(), R_OK) != 0) {
        std::fprintf(stderr, "vorna: no map %s to play in %s\n", cheminMapPerso(options.map).c_str(),
                     dossierCourant().c_str());
        return 1;
    }
    return 0;
}

// The player's settings: language, score server (the settings' one, then the
// command line's), the game and its racing ghost.
void appliquerReglages(RessourcesMenu& ressources, const Options& options, const Shell& shell) {
    ressources.reglages = lireReglages();
    const Reglages& reglages = ressources.reglages;
    choisirLangue(reglages.langue);
    fixerTouches(reglages);
    contourTexte(reglages.contourTexte);
    setServeurScore(kServeurScore);
    if (!reglages.serveurScores.empty() && !setServeurScore(reglages.serveurScores))
        std::fprintf(stderr, "vorna: serveur_scores '%s' of %s is not HOST[:PORT]; ignored\n",
                     reglages.serveurScores.c_str(), kFichierReglages);
    choisirServeurScore(options.serveurScore);

    ressources.jeu = std::make_unique<Jeu>(shell.hauteur, shell.largeur);
    ressources.jeu->setCourse(reglages.fantomeCourse);
    ressources.jeu->setCourseMondiale(reglages.courseMondiale);
    ressources.jeu->setFantome(reglages.sauverFantome);
}

// The logo's image and the progress, then, while the logo shows, the
// sounds, the font, the sky and the textures of the menu.
void chargerMenu(Shell& shell, RessourcesMenu& ressources) {
    poserIcone("data/iconeVorna.bmp");
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    shell.continuer = 1;
    shell.logo.logo = true;
    shell.logo.finlogo = false;
    shell.logo.textureLogo = loadTexture("data/logo.jpg", true);

    perspectiveScene();  // the window's aspect, 70° vertically
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    lireProgression(*ressources.jeu);

    auto& a = ressources.aCharger;
    a.push_back([&shell, &ressources] {
        FSOUND_SetVolume(FSOUND_ALL, 60);
        shell.musique = FSOUND_Stream_Open("data/sound/menu.mp3", FSOUND_LOOP_NORMAL, 0, 0);
        ressources.cursor = FSOUND_Sample_Load(FSOUND_FREE, "data/sound/cursor.wav", 0, 0, 0);
        ressources.bouton = FSOUND_Sample_Load(FSOUND_FREE, "data/sound/bouton.wav", 0, 0, 0);
    });
    a.push_back([&shell] { shell.textureFont = loadTexture("data/font1.TGA", true); });
    a.push_back([&ressources] { ressources.skybox = std::make_unique<Skybox>("data/sky/sky.jpg"); });
    for (int i = 0; i < Texture::kNombre; ++i)
        a.push_back([&ressources, i] { ressources.textureGestion.chargerUne("normal", i); });
}

// Shutdown, in this order.
void liberer(Shell& shell, RessourcesMenu& ressources) {
    ressources.textureGestion.deleteTexture();
    FSOUND_Stream_Close(shell.musique);
    shell.musique = nullptr;
    FSOUND_Sample_Free(ressources.cursor);
    FSOUND_Sample_Free(ressources.bouton);
    ressources.cursor = ressources.bouton = nullptr;
    ressources.jeu.reset();
    ressources.skybox.reset();
    libererTexture(shell.textureFont);
    libererTexture(shell.logo.textureLogo);
    fermerFenetreGL();
    FSOUND_Close();
    sys::retirerSignaux();
    SDL_Quit();
}

}  // namespace

void jouerMapSeule(Jeu& jeu, const std::string& nom, const std::string& sortie) {
    jeu.setScenario(false);
    jeu.setMap(nom);
    jeu.setNombreGhost(static_cast<int>(listerFichiers("./ghost", ".qzg").size()) - 1);
    std::optional<Course> ecrite;
    do {
        jeu.jouer();
        // Each run that finished, as it would be sent to the score server.
        const std::optional<Course>& c = jeu.derniereCourse();
        if (!sortie.empty() && c && !(c == ecrite) && ecrireFichierAtomique(sortie, encoderCourse(*c))) ecrite = c;
    } while (jeu.getSuivant() && !sys::arretDemande());
}

int SDL_main(int argc, char** argv) {
    Options options = lireOptions(argc, argv, true);
    if (options.action == Options::Lancer && !options.serveurScore.empty() &&
        !adresseServeurValide(options.serveurScore)) {
        options.action = Options::Erreur;
        options.erreur = "--score-server takes HOST[:PORT], not '" + options.serveurScore + "'";
    }
    initialiserLangue();
    const std::string usage =
        kSynopsis + std::string(trContexte("terminal", kAide)) + trContexte("terminal", kAideCourse);
    const int statut = appliquerOptions(options, "vorna", "Vorna " VORNA_VERSION, usage.c_str());
    if (statut >= 0) return statut;
    if (!entrerDossierJoueur("vorna")) return 1;  // installed: the player's folder
    if (verifierDepart(options) != 0) return 1;

    Shell shell;
    RessourcesMenu ressources;
    appliquerReglages(ressources, options, shell);
    const Reglages& reglages = ressources.reglages;

    if (!demarrerVideo("org.vorna_game.vorna")) return 1;
    // SIGINT and SIGTERM end the program from any screen, as a normal exit.
    sys::installerSignaux();
    // Pads, plugged in now or later, play as the keyboard does (manettes.h).
    sys::demarrerManettes();

    // The sound and HTTP libraries open on a thread of their own while the
    // window opens: the first frame does not wait for them.
    bibliotheques::precharger();
    if (!ouvrirFenetreGL(reglages.largeurJeu, reglages.hauteurJeu, 16, "vorna", "Vorna " VORNA_VERSION,
                         reglages.pleinEcranJeu)) {
        ressources.jeu.reset();
        sys::retirerSignaux();
        SDL_Quit();
        return 1;
    }
    FSOUND_Init(44100, 32, 0);
    volumesJoueur(reglages.volumeMusique, reglages.volumeEffets);
    // Frames at the screen's rate where the driver syncs them, else at most
    // the settings' rate.
    appliquerCadence(reglages.synchroVerticale, reglages.imagesMax);
    chargerMenu(shell, ressources);

    if (!options.map.empty()) {
        while (ressources.chargerSuivant()) continue;  // no logo to load behind
        jouerMapSeule(*ressources.jeu, options.map, options.courseSortie);
    } else {
        while (shell.continuer >= 1 && shell.continuer <= 2) boucleMenu(shell, ressources);
    }

    garderFenetre(reglages, ressources.jeu->getCourse());
    liberer(shell, ressources);
    // Ended by a signal: the shell's status for it.
    if (const int signal = sys::signalRecu()) return 128 + signal;
    return shell.echec ? 1 : 0;
}
