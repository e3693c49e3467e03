// The game session's state machine on the real first stage: starting,
// playing on the fixed step, continues, game over, the profile saved as the
// game goes, and the choice of stage files; a first stage whose stage, wave or
// ship file is missing or unreadable says which and ends back at the menus.
// (Pausing, the end-game question and the stage summary are the overlay tests'.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXScene.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/GameRun.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kPauseKey = 26;
constexpr int kFireKey = 2;

using GameSessionTest = gametest::SessionTest;

TEST_F(GameSessionTest, AGameStartsFromTheProfileWaitsForTheLoadedStageAndPlaysOnTheFixedStep) {
    profile.lives = 3;
    profile.bombs = 4;
    profile.continues = 2;
    profile.arcadeScore[1] = 777;
    session.startGame(CXGameSession::kArcadeLevelList, 0);

    EXPECT_EQ(session.getState(), CXGameSession::State::StageLoading);
    ASSERT_FALSE(session.getLevelList().empty());
    EXPECT_EQ(session.getLevelList().front(), "stage_1");
    EXPECT_EQ(session.run().lives, 3);
    EXPECT_EQ(session.run().bombs, 4);
    EXPECT_EQ(session.run().continues, 2);
    EXPECT_EQ(session.run().highScore, 777);
    ASSERT_NE(session.getGameScene(), nullptr);
    EXPECT_TRUE(session.getGameScene()->isStageLoaded());

    // Nothing moves until the stage is ready.
    session.tick(16.7f);
    EXPECT_EQ(session.getGameScene()->getStageTime(), 0.0f);
    session.markReadyToStart();
    session.tick(16.7f);
    EXPECT_EQ(session.getState(), CXGameSession::State::Playing);
    EXPECT_EQ(session.getGameScene()->getStageState(), OXScnBaseSTGGame::Started);

    // Then the stage advances by its fixed step, whatever the frame time.
    const float before = session.getGameScene()->getStageTime();
    session.tick(5.0f);
    session.tick(250.0f);
    EXPECT_FLOAT_EQ(session.getGameScene()->getStageTime() - before, 2 * CXGameSession::kStageStepMs);
}

TEST(GameRunRules, TheScoreLivesBombsAndContinuesChangeAsAPlayerExpects) {
    GameRun run;
    run.highScore = run.bestBefore = 500;
    run.setScore(400);
    EXPECT_EQ(run.highScore, 500) << "a lower score leaves the best";
    EXPECT_FALSE(run.isNewRecord());
    run.setScore(900);
    EXPECT_EQ(run.highScore, 900);
    EXPECT_TRUE(run.isNewRecord());

    run.useBomb();
    run.useBomb();
    run.useBomb();
    EXPECT_EQ(run.bombs, 0) << "no bomb below none";
    run.countRespawn(true);
    EXPECT_EQ(run.lives, run.startLives) << "the stage's first ship is free";
    run.countRespawn(false);
    EXPECT_EQ(run.lives, run.startLives - 1);
    EXPECT_EQ(run.bombs, run.startBombs) << "a new ship comes with its bombs";

    run.takeContinue();
    EXPECT_EQ(run.continues, run.startContinues - 1);
    EXPECT_EQ(run.lives, run.startLives + 1);
    EXPECT_EQ(run.score, 0);
    EXPECT_EQ(run.highScore, 900) << "a continue gives up the score, not the best";
}

TEST_F(GameSessionTest, AGamePlaysTheChoicesItStartedWithWhateverTheMenusChooseLater) {
    profile.bossScore[1] = 5000;
    session.choices().mode = GameMode::BossRush;
    session.choices().casual = true;
    session.startGame(CXGameSession::kBossRushLevelList, 0);
    EXPECT_EQ(session.run().highScore, 5000) << "HI-SCORE is the casual boss rush table's";

    session.choices() = GameChoices{};  // the menus choose again
    session.run().setScore(6000);
    testing::internal::CaptureStdout();
    session.endGame();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(profile.bossScore[1], 6000);
    EXPECT_EQ(profile.arcadeScore[1], 0);
    EXPECT_TRUE(session.getLastResult().newRecord);
}

TEST_F(GameSessionTest, WithoutAProfileAGameHasAFreshProfilesStockAndKeys) {
    session.setProfile(nullptr);
    startPlaying();
    const CXUserProfile fresh;
    EXPECT_EQ(session.run().lives, fresh.lives);
    EXPECT_EQ(session.run().bombs, fresh.bombs);
    EXPECT_EQ(session.run().continues, fresh.continues);
    session.keyEvent(CXUserProfile::kDefaultControls[3], true);
    session.keyEvent(CXUserProfile::kDefaultControls[3], false);
    EXPECT_EQ(session.getState(), CXGameSession::State::InOverlay) << "the default pause key pauses";
}

TEST_F(GameSessionTest, AnUnreadableLevelListStartsNoStageAndTheNextTickEndsTheGame) {
    // The game before leaves its score and experience in the session: none may count again.
    startPlaying();
    session.run().setScore(4000);
    session.run().countKill();
    session.endGame();
    const int experience = profile.expToLevel;
    session.choices().mode = GameMode::BossRush;
    const char* const lists[] = {
        "assets/plist/no_such_level_list.plist",  // missing
        "assets/plist/atlas_bullets.plist",       // a dictionary where the array belongs
        "Shaders/110/Shader.vsh",                 // not a property list at all
    };
    for (const char* list : lists) {
        SCOPED_TRACE(list);
        testing::internal::CaptureStdout();
        session.startGame(list, 0);
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_NE(console.find(std::string("NO STAGES TO PLAY IN ") + list + ", BACK TO THE MENUS\n"),
                  std::string::npos)
            << console;
        EXPECT_EQ(session.getGameScene(), nullptr);
        EXPECT_EQ(session.getState(), CXGameSession::State::Ending);
        const int before = endings;
        session.markReadyToStart();
        session.tick(16.7f);
        EXPECT_EQ(endings, before + 1) << "the menus are asked back";
        EXPECT_EQ(session.getState(), CXGameSession::State::Idle);
        EXPECT_EQ(profile.bossScore[0], 0);
        EXPECT_EQ(profile.expToLevel, experience);
        EXPECT_EQ(session.getLastResult().score, 0);
    }
}

TEST_F(GameSessionTest, TheHiddenLastStageNeedsHardArcadeWithoutAContinueUsedOrFreePlaysChoice) {
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.setLevelList({"s1", "s2", "s3", "s4", "s5"});
    const std::string normalFifth = "assets/plist/s5.plist";
    const std::string hidden = std::string(CXGameSession::kTrueRouteStage) + ".plist";

    EXPECT_EQ(session.stagePathFor(4), normalFifth);  // normal difficulty
    session.run().difficulty = Difficulty::Hard;
    EXPECT_EQ(session.stagePathFor(4), hidden);
    session.run().difficulty = Difficulty::Extreme;
    EXPECT_EQ(session.stagePathFor(4), hidden);
    session.run().continues = session.run().startContinues - 1;
    EXPECT_EQ(session.stagePathFor(4), normalFifth);
    session.run().continues = session.run().startContinues;
    session.run().mode = GameMode::FreePlay;
    EXPECT_EQ(session.stagePathFor(4), normalFifth);
    EXPECT_EQ(session.stagePathFor(5), "");
    // Free play reaches it only when chosen, on any difficulty, in the last stage's place.
    session.run().hiddenStageChosen = true;
    session.run().difficulty = Difficulty::Easy;
    EXPECT_EQ(session.stagePathFor(4), hidden);
    EXPECT_EQ(session.stagePathFor(3), "assets/plist/s4.plist");
}

// The arcade's last stage cleared ends the game with the credits; on hard without a continue
// it is the hidden stage, the final credits, and the profile keeps the true route and how far
// the best game went.
TEST_F(GameSessionTest, ClearingTheLastStageFinishesTheGameAndTheHiddenOneTheTrueRoute) {
    for (const Difficulty difficulty : {Difficulty::Normal, Difficulty::Hard}) {
        const bool hard = difficulty == Difficulty::Hard;
        SCOPED_TRACE(hard ? "hard" : "normal");
        profile.reset();
        session.choices().difficulty = difficulty;
        session.startGame(CXGameSession::kArcadeLevelList, CXGameSession::kTrueRouteStageIndex);
        session.markReadyToStart();
        session.tick(16.7f);
        ASSERT_EQ(session.getState(), CXGameSession::State::Playing);
        EXPECT_EQ(session.run().trueRoute, hard);
        EXPECT_EQ(profile.hiddenStageReached, hard) << "free play offers the hidden stage once reached";

        session.run().setScore(123456);
        session.getGameScene()->stageCleared();
        EXPECT_TRUE(session.run().gameFinished);
        session.summaryFinished();
        EXPECT_EQ(session.getState(), CXGameSession::State::Ending);
        session.endGame();
        const int table = storedNumber(difficulty);
        EXPECT_GE(profile.arcadeScore[table], 123456);
        EXPECT_EQ(profile.arcadeReach[table], hard ? CXUserProfile::kReachedHiddenStage : 5);
        EXPECT_EQ(profile.trueRouteCleared[table], hard);
        EXPECT_FALSE(profile.trueRouteCleared[storedNumber(Difficulty::Extreme)]);
    }
    // A game below the best leaves the best's reach as it was.
    session.choices().difficulty = Difficulty::Hard;
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    session.tick(16.7f);
    session.run().setScore(5);
    session.endGame();
    EXPECT_EQ(profile.arcadeReach[storedNumber(Difficulty::Hard)], CXUserProfile::kReachedHiddenStage);
}

TEST_F(GameSessionTest, TheGameIsWrittenToTheProfileFileAsItGoes) {
    testfiles::TempDir folder;
    const std::string path = folder.file("profile/save.osf");
    profile.setPath(path);
    profile.expToLevel = 600;  // the stage's 200 reach rank 1's 700
    const auto stored = [&path] {
        CXUserProfile onDisk;
        onDisk.setPath(path);
        onDisk.load();
        return onDisk;
    };
    testing::internal::CaptureStdout();
    startPlaying();
    EXPECT_EQ(stored().timesPlayed, 1);  // counted and saved at the start

    // Pause's choices write the game's settings back and save.
    profile.musicVolume = 0.9f;
    profile.tokens = 5;  // shows the profile was saved again
    session.keyEvent(kPauseKey, true);
    session.keyEvent(kPauseKey, false);
    session.keyEvent(kFireKey, true);
    session.keyEvent(kFireKey, false);
    EXPECT_EQ(stored().tokens, 5);
    EXPECT_EQ(stored().musicVolume, session.getMusicVolume());

    session.resume();
    session.getGameScene()->stageCleared();
    session.endGame();
    const std::string console = testing::internal::GetCapturedStdout();
    const CXUserProfile after = stored();
    EXPECT_EQ(after.stagesBeaten[1][1][0], 1);
    EXPECT_EQ(after.level, 2);
    EXPECT_EQ(after.expToLevel, 100);
    EXPECT_EQ(after.upgradePoints, 100);
    // The results screen animates from the rank and experience before the game.
    EXPECT_EQ(profile.rankBefore, 1);
    EXPECT_EQ(profile.experienceBefore, 600);
    EXPECT_EQ(profile.appliedExperience, 200);
    EXPECT_EQ(console.find("PROFILE SAVE FAILED"), std::string::npos) << console;
}

TEST_F(GameSessionTest, TheLastLifeLostAsksForAContinueThatBringsTheNextShipAtOnceThenGameOverEnds) {
    profile.arcadeScore[1] = 0;
    startPlaying();
    OXScnBaseSTGGame& scene = *session.getGameScene();
    for (int frame = 0; frame < 1000 && !session.getShip()->isControllable(); ++frame) {
        session.tick(16.7f);
    }
    ASSERT_TRUE(session.getShip()->isControllable());
    session.run().setScore(1234);
    session.run().lives = 0;
    scene.playerDied();
    for (int frame = 0; frame < 200 && session.getState() == CXGameSession::State::Playing; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Continue);
    EXPECT_EQ(profile.arcadeScore[1], 1234);  // stored when the prompt appears

    // A continue starts the score again and brings the next ship at once, not after the long wait.
    session.acceptContinue();
    EXPECT_EQ(session.run().continues, 0);
    EXPECT_EQ(session.run().score, 0);
    EXPECT_EQ(session.run().highScore, 1234);
    for (int frame = 0; frame < 5; ++frame) {
        session.tick(16.7f);
    }
    EXPECT_FALSE(session.getShip()->isOutOfPlay());
    EXPECT_EQ(session.run().lives, session.run().startLives);  // start + 1, less the one respawn

    // The game over takes no pause, and ends the game when done.
    session.showGameOver();
    session.pause();
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::GameOver);
    session.gameOverFinished();
    session.tick(16.7f);
    EXPECT_EQ(session.getState(), CXGameSession::State::Idle);
    EXPECT_EQ(endings, 1);
}

// Not a stage cleared on its first frame, an empty stage played forever or a ship without
// weapons: the game says which file is missing or unreadable and ends back at the menus.
struct Damage {
    const char* file;   // in the package
    bool deleted;       // else replaced by bytes that are no property list
    const char* cause;  // what the console names
};

const Damage kDamages[] = {
    {"assets/plist/stage_1.plist", true, "ITS STAGE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1.plist", false, "ITS STAGE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1_waves.plist", true, "ITS WAVE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/stage_1_waves.plist", false, "ITS WAVE FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/senko_type_a.plist", true, "ITS SHIP FILE IS MISSING OR UNREADABLE"},
    {"assets/plist/senko_type_a.plist", false, "ITS SHIP FILE IS MISSING OR UNREADABLE"},
};

// The build's package with one file deleted or damaged, written into `folder`; its path.
std::string damagedPackage(const testfiles::TempDir& folder, const Damage& damage) {
    const std::string package = folder.file("damaged.oap");
    std::string command = "cp '" ORVALE_PACKAGE "' '" + package + "' && cd '" + folder.path() + "' && ";
    if (damage.deleted) {
        command += "zip -q -d damaged.oap '" + std::string(damage.file) + "'";
    } else {
        folder.write(damage.file, "<?xml version=\"1.0\"?><plist><dict><key>level");
        command += "zip -q damaged.oap '" + std::string(damage.file) + "'";
    }
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return package;
}

TEST_F(GameSessionTest, AStageThatCannotBePlayedEndsBackAtTheMenusAndSaysWhy) {
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(std::string(damage.file) + (damage.deleted ? " deleted" : " damaged"));
        testfiles::TempDir folder;
        const gametest::PackageInPlace damaged(damagedPackage(folder, damage));
        ASSERT_TRUE(damaged.mounted());
        const int endedBefore = endings;
        testing::internal::CaptureStdout();
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
        for (int frame = 0; frame < 5; ++frame) {
            session.tick(16.7f);
        }
        const std::string lines = testing::internal::GetCapturedStdout();
        EXPECT_NE(
            lines.find(std::string("STAGE 1 CANNOT BE PLAYED: ") + damage.cause + ", BACK TO THE MENUS"),
            std::string::npos);
        EXPECT_EQ(endings, endedBefore + 1) << "the session hands control back to the menus";
        EXPECT_NE(session.getState(), CXGameSession::State::Playing);
        ASSERT_NE(session.getGameScene(), nullptr);
        EXPECT_NE(session.getGameScene()->getStageState(), OXScnBaseSTGGame::Cleared);
        session.tearDown();
    }
}

}  // namespace
