// The MIDI note source: reads a Standard MIDI File and writes its notes as the note-source
// language (tracks/README.md), so the renderer plays them like any hand-written track.

#include "Midi.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace audiogen {

namespace {

constexpr int kStepsPerBar = 16;
// A longer song would not fit the renderer's buffers; no track of the game comes near it.
constexpr uint64_t kMaxBars = 300;
constexpr double kMaxSeconds = 600.0;
constexpr size_t kMaxFileBytes = 4u << 20;

// --- Reading the file -----------------------------------------------------------------------

// A cursor over the file's bytes that refuses to step past `end`.
struct Bytes {
    const unsigned char* at;
    const unsigned char* end;

    size_t left() const { return static_cast<size_t>(end - at); }
    bool take(uint32_t& value, int count) {
        if (left() < static_cast<size_t>(count)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < count; ++i) {
            value = value << 8 | *at++;
        }
        return true;
    }
    // A variable-length quantity: seven bits a byte, the high bit set on all but the last,
    // at most four bytes.
    bool quantity(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (at == end) {
                return false;
            }
            const unsigned char byte = *at++;
            value = value << 7 | (byte & 0x7f);
            if (!(byte & 0x80)) {
                return true;
            }
        }
        return false;
    }
};

// The notes sounding on one track: the tick each key of each channel was struck, or none.
struct OpenNotes {
    static constexpr uint64_t kSilent = UINT64_MAX;
    uint64_t start[16][128];
    int velocity[16][128];
    OpenNotes() { std::fill(&start[0][0], &start[0][0] + 16 * 128, kSilent); }

    void close(int channel, int key, uint64_t tick, std::vector<MidiNote>& notes) {
        if (start[channel][key] == kSilent) {
            return;
        }
        MidiNote note;
        note.channel = channel;
        note.key = key;
        note.velocity = velocity[channel][key];
        note.start = start[channel][key];
        note.end = tick;
        notes.push_back(note);
        start[channel][key] = kSilent;
    }
};

bool readTrack(Bytes track, int number, MidiFile& out, std::string& error) {
    auto fail = [&](const std::string& why) {
        error = "track " + std::to_string(number) + ": " + why;
        return false;
    };
    OpenNotes open;
    uint64_t tick = 0;
    int status = 0;  // the running status: 0 when none is in effect
    bool ended = false;
    while (!ended) {
        uint32_t delta;
        if (!track.quantity(delta)) {
            return fail("ends inside an event's time (no end-of-track event)");
        }
        tick += delta;
        if (track.left() == 0) {
            return fail("ends before its end-of-track event");
        }
        if (*track.at & 0x80) {
            status = *track.at++;
        } else if (status == 0) {
            return fail("a data byte with no status before it");
        }
        if (status >= 0x80 && status < 0xf0) {
            const int kind = status & 0xf0, channel = status & 0x0f;
            const int count = kind == 0xc0 || kind == 0xd0 ? 1 : 2;
            if (track.left() < static_cast<size_t>(count)) {
                return fail("ends inside a channel message");
            }
            const int data1 = track.at[0], data2 = count == 2 ? track.at[1] : 0;
            track.at += count;
            if ((data1 | data2) & 0x80) {
                return fail("a channel message's data byte has its high bit set");
            }
            if (kind == 0x90 || kind == 0x80) {
                // Any strike or release ends the note sounding on that key; a strike with
                // velocity 0 is a release.
                open.close(channel, data1, tick, out.notes);
                if (kind == 0x90 && data2 > 0) {
                    open.start[channel][data1] = tick;
                    open.velocity[channel][data1] = data2;
                }
            }
            continue;
        }
        // System exclusive and meta events carry their own lengths and end the running status.
        const int system = status;
        status = 0;
        uint32_t type = 0, length;
        if (system == 0xff && !track.take(type, 1)) {
            return fail("ends inside a meta event");
        }
        if (system != 0xff && system != 0xf0 && system != 0xf7) {
            char what[48];
            std::snprintf(what, sizeof what, "status byte 0x%02X has no place in a file", system);
            return fail(what);
        }
        if (!track.quantity(length) || track.left() < length) {
            return fail("an event's length runs past the track's end");
        }
        if (system == 0xff && type == 0x51) {
            if (length != 3) {
                return fail("a tempo event of " + std::to_string(length) + " bytes (3 expected)");
            }
            const uint32_t micros = uint32_t{track.at[0]} << 16 | uint32_t{track.at[1]} << 8 | track.at[2];
            if (micros == 0) {
                return fail("a tempo of 0 microseconds a beat");
            }
            out.tempos.push_back(MidiTempo{tick, 60e6 / micros});
        }
        if (system == 0xff && type == 0x58 && length >= 2 && track.at[1] < 8 &&
            track.at[0] != 1 << track.at[1] && out.metre.empty()) {
            out.metre = std::to_string(track.at[0]) + "/" + std::to_string(1 << track.at[1]);
        }
        ended = system == 0xff && type == 0x2f;
        track.at += length;
    }
    for (int channel = 0; channel < 16; ++channel) {
        for (int key = 0; key < 128; ++key) {
            open.close(channel, key, tick, out.notes);  // notes still held end with the track
        }
    }
    out.endTick = std::max(out.endTick, tick);
    return true;
}

// --- Writing the note source ----------------------------------------------------------------

enum class Voice { Lead, Counter, Bass, Drums };

struct Mapping {
    Voice voice;
    const char* name;
    int channel = -1;  // 0 .. 15, -1 when the source maps none
};

// General MIDI percussion keys and the drum letters that play them; 0 for a key with none.
char drumLetter(int key) {
    static const struct {
        char letter;
        int keys[6];  // 0 ends the row
    } kit[] = {{'k', {35, 36}},         {'s', {37, 38, 40}}, {'p', {39}},
               {'h', {42, 44}},         {'o', {46}},         {'r', {51, 59}},
               {'c', {49, 52, 55, 57}}, {'l', {41, 43}},     {'t', {45, 47}},
               {'u', {48, 50}},         {'b', {54}},         {'e', {69, 70}},
               {'m', {53, 56, 80, 81}}};
    for (const auto& row : kit) {
        for (int each : row.keys) {
            if (each != 0 && each == key) {
                return row.letter;
            }
        }
    }
    return 0;
}

std::string pitchName(int key) {
    static const char* const names[] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
    return names[key % 12] + std::to_string(key / 12 - 1);
}

// A note in sixteenth steps from the song's start.
struct StepNote {
    int key = 0, velocity = 0;
    uint64_t start = 0, end = 0;
};

// The notes of one channel on one monophonic voice: each note ends where the next begins, and
// of notes struck together the lead keeps the highest, the bass the lowest.
std::vector<StepNote> monophonic(std::vector<StepNote> notes, bool keepLowest) {
    std::sort(notes.begin(), notes.end(), [&](const StepNote& a, const StepNote& b) {
        if (a.start != b.start) {
            return a.start < b.start;
        }
        return keepLowest ? a.key < b.key : a.key > b.key;
    });
    std::vector<StepNote> line;
    for (const StepNote& note : notes) {
        if (!line.empty() && line.back().start == note.start) {
            continue;
        }
        if (!line.empty() && line.back().end > note.start) {
            line.back().end = note.start;
        }
        line.push_back(note);
    }
    return line;
}

// The tokens of a phrase playing `line` between two steps: rests fill the gaps, a note
// struck harder than 100 is accented.
std::string phraseTokens(const std::vector<StepNote>& line, uint64_t from, uint64_t to, bool& any) {
    std::string text;
    uint64_t cursor = from;
    any = false;
    for (const StepNote& note : line) {
        if (note.start < from || note.start >= to) {
            continue;
        }
        if (note.start > cursor) {
            text += " r:" + std::to_string(note.start - cursor);
        }
        const uint64_t end = std::min(note.end, to);
        text += " " + pitchName(note.key) + (note.velocity > 100 ? "!" : "") + ":" +
                std::to_string(end - note.start);
        cursor = end;
        any = true;
    }
    if (cursor < to) {
        text += " r:" + std::to_string(to - cursor);
    }
    return text;
}

// Strips a comment: '#' at the start of a line or after a space ("g#5" is a note).
std::string withoutComment(std::string line) {
    for (size_t hash = line.find('#'); hash != std::string::npos; hash = line.find('#', hash + 1)) {
        if (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t') {
            line.erase(hash);
            break;
        }
    }
    return line;
}

std::string formatTempo(double bpm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", bpm);
    return text;
}

}  // namespace

bool parseMidi(const std::string& bytes, MidiFile& out, std::string& error) {
    out = MidiFile{};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    Bytes file{data, data + bytes.size()};
    uint32_t length = 0, format = 0, tracks = 0, division = 0;
    if (bytes.compare(0, 4, "MThd") != 0) {
        error = "not a MIDI file (it does not start with \"MThd\")";
        return false;
    }
    file.at += 4;
    if (!file.take(length, 4) || length < 6 || file.left() < length) {
        error = "the header chunk is cut short";
        return false;
    }
    const unsigned char* afterHeader = file.at + length;
    file.take(format, 2);
    file.take(tracks, 2);
    file.take(division, 2);
    file.at = afterHeader;
    if (format > 1) {
        error = "format " + std::to_string(format) + " is not read (only formats 0 and 1)";
        return false;
    }
    if (division & 0x8000) {
        error = "its time is counted in SMPTE frames; save it with ticks per quarter note";
        return false;
    }
    if (division == 0) {
        error = "a division of 0 ticks per quarter note";
        return false;
    }
    out.format = static_cast<int>(format);
    out.ticksPerQuarter = static_cast<int>(division);
    uint32_t found = 0;
    while (found < tracks) {
        if (file.left() < 8) {
            error = "cut short: the header promises " + std::to_string(tracks) + " tracks, the file holds " +
                    std::to_string(found);
            return false;
        }
        const bool isTrack = std::equal(file.at, file.at + 4, "MTrk");
        file.at += 4;
        file.take(length, 4);
        if (file.left() < length) {
            error = "a chunk's length (" + std::to_string(length) + " bytes) runs past the end of the file";
            return false;
        }
        // Chunks of other kinds are skipped, as the format asks of readers.
        if (isTrack &&
            !readTrack(Bytes{file.at, file.at + length}, static_cast<int>(found) + 1, out, error)) {
            return false;
        }
        file.at += length;
        found += isTrack ? 1 : 0;
    }
    std::stable_sort(out.notes.begin(), out.notes.end(),
                     [](const MidiNote& a, const MidiNote& b) { return a.start < b.start; });
    std::stable_sort(out.tempos.begin(), out.tempos.end(),
                     [](const MidiTempo& a, const MidiTempo& b) { return a.tick < b.tick; });
    return true;
}

namespace {

bool expandInto(const std::string& sourceText, const std::string& sourceDir, std::string& expanded,
                std::string& error, std::vector<std::string>& warnings) {
    Mapping voices[] = {
        {Voice::Lead, "lead"}, {Voice::Counter, "counter"}, {Voice::Bass, "bass"}, {Voice::Drums, "drums"}};
    std::string fileName;
    long loopBar = 1;
    bool sourceTempo = false;
    int formLine = 0;  // the first line naming a section or the song
    std::ostringstream kept;
    std::istringstream in(sourceText);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    // The source's lines that speak of the file are read here and left blank for the parser,
    // so the rest keep their numbers.
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(withoutComment(line));
        std::string key, value, extra;
        words >> key >> value;
        if (key == "midi") {
            const std::string rest = withoutComment(line);
            const size_t from = rest.find_first_not_of(" \t", rest.find("midi") + 4);
            const size_t to = rest.find_last_not_of(" \t\r");
            if (from == std::string::npos || !fileName.empty()) {
                return fail(fileName.empty() ? "'midi' needs a file name" : "a second 'midi' line");
            }
            fileName = rest.substr(from, to + 1 - from);
            line.clear();
        } else if (key == "channel") {
            const long channel = std::strtol(value.c_str(), nullptr, 10);
            words >> extra;
            if (channel < 1 || channel > 16) {
                return fail("channel must read 'channel N VOICE', N in 1 .. 16");
            }
            Mapping* mapping = std::find_if(std::begin(voices), std::end(voices),
                                            [&](const Mapping& m) { return extra == m.name; });
            if (mapping == std::end(voices)) {
                return fail("unknown voice '" + extra + "' (lead, counter, bass or drums)");
            }
            if (mapping->channel >= 0) {
                return fail("voice " + extra + " already plays channel " +
                            std::to_string(mapping->channel + 1));
            }
            mapping->channel = static_cast<int>(channel) - 1;
            line.clear();
        } else if (key == "loopbar") {
            loopBar = std::strtol(value.c_str(), nullptr, 10);
            if (loopBar < 1) {
                return fail("loopbar needs a bar number from 1");
            }
            line.clear();
        } else if (key == "tempo") {
            sourceTempo = true;
        } else if ((key == "section" || key == "song") && formLine == 0) {
            formLine = number;
        }
        kept << line << '\n';
    }
    const bool mapped =
        std::any_of(std::begin(voices), std::end(voices), [](const Mapping& m) { return m.channel >= 0; });
    if (fileName.empty()) {
        if (mapped || loopBar != 1) {
            error = "'channel' and 'loopbar' need a 'midi' line naming the file";
            return false;
        }
        expanded = sourceText;
        return true;
    }
    if (formLine > 0) {
        number = formLine;
        return fail("a track that reads a MIDI file takes its sections and song from the file");
    }
    if (!mapped) {
        error = fileName + ": no channel is mapped to a voice ('channel N VOICE')";
        return false;
    }

    const std::string path = !fileName.empty() && fileName[0] == '/' ? fileName : sourceDir + "/" + fileName;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = fileName + ": cannot read " + path;
        return false;
    }
    const std::streamoff size = file.seekg(0, std::ios::end).tellg();
    if (size < 0 || static_cast<uint64_t>(size) > kMaxFileBytes) {
        error =
            fileName + ": larger than a song's notes can be (" + std::to_string(kMaxFileBytes) + " bytes)";
        return false;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    file.seekg(0).read(&bytes[0], size);
    bytes.resize(static_cast<size_t>(file.gcount()));
    MidiFile midi;
    if (!parseMidi(bytes, midi, error)) {
        error = fileName + ": " + error;
        return false;
    }
    const auto named = [&](const std::string& why) { return fileName + ": " + why; };

    if (!midi.metre.empty()) {
        warnings.push_back(
            named("its metre is " + midi.metre + "; bars here are counted as four quarter notes"));
    }
    // Ticks to sixteenth steps, to the nearest.
    const uint64_t tpq = static_cast<uint64_t>(midi.ticksPerQuarter);
    auto step = [&](uint64_t tick) { return (tick * 4 + tpq / 2) / tpq; };
    uint64_t lastStep = step(midi.endTick);
    for (const MidiNote& note : midi.notes) {
        lastStep = std::max(lastStep, step(note.end));
    }
    const uint64_t bars = std::max<uint64_t>(1, (lastStep + kStepsPerBar - 1) / kStepsPerBar);
    if (bars > kMaxBars) {
        error = named("the song runs " + std::to_string(bars) + " bars, more than the " +
                      std::to_string(kMaxBars) + " a track may hold");
        return false;
    }
    if (static_cast<uint64_t>(loopBar) > bars) {
        error = named("loopbar " + std::to_string(loopBar) + " is past the song's end (" +
                      std::to_string(bars) + (bars == 1 ? " bar)" : " bars)"));
        return false;
    }

    // The tempo of each bar: a change takes effect from the nearest bar line; before the
    // file's first tempo event the beat is the format's 120 a minute. A tempo the source
    // names holds for the whole song.
    std::vector<double> barTempo(bars, 120.0);
    if (!sourceTempo) {
        for (const MidiTempo& tempo : midi.tempos) {
            const uint64_t bar = (step(tempo.tick) + kStepsPerBar / 2) / kStepsPerBar;
            if (tempo.bpm < 40.0 || tempo.bpm > 300.0) {
                error = named("a tempo of " + formatTempo(tempo.bpm) + " beats a minute at bar " +
                              std::to_string(bar + 1) + " (40 .. 300 are played)");
                return false;
            }
            std::fill(barTempo.begin() + static_cast<long>(std::min(bar, bars)), barTempo.end(), tempo.bpm);
        }
    }
    double seconds = 0.0;
    for (double bpm : barTempo) {
        seconds += 4 * 60.0 / bpm;
    }
    if (seconds > kMaxSeconds) {
        error = named("the song lasts " + std::to_string(static_cast<int>(seconds)) + " s, more than the " +
                      std::to_string(static_cast<int>(kMaxSeconds)) + " a track may");
        return false;
    }

    // Each channel's notes in steps; every note lasts at least a step.
    std::vector<StepNote> channelNotes[16];
    for (const MidiNote& note : midi.notes) {
        StepNote s;
        s.key = note.key;
        s.velocity = note.velocity;
        s.start = step(note.start);
        s.end = std::max(s.start + 1, step(note.end));
        channelNotes[note.channel].push_back(s);
    }
    for (int channel = 0; channel < 16; ++channel) {
        const bool used = std::any_of(std::begin(voices), std::end(voices),
                                      [&](const Mapping& m) { return m.channel == channel; });
        if (!used && !channelNotes[channel].empty()) {
            warnings.push_back(named("channel " + std::to_string(channel + 1) + " holds " +
                                     std::to_string(channelNotes[channel].size()) +
                                     " notes but plays no voice"));
        }
    }
    std::vector<StepNote> lines[3];
    for (const Mapping& m : voices) {
        if (m.channel < 0) {
            continue;
        }
        if (channelNotes[m.channel].empty()) {
            warnings.push_back(
                named("channel " + std::to_string(m.channel + 1) + " (" + m.name + ") holds no notes"));
            continue;
        }
        if (m.voice == Voice::Drums) {
            continue;
        }
        std::vector<StepNote> notes = channelNotes[m.channel];
        bool raised = false;
        for (StepNote& note : notes) {
            while (note.key < 12) {  // the note names start at c0
                note.key += 12;
                raised = true;
            }
        }
        if (raised) {
            warnings.push_back(
                named("channel " + std::to_string(m.channel + 1) + ": notes below c0 raised an octave"));
        }
        lines[static_cast<int>(m.voice)] = monophonic(notes, m.voice == Voice::Bass);
    }

    // Sections: a new one at the loop's bar and wherever the tempo changes.
    std::vector<uint64_t> starts{0};
    for (uint64_t bar = 1; bar < bars; ++bar) {
        if (bar + 1 == static_cast<uint64_t>(loopBar) || barTempo[bar] != barTempo[bar - 1]) {
            starts.push_back(bar);
        }
    }
    starts.push_back(bars);

    std::ostringstream text;
    text << kept.str() << "# the notes of " << fileName << "\n";
    if (!sourceTempo) {
        text << "tempo " << formatTempo(barTempo[0]) << "\n";
    }
    text << "progression midi_chords C\n";
    int drumsWithoutLetter = 0, firstWithoutLetter = -1;
    std::string song = "song";
    for (size_t index = 0; index + 1 < starts.size(); ++index) {
        const std::string id = std::to_string(index + 1);
        const uint64_t from = starts[index] * kStepsPerBar, to = starts[index + 1] * kStepsPerBar;
        std::string section = "section midi_" + id + " " + std::to_string(starts[index + 1] - starts[index]) +
                              " chords=midi_chords crash=0";
        if (!sourceTempo && barTempo[starts[index]] != barTempo[0]) {
            section += " tempo=" + formatTempo(barTempo[starts[index]]);
        }
        for (const Mapping& m : voices) {
            if (m.channel < 0) {
                continue;
            }
            if (m.voice == Voice::Drums) {
                std::map<char, std::string> hits;
                for (const StepNote& note : channelNotes[m.channel]) {
                    if (note.start < from || note.start >= to) {
                        continue;
                    }
                    const char letter = drumLetter(note.key);
                    if (letter == 0) {
                        firstWithoutLetter = drumsWithoutLetter++ == 0 ? note.key : firstWithoutLetter;
                        continue;
                    }
                    std::string& steps = hits[letter];
                    steps.resize(to - from, '.');
                    char& hit = steps[note.start - from];
                    hit = note.velocity >= 64 || hit == 'x' ? 'x' : 'o';
                }
                if (!hits.empty()) {
                    text << "drums midi_drums_" << id;
                    for (const auto& [letter, steps] : hits) {
                        text << " " << letter << "=" << steps;
                    }
                    text << "\n";
                    section += " drums=midi_drums_" + id;
                }
                continue;
            }
            bool any = false;
            const std::string tokens = phraseTokens(lines[static_cast<int>(m.voice)], from, to, any);
            if (any) {
                const std::string phrase = std::string("midi_") + m.name + "_" + id;
                text << "phrase " << phrase << tokens << "\n";
                section += (m.voice == Voice::Lead      ? " lead="
                            : m.voice == Voice::Counter ? " counter="
                                                        : " bass=") +
                           phrase;
            }
        }
        text << section << "\n";
        song +=
            (index > 0 && starts[index] + 1 == static_cast<uint64_t>(loopBar) ? " | midi_" : " midi_") + id;
    }
    text << song << "\n";
    if (drumsWithoutLetter > 0) {
        warnings.push_back(named(std::to_string(drumsWithoutLetter) +
                                 " drum notes on keys with no drum letter (key " +
                                 std::to_string(firstWithoutLetter) + " the first) are left out"));
    }
    expanded = text.str();
    return true;
}

}  // namespace

bool expandMidiSource(const std::string& sourceText, const std::string& sourceDir, std::string& expanded,
                      std::string& error, std::vector<std::string>* warnings) {
    std::vector<std::string> found;
    const bool read = expandInto(sourceText, sourceDir, expanded, error, found);
    for (const std::string& warning : found) {
        if (warnings) {
            warnings->push_back(warning);
        } else {
            std::fprintf(stderr, "warning: %s\n", warning.c_str());
        }
    }
    return read;
}

}  // namespace audiogen
