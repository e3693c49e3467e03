// Replays on the real first stage: a game the session records plays back to the same checks
// and score, whatever else draws random numbers meanwhile, the HUD's mouse buttons included; a
// moved key edge is caught at the first check after it; games kept beside the profile, also
// when the window closes mid-way, named for the results screen and kept apart from the next
// game's; every field a watcher reads survives the file; and files that must be refused, those
// of another version of the game among them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <sstream>

#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "data/GameVersion.h"
#include "data/Plist.h"
#include "engine/OXButton.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/Replay.h"
#include "stg/game/ReplayLibrary.h"
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

// The last game's replay is named on the results screen; kept under a name, it outlives the next
// game's last.ovr; watching it changes neither. Its file says what was played and when.
TEST_F(ReplayTest, AKeptReplayOutlivesTheNextGameAndWatchingChangesNoResult) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    const std::string folder = data.file("vortalis2/replays");
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    recordGame();
    session.endGame();
    const GameResult first = session.getLastResult();
    ASSERT_EQ(first.replayPath, folder + "/last.ovr");
    Replay last, kept, next;
    std::string keptPath, problem;
    ASSERT_TRUE(Replay::load(first.replayPath, last, problem)) << problem;
    EXPECT_EQ(last.content, packageContentHash());
    EXPECT_EQ(last.gameVersion, gameVersion()) << "a replay names the game that recorded it";
    EXPECT_EQ(last.reached, 1);
    EXPECT_TRUE(last.date >= before && last.date <= static_cast<int64_t>(std::time(nullptr)));

    ASSERT_TRUE(replaylibrary::keepReplay(folder, first.replayPath, "my run", keptPath, problem)) << problem;
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    for (int frame = 0; frame < 300; ++frame) {
        session.tick(16.7f);
    }
    session.endGame();
    ASSERT_TRUE(Replay::load(keptPath, kept, problem)) << problem;
    ASSERT_TRUE(Replay::load(folder + "/last.ovr", next, problem)) << problem;
    EXPECT_EQ(next.frames, 300) << "last.ovr is the newer game's";
    EXPECT_EQ(kept.frames, kFrames) << "the kept copy is still the first game";

    // Watched as the application does, on a profile of its own: the results stay the last game's.
    const GameResult played = session.getLastResult();
    ReplayPlayer player;
    player.start(session, kept, playbackProfile);
    while (!player.isDone()) {
        session.setWatchSpeed(1);
        player.step(16.7f);
    }
    session.closeGame();
    EXPECT_EQ(session.getLastResult().replayPath, played.replayPath);
    EXPECT_EQ(session.getLastResult().score, played.score);
}

TEST_F(ReplayTest, APracticeGameKeepsItsLastReplayButNoBest) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    session.choices().mode = GameMode::StagePractice;
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame == 10)
            session.keyEvent(kFire, true);
        session.tick(16.7f);
    }
    ASSERT_TRUE(session.isPracticeGame());
    ASSERT_GT(session.run().score, 0) << "a score that would have been a best";
    session.endGame();
    std::vector<std::string> files;
    for (const auto& file : std::filesystem::directory_iterator(data.file("vortalis2/replays"))) {
        files.push_back(file.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"last.ovr"});
}

// A small valid replay as a property list, for the cases below to break.
Plist::Dictionary validList() {
    Replay replay;
    replay.content = packageContentHash();
    replay.frames = 600;
    replay.keys = {{10, kFire, true}, {20, kLeft, true}};
    replay.checks = {{300, 1}, {600, 2}};
    replay.marks = {{0, ReplayMark::StageStart, 0, -1, "STAGE 1"},
                    {400, ReplayMark::AttackStart, 0, 1, "RAIN"}};
    replay.hits = {{450, 10.5f, 20.25f, 4.0f, false, 0, "boss_a", 1, "RAIN"}};
    return replay.toPlist();
}
// Field `field` of entry `index` of the list's array `key`.
Plist::Value& field(Plist::Dictionary& list, const char* key, int index, int field) {
    return boost::any_cast<Plist::Array&>(boost::any_cast<Plist::Array&>(list[key])[index])[field];
}

// The bytes of a replay's file.
std::string fileBytes(const Replay& replay) {
    std::ostringstream bytes;
    Plist::writeBinary(bytes, replay.toPlist());
    return bytes.str();
}

TEST(ReplayFileTest, EveryFieldAWatcherReadsSurvivesTheFile) {
    Replay replay;
    replay.content = packageContentHash();
    replay.mode = storedNumber(GameMode::AttackPractice);
    replay.frames = 5000;
    replay.practice = true;
    replay.attackBoss = "boss_vigil";
    replay.attackPhase = 3;
    replay.name = std::string("od\xff d\0\x1b[2J\xe2\x82\xac", 13);  // kept as given, shown cleaned
    replay.date = 1796000000;
    replay.reached = CXUserProfile::kReachedHiddenStage;
    replay.gameVersion = "0.9.1";  // an earlier game's, still played when the content is the same
    replay.marks = {{0, ReplayMark::StageStart, 5, -1, "STAGE 5"},
                    {1200, ReplayMark::AttackStart, 5, 3, "LAST"}};
    replay.hits = {{1300, -12.5f, 300.75f, 6.0f, true, 5, "boss_vigil", 3, "LAST"},
                   {4000, 160.0f, 20.0f, 2.5f, false, 5, "", -1, "STAGE 5"}};
    const testfiles::TempDir folder;
    std::string problem;
    ASSERT_TRUE(replay.save(folder.file("r.ovr"), problem)) << problem;
    Replay out;
    ASSERT_TRUE(Replay::load(folder.file("r.ovr"), out, problem)) << problem;
    EXPECT_EQ(fileBytes(out), fileBytes(replay)) << "every field read back as written";
    EXPECT_EQ(out.name, replay.name);
    ASSERT_EQ(out.hits.size(), 2u);
    EXPECT_EQ(out.hits[0].y, 300.75f);

    // Replays from before these keys (but naming the content) read with the defaults.
    Plist::Dictionary bare = replay.toPlist();
    for (const char* key : {"practice", "attack boss", "attack phase", "name", "date", "reached", "marks",
                            "hits", "game version"}) {
        bare.erase(key);
    }
    ASSERT_TRUE(Replay::fromPlist(bare, out, problem)) << problem;
    EXPECT_TRUE(!out.practice && out.reached == 1 && out.marks.empty() && out.hits.empty() &&
                out.name.empty() && out.gameVersion.empty());
}

// A replay of another version of the game is refused with the line the runner and the console
// print, never played out of step.
TEST(ReplayFileTest, AReplayOfAnotherVersionIsRefusedByItsVersion) {
    const std::string here = packageContentHash();
    ASSERT_EQ(here.size(), 16u);
    const struct {
        std::function<void(Plist::Dictionary&)> change;
        std::string reason;
    } cases[] = {
        {[](Plist::Dictionary& d) { d["rules"] = int64_t{Replay::kRulesVersion + 1}; },
         "recorded under rules 2, this game plays rules 1"},
        {[](Plist::Dictionary& d) { d["content"] = std::string("0123456789abcdef"); },
         "recorded on other content (package 0123456789abcdef, this one " + here + ")"},
        {[](Plist::Dictionary& d) { d.erase("content"); }, "recorded before replays named their content"},
    };
    for (const auto& c : cases) {
        Plist::Dictionary list = validList();
        c.change(list);
        Replay out;
        std::string problem;
        EXPECT_FALSE(Replay::fromPlist(list, out, problem));
        EXPECT_EQ(problem, c.reason);
        EXPECT_TRUE(Replay::isOtherVersion(problem));
    }
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
        {"content not a text", [](Plist::Dictionary& d) { d["content"] = int64_t{7}; }, "\"content\""},
        {"mark past the end", [](Plist::Dictionary& d) { field(d, "marks", 1, 0) = int64_t{601}; }, "mark 1"},
        {"marks out of order", [](Plist::Dictionary& d) { field(d, "marks", 1, 0) = int64_t{-1}; }, "mark 1"},
        {"mark label a number", [](Plist::Dictionary& d) { field(d, "marks", 0, 4) = int64_t{3}; }, "mark 0"},
        {"hit place a text", [](Plist::Dictionary& d) { field(d, "hits", 0, 1) = std::string("x"); },
         "hit 0"},
        {"hit place not finite",
         [](Plist::Dictionary& d) { field(d, "hits", 0, 2) = std::numeric_limits<double>::infinity(); },
         "hit 0"},
        {"hits a number", [](Plist::Dictionary& d) { d["hits"] = int64_t{2}; }, "\"hits\""},
        {"name a number", [](Plist::Dictionary& d) { d["name"] = int64_t{2}; }, "\"name\""},
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
        EXPECT_FALSE(Replay::isOtherVersion(problem)) << c.name << " is damage: " << problem;
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
        EXPECT_FALSE(Replay::isOtherVersion(problem)) << problem;
    }
    Replay out;
    std::string problem;
    ASSERT_TRUE(Replay::load(folder.file("whole.ovr"), out, problem)) << problem;
    EXPECT_EQ(out.keys.size(), 2u);
}

}  // namespace
