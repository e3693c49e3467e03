// Enemies that come and go together: a rock that breaks into shards when shot down, and a
// squad that flies in formation behind its leader.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

std::string node(double duration, double direction, double speed) {
    return dict({{"duration", real(duration)}, {"direction", real(direction)}, {"speed", real(speed)}});
}

std::string squad(const char* type, int repeat, double x, double y, double shiftX) {
    return dict({{"type", text(type)},
                 {"repeat", integer(repeat)},
                 {"location x", real(x)},
                 {"location y", real(y)},
                 {"shift x", real(shiftX)},
                 {"angle", real(180)},
                 {"formation", boolean(true)}});
}

// A rock of three shards; an airship leading two gondolas down the field, which hold no course
// of their own until they break off upwards from node 1.
const bool files =
    addPackageFile("assets/plist/enemy/t_rock.plist", plist({{"size", real(40)},
                                                             {"hp", integer(50)},
                                                             {"split into", text("t_shard")},
                                                             {"split count", integer(3)},
                                                             {"split spread", real(60)},
                                                             {"movement node 0", node(20000, 0, 0.5)}})) &&
    addPackageFile(
        "assets/plist/enemy/t_shard.plist",
        plist({{"size", real(16)}, {"hp", integer(5)}, {"movement node 0", node(20000, 0, 0.5)}})) &&
    addPackageFile(
        "assets/plist/enemy/t_leader.plist",
        plist({{"size", real(30)}, {"hp", integer(50)}, {"movement node 0", node(4000, 0, 0.5)}})) &&
    addPackageFile("assets/plist/enemy/t_gondola.plist", plist({{"size", real(16)},
                                                                {"hp", integer(10)},
                                                                {"break node", integer(1)},
                                                                {"movement node 0", node(20000, 0, 0)},
                                                                {"movement node 1", node(20000, 180, 1)}})) &&
    addPackageFile(
        "assets/plist/t_waves_formation.plist",
        plist({{"w", dict({{"repeat", integer(1)},
                           {"x", real(160)},
                           {"y", real(400)},
                           {"squads", dict({{"a lead", squad("t_leader", 1, 0, 0, 0)},
                                            {"b escorts", squad("t_gondola", 2, -40, 20, 80)}})}})}}));

TEST(SplittingEnemy, ARockShotDownLeavesThreeShardsFannedAboutItsHeadingWhereItDied) {
    Stage stage;
    OXEnemy* rock = stage.spawn("t_rock", 160, 400, 180);  // drifts straight down
    stage.enter(*rock);
    stage.run(10);
    const Vec3 diedAt = rock->getPosition();
    rock->applyDamage(-rock->getHitPoints());
    stage.run(1);
    std::vector<float> angles;
    for (const OXEnemy* shard : stage.enemies.getSpawnedEnemies()) {
        angles.push_back(shard->getSpawnAngle());
        EXPECT_NEAR(shard->getX(), diedAt.x, 1.0f);
        EXPECT_NEAR(shard->getY(), diedAt.y, 2.0f);
        EXPECT_FLOAT_EQ(shard->getSize().x, 16.0f);
    }
    std::sort(angles.begin(), angles.end());
    EXPECT_EQ(angles, (std::vector<float>{150.0f, 180.0f, 210.0f}));
}

TEST(Formation, FollowersKeepTheirPlacesBesideTheLeaderAndScatterFromTheirBreakNodeWhenItIsShotDown) {
    Stage stage;
    ASSERT_TRUE(stage.enemies.loadWaveData("assets/plist/t_waves_formation"));
    stage.enemies.setState(CXEnemyManager::Running);
    stage.run(static_cast<int>(1500.0f / kStep));
    const OXEnemy* leader = nullptr;
    std::vector<const OXEnemy*> followers;
    for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
        if (enemy->isFormationLeader()) {
            leader = enemy;
        } else {
            followers.push_back(enemy);
        }
    }
    ASSERT_TRUE(leader && followers.size() == 2u);
    EXPECT_LT(leader->getY(), 400.0f - 50.0f);  // it has flown down, and they with it
    for (const OXEnemy* follower : followers) {
        EXPECT_NEAR(std::fabs(follower->getX() - leader->getX()), 40.0f, 0.01f);
        EXPECT_NEAR(follower->getY() - leader->getY(), 20.0f, 0.01f);
    }
    const float brokeAtY = followers[0]->getY();
    stage.enemies.spawned(0)->applyDamage(-100.0f);  // the leader spawned first
    stage.run(60);
    for (const OXEnemy* follower : followers) {
        EXPECT_EQ(follower->getNodeIndex(), 1);
        EXPECT_GT(follower->getY(), brokeAtY + 30.0f);  // away upwards, on their own
    }
}

}  // namespace
