// How a fired bullet flies: its direction at firing, speed changes, bounces,
// lifetime and grace time, and the patterns a bullet fires itself.

#include <gtest/gtest.h>

#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// A type of its own, fired without a platform.
struct Flight {
    Flight() {
        type.size = 8.0f;
        type.duration = 100000.0f;
        type.startSpeed = 5.0f;
    }
    OXBullet& fire(float direction = 180.0f, Vec3 at = {160, 300, 0}) {
        EXPECT_TRUE(stage.manager.fireBullet(direction, at, 0.0f, &type, nullptr));
        return *stage.lastEnemyBullet();
    }
    Stage stage;
    BulletProperties type;
};

TEST(FiringDirection, DirectionsOutsideAFullTurnAreWrapped) {
    Flight flight;
    EXPECT_FLOAT_EQ(flight.fire(-90.0f).getDirection(), 270.0f);
    EXPECT_FLOAT_EQ(flight.fire(720.0f).getDirection(), 0.0f);
    EXPECT_LT(flight.fire(1e20f).getDirection(), 360.0f);  // at once, not by endless subtraction
}

TEST(SpeedChanges, TheWholeChangeArrivesEvenWhenTheStepDoesNotDivideItsTime) {
    Flight flight;
    flight.type.speedChange = 10.0f;
    flight.type.speedChangeTime = 100.0f;
    OXBullet& bullet = flight.fire();
    flight.stage.run(6);  // 92.7 ms
    EXPECT_LT(bullet.getSpeed(), 15.0f);
    flight.stage.run(6);  // the seventh step adds only what was left
    EXPECT_FLOAT_EQ(bullet.getSpeed(), 15.0f);
}

TEST(Bounces, BulletsMirrorOffTheWallsTurnTheOtherWayAndLeaveWhenOutOfBounces) {
    Flight flight;
    flight.type.numBounces = 2;
    flight.type.directionChangeAmount = 30.0f;
    flight.type.directionChangeTime = 100000.0f;
    OXBullet& bullet = flight.fire(90.0f, {399.9f, 200, 0});
    flight.stage.run(1);
    EXPECT_NEAR(bullet.getDirection(), 270.0f, 0.01f);
    EXPECT_EQ(bullet.getBounces(), 1);
    EXPECT_LT(bullet.getDirectionChange(), 0.0f);  // turning the other way
    // The top wall mirrors up into down; the last bounce restores the ordinary play area.
    bullet.setPosition(200, 499.9f, 0);
    bullet.setDirection(30.0f);
    flight.stage.run(1);
    EXPECT_NEAR(bullet.getDirection(), 150.0f, 0.05f);
    EXPECT_EQ(bullet.getBounces(), 0);
    bullet.setPosition(200, -76, 0);
    flight.stage.run(1);
    EXPECT_TRUE(bullet.isFree());
}

TEST(Lifetime, EnemyBulletsFadeOutWhenTheirTimeIsUpAndNoExpireTypesVanish) {
    Flight flight;
    flight.type.duration = 30.0f;
    OXBullet& bullet = flight.fire();
    flight.stage.run(3);
    EXPECT_TRUE(bullet.isDying());
    flight.stage.run(100);
    EXPECT_TRUE(bullet.isFree());
    flight.type.noExpire = true;
    OXBullet& quiet = flight.fire();
    flight.stage.run(3);
    EXPECT_TRUE(quiet.isFree());
}

TEST(Lifetime, EnemyBulletsAreClearedThroughoutTheGraceTimeButNotInvulnerableOnes) {
    Flight flight;
    OXBullet& normal = flight.fire();
    flight.type.isInvul = true;
    OXBullet& tough = flight.fire();
    flight.stage.world.graceTime = 1500.0f;
    flight.stage.run(1);
    EXPECT_TRUE(normal.isDying());
    EXPECT_FALSE(tough.isDying());
}

TEST(OwnPatterns, ADelayedBurstLeavesOnceFromWhereTheShellIs) {
    Stage stage;
    stage.manager.loadFirePattern("t_shell");
    stage.manager.fireBullet(180.0f, {160, 300, 0}, 0, stage.manager.findBulletType("t_shell"), nullptr);
    stage.run(19);  // 293.5 ms of the 300
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), 1);
    stage.run(2);
    ASSERT_EQ(stage.manager.liveEnemyPoolCount(), 5);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_NEAR(stage.manager.enemyBullet(i).getY(), stage.manager.enemyBullet(0).getY(), 2.0f);
    }
    stage.run(60);
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), 5);
}

TEST(OwnPatterns, ABulletThatBurstsOnDeathFiresOnceWhenItExpires) {
    Stage stage;
    stage.manager.loadFirePattern("t_popper");
    stage.manager.fireBullet(180.0f, {160, 300, 0}, 0, stage.manager.findBulletType("t_popper"), nullptr);
    stage.run(14);  // its 200 ms are up
    EXPECT_TRUE(stage.manager.enemyBullet(0).isDying());
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), 5);
    stage.run(40);  // the expiry animation ends without a second burst
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), 4);
}

}  // namespace
