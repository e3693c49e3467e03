// Points, rectangles and small float helpers shared by the raster library.
// Canvas coordinates: origin at the top-left corner of the image, x to the right, y down,
// one unit per pixel; the centre of pixel (x, y) is (x + 0.5, y + 0.5).
#pragma once

#include <algorithm>
#include <cmath>

namespace artgen {

constexpr float kPi = 3.14159265358979f;

inline float clamp01(float value) {
    return std::min(1.0f, std::max(0.0f, value));
}
inline float lerp(float from, float to, float t) {
    return from + (to - from) * t;
}
inline float smoothstep(float edge0, float edge1, float value) {
    const float t = clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}
inline float radians(float degrees) {
    return degrees * (kPi / 180.0f);
}

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
    return {a.x * s, a.y * s};
}
inline Vec2 operator*(float s, Vec2 a) {
    return {a.x * s, a.y * s};
}
inline float dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}
inline float length(Vec2 a) {
    return std::sqrt(dot(a, a));
}
inline Vec2 normalized(Vec2 a) {
    const float len = length(a);
    return len > 0.0f ? a * (1.0f / len) : Vec2{};
}
inline Vec2 lerp(Vec2 a, Vec2 b, float t) {
    return {lerp(a.x, b.x, t), lerp(a.y, b.y, t)};
}
// The unit vector at `degrees` from +x towards +y (clockwise on screen, since y points down).
inline Vec2 direction(float degrees) {
    return {std::cos(radians(degrees)), std::sin(radians(degrees))};
}
inline Vec2 rotated(Vec2 a, float degrees) {
    const float c = std::cos(radians(degrees));
    const float s = std::sin(radians(degrees));
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

// An axis-aligned box in canvas units; empty when x1 <= x0 or y1 <= y0.
struct Rect {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;

    static Rect around(Vec2 centre, float halfWidth, float halfHeight) {
        return {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
    }
    Rect expanded(float margin) const { return {x0 - margin, y0 - margin, x1 + margin, y1 + margin}; }
    Rect united(const Rect& other) const {
        return {std::min(x0, other.x0), std::min(y0, other.y0), std::max(x1, other.x1),
                std::max(y1, other.y1)};
    }
    float width() const { return x1 - x0; }
    float height() const { return y1 - y0; }
    Vec2 centre() const { return {(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}; }
    // Distance from p to the box (0 inside).
    float distanceTo(Vec2 p) const {
        const float dx = std::max({x0 - p.x, 0.0f, p.x - x1});
        const float dy = std::max({y0 - p.y, 0.0f, p.y - y1});
        return std::sqrt(dx * dx + dy * dy);
    }
};

}  // namespace artgen
