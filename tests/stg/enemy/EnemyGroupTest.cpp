// Enemies that come and go together: a rock that breaks into shards when shot down, and a
// squad that flies in formation behind its leader.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

const std::string kDrifting = dict({{"duration", real(20000)}, {"speed", real(0.5)}});

const bool rockFiles =
    addPackageFile("assets/plist/enemy/t_rock.plist", plist({{"size", real(40)},
                                                             {"hp", integer(50)},
                                                             {"split into", text("t_shard")},
                                                             {"split count", integer(3)},
                                                             {"split spread", real(60)},
                                                             {"movement node 0", kDrifting}})) &&
    addPackageFile("assets/plist/enemy/t_shard.plist",
                   plist({{"size", real(16)}, {"hp", integer(5)}, {"movement node 0", kDrifting}}));

// The spawn angles of the living enemies, in ascending order.
std::vector<float> spawnAngles(const Stage& stage) {
    std::vector<float> angles;
    for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
        if (enemy->isActive()) {
            angles.push_back(enemy->getSpawnAngle());
        }
    }
    std::sort(angles.begin(), angles.end());
    return angles;
}

TEST(SplittingEnemy, ARockShotDownLeavesThreeShardsFannedAboutItsHeadingWhereItDied) {
    Stage stage;
    OXEnemy* rock = stage.spawn("t_rock", 160, 400, 180);  // drifts straight down
    stage.enter(*rock);
    stage.run(10);
    const float diedX = rock->getX(), diedY = rock->getY();
    rock->applyDamage(-rock->getHitPoints());
    stage.run(1);
    EXPECT_EQ(spawnAngles(stage), (std::vector<float>{150.0f, 180.0f, 210.0f}));
    for (const OXEnemy* shard : stage.enemies.getSpawnedEnemies()) {
        EXPECT_NEAR(shard->getX(), diedX, 1.0f);
        EXPECT_NEAR(shard->getY(), diedY, 2.0f);
        EXPECT_FLOAT_EQ(shard->getSize().x, 16.0f);
    }
    // Shards are shot down like any enemy and leave nothing behind.
    for (OXEnemy* shard : stage.enemies.getSpawnedEnemies()) {
        stage.enter(*shard);
        shard->applyDamage(-100.0f);
    }
    stage.run(1);
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);
}

TEST(SplittingEnemy, ARockThatLeavesTheScreenOrMeetsAFullPoolLeavesNoStrayShards) {
    Stage stage;
    OXEnemy* rock = stage.spawn("t_rock");
    stage.enter(*rock);
    rock->release();
    stage.run(1);
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);

    // Only one slot comes free when the rock goes: one shard takes it, the others are skipped.
    rock = stage.spawn("t_rock");
    while (stage.spawn("t_shard")) {
    }
    stage.enter(*rock);
    testing::internal::CaptureStdout();
    rock->applyDamage(-rock->getHitPoints());
    stage.run(1);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(stage.enemies.spawnedCount(), CXEnemyManager::kPoolSize);
    EXPECT_NE(said.find("ENEMY POOL FULL: 2 PIECES OF t_shard SKIPPED"), std::string::npos) << said;
}

// An airship leading two gondolas down the field (then away to the left, off the field); the
// gondolas hold no course of their own until they break off upwards from node 1.
const bool formationFiles =
    addPackageFile(
        "assets/plist/enemy/t_leader.plist",
        plist({{"size", real(30)},
               {"hp", integer(50)},
               {"movement node 0", dict({{"duration", real(2000)}, {"speed", real(0.5)}})},
               {"movement node 1",
                dict({{"duration", real(2000)}, {"direction", real(90)}, {"speed", real(0.5)}})}})) &&
    addPackageFile(
        "assets/plist/enemy/t_gondola.plist",
        plist({{"size", real(16)},
               {"hp", integer(10)},
               {"break node", integer(1)},
               {"movement node 0", dict({{"duration", real(20000)}})},
               {"movement node 1",
                dict({{"duration", real(20000)}, {"direction", real(180)}, {"speed", real(1)}})}})) &&
    addPackageFile(
        "assets/plist/t_waves_formation.plist",
        plist({{"w", dict({{"repeat", integer(1)},
                           {"x", real(160)},
                           {"y", real(400)},
                           {"squads", dict({{"a lead", dict({{"type", text("t_leader")},
                                                             {"repeat", integer(1)},
                                                             {"angle", real(180)},
                                                             {"formation", boolean(true)}})},
                                            {"b escorts", dict({{"type", text("t_gondola")},
                                                                {"repeat", integer(2)},
                                                                {"location x", real(-40)},
                                                                {"location y", real(20)},
                                                                {"shift x", real(80)},
                                                                {"angle", real(180)},
                                                                {"formation", boolean(true)}})}})}})}}));

struct Formation {
    OXEnemy* leader = nullptr;
    std::vector<OXEnemy*> followers;
};

Formation flyFormation(Stage& stage, float ms) {
    EXPECT_TRUE(stage.enemies.loadWaveData("assets/plist/t_waves_formation"));
    stage.enemies.setState(CXEnemyManager::Running);
    stage.run(static_cast<int>(ms / kStep));
    Formation formation;
    for (OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
        if (enemy->isFormationLeader()) {
            formation.leader = enemy;
        } else {
            formation.followers.push_back(enemy);
        }
    }
    return formation;
}

TEST(Formation, FollowersKeepTheirPlacesBesideTheLeaderAndScatterFromTheirBreakNodeWhenItIsShotDown) {
    Stage stage;
    Formation formation = flyFormation(stage, 1500.0f);
    ASSERT_NE(formation.leader, nullptr);
    ASSERT_EQ(formation.followers.size(), 2u);
    EXPECT_LT(formation.leader->getY(), 400.0f - 50.0f);  // it has flown down
    for (const OXEnemy* follower : formation.followers) {
        EXPECT_NEAR(std::fabs(follower->getX() - formation.leader->getX()), 40.0f, 0.01f);
        EXPECT_NEAR(follower->getY() - formation.leader->getY(), 20.0f, 0.01f);
    }
    const float brokeAtY = formation.followers[0]->getY();
    formation.leader->applyDamage(-100.0f);
    stage.run(60);
    for (const OXEnemy* follower : formation.followers) {
        EXPECT_TRUE(follower->isActive());
        EXPECT_EQ(follower->getNodeIndex(), 1);
        EXPECT_GT(follower->getY(), brokeAtY + 30.0f);  // away upwards, on their own
    }
}

TEST(Formation, FollowersLeaveTheFieldWithALeaderThatLeavesIt) {
    Stage stage;
    Formation formation = flyFormation(stage, 3900.0f);
    ASSERT_EQ(formation.followers.size(), 2u);
    EXPECT_TRUE(formation.followers[0]->isActive() && formation.followers[1]->isActive());
    stage.run(20);
    EXPECT_EQ(stage.enemies.spawnedCount(), 0);
}

}  // namespace
