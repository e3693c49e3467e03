// Watching a replay in the application: the watching keys on the deck and what the bar says,
// a hit sought, frozen and practised, a replay gone out of step, and a replay taken over by the
// player; on a game recorded on the real first stage and the recording GL device.

#include <gtest/gtest.h>

#include "data/AssetPackage.h"
#include "engine/OXTextBox.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "frontend/MenuSceneIndex.h"
#include "platform/CXApp.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OXScnWatchBar.h"
#include "tests/support/TestFiles.h"

namespace {

// Game key codes.
constexpr int kKeyC = 1, kKeyZ = 2, kKeyH = 13, kKeyK = 15, kKeyQ = 17, kKeyW = 18, kKeyT = 21, kKeyP = 26;
constexpr int kLeft = 28, kRight = 29, kUp = 30, kDown = 31, kFire = 2;
constexpr int kRecordedFrames = 1500;

class WatchingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        app.setResolution(0, false);
        testing::internal::CaptureStdout();
        mountAssetPackage(ORVALE_PACKAGE);
        testing::internal::GetCapturedStdout();
        path = folder.file("watched.ovr");
    }
    void TearDown() override {
        CXGameSession::instance().tearDown();
        CXGameSession::instance().setProfile(nullptr);
        unmountAssetPackage();
        setGLDevice(nullptr);
    }

    // A free-play game of the first stage, fire held and the ship dashing right then left, with
    // two marks and a hit at frame 900 of the stage's waves, kept at `path`.
    Replay recordGame() {
        CXGameSession& session = CXGameSession::instance();
        CXUserProfile values;
        session.setProfile(&values);
        session.setSeed(777);
        session.choices().mode = GameMode::FreePlay;
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
        for (int frame = 0; frame < kRecordedFrames; ++frame) {
            if (frame == 10)
                session.keyEvent(kFire, true);
            if (frame == 700)
                session.keyEvent(kRight, true);
            if (frame == 730)
                session.keyEvent(kRight, false);
            session.tick(16.7f);
        }
        session.finishRecording();
        Replay replay = session.getRecording();
        session.tearDown();
        session.setProfile(nullptr);
        replay.marks = {{0, ReplayMark::StageStart, 0, -1, "STAGE 1"},
                        {1200, ReplayMark::AttackStart, 0, 1, "TEST ATTACK"}};
        ReplayHit hit;
        hit.frame = 900;
        hit.x = 160;
        hit.y = 100;
        hit.radius = 4;
        hit.attack = "STAGE 1";
        replay.hits = {hit};
        std::string problem;
        EXPECT_TRUE(replay.save(path, problem)) << problem;
        return replay;
    }

    void runFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            app.update(16.7f);
            app.render();
        }
    }
    void key(int code) {
        app.deliverKey(code, true);
        runFrames(1);
        app.deliverKey(code, false);
        runFrames(1);
    }
    // Until the replay's stage plays and no seek runs.
    void settle() {
        for (int frame = 0; frame < 400 && (app.getMode() != CXApp::InStage || app.getDeck().isSeeking());
             ++frame) {
            runFrames(1);
        }
        ASSERT_EQ(app.getMode(), CXApp::InStage);
        ASSERT_FALSE(app.getDeck().isSeeking());
    }
    std::string barSpeed() const { return app.getWatchBar()->getSpeedText()->getText(); }

    RecordingGLDevice device;
    testfiles::TempDir folder;
    std::string path;
    CXApp app;
};

TEST_F(WatchingTest, TheWatchingKeysChangeSpeedPauseStepAndSeek) {
    // The file is read as the menus' WATCH reads it; the marks are given as the game keeps them.
    const Replay recorded = recordGame();
    ASSERT_TRUE(app.watchReplay(path, kHighScoreScene));
    app.watchLoadedReplay(recorded, kHighScoreScene);
    settle();
    const ReplayDeck& deck = app.getDeck();
    EXPECT_TRUE(app.isWatching());
    EXPECT_EQ(barSpeed(), "x1");

    // Speeds stop at x4 and x0.25, whatever the presses beyond.
    for (int i = 0; i < 4; ++i) {
        key(kUp);
    }
    EXPECT_FLOAT_EQ(deck.getSpeed(), 4.0f);
    EXPECT_EQ(barSpeed(), "x4");
    int32_t before = deck.getFrame();
    runFrames(10);
    EXPECT_EQ(deck.getFrame() - before, 40);
    for (int i = 0; i < 6; ++i) {
        key(kDown);
    }
    EXPECT_FLOAT_EQ(deck.getSpeed(), 0.25f);
    key(kUp);
    key(kUp);  // x1

    // P holds the frame; Z steps one frame only while paused; P plays on.
    key(kKeyP);
    EXPECT_TRUE(deck.isPaused());
    EXPECT_EQ(barSpeed(), "PAUSED");
    before = deck.getFrame();
    runFrames(20);
    EXPECT_EQ(deck.getFrame(), before);
    // Every page of the key hint fits the field at the smallest text: 25 glyphs.
    for (int page = 0; page < 4; ++page) {
        EXPECT_LE(app.getWatch().hintText().size(), 25u) << app.getWatch().hintText();
        runFrames(static_cast<int>(ReplayWatch::kHintPageMs / 16.7f) + 1);
    }
    key(kKeyZ);
    EXPECT_EQ(deck.getFrame(), before + 1);
    key(kKeyP);
    EXPECT_FALSE(deck.isPaused());
    runFrames(3);
    EXPECT_GT(deck.getFrame(), before + 1);

    // The arrows seek 10 s on and back; the bar shows the time reached of the whole.
    key(kKeyP);
    before = deck.getFrame();
    key(kRight);
    settle();
    EXPECT_EQ(deck.getFrame(), before + ReplayWatch::kSeekFrames);
    key(kLeft);
    settle();
    EXPECT_EQ(deck.getFrame(), before);
    EXPECT_EQ(app.getWatch().timeText(),
              ReplayWatch::clock(before) + " / " + ReplayWatch::clock(kRecordedFrames));

    // W and Q go to the next and the previous mark, and the bar names the mark passed.
    key(kKeyW);
    settle();
    EXPECT_EQ(deck.getFrame(), 1200);
    key(kKeyQ);
    settle();
    EXPECT_EQ(deck.getFrame(), 0);
    key(kKeyW);
    settle();
    runFrames(2);
    EXPECT_EQ(app.getWatch().markText(), "TEST ATTACK");

    // A seek past the end stops at the last frame and says so on the bar.
    key(kRight);
    key(kRight);
    settle();
    EXPECT_LE(deck.getFrame(), kRecordedFrames);
    EXPECT_NE(app.getWatch().message().find("PAST THE END"), std::string::npos);
    EXPECT_TRUE(app.getWatchBar()->getMessageText()->isVisible());

    // C leaves for the screen the replay was watched from.
    key(kKeyC);
    for (int frame = 0; frame < 300 && app.getMode() != CXApp::FrontEnd; ++frame) {
        runFrames(1);
    }
    EXPECT_EQ(app.getCurrentScene(), kHighScoreScene);
    EXPECT_FALSE(app.isWatching());
}

TEST_F(WatchingTest, AHitShownIsFrozenOnItsFrameAndKPractisesItsAttack) {
    app.watchLoadedReplay(recordGame(), kResultsScene, -1);
    settle();
    runFrames(1);
    const ReplayDeck& deck = app.getDeck();
    EXPECT_EQ(deck.getFrame(), 900);
    EXPECT_TRUE(deck.isPaused());
    ASSERT_NE(app.getWatch().shownHit(), nullptr);
    runFrames(30);
    EXPECT_EQ(deck.getFrame(), 900) << "a hit shown holds still";

    // Playing on takes the ring away; H comes back to the (only) hit.
    key(kKeyP);
    EXPECT_EQ(app.getWatch().shownHit(), nullptr);
    key(kKeyH);
    settle();
    runFrames(1);
    EXPECT_EQ(deck.getFrame(), 900);
    ASSERT_NE(app.getWatch().shownHit(), nullptr);

    // K practises the stage the hit belongs to, with the replay's difficulty and stock.
    key(kKeyK);
    EXPECT_EQ(app.gameChoices().mode, GameMode::StagePractice);
    EXPECT_EQ(app.gameChoices().practice.stage, 0);
    for (int frame = 0; frame < 400 && (app.isWatching() || app.getMode() != CXApp::InStage); ++frame) {
        runFrames(1);
    }
    EXPECT_FALSE(app.isWatching());
    EXPECT_EQ(app.getMode(), CXApp::InStage);
}

TEST_F(WatchingTest, AReplayOutOfStepHoldsWithALineUntilThePlayerLeaves) {
    Replay replay = recordGame();
    for (ReplayKey& edge : replay.keys) {
        if (edge.code == kRight) {
            edge.frame += 40;  // the dash comes later than it did
        }
    }
    std::string problem;
    ASSERT_TRUE(replay.save(path, problem)) << problem;
    ASSERT_TRUE(app.watchReplay(path, kHighScoreScene));
    settle();
    key(kUp);
    key(kUp);
    runFrames(400);
    EXPECT_EQ(app.getDeck().getStatus(), ReplayDeck::Status::Desync);
    EXPECT_TRUE(app.isWatching()) << "the player reads the line before leaving";
    EXPECT_NE(app.getWatch().message().find("OUT OF STEP"), std::string::npos);
    key(kKeyC);
    for (int frame = 0; frame < 300 && app.getMode() != CXApp::FrontEnd; ++frame) {
        runFrames(1);
    }
    EXPECT_EQ(app.getCurrentScene(), kHighScoreScene);
}

TEST_F(WatchingTest, TakingControlHandsTheGameToThePlayerWithTheKeysHeld) {
    recordGame();
    app.profile().setPath(folder.file("profile/save.osf"));
    ASSERT_TRUE(app.watchReplay(path, kHighScoreScene));
    settle();
    runFrames(100);
    CXGameSession& session = CXGameSession::instance();
    app.deliverKey(kFire, true);  // held through the take-over (no watching key while playing)
    app.deliverKey(kKeyT, true);
    EXPECT_FALSE(app.isWatching());
    EXPECT_EQ(app.getWatchBar(), nullptr);
    // The replay's keys are let go, then the player's held fire is pressed: the ship fires on.
    ASSERT_FALSE(session.getRecording().keys.empty());
    EXPECT_EQ(session.getRecording().keys.back().code, kFire);
    EXPECT_TRUE(session.getRecording().keys.back().down);
    EXPECT_TRUE(session.isPracticeGame()) << "a game taken over keeps no high score";

    // The player's keys now reach the game, which plays on as the player's.
    const int32_t takenAt = session.getFrame();
    app.deliverKey(kKeyT, false);
    app.deliverKey(kFire, false);
    runFrames(300);
    EXPECT_EQ(session.getFrame(), takenAt + 300);
    EXPECT_EQ(session.getState(), CXGameSession::State::Playing);

    // Its end comes to the results; their way back leads to the screen it was watched from.
    session.pause();
    session.confirmEndGame();
    session.acceptEndGame();
    for (int frame = 0; frame < 900 && app.getMode() != CXApp::FrontEnd; ++frame) {
        runFrames(1);
    }
    ASSERT_EQ(app.getCurrentScene(), kResultsScene);
    // Its replay is the player's last game, marked as practice, for SEE HIT and KEEP REPLAY.
    const GameResult& result = app.lastGameResult();
    EXPECT_TRUE(result.practice);
    Replay kept;
    std::string problem;
    ASSERT_TRUE(Replay::load(result.replayPath, kept, problem)) << problem;
    EXPECT_TRUE(kept.practice);
    EXPECT_GT(kept.frames, takenAt);
    app.switchToScene(kPracticeScene);
    runFrames(20);
    EXPECT_EQ(app.getCurrentScene(), kHighScoreScene);
}

TEST(WatchBarText, TimesAndSpeedsReadAsThePlayerExpects) {
    EXPECT_EQ(ReplayWatch::clock(0), "0:00");
    EXPECT_EQ(ReplayWatch::clock(-5), "0:00");
    EXPECT_EQ(ReplayWatch::clock(ReplayWatch::kSeekFrames), "0:10");
    EXPECT_EQ(ReplayWatch::clock(36000), "10:01");  // 36000 frames of 16.7 ms
    EXPECT_EQ(ReplayWatch::speedName(0.25f), "x0.25");
    EXPECT_EQ(ReplayWatch::speedName(0.5f), "x0.5");
    EXPECT_EQ(ReplayWatch::speedName(4.0f), "x4");
}

}  // namespace
