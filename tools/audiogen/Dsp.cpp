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

void reverbSide(const std::vector<double>& in, std::vector<double>& out, size_t spread, double roomSize,
                double wet) {
    const size_t combLengths[] = {1116, 1188, 1277, 1356, 1422, 1491};
    std::vector<Comb> combs;
    for (size_t length : combLengths) {
        combs.emplace_back(length + spread);
    }
    AllPass first(556 + spread), second(441 + spread);
    for (size_t i = 0; i < in.size(); ++i) {
        const double x = in[i] * 0.015;
        double sum = 0.0;
        for (Comb& comb : combs) {
            sum += comb.run(x, roomSize, 0.25);
        }
        out[i] += second.run(first.run(sum)) * wet;
    }
}

}  // namespace

void addReverb(const Stereo& send, Stereo& out, double roomSize, double wet) {
    reverbSide(send.left, out.left, 0, roomSize, wet);
    reverbSide(send.right, out.right, 23, roomSize, wet);
}

void addEcho(const Stereo& send, Stereo& out, double delaySeconds, double feedback, double wet) {
    const size_t delay = static_cast<size_t>(delaySeconds * kRate);
    std::vector<double> left(send.frames(), 0.0), right(send.frames(), 0.0);
    for (size_t i = 0; i < send.frames(); ++i) {
        const double fromRight = i >= delay ? right[i - delay] : 0.0;
        const double fromLeft = i >= delay ? left[i - delay] : 0.0;
        // Ping-pong: the first repeat lands left, the next right, each a little darker.
        const double input = i >= delay ? 0.5 * (send.left[i - delay] + send.right[i - delay]) : 0.0;
        left[i] = input + fromRight * feedback;
        right[i] = fromLeft * feedback;
        out.left[i] += left[i] * wet;
        out.right[i] += right[i] * wet;
    }
}

}  // namespace audiogen
