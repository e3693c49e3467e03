// A track whose notes come from a MIDI file the test writes byte by byte (format 1: a tempo
// track, a melody on channel 1 and drums on channel 10, running status throughout): what a
// composer hears of it, and the damaged files the reader refuses.

#include <gtest/gtest.h>

#include <fstream>

#include "AudioGen.h"
#include "Midi.h"

using namespace audiogen;
using namespace std::string_literals;

namespace {

using Bytes = std::string;

Bytes be(uint32_t value, int count) {
    Bytes out;
    for (int i = count - 1; i >= 0; --i) {
        out += static_cast<char>(value >> (8 * i) & 0xff);
    }
    return out;
}

Bytes delta(uint32_t ticks) {
    Bytes out(1, static_cast<char>(ticks & 0x7f));
    while (ticks >>= 7) {
        out.insert(out.begin(), static_cast<char>(0x80 | (ticks & 0x7f)));
    }
    return out;
}

Bytes chunk(const char* type, const Bytes& body) {
    return type + be(static_cast<uint32_t>(body.size()), 4) + body;
}
Bytes header(int format, int tracks, int division) {
    return chunk("MThd", be(format, 2) + be(tracks, 2) + be(division, 2));
}
const Bytes kEnd = delta(0) + "\xff\x2f\x00"s;
Bytes tempo(uint32_t ticks, double bpm) {
    return delta(ticks) + "\xff\x51\x03" + be(uint32_t(60e6 / bpm), 3);
}

constexpr int kTpq = 96;                 // ticks a quarter note
const int kMelody[] = {60, 63, 66, 69};  // c4 d#4 f#4 a4: no one a harmonic of another

// Bars 1-2 at 100 a minute, then 150: a melody of quarter notes (bar 3's first beat a chord),
// a kick on every beat. Note-offs are note-ons of velocity 0 under running status; a sysex
// in the melody's track ends the running status and is skipped.
Bytes song() {
    const Bytes tempos =
        tempo(0, 100) + delta(0) + "\xff\x58\x04\x04\x02\x18\x08" + tempo(8 * kTpq, 150) + kEnd;
    Bytes melody = delta(0) + "\xf0\x03\x7e\x7f\xf7";
    for (int beat = 0; beat < 8; ++beat) {
        melody += delta(beat == 0 ? 0 : kTpq / 4) + (beat == 0 ? "\x90" : "") +
                  Bytes{char(kMelody[beat % 4]), char(beat == 2 ? 120 : 90)};
        melody += delta(kTpq * 3 / 4) + Bytes{char(kMelody[beat % 4]), 0};
    }
    melody += delta(kTpq / 4) + Bytes{char(60), 90, 0, char(69), 90} + delta(kTpq * 2) +
              Bytes{char(60), 0, 0, char(69), 0};
    Bytes drums;
    for (int beat = 0; beat < 16; ++beat) {
        drums += delta(beat == 0 ? 0 : kTpq - 10) + (beat == 0 ? "\x99" : "") + "\x24\x70" + delta(10) +
                 "\x24\x00"s;
    }
    return header(1, 3, kTpq) + chunk("MTrk", tempos) + chunk("MTrk", melody + kEnd) +
           chunk("MTrk", drums + kEnd);
}

std::string writeMidi(const std::string& name, const Bytes& bytes) {
    std::ofstream(::testing::TempDir() + name, std::ios::binary) << bytes;
    return name;
}

// The power of one frequency over a stretch of seconds (both sides summed).
double power(const Stereo& track, double hz, double from, double to) {
    double re = 0.0, im = 0.0;
    const size_t a = static_cast<size_t>(from * kRate), b = static_cast<size_t>(to * kRate);
    for (size_t i = a; i < b; ++i) {
        const double phase = 2.0 * kPi * hz * static_cast<double>(i) / kRate;
        re += (track.left[i] + track.right[i]) * std::cos(phase);
        im += (track.left[i] + track.right[i]) * std::sin(phase);
    }
    return (re * re + im * im) / static_cast<double>((b - a) * (b - a));
}

// The level below 150 Hz over a stretch, where only the kick plays.
double lowLevel(const Stereo& track, double from, double to) {
    Filter filter;
    double sum = 0.0;
    const size_t a = static_cast<size_t>(from * kRate), b = static_cast<size_t>(to * kRate);
    for (size_t i = a - 2000; i < b; ++i) {
        filter.run(track.left[i] + track.right[i], 150.0, 0.7);
        sum += i >= a ? filter.low * filter.low : 0.0;
    }
    return sum / static_cast<double>(b - a);
}

// Seconds from the start to a quarter note: 8 beats at 100 a minute, then 150.
double beatSeconds(double beat) {
    return beat <= 8 ? beat * 0.6 : 4.8 + (beat - 8) * 0.4;
}

const char* const kSource = "midi song.mid\nchannel 1 lead\nchannel 10 drums\nloopbar 2\n";

}  // namespace

TEST(MidiTrack, MelodyKicksTempoAndLoopSoundAsTheFileWrites) {
    writeMidi("song.mid", song());
    RenderedTrack track;
    std::string error;
    ASSERT_TRUE(renderTrack(kSource, ::testing::TempDir(), track, error)) << error;

    // Four bars: two at 100 a minute, two at 150; the body loops from bar 2.
    EXPECT_NEAR(static_cast<double>(track.audio.frames()) / kRate, 4.8 + 3.2, 0.01);
    EXPECT_NEAR(static_cast<double>(track.loopStart) / kRate, 2.4, 0.001);

    // Each melody note's pitch sounds from its beat on: not in the beat before it, and above
    // the pitch that comes next. (The note before may still ring.)
    auto heard = [&](int key, double beat) {
        return power(track.audio, midiToHz(key), beatSeconds(beat) + 0.05, beatSeconds(beat) + 0.4);
    };
    for (int beat = 1; beat < 8; ++beat) {
        const int key = kMelody[beat % 4], next = kMelody[(beat + 1) % 4];
        EXPECT_GT(heard(key, beat), 8.0 * heard(key, beat - 1)) << "beat " << beat;
        EXPECT_GT(heard(key, beat), 8.0 * heard(next, beat)) << "beat " << beat;
    }
    // The chord on bar 3's first beat sounds as its top note on the one-note lead.
    EXPECT_LT(8.0 * heard(60, 8), heard(60, 4));
    EXPECT_GT(heard(69, 8), 0.5 * heard(69, 3));

    // A kick on every beat at the file's tempo, and none halfway between beats.
    for (double beat = 1; beat < 16; ++beat) {  // the first lies under the loop's folded tail
        const double on = lowLevel(track.audio, beatSeconds(beat), beatSeconds(beat) + 0.06);
        const double between =
            lowLevel(track.audio, beatSeconds(beat - 0.5) + 0.1, beatSeconds(beat - 0.5) + 0.16);
        EXPECT_GT(on, 4.0 * between) << "beat " << beat;
    }

    // A tempo the source names holds for the whole song instead of the file's.
    ASSERT_TRUE(renderTrack("tempo 150\n"s + kSource, ::testing::TempDir(), track, error)) << error;
    EXPECT_NEAR(static_cast<double>(track.audio.frames()) / kRate, 4 * 1.6, 0.01);
}

TEST(MidiTrack, DamagedFilesAreRefusedWithTheirFault) {
    const Bytes track = chunk("MTrk", delta(0) + "\x90\x3c\x40" + kEnd);
    const struct {
        Bytes bytes;
        const char* says;
    } cases[] = {
        {"RIFF\x10\0\0\0WAVEfmt "s, "not a MIDI file"},
        {"MThd\0\0\0\x06\0\x01"s, "cut short"},
        {header(1, 2, kTpq) + track, "promises 2 tracks"},
        {header(0, 1, kTpq) + "MTrk" + be(400, 4) + delta(0) + kEnd, "past the end of the file"},
        {header(0, 1, 0xe728), "SMPTE"},
        {header(2, 1, kTpq) + track, "format 2"},
        {header(0, 1, kTpq) + chunk("MTrk", delta(0) + "\x3c\x40" + kEnd), "no status"},
        {header(0, 1, kTpq) + chunk("MTrk", delta(0) + "\x90\x3c\x40"), "end-of-track"},
        {header(0, 1, kTpq) + chunk("MTrk", delta(0) + "\xff\x01\x40text" + kEnd), "length runs past"},
        {header(0, 1, kTpq) + chunk("MTrk", delta(0) + "\xf0\x20\x7e" + kEnd), "length runs past"},
        {header(0, 1, kTpq) + chunk("MTrk", "\xff\xff\xff\xff\x7f" + kEnd), "time"},
        {header(0, 1, kTpq) + chunk("MTrk", tempo(0, 40) + delta(200 * 4 * kTpq) + "\xff\x2f\x00"s),
         "lasts 1200 s"},
    };
    for (const auto& bad : cases) {
        writeMidi("bad.mid", bad.bytes);
        std::string expanded, error;
        EXPECT_FALSE(
            expandMidiSource("midi bad.mid\nchannel 1 lead\n", ::testing::TempDir(), expanded, error));
        EXPECT_NE(error.find("bad.mid: "), std::string::npos) << error;
        EXPECT_NE(error.find(bad.says), std::string::npos) << error;
    }

    // Every cut of a good file is refused, and none is read past its end.
    MidiFile midi;
    std::string error;
    const Bytes whole = song();
    ASSERT_TRUE(parseMidi(whole, midi, error)) << error;
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(parseMidi(whole.substr(0, length), midi, error)) << length;
    }
}

TEST(MidiTrack, SourceMistakesAreNamedAndAnEmptyChannelWarns) {
    writeMidi("song.mid", song());
    const struct {
        std::string source;
        const char* says;
    } cases[] = {
        {"midi missing.mid\nchannel 1 lead\n", "cannot read"},
        {"midi song.mid\nchannel 1 piano\n", "line 2: unknown voice"},
        {"midi song.mid\nchannel 17 lead\n", "line 2: channel must read"},
        {"midi song.mid\nchannel 1 lead\nchannel 2 lead\n", "already plays channel 1"},
        {"midi song.mid\nchannel 1 lead\nloopbar 9\n", "past the song's end (4 bars)"},
        {"midi song.mid\n", "no channel is mapped"},
        {"channel 1 lead\n", "need a 'midi' line"},
        {"midi song.mid\nchannel 1 lead\nsong A\n", "line 3: a track that reads a MIDI file"},
    };
    for (const auto& bad : cases) {
        std::string expanded, error;
        EXPECT_FALSE(expandMidiSource(bad.source, ::testing::TempDir(), expanded, error)) << bad.source;
        EXPECT_NE(error.find(bad.says), std::string::npos) << error;
    }
    std::string expanded, error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(expandMidiSource("midi song.mid\nchannel 1 lead\nchannel 3 bass\n", ::testing::TempDir(),
                                 expanded, error, &warnings));
    ASSERT_EQ(warnings.size(), 2u);  // channel 3 is empty, channel 10's drums play no voice
    EXPECT_NE(warnings[0].find("channel 10 holds 16 notes"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("channel 3 (bass) holds no notes"), std::string::npos) << warnings[1];
}
