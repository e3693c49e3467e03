// Wave files no stage could play, and the constant-respawn window. (The first
// stage's replay plays its waves' repetitions, cooldowns, formations and
// angles, and the stage clock through its mid-boss stop and boss hand-over.)

#include <gtest/gtest.h>

#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

std::string wave(const Keys& keys, const std::string& squads) {
    Keys all = keys;
    all.push_back({"squads", squads});
    return dict(all);
}

const bool files =
    addPackageFile(
        "assets/plist/t_waves_huge.plist",
        plist({{"w",
                wave({{"time", real(0)}, {"repeat", integer(2147483647)}},
                     dict({{"s", dict({{"type", text("t_plain")}, {"repeat", integer(2147483647)}})}}))}})) &&
    addPackageFile(
        "assets/plist/t_waves_constant.plist",
        plist({{"held", wave({{"repeat", integer(1)}, {"y", real(400)}},
                             dict({{"s", dict({{"type", text("t_plain")},
                                               {"repeat", integer(1)},
                                               {"constant repeat", real(5000)}})}}))},
               {"later", wave({{"time", real(2000)}, {"repeat", integer(1)}},
                              dict({{"s", dict({{"type", text("t_escort")}, {"repeat", integer(1)}})}}))}}));

void runUntilClock(Stage& stage, float ms) {
    while (stage.enemies.getStageClock() < ms) {
        stage.run(1);
    }
}

TEST(WaveExpansion, AMissingWaveFileLeavesAStageWithoutEnemiesAndSaysSo) {
    Stage stage;
    EXPECT_FALSE(stage.enemies.loadWaveData("assets/plist/t_no_such_waves"));
    EXPECT_EQ(stage.enemies.queuedCount(), 0);
    EXPECT_EQ(stage.enemies.getState(), CXEnemyManager::Loaded);
    EXPECT_TRUE(stage.enemies.loadWaveData("assets/plist/t_waves_constant"));
}

TEST(WaveExpansion, RepeatsNoStageCouldPlayAreCutToTheMostSpawns) {
    Stage stage;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(stage.enemies.loadWaveData("assets/plist/t_waves_huge"));
    const std::string lines = testing::internal::GetCapturedStdout();
    EXPECT_EQ(stage.enemies.queuedCount(), CXEnemyManager::kMostSpawns);
    EXPECT_NE(lines.find("THE REST ARE DROPPED"), std::string::npos);
}

TEST(StageClock, AConstantRepeatWindowKeepsOneEnemyUpUntilALaterEntryEndsIt) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/t_waves_constant");
    stage.enemies.setMidBossDone(true);
    stage.enemies.setState(CXEnemyManager::Running);
    stage.run(1);
    OXEnemy* held = stage.enemies.getConstantRepeatEnemy();
    ASSERT_NE(held, nullptr);

    held->release();
    stage.run(1);
    OXEnemy* replacement = stage.enemies.getConstantRepeatEnemy();
    ASSERT_NE(replacement, nullptr);
    EXPECT_TRUE(replacement->isVisible());
    EXPECT_GE(replacement->getX(), 100.0f);
    EXPECT_LT(replacement->getX(), 220.0f);
    EXPECT_FLOAT_EQ(replacement->getY(), 400.0f);

    // The escort at 2000 ms has no window of its own: it closes this one.
    runUntilClock(stage, 2000);
    EXPECT_EQ(stage.enemies.getConstantRepeatEnemy(), nullptr);
    replacement->release();
    stage.run(5);
    EXPECT_EQ(stage.enemies.spawnedCount(), 1);  // the escort alone
    EXPECT_TRUE(stage.enemies.spawned(0)->isFriendly());
}

}  // namespace
