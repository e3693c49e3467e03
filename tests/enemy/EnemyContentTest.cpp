// The game's own enemies and first stage, read as the game reads them: every
// definition loads cleanly with fire patterns that exist, frames on the
// enemy atlas, and a hostile definition for each kind the stage names.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "stg/enemy/EnemyDictionary.h"
#include "tests/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

const char* const kGameEnemies[] = {"popcorn_dart", "popcorn_manta", "popcorn_claw", "gunship", "tank",
                                    "wall_turret",  "carrier",       "escort_delta", "asteroid"};

TEST(EnemyContent, EveryDefinitionLoadsWithoutComplaintItsPatternsExistAndEachKindIsWhatItsNameSays) {
    Stage stage;
    testing::internal::CaptureStdout();
    for (const char* name : kGameEnemies) {
        EXPECT_TRUE(stage.enemies.loadEnemyDefinition(name)) << name;
    }
    const std::string console = testing::internal::GetCapturedStdout();
    for (const char* problem : {"MISSING", "BAD", "ENEMY "}) {
        EXPECT_EQ(console.find(problem), std::string::npos) << console;
    }
    for (const char* name : kGameEnemies) {
        const Plist::Dictionary& definition =
            *Plist::findDict(stage.enemies.getEnemyDefinitions(), std::string(name));
        ASSERT_FALSE(definition.empty()) << name;
        for (int slot = 0;
             const Plist::Dictionary* launcher = Plist::findDict(definition, enemydict::launcherKey(slot));
             ++slot) {
            const std::string& pattern = Plist::textOf(*launcher, "fire pattern");
            EXPECT_NE(stage.bullets.findFirePattern(pattern), nullptr)
                << name << " launcher " << slot << " " << pattern;
        }
        OXEnemy* enemy = stage.enemies.spawnEnemy({160, 400, 0}, name, 180);
        ASSERT_NE(enemy, nullptr) << name;
        EXPECT_GE(enemy->getAtlasFrame(), 0);
        EXPECT_LT(enemy->getAtlasFrame() + (enemy->getUnitHeight() - 1) * 8 + enemy->getUnitWidth() - 1, 64)
            << name;
        EXPECT_GT(enemy->getMovementNodeCount(), 0) << name;
    }
    // Each kind is what its name promises.
    auto spawn = [&](const char* name) { return stage.enemies.spawnEnemy({160, 400, 0}, name, 180); };
    EXPECT_TRUE(spawn("escort_delta")->isFriendly());
    EXPECT_TRUE(spawn("asteroid")->isObstacle());
    EXPECT_GE(spawn("carrier")->getLiveModuleCount(), 3);
    EXPECT_EQ(spawn("tank")->getLiveModuleCount(), 1);
    EXPECT_TRUE(spawn("gunship")->hasDeathNode());
}

TEST(EnemyContent, TheFirstStageNamesOnlyKnownEnemies) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/stage_1_waves");
    ASSERT_GT(stage.enemies.queuedCount(), 100);
    std::set<std::string> known(std::begin(kGameEnemies), std::end(kGameEnemies));
    for (const SpawnEntry& entry : stage.enemies.getSchedule()) {
        EXPECT_EQ(known.count(Plist::textOf(entry.fields, "type")), 1u)
            << Plist::textOf(entry.fields, "type");
    }
}

}  // namespace
