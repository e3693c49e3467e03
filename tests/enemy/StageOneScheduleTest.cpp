// The first stage run headless from its wave file on each difficulty: the
// stage clock goes through the whole schedule (the mid-boss fight stood in
// by a pause), every entry spawns at its time, enemies fly their full
// scripts (nobody shoots them) and their bullets fly through the bullet
// manager on the recording device.

#include <gtest/gtest.h>

#include <algorithm>

#include "stg/enemy/OXBoss.h"
#include "stg/shot/IXShotWorld.h"
#include "tests/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

constexpr float kMidBossTime = 95000.0f;
constexpr float kMidBossFightMs = 30000.0f;

// What the bullets need of the game scene: the ship to aim at, the enemies.
class ShotWorld : public IXShotWorld {
  public:
    explicit ShotWorld(Stage& stageValue) : stage(stageValue) {}
    IXShotTarget* shotTarget() const override { return &stage.ship; }
    int shootableCount() const override { return stage.enemies.spawnedCount(); }
    IXShootable* shootable(int index) const override { return stage.enemies.spawned(index); }
    IXShootable* currentBoss() const override { return stage.enemies.currentBoss(); }
    IXShootable* nearestEnemy(const Vec3&) const override { return nullptr; }
    void graze(const OXBullet&) override { ++grazes; }
    bool isBombActive() const override { return false; }
    float bulletGraceTime() const override { return 0.0f; }
    bool isCasualPlay() const override { return false; }
    void playShotSound() override {}

    Stage& stage;
    int grazes = 0;
};

struct RunResult {
    int spawns = 0;
    int peakEnemies = 0;
    int peakBullets = 0;
    int enemiesWhenMidBossCame = -1;
    float bossReadyAtMs = 0.0f;  // on the stage clock
    int scheduled = 0;
    int spawnedFromSchedule = 0;
};

RunResult runStage(int difficulty) {
    Stage stage;
    ShotWorld shots(stage);
    stage.world.level = difficulty;
    stage.bullets.setRank(difficulty);
    stage.bullets.setWorld(&shots);
    stage.ship.invulnerable = true;  // bullets fly their whole course
    stage.ship.setSize(16, 16, 1);
    stage.enemies.loadWaveData("assets/plist/stage_1_waves");
    stage.enemies.loadBoss("assets/plist/t_midboss");
    stage.enemies.setMidBossTime(kMidBossTime);
    stage.enemies.setState(CXEnemyManager::Running);

    RunResult result;
    result.scheduled = stage.enemies.queuedCount();
    unsigned lastSerial = 0;
    float stoppedMs = 0.0f;
    for (int frame = 0; frame < 400000 && !stage.enemies.isReadyForBoss(); ++frame) {
        stage.enemies.update(kStep);
        stage.bullets.update(kStep);
        const float clock = stage.enemies.getStageClock();
        unsigned newest = lastSerial;
        for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
            result.spawns += enemy->getSpawnSerial() > lastSerial ? 1 : 0;
            newest = std::max(newest, enemy->getSpawnSerial());
        }
        lastSerial = newest;
        result.peakEnemies = std::max(result.peakEnemies, stage.enemies.spawnedCount());
        result.peakBullets = std::max(result.peakBullets, stage.bullets.liveEnemyPoolCount());
        // The mid-boss: the clock waits on its time while it is fought.
        if (!stage.enemies.isMidBossDone() && clock >= kMidBossTime) {
            if (stoppedMs == 0.0f) {
                result.enemiesWhenMidBossCame = stage.enemies.spawnedCount();
            }
            stoppedMs += kStep;
            if (stoppedMs >= kMidBossFightMs) {
                stage.enemies.markBossDefeated();
            }
        }
        result.bossReadyAtMs = clock;
    }
    result.spawnedFromSchedule = stage.enemies.nextSpawnIndex();
    return result;
}

TEST(StageOneSchedule, RunsItsWholeScheduleOnEveryDifficulty) {
    const RunResult easy = runStage(0);
    const RunResult normal = runStage(1);
    const RunResult hard = runStage(2);
    for (const RunResult* run : {&easy, &normal, &hard}) {
        EXPECT_EQ(run->spawnedFromSchedule, run->scheduled);
        // Every entry spawned (the hounding claw's replacements come on top).
        EXPECT_GE(run->spawns, run->scheduled);
        EXPECT_LT(run->peakEnemies, CXEnemyManager::kPoolSize);
        EXPECT_LT(run->peakBullets, CXBulletManager::kEnemyPoolSize);
        // A clear screen for the mid-boss, and a lull before the boss.
        EXPECT_EQ(run->enemiesWhenMidBossCame, 0);
        EXPECT_GT(run->bossReadyAtMs, 170000.0f);
        EXPECT_LT(run->bossReadyAtMs, 200000.0f);
    }
    // The difficulty shows in the bullets on screen.
    EXPECT_LT(easy.peakBullets, normal.peakBullets);
    EXPECT_LT(normal.peakBullets, hard.peakBullets);
}

}  // namespace
