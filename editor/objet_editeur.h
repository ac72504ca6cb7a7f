// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_OBJET_H
#define VORNA_EDITEUR_OBJET_H

#include <array>
#include <optional>
#include <string>

#include "niveau.h"
#include "objet.h"

// The editor's own objects, unrelated to the game's classes of the same names.
namespace editeur {

// The 24 corners of the box of half-sizes (x, y, z) around the origin, in the
// order the editor draws them: faces +Y, −Y, +X, −X, +Z, −Z; on each face
// the texture repeats every 4 units.
std::array<CoinCube, 24> coinsBoite(double x, double y, double z);
// A textured GLU sphere of 20 slices and stacks, made and deleted here:
// filled when `vue` is 0, as lines when it is 1, the quadric's default style
// otherwise.
void sphereQuadrique(double rayon, int vue);

struct Couleur {
    unsigned char r, g, b;
    bool operator==(const Couleur& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Centre, life value, half-sizes and rotations (carried to the file, not
// drawn) of an object of the map.
class Objet {
public:
    Objet(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
          double ry, double rz);

    // Adds to the three half-sizes, with no bound.
    void agrandir(double x, double y, double z);

    double getX() const { return m_x; }
    double getY() const { return m_y; }
    double getZ() const { return m_z; }
    double getVie() const { return m_vie; }
    double getLX() const { return m_lx; }
    double getLY() const { return m_ly; }
    double getLZ() const { return m_lz; }
    double getRX() const { return m_rx; }
    double getRY() const { return m_ry; }
    double getRZ() const { return m_rz; }

protected:
    double m_x, m_y, m_z;
    double m_vie;
    double m_lx, m_ly, m_lz;
    double m_rx, m_ry, m_rz;
};

// An object of the map being edited, or the cursor: an Objet with a palette
// texture and a kind (0 "Joueur" … 11 "Sphere[decor]", palette.h).
class Heros : public Objet {
public:
    Heros(double x, double y, double z, double vie, double lx, double ly, double lz, double rx,
          double ry, double rz, unsigned int texture, int obj);

    // An object the palette does not know (a pick-up, "bouton", "porte" or
    // any other kind of record), kept as read: it is saved again with its own
    // kind and texture word, at its place and size. Its kind is −1 until
    // changerObj gives it one of the palette's.
    static Heros garde(const Enregistrement& e, unsigned int texture);

    // Adds to the position.
    void deplacer(double x, double y, double z);
    void changerObj(int obj);
    void changerTexture(unsigned int texture) { m_texture = texture; }
    int getObj() const { return m_obj; }
    unsigned int getText() const { return m_texture; }
    // The kind and texture word of a kept record; empty for palette objects.
    const std::optional<Enregistrement>& getGarde() const { return m_garde; }
    // The texture word an object read from a file is saved with again
    // (whatever word its kind would give), until changerObj retypes it; empty
    // for the others.
    void garderMot(const std::string& mot) { m_mot = mot; }
    const std::string& getMot() const { return m_mot; }

    // The record this object is saved as, with `mot` as its texture word
    // (a kept record keeps its own kind and word, an object read from a file
    // its word).
    Enregistrement enregistrement(const std::string& mot) const;

    // Drawn round, of radius lx: the player's start, the decorative spheres
    // and the pick-ups.
    bool rond() const;
    // A pick-up ("vie", "speed"): drawn as the game draws it, a ball inside
    // turning rings, never batched with the others.
    bool embleme() const;
    // The colour it is drawn in: white, or the tint of a kept record;
    // couleur() makes it the current colour.
    Couleur getCouleur() const;
    void couleur() const;

    // Draws the object where it stands: the player's start and the spheres
    // as textured spheres of radius lx, filled when `vue` is 0 and as lines
    // when it is 1; pick-ups as the game draws them; any other kind as a
    // textured box whose texture repeats every 4 units. Kept records are
    // tinted boxes so they stand out.
    void dessiner(int vue) const;

private:
    unsigned int m_texture;
    int m_obj;
    std::optional<Enregistrement> m_garde;
    std::string m_mot;
};

}  // namespace editeur

#endif
