// Mastering, measuring and the two file formats the game reads.

#include <ebur128.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AudioGen.h"

namespace audiogen {

namespace {

constexpr double kTargetLufs = -16.0;
constexpr double kCeilingDb = -1.5;  // leaves room for the codec's small overshoots

// A loudness meter fed the whole track.
ebur128_state* meter(const Stereo& track, int mode) {
    ebur128_state* state = ebur128_init(2, static_cast<unsigned long>(kRate), mode);
    std::vector<double> frames(track.frames() * 2);
    for (size_t i = 0; i < track.frames(); ++i) {
        frames[2 * i] = track.left[i];
        frames[2 * i + 1] = track.right[i];
    }
    ebur128_add_frames_double(state, frames.data(), track.frames());
    return state;
}

double integratedLoudness(const Stereo& track) {
    ebur128_state* state = meter(track, EBUR128_MODE_I);
    double lufs = -70.0;
    ebur128_loudness_global(state, &lufs);
    ebur128_destroy(&state);
    return lufs;
}

double samplePeak(const Stereo& track) {
    double peak = 0.0;
    for (size_t i = 0; i < track.frames(); ++i) {
        peak = std::fmax(peak, std::fmax(std::fabs(track.left[i]), std::fabs(track.right[i])));
    }
    return peak;
}

// A look-ahead peak limiter: the gain falls ahead of each peak over 2 ms and recovers over
// 80 ms, so nothing crosses the ceiling and nothing is clipped.
void limit(Stereo& track, double ceiling) {
    const size_t n = track.frames();
    const size_t ahead = static_cast<size_t>(0.002 * kRate);
    std::vector<double> need(n, 1.0);
    for (size_t i = 0; i < n; ++i) {
        const double peak = std::fmax(std::fabs(track.left[i]), std::fabs(track.right[i]));
        if (peak > ceiling) {
            need[i] = ceiling / peak;
        }
    }
    // The gain at i must be at most every need within the look-ahead window; then smooth upward.
    std::vector<double> gain(n, 1.0);
    for (size_t i = 0; i < n; ++i) {
        if (need[i] < 1.0) {
            const size_t from = i >= ahead ? i - ahead : 0;
            for (size_t j = from; j <= i; ++j) {
                const double ramp =
                    need[i] + (1.0 - need[i]) * static_cast<double>(i - j) / static_cast<double>(ahead + 1);
                gain[j] = std::fmin(gain[j], ramp);
            }
        }
    }
    const double recover = 1.0 - std::exp(-1.0 / (0.08 * kRate));
    double g = 1.0;
    for (size_t i = 0; i < n; ++i) {
        g = gain[i] < g ? gain[i] : g + (gain[i] - g) * recover;
        track.left[i] *= g;
        track.right[i] *= g;
    }
}

void putBig32(std::FILE* f, uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
    std::fwrite(b, 1, 4, f);
}

void putBig64(std::FILE* f, uint64_t v) {
    putBig32(f, static_cast<uint32_t>(v >> 32));
    putBig32(f, static_cast<uint32_t>(v));
}

}  // namespace

double masterTrack(Stereo& track) {
    const double before = integratedLoudness(track);
    const double ceiling = dbToGain(kCeilingDb);
    // Limiting takes a little loudness away; two rounds settle within a fraction of a unit.
    for (int round = 0; round < 3; ++round) {
        const double gain = dbToGain(kTargetLufs - integratedLoudness(track));
        for (size_t i = 0; i < track.frames(); ++i) {
            track.left[i] *= gain;
            track.right[i] *= gain;
        }
        if (samplePeak(track) > ceiling) {
            limit(track, ceiling);
        }
    }
    return before;
}

double loudnessRange(const Stereo& track) {
    ebur128_state* state = meter(track, EBUR128_MODE_LRA);
    double range = 0.0;
    ebur128_loudness_range(state, &range);
    ebur128_destroy(&state);
    return range;
}

double truePeakDb(const Stereo& track) {
    ebur128_state* state = meter(track, EBUR128_MODE_TRUE_PEAK);
    double peak = 0.0;
    for (unsigned channel = 0; channel < 2; ++channel) {
        double channelPeak = 0.0;
        ebur128_true_peak(state, channel, &channelPeak);
        peak = std::fmax(peak, channelPeak);
    }
    ebur128_destroy(&state);
    return gainToDb(peak);
}

Levels measure(const Stereo& track) {
    Levels levels;
    levels.lufs = integratedLoudness(track);
    levels.peakDb = gainToDb(samplePeak(track));
    levels.seconds = static_cast<double>(track.frames()) / kRate;
    return levels;
}

bool writeCaf(const std::string& path, const std::vector<double>& samples) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::fwrite("caff", 1, 4, f);
    const unsigned char version[4] = {0, 1, 0, 0};  // file version 1, flags 0
    std::fwrite(version, 1, 4, f);
    // Audio description: rate (float64), format, flags, bytes per packet, frames per packet,
    // channels, bits per channel.
    std::fwrite("desc", 1, 4, f);
    putBig64(f, 32);
    double rate = kRate;
    uint64_t rateBits;
    std::memcpy(&rateBits, &rate, sizeof rateBits);
    putBig64(f, rateBits);
    std::fwrite("lpcm", 1, 4, f);
    putBig32(f, 2);  // little-endian integers
    putBig32(f, 2);
    putBig32(f, 1);
    putBig32(f, 1);
    putBig32(f, 16);
    std::fwrite("data", 1, 4, f);
    putBig64(f, 4 + samples.size() * 2);
    putBig32(f, 0);  // edit count
    for (double s : samples) {
        const double clamped = std::fmin(std::fmax(s, -1.0), 1.0);
        const int16_t v = static_cast<int16_t>(std::lround(clamped * 32767.0));
        const unsigned char b[2] = {static_cast<unsigned char>(v & 0xff),
                                    static_cast<unsigned char>((v >> 8) & 0xff)};
        std::fwrite(b, 1, 2, f);
    }
    const bool ok = std::fclose(f) == 0;
    if (!ok) {
        std::fprintf(stderr, "cannot finish %s\n", path.c_str());
    }
    return ok;
}

bool writeWav(const std::string& path, const Stereo& track) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    auto put32 = [&](uint32_t v) {
        const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto put16 = [&](uint16_t v) {
        const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const uint32_t bytes = static_cast<uint32_t>(track.frames() * 4);
    std::fwrite("RIFF", 1, 4, f);
    put32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(16);
    put16(1);
    put16(2);
    put32(static_cast<uint32_t>(kRate));
    put32(static_cast<uint32_t>(kRate) * 4);
    put16(4);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(bytes);
    for (size_t i = 0; i < track.frames(); ++i) {
        put16(static_cast<uint16_t>(
            static_cast<int16_t>(std::lround(std::fmax(-1.0, std::fmin(1.0, track.left[i])) * 32767.0))));
        put16(static_cast<uint16_t>(
            static_cast<int16_t>(std::lround(std::fmax(-1.0, std::fmin(1.0, track.right[i])) * 32767.0))));
    }
    return std::fclose(f) == 0;
}

bool writeOgg(const std::string& path, const Stereo& track, float quality, size_t loopStart) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, static_cast<long>(kRate), quality) != 0) {
        std::fprintf(stderr, "the Vorbis encoder refused its settings\n");
        vorbis_info_clear(&info);
        std::fclose(f);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "orvale-audiogen");
    vorbis_comment_add_tag(&comment, "LOOPSTART", std::to_string(loopStart).c_str());
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x4f52564c);  // a fixed serial number keeps builds byte-identical
    ogg_packet header, commentPacket, codePacket;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codePacket);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codePacket);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
    }
    const size_t chunk = 4096;
    size_t at = 0;
    bool ended = false;
    while (!ended) {
        const size_t count = std::min(chunk, track.frames() - at);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) {
                buffer[0][i] = static_cast<float>(track.left[at + i]);
                buffer[1][i] = static_cast<float>(track.right[at + i]);
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            at += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
                    std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
                    if (ogg_page_eos(&page)) {
                        ended = true;
                    }
                }
            }
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    const bool ok = std::fclose(f) == 0;
    if (!ok) {
        std::fprintf(stderr, "cannot finish %s\n", path.c_str());
    }
    return ok;
}

bool readOgg(const std::string& path, Stereo& out, size_t* loopStart) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
        std::fprintf(stderr, "cannot decode %s\n", path.c_str());
        return false;
    }
    if (loopStart) {
        const char* tag = vorbis_comment_query(ov_comment(&file, -1), "LOOPSTART", 0);
        *loopStart = tag ? std::strtoull(tag, nullptr, 10) : 0;
    }
    out = Stereo(0);
    float** pcm = nullptr;
    int section = 0;
    long count;
    while ((count = ov_read_float(&file, &pcm, 4096, &section)) > 0) {
        for (long i = 0; i < count; ++i) {
            out.left.push_back(static_cast<double>(pcm[0][i]));
            out.right.push_back(static_cast<double>(pcm[1][i]));
        }
    }
    ov_clear(&file);
    return count == 0;
}

}  // namespace audiogen
