// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's Options screen (the settings, ghost saving, "Retour") and the
// screen of the run's keys it opens.

#include <string>

#include "menu_principal.h"
#include "traduction.h"

void MenuPrincipal::regler(int i, int pas, bool boucler) {
    bool enAttente = false;
    if (changerReglage(i, pas, boucler, res.reglages, jeu, &enAttente) && !enAttente) return;
    annonce = enAttente ? tr("Reglage en attente : fichier verrouille") : tr("Reglage non enregistre");
    debutAnnonce = 0;
}

void MenuPrincipal::nonEnregistre() { annonce = tr("Reglage non enregistre"), debutAnnonce = 0; }

// From the Top screen: the first setting highlighted, at the top.
void MenuPrincipal::ecranOptions() {
    choix = 2;
    choix1 = 0;
    choix2 = 3;
    choixMax = 2 + kReglagesMenu;
}

void MenuPrincipal::ecranTouches(bool ouvrir) {
    choix1 = 0, choix2 = ouvrir ? 4 : 3;
    choix = ouvrir ? 0 : 2 + kReglageTouches;
    choixMax = ouvrir ? kEntreesTouches : 2 + kReglagesMenu;
}

// Return on the keys screen or on a setting; false on any other entry.
bool MenuPrincipal::entreeOptions() {
    if (choix2 == 4) {  // the keys: an action's, the defaults, or back
        if (choix == kEntreeRetour) {
            ecranTouches(false);
        } else if (!touches.choisir(static_cast<int>(choix), res.reglages)) {
            nonEnregistre();
        }
        return true;
    }
    if (reglage() == kReglageTouches) {
        ecranTouches(true);
        return true;
    }
    if (reglage() < 0) return false;
    regler(reglage(), 1, true);  // a setting, a step up
    return true;
}

void MenuPrincipal::dessinerOptions() {
    // The settings above ghost saving, from the top: Up from ghost saving
    // reaches the last of them, Down from "Retour" the first.
    for (int i = 0; i < kReglagesMenu; ++i)
        entree(texteReglage(i, res.reglages, jeu).c_str(), 2 + i, 0.1 * (kReglagesMenu - i));
    entree(jeu.getFantome() ? tr("-Tjrs sauver fantome") : tr("-Jamais sauver fantome"), 0, 0);
    entree(tr("Retour"), 1, -0.1);
}

void MenuPrincipal::dessinerTouches() {
    for (int i = 0; i < kEntreesTouches; ++i)
        entree(touches.texte(i, res.reglages).c_str(), static_cast<unsigned>(i), 0.6 - 0.1 * i);
    if (!touches.message().empty()) imprimer(touches.message().c_str(), -1, -0.75);
}
