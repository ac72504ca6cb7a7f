// SPDX-License-Identifier: GPL-3.0-or-later
#include "panneau_serie.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "caracteres.h"
#include "fenetre.h"
#include "liste_defilante.h"
#include "repertoire.h"
#include "systeme.h"
#include "texte.h"
#include "traduction.h"

namespace editeur {

namespace {

const Uint32 kImage = 30;    // at most one picture every 30 ms, as the menu
const size_t kVisibles = 9;  // the maps a column shows at once
const size_t kNomMax = 18;   // the characters of a map's name a column shows

// `texte` cut to `n` characters, its end shown by '~'.
std::string borne(const std::string& texte, size_t n) {
    const std::u32string c = enCaracteres(texte);
    return c.size() <= n ? texte : enUtf8(c.substr(0, n - 1)) + "~";
}

bool existeFichier(const std::string& chemin) {
    struct stat st;
    return lstat(chemin.c_str(), &st) == 0;
}

}  // namespace

PanneauSerie::PanneauSerie(Serie serie, unsigned int police)
    : m_serie(std::move(serie)), m_police(police), m_maps(listerFichiers("./maps", ".txt")) {}

void PanneauSerie::lancer() {
    sys::keyRepeat(300, 100);
    saisieTexte(true);  // the set's title is typed
    while (!m_quitter && !sys::arretDemande()) {
        const Uint32 debut = sys::ticks();
        SDL_Event e;
        while (sys::pollEvent(&e)) evenement(e);
        dessiner();
        const Uint32 ecoule = sys::ticks() - debut;
        if (ecoule < kImage) sys::delay(kImage - ecoule);
    }
    saisieTexte(false);
}

void PanneauSerie::evenement(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        m_quitter = true;
    } else if (e.type == SDL_KEYDOWN) {
        touche(e.key.keysym);
    } else if (e.type == SDL_TEXTINPUT) {
        const std::u32string t = enCaracteres(m_serie.titre) + enCaracteres(e.text.text);
        m_serie.titre = enUtf8(t.substr(0, kTitreSerieMax));
        changer();
    }
}

void PanneauSerie::touche(const SDL_Keysym& k) {
    std::vector<std::string>& maps = m_serie.maps;
    size_t& choix = m_colonneMaps ? m_choixMaps : m_choixSerie;
    const size_t taille = m_colonneMaps ? m_maps.size() : maps.size();
    const bool avertie = std::exchange(m_avertie, false);
    if (k.sym == SDLK_ESCAPE) {
        m_quitter = !m_modifiee || avertie;
        m_avertie = !m_quitter;
        if (m_avertie) m_message = tr("Non enregistree : Echap pour quitter");
    } else if (k.sym == SDLK_TAB) {
        m_colonneMaps = !m_colonneMaps;
    } else if ((k.sym == SDLK_UP || k.sym == SDLK_DOWN) && taille > 0) {
        choix = k.sym == SDLK_UP ? (choix + taille - 1) % taille : (choix + 1) % taille;
    } else if ((k.sym == SDLK_RETURN || k.sym == SDLK_KP_ENTER) && m_colonneMaps && m_choixMaps < m_maps.size()) {
        maps.push_back(m_maps[m_choixMaps]);
        m_choixSerie = maps.size() - 1;
        changer();
    } else if (k.sym == SDLK_DELETE && !m_colonneMaps && m_choixSerie < maps.size()) {
        maps.erase(maps.begin() + static_cast<long>(m_choixSerie));
        m_choixSerie = std::min(m_choixSerie, maps.empty() ? 0 : maps.size() - 1);
        changer();
    } else if (k.sym == SDLK_BACKSPACE && !m_serie.titre.empty()) {
        const std::u32string t = enCaracteres(m_serie.titre);
        m_serie.titre = enUtf8(t.substr(0, t.size() - 1));
        changer();
    } else if ((k.sym == SDLK_PAGEUP || k.sym == SDLK_PAGEDOWN) && !m_colonneMaps && m_choixSerie < maps.size()) {
        const size_t autre = k.sym == SDLK_PAGEUP ? m_choixSerie - 1 : m_choixSerie + 1;
        if (m_choixSerie == 0 && k.sym == SDLK_PAGEUP) return;
        if (autre >= maps.size()) return;
        std::swap(maps[m_choixSerie], maps[autre]);
        m_choixSerie = autre;
        changer();
    } else if (k.sym == SDLK_s && (k.mod & KMOD_CTRL)) {
        enregistrer();
    }
}

// A new set takes a file name from its title that no other set has; an
// opened one keeps its own.
void PanneauSerie::enregistrer() {
    const std::string titre = m_serie.titre.substr(0, m_serie.titre.find_last_not_of(' ') + 1);
    if (titre.empty() || titre[0] == '#' || titre[0] == ' ') {
        m_message = tr("Donnez un titre a la serie");
        return;
    }
    if (m_serie.maps.empty()) {
        m_message = tr("Ajoutez au moins une map");
        return;
    }
    if (m_serie.nom.empty()) {
        const std::string base = nomDeSerie(titre);
        m_serie.nom = base;
        for (int n = 2; existeFichier(std::string(kDossierSeries) + "/" + m_serie.nom + ".txt"); ++n)
            m_serie.nom = base + "-" + std::to_string(n);
    }
    Serie s = m_serie;
    s.titre = titre;
    if (ecrireSerie(s)) {
        m_modifiee = false;
        m_message = formater(tr("Sauvee: %s"), ("sets/" + s.nom + ".txt").c_str());
    } else {
        m_message = tr("Serie non enregistree");
    }
}

void PanneauSerie::ligne(const std::string& texte, double x, double y) const {
    ::Texte::mervoprint(texte.c_str(), m_police, -1, x, y, 640, 480);
}

// A column's maps from where its slice starts, the chosen one highlighted
// while the column is the one the keys move in.
void PanneauSerie::colonne(const std::vector<std::string>& noms, size_t choisi, bool active, double x) const {
    size_t premier = choisi >= kVisibles ? choisi - kVisibles + 1 : 0;
    const FenetreListe f = fenetreListe(noms.size(), kVisibles, choisi, premier);
    if (f.plusHaut) ligne("...", x, 0.6);
    for (size_t i = f.debut; i < f.fin; ++i) {
        if (active && i == choisi) glColor3ubv(kSelection);
        ligne(borne((&noms == &m_serie.maps ? std::to_string(i + 1) + "." : "") + noms[i], kNomMax), x,
              0.5 - 0.1 * static_cast<double>(i - f.debut));
        glColor3ub(255, 255, 255);
    }
    if (f.plusBas) ligne("...", x, 0.5 - 0.1 * kVisibles);
}

void PanneauSerie::dessiner() const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    ligne(formater(tr("Serie : %s"), m_serie.titre.c_str()) + "_", 0, 0.85);
    glColor3ubv(kSelection);
    ligne(tr("Dans la serie"), -0.5, 0.7);
    ligne(tr("Maps"), 0.5, 0.7);
    glColor3ub(255, 255, 255);
    colonne(m_serie.maps, m_choixSerie, !m_colonneMaps, -0.5);
    colonne(m_maps, m_choixMaps, m_colonneMaps, 0.5);
    // The keys, then what the last one did.
    ligne(tr("Tab colonne  Entree ajouter"), 0, -0.55);
    ligne(tr("Suppr retirer  PgPrec PgSuiv deplacer"), 0, -0.65);
    ligne(tr("Ctrl+S enregistrer  Echap retour"), 0, -0.75);
    glColor3ubv(kSelection);
    if (!m_message.empty()) ligne(m_message, 0, -0.9);
    glColor3ub(255, 255, 255);
    glFlush();
    sys::swapBuffers();
}

std::vector<Serie> seriesAEditer() {
    std::vector<Serie> r;
    for (const std::string& f : listerFichiers(kDossierSeries, ".txt")) {
        bool jouable = false;
        Serie s = lireSerie(f.substr(0, f.size() - 4), jouable);
        if (s.titre.empty()) s.titre = s.nom;
        r.push_back(std::move(s));
    }
    return r;
}

}  // namespace editeur
