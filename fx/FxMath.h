#pragma once

#include "engine/Vector.h"

// Small numeric helpers of the effects: the usual random fraction and the
// whole-degree sine and cosine tables. Angles are degrees; a turn by a is
// counter-clockwise, so (0, 1) turned by -90 points along +x.
namespace fxmath {

constexpr float kDegreesPerRadian = 57.2957795f;

// 0.00 ... 0.99 in steps of 0.01. Effects draw from their own generator,
// not rand(), so that showing them (or a missing effect file) never changes
// the game's own random sequence: a replay plays the same with or without.
float randomFraction();
// Restarts the effects' generator (tests and the headless runner).
void seedRandom(unsigned seed);

// v +- var: (v - var) + var * r * 2.
inline float vary(float value, float variation, float r) {
    return (value - variation) + variation * r * 2.0f;
}

// Whole-degree tables: the angle is reduced into [0, 360) and truncated.
// A value that is not a number reads entry 0.
float tableSin(float degrees);
float tableCos(float degrees);

// (x, y) turned counter-clockwise by `degrees` with the tables; exactly 0
// leaves the vector as it is. z is kept.
Vec3 turned(const Vec3& v, float degrees);

}  // namespace fxmath
