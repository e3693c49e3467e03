#include "stg/shot/ShotMath.h"

#include "engine/RotationCorners.h"

namespace shotmath {
namespace {

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

float tableSin(float degrees) {
    return kTables.sine[wrapDegrees(degrees)];
}

float tableCos(float degrees) {
    return kTables.cosine[wrapDegrees(degrees)];
}

}  // namespace shotmath
