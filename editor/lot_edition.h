// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_LOT_EDITION_H
#define VORNA_EDITEUR_LOT_EDITION_H

#include <cstddef>
#include <vector>

#include "lot_blocs.h"
#include "objet_editeur.h"

namespace editeur {

// The placed objects of a map (every object but the cursor) kept ready to
// draw: built when the list changes, drawn every frame with the same
// commands as each object's own dessiner, in the same order, so the picture
// is the same to the pixel. Boxes come from kept arrays (LotBlocs), spheres
// from the kept round shapes (filled; as lines they are drawn by GLU), pick-ups
// each by its own dessiner, and
// what the camera cannot see is skipped.
class LotEdition {
public:
    // The list of objects changed (one placed or deleted): the next drawing
    // builds the batch again.
    void perimer() { m_aJour = false; }
    // Draws objets[0 … n − 1] but objets[exclu] from the batch (built first
    // if the list or `exclu` changed), then objets[exclu] (the chosen object,
    // which may change every frame; none when −1) and objets[n], the cursor,
    // each on its own, in the current modelview matrix, as `vue` asks (0
    // spheres filled, 1 as lines). Returns the number of placed objects drawn.
    std::size_t dessiner(const std::vector<Heros>& objets, int n, int vue, int exclu = -1);

private:
    void construire(const std::vector<Heros>& objets, int n, int exclu);

    // A run of boxes of one colour, one sphere, or one pick-up drawn on its own.
    struct Morceau {
        Couleur couleur;
        bool rond;
        int embleme;  // the pick-up's index in the objects, or −1
        std::size_t debut, fin;  // boxes: places in m_boites
        double x, y, z, rayon;   // a sphere
        unsigned int texture;
    };
    LotBlocs m_boites;
    std::vector<Morceau> m_morceaux;
    std::size_t m_taille = 0;
    int m_exclu = -1;
    bool m_aJour = false;
};

}  // namespace editeur

#endif
