// The materials of the fourth stage, the battle line: gunmetal and olive-grey warship hulls
// under crimson battle lamps, amber deck lights and the orange of gun flashes. Shared by its
// craft, its bosses and its backdrop.
#pragma once

#include <algorithm>
#include <vector>

#include "raster/Colour.h"
#include "raster/Draw.h"
#include "textures/CraftKit.h"

namespace artgen {
namespace fleet {

constexpr Colour kOutline = Colour::hex(0x040605);
constexpr Colour kSeam = Colour::hex(0x050806, 0.6f);
constexpr Colour kBattleLamp = Colour::hex(0xff2430);  // the crimson battle lamps
constexpr Colour kDeckLight = Colour::hex(0xffb048);   // amber deck and running lights
constexpr Colour kGunFlash = Colour::hex(0xff7a1a);    // hot barrels, engine fire, fresh wounds
constexpr Colour kHalo = Colour::hex(0xff4a30);        // the warm halo round hostile craft
constexpr Colour kSoot = Colour::hex(0x0a0a08);
constexpr Colour kDeck = Colour::hex(0x262a22);  // a flight deck's dark non-slip paint

// Gunmetal: the fleet's armour, cool grey lit from the upper left.
inline Metal gunmetal(float bevel = 5.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x9aa29e);
    metal.base = Colour::hex(0x3c4241);
    metal.shade = Colour::hex(0x0d100f);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = Colour::hex(0xe0d0c0);
    metal.rimStrength = 0.3f;
    return metal;
}

// Olive-grey: the superstructure and the capital ships' secondary plating.
inline Metal olive(float bevel = 4.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x9a9c80);
    metal.base = Colour::hex(0x444836);
    metal.shade = Colour::hex(0x10120a);
    metal.bevel = bevel;
    metal.sheen = 0.15f;
    metal.rim = Colour::hex(0xd8d0a8);
    metal.rimStrength = 0.25f;
    return metal;
}

// Near-black armour for barrels, tubes and hatches.
inline Metal blackened(float bevel = 3.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x5c6260);
    metal.base = Colour::hex(0x1e2221);
    metal.shade = Colour::hex(0x070908);
    metal.bevel = bevel;
    metal.sheen = 0.1f;
    return metal;
}

// A metal dimmed towards black by `light` (0 to 1), for the backdrop's distant hulls.
inline Metal dimmed(Metal metal, float light) {
    metal.lit = mix(palette::black, metal.lit, light);
    metal.base = mix(palette::black, metal.base, light);
    metal.shade = mix(palette::black, metal.shade, light);
    metal.rim = mix(palette::black, metal.rim, light);
    return metal;
}

// Rivets along a line from `from` to `to`.
inline void drawRivets(Canvas& canvas, Vec2 from, Vec2 to, int count, float radius = 1.6f) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at =
            lerp(from, to, count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f);
        const Circle rivet(at, radius);
        fill(canvas, Grown(rivet, 0.8f), kOutline);
        fill(canvas, rivet, metalPaint(rivet, gunmetal(radius)));
    }
}

}  // namespace fleet
}  // namespace artgen
