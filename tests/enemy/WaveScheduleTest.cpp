// Wave files expanded into the spawn schedule: repetitions, formations, files
// no stage could play, and the constant-respawn window. (The first stage's
// replay plays the stage clock through its mid-boss stop and boss hand-over.)

#include <gtest/gtest.h>

#include "stg/enemy/EnemyDictionary.h"
#include "tests/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

std::string squad(const Keys& keys) {
    return dict(keys);
}

std::string wave(const Keys& keys, const std::string& squads) {
    Keys all = keys;
    all.push_back({"squads", squads});
    return dict(all);
}

const std::string kOnePlain = dict({{"one", squad({{"type", text("t_plain")}, {"repeat", integer(1)}})}});

const bool files =
    addPackageFile("assets/plist/t_waves_repeat.plist", plist({{"w", wave({{"time", real(2000)},
                                                                           {"repeat", integer(3)},
                                                                           {"cooldown", real(1000)},
                                                                           {"cooldown change", real(500)}},
                                                                          kOnePlain)}})) &&
    addPackageFile("assets/plist/t_waves_huge.plist",
                   plist({{"w", wave({{"time", real(0)}, {"repeat", integer(2147483647)}},
                                     dict({{"s", squad({{"type", text("t_plain")},
                                                        {"repeat", integer(2147483647)}})}}))}})) &&
    addPackageFile("assets/plist/t_waves_squad.plist",
                   plist({{"w", wave({{"time", real(1000)}, {"repeat", integer(1)}},
                                     dict({{"s", squad({{"type", text("t_plain")},
                                                        {"repeat", integer(3)},
                                                        {"time", real(100)},
                                                        {"cooldown", real(250)},
                                                        {"initial cooldown", real(50)}})}}))}})) &&
    addPackageFile(
        "assets/plist/t_waves_angle.plist",
        plist({{"w", wave({{"x", real(160)}, {"y", real(300)}, {"angle", real(90)}, {"repeat", integer(1)}},
                          dict({{"s", squad({{"type", text("t_plain")},
                                             {"repeat", integer(2)},
                                             {"location x", real(10)},
                                             {"shift x", real(20)},
                                             {"angle", real(180)}})}}))}})) &&
    addPackageFile(
        "assets/plist/t_waves_constant.plist",
        plist({{"held", wave({{"repeat", integer(1)}, {"y", real(400)}},
                             dict({{"s", squad({{"type", text("t_plain")},
                                                {"repeat", integer(1)},
                                                {"constant repeat", real(5000)}})}}))},
               {"later", wave({{"time", real(2000)}, {"repeat", integer(1)}},
                              dict({{"s", squad({{"type", text("t_escort")}, {"repeat", integer(1)}})}}))}}));

float entryValue(const SpawnEntry& entry, const char* key) {
    return Plist::floatOr(entry.fields, key, -1.0f);
}

std::vector<float> scheduleTimes(const CXEnemyManager& enemies) {
    std::vector<float> times;
    for (const SpawnEntry& entry : enemies.getSchedule()) {
        times.push_back(entry.timeMs);
    }
    return times;
}

void runUntilClock(Stage& stage, float ms) {
    while (stage.enemies.getStageClock() < ms) {
        stage.run(1);
    }
}

TEST(WaveExpansion, RepetitionsAndSquadEnemiesStartAfterTheirCooldowns) {
    Stage stage;
    // Repetitions: gaps growing by the cooldown change.
    stage.enemies.loadWaveData("assets/plist/t_waves_repeat");
    EXPECT_EQ(scheduleTimes(stage.enemies), (std::vector<float>{2000, 3000, 4500}));
    EXPECT_EQ(stage.enemies.getState(), CXEnemyManager::Loaded);
    // Squad enemies: the initial cooldown, then the cooldown.
    Stage squad;
    squad.enemies.loadWaveData("assets/plist/t_waves_squad");
    EXPECT_EQ(scheduleTimes(squad.enemies), (std::vector<float>{1150, 1400, 1650}));
}

TEST(WaveExpansion, AWaveAngleTurnsTheFormationAndAddsToEverySpawnAngle) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/t_waves_angle");
    const auto& schedule = stage.enemies.getSchedule();
    ASSERT_EQ(schedule.size(), 2u);
    // Offsets (10, 0) and (30, 0) turned by -90 degrees: straight down from the origin.
    EXPECT_NEAR(entryValue(schedule[0], "x"), 160.0f, 1e-3f);
    EXPECT_NEAR(entryValue(schedule[0], "y"), 290.0f, 1e-3f);
    EXPECT_NEAR(entryValue(schedule[1], "x"), 160.0f, 1e-3f);
    EXPECT_NEAR(entryValue(schedule[1], "y"), 270.0f, 1e-3f);
    EXPECT_FLOAT_EQ(entryValue(schedule[0], "angle"), 270.0f);
    EXPECT_FLOAT_EQ(entryValue(schedule[1], "angle"), 270.0f);
}

TEST(WaveExpansion, AMissingWaveFileLeavesAStageWithoutEnemiesAndSaysSo) {
    Stage stage;
    EXPECT_FALSE(stage.enemies.loadWaveData("assets/plist/t_no_such_waves"));
    EXPECT_EQ(stage.enemies.queuedCount(), 0);
    EXPECT_EQ(stage.enemies.getState(), CXEnemyManager::Loaded);
    EXPECT_TRUE(stage.enemies.loadWaveData("assets/plist/t_waves_repeat"));
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
