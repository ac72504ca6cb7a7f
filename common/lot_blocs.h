// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_LOT_BLOCS_H
#define VORNA_LOT_BLOCS_H

#include <array>
#include <cstddef>
#include <vector>

#include "objet.h"

class ChampVision;

// A textured box as a block draws it: centre, half-extents, rotation angles
// in degrees (x, then y, then z), texture name and tiling.
struct Boite {
    double x, y, z;
    double lx, ly, lz;
    double rx, ry, rz;
    unsigned int texture;
    bool etale;
};

// Boxes that do not change, kept ready to draw: their faces are computed
// once, when the level is read, and sent from one array each frame instead of
// vertex by vertex. Every box is drawn with the same commands as
// Cube::dessiner (its own matrix, its own texture bind, the same vertices in
// the same order), in the order the boxes were added, so the picture is the
// same to the pixel, even where faces are coplanar. Boxes the camera cannot
// see are skipped.
class LotBlocs {
public:
    LotBlocs() = default;
    // The visible blocks of a course, in file order ("limite" blocks draw
    // nothing).
    explicit LotBlocs(const std::vector<Cube>& cubes);

    void ajouter(const Boite& b);
    // A box whose faces are not a block's: its 24 corners in drawing order
    // (the box's own tiling and `etale` are then not used).
    void ajouter(const Boite& b, const std::array<CoinCube, 24>& coins);
    void vider();
    std::size_t taille() const { return m_boites.size(); }

    // Draws every box `champ` may see (every box when it is null), in the
    // current modelview matrix and state, 2D texturing enabled by the caller.
    // Returns the number of boxes drawn.
    std::size_t dessiner(const ChampVision* champ) const;
    // The same for the boxes added in places [debut, fin) only.
    std::size_t dessiner(const ChampVision* champ, std::size_t debut, std::size_t fin) const;

private:
    struct Entree {
        Boite boite;
        double coins[8][3];  // the box's corners in the world, for the view test
        bool fermee;         // a block of a course: every face counter-clockwise seen from outside
    };
    bool oeilPres(const Entree& e, const double oeil[3]) const;
    std::vector<Entree> m_boites;
    std::vector<float> m_sommets;  // 24 per box: x, y, z
    std::vector<float> m_texture;  // 24 per box: s, t
};

#endif
