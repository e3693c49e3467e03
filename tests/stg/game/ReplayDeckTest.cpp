// Watching a replay on the deck, on the real first stage: a seek forward or back reaches the
// state watching reaches, unheard; speeds and the pause play their frames; a seek past the end
// stops at the last frame; and a game taken over goes on from the replay's exact state, with a
// recording that plays back to the same end.
#include <gtest/gtest.h>

#include <vector>

#include "audio/CXSoundManager.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/ReplayDeck.h"
#include "stg/game/ReplayPlayer.h"
#include "tests/stg/game/GameTestSupport.h"

namespace {

constexpr int kFire = 2, kLeft = 28, kRight = 29;
constexpr int kFrames = 900;

class ReplayDeckTest : public gametest::SessionTest {
  protected:
    void SetUp() override {
        gametest::SessionTest::SetUp();
        recordGame();
    }
    void TearDown() override {
        deck.close();
        gametest::SessionTest::TearDown();
    }

    // Free play of the first stage with scripted keys (fire held, a dash right held over
    // frames 560..580, then left), keeping the state hash after every frame.
    void recordGame() {
        session.setSeed(97531);
        session.choices().mode = GameMode::FreePlay;
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
        hashes.push_back(session.stateHash());
        for (int frame = 0; frame < kFrames; ++frame) {
            if (frame == 10)
                session.keyEvent(kFire, true);
            if (frame == 560 || frame == 580)
                session.keyEvent(kRight, frame == 560);
            if (frame == 700 || frame == 730)
                session.keyEvent(kLeft, frame == 700);
            session.tick(16.7f);
            hashes.push_back(session.stateHash());
        }
        session.finishRecording();
        recorded = session.getRecording();
    }

    // Seeks at once and says where the deck stands.
    void seekTo(int32_t frame) {
        deck.seekTo(frame);
        EXPECT_TRUE(!deck.isSeeking() || CXSoundManager::instance().isSilenced());
        deck.seekNow();
        EXPECT_FALSE(deck.isSeeking());
        EXPECT_FALSE(CXSoundManager::instance().isSilenced());
    }

    Replay recorded;
    std::vector<uint32_t> hashes;  // by frame: the state watching reaches
    CXUserProfile watchValues;
    ReplayDeck deck;
};

TEST_F(ReplayDeckTest, ASeekForwardOrBackReachesTheStateWatchingReaches) {
    deck.open(session, recorded, watchValues);
    for (const int32_t frame : {600, 300, 570, 571, 0, 899}) {
        SCOPED_TRACE(frame);
        seekTo(frame);
        ASSERT_EQ(deck.getFrame(), frame);
        EXPECT_EQ(session.stateHash(), hashes[frame]);
        EXPECT_EQ(deck.getStatus(), ReplayDeck::Status::Playing);
    }
    // Watched on from a seek, and sought relative to where it stands.
    seekTo(200);
    for (int call = 0; call < 20; ++call) {
        deck.update(16.7f);
    }
    deck.seekBy(-120);
    deck.seekNow();
    EXPECT_EQ(deck.getFrame(), 100);
    EXPECT_EQ(session.stateHash(), hashes[100]);
}

TEST_F(ReplayDeckTest, ALongSeekIsSpreadOverTheFramesDrawnAndShowsItsProgress) {
    deck.open(session, recorded, watchValues);
    deck.seekTo(800);
    deck.update(16.7f, 0.0);  // no time to spare: one frame a call
    EXPECT_EQ(deck.getFrame(), 1);
    EXPECT_TRUE(deck.isSeeking());
    EXPECT_GT(deck.seekProgress(), 0.0f);
    EXPECT_LT(deck.seekProgress(), 0.01f);
    EXPECT_FALSE(deck.takeControl()) << "not while seeking";
    while (deck.isSeeking()) {
        deck.update(16.7f, 1.0);
    }
    EXPECT_EQ(deck.getFrame(), 800);
    EXPECT_EQ(session.stateHash(), hashes[800]);
}

TEST_F(ReplayDeckTest, EachSpeedPlaysItsShareOfFramesAndThePauseNone) {
    deck.open(session, recorded, watchValues);
    const int expected[ReplayDeck::kSpeedCount] = {2, 4, 8, 16, 32};  // in 8 calls
    for (int speed = 0; speed < ReplayDeck::kSpeedCount; ++speed) {
        deck.setSpeedIndex(speed);
        const int32_t before = deck.getFrame();
        for (int call = 0; call < 8; ++call) {
            deck.update(16.7f);
        }
        EXPECT_EQ(deck.getFrame() - before, expected[speed]) << "x" << deck.getSpeed();
    }
    deck.setPaused(true);
    const int32_t pausedAt = deck.getFrame();
    deck.update(16.7f);
    EXPECT_EQ(deck.getFrame(), pausedAt);
    deck.stepFrame();
    EXPECT_EQ(deck.getFrame(), pausedAt + 1);
    EXPECT_EQ(session.stateHash(), hashes[pausedAt + 1]);
}

TEST_F(ReplayDeckTest, ASeekPastTheEndStopsAtTheLastFrameAndASeekBackStillWorks) {
    deck.open(session, recorded, watchValues);
    testing::internal::CaptureStdout();
    seekTo(kFrames + 5000);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("REPLAY SEEK PAST THE END: FRAME 5900 OF 900"), std::string::npos) << console;
    EXPECT_EQ(deck.getFrame(), kFrames);
    EXPECT_EQ(deck.getStatus(), ReplayDeck::Status::Finished);
    EXPECT_FALSE(deck.takeControl()) << "the playback has ended";
    seekTo(400);
    EXPECT_EQ(deck.getStatus(), ReplayDeck::Status::Playing);
    EXPECT_EQ(session.stateHash(), hashes[400]);
}

TEST_F(ReplayDeckTest, ATakenOverGameGoesOnFromTheReplaysStateAndItsRecordingPlaysBack) {
    deck.open(session, recorded, watchValues);
    seekTo(570);  // fire and the dash right held
    ASSERT_TRUE(deck.takeControl());
    EXPECT_EQ(deck.getStatus(), ReplayDeck::Status::TakenOver);
    EXPECT_EQ(session.stateHash(), hashes[570]);
    EXPECT_EQ(session.getWatchSpeed(), 0);
    EXPECT_TRUE(session.isPracticeGame());
    deck.update(16.7f);
    EXPECT_EQ(session.getFrame(), 570) << "the deck no longer plays the replay";

    // The recording keeps the replay's keys so far, then lets go of the two it held.
    const std::vector<ReplayKey>& keys = session.getRecording().keys;
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_TRUE(keys[0].frame == 10 && keys[0].code == kFire && keys[0].down);
    EXPECT_TRUE(keys[1].frame == 560 && keys[1].code == kRight && keys[1].down);
    EXPECT_TRUE(keys[2].frame == 570 && keys[2].code == kFire && !keys[2].down);
    EXPECT_TRUE(keys[3].frame == 570 && keys[3].code == kRight && !keys[3].down);
    session.keyEvent(kLeft, true);
    for (int frame = 0; frame < 200; ++frame) {
        session.tick(16.7f);
    }
    session.finishRecording();
    const Replay taken = session.getRecording();
    EXPECT_TRUE(taken.practice);
    const uint32_t end = session.stateHash();

    ReplayPlayer player;
    CXUserProfile values;
    player.start(session, taken, values);
    while (!player.isDone()) {
        player.step(16.7f);
    }
    EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished);
    EXPECT_EQ(session.stateHash(), end);
}

}  // namespace
