// The first stage run headless from its wave file on each difficulty: the
// stage clock goes through the whole schedule (the mid-boss fight stood in
// by a pause), every entry spawns at its time, enemies fly their full
// scripts (nobody shoots them) and their bullets fly through the bullet
// manager on the recording device. Prints the spawns by kind and the peaks.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

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

// The kind of an enemy by its atlas frame.
const char* kindOf(const OXEnemy& enemy) {
    static const std::map<int, const char*> kinds = {
        {0, "popcorn_dart"}, {2, "popcorn_manta"}, {4, "popcorn_claw"}, {6, "gunship"}, {12, "escort_delta"},
        {14, "asteroid"},    {16, "tank"},         {19, "wall_turret"}, {24, "carrier"}};
    const auto found = kinds.find(enemy.getAtlasFrame());
    return found != kinds.end() ? found->second : "?";
}

struct RunResult {
    std::map<std::string, int> spawnsByKind;
    int spawns = 0;
    int peakEnemies = 0;
    int peakBullets = 0;
    float peakEnemiesAtMs = 0.0f, peakBulletsAtMs = 0.0f;
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
        for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
            if (enemy->getSpawnSerial() > lastSerial) {
                ++result.spawnsByKind[kindOf(*enemy)];
                ++result.spawns;
            }
        }
        for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
            lastSerial = std::max(lastSerial, enemy->getSpawnSerial());
        }
        if (stage.enemies.spawnedCount() > result.peakEnemies) {
            result.peakEnemies = stage.enemies.spawnedCount();
            result.peakEnemiesAtMs = clock;
        }
        if (stage.bullets.liveEnemyPoolCount() > result.peakBullets) {
            result.peakBullets = stage.bullets.liveEnemyPoolCount();
            result.peakBulletsAtMs = clock;
        }
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

void print(const char* difficulty, const RunResult& run) {
    std::printf("stage 1 on %s: %d spawns (%d scheduled)", difficulty, run.spawns, run.scheduled);
    for (const auto& kind : run.spawnsByKind) {
        std::printf(", %s %d", kind.first.c_str(), kind.second);
    }
    std::printf(
        "\n  peak live enemies %d at %.1f s, peak live enemy bullets %d at %.1f s, boss ready at %.1f s\n",
        run.peakEnemies, static_cast<double>(run.peakEnemiesAtMs) / 1000.0, run.peakBullets,
        static_cast<double>(run.peakBulletsAtMs) / 1000.0, static_cast<double>(run.bossReadyAtMs) / 1000.0);
}

TEST(StageOneSchedule, RunsItsWholeScheduleOnEveryDifficulty) {
    const RunResult easy = runStage(0);
    const RunResult normal = runStage(1);
    const RunResult hard = runStage(2);
    print("easy", easy);
    print("normal", normal);
    print("hard", hard);

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
