// Gradient noise for clouds and nebulae, repeating with a chosen period so that textures tile.
#pragma once

#include <cstdint>

namespace artgen {

class TileableNoise {
  public:
    // The noise repeats every `periodX` by `periodY` lattice cells (at least 1 each).
    TileableNoise(uint64_t seed, int periodX, int periodY);

    // Smooth noise in about [-1, 1]; lattice points are one unit apart.
    float at(float x, float y) const { return gradientNoise(x, y, periodX_, periodY_, seed_); }

    // Fractal sum of `octaves` layers, each of double the frequency and `gain` times the
    // amplitude of the one before; normalised to about [-1, 1]. Still repeats with the period.
    float fractal(float x, float y, int octaves, float gain = 0.5f) const;

    // 1 - |noise| summed the same way: sharp bright ridges, for filaments. About [0, 1].
    float ridged(float x, float y, int octaves, float gain = 0.5f) const;

  private:
    static float gradientNoise(float x, float y, int periodX, int periodY, uint64_t seed);

    uint64_t seed_;
    int periodX_;
    int periodY_;
};

}  // namespace artgen
