// The bars a music track is checked against, measured on the rendered signal: loudness and
// peak (from the mastering code), how different the two channels are, and how much of the
// track repeats itself window for window.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AudioGen.h"

namespace audiogen {

namespace {

// Sums of one window of both channels, for Pearson correlations against other windows.
struct Window {
    size_t from = 0;
    double mean = 0.0;
    double norm = 0.0;  // square root of the sum of squared deviations
};

Window describe(const Stereo& track, size_t from, size_t length) {
    Window w;
    w.from = from;
    double sum = 0.0;
    for (size_t i = from; i < from + length; ++i) {
        sum += track.left[i] + track.right[i];
    }
    w.mean = sum / static_cast<double>(2 * length);
    double squares = 0.0;
    for (size_t i = from; i < from + length; ++i) {
        const double l = track.left[i] - w.mean, r = track.right[i] - w.mean;
        squares += l * l + r * r;
    }
    w.norm = std::sqrt(squares);
    return w;
}

double correlate(const Stereo& track, const Window& a, const Window& b, size_t length) {
    if (a.norm <= 0.0 || b.norm <= 0.0) {
        return 0.0;  // silence repeats nothing
    }
    double sum = 0.0;
    for (size_t i = 0; i < length; ++i) {
        sum += (track.left[a.from + i] - a.mean) * (track.left[b.from + i] - b.mean) +
               (track.right[a.from + i] - a.mean) * (track.right[b.from + i] - b.mean);
    }
    return sum / (a.norm * b.norm);
}

uint32_t little32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

}  // namespace

double channelCorrelation(const Stereo& track) {
    double ll = 0.0, rr = 0.0, lr = 0.0, ml = 0.0, mr = 0.0;
    const size_t n = track.frames();
    for (size_t i = 0; i < n; ++i) {
        ml += track.left[i];
        mr += track.right[i];
    }
    if (n == 0) {
        return 1.0;
    }
    ml /= static_cast<double>(n);
    mr /= static_cast<double>(n);
    for (size_t i = 0; i < n; ++i) {
        const double l = track.left[i] - ml, r = track.right[i] - mr;
        ll += l * l;
        rr += r * r;
        lr += l * r;
    }
    // Two silent channels, or one, are the same signal as far as a listener can tell.
    return ll > 0.0 && rr > 0.0 ? lr / std::sqrt(ll * rr) : 1.0;
}

double repeatedWindows(const Stereo& track, double windowSeconds, double threshold) {
    const size_t length = static_cast<size_t>(windowSeconds * kRate);
    if (length == 0 || track.frames() < length) {
        return 0.0;
    }
    const size_t count = track.frames() / length;
    std::vector<Window> windows;
    for (size_t k = 0; k < count; ++k) {
        windows.push_back(describe(track, k * length, length));
    }
    size_t repeats = 0;
    for (size_t k = 1; k < count; ++k) {
        for (size_t j = 0; j < k; ++j) {
            if (correlate(track, windows[k], windows[j], length) >= threshold) {
                ++repeats;
                break;
            }
        }
    }
    return static_cast<double>(repeats) / static_cast<double>(count);
}

bool readWav(const std::string& path, Stereo& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(f);
    auto fail = [&](const char* why) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), why);
        return false;
    };
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return fail("not a WAVE file");
    }
    unsigned channels = 0, bits = 0, rate = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = little32(bytes.data() + at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) {
            return fail("a chunk runs past the end of the file");
        }
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            const unsigned format = bytes[body] | bytes[body + 1] << 8;
            channels = bytes[body + 2] | bytes[body + 3] << 8;
            rate = little32(bytes.data() + body + 4);
            bits = bytes[body + 14] | bytes[body + 15] << 8;
            if (format != 1 || bits != 16 || (channels != 1 && channels != 2)) {
                return fail("only 16-bit linear PCM, mono or stereo, is measured");
            }
            if (rate != static_cast<unsigned>(kRate)) {
                return fail("only 44100 Hz is measured");
            }
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (channels == 0) {
                return fail("the data comes before its format");
            }
            const size_t frames = size / (2 * channels);
            out = Stereo(frames);
            for (size_t i = 0; i < frames; ++i) {
                const unsigned char* s = bytes.data() + body + i * 2 * channels;
                const double l = static_cast<int16_t>(s[0] | s[1] << 8) / 32768.0;
                const double r = channels == 2 ? static_cast<int16_t>(s[2] | s[3] << 8) / 32768.0 : l;
                out.left[i] = l;
                out.right[i] = r;
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    return fail("no data chunk");
}

}  // namespace audiogen
