// The two practice modes as games: stage practice plays the chosen stage with the chosen stock
// and ends after it; attack practice brings the chosen boss straight in at the chosen phase,
// ends the attempt with the phase or the ship, and offers RETRY and BACK. Neither keeps a high
// score, experience or progress, both keep their replay, and a replay of one plays back to the
// same end. Choices the package lacks end the game back at the menus.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXTextBox.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/ReplayPlayer.h"
#include "stg/game/overlays/OXScnAttackPanel.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kFire = 2, kBeam = 3, kLeft = 28;

class PracticeGameTest : public gametest::SessionTest {
  protected:
    void practise(GameMode mode, int stage, const std::string& boss = "", int phase = -1) {
        session.choices().mode = mode;
        session.choices().practice = {stage, 2, 0, 1, boss, phase};
        session.setSeed(9090);
        session.startGame(CXGameSession::kArcadeLevelList, 0);
        session.markReadyToStart();
    }
    // Ticks until `done` holds, at most `limit` frames; true when it did.
    template <typename Done>
    bool tickUntil(Done done, int limit = 600) {
        for (int frame = 0; frame < limit && !done(); ++frame) {
            session.tick(16.7f);
        }
        return done();
    }
    OXBoss* boss() const { return session.getGameScene()->getEnemyManager()->getBoss(); }
    bool attackStarted() const {
        return session.getGameScene() && session.getGameScene()->getAttempt().started;
    }
    bool panelShown() const { return session.getActiveOverlay() == CXGameSession::Overlay::AttackPanel; }
    std::string outcome() const { return session.overlays().attackPanel->getOutcomeText()->getText(); }
    void press(int key) {
        session.keyEvent(key, true);
        session.keyEvent(key, false);
    }
};

TEST_F(PracticeGameTest, StagePracticePlaysTheChosenStageWithItsStockAndEndsAfterItKeepingNoProgress) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    profile.missiles = 1;
    profile.continues = 3;
    profile.arcadeScore[1] = 500;
    practise(GameMode::StagePractice, 2);
    EXPECT_EQ(session.getLevelList().front(), "stage_1") << "the arcade's stages";
    EXPECT_EQ(session.run().stageIndex, 2);
    EXPECT_EQ(session.run().weaponLevel, 2);
    EXPECT_EQ(session.run().missileLevel, 1) << "missiles as the profile has them";
    EXPECT_EQ(session.run().lives, 1);
    EXPECT_EQ(session.run().continues, 0) << "no continue";
    session.tick(16.7f);
    ASSERT_EQ(session.getState(), CXGameSession::State::Playing);

    session.run().setScore(900000);
    session.run().countKill();
    session.stageCleared();
    session.summaryFinished();
    session.tick(16.7f);
    EXPECT_EQ(endings, 1) << "one stage, then the results";
    EXPECT_TRUE(session.getLastResult().practice);
    EXPECT_EQ(session.getLastResult().mode, GameMode::StagePractice);
    EXPECT_FALSE(session.getLastResult().newRecord);
    EXPECT_EQ(profile.arcadeScore[1], 500) << "no high score";
    EXPECT_EQ(profile.pendingExperience, 0) << "no experience";
    EXPECT_EQ(profile.stagesBeaten[1][1][2], 0) << "no progress";
    EXPECT_EQ(profile.timesPlayed, 0);
    const std::string replays = data.file("vortalis2/replays/");
    EXPECT_TRUE(std::filesystem::exists(replays + "last.ovr"));
    EXPECT_FALSE(std::filesystem::exists(
        replays + CXGameSession::highScoreReplayName(GameMode::Arcade, false, Difficulty::Normal)));

    // The hidden last stage is chosen as in free play.
    practise(GameMode::StagePractice, CXGameSession::kHiddenStageChoice);
    EXPECT_EQ(session.stagePathFor(session.run().stageIndex), "assets/plist/gd_stage_5_true.plist");
}

TEST_F(PracticeGameTest, AnAttackStartsAtItsPhaseWithItsTimerAndSkipsTheMidBoss) {
    practise(GameMode::AttackPractice, 0, "boss_vigil", 2);
    EXPECT_EQ(session.getLevelList().front(), "stage_1_boss_rush");
    ASSERT_TRUE(tickUntil([&] { return attackStarted(); }));
    EXPECT_EQ(session.getGameScene()->getEnemyManager()->getMidBoss(), nullptr);
    EXPECT_EQ(session.getGameScene()->getEnemyManager()->currentBoss(), boss());
    EXPECT_EQ(boss()->getPhaseIndex(), 2);
    EXPECT_EQ(boss()->getAttackName(), "CLOSING DOORS");
    EXPECT_NEAR(boss()->getPhaseTimer(), 22000.0f, 100.0f) << "the phase's whole timer";
    EXPECT_EQ(boss()->getHitPoints(), boss()->getPhaseHp());
    session.tick(16.7f);
    EXPECT_TRUE(session.overlays().hud->getPhaseTimerText()->isVisible());
}

TEST_F(PracticeGameTest, TheShipsLossFailsTheAttemptAndRetryStartsTheSameAttackAgain) {
    const testfiles::TempDir data;
    profile.setPath(data.file("vortalis2/profile/save.osf"));
    practise(GameMode::AttackPractice, 0, "boss_vigil", 1);
    ASSERT_TRUE(tickUntil([&] { return attackStarted(); }));
    session.getShip()->hit(-1000.0f);
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }, 200));
    EXPECT_EQ(outcome(), "FAILED");
    EXPECT_EQ(session.run().lives, 1) << "no second ship";
    const uint64_t firstSeed = session.getRecording().seed;

    press(kFire);
    session.tick(16.7f);
    EXPECT_EQ(endings, 0) << "not back to the menus";
    EXPECT_TRUE(std::filesystem::exists(data.file("vortalis2/replays/last.ovr")));
    EXPECT_NE(session.getRecording().seed, firstSeed);
    ASSERT_TRUE(tickUntil([&] { return attackStarted(); }));
    EXPECT_EQ(boss()->getAttackName(), "CURLING CURTAINS");

    // Beaten with no hit: captured; BACK ends the game into the results.
    boss()->applyDamage(-boss()->getHitPoints());
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }, 200));
    EXPECT_EQ(outcome(), "CAPTURED");
    press(kBeam);
    session.tick(16.7f);
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(session.getLastResult().mode, GameMode::AttackPractice);
}

TEST_F(PracticeGameTest, AnAttackPracticeReplayRestoresItsChoicesAndPlaysBackToTheSameEnd) {
    profile.weapon = 0;
    practise(GameMode::AttackPractice, 0, "boss_vigil", 1);
    session.keyEvent(kFire, true);
    session.keyEvent(kLeft, true);
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }, 3000));
    press(kBeam);
    session.tick(16.7f);
    ASSERT_EQ(endings, 1);
    const Replay recorded = session.getRecording();
    const int64_t score = recorded.score;
    EXPECT_EQ(recorded.mode, 5);
    EXPECT_EQ(recorded.attackBoss, "boss_vigil");
    EXPECT_EQ(recorded.attackPhase, 1);

    session.choices() = GameChoices{};
    CXUserProfile watched;
    ReplayPlayer player;
    player.start(session, recorded, watched);
    EXPECT_EQ(session.choices().practice.boss, "boss_vigil");
    EXPECT_EQ(session.run().weaponLevel, 2) << "the practice's stock, not the profile's";
    while (!player.isDone()) {
        player.step(16.7f);
    }
    EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished) << "desync at " << player.getDesyncFrame();
    EXPECT_EQ(session.run().score, score);
    EXPECT_EQ(endings, 2) << "its BACK ends the watched game too";
}

TEST_F(PracticeGameTest, ChoicesThePackageLacksEndTheGameBackAtTheMenus) {
    struct Case {
        GameMode mode;
        int stage;
        const char* boss;
        int phase;
    };
    const Case cases[] = {
        {GameMode::AttackPractice, 0, "boss_nobody", 1},        // no such boss in the stage
        {GameMode::AttackPractice, 0, "boss_tempest", 1},       // another stage's boss
        {GameMode::AttackPractice, 0, "../boss_vigil\x1b", 1},  // not a name of the stage
        {GameMode::AttackPractice, 0, "boss_vigil", 99},        // no such phase
        {GameMode::AttackPractice, 9, "boss_vigil", 1},         // no such stage
        {GameMode::StagePractice, -1, "", -1},
    };
    for (const Case& c : cases) {
        endings = 0;
        practise(c.mode, c.stage, c.boss, c.phase);
        session.tick(16.7f);
        EXPECT_EQ(endings, 1) << c.boss << " phase " << c.phase << " stage " << c.stage;
        EXPECT_EQ(session.getState(), CXGameSession::State::Idle);
    }
}

}  // namespace
