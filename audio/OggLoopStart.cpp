#include "audio/OggLoopStart.h"

#include <cctype>
#include <cstring>

namespace {

// The comment header is kept up to this length; a comment further in is not looked for.
constexpr size_t kHeaderLimit = 16384;

uint32_t little32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

// A Vorbis comment header: packet type 3, "vorbis", the vendor string, then a count of
// "NAME=value" comments, each behind its 32-bit length. Names match without regard to case.
LoopTag findLoopStart(const unsigned char* packet, size_t size, uint64_t& frames) {
    if (size < 11 || packet[0] != 3 || std::memcmp(packet + 1, "vorbis", 6) != 0) {
        return LoopTag::Absent;
    }
    size_t at = 7;
    const uint32_t vendor = little32(packet + at);
    if (vendor > size - at - 4 || size - at - 4 - vendor < 4) {
        return LoopTag::Absent;
    }
    at += 4 + vendor;
    const uint32_t count = little32(packet + at);
    at += 4;
    static const char kName[] = "LOOPSTART=";
    const size_t nameLength = sizeof kName - 1;
    for (uint32_t i = 0; i < count && size - at >= 4; ++i) {
        const uint32_t length = little32(packet + at);
        at += 4;
        if (length > size - at) {
            return LoopTag::Absent;
        }
        const unsigned char* comment = packet + at;
        at += length;
        bool named = length >= nameLength;
        for (size_t c = 0; named && c < nameLength; ++c) {
            named = std::toupper(comment[c]) == kName[c];
        }
        if (!named) {
            continue;
        }
        // Decimal digits only, and few enough that the number fits.
        const size_t digits = length - nameLength;
        if (digits == 0 || digits > 18) {
            return LoopTag::Malformed;
        }
        uint64_t value = 0;
        for (size_t c = nameLength; c < length; ++c) {
            if (!std::isdigit(comment[c])) {
                return LoopTag::Malformed;
            }
            value = value * 10 + static_cast<uint64_t>(comment[c] - '0');
        }
        frames = value;
        return LoopTag::Found;
    }
    return LoopTag::Absent;
}

}  // namespace

// An Ogg page: "OggS", version, flags, granule position (8), serial (4), sequence (4), checksum
// (4), the segment count and that many segment lengths, then the segments. A packet is a run of
// segments ended by one shorter than 255 bytes, and may continue onto the next page.
LoopTag readLoopStart(sf::InputStream& stream, uint64_t& frames) {
    unsigned char packet[kHeaderLimit];
    size_t kept = 0;
    int packetIndex = 0;  // 0: the identification header, 1: the comments
    if (stream.seek(0) != 0) {
        return LoopTag::Absent;
    }
    // The two headers lie on the first pages; a few more allow for a long comment header.
    for (int page = 0; page < 64; ++page) {
        unsigned char header[27];
        unsigned char lengths[255];
        if (stream.read(header, 27) != 27 || std::memcmp(header, "OggS", 4) != 0 || header[4] != 0) {
            return LoopTag::Absent;
        }
        const int segments = header[26];
        if (stream.read(lengths, segments) != segments) {
            return LoopTag::Absent;
        }
        for (int s = 0; s < segments; ++s) {
            const size_t length = lengths[s];
            if (packetIndex == 1 && kept + length <= kHeaderLimit) {
                if (stream.read(packet + kept, static_cast<sf::Int64>(length)) !=
                    static_cast<sf::Int64>(length)) {
                    return LoopTag::Absent;
                }
                kept += length;
            } else {
                const sf::Int64 at = stream.tell();
                if (at < 0 ||
                    stream.seek(at + static_cast<sf::Int64>(length)) != at + static_cast<sf::Int64>(length)) {
                    return LoopTag::Absent;
                }
            }
            if (length < 255 && ++packetIndex == 2) {
                return findLoopStart(packet, kept, frames);
            }
        }
    }
    return LoopTag::Absent;
}
