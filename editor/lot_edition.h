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
// from the kept round shapes (filled; as lines they are drawn by GLU), and
// what the camera cannot see is skipped.
class LotEdition {
public:
    // Keeps the first `n` objects of `objets`.
    void construire(const std::vector<Heros>& objets, int n);
    std::size_t taille() const { return m_taille; }
    // Draws them in the current modelview matrix, as vue asks (0 spheres
    // filled, 1 as lines). Returns the number of objects drawn.
    std::size_t dessiner(int vue) const;

private:
    // A run of boxes of one colour, or one sphere.
    struct Morceau {
        Couleur couleur;
        bool rond;
        std::size_t debut, fin;  // boxes: places in m_boites
        double x, y, z, rayon;   // a sphere
        unsigned int texture;
    };
    LotBlocs m_boites;
    std::vector<Morceau> m_morceaux;
    std::size_t m_taille = 0;
};

// Draws an object with the same commands as Heros::dessiner, its sphere
// taken from the kept round shapes when it is drawn filled.
void dessinerRapide(const Heros& h, int vue);

}  // namespace editeur

#endif
