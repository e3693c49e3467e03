#pragma once
// Core Audio Format files for the tests, built byte by byte so each field can be made to lie.

#include <cstdint>
#include <string>
#include <vector>

namespace cafttest {

struct CafLayout {
    double rate = 22050.0;
    std::string format = "lpcm";
    uint32_t flags = 2;  // little-endian integers
    uint32_t channels = 1;
    uint32_t bits = 16;
    int64_t dataSizeOverride = 0;  // 0: the true size; -1: "to the end of the file"; else as given
    bool dataBeforeDescription = false;
    std::string trailingChunk;  // a chunk written after the data, for "no read past the data"
};

// A file whose samples are `samples` (one int16 per channel sample, written in the layout's
// byte order, or as floats when the layout says so).
std::string makeCaf(const CafLayout& layout, const std::vector<int16_t>& samples);

}  // namespace cafttest
