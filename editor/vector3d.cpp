// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector3d.h"

#include <cmath>

namespace editeur {

Vector3D::Vector3D(const Vector3D& from, const Vector3D& to)
    : X(to.X - from.X), Y(to.Y - from.Y), Z(to.Z - from.Z) {}

Vector3D& Vector3D::operator+=(const Vector3D& v) {
    X += v.X;
    Y += v.Y;
    Z += v.Z;
    return *this;
}

Vector3D Vector3D::operator+(const Vector3D& v) const { return Vector3D(*this) += v; }

Vector3D& Vector3D::operator-=(const Vector3D& v) {
    X -= v.X;
    Y -= v.Y;
    Z -= v.Z;
    return *this;
}

Vector3D Vector3D::operator-(const Vector3D& v) const { return Vector3D(*this) -= v; }

Vector3D& Vector3D::operator*=(double a) {
    X *= a;
    Y *= a;
    Z *= a;
    return *this;
}

Vector3D Vector3D::operator*(double a) const { return Vector3D(*this) *= a; }

Vector3D& Vector3D::operator/=(double a) {
    X /= a;
    Y /= a;
    Z /= a;
    return *this;
}

Vector3D Vector3D::operator/(double a) const { return Vector3D(*this) /= a; }

Vector3D operator*(double a, const Vector3D& v) { return v * a; }

Vector3D Vector3D::crossProduct(const Vector3D& v) const {
    return Vector3D(Y * v.Z - Z * v.Y, Z * v.X - X * v.Z, X * v.Y - Y * v.X);
}

double Vector3D::length() const { return std::sqrt(X * X + Y * Y + Z * Z); }

Vector3D& Vector3D::normalize() { return *this /= length(); }

}  // namespace editeur
