// SPDX-License-Identifier: GPL-3.0-or-later
#include "course_pilotee.h"

#include "dossier.h"
#include "empreinte.h"
#include "instant_partie.h"
#include "jeu.h"
#include "niveau.h"
#include "scenarios.h"
#include "solutions.h"
#include "texte_fantome.h"
#include "verification.h"

CoursePilotee piloterCourse(int n) {
    return piloterCarte(lireFichier(std::string(VORNA_GAME_DIR) + "/" + cheminScenario(n)),
                        kSolutions[static_cast<size_t>(n - 1)].points, n);
}

CoursePilotee piloterCarte(const std::string& octets, const std::string& solution, int n) {
    CoursePilotee r;
    r.octetsNiveau = octets;
    ContenuNiveau contenu;
    if (!chargerNiveauOctets(r.octetsNiveau, ReglesNiveau(), contenu)) return r;
    Simulation sim(balleDuNiveau(contenu), std::move(contenu.cubes), std::move(contenu.bonus),
                   departCourse(n > 0 ? niveauScenario(static_cast<unsigned>(n))->points : 0));
    SystemeScript systeme;
    Pilote pilote(systeme, points(solution));
    EntreesPas pas;
    pilote.sortie = [&](int, SDL_Keycode k, bool v) {
        const Touche t = k == SDLK_UP ? Touche::Haut : k == SDLK_DOWN ? Touche::Bas
                         : k == SDLK_RIGHT ? Touche::Droite : Touche::Gauche;
        pas.push_back({t, v});
    };
    for (int i = 0; i < 20000 && sim.continuer() == 2; ++i) {
        InstantPartie ip;
        const Heros& b = sim.balle();
        ip.x = b.getX(), ip.y = b.getY(), ip.z = b.getZ();
        ip.sx = b.getSX(), ip.sy = b.getSY(), ip.sz = b.getSZ(), ip.maxspeed = b.getMaxSpeed();
        ip.win = b.getWin(), ip.tombe = b.getTombe(), ip.pause = sim.getPause();
        pilote.image(ip);
        sim.pas(pas);
        pas.clear();
        if (!sim.sorties().arrivee) continue;
        r.course = {n, empreinte(r.octetsNiveau), sim.score(), sim.pasChrono(), sim.journal()};
        // As the game keeps its best ghost at the finish.
        if (n > 0) r.fantome = texteFantome(cheminScenario(n), sim.echantillons(), sim.debutChrono(), &sim.journal());
        return r;
    }
    return r;
}

std::optional<Course> coursePilotee(SystemeScript& systeme, int niveau, const std::function<void(Jeu&)>& regler,
                                    const std::function<void(int f, const InstantPartie&, bool premiere)>& apres) {
    if (niveau < 1 || niveau > 14) return std::nullopt;
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(true);
    jeu.setMapScenario(static_cast<unsigned int>(niveau));
    jeu.setNiveauMax(static_cast<unsigned int>(niveau));
    jeu.setMapsMax(14);
    if (regler) regler(jeu);
    Pilote pilote(systeme, points(kSolutions[static_cast<size_t>(niveau - 1)].points));
    bool arrive = false;
    systeme.limite(systeme.frame() + 20000);
    systeme.surImage([&](int f) {
        const InstantPartie& i = jeu.getInstant();
        pilote.image(i);
        if (!i.win && !arrive) return;
        const bool premiere = !arrive;
        arrive = true;
        if (apres) apres(f, i, premiere);
        else if (premiere) systeme.tape(f + 2, SDLK_RETURN);  // "Niveau suivant"
    });
    jeu.jouer();
    systeme.surImage(nullptr);
    return jeu.derniereCourse();
}
