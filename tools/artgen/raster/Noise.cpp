#include "raster/Noise.h"

#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

uint32_t hashLattice(int x, int y, uint64_t seed) {
    uint64_t h = seed ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x9E3779B97F4A7C15ULL) ^
                 (static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xC2B2AE3D27D4EB4FULL);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

int wrap(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

// Dot product of the offset with one of 16 evenly spread unit gradients.
float corner(int x, int y, int periodX, int periodY, uint64_t seed, float dx, float dy) {
    static const float kGradients[16][2] = {
        {1.0f, 0.0f},  {0.92388f, 0.38268f},   {0.70711f, 0.70711f},   {0.38268f, 0.92388f},
        {0.0f, 1.0f},  {-0.38268f, 0.92388f},  {-0.70711f, 0.70711f},  {-0.92388f, 0.38268f},
        {-1.0f, 0.0f}, {-0.92388f, -0.38268f}, {-0.70711f, -0.70711f}, {-0.38268f, -0.92388f},
        {0.0f, -1.0f}, {0.38268f, -0.92388f},  {0.70711f, -0.70711f},  {0.92388f, -0.38268f},
    };
    const float* g = kGradients[hashLattice(wrap(x, periodX), wrap(y, periodY), seed) & 15u];
    return g[0] * dx + g[1] * dy;
}

}  // namespace

TileableNoise::TileableNoise(uint64_t seed, int periodX, int periodY)
    : seed_(seed), periodX_(periodX), periodY_(periodY) {
    if (periodX < 1 || periodY < 1) {
        throw std::invalid_argument("noise periods must be at least 1");
    }
}

float TileableNoise::gradientNoise(float x, float y, int periodX, int periodY, uint64_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const float n00 = corner(ix, iy, periodX, periodY, seed, dx, dy);
    const float n10 = corner(ix + 1, iy, periodX, periodY, seed, dx - 1.0f, dy);
    const float n01 = corner(ix, iy + 1, periodX, periodY, seed, dx, dy - 1.0f);
    const float n11 = corner(ix + 1, iy + 1, periodX, periodY, seed, dx - 1.0f, dy - 1.0f);
    const float u = fade(dx);
    const float v = fade(dy);
    const float top = n00 + (n10 - n00) * u;
    const float bottom = n01 + (n11 - n01) * u;
    return (top + (bottom - top) * v) * 1.4142f;
}

float TileableNoise::fractal(float x, float y, int octaves, float gain) const {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    int scale = 1;
    for (int octave = 0; octave < octaves; ++octave) {
        const auto s = static_cast<float>(scale);
        // Each layer is shifted off the lattice of the others (a shift keeps the period), so
        // the layers' zeros at lattice points don't line up into a visible grid.
        const float shift = static_cast<float>(octave) * 0.37f;
        sum += amplitude * gradientNoise(x * s + shift, y * s + shift, periodX_ * scale, periodY_ * scale,
                                         seed_ + static_cast<uint64_t>(octave));
        total += amplitude;
        amplitude *= gain;
        scale *= 2;
    }
    return sum / total;
}

float TileableNoise::ridged(float x, float y, int octaves, float gain) const {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    int scale = 1;
    for (int octave = 0; octave < octaves; ++octave) {
        const auto s = static_cast<float>(scale);
        const float shift = static_cast<float>(octave) * 0.37f;
        const float n = gradientNoise(x * s + shift, y * s + shift, periodX_ * scale, periodY_ * scale,
                                      seed_ + 101u + static_cast<uint64_t>(octave));
        const float ridge = 1.0f - std::abs(n);
        sum += amplitude * ridge * ridge;
        total += amplitude;
        amplitude *= gain;
        scale *= 2;
    }
    return sum / total;
}

}  // namespace artgen
