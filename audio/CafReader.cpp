#include "audio/CafReader.h"

#include <SFML/Audio/SoundFileFactory.hpp>
#include <SFML/System/InputStream.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

uint32_t big32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
           static_cast<uint32_t>(b[2]) << 8 | static_cast<uint32_t>(b[3]);
}

uint64_t big64(const unsigned char* b) {
    return static_cast<uint64_t>(big32(b)) << 32 | big32(b + 4);
}

bool readExactly(sf::InputStream& stream, void* to, int64_t size) {
    return stream.read(to, size) == size;
}

bool refuse(const char* why) {
    std::printf("CAF sound file refused: %s\n", why);
    return false;
}

constexpr uint32_t kFlagFloat = 1;
constexpr uint32_t kFlagLittleEndian = 2;

}  // namespace

bool CafReader::check(sf::InputStream& stream) {
    char magic[4];
    return readExactly(stream, magic, 4) && std::memcmp(magic, "caff", 4) == 0;
}

void CafReader::registerWithFactory() {
    static const bool registered = [] {
        sf::SoundFileFactory::registerReader<CafReader>();
        return true;
    }();
    (void)registered;
}

bool CafReader::open(sf::InputStream& stream, Info& info) {
    input = &stream;
    const int64_t fileSize = stream.getSize();
    if (fileSize < 0) {
        return refuse("the file's size cannot be told");
    }
    unsigned char header[8];
    if (stream.seek(0) != 0 || !readExactly(stream, header, 8) || std::memcmp(header, "caff", 4) != 0) {
        return refuse("not a CAF file");
    }
    if ((header[4] << 8 | header[5]) != 1) {
        return refuse("unknown file version");
    }
    bool haveDescription = false;
    unsigned channels = 0;
    double rate = 0.0;
    int64_t at = 8;
    while (true) {
        unsigned char chunk[12];
        if (!readExactly(stream, chunk, 12)) {
            return refuse(haveDescription ? "no data chunk" : "no audio description");
        }
        at += 12;
        const int64_t size = static_cast<int64_t>(big64(chunk + 4));
        if (std::memcmp(chunk, "desc", 4) == 0) {
            unsigned char d[32];
            if (size != 32 || !readExactly(stream, d, 32)) {
                return refuse("audio description of the wrong size");
            }
            at += 32;
            uint64_t rateBits = big64(d);
            std::memcpy(&rate, &rateBits, sizeof rate);
            const uint32_t flags = big32(d + 12), bytesPerPacket = big32(d + 16),
                           framesPerPacket = big32(d + 20);
            channels = big32(d + 24);
            const uint32_t bits = big32(d + 28);
            if (std::memcmp(d + 8, "lpcm", 4) != 0) {
                return refuse("not linear PCM");
            }
            floatSamples = (flags & kFlagFloat) != 0;
            littleEndian = (flags & kFlagLittleEndian) != 0;
            if (!(floatSamples ? bits == 32 : bits == 16)) {
                return refuse("unsupported sample format (16-bit integers or 32-bit floats only)");
            }
            if (channels < 1 || channels > 2) {
                return refuse("unsupported channel count (one or two only)");
            }
            if (!std::isfinite(rate) || rate < 1000.0 || rate > 192000.0) {
                return refuse("sample rate out of range");
            }
            bytesPerSample = bits / 8;
            if (framesPerPacket != 1 || bytesPerPacket != bytesPerSample * channels) {
                return refuse("packets that are not single frames");
            }
            haveDescription = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveDescription) {
                return refuse("data before the audio description");
            }
            unsigned char editCount[4];
            if (!readExactly(stream, editCount, 4)) {
                return refuse("truncated data chunk");
            }
            at += 4;
            const int64_t left = fileSize - at;
            // A size of -1 means "to the end of the file".
            int64_t bytes = left;
            if (size != -1) {
                if (size < 4) {
                    return refuse("data chunk too short for its header");
                }
                bytes = size - 4;
                if (bytes > left) {
                    return refuse("data chunk longer than the file");
                }
            }
            const uint64_t frameBytes = bytesPerSample * channels;
            dataStart = at;
            dataBytes = static_cast<uint64_t>(bytes) / frameBytes * frameBytes;
            position = 0;
            break;
        } else {
            if (size < 0 || size > fileSize - at) {
                return refuse("chunk longer than the file");
            }
            at += size;
            if (stream.seek(at) != at) {
                return refuse("cannot skip a chunk");
            }
        }
    }
    info.channelCount = channels;
    info.sampleRate = static_cast<unsigned>(std::lround(rate));
    info.sampleCount = dataBytes / bytesPerSample;
    return true;
}

void CafReader::seek(sf::Uint64 sampleOffset) {
    const uint64_t samplesInData = dataBytes / bytesPerSample;
    position = std::min<uint64_t>(sampleOffset, samplesInData) * bytesPerSample;
    if (input) {
        input->seek(dataStart + static_cast<int64_t>(position));
    }
}

sf::Uint64 CafReader::read(sf::Int16* samples, sf::Uint64 maxCount) {
    if (!input) {
        return 0;
    }
    sf::Uint64 count = 0;
    unsigned char block[1024];
    while (count < maxCount && position < dataBytes) {
        const uint64_t want =
            std::min({static_cast<uint64_t>(sizeof block / bytesPerSample),
                      static_cast<uint64_t>(maxCount - count), (dataBytes - position) / bytesPerSample});
        const int64_t got = input->read(block, static_cast<int64_t>(want * bytesPerSample));
        if (got <= 0) {
            break;
        }
        const uint64_t whole = static_cast<uint64_t>(got) / bytesPerSample;
        for (uint64_t i = 0; i < whole; ++i) {
            const unsigned char* b = block + i * bytesPerSample;
            if (floatSamples) {
                const uint32_t bitsValue =
                    littleEndian ? (static_cast<uint32_t>(b[3]) << 24 | static_cast<uint32_t>(b[2]) << 16 |
                                    static_cast<uint32_t>(b[1]) << 8 | b[0])
                                 : big32(b);
                float value;
                std::memcpy(&value, &bitsValue, sizeof value);
                if (!(value == value)) {
                    value = 0.0f;  // NaN
                }
                const float clamped = value < -1.0f ? -1.0f : value > 1.0f ? 1.0f : value;
                samples[count + i] = static_cast<sf::Int16>(std::lround(clamped * 32767.0f));
            } else {
                const unsigned lo = littleEndian ? b[0] : b[1], hi = littleEndian ? b[1] : b[0];
                samples[count + i] = static_cast<sf::Int16>(static_cast<uint16_t>(hi << 8 | lo));
            }
        }
        position += static_cast<uint64_t>(got);
        count += whole;
        if (static_cast<uint64_t>(got) < want * bytesPerSample) {
            break;  // the file ended early
        }
    }
    return count;
}
