// A small seeded generator (PCG32) so that every run draws the same art. Never seeded from the
// clock; each texture takes its seed from its file name, so adding a texture changes no other.
#pragma once

#include <cstdint>
#include <string>

namespace artgen {

class Random {
  public:
    explicit Random(uint64_t seed) : state_(0) {
        next();
        state_ += seed;
        next();
    }
    static Random forName(const std::string& name);

    uint32_t next() {
        const uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rotation = static_cast<uint32_t>(old >> 59u);
        return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
    }
    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
    // Uniform in [low, high).
    float range(float low, float high) { return low + (high - low) * uniform(); }
    // Uniform integer in [low, high].
    int integer(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint32_t>(high - low + 1));
    }
    bool chance(float probability) { return uniform() < probability; }

  private:
    uint64_t state_;
};

// FNV-1a: a stable 64-bit hash of a name.
inline uint64_t hashName(const std::string& name) {
    uint64_t hash = 14695981039346656037ULL;
    for (char character : name) {
        hash ^= static_cast<unsigned char>(character);
        hash *= 1099511628211ULL;
    }
    return hash;
}

inline Random Random::forName(const std::string& name) {
    return Random(hashName(name));
}

}  // namespace artgen
