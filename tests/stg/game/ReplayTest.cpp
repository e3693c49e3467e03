// Replays on the real first stage: a game the session records plays back to the same checks
// and score, whatever else draws random numbers meanwhile, the HUD's mouse buttons included; a
// moved key edge is caught at the first check after it; games kept beside the profile, also
// when the window closes mid-way; and files that must be refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "data/CXUserProfile.h"
#include "data/Plist.h"
#include "engine/OXButton.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/Replay.h"
#include "stg/game/ReplayPlayer.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/game/overlays/OXScnBasePause.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kFire = 2, kLeft = 28, kRight = 29;
constexpr int kFrames = 1500;

class ReplayTest : public gametest::SessionTest {
  protected:
    // Plays the first stage for kFrames frames with scripted keys (fire held; once the ship has
    // made its entrance, a dash right, then left) and returns the session's recording.
    Replay recordGame() {
        session.setSeed(424242);
        session.choices().mode = GameMode::FreePlay;
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
        for (int frame = 0; frame < kFrames; ++frame) {
            if (frame == 10)
                session.keyEvent(kFire, true);
            if (frame == 760)
                session.keyEvent(kRight, true);
            if (frame == 780)
                session.keyEvent(kRight, false);
            if (frame == 1000)
                session.keyEvent(kLeft, true);
            if (frame == 1030)
                session.keyEvent(kLeft, false);
            session.tick(16.7f);
        }
        session.finishRecording();
        return session.getRecording();
    }

    // Plays `replay` to its end; `eachFrame` runs between frames.
    ReplayPlayer play(
        const Replay& replay, const std::function<void()>& eachFrame = [] {}) {
        ReplayPlayer player;
        player.start(session, replay, playbackProfile);
        while (!player.isDone()) {
            eachFrame();
            player.step(16.7f);
        }
        return player;
    }

    CXUserProfile playbackProfile;
};

TEST_F(ReplayTest, ARecordedGamePlaysBackExactlyFromItsFile) {
    profile.weapon = 2;
    profile.bombs = 3;
    const Replay recorded = recordGame();
    const int64_t score = session.run().score;
    ASSERT_EQ(recorded.frames, kFrames);
    EXPECT_GT(score, 0) << "the scripted game should shoot something";

    const testfiles::TempDir folder;
    std::string problem;
    ASSERT_TRUE(recorded.save(folder.file("game.ovr"), problem)) << problem;
    Replay loaded;
    ASSERT_TRUE(Replay::load(folder.file("game.ovr"), loaded, problem)) << problem;

    // Cosmetic code drawing from rand() between frames (the HUD's shake) changes nothing.
    const ReplayPlayer player = play(loaded, [] { std::rand(); });
    EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished);
    EXPECT_EQ(session.run().score, score);
    EXPECT_EQ(session.getFrame(), kFrames);
    EXPECT_EQ(session.run().weaponLevel, 2) << "the replay's stock, not the playing profile's";
}

TEST_F(ReplayTest, AMovedKeyEdgeIsCaughtAtTheFirstCheckAfterIt) {
    const Replay recorded = recordGame();
    struct Case {
        int32_t from, to, expected;
    };
    // The dash right starts late (checked at 900); the dash left ends late (checked at 1200).
    for (const Case& c : {Case{760, 765, 900}, Case{1030, 1037, 1200}}) {
        Replay changed = recorded;
        for (ReplayKey& key : changed.keys) {
            if (key.frame == c.from)
                key.frame = c.to;
        }
        const ReplayPlayer player = play(changed);
        EXPECT_EQ(player.getStatus(), ReplayPlayer::Desync) << "edge moved from " << c.from;
        EXPECT_EQ(player.getDesyncFrame(), c.expected) << "edge moved from " << c.from;
    }
}

// The game's last.ovr and a new best's own replay are the end-to-end replay run's; a game below
// the table's best keeps only last.ovr.
TEST_F(ReplayTest, AGameBelowTheBestKeepsNoBestReplay) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    const std::string folder = data.file("vortalis2/replays/");
    profile.arcadeScore[1] = 1000000000;
    recordGame();
    session.endGame();
    EXPECT_TRUE(std::filesystem::exists(folder + "last.ovr"));
    EXPECT_FALSE(std::filesystem::exists(
        folder + CXGameSession::highScoreReplayName(GameMode::Arcade, false, Difficulty::Normal)));
}

TEST_F(ReplayTest, TheHudsButtonsClickedWithTheMousePlayBack) {
    session.setSeed(777);
    session.choices().mode = GameMode::FreePlay;
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    auto& hud = *session.overlays().hud;
    hud.setPointerInUse(true);  // the HUD's buttons show for the mouse
    auto click = [&](const OXButton& button) {
        for (CXGameSession::Pointer event :
             {CXGameSession::Pointer::Pressed, CXGameSession::Pointer::Released}) {
            session.pointerEvent(event, button.getX() / 320.0f, button.getY() / 480.0f);
        }
    };
    auto& pauseScreen = *session.overlays().pause;
    int bombsBeforeClick = -1, bombsAfterClick = -1;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame == 800) {  // the ship is in play
            bombsBeforeClick = session.run().bombs;
            click(*hud.getButton(OXScnBaseHUD::BombButton));
            bombsAfterClick = session.run().bombs;
        }
        const OXButton& counter = *hud.getButton(OXScnBaseHUD::CounterButton);
        if (frame == 900)  // held: the main weapon fires...
            session.pointerEvent(CXGameSession::Pointer::Pressed, counter.getX() / 320.0f,
                                 counter.getY() / 480.0f);
        if (frame == 1000)  // ...until the release fires the counter-attack
            session.pointerEvent(CXGameSession::Pointer::Released, counter.getX() / 320.0f,
                                 counter.getY() / 480.0f);
        if (frame == 1100)  // paused and resumed by clicks
            click(*hud.getButton(OXScnBaseHUD::PauseButton));
        if (frame == 1110)
            click(*pauseScreen.getButton(OXScnBasePause::ResumeButton));
        session.tick(16.7f);
    }
    session.finishRecording();
    ASSERT_GT(bombsBeforeClick, 0);
    EXPECT_EQ(bombsAfterClick, bombsBeforeClick - 1) << "the bomb button used a bomb";
    EXPECT_EQ(session.getState(), CXGameSession::State::Playing) << "paused and resumed";
    // Bomb 2, counter-attack held 1, let go and released 3, pause key 2, RESUME chosen 2.
    EXPECT_EQ(session.getRecording().keys.size(), 10u) << "every click an input edge";
    const int64_t score = session.run().score;
    const int bombs = session.run().bombs;

    const Replay recorded = session.getRecording();
    const ReplayPlayer player = play(recorded);
    EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished) << "desync at " << player.getDesyncFrame();
    EXPECT_EQ(session.run().score, score);
    EXPECT_EQ(session.run().bombs, bombs);
}

// Ended from the pause, the game's replay is the end-to-end replay run's; here the window closes.
TEST_F(ReplayTest, AGameLeftByClosingTheWindowKeepsItsReplay) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    session.choices().mode = GameMode::FreePlay;
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    for (int frame = 0; frame < 400; ++frame) {
        session.tick(16.7f);
    }
    session.closeGame();
    Replay kept;
    std::string problem;
    ASSERT_TRUE(Replay::load(data.file("vortalis2/replays/last.ovr"), kept, problem)) << problem;
    EXPECT_GE(kept.frames, 400);
    EXPECT_EQ(play(kept).getStatus(), ReplayPlayer::Finished);
}

// A small valid replay as a property list, for the cases below to break.
Plist::Dictionary validList() {
    Replay replay;
    replay.frames = 600;
    replay.keys = {{10, kFire, true}, {20, kLeft, true}};
    replay.checks = {{300, 1}, {600, 2}};
    return replay.toPlist();
}
// Field `field` (frame, key, down) of key edge `edge`.
Plist::Value& keyField(Plist::Dictionary& list, int edge, int field) {
    return boost::any_cast<Plist::Array&>(boost::any_cast<Plist::Array&>(list["keys"])[edge])[field];
}

TEST(ReplayFileTest, FilesThatAreNotPlayableReplaysAreRefusedWithTheReason) {
    struct Case {
        const char* name;
        std::function<void(Plist::Dictionary&)> breakIt;
        const char* reason;
    };
    const Case cases[] = {
        {"other rules", [](Plist::Dictionary& d) { d["rules"] = int64_t{Replay::kRulesVersion + 1}; },
         "rules version 2"},
        {"huge frame count", [](Plist::Dictionary& d) { d["frames"] = int64_t{1} << 40; }, "\"frames\""},
        {"key outside the table",
         [](Plist::Dictionary& d) { keyField(d, 1, 1) = int64_t{Replay::kKeyCodes}; }, "key edge 1"},
        {"keys out of order", [](Plist::Dictionary& d) { keyField(d, 1, 0) = int64_t{5}; }, "key edge 1"},
        {"key past the end", [](Plist::Dictionary& d) { keyField(d, 0, 0) = int64_t{601}; }, "key edge 0"},
        {"keys not an array", [](Plist::Dictionary& d) { d["keys"] = std::string("many"); }, "\"keys\""},
        {"binding outside the table",
         [](Plist::Dictionary& d) { boost::any_cast<Plist::Array&>(d["bindings"])[0] = int64_t{-1}; },
         "binding"},
        {"no seed", [](Plist::Dictionary& d) { d.erase("seed"); }, "\"seed\""},
    };
    const testfiles::TempDir folder;
    for (const Case& c : cases) {
        Plist::Dictionary list = validList();
        c.breakIt(list);
        ASSERT_TRUE(Plist::writeBinaryFile(folder.file("broken.ovr"), list));
        Replay out;
        std::string problem;
        EXPECT_FALSE(Replay::load(folder.file("broken.ovr"), out, problem)) << c.name;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << c.name << ": " << problem;
    }

    // Cut short, or not a property list at all.
    std::ostringstream whole;
    Plist::writeBinary(whole, validList());
    const std::string bytes = whole.str();
    folder.write("whole.ovr", bytes);
    for (const std::string& contents : {bytes.substr(0, bytes.size() / 2), std::string("not a replay")}) {
        folder.write("cut.ovr", contents);
        Replay out;
        std::string problem;
        EXPECT_FALSE(Replay::load(folder.file("cut.ovr"), out, problem));
        EXPECT_FALSE(problem.empty());
    }
    Replay out;
    std::string problem;
    ASSERT_TRUE(Replay::load(folder.file("whole.ovr"), out, problem)) << problem;
    EXPECT_EQ(out.keys.size(), 2u);
}

}  // namespace
