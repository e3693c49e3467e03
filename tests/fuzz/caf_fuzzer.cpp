// Fuzzes the CAF reader with arbitrary bytes: it must refuse or decode without reading past
// the input, and never return more samples than its header promised.

#include <SFML/System/MemoryInputStream.hpp>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/CafReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sf::MemoryInputStream stream;
    stream.open(data, size);
    CafReader reader;
    sf::SoundFileReader::Info info{};
    if (!reader.open(stream, info)) {
        return 0;
    }
    if (info.channelCount < 1 || info.channelCount > 2 || info.sampleCount > size) {
        std::abort();  // a promise the bytes cannot keep
    }
    std::vector<sf::Int16> samples(997);
    sf::Uint64 total = 0, got;
    while ((got = reader.read(samples.data(), samples.size())) > 0) {
        total += got;
    }
    if (total > info.sampleCount) {
        std::abort();
    }
    reader.seek(info.sampleCount / 2);
    reader.read(samples.data(), samples.size());
    return 0;
}
