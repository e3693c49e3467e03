// Pieces the hidden fifth stage's craft, its two bosses and its backdrop share: void-black
// plates rimmed in blood red, gold light, and the marks of things half out of space.
#pragma once

#include "raster/Canvas.h"
#include "raster/Random.h"
#include "raster/Shapes.h"
#include "textures/CraftKit.h"

namespace artgen {

namespace vortex_colour {
constexpr Colour kOutline = Colour::hex(0x050207);
constexpr Colour kSeam = Colour::hex(0x2a0a14, 0.7f);
constexpr Colour kBlood = Colour::hex(0xe0182e);
constexpr Colour kEmber = Colour::hex(0xff4a2a);
constexpr Colour kGold = Colour::hex(0xffc23a);
constexpr Colour kPaleGold = Colour::hex(0xffe6a0);
constexpr Colour kViolet = Colour::hex(0x7a24c8);
constexpr Colour kHalo = Colour::hex(0xff2a40);
}  // namespace vortex_colour

// Void-black plates: nearly black faces, a violet-grey bevel on the lit side and a hairline of
// blood red along the lit edge.
Metal voidPlate(float bevel);

// Fades a painted thing partly out of space: ragged bands and specks of it are gone, the rest
// thinned, and a red shimmer left along what remains. `amount` 0 leaves it whole, 1 nearly gone.
void dissolve(Canvas& canvas, Random& random, float amount);

// A glowing crack of torn space: a jagged line of `steps` jags of about `step` pixels from
// `from` heading `degrees`, red with a gold thread.
void drawRiftCrack(Canvas& canvas, Random& random, Vec2 from, float degrees, int steps, float step);

}  // namespace artgen
