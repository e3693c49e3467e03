// The measurements the music's bars are checked with, on signals whose answers are known:
// a tone of known level, channels that are the same, opposite or unrelated, and windows
// copied from earlier in a track.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "AudioGen.h"

using namespace audiogen;

namespace {

Stereo tone(double seconds, double amplitude, double hz) {
    Stereo out(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < out.frames(); ++i) {
        out.left[i] = out.right[i] = amplitude * std::sin(2.0 * kPi * hz * static_cast<double>(i) / kRate);
    }
    return out;
}

Stereo noise(double seconds, uint32_t seed) {
    Noise source(seed);
    Stereo out(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < out.frames(); ++i) {
        out.left[i] = 0.3 * source.next();
        out.right[i] = 0.3 * source.next();
    }
    return out;
}

// Copies one second-long window of `track` over another, scaled.
void copyWindow(Stereo& track, size_t from, size_t to, double gain) {
    const size_t length = static_cast<size_t>(kRate);
    for (size_t i = 0; i < length; ++i) {
        track.left[to * length + i] = gain * track.left[from * length + i];
        track.right[to * length + i] = gain * track.right[from * length + i];
    }
}

}  // namespace

TEST(MusicMeasure, ToneOfKnownLevelReadsItsLoudnessPeakAndLength) {
    // A 1 kHz sine at half scale on both channels: -6 dBFS peak and, by the loudness
    // standard's calibration, -6 LUFS.
    const Levels levels = measure(tone(10.0, 0.5, 997.0));
    EXPECT_NEAR(levels.peakDb, -6.02, 0.02);
    EXPECT_NEAR(levels.lufs, -6.0, 0.2);
    EXPECT_NEAR(levels.seconds, 10.0, 1e-6);
}

TEST(MusicMeasure, ChannelCorrelationTellsTheSameSignalFromAWideOne) {
    Stereo same = tone(2.0, 0.5, 440.0);
    EXPECT_NEAR(channelCorrelation(same), 1.0, 1e-9);
    Stereo inverted = same;
    for (double& v : inverted.right) {
        v = -v;
    }
    EXPECT_NEAR(channelCorrelation(inverted), -1.0, 1e-9);
    EXPECT_NEAR(channelCorrelation(noise(2.0, 7)), 0.0, 0.02);
    // Silence on one side is no stereo at all, not a division by zero.
    Stereo oneSided = same;
    std::fill(oneSided.right.begin(), oneSided.right.end(), 0.0);
    EXPECT_EQ(channelCorrelation(oneSided), 1.0);
}

TEST(MusicMeasure, RepeatedWindowsCountsCopiesOfEarlierWindowsOnly) {
    Stereo track = noise(8.0, 3);
    EXPECT_EQ(repeatedWindows(track, 1.0, 0.95), 0.0);
    // A copy of window 2 in window 5 repeats it, louder or softer; one of eight windows.
    copyWindow(track, 2, 5, 0.5);
    EXPECT_NEAR(repeatedWindows(track, 1.0, 0.95), 1.0 / 8.0, 1e-9);
    // Window 2 itself came first: only the later copy counts. A second copy of the same window
    // counts again.
    copyWindow(track, 2, 7, 1.0);
    EXPECT_NEAR(repeatedWindows(track, 1.0, 0.95), 2.0 / 8.0, 1e-9);
    // A window that shares half its signal with an earlier one (correlation near 0.7) is a
    // development, not a repeat.
    Stereo varied = noise(8.0, 3), fresh = noise(8.0, 11);
    copyWindow(varied, 1, 6, 1.0);
    const size_t length = static_cast<size_t>(kRate);
    for (size_t i = 6 * length; i < 7 * length; ++i) {
        varied.left[i] += fresh.left[i];
        varied.right[i] += fresh.right[i];
    }
    EXPECT_EQ(repeatedWindows(varied, 1.0, 0.95), 0.0);
    // A track shorter than one window has nothing to repeat.
    EXPECT_EQ(repeatedWindows(noise(0.5, 5), 1.0, 0.95), 0.0);
}

TEST(MusicMeasure, WaveFilesReadBackWhatWasWrittenAndRefuseOtherFiles) {
    const std::string path = ::testing::TempDir() + "measure_round_trip.wav";
    const Stereo written = noise(0.25, 9);
    ASSERT_TRUE(writeWav(path, written));
    Stereo read;
    ASSERT_TRUE(readWav(path, read));
    ASSERT_EQ(read.frames(), written.frames());
    for (size_t i = 0; i < read.frames(); i += 97) {
        EXPECT_NEAR(read.left[i], written.left[i], 1.0 / 16384.0);
        EXPECT_NEAR(read.right[i], written.right[i], 1.0 / 16384.0);
    }
    // A file cut short inside its data, and one that is no WAVE at all, are refused.
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string bytes = text.str();
        std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    EXPECT_FALSE(readWav(path, read));
    std::ofstream(path, std::ios::binary) << "OggS and then something else entirely";
    EXPECT_FALSE(readWav(path, read));
    std::remove(path.c_str());
}

TEST(MusicMeasure, TheBandLevelHearsOnlyItsBandAndTheShotIsLaidOverTheLoopedBody) {
    // A 1.5 kHz sine at 0.1 reads its RMS (-23 dB) with tones at 300 Hz and 5 kHz beside it.
    Stereo mixed = tone(2.0, 0.1, 1500.0);
    const Stereo low = tone(2.0, 0.5, 300.0), high = tone(2.0, 0.5, 5000.0);
    for (size_t i = 0; i < mixed.frames(); ++i) {
        mixed.left[i] += low.left[i] + high.left[i];
        mixed.right[i] = mixed.left[i];
    }
    EXPECT_NEAR(bandLevelDb(mixed, 1000.0, 2000.0), -23.01, 0.1);
    EXPECT_LT(bandLevelDb(tone(2.0, 0.5, 300.0), 1000.0, 2000.0), -60.0);

    // A loud intro, then a quiet body: only the body is what the shot plays over. A 10 ms blip
    // every 70 ms is on a seventh of the time; at -6 dB it reads 6 dB below its own level.
    Stereo music = tone(3.0, 0.05, 1500.0);
    const size_t intro = static_cast<size_t>(kRate);
    for (size_t i = 0; i < intro; ++i) {
        music.left[i] = music.right[i] = 0.5 * std::sin(0.2 * static_cast<double>(i));
    }
    const Stereo blip = tone(0.01, 0.5, 1500.0);
    const Masking masking = measureMasking(music, intro, blip, 4.0, 0.07, -6.0);
    EXPECT_NEAR(masking.musicDb, -29.03, 0.2);  // the body, repeated past its end
    EXPECT_NEAR(masking.shotDb, -9.03 - 6.02 - 10.0 * std::log10(7.0), 0.5);
    EXPECT_NEAR(measureMasking(music, intro, blip, 4.0, 0.07, -12.0).shotDb, masking.shotDb - 6.02, 0.05);
}

TEST(MusicMeasure, RepeatsAreCountedOnTheBarsFromTheLoopStart) {
    // Half a second of intro before the body's one-second windows: a copied window counts on
    // the body's grid, and is missed by a grid from the file's start.
    Stereo track = noise(8.5, 5);
    const size_t second = static_cast<size_t>(kRate), intro = second / 2;
    for (size_t i = 0; i < second; ++i) {
        track.left[intro + 5 * second + i] = track.left[intro + second + i];
        track.right[intro + 5 * second + i] = track.right[intro + second + i];
    }
    EXPECT_NEAR(repeatedWindows(track, 1.0, 0.95, intro), 1.0 / 8.0, 1e-9);
    EXPECT_EQ(repeatedWindows(track, 1.0, 0.95, 0), 0.0);
}

TEST(MusicMeasure, EffectFilesReadBackWhatWasWrittenAndRefuseOtherFiles) {
    const std::string path = ::testing::TempDir() + "measure_round_trip.caf";
    std::vector<double> written(1000);
    for (size_t i = 0; i < written.size(); ++i) {
        written[i] = 0.8 * std::sin(0.05 * static_cast<double>(i));
    }
    ASSERT_TRUE(writeCaf(path, written));
    Stereo read;
    ASSERT_TRUE(readCaf(path, read));
    ASSERT_EQ(read.frames(), written.size());
    for (size_t i = 0; i < read.frames(); i += 7) {
        EXPECT_NEAR(read.left[i], written[i], 1.0 / 16384.0);
        EXPECT_EQ(read.right[i], read.left[i]);
    }
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        bytes = text.str();
    }
    // Cut inside its data, or not an effect at all: refused with a line.
    std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_FALSE(readCaf(path, read));
    std::ofstream(path, std::ios::binary) << "RIFF and then something else entirely";
    EXPECT_FALSE(readCaf(path, read));
    std::remove(path.c_str());
}
