// Fuzzes the MIDI note source with arbitrary bytes as the file a track names: the reader must
// refuse or read it without reading past the bytes, hand back only notes a channel can hold,
// and turn what it read into a note source without fault.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tools/audiogen/Midi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    audiogen::MidiFile midi;
    std::string error;
    if (!audiogen::parseMidi(bytes, midi, error)) {
        return 0;
    }
    for (const audiogen::MidiNote& note : midi.notes) {
        if (note.channel < 0 || note.channel > 15 || note.key < 0 || note.key > 127 ||
            note.end < note.start) {
            std::abort();
        }
    }
    // The whole source, as a track would name the file.
    static const std::string path = "/tmp/orvale_midi_fuzz_" + std::to_string(getpid()) + ".mid";
    std::ofstream(path, std::ios::binary) << bytes;
    std::string expanded;
    std::vector<std::string> warnings;
    audiogen::expandMidiSource(
        "midi " + path + "\nchannel 1 lead\nchannel 2 bass\nchannel 10 drums\nloopbar 2\n", "/", expanded,
        error, &warnings);
    return 0;
}
