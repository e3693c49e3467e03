// Movement nodes: turns and speed changes by their exact totals, nodes without
// a duration or without movement, and the launchers each node starts on each
// difficulty. (Facing the ship and the first stage's paths are played by its
// replay.)

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

TEST(EnemyMovement, ANodeTurnsAndSpeedsUpByExactlyItsTotals) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_turn", 160, 400, 180);
    stage.enter(*enemy);
    EXPECT_FLOAT_EQ(enemy->getHeading(), 180.0f);
    EXPECT_FLOAT_EQ(enemy->getSpeed(), 1.0f);
    stage.run(30);
    EXPECT_GT(enemy->getHeading(), 200.0f);
    EXPECT_LT(enemy->getHeading(), 250.0f);
    // Its only node ends after 1000 ms, and with it the enemy's flight.
    int frames = 0;
    while (enemy->isVisible() && frames++ < 100) {
        stage.run(1);
    }
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_FLOAT_EQ(enemy->getHeading(), 270.0f);
    EXPECT_FLOAT_EQ(enemy->getSpeed(), 3.0f);
}

TEST(EnemyMovement, ANodeWithoutDurationEndsAtOnceWithItsTotals) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_zero", 160, 400, 180);
    stage.enter(*enemy);
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_FLOAT_EQ(enemy->getHeading(), 225.0f);
    EXPECT_FLOAT_EQ(enemy->getSpeed(), 2.0f);
    EXPECT_TRUE(std::isfinite(enemy->getX()) && std::isfinite(enemy->getY()));
}

TEST(EnemyMovement, AnEnemyWithoutMovementLeavesAsItsEntryEnds) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_none");
    stage.run(1);
    EXPECT_TRUE(enemy->isVisible());
    stage.enter(*enemy);
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_FALSE(enemy->isActive());
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);
}

// A node of a damaged length is held to what a stage can use: the enemy leaves, and the load says so.
const bool endlessFile = addPackageFile(
    "assets/plist/enemy/t_endless.plist",
    plist({{"size", real(20)}, {"hp", integer(10)}, {"movement node 0", dict({{"duration", real(1e20)}})}}));

TEST(EnemyMovement, AHugeNodeDurationIsHeldAndTheEnemyLeaves) {
    Stage stage;
    testing::internal::CaptureStdout();
    OXEnemy* enemy = stage.spawn("t_endless");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("t_endless.plist: \"duration\" OF movement node 0"), std::string::npos) << said;
    stage.enter(*enemy);
    stage.run(static_cast<int>(enemydict::kMostNodeMs / kStep) - 100);
    EXPECT_TRUE(enemy->isVisible());
    stage.run(200);
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);
}

// The slots a node starts: "easy launchers" "0", "med launchers" "1", "hard
// launchers" "2 3", "fire launchers" "5" unless the case says otherwise.
std::string slotsFiredOn(const std::string& type, int difficulty) {
    Stage stage;
    stage.world.level = difficultyFromStored(difficulty);
    OXEnemy* enemy = stage.spawn(type);
    stage.enter(*enemy);
    return firedSlots(*enemy);
}

TEST(NodeLaunchers, EachDifficultyStartsItsOwnListAndABadListFallsBackOnlyWhenMissingOrNegative) {
    const struct {
        const char* type;
        int difficulty;
        const char* slots;
    } cases[] = {
        {"t_lists", 0, "0"},         {"t_lists", 1, "1"},
        {"t_lists", 2, "2 3"},       {"t_lists", 3, "2 3"},  // extreme uses the hard list
        {"t_no_med", 1, "5"},                                // missing: the fire launchers
        {"t_hard_negative", 2, "4"},                         // negative: the fire launchers
        {"t_hard_outside", 2, ""},                           // beyond the slots: nothing, and no fall-back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slotsFiredOn(c.type, c.difficulty), c.slots) << c.type << " on " << c.difficulty;
    }
    // The started launchers fire real bullets.
    Stage stage;
    stage.world.level = Difficulty::Hard;
    stage.enter(*stage.spawn("t_lists", 100, 400, 180));
    EXPECT_EQ(stage.bullets.liveEnemyPoolCount(), 2);
}

}  // namespace
