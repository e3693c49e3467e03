#include "engine/Matrix.h"

#include <cmath>

namespace {
// Degrees to radians as the transforms use it.
constexpr float kRotationRadiansPerDegree = 0.017453294f;
// Degrees to radians as the perspective projection uses it.
constexpr float kFovRadiansPerDegree = 0.017453292f;

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 normalised(const Vec3& v) {
    const float length = std::sqrt(dot(v, v));
    return length > 0.0f ? v * (1.0f / length) : v;
}
}  // namespace

Mat4 Mat4::translation(float x, float y, float z) {
    Mat4 t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Mat4 Mat4::rotationX(float degrees) {
    const float c = std::cos(degrees * kRotationRadiansPerDegree);
    const float s = std::sin(degrees * kRotationRadiansPerDegree);
    Mat4 r;
    r.m[5] = c;
    r.m[6] = s;
    r.m[9] = -s;
    r.m[10] = c;
    return r;
}

Mat4 Mat4::rotationY(float degrees) {
    const float c = std::cos(degrees * kRotationRadiansPerDegree);
    const float s = std::sin(degrees * kRotationRadiansPerDegree);
    Mat4 r;
    r.m[0] = c;
    r.m[2] = -s;
    r.m[8] = s;
    r.m[10] = c;
    return r;
}

Mat4 Mat4::rotationZ(float degrees) {
    const float c = std::cos(degrees * kRotationRadiansPerDegree);
    const float s = std::sin(degrees * kRotationRadiansPerDegree);
    Mat4 r;
    r.m[0] = c;
    r.m[1] = s;
    r.m[4] = -s;
    r.m[5] = c;
    return r;
}

Mat4 Mat4::scaling(float x, float y, float z) {
    Mat4 s;
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    return s;
}

Mat4 Mat4::orthographic(float left, float right, float bottom, float top, float near, float far) {
    Mat4 o;
    o.m[0] = 2.0f / (right - left);
    o.m[5] = 2.0f / (top - bottom);
    o.m[10] = -2.0f / (far - near);
    o.m[12] = -(right + left) / (right - left);
    o.m[13] = -(top + bottom) / (top - bottom);
    o.m[14] = -(far + near) / (far - near);
    return o;
}

Mat4 Mat4::perspective(float fovyDegrees, float aspect, float near, float far) {
    const float top = near * std::tan(fovyDegrees * kFovRadiansPerDegree * 0.5f);
    const float right = top * aspect;
    Mat4 p;
    p.m[0] = near / right;
    p.m[5] = near / top;
    p.m[10] = -(far + near) / (far - near);
    p.m[11] = -1.0f;
    p.m[14] = -2.0f * far * near / (far - near);
    p.m[15] = 0.0f;
    return p;
}

Mat4 Mat4::lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up) {
    const Vec3 z = normalised(eye - centre);
    const Vec3 x = normalised(cross(up, z));
    const Vec3 y = cross(z, x);
    Mat4 v;
    v.m[0] = x.x;
    v.m[4] = x.y;
    v.m[8] = x.z;
    v.m[1] = y.x;
    v.m[5] = y.y;
    v.m[9] = y.z;
    v.m[2] = z.x;
    v.m[6] = z.y;
    v.m[10] = z.z;
    v.m[12] = -dot(x, eye);
    v.m[13] = -dot(y, eye);
    v.m[14] = -dot(z, eye);
    return v;
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[4 * k + row] * b.m[4 * column + k];
            }
            r.m[4 * column + row] = sum;
        }
    }
    return r;
}

Mat3 normalMatrixOf(const Mat4& model) {
    // Upper-left 3 x 3, a(row, column).
    auto a = [&](int row, int column) { return model.m[4 * column + row]; };
    const float det = a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
                      a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
                      a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
    Mat3 n;
    if (std::fabs(det) <= 0.00001f) {
        return n;
    }
    const float inv = 1.0f / det;
    // The inverse is the adjugate over the determinant; its transpose is the
    // cofactor matrix over the determinant, stored column-major.
    float cofactor[3][3];
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int r0 = (row + 1) % 3, r1 = (row + 2) % 3;
            const int c0 = (column + 1) % 3, c1 = (column + 2) % 3;
            cofactor[row][column] = a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
        }
    }
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            n.m[3 * column + row] = cofactor[row][column] * inv;
        }
    }
    return n;
}
