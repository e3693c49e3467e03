// The sound manager and the CAF reader, on OpenAL Soft's null output (a config file the test
// writes) and a package made for the run: real tracks from the build, effects made here.

#include <gtest/gtest.h>

#include <SFML/System/MemoryInputStream.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "CafFiles.h"
#include "audio/CXSoundManager.h"
#include "audio/CafReader.h"
#include "data/AssetPackage.h"
#include "platform/CXApp.h"
#include "tests/support/TestFiles.h"

using cafttest::CafLayout;
using cafttest::makeCaf;

namespace {

const std::string kMenu = "assets/audio/mastering - menu.ogg";
const std::string kStage = "assets/audio/stage_1.ogg";

std::vector<int16_t> tone(size_t count) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>((i * 2654435761u) % 20000) - 10000;
    }
    return samples;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class AudioEnvironment : public ::testing::Environment {
  public:
    AudioEnvironment() {
        // Before anything touches OpenAL: the null device plays in real time and outputs nothing.
        testfiles::useNullAudioOutput(folder);
    }
    void SetUp() override {
        CafLayout shortLayout;
        const std::map<std::string, std::string> files = {
            {"assets/audio/short.caf", makeCaf(shortLayout, tone(4410))},  // 0.2 s
            {"assets/audio/long.caf", makeCaf(shortLayout, tone(44100))},  // 2 s
            {"assets/audio/noise.caf", "caff but not really an audio file"},
            {"assets/audio/broken.ogg", "OggS and nothing that decodes"},
            {kMenu, readFile(std::string(ORVALE_AUDIO_DIR) + "/mastering - menu.ogg")},
            {kStage, readFile(std::string(ORVALE_AUDIO_DIR) + "/stage_1.ogg")},
        };
        testfiles::makeZipPackage(folder.file("audio.oap"), files);
        ASSERT_TRUE(mountAssetPackage(folder.file("audio.oap")));
        CXSoundManager::instance().setBasePath("assets/audio/");
    }
    void TearDown() override {
        CXSoundManager& sound = CXSoundManager::instance();
        sound.clearSounds();
        sound.closeMusic();
        unmountAssetPackage();
    }

  private:
    testfiles::TempDir folder;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new AudioEnvironment);

class SoundManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sound.clearSounds();
        sound.closeMusic();
        sound.setMusicHeld(false);
        sound.setSfxVolume(1.0f);
        sound.setMusicVolume(1.0f);
    }
    CXSoundManager& sound = CXSoundManager::instance();
};

// --- Effects --------------------------------------------------------------------------------

TEST_F(SoundManagerTest, MissingOrUndecodableEffectsAreNotCachedAndPlayNothing) {
    for (const char* name : {"absent.caf", "noise.caf"}) {
        sound.loadSound(name);
        EXPECT_FALSE(sound.isEffectLoaded(name)) << name;
        sound.playSound(name);
    }
    EXPECT_EQ(sound.bufferCount(), 0);
    EXPECT_EQ(sound.busyVoices(), 0);
}

TEST_F(SoundManagerTest, EachEffectPlaysOnItsShareOfVoicesAndABurstBeyondItIsDropped) {
    // Two effects share the fifty voices: a burst of one fills its half and no more, the
    // other still finds its own voices, and nothing playing is stolen.
    sound.loadSound("long.caf");
    sound.loadSound("short.caf");
    for (int i = 0; i < CXSoundManager::kVoiceCount; ++i) {
        sound.playSound("long.caf");
    }
    EXPECT_EQ(sound.effectPlayCount("long.caf"), CXSoundManager::kVoiceCount / 2);
    EXPECT_EQ(sound.busyVoices(), CXSoundManager::kVoiceCount / 2);
    sound.playSound("short.caf");
    EXPECT_EQ(sound.effectPlayCount("short.caf"), 1);
    sf::sleep(sf::milliseconds(300));
    EXPECT_GE(sound.busyVoices(), CXSoundManager::kVoiceCount / 2);
    // Every voice comes free (the null output plays in real time; at least ten seconds' grace).
    for (int waited = 0; sound.busyVoices() > 0 && waited < 1000; ++waited) {
        sf::sleep(sf::milliseconds(10));
    }
    EXPECT_EQ(sound.busyVoices(), 0);
    sound.playSound("long.caf");
    EXPECT_EQ(sound.effectPlayCount("long.caf"), CXSoundManager::kVoiceCount / 2 + 1);
}

TEST_F(SoundManagerTest, ASpreadEffectNeverRepeatsItsPitchAndAnUnspreadOneKeepsItsOwn) {
    // The shot's case: twenty plays in a row (each on a voice of its own), every one within
    // the spread, both above and below the effect's own pitch, never at the previous play's
    // pitch, and within the gain spread of the asked-for level.
    sound.loadSound("short.caf");
    const float top = std::exp2(0.7f / 12.0f);
    float previous = 1.0f;
    bool higher = false;
    bool lower = false;
    for (int i = 0; i < 20; ++i) {
        sound.playSound("short.caf", 0.5f, 0.7f, 1.0f);
        const float pitch = sound.effectLastPitch("short.caf");
        EXPECT_NE(pitch, previous) << "play " << i;
        EXPECT_LE(pitch, top + 1e-4f);
        EXPECT_GE(pitch, 1.0f / top - 1e-4f);
        const float volume = sound.effectLastVolume("short.caf");
        EXPECT_LE(volume, 0.5f * std::pow(10.0f, 1.0f / 20.0f) + 1e-4f);
        EXPECT_GE(volume, 0.5f * std::pow(10.0f, -1.0f / 20.0f) - 1e-4f);
        higher = higher || pitch > 1.0f;
        lower = lower || pitch < 1.0f;
        previous = pitch;
    }
    EXPECT_EQ(sound.effectPlayCount("short.caf"), 20);
    EXPECT_TRUE(higher && lower) << "the spread goes both ways";
    // Without a spread a play is at the effect's own pitch and the asked-for level.
    sound.playSound("short.caf", 0.5f);
    EXPECT_FLOAT_EQ(sound.effectLastPitch("short.caf"), 1.0f);
    EXPECT_FLOAT_EQ(sound.effectLastVolume("short.caf"), 0.5f);
}

// --- Music ----------------------------------------------------------------------------------

TEST_F(SoundManagerTest, ATrackThatFailsToOpenReturnsFalseAndStaysSilent) {
    for (const char* path : {"assets/audio/absent.ogg", "assets/audio/broken.ogg"}) {
        EXPECT_FALSE(sound.playMusic(path, true)) << path;
        EXPECT_FALSE(sound.isMusicOpen());
        EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Stopped);
    }
}

TEST_F(SoundManagerTest, TheHoldPausesAndReleasingItResumesOnlyAnOpenTrack) {
    sound.setMusicHeld(true);
    sound.setMusicHeld(false);
    EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Stopped);  // no track: nothing plays

    ASSERT_TRUE(sound.playMusic(kStage, true));
    sound.setMusicHeld(true);
    EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Paused);
    sound.stopMusic();  // while held: not marked as stopped by the game
    EXPECT_FALSE(sound.isMusicStopped());
    sound.setMusicHeld(false);
    EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Playing);
}

// A seek plays frames silenced: effects asked for are dropped and what was playing stops; the
// stage's music calls choose the track but none is heard until the silence lifts, and then
// only if the calls left it playing.
TEST_F(SoundManagerTest, NothingIsHeardWhileSilencedAndTheMusicTheGameLeftPlayingResumesAfter) {
    sound.loadSound("long.caf");
    sound.playSound("long.caf");
    ASSERT_TRUE(sound.playMusic(kMenu, true));
    sound.setSilenced(true);
    EXPECT_EQ(sound.busyVoices(), 0);
    EXPECT_NE(sound.musicStatus(), sf::SoundSource::Playing);
    sound.playSound("long.caf");
    EXPECT_EQ(sound.busyVoices(), 0);
    EXPECT_EQ(sound.effectPlayCount("long.caf"), 1);

    // A stage torn down and started again: held and closed, then its own track opened.
    sound.setMusicHeld(true);
    sound.closeMusic();
    sound.setMusicHeld(false);
    ASSERT_TRUE(sound.playMusic(kStage, true));
    EXPECT_NE(sound.musicStatus(), sf::SoundSource::Playing);
    sound.setSilenced(false);
    EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Playing);
    sound.playSound("long.caf");
    EXPECT_EQ(sound.busyVoices(), 1);

    // Music paused (the summary's hold) or stopped while silenced stays so when it lifts.
    for (const bool stop : {false, true}) {
        sound.setSilenced(true);
        if (stop) {
            sound.stopMusic();
        } else {
            sound.setMusicHeld(true);
        }
        sound.setSilenced(false);
        EXPECT_NE(sound.musicStatus(), sf::SoundSource::Playing) << (stop ? "stopped" : "held");
        sound.setMusicHeld(false);
        EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Playing);
    }
}

// The application's fader: the menu music fades in to the profile's volume, and a queued track
// starts at that full volume once the old one has faded out.
TEST_F(SoundManagerTest, TheFaderFadesInAndStartsTheQueuedTrackAtFullVolume) {
    CXApp& app = CXApp::instance();
    app.profile().musicVolume = 0.8f;
    app.startMenuMusic();
    EXPECT_NEAR(sound.trackVolume(), 0.0f, 0.01f);
    // The menus' track is at full level within two seconds, so it is heard soon after PRESS
    // START, and it rises on the way.
    for (int frame = 0; frame < 60; ++frame) {
        app.updateMusicFade(16.7f);
    }
    EXPECT_NEAR(sound.trackVolume(), 0.4f, 0.05f);
    for (int frame = 60; frame < 120; ++frame) {
        app.updateMusicFade(16.7f);
    }
    EXPECT_NEAR(sound.trackVolume(), 0.8f, 0.01f);

    app.fadeOutMusic(kStage);
    for (int frame = 0; frame < 61; ++frame) {
        app.updateMusicFade(16.7f);
    }
    EXPECT_EQ(sound.musicStatus(), sf::SoundSource::Playing);
    EXPECT_NEAR(sound.trackVolume(), 0.8f, 0.01f);
    EXPECT_NEAR(sound.getMusicVolume(), 0.8f, 0.01f);
}

// --- The CAF reader -------------------------------------------------------------------------

struct CafCase {
    const char* what;
    CafLayout layout;
    size_t samples;
    const char* refusal;  // part of the console line for a refused file; empty for a good one
};

CafLayout with(void (*change)(CafLayout&)) {
    CafLayout layout;
    change(layout);
    return layout;
}

TEST(CafReader, OpensGoodFilesAndRefusesLyingOnesWithALine) {
    const CafCase cases[] = {
        {"16-bit little-endian mono", CafLayout{}, 1000, ""},
        {"16-bit big-endian stereo", with([](CafLayout& s) { s.flags = 0, s.channels = 2; }), 1000, ""},
        {"32-bit float", with([](CafLayout& s) { s.flags = 3, s.bits = 32; }), 500, ""},
        {"data to the end of the file", with([](CafLayout& s) { s.dataSizeOverride = -1; }), 300, ""},
        {"a chunk after the data", with([](CafLayout& s) { s.trailingChunk = std::string(64, '\x7f'); }), 300,
         ""},
        {"data chunk longer than the file", with([](CafLayout& s) { s.dataSizeOverride = 1 << 20; }), 100,
         "data chunk longer than the file"},
        {"zero channels", with([](CafLayout& s) { s.channels = 0; }), 100, "channel count"},
        {"eight-bit samples", with([](CafLayout& s) { s.bits = 8; }), 100, "unsupported sample format"},
        {"compressed", with([](CafLayout& s) { s.format = "aac "; }), 100, "not linear PCM"},
        {"no sample rate", with([](CafLayout& s) { s.rate = 0.0; }), 100, "sample rate"},
        {"data before description", with([](CafLayout& s) { s.dataBeforeDescription = true; }), 100,
         "data before the audio description"},
    };
    for (const CafCase& c : cases) {
        SCOPED_TRACE(c.what);
        const bool opens = *c.refusal == '\0';
        const std::vector<int16_t> samples = tone(c.samples);
        const std::string file = makeCaf(c.layout, samples);
        sf::MemoryInputStream stream;
        stream.open(file.data(), file.size());
        CafReader reader;
        sf::SoundFileReader::Info info{};
        testing::internal::CaptureStdout();
        const bool opened = reader.open(stream, info);
        const std::string printed = testing::internal::GetCapturedStdout();
        ASSERT_EQ(opened, opens);
        if (!opens) {
            EXPECT_NE(printed.find(c.refusal), std::string::npos) << printed;
            continue;
        }
        // Every sample comes back, and nothing beyond the data chunk.
        EXPECT_EQ(info.channelCount, c.layout.channels);
        EXPECT_EQ(info.sampleCount, c.samples);
        std::vector<sf::Int16> out(c.samples + 64, 0);
        EXPECT_EQ(reader.read(out.data(), out.size()), c.samples);
        for (size_t i = 0; i < c.samples; ++i) {
            ASSERT_NEAR(out[i], samples[i], (c.layout.flags & 1) ? 1 : 0) << "sample " << i;
        }
        reader.seek(c.samples / 2);
        EXPECT_EQ(reader.read(out.data(), out.size()), c.samples - c.samples / 2);
    }
}

TEST(CafReader, TruncatedFilesAreRefusedAtEveryLength) {
    const std::string file = makeCaf(CafLayout{}, tone(50));
    for (size_t length = 0; length < 80; ++length) {  // header, description, data header
        sf::MemoryInputStream stream;
        stream.open(file.data(), length);
        CafReader reader;
        sf::SoundFileReader::Info info{};
        testing::internal::CaptureStdout();
        EXPECT_FALSE(reader.open(stream, info)) << length;
        testing::internal::GetCapturedStdout();
    }
}

}  // namespace
