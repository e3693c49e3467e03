// Play must not allocate: spawning from the schedule, node starts, firing,
// kills with their prizes, death movements and the batch all run on what
// the managers made at load. This file counts every allocation of the test
// program while a busy minute of the first stage runs.

#include <gtest/gtest.h>

#include "tests/stg/enemy/EnemyTestSupport.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace enemytest;

using CountingDevice = testfiles::CountingGLDevice;

// A game scene and effects that only count, so the stand-ins allocate nothing either.
class QuietWorld : public FakeWorld {
  public:
    void explosion(ExplosionKind, const Vec3&, float) override { ++explosionCount; }
    IXRenderObject* startPredrawEffect(const std::string&, const IXRenderObject&) override { return nullptr; }
    int explosionCount = 0;
};

class QuietEffects : public FakeEffects {
  public:
    IXRenderObject* startAttachedEffect(const std::string&, const IXRenderObject&, bool) override {
        return &handle;
    }
    void playAt(const std::string&, const Vec3&, const Vec3&, float) override {}
};

TEST(NoAllocation, AMinuteOfTheFirstStageAllocatesNothing) {
    CountingDevice device;
    setGLDevice(&device);
    Stage stage;
    QuietWorld world;
    QuietEffects effects;
    world.ship = &stage.ship;
    world.fx = &effects;
    world.level = Difficulty::Hard;
    stage.enemies.setWorld(&world);
    stage.bullets.setEffects(&effects);
    stage.bullets.setRank(2);
    stage.enemies.loadWaveData("assets/plist/stage_1_waves");
    stage.enemies.setMidBossDone(true);
    stage.enemies.setState(CXEnemyManager::Running);
    // Now and then a rock that splits into shards when shot down (EnemyGroupTest's lists).
    const std::string rockType = "t_rock";
    stage.enemies.loadEnemyDefinition(rockType);
    OXEnemy* rock = nullptr;
    auto frameOfPlay = [&](int frame, int& kills) {
        if (frame % 100 == 0) {
            rock = stage.enemies.spawnEnemy({60.0f, 400.0f, 0.0f}, rockType, 0.0f);  // away from the ship
        } else if (frame % 100 == 50 && rock && rock->isActive() && !rock->isDying()) {
            rock->applyDamage(-rock->getHitPoints());
        }
        stage.enemies.update(kStep);
        stage.bullets.update(kStep);
        stage.enemies.draw();
        stage.bullets.draw();
        if (frame % 20 == 0 && stage.enemies.spawnedCount() > 0) {
            OXEnemy* target = stage.enemies.spawned(frame / 20 % stage.enemies.spawnedCount());
            if (!target->isEntering() && !target->isDying() && !target->isFriendly()) {
                target->markByBeam();
                target->applyDamage(-target->getHitPoints());
                ++kills;
            }
        }
    };
    // The first part of the stage; then the carriers, gunships, swarms and the hounding claw.
    int kills = 0;
    for (int frame = 0; stage.enemies.getStageClock() < 99000.0f; ++frame) {
        frameOfPlay(frame, kills);
    }
    kills = 0;
    stage.ship.hits.reserve(4000);  // the stand-in ship's record of rams is the test's, not play's
    const long before = testfiles::allocationCount();
    for (int frame = 0; frame < 4000; ++frame) {
        frameOfPlay(frame, kills);
    }
    const long during = testfiles::allocationCount() - before;
    setGLDevice(nullptr);
    EXPECT_EQ(during, 0);
    EXPECT_GT(kills, 50);
    EXPECT_GT(world.explosionCount, 50);
    EXPECT_GT(device.drawCount, 4000);
    EXPECT_GT(stage.enemies.getStageClock(), 160000.0f);
}

}  // namespace
