// SPDX-License-Identifier: GPL-3.0-or-later
// The programs in every language they speak: under LANGUAGE=<code> every
// text drawn is looked up in that catalogue the build put in the game
// folder; the texts are read back as the seam saw them drawn, two of them
// on pixels too (a glyph for each character, accented or not).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "application.h"
#include "caracteres.h"
#include "donnees_editeur.h"
#include "edition.h"
#include "langue.h"
#include "menu_editeur.h"
#include "partie_scriptee.h"
#include "reglages_menu.h"

namespace {

const int M = 177;  // the first main menu frame, once the logo is over

// The languages, in the columns of the tables below.
const char* const kCodes[] = {"en", "fr", "de", "es", "it", "pt_BR"};
using Ligne = std::array<const char*, 6>;

struct Langue : PartieScriptee, ::testing::WithParamInterface<int> {
    std::set<std::string> vus;  // every text drawn
    std::string mesure;         // a highlighted text whose width is measured on the first frame it shows
    int largeur = -1;           // its orange pixels' span, in pixels

    void SetUp() override {
        setenv("LANGUAGE", kCodes[GetParam()], 1);
        fixerDossierCatalogues(VORNA_GAME_DIR "/share/locale");
        initialiserLangue();
        PartieScriptee::SetUp();
        systeme.surImage([this](int) {
            instants.push_back(jeu.getInstant());
            vus.insert(systeme.textes().begin(), systeme.textes().end());
            for (const std::string& t : systeme.textes())
                if (t == mesure && largeur < 0) largeur = etendueOrange();
            if (surFrame) surFrame(instants.back());
        });
    }
    void TearDown() override {
        unsetenv("LANGUAGE");
        fixerDossierCatalogues("");
        choisirLangue("auto");
        PartieScriptee::TearDown();
    }
    // The columns from the first to the last holding the highlight's orange
    // (any shade: the editor blends it) in the band of the first entry of
    // both menus measured (0.1 above the centre).
    static int etendueOrange() {
        const std::vector<Pixel> e = lireEcran();
        int x0 = 640, x1 = -1;
        for (int y = 240 - 56; y < 240; ++y)
            for (int x = 0; x < 640; ++x)
                if (const Pixel p = e[y * 640 + x]; p.r > p.b + 40 && p.g > p.b) x0 = std::min(x0, x), x1 = std::max(x1, x);
        return x1 - x0 + 1;
    }
};

struct Cas {
    const char* quoi;
    std::function<void(Langue&)> lancer;  // scripts (from the frame `debut`) and runs it
    std::vector<Ligne> textes;            // all shown (each the start of a text), in each language
    bool mesure;                          // the first highlighted, its width checked on pixels
};

const char* const kMenuFond = "@0,0,0,3,5,1,1,1,0,0,0,textureSphere\n@1,0,0,0,0,6,6,1,0,0,0,textureSol\n";

const Cas kCas[] = {
    {"run title and pause menu",
     [](Langue& a) {
         a.scenario(1, kCourseDroite);
         a.systeme.relache(a.debut + 3, SDLK_ESCAPE), a.systeme.quitter(a.debut + 8);
         a.jeu.jouer();
     },
     {{"1.Training Camp", "1.Camp d'entra\u00eenement", "1.Trainingslager", "1.Campo de entrenamiento",
       "1.Campo d'addestramento", "1.Campo de treinamento"},
      {"Back to the game", "Retour au jeu", "Weiterspielen", "Volver al juego", "Torna al gioco", "Voltar ao jogo"},
      {"Restart the level", "Recommencer le niveau", "Level neu starten", "Reiniciar el nivel",
       "Ricomincia il livello", "Recome\u00e7ar a fase"},
      {"Quit", "Quitter", "Beenden", "Salir", "Esci", "Sair"}},
     false},
    {"end-of-level menu",
     [](Langue& a) {
         a.scenario(1, kCourseDroite);
         a.systeme.appui(a.debut + 1, SDLK_UP);
         a.alArrivee([&a](int f) { a.systeme.quitter(f + 2); });
         a.jeu.jouer();
     },
     {{"Next level", "Niveau suivant", "N\u00e4chstes Level", "Siguiente nivel", "Livello successivo",
       "Pr\u00f3xima fase"},
      {"Restart", "Recommencer", "Neu starten", "Reintentar", "Ricomincia", "Recome\u00e7ar"},
      {"Send your score online", "Envoyer son score en ligne", "Punktzahl online senden",
       "Enviar tu puntuaci\u00f3n en l\u00ednea", "Invia il punteggio online", "Enviar sua pontua\u00e7\u00e3o online"},
      {"Save the ghost", "Enregistrer le fant\u00f4me", "Geist speichern", "Guardar el fantasma", "Salva il fantasma",
       "Salvar o fantasma"},
      {"Main menu", "Menu principal", "Hauptmen\u00fc", "Men\u00fa principal", "Menu principale", "Menu principal"}},
     true},
    {"game over",
     [](Langue& a) {  // the ball hangs over the void: three falls
         a.scenario(2, "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n@1,40,0,0,0,4,4,1,0,0,0,textureSol\n");
         a.jeu.setFantome(false);
         a.surFrame = [&a](const InstantPartie& i) {
             if (i.loose) a.systeme.quitter(a.systeme.frame() + 2);
         };
         a.jeu.jouer();
     },
     {{"Lost", "Perdu !", "Verloren!", "\u00a1Has perdido!", "Hai perso!", "Voc\u00ea perdeu!"},
      {"0 lives", "0 vie", "0 Leben", "0 vidas", "0 vite", "0 vida"}},
     false},
    {"editor menu, kinds and help",
     [](Langue& a) {
         donneesEditeur();
         a.systeme.quitter(a.debut + 3);
         editeur::Menu(640, 480).lancer();
         a.systeme.oublier();
         const int f = a.systeme.frame();
         for (int k = 0; k < 9; ++k) a.systeme.tape(f + 2 + 2 * k, SDLK_t);
         a.systeme.tape(f + 20, SDLK_RETURN), a.systeme.tape(f + 22, SDLK_F1), a.systeme.tape(f + 24, SDLK_a);
         a.systeme.tape(f + 26, SDLK_ESCAPE), a.systeme.tape(f + 28, SDLK_ESCAPE), a.systeme.tape(f + 30, SDLK_ESCAPE);
         editeur::jouer("nomap", 0);
     },
     {{"New map", "Nouvelle map", "Neue Map", "Nuevo mapa", "Nuova mappa", "Novo mapa"},
      {"Edit a map", "\u00c9diter une map", "Map bearbeiten", "Editar un mapa", "Modifica una mappa", "Editar um mapa"},
      {"Cube[floor]", "Cube[sol]", "W\u00fcrfel[Boden]", "Cubo[suelo]", "Cubo[pavimento]", "Cubo[ch\u00e3o]"},
      {"Void[invisible]", "Vide[invisible]", "Leere[unsichtbar]", "Vac\u00edo[invisible]", "Vuoto[invisibile]",
       "Vazio[invis\u00edvel]"},
      {"Finish", "Arriv\u00e9e", "Ziel", "Meta", "Arrivo", "Chegada"},
      {"Not saved", "Non sauvegard\u00e9e", "Nicht gespeichert", "Sin guardar", "Non salvata", "N\u00e3o salvo"},
      {"Help: every key. Any key closes this page.", "Aide: toutes les touches. Une touche ferme cette page.",
       "Hilfe: alle Tasten. Eine Taste schlie\u00dft diese Seite.",
       "Ayuda: todas las teclas. Una tecla cierra esta p\u00e1gina.",
       "Aiuto: tutti i tasti. Un tasto chiude questa pagina.", "Ajuda: todas as teclas. Uma tecla fecha esta p\u00e1gina."},
      {"Save the changes?", "Sauver les changements ?", "\u00c4nderungen speichern?", "\u00bfGuardar los cambios?",
       "Salvare le modifiche?", "Salvar as altera\u00e7\u00f5es?"},
      {"Escape: quit without saving", "\u00c9chap: quitter sans sauver", "Esc: ohne Speichern beenden",
       "Esc: salir sin guardar", "Esc: esci senza salvare", "Esc: sair sem salvar"}},
     true},
    {"main menu and scenario list",  // last: the program closes the test window
     [](Langue& a) {
         ecrireFichier("maps/menu/menu.txt", kMenuFond);
         for (int n = 1; n <= 2; ++n) ecrireFichier("maps/niveau/map" + std::to_string(n) + ".qzm", kCourseDroite);
         const int m = a.debut + M;
         a.systeme.relache(m + 2, SDLK_RETURN), a.systeme.relache(m + 4, SDLK_RETURN), a.systeme.quitter(m + 8);
         SDL_main(0, nullptr);
     },
     {{"Play", "Jouer", "Spielen", "Jugar", "Gioca", "Jogar"},
      {"Options", "Options", "Optionen", "Opciones", "Opzioni", "Op\u00e7\u00f5es"},
      {"Scenario", "Sc\u00e9nario", "Szenario", "Campa\u00f1a", "Campagna", "Campanha"},
      {"Custom map", "Map perso", "Eigene Map", "Mapa propio", "Mappa personale", "Mapa pr\u00f3prio"},
      {"Ghost", "Fant\u00f4me", "Geist", "Fantasma", "Fantasma", "Fantasma"},
      {"Back", "Retour", "Zur\u00fcck", "Volver", "Indietro", "Voltar"},
      {"2.Promenade", "2.Promenade", "2.Spaziergang", "2.Paseo", "2.Passeggiata", "2.Passeio"}},
     false},
};

TEST_P(Langue, EveryScreenShowsItsTexts) {
    for (const Cas& c : kCas) {
        SCOPED_TRACE(c.quoi);
        vus.clear(), mesure = c.mesure ? c.textes[0][GetParam()] : "", largeur = -1;
        suivante();
        c.lancer(*this);
        for (const Ligne& l : c.textes) {  // (a level's title may be followed by its record)
            const std::string t = l[GetParam()];
            EXPECT_TRUE(std::any_of(vus.begin(), vus.end(), [&](const std::string& v) { return v.rfind(t, 0) == 0; })) << t;
        }
        // A glyph every 16 pixels (a quad of 32, half of it inked by the editor's
        // font, all of it with no font), one for each character, accented or not.
        const int n = static_cast<int>(nombreCaracteres(mesure));
        if (n) {
            EXPECT_TRUE(largeur > 16 * (n - 2) && largeur <= 16 * (n + 1)) << largeur;
        }
        surFrame = nullptr;
    }
}

// The Options entry goes round "auto" and every language, each named in
// itself: applied at once, and kept in the settings file.
using EcranOptions = PartieScriptee;
TEST_F(EcranOptions, TheLanguageEntryGoesRoundEveryLanguageAppliedAtOnceAndKept) {
    setenv("LANGUAGE", "C", 1);
    fixerDossierCatalogues(VORNA_GAME_DIR "/share/locale");
    Reglages r;
    const char* const kTour[][3] = {  // the entry, the language in use, the word kept
        {"-Language English", "en", "en"},         {"-Langue Fran\u00e7ais", "fr", "fr"},
        {"-Sprache Deutsch", "de", "de"},          {"-Idioma Espa\u00f1ol", "es", "es"},
        {"-Lingua Italiano", "it", "it"},          {"-Idioma Portugu\u00eas", "pt_BR", "pt_BR"},
        {"-Langue auto", "", "auto"}};
    for (const auto& t : kTour) {
        changerReglage(kReglageLangue, 1, true, r, jeu, nullptr);
        EXPECT_EQ(texteReglage(kReglageLangue, r, jeu), t[0]);
        EXPECT_EQ(langueCourante(), t[1]);
        EXPECT_EQ(lireReglages().langue, t[2]);
    }
    changerReglage(kReglageLangue, -1, true, r, jeu, nullptr);
    EXPECT_EQ(r.langue, "pt_BR") << "and back the other way";
    unsetenv("LANGUAGE");
    fixerDossierCatalogues("");
    choisirLangue("auto");
}

INSTANTIATE_TEST_SUITE_P(Langues, Langue, ::testing::Range(0, 6),
                         [](const ::testing::TestParamInfo<int>& i) { return std::string(kCodes[i.param]); });

}  // namespace
