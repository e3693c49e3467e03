#include "engine/RotationCorners.h"

#include <cmath>

namespace {
struct Table {
    RotationCorner entries[360];
    Table() {
        for (int k = 0; k < 360; ++k) {
            const double radians = k * 3.14159265358979323846 / 180.0;
            auto round5 = [](double value) {
                return static_cast<float>(std::round(value * 100000.0) / 100000.0);
            };
            entries[k] = {round5(std::sin(radians) - std::cos(radians)),
                          round5(-(std::sin(radians) + std::cos(radians))), 0.0f};
        }
    }
};
const Table kTable;
}  // namespace

const RotationCorner& rotationCorner(int degree) {
    return kTable.entries[degree];
}

int wrapDegrees(float degrees) {
    float wrapped = std::fmod(degrees, 360.0f);
    if (wrapped < 0.0f) {
        wrapped += 360.0f;
    }
    const int whole = static_cast<int>(wrapped);
    return whole >= 360 ? 0 : whole;
}
