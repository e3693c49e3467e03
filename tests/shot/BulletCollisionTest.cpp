// What bullets do to the ship and to enemies: graze and hit against the
// ship, player shots against enemies and the boss, blockers.

#include <gtest/gtest.h>

#include "tests/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// The ship at (160, 100); still enemy bullets placed around it.
struct Crossfire {
    Crossfire() {
        type.size = 8.0f;
        type.duration = 100000.0f;
        type.damage = 1.0f;
        shot.isPlayerBullet = true;
        shot.isGlow = true;
        shot.size = 8.0f;
        shot.duration = 100000.0f;
        shot.damage = 3.0f;
        shot.hitEffect = "ps_spark";
    }
    OXBullet& place(float x, float y, const BulletProperties* bulletType = nullptr) {
        EXPECT_TRUE(
            stage.manager.fireBullet(180.0f, {x, y, 0}, 0.0f, bulletType ? bulletType : &type, nullptr));
        return *stage.lastEnemyBullet();
    }
    OXBullet& shoot(float x, float y) {
        EXPECT_TRUE(stage.manager.fireBullet(0.0f, {x, y, 0}, 0.0f, &shot, nullptr));
        for (int i = CXBulletManager::kPlayerPoolSize - 1; i >= 0; --i) {
            if (!stage.manager.playerBullet(i).isFree()) {
                return stage.manager.playerBullet(i);
            }
        }
        return stage.manager.playerBullet(0);
    }
    Stage stage;
    BulletProperties type;
    BulletProperties shot;
};

TEST(Graze, ABulletPassingThirtyUnitsAwayGrazesOnceAndDoesNotHit) {
    Crossfire fire;
    OXBullet& bullet = fire.place(190.0f, 100.0f);  // d^2 = 900
    fire.stage.run(5);
    EXPECT_EQ(fire.stage.world.grazes.size(), 1u);
    EXPECT_EQ(fire.stage.world.grazes[0], &bullet);
    EXPECT_TRUE(bullet.wasGrazed());
    EXPECT_FLOAT_EQ(bullet.getDistanceSq(), 900.0f);
    EXPECT_TRUE(fire.stage.ship.hits.empty());
    EXPECT_FALSE(bullet.isFree());
}

TEST(ShipHits, ABulletHitsWithinThreeUnitsPlusATenthOfItsWidth) {
    Crossfire fire;
    OXBullet& near = fire.place(163.7f, 100.0f);   // 3.7 - 0.8 <= 3
    OXBullet& far = fire.place(164.0f, 100.5f);    // 4.03 - 0.8 > 3
    fire.place(160.0f, 100.0f);                    // right on the ship
    OXBullet& above = fire.place(165.0f, 120.0f);  // farther above than its own height: not measured
    fire.stage.run(1);
    ASSERT_EQ(fire.stage.ship.hits.size(), 2u);
    EXPECT_FLOAT_EQ(above.getDistanceSq(), 1e7f);
    EXPECT_FLOAT_EQ(fire.stage.ship.hits[0].change, -1.0f);
    EXPECT_NEAR(fire.stage.ship.hits[0].direction.y, -1.0f, 1e-6f);  // the bullet's direction, straight down
    EXPECT_TRUE(near.isFree());
    EXPECT_FALSE(far.isFree());
    EXPECT_EQ(fire.stage.world.grazes.size(), 3u);  // each grazed first
}

TEST(ShipHits, NoHitDuringABombOrInvulnerabilityAndPiercingBulletsStay) {
    Crossfire fire;
    fire.stage.world.bombActive = true;
    OXBullet& first = fire.place(160.0f, 100.0f);
    fire.stage.run(1);
    EXPECT_TRUE(fire.stage.ship.hits.empty());
    EXPECT_FALSE(first.isFree());
    fire.stage.world.bombActive = false;
    fire.stage.ship.invulnerable = true;
    fire.stage.run(1);
    EXPECT_TRUE(fire.stage.ship.hits.empty());
    first.release();

    fire.stage.ship.invulnerable = false;
    fire.type.isInvul = true;
    OXBullet& piercing = fire.place(160.0f, 100.0f);
    fire.stage.run(1);
    EXPECT_EQ(fire.stage.ship.hits.size(), 1u);
    EXPECT_FALSE(piercing.isFree());
}

TEST(PlayerShots, TheFirstEnemyInListOrderTakesTheShot) {
    Crossfire fire;
    FakeEnemy first(160.0f, 300.0f), second(160.0f, 300.0f);
    fire.stage.world.enemies = {&first, &second};
    OXBullet& bullet = fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(first.damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(second.damageTaken, 0.0f);
    EXPECT_EQ(second.hitTests, 0);
    EXPECT_FLOAT_EQ(first.lastHitDirection, 0.0f);
    EXPECT_TRUE(bullet.isDying());
    EXPECT_EQ(bullet.getBaseFrame(), 18);
    ASSERT_EQ(fire.stage.effects.played.size(), 1u);
    EXPECT_EQ(fire.stage.effects.played[0].name, "ps_spark");
    EXPECT_FLOAT_EQ(fire.stage.effects.played[0].strength, 40.0f);
    // The hit spark plays frames 18 and 19 (112 ms each), then the slot is free.
    fire.stage.run(8);
    EXPECT_EQ(bullet.getBaseFrame(), 19);
    fire.stage.run(8);
    EXPECT_TRUE(bullet.isFree());
    EXPECT_FLOAT_EQ(first.damageTaken, 3.0f);
}

TEST(PlayerShots, EnteringDyingAndFriendlyEnemiesAreNotTested) {
    Crossfire fire;
    FakeEnemy entering(160, 300), dying(160, 300), friendly(160, 300), target(160, 300);
    entering.entering = true;
    dying.dying = true;
    friendly.friendly = true;
    fire.stage.world.enemies = {&entering, &dying, &friendly, &target};
    fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_EQ(entering.hitTests + dying.hitTests + friendly.hitTests, 0);
    EXPECT_FLOAT_EQ(target.damageTaken, 3.0f);
}

TEST(PlayerShots, FarEnemiesAreRejectedUnlessTheirModulesReachAndAModuleHitSparesTheBody) {
    Crossfire fire;
    FakeEnemy plain(160, 300, 20), modular(160, 300, 20);
    modular.withModules = true;
    fire.stage.world.enemies = {&plain, &modular};
    OXBullet& bullet = fire.shoot(160.0f, 350.0f);
    fire.stage.run(1);
    EXPECT_EQ(plain.hitTests, 0);
    EXPECT_EQ(modular.hitTests, 1);
    bullet.setPosition(160.0f, 305.0f, 0.0f);
    fire.stage.world.enemies = {&modular};
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(modular.moduleDamage, 3.0f);
    EXPECT_FLOAT_EQ(modular.damageTaken, 0.0f);
    EXPECT_TRUE(bullet.isDying());
}

TEST(PlayerShots, TheBossIsTestedAfterTheEnemiesAndOnlyWhenItCanBeHurt) {
    Crossfire fire;
    FakeEnemy boss(160, 300, 64), enemy(160, 300);
    fire.stage.world.boss = &boss;
    fire.stage.world.enemies = {&enemy};
    fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(enemy.damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(boss.damageTaken, 0.0f);

    fire.stage.world.enemies.clear();
    boss.invincible = true;
    OXBullet& deflected = fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(boss.damageTaken, 0.0f);
    EXPECT_FALSE(deflected.isDying());
    boss.invincible = false;
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(boss.damageTaken, 3.0f);
}

TEST(PlayerShots, HomingShotsTurnTowardTheLockOnTarget) {
    Crossfire fire;
    FakeEnemy right(300, 300), left(20, 300);
    fire.stage.world.enemies = {&left, &right};
    fire.stage.ship.lockOn = &right;
    fire.shot.startSpeed = 40.0f;
    fire.shot.playerSeekFactor = 10.0f;
    OXBullet& bullet = fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_GT(bullet.getDirection(), 45.0f);
    fire.stage.run(8);
    EXPECT_FLOAT_EQ(right.damageTaken, 3.0f);
}

TEST(Blockers, EnemyBulletsTouchingABlockerAreDestroyed) {
    Crossfire fire;
    BulletProperties shield;
    shield.isPlayerBullet = true;
    shield.isBulletBlock = true;
    shield.isInvul = true;
    shield.size = 40.0f;
    shield.hitBoxScale = 1.0f;
    shield.duration = 100000.0f;
    fire.stage.manager.fireBullet(0.0f, {100, 400, 0}, 0.0f, &shield, nullptr);
    EXPECT_EQ(fire.stage.manager.blockerCount(), 1);
    OXBullet& touching = fire.place(110.0f, 400.0f);
    OXBullet& clear = fire.place(200.0f, 400.0f);
    fire.type.isInvul = true;
    OXBullet& tough = fire.place(100.0f, 405.0f);
    fire.stage.run(1);
    EXPECT_TRUE(touching.isFree());
    EXPECT_FALSE(clear.isFree());
    EXPECT_FALSE(tough.isFree());
    // A blocker that is gone blocks nothing.
    fire.stage.manager.enemyBullet(0).release();
    EXPECT_EQ(fire.stage.manager.blockerCount(), 0);
}

}  // namespace
