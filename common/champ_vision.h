// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CHAMP_VISION_H
#define VORNA_CHAMP_VISION_H

// What the camera can see: the view volume of the current projection and
// modelview matrices. Anything wholly outside it gives no pixel at all, so
// skipping it leaves the picture exactly as it was. The test is for drawing
// only, and conservative: a thing is declared unseen only when all its
// corners lie clearly beyond one and the same side of the volume.
class ChampVision {
public:
    // Reads the current GL matrices.
    ChampVision();

    // Whether any part of the hull of these points may show (world
    // coordinates, that is in the modelview matrix's input space).
    bool voit(const double (*coins)[3], int n) const;
    // Whether any part of the box [x ± r] × [y ± r] × [z ± r] may show.
    bool voitCube(double x, double y, double z, double r) const;
    // Whether the eye lies farther than `d` from (x, y, z), world coordinates.
    bool oeilLoin(double x, double y, double z, double d) const;

private:
    double m_m[16];    // projection × modelview, column-major like GL's
    double m_oeil[3];  // the eye in the world
};

#endif
