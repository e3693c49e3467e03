// Steady enemy bullets take a short frame in the pool; it must end exactly
// like the ordinary frame. A blocker that reaches nothing sends every bullet
// through the ordinary frame, so two stages fired alike, one with such a
// blocker, must end bit for bit the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "stg/shot/ShotMath.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

struct Volley {
    explicit Volley(bool withFarBlocker) {
        type.size = 8.0f;
        type.duration = 1500.0f;  // some expire in flight
        type.startSpeed = 6.0f;
        type.startSpeedVar = 3.0f;
        type.damage = 1.0f;
        type.hitBoxScale = 0.0f;  // no reach against blockers
        bouncing = type;
        bouncing.numBounces = 2;
        bouncing.duration = 100000.0f;
        piercing = type;
        piercing.isInvul = true;
        piercing.duration = 100000.0f;
        // Animations that cycle, and that play once and hold their last frame.
        cycling = type;
        cycling.numFrames = 2;
        holding = type;
        holding.numFrames = 3;
        holding.noFrameRepeat = true;
        homing = type;
        homing.playerSeekFactor = 4.0f;
        if (withFarBlocker) {
            BulletProperties shield;
            shield.isPlayerBullet = true;
            shield.isGlow = true;  // from the player pool: the enemy pools stay alike
            shield.isBulletBlock = true;
            shield.isInvul = true;
            shield.size = 2.0f;
            shield.hitBoxScale = 0.0f;
            shield.duration = 1e9f;
            EXPECT_TRUE(stage.manager.fireBullet(0.0f, {-40, 470, 0}, 0.0f, &shield, nullptr));
            EXPECT_EQ(stage.manager.blockerCount(), 1);
        }
        std::srand(99);
        shotmath::seedGameRandom(99);  // the bullets' own draws start alike in both stages
        for (int i = 0; i < 600; ++i) {
            const Vec3 at{static_cast<float>(std::rand() % 320), static_cast<float>(150 + std::rand() % 330),
                          0};
            // Most are aimed at the ship (160, 100) or just beside it, to graze and hit.
            const float aim =
                shotmath::angleOf(160.0f - at.x, 100.0f - at.y) + static_cast<float>(std::rand() % 21 - 10);
            const BulletProperties* kinds[] = {&type, &bouncing, &piercing, &cycling, &holding, &homing};
            const BulletProperties* kind = i % 2 == 0 ? kinds[(i / 2) % 6] : &type;
            const float direction = i % 3 == 0 ? static_cast<float>(std::rand() % 360) : aim;
            EXPECT_TRUE(stage.manager.fireBullet(direction, at, 0.0f, kind, nullptr));
        }
    }
    Stage stage;
    BulletProperties type, bouncing, piercing, cycling, holding, homing;
};

// The first enemy slot in which the two stages differ, or -1.
int firstDifference(const CXBulletManager& one, const CXBulletManager& other) {
    auto& a = const_cast<CXBulletManager&>(one);
    auto& b = const_cast<CXBulletManager&>(other);
    for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
        const OXBullet& x = a.enemyBullet(i);
        const OXBullet& y = b.enemyBullet(i);
        if (x.isFree() != y.isFree()) {
            return i;
        }
        // Exact comparisons: the same operations in the same order.
        if (!x.isFree() &&
            (x.getX() != y.getX() || x.getY() != y.getY() || x.getLifetime() != y.getLifetime() ||
             x.getDistanceSq() != y.getDistanceSq() || x.getDirection() != y.getDirection() ||
             x.getBounces() != y.getBounces() || x.isDying() != y.isDying() ||
             x.getBaseFrame() != y.getBaseFrame() || x.getFrameIndex() != y.getFrameIndex() ||
             x.wasGrazed() != y.wasGrazed() || x.getScale().x != y.getScale().x)) {
            return i;
        }
    }
    return -1;
}

TEST(SteadyFlight, TheShortFrameEndsExactlyLikeTheOrdinaryFrame) {
    Volley steady(false), full(true);
    int mostDying = 0, mostBounced = 0;
    for (int frame = 0; frame < 150; ++frame) {
        // A life lost for a while: every bullet that may be cleared expires.
        steady.stage.world.graceTime = full.stage.world.graceTime =
            frame >= 120 && frame < 125 ? 500.0f : 0.0f;
        steady.stage.run(1);
        full.stage.run(1);
        ASSERT_EQ(firstDifference(steady.stage.manager, full.stage.manager), -1) << "frame " << frame;
        int dying = 0, bounced = 0;
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            const OXBullet& bullet = steady.stage.manager.enemyBullet(i);
            dying += !bullet.isFree() && bullet.isDying() ? 1 : 0;
            bounced +=
                !bullet.isFree() && bullet.getType() == &steady.bouncing && bullet.getBounces() < 2 ? 1 : 0;
        }
        mostDying = std::max(mostDying, dying);
        mostBounced = std::max(mostBounced, bounced);
    }
    // The volley did all a steady bullet can: bounce, expire, graze and hit.
    EXPECT_GT(mostDying, 50);
    EXPECT_GT(mostBounced, 5);
    EXPECT_EQ(steady.stage.world.grazes.size(), full.stage.world.grazes.size());
    EXPECT_GT(steady.stage.world.grazes.size(), 20u);
    EXPECT_EQ(steady.stage.ship.hits.size(), full.stage.ship.hits.size());
    EXPECT_GT(steady.stage.ship.hits.size(), 5u);
}

}  // namespace
