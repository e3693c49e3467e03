#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/Vector.h"

// Small numeric helpers shared by bullets and launchers. Directions are
// degrees, 0 up (+y) and 90 right: direction d moves along (sin d, cos d).
namespace shotmath {

constexpr float kRadiansPerDegree = 0.0174532925f;
constexpr float kDegreesPerRadian = 57.2957795f;

// Gameplay's own random numbers. The session seeds them at the start of every game and a
// replay stores the seed: the same seed and the same keys give the same game. Nothing cosmetic
// draws from them (effects have fxmath's, the HUD its own), so whether something is drawn never
// changes the game's course.
void seedGameRandom(uint64_t seed);
// The next 32 random bits.
uint32_t gameRandom();
// The generator's state, for the game-state hash of replays.
uint64_t gameRandomState();

// The usual random fraction 0.00 ... 0.99, one draw.
inline float randomFraction() {
    return static_cast<float>(gameRandom() % 100u) * 0.01f;
}
// 0 ... count - 1, one draw; 0 for a count below 1.
inline int randomBelow(int count) {
    return count > 0 ? static_cast<int>(gameRandom() % static_cast<uint32_t>(count)) : 0;
}

// Any angle into [0, 360); a value that is not a number becomes 0.
inline float wrapDirection(float degrees) {
    if (!std::isfinite(degrees)) {
        return 0.0f;
    }
    if (degrees >= 0.0f && degrees < 360.0f) {
        return degrees;
    }
    float wrapped = std::fmod(degrees, 360.0f);
    if (wrapped < 0.0f) {
        wrapped += 360.0f;
    }
    return wrapped >= 360.0f ? 0.0f : wrapped;
}

// The direction of a vector, in [0, 360).
inline float angleOf(float x, float y) {
    return wrapDirection(std::atan2(x, y) * kDegreesPerRadian);
}

// 1 / sqrt(x) by the bit trick and one Newton step (about 0.2 % error).
inline float fastInverseSqrt(float x) {
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    bits = 0x5F3759DFu - (bits >> 1);
    float y = 0.0f;
    std::memcpy(&y, &bits, sizeof y);
    return y * (1.5f - 0.5f * x * y * y);
}

// sqrt(x) through the fast inverse square root; exactly 0 at 0.
inline float fastSqrt(float x) {
    return x > 0.0f ? x * fastInverseSqrt(x) : 0.0f;
}

// Sine and cosine of whole degrees from 360-entry tables; the angle is
// reduced into [0, 360) and truncated.
float tableSin(float degrees);
float tableCos(float degrees);

// (x, y) turned counter-clockwise by `degrees` with the tables; exactly 0 skips the turn.
inline Vec3 turned(const Vec3& v, float degrees) {
    if (degrees == 0.0f) {
        return v;
    }
    const float s = tableSin(degrees);
    const float c = tableCos(degrees);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

}  // namespace shotmath
