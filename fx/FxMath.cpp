#include "fx/FxMath.h"

#include <cmath>

#include "engine/RotationCorners.h"

namespace fxmath {

namespace {
struct Tables {
    float sine[360];
    float cosine[360];
    Tables() {
        for (int k = 0; k < 360; ++k) {
            const double radians = k * 3.14159265358979323846 / 180.0;
            sine[k] = static_cast<float>(std::sin(radians));
            cosine[k] = static_cast<float>(std::cos(radians));
        }
    }
};
const Tables kTables;

unsigned randomState = 1u;

int index(float degrees) {
    return std::isfinite(degrees) ? wrapDegrees(degrees) : 0;
}
}  // namespace

float randomFraction() {
    // A linear congruential step; the high bits are the better ones.
    randomState = randomState * 1103515245u + 12345u;
    return static_cast<float>((randomState >> 16) % 100u) * 0.01f;
}

void seedRandom(unsigned seed) {
    randomState = seed;
}

float tableSin(float degrees) {
    return kTables.sine[index(degrees)];
}

float tableCos(float degrees) {
    return kTables.cosine[index(degrees)];
}

Vec3 turned(const Vec3& v, float degrees) {
    if (degrees == 0.0f) {
        return v;
    }
    const int k = index(degrees);
    const float s = kTables.sine[k];
    const float c = kTables.cosine[k];
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

}  // namespace fxmath
