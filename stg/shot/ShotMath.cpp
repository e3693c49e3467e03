#include "stg/shot/ShotMath.h"

#include "engine/RotationCorners.h"

namespace shotmath {
namespace {

uint64_t gameRandomBits = 0;

struct TurnTables {
    float sine[360];
    float cosine[360];
    TurnTables() {
        for (int k = 0; k < 360; ++k) {
            const double radians = k * 3.14159265358979323846 / 180.0;
            sine[k] = static_cast<float>(std::sin(radians));
            cosine[k] = static_cast<float>(std::cos(radians));
        }
    }
};
const TurnTables kTables;

}  // namespace

void seedGameRandom(uint64_t seed) {
    gameRandomBits = seed;
}

uint32_t gameRandom() {
    // SplitMix64: any seed, 0 included, starts a full-period sequence.
    gameRandomBits += 0x9E3779B97F4A7C15ull;
    uint64_t z = gameRandomBits;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

uint64_t gameRandomState() {
    return gameRandomBits;
}

float tableSin(float degrees) {
    return kTables.sine[wrapDegrees(degrees)];
}

float tableCos(float degrees) {
    return kTables.cosine[wrapDegrees(degrees)];
}

}  // namespace shotmath
