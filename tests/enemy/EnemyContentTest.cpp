// The game's own enemies as the game reads them: each kind is what its name
// promises, and flies at least one movement node. (That their files read
// cleanly, name patterns that exist and frames on the atlas is the content
// checker's.)

#include <gtest/gtest.h>

#include "tests/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

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
