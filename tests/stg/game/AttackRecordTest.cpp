// The player's record of each boss attack and the replay's marks, played on the real content:
// every attack begun counts a try at the game's difficulty; one beaten with the ship neither hit
// nor a bomb set off counts a capture, with its time on the stage clock, and is named in the
// game's result; the recording marks where each stage and each attack began.

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

// Boss rush's first stage, where the Warden (stage 1's mid-boss) comes 2.5 s in: its first
// attack, "CROSSFIRE", is phase 1, its second, "SPIRAL GATE", phase 2.
class AttackRecordTest : public gametest::SessionTest {
  protected:
    void startBossRush() {
        session.choices().mode = GameMode::BossRush;
        session.startGame(CXGameSession::kBossRushLevelList, 0);
        session.markReadyToStart();
    }
    OXScnBaseSTGGame& scene() { return *session.getGameScene(); }
    OXBoss& boss() { return *scene().getEnemyManager()->currentBoss(); }
    // A frame in which no enemy bullet is left to hit the ship: it is hit only when a test says.
    void frame(bool safe = true) {
        if (safe && session.getGameScene()) {
            scene().setBulletGrace(100.0f);
        }
        session.tick(16.7f);
    }
    // Plays until the boss's attack of `phase` has begun; the frames played before the one it
    // began in.
    int32_t playToAttack(int phase, bool safe = true) {
        for (int limit = 0; limit < 3000; ++limit) {
            const int32_t before = session.getFrame();
            frame(safe);
            const OXBoss* fighting = scene().getEnemyManager()->currentBoss();
            if (fighting && fighting->getPhaseIndex() == phase && !fighting->getAttackName().empty()) {
                return before;
            }
        }
        ADD_FAILURE() << "the attack of phase " << phase << " never began";
        return -1;
    }
    // Beats the attack that has just begun after `frames` frames; the ms it took on the stage clock.
    int beatAttackAfter(int frames) {
        const float begun = scene().getStageTime();
        for (int i = 0; i < frames; ++i) {
            frame();
        }
        boss().applyDamage(-boss().getHitPoints());
        frame();
        return static_cast<int>(std::lround(scene().getStageTime() - begun));
    }
    const CXUserProfile::AttackRecord& record(int phase) {
        static const CXUserProfile::AttackRecord none;
        const CXUserProfile::AttackRecord* found = profile.findAttack("boss_warden", phase);
        EXPECT_NE(found, nullptr) << "no record of the Warden's phase " << phase;
        return found ? *found : none;
    }
};

std::string describe(const ReplayMark& mark) {
    return std::to_string(mark.frame) + " " + std::to_string(mark.kind) + " " + std::to_string(mark.stage) +
           " " + std::to_string(mark.phase) + " " + mark.label;
}

std::vector<std::string> describe(const std::vector<ReplayMark>& marks) {
    std::vector<std::string> lines;
    for (const ReplayMark& mark : marks) {
        lines.push_back(describe(mark));
    }
    return lines;
}

TEST_F(AttackRecordTest, AnAttackBeatenCleanIsCapturedWithItsFastestTimeAndMarkedWhereItBegan) {
    // Three games: the quickest capture is the best, whichever came first.
    int times[3] = {};
    const int waits[3] = {40, 10, 70};
    int32_t crossfireFrame = -1, spiralFrame = -1;
    for (int game = 0; game < 3; ++game) {
        startBossRush();
        crossfireFrame = playToAttack(1);
        times[game] = beatAttackAfter(waits[game]);
        spiralFrame = playToAttack(2);
        if (game < 2) {
            session.endGame();
            EXPECT_EQ(session.getLastResult().capturedAttacks, std::vector<std::string>{"CROSSFIRE"});
        }
    }
    ASSERT_LT(times[1], times[0]);
    const CXUserProfile::AttackRecord& crossfire = record(1);
    EXPECT_EQ(crossfire.name, "CROSSFIRE");
    EXPECT_EQ(crossfire.stage, 0);
    EXPECT_EQ(crossfire.tries[kNormal], 3);
    EXPECT_EQ(crossfire.captures[kNormal], 3);
    EXPECT_EQ(crossfire.bestMs[kNormal], times[1]);
    EXPECT_EQ(crossfire.tries[0] + crossfire.tries[2] + crossfire.tries[3], 0);  // only the game's difficulty
    EXPECT_EQ(record(2).tries[kNormal], 3);  // begun in each game, not yet beaten in the last
    EXPECT_EQ(record(2).captures[kNormal], 0);

    // The stage's start on the game's first frame, each attack on the frame it began in.
    const std::vector<std::string> marks = {"0 0 0 -1 STAGE 1",
                                            std::to_string(crossfireFrame) + " 1 0 1 CROSSFIRE",
                                            std::to_string(spiralFrame) + " 1 0 2 SPIRAL GATE"};
    EXPECT_EQ(describe(session.getRecording().marks), marks);
}

struct Spoiler {
    const char* what;
    std::function<void(CXGameSession&, OXScnBaseSTGGame&, OXBoss&)> spoil;
};

void PrintTo(const Spoiler& spoiler, std::ostream* out) {
    *out << spoiler.what;
}

class SpoiledAttackTest : public AttackRecordTest, public testing::WithParamInterface<Spoiler> {};

// Whatever spoils an attack counts its try and no capture; the next attack, fought clean, is
// captured all the same.
TEST_P(SpoiledAttackTest, TheTryCountsTheCaptureIsLostAndTheNextAttackStartsClean) {
    startBossRush();
    playToAttack(1);
    OXSTGBasePlayer& ship = *scene().getShip();
    ASSERT_FALSE(ship.isOutOfPlay());
    GetParam().spoil(session, scene(), boss());
    beatAttackAfter(30);
    playToAttack(2);
    beatAttackAfter(30);
    session.endGame();

    EXPECT_EQ(record(1).tries[kNormal], 1);
    EXPECT_EQ(record(1).captures[kNormal], 0);
    EXPECT_EQ(record(1).bestMs[kNormal], 0);
    EXPECT_EQ(record(2).captures[kNormal], 1);
    EXPECT_EQ(session.getLastResult().capturedAttacks, std::vector<std::string>{"SPIRAL GATE"});
}

INSTANTIATE_TEST_SUITE_P(
    AttackRecord, SpoiledAttackTest,
    testing::Values(Spoiler{"AHitThatSetsOffABomb",
                            [](CXGameSession&, OXScnBaseSTGGame& scene, OXBoss&) {
                                scene.getShip()->hit(-1.0f, {0.0f, 1.0f, 0.0f});
                                EXPECT_TRUE(scene.isBombActive());
                            }},
                    Spoiler{"TheBombKey",
                            [](CXGameSession& session, OXScnBaseSTGGame& scene, OXBoss&) {
                                session.keyEvent(input::kBomb, true);
                                session.keyEvent(input::kBomb, false);
                                EXPECT_TRUE(scene.isBombActive());
                            }},
                    Spoiler{"TheShipLost",
                            [](CXGameSession& session, OXScnBaseSTGGame& scene, OXBoss&) {
                                session.run().bombs = 0;
                                scene.getShip()->hit(-1000.0f, {0.0f, 1.0f, 0.0f});
                            }},
                    Spoiler{"TheAttackRunningOut",
                            [](CXGameSession&, OXScnBaseSTGGame& scene, OXBoss& boss) {
                                scene.attackEnded(boss, boss.getPhaseIndex(), false);
                            }}),
    [](const testing::TestParamInfo<Spoiler>& shown) { return std::string(shown.param.what); });

// A replay watched (or sought) plays on a profile of its own: its attacks, begun on the same
// frames as in the game recorded, count nothing on the player's.
TEST_F(AttackRecordTest, AWatchedReplayMarksTheSameFramesAndLeavesThePlayersRecordsAlone) {
    startBossRush();
    playToAttack(1, false);
    session.finishRecording();
    const Replay recorded = session.getRecording();
    ASSERT_EQ(recorded.marks.size(), 2u);
    const std::vector<CXUserProfile::AttackRecord> before = profile.attacks;

    CXUserProfile watched;
    session.startReplay(recorded, watched);
    while (session.getFrame() < recorded.frames && session.getState() != CXGameSession::State::Idle) {
        frame(false);
    }
    EXPECT_EQ(describe(session.getRecording().marks), describe(recorded.marks));
    ASSERT_NE(watched.findAttack("boss_warden", 1), nullptr);
    EXPECT_EQ(watched.findAttack("boss_warden", 1)->tries[kNormal], 1);
    ASSERT_EQ(profile.attacks.size(), before.size());
    EXPECT_EQ(profile.attacks[0].tries[kNormal], before[0].tries[kNormal]);
}

}  // namespace
