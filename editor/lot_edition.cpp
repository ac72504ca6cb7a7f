// SPDX-License-Identifier: GPL-3.0-or-later
#include "lot_edition.h"

#include <GL/gl.h>

#include <cmath>

#include "champ_vision.h"
#include "formes.h"

namespace editeur {

namespace {

// A sphere where it stands, in the current colour: from the kept shape when
// filled, from GLU as lines.
void sphere(double x, double y, double z, double rayon, unsigned int texture, int vue) {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTranslated(x, y, z);
    if (vue == 1)
        sphereQuadrique(rayon, vue);
    else
        sphere20(rayon).dessiner();
    glPopMatrix();
}

// The same commands as Heros::dessiner, the sphere from the kept shapes when
// drawn filled.
void dessinerRapide(const Heros& h, int vue) {
    if (!h.rond() || h.embleme() || vue == 1) {
        h.dessiner(vue);
        return;
    }
    h.couleur();
    sphere(h.getX(), h.getY(), h.getZ(), h.getLX(), h.getText(), vue);
    glDisable(GL_BLEND);
    glColor3ub(255, 255, 255);
}

}  // namespace

void LotEdition::construire(const std::vector<Heros>& objets, int n, int exclu) {
    m_boites.vider();
    m_morceaux.clear();
    m_exclu = exclu;
    m_taille = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (m_taille > objets.size()) m_taille = objets.size();
    for (std::size_t i = 0; i < m_taille; ++i) {
        if (static_cast<int>(i) == exclu) continue;
        const Heros& h = objets[i];
        Morceau m{};
        m.couleur = h.getCouleur();
        m.embleme = h.embleme() ? static_cast<int>(i) : -1;
        m.rond = h.rond() && m.embleme < 0;
        if (m.embleme >= 0) {
            m_morceaux.push_back(m);
            continue;
        }
        if (m.rond) {
            m.x = h.getX(), m.y = h.getY(), m.z = h.getZ(), m.rayon = h.getLX();
            m.texture = h.getText();
            m_morceaux.push_back(m);
            continue;
        }
        // Rotations are carried to the file, never drawn.
        m_boites.ajouter(Boite{h.getX(), h.getY(), h.getZ(), h.getLX(), h.getLY(), h.getLZ(), 0, 0, 0,
                               h.getText(), true},
                         coinsBoite(h.getLX(), h.getLY(), h.getLZ()));
        Morceau* dernier = m_morceaux.empty() ? nullptr : &m_morceaux.back();
        if (dernier && !dernier->rond && dernier->embleme < 0 && dernier->couleur == m.couleur) {
            dernier->fin = m_boites.taille();
            continue;
        }
        m.debut = m_boites.taille() - 1;
        m.fin = m_boites.taille();
        m_morceaux.push_back(m);
    }
}

std::size_t LotEdition::dessiner(const std::vector<Heros>& objets, int n, int vue, int exclu) {
    if (!m_aJour || m_taille != static_cast<std::size_t>(n) || m_exclu != exclu) {
        construire(objets, n, exclu);
        m_aJour = true;
    }
    glMatrixMode(GL_MODELVIEW);
    const ChampVision champ;
    std::size_t dessines = 0;
    for (const Morceau& m : m_morceaux) {
        glColor3ub(m.couleur.r, m.couleur.g, m.couleur.b);
        if (m.embleme >= 0) {
            objets[m.embleme].dessiner(vue);
            ++dessines;
        } else if (!m.rond) {
            dessines += m_boites.dessiner(&champ, m.debut, m.fin);
        } else if (champ.voitCube(m.x, m.y, m.z, std::fabs(m.rayon) * (1 + 1e-6) + 1e-6)) {
            sphere(m.x, m.y, m.z, m.rayon, m.texture, vue);
            ++dessines;
        }
        // Every object leaves blending off; the text printer did already.
        glDisable(GL_BLEND);
    }
    glColor3ub(255, 255, 255);
    if (exclu >= 0 && exclu < n) dessinerRapide(objets[exclu], vue), ++dessines;
    if (n >= 0 && static_cast<std::size_t>(n) < objets.size()) dessinerRapide(objets[n], vue);
    return dessines;
}

}  // namespace editeur
