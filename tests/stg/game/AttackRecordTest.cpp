// The player's record of each boss attack and the recording's marks, on the real content: boss
// rush's first stage, where the Warden comes 2.5 s in to fight "CROSSFIRE" (its phase 1), then
// "SPIRAL GATE" (phase 2).

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tests/stg/game/GameTestSupport.h"

namespace {

constexpr int kNormal = 1;  // the game's difficulty, as a record counts it

class AttackRecordTest : public gametest::SessionTest {
  protected:
    void start() {
        session.choices().mode = GameMode::BossRush;
        session.startGame(CXGameSession::kBossRushLevelList, 0);
        session.markReadyToStart();
    }
    OXScnBaseSTGGame& scene() { return *session.getGameScene(); }
    OXBoss& boss() { return *scene().getEnemyManager()->currentBoss(); }
    // A frame; a safe one leaves no enemy bullet to hit the ship, which is hit only when a test says.
    void frame(bool safe = true) {
        if (safe) {
            scene().setBulletGrace(100.0f);
        }
        session.tick(16.7f);
    }
    // Plays until the attack of `phase` has begun; the frames played before the one it began in.
    int32_t playToAttack(int phase, bool safe = true) {
        for (int limit = 0; limit < 3000; ++limit) {
            const int32_t before = session.getFrame();
            frame(safe);
            if (boss().getPhaseIndex() == phase && !boss().getAttackName().empty()) {
                return before;
            }
        }
        ADD_FAILURE() << "the attack of phase " << phase << " never began";
        return -1;
    }
    // Beats the attack under way after `frames` frames; the ms it took on the stage clock.
    int beatAttackAfter(int frames) {
        const float begun = scene().getStageTime();
        for (int i = 0; i < frames; ++i) {
            frame();
        }
        boss().applyDamage(-boss().getHitPoints());
        frame();
        return static_cast<int>(std::lround(scene().getStageTime() - begun));
    }
    const CXUserProfile::AttackRecord& warden(int phase) {
        static const CXUserProfile::AttackRecord none;
        const CXUserProfile::AttackRecord* found = profile.findAttack("boss_warden", phase);
        EXPECT_NE(found, nullptr) << "no record of the Warden's phase " << phase;
        return found ? *found : none;
    }
};

TEST_F(AttackRecordTest, ACleanClearIsCapturedWithItsFastestTimeAndEachStartIsMarked) {
    int times[2] = {};
    int32_t begun[2] = {};
    for (int game = 0; game < 2; ++game) {
        start();
        begun[0] = playToAttack(1);
        times[game] = beatAttackAfter(game == 0 ? 10 : 60);
        begun[1] = playToAttack(2);
        session.endGame();
        EXPECT_EQ(session.getLastResult().capturedAttacks, std::vector<std::string>{"CROSSFIRE"});
    }
    ASSERT_LT(times[0], times[1]);
    EXPECT_EQ(warden(1).name, "CROSSFIRE");
    EXPECT_EQ(warden(1).stage, 0);
    EXPECT_EQ(warden(1).tries[kNormal], 2);
    EXPECT_EQ(warden(1).captures[kNormal], 2);
    EXPECT_EQ(warden(1).bestMs[kNormal], times[0]);
    EXPECT_EQ(warden(2).tries[kNormal], 2);
    EXPECT_EQ(warden(2).captures[kNormal], 0);

    // The stage's start on the game's first frame, each attack on the frame it began in.
    const std::vector<ReplayMark>& marks = session.getRecording().marks;
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].frame, 0);
    EXPECT_EQ(marks[0].kind, ReplayMark::StageStart);
    EXPECT_EQ(marks[0].label, "STAGE 1");
    const char* names[2] = {"CROSSFIRE", "SPIRAL GATE"};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(marks[i + 1].frame, begun[i]);
        EXPECT_EQ(marks[i + 1].kind, ReplayMark::AttackStart);
        EXPECT_EQ(marks[i + 1].phase, i + 1);
        EXPECT_EQ(marks[i + 1].label, names[i]);
    }
}

struct Spoiler {
    const char* what;
    std::function<void(CXGameSession&, OXScnBaseSTGGame&, OXBoss&)> spoil;
};
void PrintTo(const Spoiler& spoiler, std::ostream* out) {
    *out << spoiler.what;
}

class SpoiledAttackTest : public AttackRecordTest, public testing::WithParamInterface<Spoiler> {};

// Whatever spoils an attack counts its try and no capture; the next one, fought clean, is captured.
TEST_P(SpoiledAttackTest, TheTryCountsTheCaptureIsLostAndTheNextAttackStartsClean) {
    start();
    playToAttack(1);
    ASSERT_FALSE(scene().getShip()->isOutOfPlay());
    GetParam().spoil(session, scene(), boss());
    beatAttackAfter(30);
    playToAttack(2);
    beatAttackAfter(30);
    session.endGame();
    EXPECT_EQ(warden(1).tries[kNormal], 1);
    EXPECT_EQ(warden(1).captures[kNormal], 0);
    EXPECT_EQ(warden(1).bestMs[kNormal], 0);
    EXPECT_EQ(session.getLastResult().capturedAttacks, std::vector<std::string>{"SPIRAL GATE"});
}

const Vec3 kUp{0.0f, 1.0f, 0.0f};
INSTANTIATE_TEST_SUITE_P(
    AttackRecord, SpoiledAttackTest,
    testing::Values(Spoiler{"AHitThatSetsOffABomb", [](CXGameSession&, OXScnBaseSTGGame& scene,
                                                       OXBoss&) { scene.getShip()->hit(-1.0f, kUp); }},
                    Spoiler{"TheBombKey",
                            [](CXGameSession& session, OXScnBaseSTGGame&, OXBoss&) {
                                session.keyEvent(input::kBomb, true);
                                session.keyEvent(input::kBomb, false);
                            }},
                    Spoiler{"TheShipLost",
                            [](CXGameSession& session, OXScnBaseSTGGame& scene, OXBoss&) {
                                session.run().bombs = 0;
                                scene.getShip()->hit(-1000.0f, kUp);
                            }},
                    Spoiler{"TheAttackRunningOut",
                            [](CXGameSession&, OXScnBaseSTGGame& scene, OXBoss& boss) {
                                scene.attackEnded(boss, boss.getPhaseIndex(), false);
                            }}),
    [](const testing::TestParamInfo<Spoiler>& shown) { return std::string(shown.param.what); });

// A replay watched (or sought) plays on a profile of its own: its attacks, marked on the same
// frames as in the game recorded, count nothing on the player's.
TEST_F(AttackRecordTest, AWatchedReplayMarksTheSameFramesAndLeavesThePlayersRecordsAlone) {
    start();
    const int32_t begun = playToAttack(1, false);
    session.finishRecording();
    const Replay recorded = session.getRecording();

    CXUserProfile watched;
    session.startReplay(recorded, watched);
    while (session.getFrame() < recorded.frames && session.getState() != CXGameSession::State::Idle) {
        frame(false);
    }
    ASSERT_EQ(session.getRecording().marks.size(), 2u);
    EXPECT_EQ(session.getRecording().marks[1].frame, begun);
    ASSERT_NE(watched.findAttack("boss_warden", 1), nullptr);
    EXPECT_EQ(watched.findAttack("boss_warden", 1)->tries[kNormal], 1);
    EXPECT_EQ(warden(1).tries[kNormal], 1);
}

}  // namespace
