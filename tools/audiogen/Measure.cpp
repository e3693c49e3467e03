// The bars a music track is checked against, measured on the rendered signal: loudness and
// peak (from the mastering code), how different the two channels are, and how much of the
// track repeats itself window for window.

#include <algorithm>
#include <complex>
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

// An in-place radix-2 Fourier transform; the length is a power of two.
void fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(a[i], a[j]);
        }
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * kPi / static_cast<double>(length);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w(1.0, 0.0);
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = a[start + k], odd = a[start + k + length / 2] * w;
                a[start + k] = even + odd;
                a[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

bool readBytes(const std::string& path, std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    unsigned char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(f);
    return true;
}

uint32_t big32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
           static_cast<uint32_t>(b[2]) << 8 | static_cast<uint32_t>(b[3]);
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

double repeatedWindows(const Stereo& track, double windowSeconds, double threshold, size_t alignFrame) {
    const size_t length = static_cast<size_t>(windowSeconds * kRate);
    if (length == 0 || track.frames() < length) {
        return 0.0;
    }
    const size_t first = std::min(alignFrame, track.frames()) % length;
    const size_t count = (track.frames() - first) / length;
    std::vector<Window> windows;
    for (size_t k = 0; k < count; ++k) {
        windows.push_back(describe(track, first + k * length, length));
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
    return count ? static_cast<double>(repeats) / static_cast<double>(count) : 0.0;
}

double bandLevelDb(const Stereo& track, double lowHz, double highHz) {
    const size_t n = track.frames();
    if (n == 0) {
        return -200.0;
    }
    size_t size = 1;
    while (size < n) {
        size *= 2;
    }
    // By Parseval, the band's energy is the sum of its bins' squared magnitudes over the
    // transform's length, twice over for the negative frequencies' mirror.
    double energy = 0.0;
    for (const std::vector<double>* channel : {&track.left, &track.right}) {
        std::vector<std::complex<double>> bins(size);
        std::copy(channel->begin(), channel->end(), bins.begin());
        fft(bins);
        const size_t low = static_cast<size_t>(std::ceil(lowHz * static_cast<double>(size) / kRate));
        const size_t high =
            std::min(size / 2, static_cast<size_t>(highHz * static_cast<double>(size) / kRate));
        for (size_t k = std::max<size_t>(low, 1); k <= high; ++k) {
            energy += 2.0 * std::norm(bins[k]) / static_cast<double>(size);
        }
    }
    const double meanSquare = energy / (2.0 * static_cast<double>(n));
    return meanSquare > 0.0 ? 10.0 * std::log10(meanSquare) : -200.0;
}

Masking measureMasking(const Stereo& music, size_t loopStart, const Stereo& shot, double seconds,
                       double every, double gainDb) {
    Masking masking;
    if (loopStart >= music.frames() || shot.frames() == 0 || !(seconds > 0.0) || !(every > 0.0)) {
        return masking;
    }
    const size_t frames = static_cast<size_t>(seconds * kRate), body = music.frames() - loopStart;
    Stereo bed(frames), shots(frames);
    for (size_t i = 0; i < frames; ++i) {
        bed.left[i] = music.left[loopStart + i % body];
        bed.right[i] = music.right[loopStart + i % body];
    }
    const double gain = dbToGain(gainDb);
    for (size_t play = 0;; ++play) {
        const size_t at = static_cast<size_t>(std::lround(static_cast<double>(play) * every * kRate));
        if (at >= frames) {
            break;
        }
        for (size_t i = 0; i < shot.frames() && at + i < frames; ++i) {
            shots.left[at + i] += gain * shot.left[i];
            shots.right[at + i] += gain * shot.right[i];
        }
    }
    masking.musicDb = bandLevelDb(bed, 1000.0, 2000.0);
    masking.shotDb = bandLevelDb(shots, 1000.0, 2000.0);
    return masking;
}

bool readWav(const std::string& path, Stereo& out) {
    std::vector<unsigned char> bytes;
    if (!readBytes(path, bytes)) {
        return false;
    }
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

bool readCaf(const std::string& path, Stereo& out) {
    std::vector<unsigned char> bytes;
    if (!readBytes(path, bytes)) {
        return false;
    }
    auto fail = [&](const char* why) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), why);
        return false;
    };
    if (bytes.size() < 8 || std::memcmp(bytes.data(), "caff", 4) != 0) {
        return fail("not a Core Audio Format file");
    }
    unsigned channels = 0;
    bool littleEndian = false;
    // Chunks: a four-letter type and a 64-bit big-endian size; the data chunk's size may be -1
    // (to the end of the file), and its samples follow a 4-byte edit count.
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint64_t declared =
            static_cast<uint64_t>(big32(bytes.data() + at + 4)) << 32 | big32(bytes.data() + at + 8);
        const size_t body = at + 12;
        const bool toEnd = declared == ~uint64_t{0} && std::memcmp(bytes.data() + at, "data", 4) == 0;
        if (!toEnd && declared > bytes.size() - body) {
            return fail("a chunk runs past the end of the file");
        }
        const size_t size = toEnd ? bytes.size() - body : static_cast<size_t>(declared);
        if (std::memcmp(bytes.data() + at, "desc", 4) == 0 && size >= 32) {
            uint64_t rateBits =
                static_cast<uint64_t>(big32(bytes.data() + body)) << 32 | big32(bytes.data() + body + 4);
            double rate;
            std::memcpy(&rate, &rateBits, sizeof rate);
            const uint32_t flags = big32(bytes.data() + body + 12);
            channels = big32(bytes.data() + body + 24);
            const uint32_t bits = big32(bytes.data() + body + 28);
            if (std::memcmp(bytes.data() + body + 8, "lpcm", 4) != 0 || (flags & 1) != 0 || bits != 16 ||
                (channels != 1 && channels != 2)) {
                return fail("only 16-bit integer linear PCM, mono or stereo, is measured");
            }
            if (rate != kRate) {
                return fail("only 44100 Hz is measured");
            }
            littleEndian = (flags & 2) != 0;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (channels == 0) {
                return fail("the data comes before its description");
            }
            if (size < 4) {
                return fail("a data chunk without its edit count");
            }
            const size_t frames = (size - 4) / (2 * channels);
            out = Stereo(frames);
            for (size_t i = 0; i < frames; ++i) {
                const unsigned char* s = bytes.data() + body + 4 + i * 2 * channels;
                auto sample = [&](const unsigned char* b) {
                    return static_cast<int16_t>(littleEndian ? (b[0] | b[1] << 8) : (b[0] << 8 | b[1])) /
                           32768.0;
                };
                out.left[i] = sample(s);
                out.right[i] = channels == 2 ? sample(s + 2) : out.left[i];
            }
            return true;
        }
        at = body + size;
    }
    return fail("no data chunk");
}

}  // namespace audiogen
