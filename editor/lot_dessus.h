// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_LOT_DESSUS_H
#define VORNA_EDITEUR_LOT_DESSUS_H

#include <cstddef>
#include <vector>

#include "objet_editeur.h"

namespace editeur {

// The placed objects of a map ready to draw in the overview, where the
// whole map shows at once: every face that looks toward the eye, boxes and
// round objects (with fewer facets, a few pixels across there) in world
// units, in one buffer of the GL kept from one change of the list to the
// next, drawn in one call per colour and texture instead of one per
// object. The overview is a view of its own: its picture may differ from
// drawing each object by its own dessiner where faces lie in one plane.
class LotDessus {
public:
    LotDessus() = default;
    ~LotDessus();
    LotDessus(const LotDessus&) = delete;
    LotDessus& operator=(const LotDessus&) = delete;

    // The list of objects changed: the next drawing builds the buffer again.
    void perimer() { m_aJour = false; }
    // Draws objets[0 … n − 1] but objets[exclu], seen along −versOeil (a
    // unit vector; orthographic), round objects as lines when `vue` is 1.
    void dessiner(const std::vector<Heros>& objets, int n, int exclu, int vue, const double versOeil[3]);

private:
    void construire(const std::vector<Heros>& objets, int n, int exclu, const double versOeil[3]);

    struct Groupe {
        Couleur couleur;
        unsigned int texture;
        bool rond;
        std::vector<float> sommets, texture2d;
        int premier = 0;  // in the buffer
    };
    std::vector<Groupe> m_groupes;
    std::vector<int> m_emblemes;  // the pick-ups, drawn each on its own
    unsigned int m_tampon = 0;
    std::size_t m_sommets = 0;
    int m_n = -1, m_exclu = -1;
    bool m_aJour = false;
};

}  // namespace editeur

#endif
