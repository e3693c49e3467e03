// Volleys as a player sees them leave a gun: the angles of a salvo and of a
// bomblet fan, how volleys grow, gaps, aim, rank scaling and cooldowns.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// An enemy platform at (160, 300) carrying one launcher set up from a pattern.
struct Gun {
    explicit Gun(const std::string& pattern, int rank = 0) {
        stage.manager.setRank(rank);
        stage.manager.loadFirePattern(pattern);
        platform.setBulletManager(&stage.manager);
        platform.load("");
        platform.setPosition(160.0f, 300.0f, 0.0f);
        launcher = new OXLauncher();
        launcher->load("");
        launcher->setOwner(&platform);
        platform.addLauncher(launcher);
        EXPECT_TRUE(stage.manager.setupLauncher(launcher, pattern));
        launcher->start();
    }
    // Directions of the bullets fired by the next tick, in firing order.
    std::vector<float> tick(float dtMs) {
        const int before = fired;
        platform.tick(dtMs);
        std::vector<float> directions;
        for (fired = before; fired < CXBulletManager::kEnemyPoolSize; ++fired) {
            const OXBullet& bullet = stage.manager.enemyBullet(fired);
            if (bullet.isFree()) {
                break;
            }
            directions.push_back(bullet.getDirection());
        }
        return directions;
    }
    // Bullets of each tick: one short first tick, then ticks of `dtMs`.
    std::vector<size_t> volleySizes(int ticks, float dtMs) {
        std::vector<size_t> sizes{tick(kStep).size()};
        for (int i = 1; i < ticks; ++i) {
            sizes.push_back(tick(dtMs).size());
        }
        return sizes;
    }

    Stage stage;
    OXLauncherPlatform platform;
    OXLauncher* launcher = nullptr;
    int fired = 0;
};

using Angles = std::vector<float>;

TEST(SalvoAndBomblets, FirstVolleysFanEvenlyAroundTheirAngle) {
    const std::pair<const char*, Angles> cases[] = {
        {"t_salvo5", {160, 170, 180, 190, 200}},
        {"t_bomblet3", {175, 180, 185}},       // each salvo bullet splits into a bomblet fan
        {"t_bomblet4", {165, 175, 185, 195}},  // an even fan is centred too
    };
    for (const auto& [pattern, directions] : cases) {
        Gun gun(pattern);
        EXPECT_EQ(gun.tick(kStep), directions) << pattern;
    }
}

TEST(VolleySequences, VolleysFollowTheirRepeatsAndGaps) {
    const std::pair<const char*, std::vector<size_t>> cases[] = {
        {"t_repeat4", {1, 2, 3, 4, 0}},       // a repeating salvo grows by its change each volley
        {"t_gap", {1, 1, 1, 0, 1, 1, 1, 0}},  // gaps silence the volley after every third
    };
    for (const auto& [pattern, sizes] : cases) {
        Gun gun(pattern);
        EXPECT_EQ(gun.volleySizes(static_cast<int>(sizes.size()), 100.0f), sizes) << pattern;
    }
}

TEST(RankScaling, HigherRanksChangeDelayRepeatSalvoAndGaps) {
    Gun gun("t_rank", 2);
    EXPECT_FLOAT_EQ(gun.launcher->getDelay(), 59.0f);  // 100 + floor(2 x -20.5)
    EXPECT_EQ(gun.launcher->getRepeat(), 5);           // floor(2 x 1.5 + 2 + 0.5)
    EXPECT_EQ(gun.launcher->getSalvo(), 5);            // floor(2 x 1 + 0.5) + 3
    EXPECT_EQ(gun.launcher->getGapFrequency(), 2);     // 4 + 2 x -1
}

TEST(Aiming, AimTypeTwoKeepsItsFirstAimForTheWholeRun) {
    Gun gun("t_aim2");
    EXPECT_EQ(gun.tick(kStep), (Angles{180}));  // the ship is straight below
    gun.stage.ship.setPosition(260.0f, 300.0f, 0.0f);
    EXPECT_EQ(gun.tick(100.0f), (Angles{180}));
    EXPECT_EQ(gun.tick(100.0f), (Angles{180}));
}

TEST(Aiming, AimTypeOneFollowsTheShipEveryVolley) {
    Gun gun("t_aim1");
    gun.tick(kStep);
    gun.stage.ship.setPosition(260.0f, 300.0f, 0.0f);
    EXPECT_EQ(gun.tick(100.0f), (Angles{90}));
}

}  // namespace
