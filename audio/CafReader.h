#pragma once
// Decodes Core Audio Format files holding linear PCM (16-bit integers or 32-bit floats, either
// byte order, one or two channels) for the audio library's sound-file factory, so effects keep
// their ".caf" names. A header that lies (a data chunk longer than the file, no channels, a
// format this reader does not know) is refused with one console line; reads never go past the
// data chunk.

#include <SFML/Audio/SoundFileReader.hpp>

#include <cstdint>

class CafReader : public sf::SoundFileReader {
  public:
    // Whether the stream starts like a CAF file; the factory asks before it picks a reader.
    static bool check(sf::InputStream& stream);
    // Registers the reader with the factory, once per process.
    static void registerWithFactory();

    bool open(sf::InputStream& stream, Info& info) override;
    void seek(sf::Uint64 sampleOffset) override;
    sf::Uint64 read(sf::Int16* samples, sf::Uint64 maxCount) override;

  private:
    sf::InputStream* input = nullptr;
    int64_t dataStart = 0;   // byte offset of the first sample in the stream
    uint64_t dataBytes = 0;  // bytes of whole frames in the data chunk
    uint64_t position = 0;   // bytes of the data chunk consumed so far
    unsigned bytesPerSample = 2;
    bool floatSamples = false;
    bool littleEndian = true;
};
