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
