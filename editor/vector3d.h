// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_VECTOR3D_H
#define VORNA_EDITEUR_VECTOR3D_H

namespace editeur {

// A small 3-component vector; the menu places its buttons with it.
class Vector3D {
public:
    double X = 0, Y = 0, Z = 0;

    Vector3D() = default;
    Vector3D(double x, double y, double z) : X(x), Y(y), Z(z) {}
    Vector3D(const Vector3D&) = default;
    // The vector from `from` to `to`: to − from.
    Vector3D(const Vector3D& from, const Vector3D& to);

    Vector3D& operator=(const Vector3D&) = default;
    Vector3D& operator+=(const Vector3D& v);
    Vector3D operator+(const Vector3D& v) const;
    Vector3D& operator-=(const Vector3D& v);
    Vector3D operator-(const Vector3D& v) const;
    Vector3D& operator*=(double a);
    Vector3D operator*(double a) const;
    Vector3D& operator/=(double a);
    Vector3D operator/(double a) const;

    Vector3D crossProduct(const Vector3D& v) const;
    double length() const;
    // Divides the vector by its length (a zero vector gives non-numbers) and
    // returns it.
    Vector3D& normalize();
};

Vector3D operator*(double a, const Vector3D& v);

}  // namespace editeur

#endif
