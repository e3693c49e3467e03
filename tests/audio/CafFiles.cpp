#include "CafFiles.h"

#include <cstring>

namespace cafttest {

namespace {

void big32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xff));
    }
}

void big64(std::string& out, uint64_t v) {
    big32(out, static_cast<uint32_t>(v >> 32));
    big32(out, static_cast<uint32_t>(v));
}

}  // namespace

std::string makeCaf(const CafLayout& layout, const std::vector<int16_t>& samples) {
    std::string description = "desc";
    big64(description, 32);
    uint64_t rateBits;
    std::memcpy(&rateBits, &layout.rate, sizeof rateBits);
    big64(description, rateBits);
    description += layout.format.substr(0, 4);
    big32(description, layout.flags);
    big32(description, layout.channels * layout.bits / 8);
    big32(description, 1);
    big32(description, layout.channels);
    big32(description, layout.bits);

    std::string payload;
    const bool floats = (layout.flags & 1) != 0, little = (layout.flags & 2) != 0;
    for (int16_t s : samples) {
        uint32_t v;
        int bytes;
        if (floats) {
            const float f = static_cast<float>(s) / 32767.0f;
            std::memcpy(&v, &f, sizeof v);
            bytes = 4;
        } else {
            v = static_cast<uint16_t>(s);
            bytes = 2;
        }
        for (int i = 0; i < bytes; ++i) {
            const int shift = little ? 8 * i : 8 * (bytes - 1 - i);
            payload.push_back(static_cast<char>((v >> shift) & 0xff));
        }
    }
    std::string data = "data";
    const int64_t size =
        layout.dataSizeOverride == 0 ? static_cast<int64_t>(payload.size()) + 4 : layout.dataSizeOverride;
    big64(data, static_cast<uint64_t>(size));
    big32(data, 0);  // edit count
    data += payload;

    std::string file = "caff";
    file += std::string("\x00\x01\x00\x00", 4);
    file += layout.dataBeforeDescription ? data + description : description + data;
    if (!layout.trailingChunk.empty()) {
        file += "free";
        big64(file, layout.trailingChunk.size());
        file += layout.trailingChunk;
    }
    return file;
}

}  // namespace cafttest
