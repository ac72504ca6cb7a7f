// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's building from disk, its loop and its steps.
#include "menu.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "annonce.h"
#include "menu_principal.h"
#include "niveau.h"
#include "progression.h"
#include "repertoire.h"
#include "scenarios.h"
#include "systeme.h"
#include "traduction.h"

void lireProgression(Jeu& jeu) {
    bool illisible = false;
    jeu.setNiveauMax(lireProgression(kFichierProgression, &illisible));
    if (illisible) annoncer(tr(kProgressionIllisible));
}

InstantMenu MenuPrincipal::instant;

namespace {

std::string sansExtension(const std::string& nom) {
    return nom.size() >= 4 ? nom.substr(0, nom.size() - 4) : std::string();
}

}  // namespace

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
    if (!logoVu) s.logo.oublierImage();  // no frame shows it again
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

const InstantMenu& instantMenu() { return MenuPrincipal::instant; }

void boucleMenu(Shell& shell, RessourcesMenu& ressources) {
    MenuPrincipal menu(shell, ressources);
    menu.construire();
    Cadence cadence(sys::ticks(), imagesMax());
    while (shell.continuer == 2) menu.frame(cadence);
}
