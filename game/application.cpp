#include "application.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "fenetre.h"
#include "fsound.h"
#include "menu.h"
#include "texture.h"

namespace {

bool dossierJeuPresent() {
    struct stat s;
    return stat("data", &s) == 0 && S_ISDIR(s.st_mode);
}

std::string dossierCourant() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("the current folder");
}

}  // namespace

int SDL_main(int, char**) {
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

    Shell shell;
    RessourcesMenu ressources;

    ressources.jeu = std::make_unique<Jeu>(shell.hauteur, shell.largeur);

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "vorna: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }

    if (SDL_RWops* rw = SDL_RWFromFile("data/iconeVorna.bmp", "rb")) {
        if (SDL_Surface* icone = SDL_LoadBMP_RW(rw, 1)) {
            SDL_WM_SetIcon(icone, nullptr);
            SDL_FreeSurface(icone);
        }
    }

    FSOUND_Init(44100, 32, 0);

    SDL_Surface* ecran = ouvrirFenetreGL(shell.hauteur, shell.largeur, 16);
    if (!ecran) {
        ressources.jeu.reset();
        FSOUND_Close();
        SDL_Quit();
        return 1;
    }

    FSOUND_SetVolume(FSOUND_ALL, 60);
    shell.musique = FSOUND_Stream_Open("data/sound/menu.mp3", FSOUND_LOOP_NORMAL, 0, 0);
    ressources.cursor = FSOUND_Sample_Load(FSOUND_FREE, "data/sound/cursor.wav", 0, 0, 0);
    ressources.bouton = FSOUND_Sample_Load(FSOUND_FREE, "data/sound/bouton.wav", 0, 0, 0);

    SDL_WM_SetCaption("Vorna 1.4", nullptr);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    SDL_Flip(ecran);

    shell.continuer = 1;
    shell.logo.logo = true;
    shell.logo.finlogo = false;

    shell.textureFont = loadTexture("data/font1.TGA", true);
    shell.logo.textureLogo = loadTexture("data/logo.jpg", true);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, static_cast<double>(shell.hauteur) / shell.largeur, 1, 1000);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);

    ressources.skybox = std::make_unique<Skybox>("data/sky/sky.jpg");
    ressources.textureGestion.loadTextures("normal");
    lireProgression(*ressources.jeu);

    while (shell.continuer >= 1 && shell.continuer <= 2) boucleMenu(shell, ressources);

    // Shutdown, in this order.
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
    SDL_FreeSurface(ecran);
    FSOUND_Close();
    SDL_Quit();
    return shell.echec ? 1 : 0;
}
