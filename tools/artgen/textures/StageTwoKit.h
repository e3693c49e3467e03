// The materials of the second stage, the breaker yards: warm rock browns, rusted iron and
// hazard paint under sodium-orange work lights. Shared by its enemies, bosses and backdrop.
#pragma once

#include "raster/Colour.h"
#include "textures/CraftKit.h"

namespace artgen {
namespace yard {

constexpr Colour kOutline = Colour::hex(0x070403);
constexpr Colour kSeam = Colour::hex(0x0c0604, 0.6f);
constexpr Colour kSodium = Colour::hex(0xffa640);  // the work lights
constexpr Colour kAmber = Colour::hex(0xffc860);
constexpr Colour kEmber = Colour::hex(0xff6a1a);    // hot metal, fresh fractures
constexpr Colour kCrimson = Colour::hex(0xff2a3a);  // hostile eyes and warning lamps
constexpr Colour kHazard = Colour::hex(0xe0a818);   // hazard stripes' yellow
constexpr Colour kHalo = Colour::hex(0xff5a2a);     // the warm halo round hostile craft
constexpr Colour kSoot = Colour::hex(0x120806);

// Rusted iron: the yard's craft and girders, lit warm from the upper left.
inline Metal iron(float bevel = 5.0f) {
    Metal metal;
    metal.lit = Colour::hex(0xa8927c);
    metal.base = Colour::hex(0x4a3c34);
    metal.shade = Colour::hex(0x140e0b);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = Colour::hex(0xffc080);
    metal.rimStrength = 0.35f;
    return metal;
}

inline Metal darkIron(float bevel = 4.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x6e5e54);
    metal.base = Colour::hex(0x2a221e);
    metal.shade = Colour::hex(0x0c0806);
    metal.bevel = bevel;
    metal.sheen = 0.12f;
    return metal;
}

inline Metal painted(Colour base, float bevel = 4.0f) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.4f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.75f);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = mix(base, palette::white, 0.6f);
    metal.rimStrength = 0.3f;
    return metal;
}

// Rock: brown stone, its sunward rim caught by the sodium lights.
inline Metal stone(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0xc49068);
    metal.base = Colour::hex(0x4c3526);
    metal.shade = Colour::hex(0x110a06);
    metal.bevel = bevel;
    metal.sheen = 0.1f;
    metal.rim = Colour::hex(0xffb060);
    metal.rimStrength = 0.45f;
    return metal;
}

}  // namespace yard
}  // namespace artgen
