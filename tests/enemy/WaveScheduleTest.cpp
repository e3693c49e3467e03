// Wave files expanded into the spawn schedule, and the stage clock that
// releases it: repetitions, formations, order, the mid-boss stop, the
// constant-respawn window and the boss hand-over.

#include <gtest/gtest.h>

#include "stg/enemy/EnemyDictionary.h"
#include "stg/enemy/OXBoss.h"
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
        "assets/plist/t_waves_order.plist",
        plist({{"a", wave({{"time", real(1000)}, {"repeat", integer(1)}}, kOnePlain)},
               {"b", wave({{"time", real(1000)}, {"repeat", integer(1)}},
                          dict({{"one", squad({{"type", text("t_bottom")}, {"repeat", integer(1)}})}}))},
               {"c", wave({{"time", real(500)}, {"repeat", integer(1)}},
                          dict({{"one", squad({{"type", text("t_none")}, {"repeat", integer(1)}})}}))}})) &&
    addPackageFile("assets/plist/t_waves_midboss.plist",
                   plist({{"w", wave({{"time", real(29000)}, {"repeat", integer(1)}},
                                     dict({{"s", squad({{"type", text("t_plain")},
                                                        {"repeat", integer(2)},
                                                        {"cooldown", real(2000)}})}}))}})) &&
    addPackageFile("assets/plist/t_midboss.plist",
                   plist({{"start x", real(160)},
                          {"start y", real(420)},
                          {"phase 0", dict({{"hp", real(100)},
                                            {"movement node 0", dict({{"duration", real(100000)}})}})}})) &&
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

TEST(WaveExpansion, EntriesOfEqualTimeSpawnInExpansionOrder) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/t_waves_order");
    const auto& schedule = stage.enemies.getSchedule();
    ASSERT_EQ(schedule.size(), 3u);
    EXPECT_EQ(Plist::textOf(schedule[0].fields, "type"), "t_none");
    EXPECT_EQ(Plist::textOf(schedule[1].fields, "type"), "t_plain");
    EXPECT_EQ(Plist::textOf(schedule[2].fields, "type"), "t_bottom");

    // Both 1000 ms entries spawn in one frame, wave "a" first; "t_none" has no
    // movement and has already left.
    stage.enemies.setMidBossDone(true);
    stage.enemies.setState(CXEnemyManager::Running);
    runUntilClock(stage, 1000);
    ASSERT_EQ(stage.enemies.spawnedCount(), 2);
    EXPECT_EQ(stage.enemies.spawned(0)->getAtlasFrame(), 3);
    EXPECT_EQ(stage.enemies.spawned(1)->getAtlasFrame(), 0);
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

TEST(StageClock, StopsAtTheMidBossUntilItIsBeaten) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/t_waves_midboss");
    stage.enemies.loadMidBoss("assets/plist/t_midboss");
    stage.enemies.setMidBossTime(30000);
    stage.enemies.setState(CXEnemyManager::Running);
    runUntilClock(stage, 30000);
    stage.run(500);
    EXPECT_FLOAT_EQ(stage.enemies.getStageClock(), 30000.0f);
    EXPECT_EQ(stage.enemies.nextSpawnIndex(), 1);  // the 31000 ms enemy waits
    OXBoss* midBoss = stage.enemies.getMidBoss();
    ASSERT_NE(midBoss, nullptr);
    EXPECT_TRUE(midBoss->isVisible());
    EXPECT_EQ(midBoss->getPosition(), (Vec3{160, 420, 0}));
    EXPECT_EQ(stage.enemies.currentBoss(), midBoss);

    stage.enemies.markBossDefeated();
    runUntilClock(stage, 31000);
    EXPECT_EQ(stage.enemies.nextSpawnIndex(), 2);
    EXPECT_EQ(stage.enemies.currentBoss(), nullptr);  // no boss loaded
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

TEST(StageClock, TheBossComesWhenTheScheduleAndTheScreenAreEmpty) {
    Stage stage;
    stage.enemies.loadWaveData("assets/plist/t_waves_repeat");
    stage.enemies.loadBoss("assets/plist/t_midboss");
    stage.enemies.setMidBossDone(true);
    stage.enemies.setState(CXEnemyManager::Running);
    runUntilClock(stage, 4500);
    EXPECT_FALSE(stage.enemies.isReadyForBoss());
    for (OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
        enemy->release();
    }
    stage.run(1);
    EXPECT_TRUE(stage.enemies.isReadyForBoss());
    EXPECT_FALSE(stage.enemies.isStageComplete());

    ASSERT_TRUE(stage.enemies.startBoss());
    EXPECT_FALSE(stage.enemies.isReadyForBoss());
    stage.enemies.markBossDefeated();
    EXPECT_TRUE(stage.enemies.isStageComplete());
}

}  // namespace
