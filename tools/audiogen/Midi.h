#pragma once
// Standard MIDI Files as a track's notes: a composer writes in any sequencer, and the track
// source names the file and which channel each of the generator's voices plays.

#include <cstdint>
#include <string>
#include <vector>

namespace audiogen {

// One note as the file holds it, in ticks from the song's start.
struct MidiNote {
    int channel = 0;  // 0 .. 15 (a sequencer shows 1 .. 16)
    int key = 0;      // 0 .. 127
    int velocity = 0;
    uint64_t start = 0, end = 0;
};

struct MidiTempo {
    uint64_t tick = 0;
    double bpm = 120.0;
};

struct MidiFile {
    int format = 0;
    int ticksPerQuarter = 0;
    std::vector<MidiNote> notes;    // every track's, in the order they start
    std::vector<MidiTempo> tempos;  // in order of their ticks
    uint64_t endTick = 0;           // the latest end of a track
    std::string metre;              // "3/4" when some time signature is not four quarter notes
};

// Reads a Standard MIDI File (format 0 or 1, ticks-per-quarter division) from its bytes.
// Returns false with `error` saying what is wrong when the bytes are not such a file or are
// damaged; never reads past the bytes it is given.
bool parseMidi(const std::string& bytes, MidiFile& out, std::string& error);

// A track source that says `midi FILE` (read from `sourceDir`), `channel N VOICE` and
// optionally `loopbar N` is rewritten as a plain note source: the file's notes become
// phrases, drum lines, sections and a song line, after the source's own lines (which keep
// their line numbers). A source without a `midi` line is returned as it is. Problems a
// composer should hear about but that do not stop the track (a mapped channel with no
// notes, drum keys with no drum letter) go to `warnings`, or to the error stream without it.
bool expandMidiSource(const std::string& sourceText, const std::string& sourceDir, std::string& expanded,
                      std::string& error, std::vector<std::string>* warnings = nullptr);

}  // namespace audiogen
