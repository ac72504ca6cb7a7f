// SPDX-License-Identifier: GPL-3.0-or-later
#include "partie_scriptee.h"

#include <cstdio>

#include "fsound.h"
#include "rejeu.h"

const char* const kCourseDroite =
    "@0,0,0,2,3,1,1,1,0,0,0,textureSphere\n"
    "@1,0,0,0,0,4,4,1,0,0,0,textureSol\n"
    "@1,-12,0,0,0,8,4,1,0,0,0,textureSol\n"
    "@4,-24,0,0,0,4,4,1,0,0,0,textureArrivee\n";

void PartieScriptee::SetUp() {
    EXIGER_FENETRE();
    reinitialiserGL();
    dossier.arborescenceJeu();
    FSOUND_Init(44100, 32, 0);
    systeme.travail(2);
    systeme.limite(6000);
    systeme.surImage([this](int) {
        instants.push_back(jeu.getInstant());
        if (surFrame) surFrame(instants.back());
    });
    jeu.setNiveauMax(1);
    jeu.setMapsMax(14);
    jeu.setNombreGhost(-1);
}

void PartieScriptee::TearDown() { FSOUND_Close(); }

void PartieScriptee::garderFantome(int f) {
    f = taper(f, SDLK_DOWN, 3);
    systeme.tape(f, SDLK_RETURN);
    f = taper(f + 2, SDLK_DOWN, 1);
    systeme.appui(f, SDLK_RETURN);
}

void PartieScriptee::scenario(int n, const std::string& contenu) {
    ecrireFichier("maps/niveau/map" + std::to_string(n) + ".qzm", contenu);
    jeu.setScenario(true);
    jeu.setMapScenario(n);
}

void PartieScriptee::perso(const std::string& nom, const std::string& contenu) {
    ecrireFichier("maps/" + nom + ".txt", contenu);
    jeu.setScenario(false);
    jeu.setMap(nom);
}

int PartieScriptee::taper(int f, SDL_Keycode k, int n) {
    for (int i = 0; i < n; ++i) systeme.tape(f + 2 * i, k);
    return f + 2 * n;
}

int PartieScriptee::premiereFrame(const std::function<bool(const InstantPartie&)>& p) const {
    for (size_t i = 0; i < instants.size(); ++i)
        if (p(instants[i])) return static_cast<int>(i);
    return -1;
}

std::string PartieScriptee::fantomeDeLaPartie(const std::string& niveau) const {
    std::string g = "@" + niveau + "\n";
    char l[80];
    for (size_t k = 0; k < instants.size() && !instants[k].win; ++k)
        g += (std::snprintf(l, sizeof l, "@%f,%f,%f\n", instants[k].x, instants[k].y, instants[k].z), l);
    return g;
}

void PartieScriptee::alArrivee(std::function<void(int)> apres) {
    surFrame = [this, apres, fait = false](const InstantPartie& i) mutable {
        if (!fait && i.win) {
            fait = true;
            apres(debut + i.frame + 1);
        }
    };
}

std::string PartieScriptee::positions(const std::string& ghost) {
    const size_t i = ghost.find("\n#pas ");
    return i == std::string::npos ? ghost : ghost.substr(0, i + 1);
}

std::string PartieScriptee::rejoue(const std::string& ghost, bool record) {
    Rejeu r;
    std::string pourquoi;
    if (!r.rejouer(ghost, pourquoi)) return "not played again: " + pourquoi;
    return r.fantome(record ? r.simulation().debutChrono() : 0);
}
