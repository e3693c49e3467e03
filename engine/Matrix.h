#pragma once

#include "engine/Vector.h"

// A 4 x 4 float matrix in column-major order: element 4 * column + row, so the
// translation sits in elements 12 to 14, as OpenGL expects it.
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Mat4 identity() { return Mat4{}; }
    static Mat4 translation(float x, float y, float z);
    static Mat4 rotationX(float degrees);
    static Mat4 rotationY(float degrees);
    static Mat4 rotationZ(float degrees);
    static Mat4 scaling(float x, float y, float z);
    static Mat4 orthographic(float left, float right, float bottom, float top, float near, float far);
    static Mat4 perspective(float fovyDegrees, float aspect, float near, float far);
    static Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up);

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};

// a * b: b is applied first, so world = parent * local.
Mat4 operator*(const Mat4& a, const Mat4& b);

// A 3 x 3 float matrix in column-major order.
struct Mat3 {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// The transpose of the inverse of the upper-left 3 x 3 of `model`, used to turn
// normals; a (nearly) singular matrix gives the identity.
Mat3 normalMatrixOf(const Mat4& model);
