// Colours as the painters name them: straight (not premultiplied) RGBA floats, 0 to 1.
#pragma once

#include <cstdint>

#include "raster/Geometry.h"

namespace artgen {

struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    // 0xRRGGBB with the given alpha.
    static constexpr Colour hex(uint32_t rgb, float alpha = 1.0f) {
        return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
                static_cast<float>((rgb >> 8) & 0xff) / 255.0f, static_cast<float>(rgb & 0xff) / 255.0f,
                alpha};
    }
    constexpr Colour withAlpha(float alpha) const { return {r, g, b, alpha}; }
    constexpr Colour scaledAlpha(float factor) const { return {r, g, b, a * factor}; }
};

inline Colour mix(Colour from, Colour to, float t) {
    return {lerp(from.r, to.r, t), lerp(from.g, to.g, t), lerp(from.b, to.b, t), lerp(from.a, to.a, t)};
}

namespace palette {
constexpr Colour white = Colour::hex(0xffffff);
constexpr Colour black = Colour::hex(0x000000);
constexpr Colour ice = Colour::hex(0xe8fbff);       // the near-white of lit text
constexpr Colour cyan = Colour::hex(0x3fe6ff);      // the main accent
constexpr Colour teal = Colour::hex(0x18b8c8);      // cyan's shadow side
constexpr Colour deepTeal = Colour::hex(0x0a5a78);  // cyan's deepest shade
constexpr Colour magenta = Colour::hex(0xff3fd2);   // the second accent
constexpr Colour pink = Colour::hex(0xffb3f0);      // magenta's hot core
constexpr Colour violet = Colour::hex(0x8a4dff);    // magenta's cool side
constexpr Colour indigo = Colour::hex(0x2a1870);    // the deep purple of space
constexpr Colour space = Colour::hex(0x03040b);     // the background black-blue
}  // namespace palette

}  // namespace artgen
