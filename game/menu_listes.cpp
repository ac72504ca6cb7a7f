// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's lists: the scenario's levels with the level sets after them, a
// set's levels, the free maps, the ghosts and the maps published online;
// an entry chosen in them, and their drawing.

#include <string>
#include <vector>

#include "liste_defilante.h"
#include "menu_principal.h"
#include "scenarios.h"
#include "traduction.h"

namespace {

// The online maps keep a line above and below for their title and the record.
const size_t kVisiblesEnLigne = 13;

}  // namespace

// The list rule: a chosen entry starts the launch fade. True when the entry
// was a set's (the entry rule does not follow).
bool MenuPrincipal::entreeListe() {
    if (entreeSerie()) return true;
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
    return false;
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

// The list of the screen (choix3), when it is one.
void MenuPrincipal::dessinerListe() {
    if (choix3 == 0) {
        std::vector<std::string> noms = nomSce;
        for (const std::string& t : series.titres()) noms.push_back(t);
        liste(noms, true);
    } else if (choix3 == 3) {
        liste(series.niveaux(), true);
    } else if (choix3 == 1) {
        liste(nomMap, false);
    } else if (choix3 == 2) {
        liste(nomGhost, false);
    } else if (choix3 == 4) {
        dessinerEnLigne();
    }
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
            imprimerEn(kGris, texte.c_str(), y);
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
