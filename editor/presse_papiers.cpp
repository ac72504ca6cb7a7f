// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and paste between maps through the system's clipboard, as level
// records: the text a person could paste into a level file, and read back
// from any such text.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "session_edition.h"
#include "traduction.h"

namespace editeur {

namespace {

// The records of `texte` when it is nothing but level records (blanks
// around them allowed), else nothing.
std::optional<std::vector<Enregistrement>> enregistrementsDuTexte(const std::string& texte) {
    const size_t debut = texte.find_first_not_of(" \t\r\n");
    if (debut == std::string::npos || texte[debut] != '@') return std::nullopt;
    const std::string corps = texte.substr(debut);
    std::unique_ptr<FILE, int (*)(FILE*)> f(fmemopen(const_cast<char*>(corps.data()), corps.size(), "r"), std::fclose);
    if (!f) return std::nullopt;
    std::vector<Enregistrement> r;
    bool entiers = true;
    int abimes = 0;
    lireEnregistrements(f.get(), [&](const Enregistrement& e, int) {
        entiers = entiers && e.champsLus == 12;
        r.push_back(e);
    }, &abimes);
    if (r.empty() || !entiers || abimes > 0) return std::nullopt;
    return r;
}

}  // namespace

// Ctrl+C: the chosen objects to the clipboard as their records, in the
// map's order; Ctrl+X cuts them (never the player's start, which stays as
// Delete keeps it).
void Edition::copier(bool couper) {
    fermerGeste();
    if (!selection.active()) {
        afficher(tr("Choisissez d'abord un objet"));
        return;
    }
    if (couper && selection.groupe() == std::vector<int>{0}) {
        afficher(tr("Le depart ne peut pas etre efface"));
        return;
    }
    char* tampon = nullptr;
    size_t taille = 0;
    FILE* f = open_memstream(&tampon, &taille);
    if (!f) return;
    for (int i : selection.groupe()) {
        const Heros& h = joueur[i];
        ecrireEnregistrement(f, h.enregistrement(intToCharTexture(gestionT->textureToInt(h.getText()))));
    }
    std::fclose(f);
    const std::string texte(tampon, taille);
    std::free(tampon);
    if (SDL_SetClipboardText(texte.c_str()) != 0) {
        std::fprintf(stderr, "bramelt: cannot copy to the clipboard: %s\n", SDL_GetError());
        afficher(tr("Copie impossible"));
        return;
    }
    if (couper) supprimerChoisi();
    afficher(couper ? tr("Coupe") : tr("Copie"));
}

// Ctrl+V: the records of the clipboard placed at the cursor, the first one
// where the cursor stands and the others at the same offsets from it, as one
// step; a text that is not level records changes nothing.
void Edition::coller() {
    fermerGeste();
    char* brut = SDL_GetClipboardText();
    const std::string texte = brut ? brut : "";
    SDL_free(brut);
    const auto lus = enregistrementsDuTexte(texte);
    if (!lus) {
        afficher(tr("Le presse-papiers ne contient pas de map"));
        return;
    }
    const Heros& c = joueur.back();
    const double dx = c.getX() - (*lus)[0].x, dy = c.getY() - (*lus)[0].y, dz = c.getZ() - (*lus)[0].z;
    Pas pas;
    pas.remplacements.push_back({nbre_obj, {}, {}});
    for (const Enregistrement& e : *lus) {
        Heros h = objetDe(e, nbre_obj == 0 && pas.remplacements[0].apres.empty());
        h.deplacer(dx, dy, dz);
        pas.remplacements[0].apres.push_back(h);
    }
    std::vector<int> colles;
    for (int i = nbre_obj; i < nbre_obj + static_cast<int>(lus->size()); ++i) colles.push_back(i);
    faire(std::move(pas));
    selection.choisirTous(colles);
    afficher(formater(tr("%d objets colles"), static_cast<int>(lus->size())));
}

}  // namespace editeur
