#pragma once
// Small signal-processing pieces shared by the music and effect renderers. Everything is
// double precision at one fixed sample rate; buffers are plain vectors of samples in -1 .. 1.

#include <cmath>
#include <cstdint>
#include <vector>

namespace audiogen {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

inline double midiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}
inline double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}
inline double gainToDb(double gain) {
    return gain > 0.0 ? 20.0 * std::log10(gain) : -200.0;
}

// A repeatable noise source (xorshift), so every build renders the same bytes.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    // Uniform in -1 .. 1.
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
    // Uniform in 0 .. 1.
    double unit() { return 0.5 * (next() + 1.0); }

  private:
    uint32_t state;
};

// Smooths the step of a naive saw or square at its wrap so high notes do not alias harshly.
inline double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

enum class Wave { Sine, Saw, Square, Pulse, Triangle };

// One oscillator; phase in 0 .. 1.
struct Oscillator {
    double phase = 0.0;
    double next(Wave wave, double hz) {
        const double dt = hz / kRate;
        const double t = phase;
        phase += dt;
        if (phase >= 1.0) {
            phase -= std::floor(phase);
        }
        switch (wave) {
            case Wave::Sine:
                return std::sin(2.0 * kPi * t);
            case Wave::Saw:
                return 2.0 * t - 1.0 - polyBlep(t, dt);
            case Wave::Square:
            case Wave::Pulse: {
                const double width = wave == Wave::Square ? 0.5 : 0.25;
                double v = t < width ? 1.0 : -1.0;
                v += polyBlep(t, dt);
                double u = t + 1.0 - width;
                u -= std::floor(u);
                v -= polyBlep(u, dt);
                return v;
            }
            case Wave::Triangle:
                return 1.0 - 4.0 * std::fabs(t - 0.5);
        }
        return 0.0;
    }
};

// State-variable filter (trapezoidal form): stable under fast cutoff sweeps.
struct Filter {
    double ic1 = 0.0, ic2 = 0.0;
    double low = 0.0, band = 0.0, high = 0.0;
    void run(double x, double cutoffHz, double q) {
        cutoffHz = std::fmin(std::fmax(cutoffHz, 20.0), kRate * 0.45);
        const double g = std::tan(kPi * cutoffHz / kRate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = x - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        low = v2;
        band = v1;
        high = x - k * v1 - v2;
    }
};

// A second-order section (direct form I) for the mix's fixed equalisers: high-pass, low-pass and
// a peaking bell, each at a centre or corner frequency in Hz.
struct Biquad {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    static Biquad highPass(double hz, double q);
    static Biquad lowPass(double hz, double q);
    static Biquad peak(double hz, double q, double gainDb);
    double run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
    void runAll(std::vector<double>& samples) {
        for (double& v : samples) {
            v = run(v);
        }
    }
};

// Attack, decay, sustain, release in seconds (sustain a level); t is the time since the
// note began, gate the note's held length.
inline double adsr(double t, double gate, double attack, double decay, double sustain, double release) {
    auto held = [&](double u) {
        if (u < attack) {
            return u / attack;
        }
        u -= attack;
        return sustain + (1.0 - sustain) * std::exp(-u / std::fmax(decay, 1e-4));
    };
    if (t < gate) {
        return held(t);
    }
    const double level = held(gate);
    return level * std::exp(-(t - gate) / std::fmax(release, 1e-4));
}

// A stereo buffer.
struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(size_t frames = 0) : left(frames, 0.0), right(frames, 0.0) {}
    size_t frames() const { return left.size(); }
};

// A room: six combs into two all-passes per side, each side with lengths and a pre-delay of
// its own so the two tails do not match (the room is wide, not a copy in the middle). Each side
// hears its own send and a little of the other. Adds the wet signal of `send` into `out`.
void addReverb(const Stereo& send, Stereo& out, double roomSize, double wet);
// A feedback echo, the delay in seconds, alternating sides, each repeat a little darker.
void addEcho(const Stereo& send, Stereo& out, double delaySeconds, double feedback, double wet);

}  // namespace audiogen
