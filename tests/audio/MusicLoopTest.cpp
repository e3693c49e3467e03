// A track's intro plays once and its body loops after it, recorded through OpenAL Soft's
// wave-file output (a config file the test writes): a synthetic track made here, an intro of
// 882 Hz then a body of 441 Hz whose level climbs through each pass, the one sine running on
// across both seams. And the loop start is read off the file's comment header, bad ones ignored.

#include <gtest/gtest.h>

#include <SFML/System/MemoryInputStream.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "AudioGen.h"
#include "audio/CXSoundManager.h"
#include "audio/OggLoopStart.h"
#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr size_t kIntro = 22050;  // 0.5 s: 441 whole cycles at 882 Hz
constexpr size_t kBody = 44100;   // 1 s: 441 whole cycles at 441 Hz

audiogen::Stereo seamTrack() {
    audiogen::Stereo track(kIntro + kBody);
    for (size_t i = 0; i < track.frames(); ++i) {
        const double t = static_cast<double>(i) / audiogen::kRate;
        const double climb = i < kIntro ? 0.0 : static_cast<double>(i - kIntro) / kBody;
        track.left[i] = track.right[i] =
            i < kIntro ? 0.3 * std::sin(2.0 * audiogen::kPi * 882.0 * t)
                       : (0.3 + 0.3 * climb) * std::sin(2.0 * audiogen::kPi * 441.0 * t);
    }
    return track;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

LoopTag loopTagOf(const std::string& bytes, uint64_t& frames) {
    sf::MemoryInputStream stream;
    stream.open(bytes.data(), bytes.size());
    return readLoopStart(stream, frames);
}

// The left channel of OpenAL Soft's recording (32-bit float): its data runs to the file's end.
std::vector<float> recording(const std::string& path) {
    const std::string bytes = readFile(path);
    const size_t data = bytes.find("data");
    std::vector<float> left;
    for (size_t at = data + 8; data != std::string::npos && at + 8 <= bytes.size(); at += 8) {
        float v;
        std::memcpy(&v, bytes.data() + at, 4);
        left.push_back(v);
    }
    return left;
}

class WaveOutput : public ::testing::Environment {
  public:
    WaveOutput() {
        // Before anything touches OpenAL.
        folder.write("alsoft.conf",
                     "[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\n"
                     "sample-type = float32\n[wave]\nfile = " +
                         folder.file("out.wav") + "\n");
        setenv("ALSOFT_CONF", folder.file("alsoft.conf").c_str(), 1);
    }
    testfiles::TempDir folder;
};

WaveOutput* const kOutput = static_cast<WaveOutput*>(::testing::AddGlobalTestEnvironment(new WaveOutput));

TEST(MusicLoop, TheLoopStartIsReadFromTheCommentsAndNonsenseIsTold) {
    const std::string path = kOutput->folder.file("tag.ogg");
    ASSERT_TRUE(audiogen::writeOgg(path, seamTrack(), 0.4f, kIntro));
    const std::string good = readFile(path);
    uint64_t frames = 0;
    EXPECT_EQ(loopTagOf(good, frames), LoopTag::Found);
    EXPECT_EQ(frames, kIntro);
    // The value changed in place (the page checksums are not the comment's business).
    std::string bad = good;
    const size_t value = bad.find("LOOPSTART=") + 10;
    for (const char* nonsense : {"2205x", "-2205", "     "}) {
        bad.replace(value, 5, nonsense);
        EXPECT_EQ(loopTagOf(bad, frames), LoopTag::Malformed) << nonsense;
    }
    std::string renamed = good;
    renamed.replace(renamed.find("LOOPSTART="), 10, "LOOPSTARX=");
    EXPECT_EQ(loopTagOf(renamed, frames), LoopTag::Absent);
    // Cut anywhere, the file never yields a value it does not hold.
    for (size_t length = 0; length < 8192 && length < good.size(); ++length) {
        frames = 0;
        const LoopTag tag = loopTagOf(good.substr(0, length), frames);
        ASSERT_TRUE(tag == LoopTag::Absent || (tag == LoopTag::Found && frames == kIntro)) << length;
    }
}

TEST(MusicLoop, TheIntroPlaysOnceThenTheBodyLoopsWithNoGapAndNoClick) {
    testfiles::TempDir files;
    ASSERT_TRUE(audiogen::writeOgg(files.file("seam.ogg"), seamTrack(), 0.9f, kIntro));
    ASSERT_TRUE(audiogen::writeOgg(files.file("past.ogg"), seamTrack(), 0.4f, 10 * kBody));
    testfiles::makeZipPackage(files.file("music.oap"), {{"seam.ogg", readFile(files.file("seam.ogg"))},
                                                        {"past.ogg", readFile(files.file("past.ogg"))}});
    ASSERT_TRUE(mountAssetPackage(files.file("music.oap")));
    CXSoundManager& sound = CXSoundManager::instance();

    // A loop start past the end is told once and the track plays, looping whole (silently here).
    sound.setMusicVolume(0.0f);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(sound.playMusic("past.ogg", true));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("past its end"), std::string::npos);
    sound.closeMusic();

    sound.setMusicVolume(1.0f);
    ASSERT_TRUE(sound.playMusic("seam.ogg", true));
    sf::sleep(sf::milliseconds(3800));
    // Closing the output finishes the recording.
    sound.shutdown();
    unmountAssetPackage();

    const std::vector<float> out = recording(kOutput->folder.file("out.wav"));
    size_t start = 0;
    while (start < out.size() && std::fabs(out[start]) < 0.02f) {
        ++start;
    }
    // 3.2 s from the first sound: the intro and three passes of the body begun, before the stop.
    const size_t block = 441, blocks = 320;
    ASSERT_GE(out.size(), start + blocks * block) << "the track was not heard long enough";
    int introBlocks = 0, introRuns = 0, resets = 0;
    bool inIntro = false;
    float previousPeak = 0.0f, loudest = 0.0f, largestStep = 0.0f;
    for (size_t b = 0; b < blocks; ++b) {
        int crossings = 0;
        float peak = 0.0f;
        for (size_t i = start + b * block; i < start + (b + 1) * block; ++i) {
            crossings += (out[i] < 0.0f) != (out[i + 1] < 0.0f);
            peak = std::max(peak, std::fabs(out[i]));
            largestStep = std::max(largestStep, std::fabs(out[i + 1] - out[i]));
        }
        // No gap: every 10 ms holds the sine.
        ASSERT_GT(peak, 0.1f) << "a gap " << b * 10 << " ms after the start";
        const bool intro = crossings > 13;  // 882 Hz crosses about 18 times in 10 ms, 441 Hz about 9
        introBlocks += intro;
        introRuns += intro && !inIntro;
        inIntro = intro;
        // Each pass of the body starts back at its lower level.
        resets += !intro && b > 0 && peak < 0.8f * previousPeak;
        previousPeak = peak;
        loudest = std::max(loudest, peak);
    }
    EXPECT_EQ(introRuns, 1) << "the intro came back";
    EXPECT_NEAR(introBlocks, 50, 2);
    EXPECT_GE(resets, 2) << "the body did not loop twice";
    // No click: no step between samples beyond what the sine itself makes (both parts step
    // at most 0.6 x 2 pi 441 / 44100 at full level).
    EXPECT_LT(largestStep, 1.25f * loudest * 2.0f * 3.14159f * 441.0f / 44100.0f);
}

}  // namespace
