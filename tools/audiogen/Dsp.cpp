#include "Dsp.h"

namespace audiogen {

namespace {

struct Comb {
    std::vector<double> line;
    size_t at = 0;
    double store = 0.0;
    explicit Comb(size_t length) : line(length, 0.0) {}
    double run(double x, double feedback, double damp) {
        const double out = line[at];
        store = out * (1.0 - damp) + store * damp;
        line[at] = x + store * feedback;
        at = (at + 1) % line.size();
        return out;
    }
};

struct AllPass {
    std::vector<double> line;
    size_t at = 0;
    explicit AllPass(size_t length) : line(length, 0.0) {}
    double run(double x) {
        const double delayed = line[at];
        const double out = delayed - x;
        line[at] = x + delayed * 0.5;
        at = (at + 1) % line.size();
        return out;
    }
};

void reverbSide(const std::vector<double>& own, const std::vector<double>& other, std::vector<double>& out,
                const size_t (&combLengths)[6], size_t preDelay, double roomSize, double wet) {
    std::vector<Comb> combs;
    for (size_t length : combLengths) {
        combs.emplace_back(length);
    }
    AllPass first(556 + combLengths[0] % 37), second(441 + combLengths[1] % 29);
    for (size_t i = preDelay; i < out.size(); ++i) {
        const double x = (own[i - preDelay] * 0.8 + other[i - preDelay] * 0.2) * 0.015;
        double sum = 0.0;
        for (Comb& comb : combs) {
            sum += comb.run(x, roomSize, 0.3);
        }
        out[i] += second.run(first.run(sum)) * wet;
    }
}

}  // namespace

Biquad Biquad::highPass(double hz, double q) {
    const double w = 2.0 * kPi * hz / kRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    const double a0 = 1.0 + alpha;
    Biquad f;
    f.b0 = (1.0 + c) / 2.0 / a0;
    f.b1 = -(1.0 + c) / a0;
    f.b2 = f.b0;
    f.a1 = -2.0 * c / a0;
    f.a2 = (1.0 - alpha) / a0;
    return f;
}

Biquad Biquad::lowPass(double hz, double q) {
    const double w = 2.0 * kPi * hz / kRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    const double a0 = 1.0 + alpha;
    Biquad f;
    f.b0 = (1.0 - c) / 2.0 / a0;
    f.b1 = (1.0 - c) / a0;
    f.b2 = f.b0;
    f.a1 = -2.0 * c / a0;
    f.a2 = (1.0 - alpha) / a0;
    return f;
}

Biquad Biquad::peak(double hz, double q, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w = 2.0 * kPi * hz / kRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    const double a0 = 1.0 + alpha / a;
    Biquad f;
    f.b0 = (1.0 + alpha * a) / a0;
    f.b1 = -2.0 * c / a0;
    f.b2 = (1.0 - alpha * a) / a0;
    f.a1 = f.b1;
    f.a2 = (1.0 - alpha / a) / a0;
    return f;
}

void addReverb(const Stereo& send, Stereo& out, double roomSize, double wet) {
    // Mutually prime-ish lengths that differ side to side by more than a few samples.
    static const size_t left[6] = {1116, 1188, 1277, 1356, 1422, 1491};
    static const size_t right[6] = {1151, 1233, 1319, 1397, 1459, 1543};
    reverbSide(send.left, send.right, out.left, left, static_cast<size_t>(0.011 * kRate), roomSize, wet);
    reverbSide(send.right, send.left, out.right, right, static_cast<size_t>(0.017 * kRate), roomSize, wet);
}

void addEcho(const Stereo& send, Stereo& out, double delaySeconds, double feedback, double wet) {
    const size_t delay = static_cast<size_t>(delaySeconds * kRate);
    std::vector<double> left(send.frames(), 0.0), right(send.frames(), 0.0);
    Biquad darkLeft = Biquad::lowPass(4500.0, 0.7), darkRight = Biquad::lowPass(4500.0, 0.7);
    for (size_t i = 0; i < send.frames(); ++i) {
        const double fromRight = i >= delay ? darkRight.run(right[i - delay]) : 0.0;
        const double fromLeft = i >= delay ? darkLeft.run(left[i - delay]) : 0.0;
        // Ping-pong: the first repeat lands left, the next right, each a little darker.
        const double input = i >= delay ? 0.5 * (send.left[i - delay] + send.right[i - delay]) : 0.0;
        left[i] = input + fromRight * feedback;
        right[i] = fromLeft * feedback;
        out.left[i] += left[i] * wet;
        out.right[i] += right[i] * wet;
    }
}

}  // namespace audiogen
