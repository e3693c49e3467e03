// Definitions turned into pooled enemies: which entries count, the values
// that reach the enemy, the fixed pool, and the game's own enemies.

#include <gtest/gtest.h>

#include "stg/shot/OXLauncher.h"
#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

TEST(EnemySpawn, IndexedEntriesStopAtTheFirstMissingIndex) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_gaps");
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->getLiveModuleCount(), 1);
    EXPECT_TRUE(enemy->module(0).isActive());
    EXPECT_FALSE(enemy->module(1).isActive());
    EXPECT_EQ(enemy->getMovementNodeCount(), 1);
    EXPECT_EQ(enemy->getLauncher(0)->getState(), OXLauncher::Armed);
    EXPECT_EQ(enemy->getLauncher(2)->getState(), OXLauncher::Idle);
}

TEST(EnemySpawn, ASixthModuleIsDroppedAndLaunchersBeyondSlotFiveAreIgnored) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_crowded");
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->getLiveModuleCount(), OXEnemy::kModuleSlots);
    EXPECT_EQ(enemy->module(4).getFrame(), 44);
    EXPECT_EQ(enemy->launcherCount(), OXEnemy::kLauncherSlots);
    EXPECT_EQ(enemy->getLauncher(5)->getMount().x, 50.0f);
}

// Hit points are read one way for enemies, their parts and bosses: written as a real or an
// integer, they are the same hit points (a real once gave an enemy none).
const bool hitPointFiles = addPackageFile("assets/plist/enemy/t_real_hp.plist",
                                          plist({{"size", real(20)},
                                                 {"hp", real(30)},
                                                 {"module 0", dict({{"size", real(8)}, {"hp", integer(5)}})},
                                                 {"movement node 0", dict({{"duration", real(5000)}})}}));

TEST(EnemySpawn, HitPointsWrittenAsARealOrAnIntegerCount) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_real_hp");
    ASSERT_NE(enemy, nullptr);
    EXPECT_FLOAT_EQ(enemy->getMaxHitPoints(), 30.0f);
    EXPECT_FLOAT_EQ(enemy->module(0).getHitPoints(), 5.0f);
}

TEST(EnemySpawn, SizesHitBoxesAndBreakAmountsComeFromTheDefinition) {
    Stage stage;
    // Unit height stretches the size, unit width alone does not.
    EXPECT_EQ(stage.spawn("t_wide")->getSize(), (Vec3{20, 20, 20}));
    EXPECT_EQ(stage.spawn("t_tall")->getSize(), (Vec3{20, 60, 20}));
    // An obstacle key set to false still widens the hit boxes.
    OXEnemy* obstacle = stage.spawn("t_obstacle_false");
    EXPECT_FALSE(obstacle->isObstacle());
    EXPECT_GT(obstacle->getHitScale(), stage.spawn("t_plain")->getHitScale());
    EXPECT_EQ(obstacle->module(0).getHitScale(), obstacle->getHitScale());
    // An explicit break amount of zero stays zero in both modes.
    for (const bool casual : {false, true}) {
        stage.world.casual = casual;
        EXPECT_FLOAT_EQ(stage.spawn("t_break_zero")->getBreakAmount(), 0.0f);
        EXPECT_GT(stage.spawn("t_plain")->getBreakAmount(), 0.0f);
    }
}

TEST(EnemySpawn, UnknownTypesAndMissingFilesSpawnNothing) {
    Stage stage;
    EXPECT_EQ(stage.enemies.spawnEnemy({160, 400, 0}, "t_plain", 0), nullptr);  // nothing cached yet
    EXPECT_TRUE(stage.enemies.loadEnemyDefinition("t_missing"));
    EXPECT_FALSE(stage.enemies.loadEnemyDefinition("t_missing"));
    EXPECT_EQ(stage.enemies.spawnEnemy({160, 400, 0}, "t_missing", 0), nullptr);
    EXPECT_EQ(stage.enemies.spawnEnemy({160, 400, 0}, "t_never_loaded", 0), nullptr);
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);
}

TEST(EnemySpawn, APooledEnemyForgetsThePatternOfItsLastSpawn) {
    Stage stage;
    OXEnemy* gunner = stage.spawn("t_gaps");
    ASSERT_NE(gunner->getLauncher(0)->getPattern(), nullptr);
    gunner->release();
    OXEnemy* reused = stage.spawn("t_plain");
    ASSERT_EQ(reused, gunner);
    EXPECT_EQ(reused->getLauncher(0)->getPattern(), nullptr);
    EXPECT_EQ(reused->getLiveModuleCount(), 0);
    EXPECT_FALSE(reused->module(0).isActive());
}

TEST(EnemyPool, HoldsAHundredEnemiesAndNeverGrows) {
    Stage stage;
    stage.enemies.loadEnemyDefinition("t_plain");
    int spawned = 0;
    for (int i = 0; i < 150; ++i) {
        spawned += stage.enemies.spawnEnemy({160, 400, 0}, "t_plain", 180) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(spawned, CXEnemyManager::kPoolSize);
    EXPECT_EQ(stage.enemies.poolCount(), CXEnemyManager::kPoolSize);
    EXPECT_EQ(stage.enemies.spawnedCount(), CXEnemyManager::kPoolSize);
    EXPECT_EQ(stage.enemies.getSpawnedEnemies().capacity(), static_cast<size_t>(CXEnemyManager::kPoolSize));

    // Released and respawned before the list is cleaned, an enemy is listed once.
    OXEnemy* first = stage.enemies.spawned(0);
    first->release();
    EXPECT_EQ(stage.enemies.spawnEnemy({160, 400, 0}, "t_plain", 180), first);
    EXPECT_EQ(stage.enemies.spawnedCount(), CXEnemyManager::kPoolSize);
}

// The game's own enemies: each kind is what its name promises and flies. (That their files
// read cleanly, name patterns that exist and frames on the atlas is the content checker's.)
TEST(EnemyContent, EachKindIsWhatItsNameSaysAndFlies) {
    Stage stage;
    auto spawn = [&](const char* name) { return stage.spawn(name, 160, 400, 180); };
    for (const char* name : {"popcorn_dart", "popcorn_manta", "popcorn_claw", "gunship", "tank",
                             "wall_turret", "carrier", "escort_delta", "asteroid"}) {
        OXEnemy* enemy = spawn(name);
        ASSERT_NE(enemy, nullptr) << name;
        EXPECT_GT(enemy->getMovementNodeCount(), 0) << name;
    }
    EXPECT_TRUE(spawn("escort_delta")->isFriendly());
    EXPECT_TRUE(spawn("asteroid")->isObstacle());
    EXPECT_GE(spawn("carrier")->getLiveModuleCount(), 3);
    EXPECT_EQ(spawn("tank")->getLiveModuleCount(), 1);
    EXPECT_TRUE(spawn("gunship")->hasDeathNode());
}

}  // namespace
