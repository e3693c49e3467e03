// The hangar, high-score, options, control-settings and results screens driven as a player
// drives them, for what the end-to-end menu runs (menu_screens) do not see: refusals, Back
// leaving the profile alone, values saved that the runs do not read back, and keys shared
// between actions. They run on the real asset package and the recording GL device, with a
// stand-in for the application.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MenuTestHost.h"
#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSlider.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnVLHanger.h"
#include "frontend/OXScnVLHighScore.h"
#include "frontend/OXScnVLInputTest.h"
#include "frontend/OXScnVLOption.h"
#include "frontend/OXScnVLResults.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// Game key codes of the keys the tests press.
constexpr int kZ = 2, kC = 1, kLeft = 28, kRight = 29, kDown = 31;

// A screen built and entered as the application does it, its profile saving to a temporary
// folder.
template <class Screen>
class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gametest::packageMounted());
        host.userProfile.setPath(folder.file("profile/save.osf"));
    }
    // Builds the screen from the profile as it is now and enters it.
    Screen& open() {
        screen.init();
        screen.setViewWidth(768);
        screen.setViewHeight(1024);
        screen.setHighlightSprite("assets/plist/spr_select_highlight");
        screen.setVisible(true);
        screen.setActive(true);
        screen.enterStarted();
        screen.enterFinished();
        return screen;
    }
    void press(int key) {
        screen.keyEvent(key, true);
        screen.keyEvent(key, false);
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            screen.tick(16.7f);
        }
    }
    // The profile as a new run would load it.
    CXUserProfile saved() const {
        CXUserProfile copy;
        copy.setPath(folder.file("profile/save.osf"));
        copy.load();
        return copy;
    }
    const IXRenderObject* highlighted() const { return screen.getSelectables()[screen.getSelectedIndex()]; }

    testfiles::TempDir folder;
    MenuTestHost host;
    Screen screen{host};
};

// ---- Hangar ----

using HangarScreen = ScreenTest<OXScnVLHanger>;

TEST_F(HangarScreen, ADisabledPlusIgnoresAcceptAndBackForgetsTheTrades) {
    host.userProfile.upgradePoints = 1000;
    host.userProfile.continues = 5;  // at its maximum
    OXScnVLHanger& hangar = open();
    EXPECT_EQ(hangar.getPlus(HangarUpgrades::Continues)->getState(), OXButton::Disabled);
    EXPECT_EQ(hangar.getPrice(HangarUpgrades::Continues)->getText(), "MAX LEVEL");
    hangar.buttonPressed(OXScnVLHanger::FirstPlus + HangarUpgrades::Continues);
    EXPECT_EQ(hangar.getUpgrades().points(), 1000);
    hangar.buttonPressed(OXScnVLHanger::FirstMinus + HangarUpgrades::Continues);
    hangar.buttonPressed(OXScnVLHanger::FirstPlus + HangarUpgrades::Bombs);
    EXPECT_EQ(hangar.getUpgrades().points(), 1000 + 250 - 150);
    hangar.buttonPressed(OXScnVLHanger::Back);
    EXPECT_EQ(host.scene, kDifficultyScene);
    hangar.enterStarted();  // shown again
    EXPECT_EQ(hangar.getUpgrades().level(HangarUpgrades::Continues), 5);
    EXPECT_EQ(hangar.getUpgrades().points(), 1000);
    EXPECT_EQ(host.userProfile.bombs, 2);
}

TEST_F(HangarScreen, PointsEarnedByAGameReachTheHangarAndSurviveLaunch) {
    OXScnVLHanger& hangar = open();
    ASSERT_EQ(hangar.getUpgrades().points(), 0);
    // A game whose cleared stage raises the rank once (its 200 reach rank 1's 700), then the
    // hangar again.
    host.userProfile.expToLevel = 600;
    CXGameSession& session = CXGameSession::instance();
    session.setProfile(&host.userProfile);
    session.setScreenSize(450, 600);
    session.choices().mode = GameMode::Arcade;
    session.choices().casual = false;
    session.choices().difficulty = Difficulty::Normal;
    testing::internal::CaptureStdout();
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    session.tick(16.7f);
    ASSERT_NE(session.getGameScene(), nullptr);
    session.getGameScene()->stageCleared();
    session.endGame();
    session.tearDown();
    session.setProfile(nullptr);
    testing::internal::GetCapturedStdout();
    hangar.enterStarted();
    EXPECT_EQ(hangar.getUpgrades().points(), 100);
    EXPECT_EQ(hangar.getPoints()->getText(), "100");
    hangar.buttonPressed(OXScnVLHanger::Launch);
    EXPECT_EQ(saved().upgradePoints, 100) << "LAUNCH keeps the points it did not spend";
}

TEST_F(HangarScreen, TheFootLinesFollowTheHighlightedRow) {
    OXScnVLHanger& hangar = open();
    hangar.update(16.7f);
    const std::string onLaunch = hangar.getHelp(0)->getText() + hangar.getHelp(1)->getText();
    EXPECT_NE(onLaunch.find("POINTS"), std::string::npos) << "LAUNCH says how points are earned";
    std::vector<std::string> seen{onLaunch};
    for (int item = 0; item < HangarUpgrades::kItemCount; ++item) {
        press(kDown);
        hangar.update(16.7f);
        ASSERT_EQ(hangar.highlightedItem(), item);
        const std::string lines = hangar.getHelp(0)->getText() + hangar.getHelp(1)->getText();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), lines), 0) << "row " << item << " says " << lines;
        seen.push_back(lines);
    }
}

// ---- Results ----

using ResultsScreen = ScreenTest<OXScnVLResults>;

TEST_F(ResultsScreen, AcceptFinishesTheCountAtOnce) {
    earnExperience(host.userProfile, 8, 3000, 2500);
    OXScnVLResults& results = open();
    press(kZ);
    EXPECT_TRUE(results.getCounter().finished());
    EXPECT_EQ(results.getCounterText()->getText(), "MAX LEVEL");
    EXPECT_TRUE(results.getNext()->isVisible());
    EXPECT_EQ(host.scene, -1);  // the skip does not also press NEXT
}

// The game's replay: SEE HIT only when it names a hit, KEEP REPLAY only when there is one, both
// reached with the keys after the count; the captures listed, a long list cut short.
TEST_F(ResultsScreen, SeeHitAndKeepReplayFollowTheGamesReplay) {
    host.lastResult.ended = true;
    host.lastResult.capturedAttacks = {"CURLING CURTAINS", "A", "B", "C", "D"};
    OXScnVLResults& none = open();
    EXPECT_FALSE(none.getButton(OXScnVLResults::SeeHit)->isVisible());
    EXPECT_FALSE(none.getButton(OXScnVLResults::KeepReplay)->isVisible());
    EXPECT_EQ(none.getCaptureLine(0)->getText(), "CURLING CURTAINS");
    EXPECT_EQ(none.getCaptureLine(2)->getText(), "+3 MORE");

    for (const int hits : {0, 2}) {
        host.lastResult.replayPath = "/tmp/replays/last.ovr";
        host.lastResult.hits = hits;
        host.lastResult.capturedAttacks.clear();
        OXScnVLResults results{host};
        results.init();
        results.setVisible(true);
        results.setActive(true);
        results.setViewWidth(768);
        results.setViewHeight(1024);
        results.setHighlightSprite("assets/plist/spr_select_highlight");
        results.enterStarted();
        results.enterFinished();
        EXPECT_EQ(results.getCaptureLine(0)->getText(), "NO ATTACK CAPTURED");
        EXPECT_EQ(results.getButton(OXScnVLResults::SeeHit)->isVisible(), hits > 0);
        // NEXT, HANGAR, then SEE HIT when shown, else KEEP REPLAY.
        for (int step = 0; step < 2; ++step) {
            results.keyEvent(kDown, true);
            results.keyEvent(kDown, false);
        }
        results.keyEvent(kZ, true);
        results.keyEvent(kZ, false);
        if (hits > 0) {
            EXPECT_EQ(host.watched, "/tmp/replays/last.ovr");
            EXPECT_EQ(host.shownHit, -1) << "the game's last hit";
            EXPECT_EQ(host.watchReturn, kResultsScene);
        } else {
            EXPECT_TRUE(host.keepAsked);
            EXPECT_EQ(host.scene, kReplayScene);
        }
    }
}

// A practice game: no count, the buttons at once; RETRY starts the same practice again, BACK
// (the button or the back key) returns to the practice screen, or to the main menu for a game
// taken over from a replay, which has no RETRY.
TEST_F(ResultsScreen, APracticeGameOffersRetryAndBack) {
    earnExperience(host.userProfile, 2, 100, 500);  // nothing of it is counted here
    host.lastResult.ended = true;
    host.lastResult.practice = true;
    host.lastResult.mode = GameMode::AttackPractice;
    host.choices.mode = GameMode::AttackPractice;
    host.choices.practice.phase = 3;
    OXScnVLResults& results = open();
    ASSERT_TRUE(results.isPracticeLayout());
    EXPECT_EQ(results.getBadge(), nullptr);
    OXButton* retry = results.getButton(OXScnVLResults::Retry);
    ASSERT_NE(retry, nullptr);
    EXPECT_TRUE(retry->isVisible());
    EXPECT_EQ(highlighted(), retry);
    press(kZ);
    EXPECT_EQ(host.stageStarts, 1);
    EXPECT_EQ(host.choices.mode, GameMode::AttackPractice);
    EXPECT_EQ(host.choices.practice.phase, 3);
    press(kC);
    EXPECT_EQ(host.scene, kPracticeScene);

    host.lastResult.mode = GameMode::Arcade;  // taken over from a replay
    OXScnVLResults takenOver{host};
    takenOver.init();
    EXPECT_EQ(takenOver.getButton(OXScnVLResults::Retry), nullptr);
    takenOver.enterStarted();
    takenOver.buttonPressed(OXScnVLResults::Back);
    EXPECT_EQ(host.scene, kMainScene);
}

// ---- Options ----

using OptionScreen = ScreenTest<OXScnVLOption>;

TEST_F(OptionScreen, BackgroundDimmingStepsByTenthsAndStopsAtEightTenths) {
    OXScnVLOption& options = open();
    for (int i = 0; i < 4; ++i) {
        press(kDown);
    }
    ASSERT_EQ(highlighted(), options.getSlider(OXScnVLOption::BackgroundDimming));
    for (int i = 0; i < 10; ++i) {
        press(kRight);
    }
    EXPECT_EQ(options.getSliderValue(OXScnVLOption::BackgroundDimming)->getText(), "80%");
    press(kLeft);
    frames(2);  // the sliders' own frames keep the values
    EXPECT_NEAR(options.getSettings().backgroundDimming, 0.7f, 1e-5f);
}

TEST_F(OptionScreen, BackRestoresTheVolumesAndSavesNothing) {
    host.userProfile.musicVolume = 0.3f;
    host.userProfile.sfxVolume = 0.6f;
    host.userProfile.save();
    OXScnVLOption& options = open();
    options.getSlider(OXScnVLOption::MusicVolume)->setValue(1.0f);
    options.getSlider(OXScnVLOption::SfxVolume)->setValue(0.0f);
    frames(1);
    EXPECT_FLOAT_EQ(host.musicHeard, 1.0f);
    options.buttonPressed(OXScnVLOption::BackgroundMode);
    options.buttonPressed(OXScnVLOption::LowLatency);
    options.buttonPressed(OXScnVLOption::Back);
    EXPECT_EQ(host.scene, kMainScene);
    EXPECT_FALSE(host.userProfile.lowLatency);
    EXPECT_NEAR(host.musicHeard, 0.3f, 1e-5f);
    EXPECT_NEAR(host.sfxHeard, 0.6f, 1e-5f);
    EXPECT_NEAR(options.getSlider(OXScnVLOption::MusicVolume)->getValue(), 0.3f, 1e-5f);
    EXPECT_EQ(host.userProfile.backgroundMode, BackgroundMirrored);
    EXPECT_NEAR(saved().musicVolume, 0.3f, 1e-5f);
}

TEST_F(OptionScreen, SaveAndControlSettingsWriteEverythingAndApplyIt) {
    for (const int button : {OXScnVLOption::Save, OXScnVLOption::ControlSettings}) {
        host.userProfile = CXUserProfile();
        host.userProfile.setPath(folder.file("profile/save.osf"));
        OXScnVLOption& options = screen;
        if (button == OXScnVLOption::Save) {
            open();
        } else {
            options.enterStarted();
        }
        options.getSlider(OXScnVLOption::MusicVolume)->setValue(0.8f);
        options.getSlider(OXScnVLOption::BackgroundDimming)->setValue(0.3f);
        options.buttonPressed(OXScnVLOption::BackgroundMode);
        options.buttonPressed(OXScnVLOption::ScreenRotation);
        options.buttonPressed(OXScnVLOption::AspectRatio);
        options.buttonPressed(OXScnVLOption::TranceWarning);
        options.buttonPressed(OXScnVLOption::AutoTranceOn);
        options.buttonPressed(OXScnVLOption::BulletContrast);
        options.buttonPressed(OXScnVLOption::HitboxMarker);
        options.buttonPressed(OXScnVLOption::LowLatency);
        EXPECT_FALSE(options.getToggle(OXScnVLOption::AutoTranceOn)->isVisible());
        EXPECT_TRUE(options.getToggle(OXScnVLOption::AutoTranceOff)->isVisible());
        options.buttonPressed(button);
        EXPECT_EQ(host.scene, button == OXScnVLOption::Save ? kMainScene : kOptionControlScene);
        const CXUserProfile stored = saved();
        EXPECT_NEAR(stored.musicVolume, 0.8f, 1e-5f) << button;
        EXPECT_NEAR(stored.backgroundDimming, 0.3f * CXUserProfile::kMostDimming, 1e-5f);  // of the most
        EXPECT_EQ(stored.backgroundMode, BackgroundNone);
        EXPECT_EQ(stored.screenOrientation, ScreenTurned90);
        EXPECT_EQ(stored.aspectRatio, Aspect16x9);
        EXPECT_FALSE(stored.tranceWarning);
        EXPECT_FALSE(stored.autoTrance);
        EXPECT_TRUE(stored.bulletContrast);
        EXPECT_TRUE(stored.hitboxMarker);
        EXPECT_TRUE(stored.lowLatency);
        EXPECT_EQ(host.rotation, 1);
        EXPECT_EQ(host.aspect, 1);
    }
}

// The input test is a visit: the choices made before it are still there, unsaved, on the way
// back, and SAVE keeps them then.
TEST_F(OptionScreen, TheInputTestKeepsTheUnsavedChoicesForTheReturn) {
    OXScnVLOption& options = open();
    options.buttonPressed(OXScnVLOption::LowLatency);
    options.buttonPressed(OXScnVLOption::HitboxMarker);
    options.buttonPressed(OXScnVLOption::InputTest);
    EXPECT_EQ(host.scene, kInputTestScene);
    EXPECT_FALSE(saved().lowLatency);
    options.exitStarted();
    options.enterStarted();
    options.buttonPressed(OXScnVLOption::Save);
    EXPECT_TRUE(saved().lowLatency);
    EXPECT_TRUE(saved().hitboxMarker);
    // A later entry reads the profile again: its SAVE keeps what the profile holds.
    host.userProfile.lowLatency = false;
    options.enterStarted();
    options.buttonPressed(OXScnVLOption::Save);
    EXPECT_FALSE(saved().lowLatency);
}

// ---- Input test ----

using InputTestScreen = ScreenTest<OXScnVLInputTest>;

// The square is dark until a press; the press lights it for the very next frame drawn and moves
// the marker one stop; it goes dark again by itself, so the next press shows as a new light.
TEST_F(InputTestScreen, APressLightsTheSquareOnTheNextFrameAndStepsTheMarker) {
    OXScnVLInputTest& test = open();
    frames(20);
    EXPECT_FALSE(test.isSquareLit());
    EXPECT_EQ(test.getMarkerStep(), 0);
    for (const int key : {kZ, kDown, 7}) {  // fire, a direction, any other key or pad button
        SCOPED_TRACE(key);
        const int before = test.getMarkerStep();
        test.keyEvent(key, true);
        frames(1);  // the frame that follows the press
        EXPECT_TRUE(test.isSquareLit());
        EXPECT_EQ(test.getMarkerStep(), (before + 1) % OXScnVLInputTest::kMarkerSteps);
        test.keyEvent(key, false);  // letting go is not a press
        frames(10);
        EXPECT_FALSE(test.isSquareLit());
        EXPECT_EQ(test.getMarkerStep(), (before + 1) % OXScnVLInputTest::kMarkerSteps);
    }
    EXPECT_EQ(host.scene, -1) << "no press but back leaves";
    // The marker goes round its track.
    for (int i = 0; i < OXScnVLInputTest::kMarkerSteps; ++i) {
        press(kZ);
    }
    EXPECT_EQ(test.getMarkerStep(), 3);
}

TEST_F(InputTestScreen, BackLeavesForTheOptionsAndAReturnStartsDark) {
    OXScnVLInputTest& test = open();
    press(kC);
    EXPECT_EQ(host.scene, kOptionScene);
    test.exitStarted();
    test.enterStarted();
    EXPECT_FALSE(test.isSquareLit());
    EXPECT_EQ(test.getMarkerStep(), 0);
}

// ---- High scores ----

using HighScoreScreen = ScreenTest<OXScnVLHighScore>;

TEST_F(HighScoreScreen, EachTableShowsItsScoresPadded) {
    host.userProfile.arcadeScore[2] = 1234567;
    host.userProfile.classicScore[0] = 42;
    host.userProfile.bossScore[1] = 9000;
    OXScnVLHighScore& scores = open();
    EXPECT_EQ(scores.getScore(2)->getText(), "         1234567");
    press(kLeft);
    EXPECT_EQ(scores.getTable(), HighScoreBoard::Casual);
    EXPECT_EQ(scores.getScore(0)->getText(), "              42");
    scores.buttonPressed(OXScnVLHighScore::BossRush);
    EXPECT_EQ(scores.getScore(1)->getText(), "            9000");
    EXPECT_FALSE(scores.getScore(2)->isVisible());
    EXPECT_EQ(scores.getLabel(2), nullptr);
    scores.backPressed();
    EXPECT_EQ(host.scene, kMainScene);
}

TEST_F(HighScoreScreen, EachBestSaysHowFarItsGameWentAndTheTrueRouteItsDifficulties) {
    CXUserProfile& values = host.userProfile;
    values.arcadeScore[0] = 10;  // a best kept before the game noted how far it went
    values.arcadeScore[1] = 500;
    values.arcadeReach[1] = 3;
    values.arcadeScore[2] = 1000;
    values.arcadeReach[2] = CXUserProfile::kReachedHiddenStage;
    values.trueRouteCleared[3] = true;
    OXScnVLHighScore& scores = open();
    ASSERT_EQ(scores.getTable(), HighScoreBoard::Normal);
    EXPECT_EQ(scores.getReach(0)->getText(), "");
    EXPECT_EQ(scores.getReach(1)->getText(), "STAGE 3");
    EXPECT_EQ(scores.getReach(2)->getText(), "TRUE FIFTH");
    EXPECT_EQ(scores.getReach(3)->getText(), "") << "no best, nothing reached";
    EXPECT_EQ(scores.getTrueRoute()->getText(), "EXTREME");
    values.trueRouteCleared[2] = true;
    press(kLeft);
    EXPECT_EQ(scores.getTrueRoute()->getText(), "HARD, EXTREME") << "whatever the play style";
    scores.buttonPressed(OXScnVLHighScore::BossRush);
    EXPECT_EQ(scores.getTrueRoute()->getText(), "");
    EXPECT_FALSE(scores.getReach(2)->isVisible());
}

// The tab lit, the tab highlighted and the table shown are one and the same, from the moment
// the screen opens (on the play style last played) and through left and right.
TEST_F(HighScoreScreen, TheHighlightedTabIsTheTableShownAndLeftAndRightGoThroughTheTabs) {
    const auto highlightedId = [this] { return dynamic_cast<const OXButton&>(*highlighted()).getId(); };
    host.choices.casual = false;
    OXScnVLHighScore& scores = open();
    EXPECT_EQ(scores.getTable(), HighScoreBoard::Normal);
    EXPECT_EQ(highlightedId(), OXScnVLHighScore::Normal);
    const struct {
        int key, table, tab;
    } steps[] = {{kRight, HighScoreBoard::BossRush, OXScnVLHighScore::BossRush},
                 {kRight, HighScoreBoard::Casual, OXScnVLHighScore::Casual},
                 {kLeft, HighScoreBoard::BossRush, OXScnVLHighScore::BossRush},
                 {kZ, HighScoreBoard::BossRush, OXScnVLHighScore::BossRush}};
    for (const auto& step : steps) {
        press(step.key);
        EXPECT_EQ(scores.getTable(), step.table) << "key " << step.key;
        EXPECT_EQ(highlightedId(), step.tab) << "key " << step.key;
    }
    scores.exitStarted();
    host.choices.casual = true;
    scores.enterStarted();
    scores.enterFinished();
    EXPECT_EQ(scores.getTable(), HighScoreBoard::Casual);
    EXPECT_EQ(highlightedId(), OXScnVLHighScore::Casual);
}

TEST_F(HighScoreScreen, ARowWithAKeptReplayOffersToWatchIt) {
    const testfiles::TempDir data;
    host.userProfile.setPath(data.file("vortalis2/profile/save.osf"));
    data.write("vortalis2/replays/best-arcade-normal-1.ovr", "kept by the game");
    data.write("vortalis2/replays/best-bossrush-casual.ovr", "kept by the game");
    OXScnVLHighScore& scores = open();
    ASSERT_EQ(scores.getTable(), HighScoreBoard::Normal);
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        EXPECT_EQ(scores.getWatchButton(row)->isVisible(), row == 1) << "row " << row;
    }
    scores.buttonPressed(OXScnVLHighScore::WatchFirstRow + 1);
    EXPECT_EQ(host.watched, data.file("vortalis2/replays/best-arcade-normal-1.ovr"));
    scores.buttonPressed(OXScnVLHighScore::BossRush);  // its rows: normal play, then casual
    EXPECT_FALSE(scores.getWatchButton(0)->isVisible());
    EXPECT_TRUE(scores.getWatchButton(1)->isVisible());
    EXPECT_FALSE(scores.getWatchButton(2)->isVisible());
}

}  // namespace
